#pragma once
// A user that answers every modal interaction from a script and records
// what it was asked. Tests install it with SetUser(); an interaction that
// has no scripted answer is recorded as a failure and answered with Cancel.

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/UserInteraction.h"

class QWidget;

namespace sx {

class ScriptedUser : public UserInteraction {
public:
    enum class Kind { Message, Input, File, Color, Help, Dialog };

    struct Asked {
        explicit Asked(Kind k) : kind(k) {}
        Kind kind;
        UserMessage message;          // Message
        QString prompt, title, text;  // Input (text = default), Dialog (title = caption, prompt = objectName)
        FileDialogRequest file;       // File
        int32_t color = 0;            // Color
        int helpCommand = 0;          // Help
        QString defaultButton;        // Dialog: objectName of the button that Return presses
        QString helpPage;             // the page F1 would open in it ("" = the contents)
    };

    // The script, consumed in order.
    ScriptedUser &Answer(MsgAnswer answer);
    // Presses Return in a message box: the answer of its default button.
    ScriptedUser &PressReturn();
    ScriptedUser &Type(const QString &text);
    ScriptedUser &CancelInput();
    ScriptedUser &ChooseFile(const QString &path, int filterIndex = 0);  // 0 keeps the preselected filter
    ScriptedUser &CancelFile();
    ScriptedUser &ChooseColor(int32_t color);
    ScriptedUser &CancelColor();
    // Acts on the dialog window (set controls, click a button by its objectName).
    ScriptedUser &InDialog(const QString &objectName, std::function<void(QDialog *)> act);

    MsgAnswer ShowMessage(const UserMessage &message) override;
    std::optional<QString> AskInput(const QString &prompt, const QString &title, const QString &defaultText) override;
    bool ShowFileDialog(FileDialogRequest &request) override;
    bool ShowColorDialog(int32_t &color) override;
    void ShowHelp(const QString &helpFile, int command) override;
    void ShowModal(QDialog *dialog) override;

    std::vector<Asked> asked;
    std::vector<QString> failures;  // interactions without a fitting answer
    size_t Pending() const { return script_.size(); }
    // Texts of the message boxes shown so far.
    std::vector<std::string> MessageTexts() const;

private:
    struct Step {
        explicit Step(Kind k) : kind(k) {}
        Kind kind;
        MsgAnswer answer = MsgAnswer::Ok;
        std::optional<QString> text;
        int filterIndex = 0;
        std::optional<int32_t> color;
        QString dialogName;
        std::function<void(QDialog *)> act;
        bool pressReturn = false;  // answer with the box's default button
    };
    std::optional<Step> Next(Kind kind, const QString &what);
    std::deque<Step> script_;
};

// Helpers for dialog scripts: find a control by objectName below `root`.
void SetControlText(QWidget *root, const QString &name, const QString &text);
QString ControlText(QWidget *root, const QString &name);
void SetControlChecked(QWidget *root, const QString &name, bool checked);
bool ControlChecked(QWidget *root, const QString &name);
void ClickControl(QWidget *root, const QString &name);

}  // namespace sx
