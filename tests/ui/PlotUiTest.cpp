// The vector plot as the user sees it: pixels of the plot picture and of the
// axis strips after a redraw, and the view commands of the plot.

#include <QAction>
#include <QDialog>
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "PlotTestSupport.h"
#include "VectorFieldBuffer.h"

using namespace sx;
using namespace plottest;

TEST_F(PlotUi, BackgroundCellsTakeTheScaleColoursAndArrowsTheirStatusColour) {
    auto *w = OpenField(4, 2);
    PlaceCells(w);
    PictureBox *pic = w->imgVectorfield;
    w->DrawVectorfield();
    // no background: the plain background colour, arrows from node to the next node
    EXPECT_EQ(Pixel(pic, 170, 70), kWhite);
    EXPECT_EQ(Pixel(pic, 150, 100), Rgb(0, 0, 255));
    EXPECT_DOUBLE_EQ(w->doc.DrawScale, 1500);  // one cell width per m/s, in twips

    // a background that is not recomputed, so the values can be set by hand
    w->doc.View.Background = BackFromBuffer;
    const double values[] = {-1, 0, 1, 0.5, -2, 2, -0.5, 0.25};
    for (int k = 0; k < 8; ++k) w->doc.BackValues[static_cast<size_t>(k)] = values[k];
    w->doc.Status(2, 2) = StatusQuestionable;
    w->doc.Status(3, 2) = StatusInvalid;
    w->doc.Status(4, 2) = StatusRemoved;
    w->DrawVectorfield();
    EXPECT_EQ(Pixel(pic, 70, 70), Rgb(255, 0, 0));       // at Min
    EXPECT_EQ(Pixel(pic, 170, 70), kWhite);              // at Null
    EXPECT_EQ(Pixel(pic, 270, 70), Rgb(0, 255, 0));      // at Max
    EXPECT_EQ(Pixel(pic, 370, 70), Rgb(128, 255, 128));  // half way: 127.5 to the even 128
    EXPECT_EQ(Pixel(pic, 70, 170), Rgb(255, 0, 0));      // beyond the ends: the end colours
    EXPECT_EQ(Pixel(pic, 170, 170), Rgb(0, 255, 0));
    EXPECT_EQ(Pixel(pic, 270, 170), Rgb(255, 128, 128));
    // the cells cover the plot without gaps up to the margin
    EXPECT_EQ(Pixel(pic, 51, 51), Rgb(255, 0, 0));
    EXPECT_EQ(Pixel(pic, 100, 49), kWhite);

    EXPECT_EQ(Pixel(pic, 150, 200), Rgb(0, 0, 255));      // valid
    EXPECT_EQ(Pixel(pic, 250, 200), Rgb(255, 0, 0));      // questionable
    EXPECT_EQ(Pixel(pic, 330, 200), Rgb(255, 128, 128));  // invalid: its cell, no arrow
    EXPECT_EQ(Pixel(pic, 470, 200), kWhite);              // removed: the margin
}

TEST_F(PlotUi, DecreasingPositionsFlipTheArrowsButNotTheNodes) {
    auto *w = OpenField(3, 2);
    PlaceCells(w);
    for (int i = 1; i <= 3; ++i) w->doc.PosX(i) = 30 - 10 * i;
    for (auto &s : w->doc.Statuses) s = StatusInvalid;
    w->doc.Status(2, 1) = StatusValid;
    w->DrawVectorfield();
    PictureBox *pic = w->imgVectorfield;
    EXPECT_EQ(Pixel(pic, 150, 100), Rgb(0, 0, 255));  // from node 2 to the left
    EXPECT_EQ(Pixel(pic, 250, 100), kWhite);
    // the head: from the tip to two thirds of the way, a tenth of the length off the shaft
    EXPECT_TRUE(Near(pic, 116, 105, Rgb(0, 0, 255)));
    EXPECT_TRUE(Near(pic, 116, 95, Rgb(0, 0, 255)));
    EXPECT_FALSE(Near(pic, 184, 105, Rgb(0, 0, 255)));
}

