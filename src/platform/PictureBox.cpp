#include "PictureBox.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <cmath>
#include <utility>

namespace sx {

namespace {
constexpr double kTwipsPerInch = 1440.0;
double Dpi(bool x) {
    // 96 dpi unless a screen says otherwise; the plot arithmetic must not
    // depend on the platform plugin in tests, which report 96 too.
    Q_UNUSED(x);
    return 96.0;
}
int ClampInt(double v) {
    if (!std::isfinite(v)) return 0;
    if (v > 1e9) return 1000000000;
    if (v < -1e9) return -1000000000;
    return static_cast<int>(std::lround(v));
}
int ButtonBits(Qt::MouseButtons b) {
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}
int ShiftBits(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}
}  // namespace

PictureBox::PictureBox(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // a click gives the document window the keyboard, so its shortcuts work
    setFocusPolicy(Qt::ClickFocus);
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    setFont(f);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(ToQColor(BackColor));
}

double PictureBox::TwipsPerPixelX() { return kTwipsPerInch / Dpi(true); }
double PictureBox::TwipsPerPixelY() { return kTwipsPerInch / Dpi(false); }
int PictureBox::ToPixelsX(double twips) { return ClampInt(twips / TwipsPerPixelX()); }
int PictureBox::ToPixelsY(double twips) { return ClampInt(twips / TwipsPerPixelY()); }

double PictureBox::ScaleWidth() const { return width() * TwipsPerPixelX(); }
double PictureBox::ScaleHeight() const { return height() * TwipsPerPixelY(); }

void PictureBox::resizeEvent(QResizeEvent *) { EnsureImage(); }

void PictureBox::EnsureImage() {
    // a widget that was never shown gets no resize event, and a painter may be at work
    if (paintDepth_ > 0) return;
    const QSize s(std::max(1, width()), std::max(1, height()));
    if (image_.size() == s) return;
    QImage next(s, QImage::Format_RGB32);
    next.fill(ToQColor(BackColor));
    {
        QPainter p(&next);
        p.drawImage(0, 0, image_);
    }
    image_ = std::move(next);
}

void PictureBox::paintEvent(QPaintEvent *e) {
    QPainter p(this);
    p.drawImage(e->rect(), image_, e->rect());
}

QPainter *PictureBox::BeginPaint() {
    if (paintDepth_ == 0) EnsureImage();
    if (paintDepth_++ == 0) painter_ = new QPainter(&image_);
    return painter_;
}

void PictureBox::EndPaint() {
    if (paintDepth_ > 0 && --paintDepth_ == 0) {
        delete painter_;
        painter_ = nullptr;
        update();
    }
}

void PictureBox::Prepare(QPainter &p, int32_t color) const {
    p.setCompositionMode(XorMode ? QPainter::RasterOp_SourceXorDestination : QPainter::CompositionMode_SourceOver);
    QPen pen(ToQColor(color));
    pen.setWidth(0);
    pen.setStyle(Dashed ? Qt::DashLine : Qt::SolidLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
}

void PictureBox::Cls() {
    EnsureImage();
    image_.fill(ToQColor(BackColor));
    CurrentX = CurrentY = 0;
    update();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, int32_t color, BoxStyle box) {
    QPainter *p = BeginPaint();
    Prepare(*p, color);
    const int px1 = ToPixelsX(x1), py1 = ToPixelsY(y1), px2 = ToPixelsX(x2), py2 = ToPixelsY(y2);
    if (box == BoxStyle::None) {
        p->drawLine(px1, py1, px2, py2);
    } else {
        QRect r(QPoint(std::min(px1, px2), std::min(py1, py2)), QPoint(std::max(px1, px2), std::max(py1, py2)));
        if (box == BoxStyle::Filled) {
            p->fillRect(r, ToQColor(color));
        } else {
            if (FillSolid) p->fillRect(r, ToQColor(FillColor));
            p->drawRect(r.adjusted(0, 0, -1, -1).normalized());
        }
    }
    CurrentX = x2;
    CurrentY = y2;
    EndPaint();
}

void PictureBox::Circle(double x, double y, double radius, int32_t color) {
    QPainter *p = BeginPaint();
    Prepare(*p, color);
    const double rx = radius / TwipsPerPixelX(), ry = radius / TwipsPerPixelY();
    if (FillSolid) p->setBrush(ToQColor(FillColor));
    if (std::isfinite(rx) && std::isfinite(ry)) p->drawEllipse(QPointF(ToPixelsX(x), ToPixelsY(y)), rx, ry);
    EndPaint();
}

void PictureBox::PSet(double x, double y, int32_t color) {
    QPainter *p = BeginPaint();
    Prepare(*p, color);
    p->drawPoint(ToPixelsX(x), ToPixelsY(y));
    CurrentX = x;
    CurrentY = y;
    EndPaint();
}

QFont PictureBox::CurrentFont() const {
    QFont f = font();
    f.setPointSizeF(FontSize > 0 ? FontSize : 8.25);
    f.setBold(FontBold);
    return f;
}

double PictureBox::TextWidth(const QString &text) const {
    QFontMetricsF fm(CurrentFont(), const_cast<QImage *>(&image_));
    return fm.horizontalAdvance(text) * TwipsPerPixelX();
}

double PictureBox::TextHeight(const QString &) const {
    QFontMetricsF fm(CurrentFont(), const_cast<QImage *>(&image_));
    return fm.height() * TwipsPerPixelY();
}

void PictureBox::Print(const QString &text) {
    QPainter *p = BeginPaint();
    Prepare(*p, ForeColor);
    p->setFont(CurrentFont());
    QFontMetricsF fm(p->font());
    p->drawText(QPointF(ToPixelsX(CurrentX), ToPixelsY(CurrentY) + fm.ascent()), text);
    CurrentY += TextHeight(text);
    EndPaint();
}

void PictureBox::PolyPolyline(const QPoint *points, const int *counts, size_t polylines, int32_t color) {
    segments_.clear();
    size_t k = 0;
    for (size_t n = 0; n < polylines; ++n) {
        const int c = counts[n];
        if (c <= 0) continue;
        for (int m = 1; m < c; ++m) {
            const QPoint &a = points[k + static_cast<size_t>(m) - 1], &b = points[k + static_cast<size_t>(m)];
            if (a != b) segments_.emplace_back(a, b);  // a segment of no length leaves no mark
        }
        k += static_cast<size_t>(c);
    }
    if (segments_.empty()) return;
    QPainter *p = BeginPaint();
    size_t rest = segments_.size();
    if (!XorMode && !Dashed) rest = RasterizeInside(ToQColor(color).rgb());
    if (rest > 0) {
        Prepare(*p, color);
        QPen pen = p->pen();
        pen.setCapStyle(Qt::FlatCap);
        p->setPen(pen);
        p->drawLines(segments_.data(), static_cast<int>(rest));
    }
    EndPaint();
}

size_t PictureBox::RasterizeInside(QRgb rgb) {
    // Plain solid segments that lie wholly inside the picture are set pixel
    // by pixel (the last point left out); a painter call per short arrow
    // stroke would cost far more than the stroke itself. The others are
    // moved to the front for the painter, which clips them.
    const int w = image_.width(), h = image_.height();
    uchar *bits = image_.bits();
    const qsizetype bpl = image_.bytesPerLine();
    size_t rest = 0;
    for (const QLine &l : segments_) {
        int x = l.x1(), y = l.y1();
        const int x1 = l.x2(), y1 = l.y2();
        if (x < 0 || x >= w || y < 0 || y >= h || x1 < 0 || x1 >= w || y1 < 0 || y1 >= h) {
            segments_[rest++] = l;
            continue;
        }
        const int dx = std::abs(x1 - x), dy = -std::abs(y1 - y);
        const int sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
        int err = dx + dy;
        while (x != x1 || y != y1) {
            reinterpret_cast<QRgb *>(bits + y * bpl)[x] = rgb;
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y += sy;
            }
        }
    }
    return rest;
}

void PictureBox::PolyPolyline(const std::vector<QPoint> &points, const std::vector<int> &counts, int32_t color) {
    size_t total = 0, n = 0;
    for (; n < counts.size(); ++n) {
        if (counts[n] < 0 || total + static_cast<size_t>(counts[n]) > points.size()) break;
        total += static_cast<size_t>(counts[n]);
    }
    PolyPolyline(points.data(), counts.data(), n, color);
}

void PictureBox::Polyline(const std::vector<QPoint> &points, int32_t color) {
    if (points.size() < 2) return;
    QPainter *p = BeginPaint();
    Prepare(*p, color);
    QPen pen = p->pen();
    pen.setCapStyle(Qt::FlatCap);
    p->setPen(pen);
    p->drawPolyline(points.data(), static_cast<int>(points.size()));
    EndPaint();
}

void PictureBox::FillRectPixels(const QRect &r, int32_t color) {
    QPainter *p = BeginPaint();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->fillRect(r, ToQColor(color));
    EndPaint();
}

void PictureBox::mousePressEvent(QMouseEvent *e) {
    emit mouseDown(ButtonBits(e->button()), ShiftBits(e->modifiers()), e->position().x() * TwipsPerPixelX(),
                   e->position().y() * TwipsPerPixelY());
}

void PictureBox::mouseMoveEvent(QMouseEvent *e) {
    emit mouseMove(ButtonBits(e->buttons()), ShiftBits(e->modifiers()), e->position().x() * TwipsPerPixelX(),
                   e->position().y() * TwipsPerPixelY());
}

void PictureBox::mouseReleaseEvent(QMouseEvent *e) {
    emit mouseUp(ButtonBits(e->button()), ShiftBits(e->modifiers()), e->position().x() * TwipsPerPixelX(),
                 e->position().y() * TwipsPerPixelY());
}

}  // namespace sx
