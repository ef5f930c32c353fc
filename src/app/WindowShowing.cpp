#include "WindowShowing.h"

#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#if defined(STRUDELAX_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

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

void FillBeforeFirstPaint(QWidget *window) {
#if defined(STRUDELAX_HAVE_XCB) && QT_CONFIG(xcb)
    // the offscreen platform answers for X11 too, without a connection
    if (!window || !window->isWindow() || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;
    // Qt creates its X windows without a background; on a true-colour
    // screen a pixel value is the colour itself
    const QScreen *screen = window->screen();
    if (!screen || screen->depth() < 24) return;
    const uint32_t pixel = window->palette().color(QPalette::Window).rgb() & 0xFFFFFFu;
    // asking for the id creates the window, not yet mapped
    xcb_change_window_attributes(x11->connection(), static_cast<xcb_window_t>(window->winId()), XCB_CW_BACK_PIXEL,
                                 &pixel);
#else
    (void)window;
#endif
}

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
