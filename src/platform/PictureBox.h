#pragma once
// A drawing surface addressed in twips (1/1440 inch) with a persistent image
// behind it, in the shape the plot code draws on: clear, lines and boxes,
// circles, points, text at a current position, and batched polylines in
// device pixels.

#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <vector>

namespace sx {

enum class BoxStyle { None, Outline, Filled };

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // twips per device pixel (15 at 96 dpi)
    static double TwipsPerPixelX();
    static double TwipsPerPixelY();
    static int ToPixelsX(double twips);
    static int ToPixelsY(double twips);

    double ScaleWidth() const;   // inner width in twips
    double ScaleHeight() const;  // inner height in twips

    int32_t BackColor = 0xFFFFFF;
    int32_t ForeColor = 0;
    bool Dashed = false;
    bool XorMode = false;
    // interior of circles and outlined boxes: solid in FillColor, else transparent
    bool FillSolid = false;
    int32_t FillColor = 0;
    double FontSize = 8.25;
    bool FontBold = false;
    double CurrentX = 0, CurrentY = 0;

    void Cls();  // clear to BackColor, text position to 0
    void Line(double x1, double y1, double x2, double y2, int32_t color, BoxStyle box = BoxStyle::None);
    void Circle(double x, double y, double radius, int32_t color);
    void PSet(double x, double y, int32_t color);
    double TextWidth(const QString &text) const;
    double TextHeight(const QString &text) const;
    void Print(const QString &text);  // at CurrentX/CurrentY, in ForeColor
    // device pixels; counts[k] points belong to the k-th polyline. Like the
    // platform call, a polyline leaves out its last point, and all of them go
    // out in one batch.
    void PolyPolyline(const QPoint *points, const int *counts, size_t polylines, int32_t color);
    void PolyPolyline(const std::vector<QPoint> &points, const std::vector<int> &counts, int32_t color);
    void Polyline(const std::vector<QPoint> &points, int32_t color);
    void FillRectPixels(const QRect &r, int32_t color);

    // The backing image, sized to the widget (also before it was ever shown).
    QImage &Image() {
        EnsureImage();
        return image_;
    }
    const QImage &Image() const { return image_; }
    // A painter on the backing image set up for the current draw mode; callers
    // that draw many primitives keep one and batch their calls.
    QPainter *BeginPaint();
    void EndPaint();

    static QColor ToQColor(int32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

signals:
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;

private:
    void EnsureImage();
    size_t RasterizeInside(QRgb rgb);  // of segments_; returns how many are left for the painter
    void Prepare(QPainter &p, int32_t color) const;
    QFont CurrentFont() const;
    QImage image_;
    QPainter *painter_ = nullptr;
    std::vector<QLine> segments_;  // reused by PolyPolyline
    int paintDepth_ = 0;
};

}  // namespace sx
