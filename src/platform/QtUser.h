#pragma once
// The real user: Qt's message boxes, input dialog, file and colour dialogs.

#include "UserInteraction.h"

namespace sx {

class QtUser : public UserInteraction {
public:
    MsgAnswer ShowMessage(const UserMessage &message) override;
    std::optional<QString> AskInput(const QString &prompt, const QString &title, const QString &defaultText) override;
    bool ShowFileDialog(FileDialogRequest &request) override;
    bool ShowColorDialog(int32_t &color) override;
    void ShowHelp(const QString &helpFile, int command) override;
    void ShowModal(QDialog *dialog) override;
};

// "desc|*.sdx|desc|*.dat" -> Qt's "desc (*.sdx);;desc (*.dat)" list
QStringList QtFilterList(const QString &filter);

}  // namespace sx
