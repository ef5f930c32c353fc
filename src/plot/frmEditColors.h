#pragma once
// The colour settings of a document: its nine colours and the three values
// of the background colour scale, shown as a vertical palette. The caller
// fills the boxes, sets MaxValue and MinValue, shows it through
// User().ShowModal, and reads Canceled and the boxes afterwards.

#include <QAbstractButton>
#include <QDialog>
#include <QLineEdit>
#include <cstdint>

class QPushButton;

#include "platform/SelectAllLineEdit.h"

namespace sx {

class CommonDialog;
class PictureBox;

// A box showing one colour; a click asks for a new one.
class ColorBox : public QAbstractButton {
    Q_OBJECT
public:
    explicit ColorBox(QWidget *parent = nullptr);
    int32_t Color() const { return color_; }
    void SetColor(int32_t color);
    QSize sizeHint() const override { return QSize(40, 20); }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int32_t color_ = 0;
};

// A value box of the scale: selects its text on focus, filters the keys.
class ScaleValueBox : public SelectAllLineEdit {
    Q_OBJECT
public:
    explicit ScaleValueBox(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    void FilterKey(QKeyEvent *e);
    bool typing_ = false;  // a change by the user's own keys keeps the cursor where it is
};

// The three lines between the palette and the value boxes.
class ScaleLines : public QWidget {
    Q_OBJECT
public:
    explicit ScaleLines(QWidget *parent = nullptr);
    bool NullVisible = false;
    int NullFromY = 0, NullToY = 0;  // in the palette's pixels

protected:
    void paintEvent(QPaintEvent *) override;
};

class frmEditColors : public QDialog {
    Q_OBJECT
public:
    // `colorDialog` is the program's common dialog, used for choosing a colour.
    frmEditColors(CommonDialog *colorDialog, QWidget *parent = nullptr);

    bool Canceled = true;
    double MaxValue = 0, MinValue = 0;

    ColorBox *picColVector = nullptr, *picColVectorQuest = nullptr, *picColVectorCrit = nullptr,
             *picColBackground = nullptr, *picColBackMax = nullptr, *picColBackNull = nullptr, *picColBackMin = nullptr,
             *picColTraj = nullptr, *picColCoordSystem = nullptr;
    ScaleValueBox *txtMaxValue = nullptr, *txtNullValue = nullptr, *txtMinValue = nullptr;
    PictureBox *picBackgroundPalette = nullptr;
    ScaleLines *LineNullValue = nullptr;
    QPushButton *cmdMax = nullptr, *cmdMinusMax = nullptr, *cmdNull = nullptr, *cmdMiddle = nullptr, *cmdMin = nullptr,
                *cmdMinusMin = nullptr;
    QPushButton *cmdSaveAsStandard = nullptr, *cmdSetStandard = nullptr, *cmdOk = nullptr, *cmdCancel = nullptr;

    // The box of each colour of the document's table, by ColorIndex.
    ColorBox *Box(int colorIndex) const;
    // The tooltips of the insert buttons from MaxValue and MinValue.
    void SetButtonTips();

    void DrawPalette();
    void cmdMax_Click();
    void cmdMinusMin_Click();
    void cmdMin_Click();
    void cmdMinusMax_Click();
    void cmdNull_Click();
    void cmdMiddle_Click();
    void txtMaxMin_Change();
    void picCol_Click(ColorBox *box);
    void cmdSaveAsStandard_Click();
    void cmdSetStandard_Click();
    void cmdOk_Click();
    void cmdCancel_Click();

public slots:
    void reject() override;  // Escape and the close box: Canceled stays true

protected:
    void showEvent(QShowEvent *e) override;

private:
    double Value(const QLineEdit *box) const;
    CommonDialog *colorDialog_;
};

}  // namespace sx
