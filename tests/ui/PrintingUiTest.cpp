// The print command: the dialog, the PDF output chosen by the scripted user,
// and the printed page rendered into an image.

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QImage>

#include "PlotTestSupport.h"
#include "Sampling.h"
#include "platform/PrinterSurface.h"

using namespace sx;
using namespace plottest;

namespace {

void ChoosePdf(QDialog *d) {
    auto *cmb = d->findChild<QComboBox *>(QStringLiteral("cmbPrinter"));
    ASSERT_TRUE(cmb);
    const int pdf = cmb->findText(QString::fromUtf8(kPdfPrinterName));
    ASSERT_GE(pdf, 0);
    cmb->setCurrentIndex(pdf);
}

int32_t At(const QImage &img, int x, int y) {
    const QColor c = img.pixelColor(x, y);
    return Rgb(c.red(), c.green(), c.blue());
}

bool NearIn(const QImage &img, int x, int y, int32_t color) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (At(img, x + dx, y + dy) == color) return true;
    return false;
}

}  // namespace

using PrintingUi = PlotUi;

TEST_F(PrintingUi, PrintsIntoAPdfAfterTheDialogRefusedWrongValues) {
    auto *w = OpenField(4, 2);
    const QString pdf = TempPath("druck.pdf");
    user.InDialog("frmPrinter", [](QDialog *d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Strudelax - Vektorfeld drucken"));
        EXPECT_EQ(ControlText(d, "txtCopies"), QStringLiteral("1"));
        EXPECT_EQ(ControlText(d, "txtSize"), QStringLiteral("75"));
        // without installed printers the PDF output is the first printer and preselected
        auto *cmb = d->findChild<QComboBox *>(QStringLiteral("cmbPrinter"));
        ASSERT_TRUE(cmb);
        EXPECT_EQ(cmb->currentData().toInt(), 0);
        ChoosePdf(d);
        SetControlText(d, "txtCopies", "");
        ClickControl(d, "cmdOk");
        EXPECT_TRUE(d->isVisible());
        SetControlText(d, "txtCopies", "2");
        SetControlText(d, "txtSize", "101");
        ClickControl(d, "cmdOk");
        EXPECT_TRUE(d->isVisible());
        SetControlText(d, "txtSize", "100");
        ClickControl(d, "cmdOk");
    });
    user.Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok).ChooseFile(pdf);
    QAction *print = w->Action("mnuPrint");
    ASSERT_TRUE(print);
    EXPECT_EQ(print->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    const double drawScale = w->doc.DrawScale;
    print->trigger();

    const auto texts = user.MessageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Sie haben eine ungültige Zahl an Kopien eingegeben!");
    EXPECT_EQ(texts[1].rfind("Sie haben eine ungültige Größe angegeben! Der mögliche Bereich geht von 1% - 100%", 0),
              0u);
    for (const auto &a : user.asked)
        if (a.kind == ScriptedUser::Kind::Message) {
            EXPECT_EQ(a.message.title, "Ungültige Eingabe");
            EXPECT_EQ(a.message.icon, MsgIcon::Information);
        }
    EXPECT_EQ(user.asked.back().kind, ScriptedUser::Kind::File);
    EXPECT_TRUE(user.asked.back().file.fileName.endsWith(QStringLiteral("feld.pdf")));

    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_GT(f.size(), 500);
    EXPECT_TRUE(f.read(5).startsWith("%PDF"));
    EXPECT_EQ(w->doc.DrawScale, drawScale);
    EXPECT_FALSE(w->doc.Modified);
}

TEST_F(PrintingUi, CancelInTheDialogOrTheFileDialogPrintsNothing) {
    auto *w = OpenField(3, 2);
    const QString pdf = TempPath("nie.pdf");
    user.InDialog("frmPrinter", [](QDialog *d) { ClickControl(d, "cmdCancel"); });
    w->mnuPrint_Click();
    user.InDialog("frmPrinter", [](QDialog *d) {
        ChoosePdf(d);
        ClickControl(d, "cmdOk");
    });
    user.CancelFile();
    w->mnuPrint_Click();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(user.MessageTexts().empty());
}

