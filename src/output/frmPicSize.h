#pragma once
// Size of the exported bitmap in pixels and the optional reference vector.
// The caller shows it through User().ShowModal, then reads ClickedOk and
// the controls.

#include <QDialog>
#include <QLineEdit>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

#include "platform/SelectAllLineEdit.h"

namespace sx {

// A text box of the size dialog: selects its text on focus and filters the
// keys typed (digits only, or a signed decimal number).
class PicSizeBox : public SelectAllLineEdit {
    Q_OBJECT
public:
    enum class Filter { Digits, SignedDecimal };
    PicSizeBox(Filter filter, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    Filter filter_;
};

class frmPicSize : public QDialog {
    Q_OBJECT
public:
    explicit frmPicSize(QWidget *parent = nullptr);

    QGroupBox *fraSize = nullptr, *fraReferenceVector = nullptr;
    QLabel *lblxSize = nullptr, *lblPixelX = nullptr, *lblySize = nullptr, *lblPixelY = nullptr,
           *lblPictureSize = nullptr, *lblRefValue = nullptr;
    PicSizeBox *txtxSize = nullptr, *txtySize = nullptr, *txtRefVecAbs = nullptr;
    QCheckBox *chkRefTop = nullptr, *chkRefBottom = nullptr, *chkRefLeft = nullptr, *chkRefRight = nullptr;
    QPushButton *cmdOk = nullptr, *cmdCancel = nullptr;

    bool ClickedOk() const { return clickedOk_; }

    void Form_Load();
    void cmdOk_Click();
    void cmdCancel_Click();
    void UpdateEstimate();  // txtxSize_Change, txtySize_Change

public slots:
    void reject() override;  // Escape and the close box: as Abbrechen

private:
    bool clickedOk_ = false;
};

}  // namespace sx
