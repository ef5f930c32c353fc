#pragma once
// The choice of file types to associate with the program.

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace sx {

class frmFileTypes : public QDialog {
    Q_OBJECT
public:
    explicit frmFileTypes(QWidget *parent = nullptr);

    QGroupBox *fraChooseFromats = nullptr;
    QCheckBox *chkDAT = nullptr;
    QCheckBox *chkVEC = nullptr;
    QCheckBox *chkSDX = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblStrudelaxPath = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *cmdOk = nullptr;
    QPushButton *cmdCancel = nullptr;

    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    // the close box and Escape count as Abbrechen
    void reject() override;
};

// The association command for the executable at `exePath`: checks that it is
// there, lets the user choose the types and registers the ticked ones.
void AssociateFileTypes(QWidget *parent, const QString &exePath);

}  // namespace sx
