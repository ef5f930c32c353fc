// The colour settings command: the dialog filled from the document, the
// colour boxes, the scale check, the standard colours and the redraw.

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "PlotTestSupport.h"
#include "plot/frmEditColors.h"

using namespace sx;
using namespace plottest;

namespace {
frmEditColors *Dialog(QDialog *d) { return qobject_cast<frmEditColors *>(d); }
int32_t PalettePixel(frmEditColors *d, int y) { return Pixel(d->picBackgroundPalette, 5, y); }
}  // namespace

using ColorDialogUi = PlotUi;

TEST_F(ColorDialogUi, ChosenColoursReachTheDocumentAndThePlot) {
    auto *w = OpenField(4, 2);
    PlaceCells(w);
    w->doc.View.Background = BackFromBuffer;
    for (auto &b : w->doc.BackValues) b = 1;  // every cell at the maximum
    const int32_t kBlue = Rgb(0, 0, 255), kYellow = Rgb(255, 255, 0), kPurple = Rgb(128, 0, 128);
    user.InDialog("frmEditColors",
                  [&](QDialog *d) {
                      EXPECT_EQ(d->windowTitle(), "Strudelax - Farbeinstellungen");
                      EXPECT_EQ(Dialog(d)->picColVector->Color(), kBlue);
                      ClickControl(d, "picColVector");
                      ClickControl(d, "picColVectorQuest");  // cancelled: unchanged
                      ClickControl(d, "picColBackMax");
                      EXPECT_EQ(Dialog(d)->picColVectorQuest->Color(), Rgb(255, 0, 0));
                      EXPECT_EQ(PalettePixel(Dialog(d), 0), kPurple);  // the palette follows at once
                      ClickControl(d, "cmdOk");
                  })
        .ChooseColor(kYellow)
        .CancelColor()
        .ChooseColor(kPurple);
    QAction *item = w->Action("mnuEditColors");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), "&Farbeinstellungen...");
    item->trigger();

    // the colour dialog starts at the box's colour, with the flags of the full dialog
    ASSERT_GE(user.asked.size(), 2u);
    EXPECT_EQ(user.asked[1].kind, ScriptedUser::Kind::Color);
    EXPECT_EQ(user.asked[1].color, kBlue);
    EXPECT_EQ(frame->commonDialog.Flags, 3);

    EXPECT_EQ(w->doc.Colors[ColVector], kYellow);
    EXPECT_EQ(w->doc.Colors[ColVectorQuest], Rgb(255, 0, 0));
    EXPECT_EQ(w->doc.Colors[ColBackMax], kPurple);
    EXPECT_TRUE(w->doc.Modified);
    EXPECT_EQ(w->windowTitle(), "feld.sdx (verändert)");
    EXPECT_EQ(w->doc.Undo.Caption, "");  // no undo for colours
    EXPECT_EQ(Pixel(w->imgVectorfield, 170, 70), kPurple);
    EXPECT_EQ(Pixel(w->imgVectorfield, 150, 100), kYellow);
}

TEST_F(ColorDialogUi, ScaleOutOfOrderIsRefusedAndLeavesThePaletteEmpty) {
    auto *w = OpenField(3, 2);
    user.InDialog("frmEditColors",
                  [&](QDialog *d) {
                      auto *f = Dialog(d);
                      EXPECT_EQ(ControlText(d, "txtMaxValue"), "1");
                      EXPECT_EQ(ControlText(d, "txtNullValue"), "0");
                      EXPECT_EQ(ControlText(d, "txtMinValue"), "-1");
                      // 1, 0, -1 on 200 rows: the null colour in row 100, the line from there to the middle
                      EXPECT_EQ(PalettePixel(f, 0), Rgb(0, 255, 0));
                      EXPECT_EQ(PalettePixel(f, 100), Rgb(255, 255, 255));
                      EXPECT_TRUE(f->LineNullValue->NullVisible);
                      EXPECT_EQ(f->LineNullValue->NullFromY, 100);

                      SetControlText(d, "txtMaxValue", "0");
                      EXPECT_FALSE(f->LineNullValue->NullVisible);
                      EXPECT_EQ(PalettePixel(f, 0), Rgb(255, 255, 255));  // cleared
                      ClickControl(d, "cmdOk");
                      EXPECT_TRUE(d->isVisible());
                      EXPECT_TRUE(f->Canceled);

                      SetControlText(d, "txtMaxValue", "abc");  // reads as 0: still wrong
                      ClickControl(d, "cmdOk");
                      EXPECT_TRUE(d->isVisible());

                      SetControlText(d, "txtMaxValue", "4");
                      SetControlText(d, "txtNullValue", "3");
                      EXPECT_EQ(f->LineNullValue->NullFromY, 40);  // (4 - 3) / 5 of 200 rows
                      ClickControl(d, "cmdOk");
                  })
        .Answer(MsgAnswer::Ok)
        .Answer(MsgAnswer::Ok);
    w->mnuEditColors_Click();
    ASSERT_EQ(user.MessageTexts().size(), 2u);
    const UserMessage &m = user.asked[1].message;
    EXPECT_EQ(m.text,
              "Die Wertebereiche in der Hintergrundfarbskala sind ungültig!\r\n"
              "Es muß gelten:   Maximaler Wert > Mittlerer Wert > Minimaler Wert");
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.title, "Strudelax - Farbeinstellungen");
    EXPECT_EQ(w->doc.BackMaxValue, 4);
    EXPECT_EQ(w->doc.BackNullValue, 3);
    EXPECT_EQ(w->doc.BackMinValue, -1);
}

