#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace sx {

class frmStartUpInfo : public QDialog {
    Q_OBJECT
public:
    explicit frmStartUpInfo(QWidget *parent = nullptr);
    QCheckBox *chkShowAgain = nullptr;
    QPushButton *cmdOk = nullptr;
};

}  // namespace sx
