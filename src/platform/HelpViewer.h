#pragma once
// The program's own German help text in a simple viewer window.

#include <QString>

class QTextBrowser;
class QWidget;

namespace sx {

constexpr int HelpContents = 3;
constexpr int HelpIndex = 0x101;

// command HelpContents opens the contents page, HelpIndex the index.
void ShowHelpViewer(const QString &helpFile, int command);
// The page a help command opens ("qrc:/help/inhalt.html" ...).
QString HelpPageFor(int command);

// Opens one page of the help ("tabelle.html"); an unknown or empty name opens
// the contents. The viewer is placed on the screen of `near` (or of the
// active window), wholly inside its available area, and stays usable while
// a modal dialog is up.
void ShowHelpPage(const QString &page, QWidget *near = nullptr);
// The viewer window, while it is open.
QTextBrowser *HelpViewerWindow();

}  // namespace sx
