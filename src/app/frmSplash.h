#pragma once

#include <QDialog>

class QLabel;
class QFrame;

namespace sx {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);
    QFrame *Frame1 = nullptr;
    QLabel *Label1 = nullptr, *lblTitle = nullptr, *lblVersion = nullptr, *imgLogo = nullptr;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
};

QString VersionText();

}  // namespace sx