TEST_F(PlotUi, ZeroFieldsCannotBeScaledButStillGetTheirBackground) {
    auto *w = OpenField(3, 2);
    PlaceCells(w);
    w->doc.View.Background = BackFromBuffer;
    for (auto &b : w->doc.BackValues) b = 1;
    for (auto &u : w->doc.Us) u = 0;
    w->doc.Status(1, 1) = StatusInvalid;
    w->doc.U(1, 1) = 5;  // invalid vectors do not count
    user.Answer(MsgAnswer::Ok);
    w->DrawVectorfield();
    ASSERT_EQ(user.MessageTexts().size(), 1u);
    EXPECT_EQ(user.asked.back().message.text, "Darstellung nicht möglich!");
    EXPECT_EQ(user.asked.back().message.title, "Strudelax");
    EXPECT_EQ(Pixel(w->imgVectorfield, 100, 100), Rgb(0, 255, 0));
    EXPECT_DOUBLE_EQ(w->doc.DrawScale, 1);

    // once per redraw
    user.Answer(MsgAnswer::Ok);
    w->DrawVectorfield();
    EXPECT_EQ(user.MessageTexts().size(), 2u);
    w->doc.U(2, 2) = 1;
}

TEST_F(PlotUi, HiddenPlotAndAutoDrawOff) {
    auto *w = OpenField(3, 2);
    PlaceCells(w);
    PictureBox *pic = w->imgVectorfield;
    w->DrawVectorfield();
    w->doc.View.ShowVectorfield = false;
    w->doc.Colors[ColBackground] = Rgb(10, 20, 30);
    w->DrawVectorfield();
    EXPECT_EQ(Pixel(pic, 150, 100), Rgb(0, 0, 255));  // untouched
    w->doc.View.ShowVectorfield = true;

    w->doc.DrawScale = 7;
    w->mnuAutoDrawVectorfield_Click();
    EXPECT_FALSE(w->doc.View.AutoDrawVectorfield);
    EXPECT_FALSE(w->Action("mnuAutoDrawVectorfield")->isChecked());
    w->DrawVectorfield();
    EXPECT_EQ(Pixel(pic, 150, 100), Rgb(10, 20, 30));  // cleared and left empty
    EXPECT_EQ(w->doc.DrawScale, 7);

    w->doc.View.Background = BackVorticity;
    w->doc.U(2, 2) = 3;  // a change while drawing is off
    w->mnuAutoDrawVectorfield_Click();
    EXPECT_TRUE(w->Action("mnuAutoDrawVectorfield")->isChecked());
    EXPECT_NE(w->doc.BackValue(2, 1), 0);  // recomputed on the way back
    EXPECT_DOUBLE_EQ(w->doc.DrawScale, 1500 / 3.0);
}

TEST_F(PlotUi, MarkedCriticalPointIsADiscWithTheRemovedVelocity) {
    auto *w = OpenField(3, 2);
    PlaceCells(w);
    w->doc.View.CritPointShown = true;
    w->doc.CritPointX = 20;  // node (2, 1)
    w->doc.CritPointY = 10;
    w->doc.GalileiU = 0;
    w->doc.GalileiV = -1;
    for (auto &s : w->doc.Statuses) s = StatusInvalid;
    w->doc.Status(3, 2) = StatusValid;
    w->DrawVectorfield();
    PictureBox *pic = w->imgVectorfield;
    EXPECT_EQ(Pixel(pic, 199, 100), kBlack);
    EXPECT_EQ(Pixel(pic, 201, 100), kBlack);
    EXPECT_EQ(Pixel(pic, 200, 101), kBlack);
    // a negative v points up the plot, as the y positions grow downward on it
    EXPECT_EQ(Pixel(pic, 200, 50), Rgb(0, 200, 0));
    EXPECT_EQ(Pixel(pic, 200, 150), kWhite);
}

TEST_F(PlotUi, LegendSitsInTheChosenCorner) {
    auto *w = OpenField(3, 2);
    PlaceCells(w);
    PictureBox *pic = w->imgVectorfield;
    w->doc.RefVelocity = 0.5;
    w->doc.RefLeft = w->doc.RefTop = true;
    w->DrawVectorfield();
    EXPECT_EQ(Pixel(pic, 0, 20), kBlack);  // the box's border
    EXPECT_EQ(Pixel(pic, 3, 3), kWhite);
    EXPECT_GT(Ink(pic, 1, 1, 100, 60), 20);  // the title
    EXPECT_EQ(Ink(pic, 250, 240, 399, 299), 0);

    w->doc.RefLeft = w->doc.RefTop = false;
    w->DrawVectorfield();
    // its right and bottom edges lie on the plot's edges, just outside the picture
    EXPECT_EQ(Pixel(pic, 399, 299), kWhite);
    EXPECT_GT(Ink(pic, 250, 240, 399, 299), 100);
    EXPECT_EQ(Pixel(pic, 0, 20), kWhite);
    w->doc.RefVelocity = 0;
}

