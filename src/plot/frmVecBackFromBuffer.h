#pragma once
// Chooses which quantity of the buffered field is shown behind the arrows.

#include <QDialog>

#include "DerivedFields.h"

class QPushButton;
class QRadioButton;

namespace sx {

class frmVecBackFromBuffer : public QDialog {
    Q_OBJECT
public:
    explicit frmVecBackFromBuffer(QWidget *parent = nullptr);
    QRadioButton *optXComp = nullptr, *optYComp = nullptr, *optMagnitude = nullptr, *optXtimesY = nullptr;
    QPushButton *cmdOk = nullptr;
    bool ClickedOk = false;
    // The options tested in the order x, y, magnitude, x*y; a dialog that
    // went away without Ok counts as the x component.
    BufferQuantity Quantity() const;

public slots:
    void reject() override;  // no cancel: only Ok leaves the dialog
};

}  // namespace sx
