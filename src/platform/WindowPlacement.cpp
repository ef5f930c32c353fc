#include "WindowPlacement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include "DocumentPlacement.h"

namespace sx {

namespace {

// One cascade step: the title bar and the frame, so that every caption stays readable.
int CascadeStep(QMdiArea *area) {
    QStyleOptionTitleBar opt;
    opt.initFrom(area);
    QStyle *s = area->style();
    return s->pixelMetric(QStyle::PM_TitleBarHeight, &opt, area) +
           s->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, area) + 2;
}

QRect ToRect(const PlaceRect &r) { return QRect(r.x, r.y, r.width, r.height); }

}  // namespace

void CascadeWindows(QMdiArea *area) {
    QList<QMdiSubWindow *> wins;
    for (QMdiSubWindow *s : area->subWindowList(QMdiArea::StackingOrder))
        if (!s->isMinimized() && !s->isHidden()) wins << s;
    if (wins.isEmpty()) return;
    const QSize size = area->viewport()->size();
    const std::vector<PlaceRect> rects =
        CascadeRects(size.width(), size.height(), CascadeStep(area), static_cast<int32_t>(wins.size()));
    QMdiSubWindow *active = area->activeSubWindow();
    for (int k = 0; k < wins.size(); ++k) {
        if (wins[k]->isMaximized()) wins[k]->showNormal();
        wins[k]->setGeometry(ToRect(rects[static_cast<size_t>(k)]));
        wins[k]->raise();
    }
    if (active) area->setActiveSubWindow(active);
}

void PlaceNewWindow(QMdiArea *area, QMdiSubWindow *sub, QMdiSubWindow *previous) {
    const QSize size = area->viewport()->size();
    const bool hasPrevious = previous && previous != sub && !previous->isMinimized() && !previous->isMaximized();
    const QPoint at = hasPrevious ? previous->pos() : QPoint();
    sub->setGeometry(
        ToRect(NextWindowRect(size.width(), size.height(), CascadeStep(area), hasPrevious, at.x(), at.y())));
}

}  // namespace sx
