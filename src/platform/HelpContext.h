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
// menu's highlighted item, else the innermost widget or window that was
// given a page or has one by its name; empty when nothing fits (the
// contents then).
QString HelpPageForWidget(QWidget *w);
// The page of a menu item, or of the menu it opens.
QString HelpPageForAction(const QAction *action);

// Makes F1 work everywhere in the program, in modal dialogs and open menus
// too. Installing it twice does no harm.
void InstallHelpKey();

// While a command runs, the boxes and dialogs it opens belong to its page:
// the vector dialog of the shift commands, the file dialog of an export, the
// message of the mean velocity. Scopes nest; the innermost one counts.
class HelpScope {
public:
    explicit HelpScope(const QString &page);
    // the page of a menu item, or of the menu it sits in
    explicit HelpScope(const QAction *command);
    ~HelpScope();
    HelpScope(const HelpScope &) = delete;
    HelpScope &operator=(const HelpScope &) = delete;

private:
    QString outer_;
};
// The page of the command running now; empty when none runs.
QString CommandHelpPage();

// The page of a window the program is about to open: that of the command
// opening it, else its own, else that of the window it opens over; empty
// when nothing fits.
QString HelpPageForNewWindow(const QWidget *window);
// Gives such a window its page, which F1 anywhere inside it then opens.
void NameHelpPage(QWidget *window);
// The page a window was given (empty when none).
QString NamedHelpPage(const QWidget *window);

}  // namespace sx
