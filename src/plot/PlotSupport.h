#pragma once
// Small bridges between the plot's core results and the picture boxes.

#include <QPoint>
#include <QString>
#include <string>

#include "PlotGeometry.h"
#include "platform/PictureBox.h"

namespace sx {

inline QPoint ToQPoint(const IntPoint &p) { return QPoint(p.x, p.y); }

// Text measuring and font size of a picture box, in its twips.
class PictureFont : public FontSurface {
public:
    explicit PictureFont(PictureBox &pic) : pic_(pic) {}
    double TextWidth(const std::string &text) const override { return pic_.TextWidth(QString::fromStdString(text)); }
    double TextHeight(const std::string &text) const override { return pic_.TextHeight(QString::fromStdString(text)); }
    void SetFontSize(double points) override { pic_.FontSize = points; }
    double FontSize() const override { return pic_.FontSize; }

private:
    PictureBox &pic_;
};

// Stands in for an axis strip that is not there: measures nothing.
class NoFont : public TextMetrics {
public:
    double TextWidth(const std::string &) const override { return 0; }
    double TextHeight(const std::string &) const override { return 0; }
};

}  // namespace sx
