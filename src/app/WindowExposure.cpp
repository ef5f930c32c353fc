#include "WindowExposure.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace sx {

namespace {

bool Exposed(const QWidget *w) { return w && w->windowHandle() && w->windowHandle()->isExposed(); }

// Ends the loop once the window's expose event has been handled (painted).
class ExposeWatch : public QObject {
public:
    explicit ExposeWatch(QEventLoop *loop) : loop_(loop) {}

protected:
    bool eventFilter(QObject *, QEvent *e) override {
        if (e->type() == QEvent::Expose) loop_->quit();  // exec returns after this event is done
        return false;
    }

private:
    QEventLoop *loop_;
};

}  // namespace

bool WaitUntilExposed(QWidget *w, int timeoutMs) {
    if (Exposed(w)) return true;
    if (!w || !w->isVisible() || !w->windowHandle()) return false;
    QPointer<QWidget> alive(w);
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
    ExposeWatch watch(&loop);
    QPointer<QWindow> window(w->windowHandle());
    window->installEventFilter(&watch);
    limit.start(timeoutMs);
    // an expose that only says "hidden" comes first under some window managers
    while (alive && !Exposed(alive) && limit.isActive()) loop.exec();
    if (window) window->removeEventFilter(&watch);
    return Exposed(alive);
}

}  // namespace sx