TEST_F(PlotUi, AxesLabelAHundredMillimetrePlotEveryTenMillimetres) {
    auto *w = OpenField(9, 9);  // x0 = 0, span 100 mm on both axes
    w->imgVectorfield->setGeometry(33, 0, 600, 500);
    w->imgYAxis->setGeometry(0, 0, 33, 500);
    w->imgXAxis->setGeometry(33, 500, 600, 33);
    w->doc.View.ShowCoordSystem = true;
    w->DrawVectorfield();
    PictureBox *x = w->imgXAxis, *y = w->imgYAxis, *plot = w->imgVectorfield;
    // labels under every tenth millimetre, none between them
    for (int t = 10; t <= 90; t += 10) EXPECT_GT(Ink(x, 6 * t - 4, 0, 6 * t + 4, 32), 5) << t;
    for (int t = 15; t <= 85; t += 10) EXPECT_EQ(Ink(x, 6 * t - 2, 0, 6 * t + 2, 32), 0) << t;
    // " 0" and " 100" are pushed inside the strip
    EXPECT_GT(Ink(x, 0, 0, 12, 32), 5);
    EXPECT_GT(Ink(x, 587, 0, 599, 32), 5);
    EXPECT_GT(Ink(y, 0, 245, 32, 255), 5);  // 50 mm in the middle of the y strip
    // dashed grid lines across the plot, and a tick mark every millimetre
    EXPECT_GT(Ink(plot, 300, 10, 300, 60), 20);
    EXPECT_LT(Ink(plot, 300, 10, 300, 60), 51);
    EXPECT_EQ(Pixel(plot, 306, 498), kBlack);
    EXPECT_EQ(Pixel(plot, 306, 480), kWhite);

    // with the axes off the strips keep what they show
    w->doc.View.ShowCoordSystem = false;
    const int before = Ink(x, 0, 0, 599, 32);
    w->DrawVectorfield();
    EXPECT_EQ(Ink(x, 0, 0, 599, 32), before);
    EXPECT_EQ(Pixel(plot, 306, 498), kWhite);
}

TEST_F(PlotUi, VectorScaleAsksAndLimitsTheFactor) {
    auto *w = OpenField(3, 2);
    PlaceCells(w);
    w->doc.VectorScale = 0.5;
    user.Type("2");
    w->mnuVectorScale_Click();
    const auto &ask = user.asked.back();
    EXPECT_EQ(ask.title, "Skalierung der Vektoren");
    EXPECT_EQ(ask.text, ".5");
    EXPECT_TRUE(ask.prompt.startsWith("Die Vektoren werden automatisch so skaliert, daß"));
    EXPECT_EQ(w->doc.VectorScale, 2);
    EXPECT_DOUBLE_EQ(w->doc.DrawScale, 3000);
    EXPECT_FALSE(w->doc.Modified);

    // the limit messages (the reading itself is the core's)
    user.Type("12").Answer(MsgAnswer::Ok);
    w->mnuVectorScale_Click();
    EXPECT_EQ(w->doc.VectorScale, 10);
    EXPECT_EQ(user.asked.back().message.text, "Ist das nicht etwas groß? Verwendet wird 10!");
    EXPECT_EQ(user.asked.back().message.title, "Skalierungsfaktor");
    EXPECT_EQ(user.asked.back().message.icon, MsgIcon::Information);
    user.Type("keine Zahl").Answer(MsgAnswer::Ok);
    w->mnuVectorScale_Click();
    EXPECT_EQ(w->doc.VectorScale, 0.2);
    EXPECT_EQ(user.asked.back().message.text, "Ist das nicht etwas klein? Verwendet wird 0.2!");
    user.Type("10");
    w->mnuVectorScale_Click();
    EXPECT_EQ(w->doc.VectorScale, 10);
    EXPECT_EQ(user.asked.back().kind, ScriptedUser::Kind::Input);
    user.CancelInput();
    w->mnuVectorScale_Click();
    EXPECT_EQ(w->doc.VectorScale, 10);
}

