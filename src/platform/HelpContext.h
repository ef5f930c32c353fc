#pragma once
// Context help: F1 opens the help page of what the user is looking at, the
// highlighted menu item, the dialog or the window; the contents page only
// where none of them has a page of its own.

#include <QString>

class QWidget;
class QAction;

namespace sx {

// The help page of a window, dialog, control or menu item with this object
// name ("tabelle.html"), or an empty text when it has none.
QString HelpPageForName(const QString &objectName);
// The page for F1 pressed in `w` (the widget that got the key): a popup
// menu's highlighted item, else the innermost named widget or window with a
// page; empty when nothing fits (the contents then).
QString HelpPageForWidget(QWidget *w);
// The page of a menu item, or of the menu it opens.
QString HelpPageForAction(const QAction *action);

// Makes F1 work everywhere in the program, in modal dialogs and open menus
// too. Installing it twice does no harm.
void InstallHelpKey();

}  // namespace sx
