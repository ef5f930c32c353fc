#pragma once
// The one door through which the program asks the user anything modal:
// message boxes, input boxes, the common dialogs, help and dialog windows.
// The program installs the real Qt implementation; the window tests install
// a scripted user (tests/support) that answers from a script and records
// what was asked.

#include <QString>
#include <optional>
#include <string>

#include "Message.h"

class QDialog;

namespace sx {

struct FileDialogRequest {
    bool save = false;
    QString title;
    QString fileName;  // proposed name; the chosen path afterwards
    QString filter;    // "description|pattern|description|pattern"
    int filterIndex = 1;
    QString initDir;
    long flags = 0;
};

class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    virtual MsgAnswer ShowMessage(const UserMessage &message) = 0;
    // nullopt when the user cancels
    virtual std::optional<QString> AskInput(const QString &prompt, const QString &title,
                                            const QString &defaultText) = 0;
    // false on Cancel; on OK fileName and filterIndex hold the choice
    virtual bool ShowFileDialog(FileDialogRequest &request) = 0;
    virtual bool ShowColorDialog(int32_t &color) = 0;
    virtual void ShowHelp(const QString &helpFile, int command) = 0;
    // Shows a dialog window modally; returns when its buttons have hidden it.
    virtual void ShowModal(QDialog *dialog) = 0;
};

UserInteraction &User();
// Installs another user (tests); nullptr restores the real one.
void SetUser(UserInteraction *user);

// Convenience wrappers in the shape the windows use them. The hourglass is
// down while they wait for the user.
MsgAnswer MessageBox(const std::string &text, MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok,
                     const std::string &title = "Strudelax");
MsgAnswer MessageBox(const UserMessage &m);
// Empty text when cancelled, as the windows expect it.
QString InputBox(const QString &prompt, const QString &title, const QString &defaultText);

}  // namespace sx
