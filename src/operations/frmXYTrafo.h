#pragma once
// Scale and shift of the coordinates and scale of the components. The caller
// shows it through User().ShowModal and reads the six boxes; Abbrechen (and
// the close box) writes the identity into them, so the caller does nothing.

#include <QDialog>
#include <QLineEdit>

#include "Transformation.h"

class QPushButton;

#include "platform/SelectAllLineEdit.h"

namespace sx {

// Selects its whole text on focus; lets digits, a leading "-", one decimal
// point (a comma becomes the point) and control codes below 27 through.
class TrafoNumberBox : public SelectAllLineEdit {
    Q_OBJECT
public:
    explicit TrafoNumberBox(const QString &text, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *e) override;
};

class frmXYTrafo : public QDialog {
    Q_OBJECT
public:
    explicit frmXYTrafo(QWidget *parent = nullptr);

    TrafoNumberBox *txtFakX = nullptr, *txtDeltaX = nullptr, *txtFakY = nullptr, *txtDeltaY = nullptr,
                   *txtFakVecX = nullptr, *txtFakVecY = nullptr;
    QPushButton *cmdOk = nullptr, *cmdCancel = nullptr;

    void cmdOk_Click();
    void cmdCancel_Click();
    // The six boxes read as numbers.
    XYTrafo Values() const;

public slots:
    void reject() override;
};

}  // namespace sx
