#pragma once
// The printer as the plot code draws on it: twips with the origin at the top
// left of the printable area, lines and boxes, circles, points, text at a
// current position, a line width in device pixels. It paints on any paint
// device: a QPrinter, a QPdfWriter, or a QImage in tests.
// Also the printer list: the installed printers and the PDF output.

#include <QFont>
#include <QPainter>
#include <QString>
#include <cstdint>
#include <vector>

#include "PlotGeometry.h"
#include "platform/PictureBox.h"

class QPaintDevice;

namespace sx {

class PrinterSurface : public TextMetrics {
public:
    // Paints on `device` from now until End() (or destruction).
    explicit PrinterSurface(QPaintDevice *device);
    ~PrinterSurface() override;
    PrinterSurface(const PrinterSurface &) = delete;
    PrinterSurface &operator=(const PrinterSurface &) = delete;

    bool IsActive() const { return painter_.isActive(); }
    // Printable area, twips.
    double ScaleWidth() const;
    double ScaleHeight() const;

    int32_t ForeColor = 0;  // text colour
    bool Dashed = false;
    bool FillSolid = true;  // interior of circles and outlined boxes
    int32_t FillColor = 0;
    int DrawWidth = 1;  // device pixels
    double CurrentX = 0, CurrentY = 0;

    void Line(double x1, double y1, double x2, double y2, int32_t color, BoxStyle box = BoxStyle::None);
    void Circle(double x, double y, double radius, int32_t color);
    void PSet(double x, double y, int32_t color);
    void Polyline(const std::vector<IntPoint> &points, int32_t color);  // twips
    void Print(const QString &text);                                    // at CurrentX/CurrentY in ForeColor

    double TextWidth(const std::string &text) const override;
    double TextHeight(const std::string &text) const override;

    // Finishes the page (the end of the document); false when the device failed.
    bool End();

private:
    QPointF Dev(double x, double y) const { return QPointF(x * sx_, y * sy_); }
    QPen Pen(int32_t color) const;
    QPaintDevice *device_;
    QPainter painter_;
    QFont font_;
    double sx_ = 1, sy_ = 1;  // device pixels per twip
};

// The printer list: the installed printers, then the PDF output, which is
// always there so that printing works without a printer.
struct PrinterEntry {
    QString Name;
    bool Pdf = false;
};
extern const char kPdfPrinterName[];
std::vector<PrinterEntry> PrinterList();

}  // namespace sx
