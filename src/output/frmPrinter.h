#pragma once
// The print dialog: printer, number of copies and size of the printout in
// percent of the printable area. The caller shows it through
// User().ShowModal, reads ClickedOk and then the controls.

#include <QDialog>
#include <QLineEdit>
#include <vector>

#include "platform/PrinterSurface.h"

class QComboBox;
class QLabel;
class QPushButton;

#include "platform/SelectAllLineEdit.h"

namespace sx {

// Digits only: other printable keys are dropped, control keys pass; the
// size box drops Enter too.
class DigitBox : public SelectAllLineEdit {
    Q_OBJECT
public:
    DigitBox(bool dropEnter, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    bool dropEnter_;
};

class frmPrinter : public QDialog {
    Q_OBJECT
public:
    explicit frmPrinter(const std::vector<PrinterEntry> &printers, QWidget *parent = nullptr);

    QLabel *lblPrinter = nullptr, *lblCopies = nullptr, *lblSize = nullptr, *lblPercent = nullptr;
    QComboBox *cmbPrinter = nullptr;
    DigitBox *txtCopies = nullptr, *txtSize = nullptr;
    QPushButton *cmdOk = nullptr, *cmdCancel = nullptr;
    bool ClickedOk = false;

    // Index in the printer list of the selected entry; -1 when none.
    int SelectedPrinter() const;
    // The boxes read as numbers; OK lets only 1 to 999 copies and 1 to 100 %
    // through.
    int32_t Copies() const;
    int16_t SizePercent() const;

    void cmdOk_Click();
    void cmdCancel_Click();

private:
    void Form_Load(const std::vector<PrinterEntry> &printers);
};

}  // namespace sx
