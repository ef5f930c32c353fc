#pragma once
// The criteria dialog of the fault-vector search. The search fills the four
// window-size lists, shows it through User().ShowModal, reads Canceled and
// the controls, and then destroys it, so every search starts afresh.

#include <QDialog>
#include <QLineEdit>

#include "FaultSearch.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace sx {

// A number box of the dialog: selects its text on focus, filters the keys typed.
class FaultNumberBox : public QLineEdit {
    Q_OBJECT
public:
    FaultNumberBox(FaultKeyKind kind, const QString &text, QWidget *parent);
    // The typed key code through the box's filter: 0 when swallowed.
    int KeyPress(int key) const;

protected:
    void focusInEvent(QFocusEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    FaultKeyKind kind_;
};

class frmFaultVectors : public QDialog {
    Q_OBJECT
public:
    explicit frmFaultVectors(QWidget *parent = nullptr);

    // True unless Ok closed the dialog (Abbrechen, Escape and the close box).
    bool Canceled = true;

    // The criteria as the controls hold them now.
    FaultCriteria Criteria() const;

    QLabel *lblTitle = nullptr;
    QGroupBox *fraAbs = nullptr, *fraDirection = nullptr, *fraComponents = nullptr, *fraCompareWith = nullptr,
              *fraLogicalAndOr = nullptr;
    QWidget *fraAbsIntInOut = nullptr, *fraXCompIntInOut = nullptr, *fraYCompIntInOut = nullptr;
    QCheckBox *chkAbsDeviation = nullptr, *chkAbsInterval = nullptr, *chkDirDeviation = nullptr, *chkXComp = nullptr,
              *chkYComp = nullptr;
    FaultNumberBox *txtAbsDeviation = nullptr, *txtAbsIntMin = nullptr, *txtAbsIntMax = nullptr,
                   *txtDirDeviation = nullptr, *txtXCompIntMin = nullptr, *txtXCompIntMax = nullptr,
                   *txtYCompIntMin = nullptr, *txtYCompIntMax = nullptr, *txtUserVectorX = nullptr,
                   *txtUserVectorY = nullptr;
    QRadioButton *optAbsIntOut = nullptr, *optAbsIntIn = nullptr, *optXCompIntOut = nullptr, *optXCompIntIn = nullptr,
                 *optYCompIntOut = nullptr, *optYCompIntIn = nullptr, *optLocalMiddle = nullptr, *optMedian = nullptr,
                 *optAllMiddle = nullptr, *optUserVector = nullptr, *optLogicalAnd = nullptr, *optLogicalOr = nullptr;
    QComboBox *cboLocalMiddleX = nullptr, *cboLocalMiddleY = nullptr, *cboMedianX = nullptr, *cboMedianY = nullptr;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
           *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr,
           *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr, *Label15 = nullptr,
           *Label16 = nullptr;
    QPushButton *cmdOk = nullptr, *cmdCancel = nullptr;

    void cmdOk_Click();
    void cmdCancel_Click();
    void chkAbsDeviation_Click();
    void chkDirDeviation_Click();
    void chkAbsInterval_Click();
    void chkXComp_Click();
    void chkYComp_Click();
    void CompareRefresh();  // optAllMiddle/optLocalMiddle/optMedian/optUserVector_Click

public slots:
    void reject() override;

private:
    void CriterionClicked(QCheckBox *box);
    void SetCompareEnabled(bool on);
};

}  // namespace sx