TEST_F(PrintingUi, PageShowsCellsArrowsStreamlineAndFrame) {
    auto *w = OpenField(4, 2);
    w->doc.View.Background = BackFromBuffer;
    for (auto &b : w->doc.BackValues) b = 1;
    AddTrajectory(w->doc.Trajectories, 10, 15, 1);
    // 500 x 300 pixels at 96 dpi: 15 twips a pixel
    QImage page(500, 300, QImage::Format_RGB32);
    page.setDotsPerMeterX(3780);
    page.setDotsPerMeterY(3780);
    page.fill(Qt::white);
    {
        PrinterSurface printer(&page);
        ASSERT_TRUE(printer.IsActive());
        EXPECT_NEAR(printer.ScaleWidth(), 7500, 1);
        w->PrintVectorfield(printer, 50);
        EXPECT_TRUE(printer.End());
    }
    // the plot: 250 x 150 pixels centred at (125, 75), cells of 50 pixels
    EXPECT_EQ(At(page, 50, 50), kWhite);            // outside the plot
    EXPECT_TRUE(NearIn(page, 125, 100, kBlack));    // left edge of the frame
    EXPECT_TRUE(NearIn(page, 375, 100, kBlack));    // right edge
    EXPECT_EQ(At(page, 140, 90), kWhite);           // the margin cell
    EXPECT_EQ(At(page, 240, 190), Rgb(0, 255, 0));  // background at the maximum
    EXPECT_EQ(At(page, 200, 125), Rgb(0, 0, 255));  // arrow from node (1, 1) to (2, 1)
    EXPECT_EQ(At(page, 250, 150), Rgb(0, 150, 0));  // streamline between the rows
    EXPECT_EQ(At(page, 250, 149), Rgb(0, 150, 0));  // three pixels wide
    EXPECT_EQ(At(page, 250, 151), Rgb(0, 150, 0));
    EXPECT_NE(At(page, 250, 153), Rgb(0, 150, 0));
}

TEST_F(PrintingUi, ZeroFieldIsPrintedWithAMessageAndPointsAtTheNodes) {
    auto *w = OpenField(3, 2);
    for (auto &u : w->doc.Us) u = 0;
    QImage page(400, 300, QImage::Format_RGB32);
    page.setDotsPerMeterX(3780);
    page.setDotsPerMeterY(3780);
    page.fill(Qt::white);
    user.Answer(MsgAnswer::Ok);
    {
        PrinterSurface printer(&page);
        w->PrintVectorfield(printer, 100);
    }
    ASSERT_EQ(user.MessageTexts().size(), 1u);
    EXPECT_EQ(user.MessageTexts()[0], "Darstellung nicht möglich!");
    // cells of 100 x 100 pixels: a dot at node (1, 1), nothing between the nodes
    EXPECT_TRUE(NearIn(page, 100, 100, Rgb(0, 0, 255)));
    EXPECT_EQ(At(page, 150, 100), kWhite);
}

TEST_F(PrintingUi, AxesLabelTheStripsBesideThePlot) {
    auto *w = OpenField(4, 2);
    w->doc.View.ShowCoordSystem = true;
    QImage page(600, 400, QImage::Format_RGB32);
    page.setDotsPerMeterX(3780);
    page.setDotsPerMeterY(3780);
    page.fill(Qt::white);
    double w000 = 0, h000 = 0;
    {
        PrinterSurface printer(&page);
        w000 = printer.TextWidth("000") / 15;
        h000 = printer.TextHeight("000") / 15;
        w->PrintVectorfield(printer, 100);
    }
    auto ink = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (qGray(page.pixel(x, y)) < 128) ++n;
        return n;
    };
    const int left = static_cast<int>(w000), bottom = 400 - static_cast<int>(h000);
    EXPECT_GT(ink(0, 0, left - 2, bottom - 2), 20);      // y labels
    EXPECT_GT(ink(left + 2, bottom + 2, 599, 399), 20);  // x labels
}

TEST(PrinterDashes, GridLinesStayVisiblyDashedAtPrinterResolution) {
    // dash and gap lengths along one dashed line, in device pixels
    auto runs = [](int dpi) {
        const double dotsPerMetre = dpi / 0.0254;
        QImage page(dpi * 2, 60, QImage::Format_RGB32);  // two inches wide
        page.setDotsPerMeterX(static_cast<int>(dotsPerMetre + 0.5));
        page.setDotsPerMeterY(static_cast<int>(dotsPerMetre + 0.5));
        page.fill(Qt::white);
        {
            PrinterSurface printer(&page);
            printer.Dashed = true;
            printer.Line(0, 720.0 * 30 / dpi * 2, 2880, 720.0 * 30 / dpi * 2, Rgb(0, 0, 0));
        }
        std::vector<int> dashes, gaps;
        int run = 0;
        bool inked = false;
        for (int x = 0; x < page.width(); ++x) {
            bool ink = false;
            for (int y = 27; y <= 33; ++y) ink = ink || qGray(page.pixel(x, y)) < 128;
            if (ink != inked && run > 0) (inked ? dashes : gaps).push_back(run), run = 0;
            inked = ink;
            ++run;
        }
        return std::make_pair(dashes, gaps);
    };
    for (int dpi : {96, 600, 1200}) {
        const auto [dashes, gaps] = runs(dpi);
        ASSERT_GT(gaps.size(), 10u) << dpi;
        const double pixelsPerMm = dpi / 25.4;
        // about one millimetre drawn and half a millimetre left out, whatever the resolution
        const int longestGap = *std::max_element(gaps.begin(), gaps.end());
        const int longestDash = *std::max_element(dashes.begin(), dashes.end());
        EXPECT_GT(longestGap, 0.35 * pixelsPerMm) << dpi;
        EXPECT_LT(longestGap, 1.0 * pixelsPerMm) << dpi;
        EXPECT_GT(longestDash, 0.8 * pixelsPerMm) << dpi;
        EXPECT_LT(longestDash, 1.6 * pixelsPerMm) << dpi;
    }
}
