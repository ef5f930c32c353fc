#pragma once
// The modal editor of one vector: two number boxes and the invalid mark.
// The caller sets XComp, YComp and Status, shows it through User().ShowModal,
// reads Canceled and then the three values.

#include <QDialog>
#include <QLineEdit>
#include <cstdint>

class QCheckBox;
class QPushButton;

#include "platform/SelectAllLineEdit.h"

namespace sx {

// A number box: selects its whole text on focus and lets only digits, sign,
// decimal separators, blanks and control codes below 20 through.
class EditorNumberBox : public SelectAllLineEdit {
    Q_OBJECT
public:
    explicit EditorNumberBox(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *e) override;
};

class frmEditVector : public QDialog {
    Q_OBJECT
public:
    explicit frmEditVector(QWidget *parent = nullptr);

    double XComp() const { return xComp_; }
    void SetXComp(double x);
    double YComp() const { return yComp_; }
    void SetYComp(double y);
    int32_t Status() const { return status_; }
    void SetStatus(int32_t status);
    // True unless Ok closed the dialog (Abbrechen, Escape and the close box).
    bool Canceled = true;

    EditorNumberBox *txtXComp = nullptr, *txtYComp = nullptr;
    QCheckBox *chkMarkAsInvalid = nullptr;
    QPushButton *cmdOk = nullptr, *cmdCancel = nullptr;

    void cmdOk_Click();
    void cmdCancel_Click();

public slots:
    void reject() override;

private:
    double xComp_ = 0, yComp_ = 0;
    int32_t status_ = 0;
};

}  // namespace sx
