#include "ScreenFit.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace sx {

namespace {
// Title bar and borders of a window manager's frame; Qt cannot know them
// before the window is mapped, so a generous guess.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 48;
}  // namespace

QRect AvailableScreen(const QWidget *w) {
    if (!w) w = QApplication::activeWindow();
    QScreen *screen = w ? w->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QSize LargestClientSize(const QWidget *w) {
    const QRect avail = AvailableScreen(w);
    return QSize(qMax(1, avail.width() - kFrameWidth), qMax(1, avail.height() - kFrameHeight));
}

void FitToScreen(QWidget *w) {
    if (!w) return;
    const QSize largest = LargestClientSize(w->parentWidget() ? w->parentWidget()->window() : w);
    QSize size = w->testAttribute(Qt::WA_Resized) ? w->size() : w->sizeHint();
    if (!size.isValid()) return;
    if (size.width() <= largest.width() && size.height() <= largest.height()) return;
    QSize minimum = w->minimumSize().boundedTo(largest);
    w->setMinimumSize(minimum);
    w->resize(size.boundedTo(largest));
}

}  // namespace sx
