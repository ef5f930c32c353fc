#include "PlotGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace sx;

namespace {

VectorDocument Grid(int nx, int ny, double dx = 10, double dy = 10) {
    VectorDocument d;
    d.Resize(nx, ny);
    for (int i = 1; i <= nx; ++i) d.PosX(i) = (i - 1) * dx;
    for (int j = 1; j <= ny; ++j) d.PosY(j) = (j - 1) * dy;
    for (auto &s : d.Statuses) s = StatusValid;
    return d;
}

// Width: 10 units per character per 100 points; height: 20 units per 100 points.
class FakeFont : public FontSurface {
public:
    double size = 12;
    void SetFontSize(double s) override { size = s; }
    double FontSize() const override { return size; }
    double TextWidth(const std::string &t) const override { return 10.0 * t.size() * size / 100; }
    double TextHeight(const std::string &) const override { return 20.0 * size / 100; }
};

}  // namespace

TEST(PlotGeometry, CellsSignsAndScale) {
    auto d = Grid(4, 3);
    d.PosX(1) = 30;
    d.PosX(4) = 0;
    PlotGeometry g = MakePlotGeometry(d, 1000, 800);
    EXPECT_DOUBLE_EQ(g.cw, 200);
    EXPECT_DOUBLE_EQ(g.ch, 200);
    EXPECT_EQ(g.sgnX, -1);
    EXPECT_EQ(g.sgnY, 1);
    // one column: no direction, but the x components must not vanish
    EXPECT_EQ(MakePlotGeometry(Grid(1, 3), 100, 100).sgnX, 1);

    d = Grid(3, 3);
    d.U(1, 1) = -2;  // longest x: 2 -> cw / 2
    d.V(2, 2) = 1;
    d.U(3, 3) = 50;  // invalid: ignored
    d.Status(3, 3) = StatusInvalid;
    EXPECT_DOUBLE_EQ(AutomaticScale(d, 100, 100).Scale, 50);
    d.V(2, 2) = -4;  // 4 * 50 > ch: the height decides
    EXPECT_DOUBLE_EQ(AutomaticScale(d, 100, 100).Scale, 25);
    for (auto &u : d.Us) u = 0;  // only y components: one cell height
    EXPECT_DOUBLE_EQ(AutomaticScale(d, 100, 60).Scale, 15);
    for (auto &v : d.Vs) v = 0;
    AutoScale a = AutomaticScale(d, 100, 60);
    EXPECT_FALSE(a.Possible);
    EXPECT_EQ(a.Scale, 1);
}

TEST(PlotGeometry, ArrowHead) {
    // node (2, 3), cells of 20 x 10 pixels, 10 pixels per m/s
    auto p = ArrowPoints(2, 3, 3, 0, 20, 10, 10, 1, 1);
    ASSERT_TRUE(p);
    EXPECT_EQ((*p)[0], (IntPoint{40, 30}));
    EXPECT_EQ((*p)[1], (IntPoint{70, 30}));  // tip
    EXPECT_EQ((*p)[2], (IntPoint{60, 33}));  // barbs one third back, a tenth aside
    EXPECT_EQ((*p)[3], (*p)[1]);
    EXPECT_EQ((*p)[4], (IntPoint{60, 27}));
    // flipped x: the offsets change sign, the node stays
    p = ArrowPoints(2, 3, 3, 0, 20, 10, 10, -1, 1);
    EXPECT_EQ((*p)[2], (IntPoint{20, 33}));
    // offsets rounded before the sign, halves to even: 12.5 -> 12, 7.5 -> 8
    p = ArrowPoints(1, 1, 2.5, 1.5, 100, 100, 10, 1, -1);
    EXPECT_EQ((*p)[1], (IntPoint{125, 85}));
    EXPECT_EQ((*p)[2], (IntPoint{115, 88}));
    EXPECT_EQ((*p)[4], (IntPoint{118, 92}));
    // nothing unrepresentable reaches an integer
    EXPECT_FALSE(ArrowPoints(1, 1, std::nan(""), 0, 10, 10, 10, 1, 1));
    EXPECT_FALSE(ArrowPoints(1, 1, 214748360, 0, 100, 10, 10, 1, 1));  // node + offset beyond 2^31

    // DrawVector in twips has the same head; integer division truncates: -7 \ 3 = -2
    auto s = DrawVectorStrokes(100, 100, 30, 0);
    EXPECT_EQ(s->Barb1, (IntPoint{120, 97}));
    EXPECT_EQ(s->Barb2, (IntPoint{120, 103}));
    s = DrawVectorStrokes(0, 0, -7, 0);
    EXPECT_EQ(s->Barb1, (IntPoint{-5, 1}));
    EXPECT_FALSE(DrawVectorStrokes(5, 6, 0, 0).value().Head);

    // an arrow of the plot in pixels: cells of 100 twips at 15 twips a pixel, 10 pixels per m/s
    const auto d = Grid(2, 2);
    const PlotGeometry g = MakePlotGeometry(d, 300, 300);
    const auto arrow = ArrowPoints(1, 1, 1, 0, g.cw / 15, g.ch / 15, 150.0 / 15, g.sgnX, g.sgnY);
    ASSERT_TRUE(arrow);
    EXPECT_EQ((*arrow)[1], (IntPoint{17, 7}));  // <100/15> + 10 pixels
}