TEST_F(PlotUi, DerivedBackgroundsSetTheScaleFromTheData) {
    auto *w = OpenField(5, 5);
    PlaceCells(w);
    // a rotation of 2/s: vorticity 4/s inside
    for (int j = 1; j <= 5; ++j)
        for (int i = 1; i <= 5; ++i) {
            w->doc.U(i, j) = -2 * (w->doc.PosY(j) - 30) / 1000;
            w->doc.V(i, j) = 2 * (w->doc.PosX(i) - 30) / 1000;
        }
    w->mnuVecBackgroundVorticity_Click();
    EXPECT_TRUE(w->Action("mnuVecBackgroundVorticity")->isChecked());
    EXPECT_FALSE(w->Action("mnuNoVecBackground")->isChecked());
    EXPECT_DOUBLE_EQ(w->doc.BackValue(3, 3), 4);
    EXPECT_DOUBLE_EQ(w->doc.BackMaxValue, 4);
    EXPECT_EQ(w->doc.BackMinValue, -1);
    EXPECT_EQ(Pixel(w->imgVectorfield, 270, 270), Rgb(0, 255, 0));

    w->mnuVecBackgroundSwirlSquare_Click();
    EXPECT_DOUBLE_EQ(w->doc.BackValue(3, 3), 4);
    EXPECT_EQ(w->doc.View.Background, BackSwirlSquare);

    w->mnuNoVecBackground_Click();
    EXPECT_TRUE(w->Action("mnuNoVecBackground")->isChecked());
    EXPECT_EQ(w->doc.BackMaxValue, 1);
    EXPECT_EQ(w->doc.BackMinValue, -1);
    EXPECT_DOUBLE_EQ(w->doc.BackValue(3, 3), 4);  // kept, but not drawn
    EXPECT_EQ(Pixel(w->imgVectorfield, 270, 270), kWhite);
    EXPECT_FALSE(w->doc.Modified);
}

TEST_F(PlotUi, BufferBackgroundOnlyForABufferOfTheSameSize) {
    auto *w = OpenField(3, 2);
    PlaceCells(w);
    VectorFieldBuffer &buffer = ProgramBuffer();
    buffer = VectorFieldBuffer{};
    w->mnuView_Click();
    QAction *item = w->Action("mnuVecBackgroundFromBuffer");
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->isEnabled());
    w->mnuVecBackgroundFromBuffer_Click();  // not from elsewhere either
    EXPECT_EQ(w->doc.View.Background, BackNone);

    buffer.BufferNX = 3;
    buffer.BufferNY = 2;
    buffer.BufferUs = {3, 0, 1, 1, 1, 1};
    buffer.BufferVs = {4, 0, 1, 1, 1, -2};
    buffer.BufferStatuses = {1, 1, 0, 1, 1, 1};
    w->mnuView_Click();
    EXPECT_TRUE(item->isEnabled());
    user.InDialog("frmVecBackFromBuffer", [](QDialog *d) {
        EXPECT_TRUE(ControlChecked(d, "optXComp"));
        SetControlChecked(d, "optMagnitude", true);
        ClickControl(d, "cmdOk");
    });
    w->mnuVecBackgroundFromBuffer_Click();
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(w->doc.BackValue(1, 1), 5);
    EXPECT_EQ(w->doc.BackValue(3, 1), 0);  // invalid in the buffer
    EXPECT_EQ(w->doc.BackMaxValue, 5);
    EXPECT_EQ(w->doc.BackMinValue, -1);

    // the buffer background stays through field changes
    w->RecalcBackground();
    EXPECT_EQ(w->doc.BackValue(1, 1), 5);

    user.InDialog("frmVecBackFromBuffer", [](QDialog *d) {
        SetControlChecked(d, "optXtimesY", true);
        d->reject();  // no way out but Ok
        EXPECT_TRUE(d->isVisible());
        ClickControl(d, "cmdOk");
    });
    w->mnuVecBackgroundFromBuffer_Click();
    EXPECT_EQ(w->doc.BackValue(3, 2), -2);
    EXPECT_EQ(w->doc.BackMinValue, -2);

    buffer.BufferNX = 2;
    w->mnuView_Click();
    EXPECT_FALSE(item->isEnabled());
    buffer = VectorFieldBuffer{};
}

