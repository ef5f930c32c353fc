#include "frmMsgReceiver.h"

#include <QLineEdit>
#include <QVBoxLayout>

#include "app/frmMain.h"
#include "platform/InstanceChannel.h"

namespace sx {

frmMsgReceiver::frmMsgReceiver(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmMsgReceiver"));
    setWindowTitle(QStringLiteral("SXMsgReceiver"));
    setAttribute(Qt::WA_QuitOnClose, false);
    txtMsg = new QLineEdit(this);
    txtMsg->setObjectName(QStringLiteral("txtMsg"));
    txtMsg->setMaxLength(1 << 20);  // a path of any length
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(txtMsg);
    connect(txtMsg, &QLineEdit::textChanged, this, [this] { txtMsg_Change(); });
}

frmMsgReceiver::~frmMsgReceiver() {
    if (channel_) channel_->SetHandler({});
}

void frmMsgReceiver::Receive(InstanceChannel *channel) {
    channel_ = channel;
    if (!channel) return;
    channel->SetHandler([this](const QString &text) {
        if (!frmMain::Instance()) return false;  // the program is ending
        txtMsg->setText(text);
        return true;
    });
}

void frmMsgReceiver::txtMsg_Change() {
    // emptying the box below comes back here
    if (txtMsg->text().isEmpty()) return;
    QString msg = txtMsg->text();
    txtMsg->clear();
    frmMain *frame = frmMain::Instance();
    if (!frame) return;
    if (msg == QLatin1String("::ShowForm")) {
        BringAppToFront(frame);
        return;
    }
    if (msg.startsWith(QLatin1Char('"'))) msg.remove(0, 1);
    if (!msg.isEmpty() && msg.endsWith(QLatin1Char('"'))) msg.chop(1);
    frame->TryToOpen(msg);
}

void BringAppToFront(frmMain *frame) {
    if (!frame) return;
    if (frame->isMinimized()) frame->setWindowState((frame->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    frame->raise();
    frame->activateWindow();
    frame->txtTemp->repaint();
    frame->txtTemp->setFocus(Qt::OtherFocusReason);
}

}  // namespace sx
