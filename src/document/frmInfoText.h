#pragma once
// The modal editor of a document's free information text.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace sx {

class frmInfoText : public QDialog {
    Q_OBJECT
public:
    explicit frmInfoText(QWidget *parent = nullptr);

    // True unless Ok closed the dialog (Abbrechen, Escape and the close box).
    bool Canceled = true;

    QPlainTextEdit *txtInfoText = nullptr;
    QPushButton *cmdOk = nullptr, *cmdCancel = nullptr;

    void cmdOk_Click();
    void cmdCancel_Click();

public slots:
    void reject() override;
};

}  // namespace sx
