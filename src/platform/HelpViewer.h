#pragma once
// The program's own German help text in a simple viewer window.

#include <QString>

namespace sx {

constexpr int HelpContents = 3;
constexpr int HelpIndex = 0x101;

// command HelpContents opens the contents page, HelpIndex the index.
void ShowHelpViewer(const QString &helpFile, int command);
// The page a help command opens ("qrc:/help/inhalt.html" ...).
QString HelpPageFor(int command);

}  // namespace sx
