#pragma once
// Shared by the plot tests: a small field of 10 mm cells opened from an own
// file, a plot of 100-pixel cells, and pixel checks.

#include <QImage>
#include <algorithm>

#include "SdxFile.h"
#include "UiTestSupport.h"
#include "platform/PictureBox.h"

namespace plottest {

using namespace sx;

inline int32_t Pixel(PictureBox *pic, int x, int y) {
    const QColor c = pic->Image().pixelColor(x, y);
    return Rgb(c.red(), c.green(), c.blue());
}

// Dark pixels in a rectangle of a picture (text, lines).
inline int Ink(PictureBox *pic, int x0, int y0, int x1, int y1) {
    int n = 0;
    const QImage &img = pic->Image();
    for (int y = std::max(0, y0); y <= std::min(img.height() - 1, y1); ++y)
        for (int x = std::max(0, x0); x <= std::min(img.width() - 1, x1); ++x)
            if (qGray(img.pixel(x, y)) < 128) ++n;
    return n;
}

inline bool Near(PictureBox *pic, int x, int y, int32_t color) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (Pixel(pic, x + dx, y + dy) == color) return true;
    return false;
}

const int32_t kWhite = 0xFFFFFF, kBlack = 0;

class PlotUi : public UiTest {
protected:
    // nx x ny nodes 10 mm apart, every vector (1, 0) m/s and valid.
    frmVectorTable *OpenField(int nx, int ny, double dx = 10, double dy = 10) {
        VectorDocument d;
        d.Resize(nx, ny);
        for (int i = 1; i <= nx; ++i) d.PosX(i) = dx * i;
        for (int j = 1; j <= ny; ++j) d.PosY(j) = dy * j;
        for (size_t k = 0; k < d.NodeCount(); ++k) {
            d.Statuses[k] = StatusValid;
            d.Us[k] = 1;
        }
        d.ValidCount = d.CountValid();
        const QString path = TempPath("feld.sdx");
        EXPECT_EQ(WriteSdxFile(d, path.toStdString()), SaveResult::Ok);
        SaveSetting("StartUp", "ShowInfo", "No");
        frmVectorTable *w = Open(path);
        EXPECT_TRUE(w);
        return w;
    }
    // A plot of (nx + 1) x (ny + 1) cells of 100 pixels: node (i, j) at pixel (100 i, 100 j).
    static void PlaceCells(frmVectorTable *w) {
        w->imgVectorfield->setGeometry(0, 0, 100 * (w->doc.NX + 1), 100 * (w->doc.NY + 1));
    }
};

}  // namespace plottest

using plottest::PlotUi;
