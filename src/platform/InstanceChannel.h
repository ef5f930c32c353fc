#pragma once
// The single-instance hand-over: the first start of a user listens on a
// per-user local socket; a second start connects, hands over its command
// line and waits until the running instance has handled it.

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QLocalSocket;

namespace sx {

// The per-user socket name. STRUDELAX_INSTANCE_NAME overrides it (tests),
// otherwise it lives in the user's private runtime folder when there is one.
QString InstanceServerName();

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(const QString &name = InstanceServerName(), QObject *parent = nullptr);
    ~InstanceChannel() override;

    // True when this start is the first one (the channel listens from now on,
    // or runs without a socket when none can be made); false when another
    // instance answers. A socket left behind by a crashed instance is removed.
    bool Listen();
    bool IsListening() const;
    QString Name() const { return name_; }

    // Takes one handed-over text; false when there is nothing to take it.
    using Handler = std::function<bool(const QString &)>;
    // Until a handler is set, second starts wait in the queue; an empty
    // handler (the receiver is gone) turns them away.
    void SetHandler(Handler handler);

private:
    enum class State { Waiting, Receiving, Gone };
    void TakePending();
    void Read(QLocalSocket *socket);
    void Deliver(QLocalSocket *socket, const QString &text);

    QString name_;
    QLocalServer *server_ = nullptr;
    State state_ = State::Waiting;
    Handler handler_;
};

enum class HandOverResult {
    Handled,    // the running instance has handled the text
    NoWindow,   // no running instance took the text
    NoTextBox,  // the running instance has nothing to take it
    StillBusy   // taken, but not handled within the wait
};

// Second start: hands `text` to the instance listening on `name`; blocks
// until it is handled, at most `timeoutMs`. Shows nothing.
HandOverResult HandOver(const QString &name, const QString &text, int timeoutMs);

// How long a second start waits for the running instance at most.
constexpr int kHandOverTimeoutMs = 60000;

// Hands `text` to the running instance and reports a failed hand-over.
void SendToPrevInstance(const QString &text);

}  // namespace sx
