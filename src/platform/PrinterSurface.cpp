#include "PrinterSurface.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPrinterInfo>
#include <cmath>

namespace sx {

namespace {
constexpr double kTwipsPerInch = 1440.0;
// The screen's dashed line: 4 pixels drawn, 2 left out, at 96 dpi.
constexpr double kScreenDpi = 96.0;
constexpr double kDashScreenPixels = 4.0;
constexpr double kGapScreenPixels = 2.0;
}  // namespace

const char kPdfPrinterName[] = "PDF-Datei";

PrinterSurface::PrinterSurface(QPaintDevice *device) : device_(device) {
    sx_ = device->logicalDpiX() / kTwipsPerInch;
    sy_ = device->logicalDpiY() / kTwipsPerInch;
    // the printer's own font; the program never chooses one
    font_ = QFont(QStringLiteral("Arial"), 10);
    font_.setStyleHint(QFont::SansSerif);
    font_ = QFont(font_, device);
    if (painter_.begin(device)) {
        painter_.setFont(font_);
        painter_.setRenderHint(QPainter::Antialiasing, false);
    }
}

PrinterSurface::~PrinterSurface() {
    if (painter_.isActive()) painter_.end();
}

double PrinterSurface::ScaleWidth() const { return device_->width() / sx_; }
double PrinterSurface::ScaleHeight() const { return device_->height() / sy_; }

QPen PrinterSurface::Pen(int32_t color) const {
    QPen pen(PictureBox::ToQColor(color));
    const double width = std::max(1, DrawWidth);
    pen.setWidthF(width);
    if (Dashed) {
        // Qt counts a dash pattern in pen widths, which on a 1200 dpi page
        // makes the screen's dashes a few hundredths of a millimetre long and
        // the line print solid; keep their length on paper instead.
        const double devicePerScreenPixel = sx_ * kTwipsPerInch / kScreenDpi;
        pen.setDashPattern(
            {kDashScreenPixels * devicePerScreenPixel / width, kGapScreenPixels * devicePerScreenPixel / width});
    } else {
        pen.setStyle(Qt::SolidLine);
    }
    return pen;
}

void PrinterSurface::Line(double x1, double y1, double x2, double y2, int32_t color, BoxStyle box) {
    if (!painter_.isActive()) return;
    const QPointF a = Dev(x1, y1), b = Dev(x2, y2);
    painter_.setPen(Pen(color));
    switch (box) {
        case BoxStyle::None:
            painter_.setBrush(Qt::NoBrush);
            painter_.drawLine(a, b);
            break;
        case BoxStyle::Filled:
            painter_.setPen(Qt::NoPen);
            painter_.setBrush(PictureBox::ToQColor(color));
            painter_.drawRect(QRectF(a, b).normalized().adjusted(0, 0, 1, 1));
            break;
        case BoxStyle::Outline:
            painter_.setBrush(FillSolid ? QBrush(PictureBox::ToQColor(FillColor)) : QBrush(Qt::NoBrush));
            painter_.drawRect(QRectF(a, b).normalized());
            break;
    }
    CurrentX = x2;
    CurrentY = y2;
}

void PrinterSurface::Circle(double x, double y, double radius, int32_t color) {
    if (!painter_.isActive()) return;
    painter_.setPen(Pen(color));
    painter_.setBrush(FillSolid ? QBrush(PictureBox::ToQColor(FillColor)) : QBrush(Qt::NoBrush));
    painter_.drawEllipse(Dev(x, y), radius * sx_, radius * sy_);
}

void PrinterSurface::PSet(double x, double y, int32_t color) {
    if (!painter_.isActive()) return;
    QPen pen = Pen(color);
    pen.setStyle(Qt::SolidLine);
    painter_.setPen(pen);
    painter_.drawPoint(Dev(x, y));
}

void PrinterSurface::Polyline(const std::vector<IntPoint> &points, int32_t color) {
    if (!painter_.isActive() || points.empty()) return;
    std::vector<QPointF> dev;
    dev.reserve(points.size());
    for (const IntPoint &p : points) dev.push_back(Dev(p.x, p.y));
    painter_.setPen(Pen(color));
    painter_.setBrush(Qt::NoBrush);
    if (dev.size() == 1) dev.push_back(dev.front());
    painter_.drawPolyline(dev.data(), static_cast<int>(dev.size()));
}

void PrinterSurface::Print(const QString &text) {
    if (!painter_.isActive()) return;
    const QFontMetricsF fm(font_, device_);
    painter_.setPen(PictureBox::ToQColor(ForeColor));
    const QPointF at = Dev(CurrentX, CurrentY);
    painter_.drawText(QPointF(at.x(), at.y() + fm.ascent()), text);
    CurrentX += fm.horizontalAdvance(text) / sx_;
}

double PrinterSurface::TextWidth(const std::string &text) const {
    return QFontMetricsF(font_, device_).horizontalAdvance(QString::fromStdString(text)) / sx_;
}

double PrinterSurface::TextHeight(const std::string &) const { return QFontMetricsF(font_, device_).height() / sy_; }

bool PrinterSurface::End() {
    if (!painter_.isActive()) return false;
    return painter_.end();
}

std::vector<PrinterEntry> PrinterList() {
    std::vector<PrinterEntry> list;
    for (const QString &name : QPrinterInfo::availablePrinterNames()) list.push_back(PrinterEntry{name, false});
    list.push_back(PrinterEntry{QString::fromUtf8(kPdfPrinterName), true});
    return list;
}

}  // namespace sx