TEST_F(ColorDialogUi, InsertButtonsTakeTheDataExtremes) {
    auto *w = OpenField(3, 2);
    // no background: the extremes are 1 and -1
    user.InDialog("frmEditColors", [&](QDialog *d) {
        auto *f = Dialog(d);
        EXPECT_EQ(f->cmdMiddle->toolTip(), "Mittelwert  0  einsetzen");
        EXPECT_EQ(f->cmdMax->toolTip(), "Maximalen Wert: 1  einsetzen");
        EXPECT_EQ(f->cmdMin->toolTip(), "Minimalen Wert:-1  einsetzen");
        EXPECT_EQ(f->cmdNull->toolTip(), "0  einsetzen");
        ClickControl(d, "cmdMinusMax");
        EXPECT_EQ(ControlText(d, "txtMinValue"), "-1");
        ClickControl(d, "cmdMinusMin");
        EXPECT_EQ(ControlText(d, "txtMaxValue"), "1");
        ClickControl(d, "cmdCancel");
    });
    w->mnuEditColors_Click();

    w->doc.View.Background = BackFromBuffer;
    const double values[] = {-2, 0.5, 3, 1, 1, 1};
    for (int k = 0; k < 6; ++k) w->doc.BackValues[static_cast<size_t>(k)] = values[k];
    user.InDialog("frmEditColors", [&](QDialog *d) {
        auto *f = Dialog(d);
        EXPECT_EQ(f->cmdMiddle->toolTip(), "Mittelwert  .5  einsetzen");
        ClickControl(d, "cmdMax");
        ClickControl(d, "cmdMin");
        EXPECT_EQ(ControlText(d, "txtMaxValue"), "3");
        EXPECT_EQ(ControlText(d, "txtMinValue"), "-2");
        SetControlText(d, "txtMinValue", "-4");
        // the tooltip now follows the boxes
        EXPECT_EQ(f->cmdMiddle->toolTip(), "Mittelwert -.5  einsetzen");
        ClickControl(d, "cmdMiddle");
        EXPECT_EQ(ControlText(d, "txtNullValue"), "-.5");
        ClickControl(d, "cmdNull");
        EXPECT_EQ(ControlText(d, "txtNullValue"), "0");
        ClickControl(d, "cmdMinusMax");
        EXPECT_EQ(ControlText(d, "txtMinValue"), "-3");
        ClickControl(d, "cmdOk");
    });
    w->mnuEditColors_Click();
    EXPECT_EQ(w->doc.BackMaxValue, 3);
    EXPECT_EQ(w->doc.BackMinValue, -3);
}

TEST_F(ColorDialogUi, ValueBoxesFilterTheKeys) {
    frmEditColors d(nullptr);
    d.show();
    QLineEdit *t = d.txtNullValue;
    t->clear();
    t->setFocus();
    QTest::keyClicks(t, "-1,5ab 2");
    EXPECT_EQ(t->text(), "-1.52");
    QTest::keyClick(t, Qt::Key_Backspace);
    EXPECT_EQ(t->text(), "-1.5");
    d.hide();
}

