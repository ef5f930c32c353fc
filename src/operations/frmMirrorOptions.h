#pragma once
// Which order the mirror reverses. One instance for the whole program: it is
// never unloaded, so the ticks chosen last are offered again.

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace sx {

class frmMirrorOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmMirrorOptions(QWidget *parent = nullptr);

    QCheckBox *chkPosX = nullptr, *chkPosY = nullptr;
    QPushButton *cmdOk = nullptr, *cmdCancel = nullptr;
    bool Canceled = true;

    void cmdOk_Click();
    void cmdCancel_Click();

public slots:
    void reject() override;
};

// The program's one mirror dialog, created on first use and owned by `owner`
// (the frame), so that its choices last as long as the program.
frmMirrorOptions &MirrorOptions(QWidget *owner);

}  // namespace sx
