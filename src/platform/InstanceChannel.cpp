#include "InstanceChannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QtEndian>

#include <unistd.h>

#include "FileNames.h"
#include "UserInteraction.h"

namespace sx {

namespace {

// Wire format: a 4-byte big-endian length, then the text in UTF-8. The
// running instance answers 'R' when it has the text, then 'D' when it has
// handled it, or 'N' when nothing can take it.
constexpr char kReceived = 'R';
constexpr char kDone = 'D';
constexpr char kNoReceiver = 'N';
constexpr quint32 kMaxTextBytes = 1 << 20;
constexpr int kConnectMs = 5000;
constexpr int kProbeMs = 2000;

QString SocketPath(const QString &name) {
    return QFileInfo(name).isAbsolute() ? name : QDir::tempPath() + QLatin1Char('/') + name;
}

}  // namespace

QString InstanceServerName() {
    const QString over = qEnvironmentVariable("STRUDELAX_INSTANCE_NAME");
    if (!over.isEmpty()) return over;
    // the runtime folder is the user's alone; in the shared temp folder
    // another user could take the name first
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QFileInfo dir(runtime);
    if (!runtime.isEmpty() && dir.isAbsolute() && dir.isDir() && dir.ownerId() == ::getuid())
        return runtime + QStringLiteral("/SXMsgReceiver");
    return QStringLiteral("SXMsgReceiver-") + QString::number(::getuid());
}

InstanceChannel::InstanceChannel(const QString &name, QObject *parent) : QObject(parent), name_(name) {}

InstanceChannel::~InstanceChannel() {
    if (server_) server_->close();
}

bool InstanceChannel::IsListening() const { return server_ && server_->isListening(); }

bool InstanceChannel::Listen() {
    if (IsListening()) return true;
    if (!server_) {
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::TakePending);
    }
    const QString path = SocketPath(name_);
    // Probing and listening are one step for all starts of the user: two
    // starts at the same moment must not both become the first (listening
    // replaces a socket file that is there).
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    // without the lock the race is merely unlikely, not reason enough to refuse starting
    (void)lock.tryLock(kProbeMs + 3000);

    const QFileInfo existing(path);
    if (existing.exists()) {
        if (existing.ownerId() != ::getuid()) return true;  // not ours to talk to or remove: start alone
        QLocalSocket probe;
        probe.connectToServer(name_);
        if (probe.waitForConnected(kProbeMs)) {
            probe.abort();
            return false;
        }
        const auto error = probe.error();
        // there but not answering in time: a busy instance, which will take the text later
        if (error != QLocalSocket::ConnectionRefusedError && error != QLocalSocket::ServerNotFoundError) return false;
        // left behind by an instance that did not end cleanly
        QLocalServer::removeServer(name_);
    }
    server_->listen(name_);  // without a socket this instance runs alone
    return true;
}

void InstanceChannel::SetHandler(Handler handler) {
    handler_ = std::move(handler);
    state_ = handler_ ? State::Receiving : State::Gone;
    TakePending();
}

void InstanceChannel::TakePending() {
    if (!server_ || state_ == State::Waiting) return;
    QPointer<InstanceChannel> self(this);
    while (self && server_->hasPendingConnections()) {
        QLocalSocket *raw = server_->nextPendingConnection();
        QPointer<QLocalSocket> s(raw);
        raw->setProperty("sxText", QByteArray());
        connect(raw, &QLocalSocket::disconnected, raw, &QObject::deleteLater);
        connect(raw, &QLocalSocket::readyRead, this, [this, raw] { Read(raw); });
        Read(raw);
        if (s && s->state() == QLocalSocket::UnconnectedState) s->deleteLater();
    }
}

void InstanceChannel::Read(QLocalSocket *s) {
    QByteArray buf = s->property("sxText").toByteArray() + s->readAll();
    if (buf.size() >= 4) {
        const quint32 size = qFromBigEndian<quint32>(buf.constData());
        if (size > kMaxTextBytes) {
            s->abort();
            return;
        }
        if (static_cast<quint32>(buf.size()) - 4 >= size) {
            // complete: from here this socket is ours until the answer is written
            disconnect(s, nullptr, this, nullptr);
            disconnect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            s->setProperty("sxText", QVariant());
            Deliver(s, DecodeFileName(QByteArray(buf.constData() + 4, static_cast<qsizetype>(size))));
            return;
        }
    }
    s->setProperty("sxText", buf);
}

void InstanceChannel::Deliver(QLocalSocket *socket, const QString &text) {
    QPointer<QLocalSocket> s(socket);
    bool taken = false;
    if (state_ == State::Receiving && handler_) {
        s->write(&kReceived, 1);
        s->flush();
        // the handler may run a modal box: the socket can go meanwhile
        Handler handler = handler_;
        taken = handler(text);
    }
    if (!s) return;
    const char answer = taken ? kDone : kNoReceiver;
    if (s->state() == QLocalSocket::ConnectedState) {
        s->write(&answer, 1);
        s->flush();
        s->disconnectFromServer();
    }
    s->deleteLater();
}

HandOverResult HandOver(const QString &name, const QString &text, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket s;
    s.connectToServer(name);
    if (!s.waitForConnected(std::min(kConnectMs, timeoutMs))) return HandOverResult::NoWindow;
    const QByteArray utf8 = EncodeFileName(text);  // UTF-8, file-name bytes kept
    QByteArray frame(4, '\0');
    qToBigEndian<quint32>(static_cast<quint32>(utf8.size()), frame.data());
    frame += utf8;
    s.write(frame);
    while (s.bytesToWrite() > 0) {
        if (!s.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return HandOverResult::NoWindow;
    }
    bool received = false;
    for (;;) {
        if (s.bytesAvailable() == 0 && !s.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return received ? HandOverResult::StillBusy : HandOverResult::NoWindow;
        char c = 0;
        while (s.getChar(&c)) {
            if (c == kReceived) received = true;
            if (c == kDone) return HandOverResult::Handled;
            if (c == kNoReceiver) return HandOverResult::NoTextBox;
        }
    }
}

void SendToPrevInstance(const QString &text) {
    switch (HandOver(InstanceServerName(), text, kHandOverTimeoutMs)) {
        case HandOverResult::NoWindow: MessageBox("Fenster nicht gefunden!"); break;
        case HandOverResult::NoTextBox: MessageBox("TextBox nicht gefunden!"); break;
        case HandOverResult::Handled:
        case HandOverResult::StillBusy: break;  // the running instance has the text
    }
}

}  // namespace sx
