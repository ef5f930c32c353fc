#include "CommonDialog.h"

#include "UserInteraction.h"

namespace sx {

namespace {
bool ShowFile(CommonDialog &d, bool save) {
    FileDialogRequest r;
    r.save = save;
    r.title = d.DialogTitle;
    r.fileName = d.FileName;
    r.filter = d.Filter;
    r.filterIndex = d.FilterIndex;
    r.initDir = d.InitDir;
    r.flags = d.Flags;
    if (!User().ShowFileDialog(r)) return false;
    d.FileName = r.fileName;
    d.FilterIndex = r.filterIndex;
    return true;
}
}  // namespace

bool CommonDialog::ShowOpen() { return ShowFile(*this, false); }
bool CommonDialog::ShowSave() { return ShowFile(*this, true); }

bool CommonDialog::ShowColor() {
    int32_t c = Color;
    if (!User().ShowColorDialog(c)) return false;
    Color = c;
    return true;
}

void CommonDialog::ShowHelp() { User().ShowHelp(HelpFile, HelpCommand); }

}  // namespace sx
