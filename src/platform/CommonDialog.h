#pragma once
// The shared common dialog: file open and save, colour, help. Its FileName
// also carries the path of the file a new document window is to load.

#include <QString>
#include <cstdint>

namespace sx {

class CommonDialog {
public:
    QString FileName;
    QString Filter;
    int FilterIndex = 1;
    QString InitDir;
    long Flags = 0;
    int32_t Color = 0;
    QString HelpFile;
    int HelpCommand = 0;
    QString DialogTitle;

    // Cancel is reported as false, so that callers end silently.
    bool ShowOpen();
    bool ShowSave();
    bool ShowColor();
    void ShowHelp();
};

}  // namespace sx
