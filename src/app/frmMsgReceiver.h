#pragma once
// The hidden receiver window: a second start hands its command line into
// txtMsg; the running instance opens the file or only comes to the front.

#include <QPointer>
#include <QWidget>

class QLineEdit;

namespace sx {

class InstanceChannel;
class frmMain;

class frmMsgReceiver : public QWidget {
    Q_OBJECT
public:
    explicit frmMsgReceiver(QWidget *parent = nullptr);
    ~frmMsgReceiver() override;

    QLineEdit *txtMsg = nullptr;

    // From now on the texts of second starts arrive in txtMsg.
    void Receive(InstanceChannel *channel);
    void txtMsg_Change();

private:
    QPointer<InstanceChannel> channel_;
};

// Restores a minimised frame and makes it the active window, the keyboard
// focus on its txtTemp.
void BringAppToFront(frmMain *frame);

}  // namespace sx