TEST(PlotGeometry, BackgroundCellsAndCritPoint) {
    auto d = Grid(3, 2);
    d.BackValue(2, 1) = 1;
    auto cells = BackgroundCells(d, MakePlotGeometry(d, 401.6, 300));  // cw 100.4
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[0].from, (IntPoint{49, 49}));  // <100.4 - 50 - 1>
    EXPECT_EQ(cells[0].to, (IntPoint{151, 151}));
    EXPECT_EQ(cells[1].from.x, 150);  // two twips of overlap
    EXPECT_EQ(cells[1].color, d.Colors[ColBackMax]);

    d = Grid(4, 4);  // 0..30 mm both ways
    PlotGeometry g = MakePlotGeometry(d, 500, 500);
    d.CritPointX = 10;
    d.CritPointY = 20;
    d.GalileiU = 0.5;
    d.GalileiV = -0.25;
    EXPECT_FALSE(CritPointMarkOf(d, g, 100));  // not marked
    d.View.CritPointShown = true;
    auto m = CritPointMarkOf(d, g, 100);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Center, (IntPoint{200, 300}));  // node (2, 3)
    EXPECT_EQ(m->Step, (IntPoint{50, -25}));
    auto one = Grid(1, 4);
    one.View.CritPointShown = true;
    EXPECT_FALSE(CritPointMarkOf(one, MakePlotGeometry(one, 500, 500), 100));
}

TEST(PlotGeometry, Legend) {
    auto d = Grid(3, 3);
    PlotGeometry g = MakePlotGeometry(d, 3000, 2000);
    FakeFont font;
    EXPECT_FALSE(ComputeLegend(d, g, font, '.'));  // no reference vector

    d.RefVelocity = 0.5;
    d.DrawScale = 600;  // 300 twips of shaft
    auto L = ComputeLegend(d, g, font, ',');
    ASSERT_TRUE(L);
    EXPECT_EQ(L->Label, "0,5 m/s");
    EXPECT_DOUBLE_EQ(font.size, 133);  // the title takes a fifteenth of 3000 twips
    EXPECT_EQ(L->W, 300 + 27);         // shaft plus two widths of "0"
    EXPECT_EQ(L->X0 + L->W, 3000);     // bottom right
    EXPECT_EQ(L->Y0 + L->H, 2000);
    EXPECT_EQ(L->HeadFrom, L->ShaftTo);
    EXPECT_EQ(L->Barb1, (IntPoint{L->ShaftTo.x - 60, L->ShaftTo.y + 20}));

    d.RefVelocity = -0.5;
    d.RefLeft = d.RefTop = true;
    L = ComputeLegend(d, g, font, '.');
    EXPECT_EQ(L->X0, 0);
    EXPECT_EQ(L->Y0, 0);
    EXPECT_EQ(L->HeadFrom, L->ShaftFrom);  // a negative reference points left

    // a label wider than shaft and title widens the box; small plots keep 8 points
    d.RefVelocity = 0.123456789;
    d.DrawScale = 1;
    L = ComputeLegend(d, MakePlotGeometry(d, 150, 150), font, '.');
    EXPECT_EQ(font.size, 8);
    EXPECT_GE(L->W, font.TextWidth(L->Label));
    d.DrawScale = 1e300;
    EXPECT_FALSE(ComputeLegend(d, g, font, '.'));
}

TEST(PlotGeometry, VectorScaleAnswer) {
    EXPECT_FALSE(ReadVectorScaleAnswer(""));
    auto c = ReadVectorScaleAnswer("keine Zahl");
    ASSERT_TRUE(c && c->Message);
    EXPECT_EQ(c->Value, 0.2);
    EXPECT_EQ(c->Message->text, "Ist das nicht etwas klein? Verwendet wird 0.2!");
    c = ReadVectorScaleAnswer("12");
    ASSERT_TRUE(c && c->Message);
    EXPECT_EQ(c->Value, 10);
    EXPECT_EQ(c->Message->text, "Ist das nicht etwas groß? Verwendet wird 10!");
    EXPECT_FALSE(ReadVectorScaleAnswer("10").value().Message);
    EXPECT_FALSE(ReadVectorScaleAnswer("0.2").value().Message);
}