TEST_F(ColorDialogUi, StandardColoursAreSavedAndSetButCancelKeepsTheDocument) {
    auto *w = OpenField(3, 2);
    const ColorTable before = w->doc.Colors;
    SaveSetting("Colors", "Vector", "255");
    SaveSetting("Colors", "BackNull", "kein Wert");  // not a number: the default
    user.InDialog("frmEditColors",
                  [&](QDialog *d) {
                      auto *f = Dialog(d);
                      ClickControl(d, "cmdSetStandard");
                      EXPECT_EQ(f->picColVector->Color(), 255);
                      EXPECT_EQ(f->picColBackNull->Color(), Rgb(255, 255, 255));
                      ClickControl(d, "picColCoordSystem");
                      ClickControl(d, "cmdSaveAsStandard");
                      ClickControl(d, "cmdCancel");
                  })
        .ChooseColor(Rgb(1, 2, 3));
    w->mnuEditColors_Click();

    for (int k = 0; k < ColorCount; ++k) EXPECT_EQ(w->doc.Colors[k], before[k]) << k;
    EXPECT_FALSE(w->doc.Modified);
    // the standard colours stay saved, as decimal text under their keys
    EXPECT_EQ(GetSetting("Colors", "CoordSystem"), "197121");
    EXPECT_EQ(GetSetting("Colors", "Vector"), "255");
    EXPECT_EQ(GetSetting("Colors", "VectorQuest"), "255");
    EXPECT_EQ(GetSetting("Colors", "VectorCrit"), "51200");
    EXPECT_EQ(GetSetting("Colors", "Background"), "16777215");
    EXPECT_EQ(GetSetting("Colors", "BackMax"), "65280");
    EXPECT_EQ(GetSetting("Colors", "BackMin"), "255");
    EXPECT_EQ(GetSetting("Colors", "BackNull"), "16777215");
    EXPECT_EQ(GetSetting("Colors", "Trajectory"), "38400");

    // the close box has the effect of Cancel
    user.InDialog("frmEditColors",
                  [&](QDialog *d) {
                      ClickControl(d, "picColVector");
                      d->reject();
                  })
        .ChooseColor(Rgb(9, 9, 9));
    w->mnuEditColors_Click();
    EXPECT_EQ(w->doc.Colors[ColVector], before[ColVector]);
}

TEST_F(ColorDialogUi, ScaleBoxesShowTheStartOfALongNumberAfterEveryChange) {
    frmEditColors d(nullptr);
    d.MaxValue = 455.913035705041;
    d.MinValue = -57.2389007864673;
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    const QString value = "-455.913035705041";
    for (QLineEdit *t : {d.txtMaxValue, d.txtNullValue, d.txtMinValue}) {
        t->setText(value);
        EXPECT_EQ(t->cursorPosition(), 0);
    }
    // each button twice: the second click puts in the text the box already has
    const std::pair<const char *, QLineEdit *> buttons[] = {
        {"cmdMax", d.txtMaxValue},      {"cmdMin", d.txtMinValue},   {"cmdMinusMax", d.txtMinValue},
        {"cmdMinusMin", d.txtMaxValue}, {"cmdNull", d.txtNullValue}, {"cmdMiddle", d.txtNullValue}};
    for (const auto &[name, box] : buttons)
        for (int click = 0; click < 2; ++click) {
            ClickControl(&d, name);
            EXPECT_EQ(box->cursorPosition(), 0) << name << " " << click;
        }
    EXPECT_EQ(d.txtMinValue->text(), "-455.913035705041");

    // the keyboard in a box: the whole number selected, its start in view
    d.txtMaxValue->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(d.txtMaxValue->selectedText(), d.txtMaxValue->text());
    EXPECT_EQ(d.txtMaxValue->cursorPosition(), 0);
    // typing and moving the cursor stay the user's
    d.txtMaxValue->end(false);
    QTest::keyClicks(d.txtMaxValue, "12");
    EXPECT_EQ(d.txtMaxValue->cursorPosition(), d.txtMaxValue->text().size());
    EXPECT_TRUE(d.txtMaxValue->text().endsWith("12"));
    // leaving the box shows the start again
    d.txtMinValue->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(d.txtMaxValue->cursorPosition(), 0);
    d.hide();
}
