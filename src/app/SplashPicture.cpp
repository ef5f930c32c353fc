#include "SplashPicture.h"

#include <QPainter>
#include <cmath>

namespace sx {

namespace {
// Velocity of two counter-rotating Lamb–Oseen vortices on a weak uniform flow.
void Velocity(double x, double y, double &u, double &v) {
    u = 0.15;
    v = 0;
    const double cx[2] = {-0.9, 0.9}, gamma[2] = {1.0, -1.0}, r0 = 0.45;
    for (int k = 0; k < 2; ++k) {
        const double dx = x - cx[k], dy = y, r2 = dx * dx + dy * dy + 1e-9;
        const double f = gamma[k] / (2 * M_PI * r2) * (1 - std::exp(-r2 / (r0 * r0)));
        u += -f * dy;
        v += f * dx;
    }
}
}  // namespace

namespace {
QImage DrawSplashPicture() {
    const int w = 563, h = 315;
    QImage img(w, h, QImage::Format_RGB32);
    const double sx = 4.0 / w, sy = 2.24 / h;
    // background: vorticity-like colouring from the swirl of the field
    for (int py = 0; py < h; ++py) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(py));
        for (int px = 0; px < w; ++px) {
            const double x = (px - w / 2.0) * sx, y = (py - h / 2.0) * sy;
            double u1, v1, u2, v2, u3, v3, u4, v4;
            Velocity(x + sx, y, u1, v1);
            Velocity(x - sx, y, u2, v2);
            Velocity(x, y + sy, u3, v3);
            Velocity(x, y - sy, u4, v4);
            const double w3 = ((v1 - v2) / (2 * sx) - (u3 - u4) / (2 * sy)) / 6.0;
            const double t = std::max(-1.0, std::min(1.0, w3));
            const int r = t < 0 ? 255 : static_cast<int>(255 * (1 - t));
            const int g = t > 0 ? 255 : static_cast<int>(255 * (1 + t));
            const int b = static_cast<int>(255 * (1 - std::fabs(t)));
            line[px] = qRgb(r, g, b);
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 160), 1));
    for (int py = 10; py < h; py += 16)
        for (int px = 10; px < w; px += 16) {
            const double x = (px - w / 2.0) * sx, y = (py - h / 2.0) * sy;
            double u, v;
            Velocity(x, y, u, v);
            const double len = 40.0;
            const QPointF a(px, py), b(px + u * len, py + v * len);
            p.drawLine(a, b);
            const double ang = std::atan2(b.y() - a.y(), b.x() - a.x());
            for (double s : {0.5, -0.5}) p.drawLine(b, b - QPointF(4 * std::cos(ang + s), 4 * std::sin(ang + s)));
        }
    return img;
}
}  // namespace

// Splash, frame icon and welcome dialog share one drawing.
QImage MakeSplashPicture() {
    static const QImage picture = DrawSplashPicture();
    return picture;
}

}  // namespace sx