// One row, one column, one node, and then equal positions, numbers that are
// none and vectors far too long: every valid arrow that can be placed is
// drawn, the backgrounds stay finite, and nothing asks the user anything.
TEST_F(PlotUi, DegenerateGridsDrawWithoutFailing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // blue pixels of the arrows in a rectangle of the plot
    auto arrows = [](PictureBox *pic, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) n += Pixel(pic, x, y) == Rgb(0, 0, 255);
        return n;
    };
    auto finite = [](const FieldArray<double> &values) {
        return std::all_of(values.begin(), values.end(), [](double b) { return std::isfinite(b); });
    };
    struct Grid {
        int nx, ny;
    } grids[] = {{1, 1}, {1, 4}, {4, 1}, {3, 3}};
    for (const Grid &g : grids) {
        SCOPED_TRACE(std::to_string(g.nx) + " x " + std::to_string(g.ny));
        auto *w = OpenField(g.nx, g.ny);
        PlaceCells(w);
        PictureBox *pic = w->imgVectorfield;
        w->doc.View.ShowCoordSystem = true;
        w->imgXAxis->setGeometry(0, 0, 300, 33);
        w->imgYAxis->setGeometry(0, 0, 33, 300);
        w->doc.View.CritPointShown = true;
        w->doc.RefVelocity = 1;
        w->doc.StepFactor = 0.1;
        w->AddTrajectory(w->doc.PosX(1), w->doc.PosY(1), 0.1);
        w->mnuVecBackgroundVorticity_Click();
        w->mnuVecBackgroundSwirlSquare_Click();
        EXPECT_TRUE(finite(w->doc.BackValues));
        for (int i = 1; i <= g.nx; ++i)
            for (int j = 1; j <= g.ny; ++j)
                EXPECT_GT(arrows(pic, 100 * i, 100 * j - 12, 100 * i + 99, 100 * j + 12), 10) << i << ", " << j;
        if (g.nx == 3) {
            w->doc.PosX(2) = w->doc.PosX(1);
            w->doc.PosY(3) = nan;
            w->doc.U(2, 2) = nan;
            w->doc.V(1, 1) = 1e300;
            w->doc.U(3, 3) = -1e300;
            w->doc.BackValue(1, 2) = nan;
            w->doc.CritPointX = nan;
            w->doc.GalileiU = 1e300;
            w->mnuVecBackgroundVorticity_Click();
            EXPECT_TRUE(finite(w->doc.BackValues));
            w->DrawVectorfield();
            // the two far too long vectors set the scale and are still drawn
            const QImage &img = pic->Image();
            EXPECT_GT(arrows(pic, 0, 0, img.width() - 1, img.height() - 1), 50);
            w->AddTrajectory(nan, 5, 0.01);
        }
        w->doc.RefVelocity = 0;
        w->CloseWithoutAsking();
        QApplication::processEvents();
    }
}

// Arrows lie over each other in node order, whatever their colour: with twice
// the automatic length each arrow reaches over the next node's shaft.
TEST_F(PlotUi, LaterArrowsLieOverEarlierOnesWhateverTheirColour) {
    auto *w = OpenField(3, 1);
    PlaceCells(w);
    w->doc.Status(1, 1) = StatusQuestionable;
    w->doc.Status(3, 1) = StatusQuestionable;
    w->doc.VectorScale = 2;
    w->DrawVectorfield();
    PictureBox *plot = w->imgVectorfield;
    const int32_t normal = w->doc.Colors[ColVector], quest = w->doc.Colors[ColVectorQuest];
    ASSERT_NE(normal, quest);
    EXPECT_EQ(Pixel(plot, 150, 100), quest);   // node 1's shaft alone
    EXPECT_EQ(Pixel(plot, 250, 100), normal);  // node 2 drawn over node 1
    EXPECT_EQ(Pixel(plot, 350, 100), quest);   // node 3 drawn over node 2
}
