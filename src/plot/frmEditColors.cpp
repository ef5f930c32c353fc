#include "frmEditColors.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ColorSettings.h"
#include "Numbers.h"
#include "VectorDocument.h"
#include "platform/CommonDialog.h"
#include "platform/PictureBox.h"
#include "platform/SettingsStore.h"
#include "platform/UserInteraction.h"

namespace sx {

namespace {
const int kPaletteWidth = 30, kPaletteHeight = 200;

QString Q(const std::string &s) { return QString::fromStdString(s); }
}  // namespace

ColorBox::ColorBox(QWidget *parent) : QAbstractButton(parent) {
    setFixedSize(40, 20);
    setCursor(Qt::PointingHandCursor);
}

void ColorBox::SetColor(int32_t color) {
    color_ = color;
    update();
}

void ColorBox::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), PictureBox::ToQColor(color_));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

ScaleValueBox::ScaleValueBox(QWidget *parent) : SelectAllLineEdit(parent) {
    // A long number is wider than the box: its sign and leading digits
    // matter, so a value put in from outside shows its start. Putting in the
    // same text again moves the cursor to the end without a text change.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!typing_) setCursorPosition(0);
    });
    connect(this, &QLineEdit::cursorPositionChanged, this, [this](int, int now) {
        if (!typing_ && !hasFocus() && now != 0) setCursorPosition(0);
    });
}

void ScaleValueBox::focusInEvent(QFocusEvent *e) {
    SelectAllLineEdit::focusInEvent(e);
    // runs after the base's select-all: the same selection, the cursor at the start
    QTimer::singleShot(0, this, [this] {
        if (hasSelectedText() && selectedText() == text()) setSelection(text().size(), -text().size());
    });
}

void ScaleValueBox::focusOutEvent(QFocusEvent *e) {
    SelectAllLineEdit::focusOutEvent(e);
    setCursorPosition(0);
}

void ScaleValueBox::keyPressEvent(QKeyEvent *e) {
    typing_ = true;
    FilterKey(e);
    typing_ = false;
}

void ScaleValueBox::FilterKey(QKeyEvent *e) {
    // Keys without a character (arrows, Delete) and shortcuts are not typed
    // characters and keep working.
    const QString t = e->text();
    const bool shortcut = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (shortcut || t.size() != 1) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const int key = ColorValueKey(t.at(0).unicode());
    if (key == 0) {
        e->accept();
        return;
    }
    if (key != t.at(0).unicode()) {
        QKeyEvent replaced(e->type(), e->key() == Qt::Key_Comma ? Qt::Key_Period : e->key(), e->modifiers(),
                           QString(QChar(key)));
        QLineEdit::keyPressEvent(&replaced);
        return;
    }
    QLineEdit::keyPressEvent(e);
}

ScaleLines::ScaleLines(QWidget *parent) : QWidget(parent) { setFixedSize(30, kPaletteHeight); }

void ScaleLines::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    // the lines to the maximum and minimum boxes stay where they are
    p.drawLine(0, 0, width(), 0);
    p.drawLine(0, height() - 1, width(), height() - 1);
    if (NullVisible) p.drawLine(0, NullFromY, width(), NullToY);
}

frmEditColors::frmEditColors(CommonDialog *colorDialog, QWidget *parent) : QDialog(parent), colorDialog_(colorDialog) {
    setObjectName(QStringLiteral("frmEditColors"));
    setWindowTitle(QString::fromUtf8(kColorDialogTitle));

    auto colorBox = [this](const char *name) {
        auto *b = new ColorBox(this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QAbstractButton::clicked, this, [this, b] { picCol_Click(b); });
        return b;
    };
    auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    auto valueBox = [this](const char *name) {
        auto *t = new ScaleValueBox(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setFixedWidth(110);
        return t;
    };
    // one row of a frame: colour box and its label
    auto colorRow = [](QGridLayout *g, int row, ColorBox *box, const QString &label) {
        auto *l = new QLabel(label);
        l->setWordWrap(true);
        g->addWidget(box, row, 0, Qt::AlignTop);
        g->addWidget(l, row, 1, 1, -1);
    };

    picColVector = colorBox("picColVector");
    picColVectorQuest = colorBox("picColVectorQuest");
    picColVectorCrit = colorBox("picColVectorCrit");
    picColBackground = colorBox("picColBackground");
    picColBackMax = colorBox("picColBackMax");
    picColBackNull = colorBox("picColBackNull");
    picColBackMin = colorBox("picColBackMin");
    picColTraj = colorBox("picColTraj");
    picColCoordSystem = colorBox("picColCoordSystem");

    auto *fraVectors = new QGroupBox(QStringLiteral("Vektoren"), this);
    fraVectors->setObjectName(QStringLiteral("fraVectors"));
    auto *gv = new QGridLayout(fraVectors);
    colorRow(gv, 0, picColVector, QStringLiteral("Gültige Vektoren"));
    colorRow(gv, 1, picColVectorQuest, QStringLiteral("Fragwürdige Vektoren"));
    colorRow(gv, 2, picColVectorCrit, QStringLiteral("Vektor am kritischen Punkt"));

    auto *fraElse = new QGroupBox(QStringLiteral("Sonstiges"), this);
    fraElse->setObjectName(QStringLiteral("fraElse"));
    auto *ge = new QGridLayout(fraElse);
    colorRow(ge, 0, picColTraj, QStringLiteral("Stromlinien"));
    colorRow(ge, 1, picColCoordSystem, QStringLiteral("Koordinatensystem"));

    // background: the plain colour on top, then palette, lines and the three scale rows
    auto *fraBackground = new QGroupBox(QStringLiteral("Hintergrund"), this);
    fraBackground->setObjectName(QStringLiteral("fraBackground"));
    auto *gb = new QVBoxLayout(fraBackground);
    auto *plain = new QGridLayout;
    colorRow(plain, 0, picColBackground,
             QStringLiteral("Hintergrundfarbe, wenn kein anderer Hintergrund (wie z.B. Vorticity) ausgewählt ist"));
    gb->addLayout(plain);

    picBackgroundPalette = new PictureBox(this);
    picBackgroundPalette->setObjectName(QStringLiteral("picBackgroundPalette"));
    picBackgroundPalette->setFixedSize(kPaletteWidth, kPaletteHeight);
    LineNullValue = new ScaleLines(this);
    LineNullValue->setObjectName(QStringLiteral("LineNullValue"));

    txtMaxValue = valueBox("txtMaxValue");
    txtNullValue = valueBox("txtNullValue");
    txtMinValue = valueBox("txtMinValue");
    cmdMax = button("cmdMax", QStringLiteral("Max"));
    cmdMinusMin = button("cmdMinusMin", QStringLiteral("- Min"));
    cmdNull = button("cmdNull", QStringLiteral("Null"));
    cmdMiddle = button("cmdMiddle", QStringLiteral("Mitte"));
    cmdMin = button("cmdMin", QStringLiteral("Min"));
    cmdMinusMax = button("cmdMinusMax", QStringLiteral("- Max"));

    auto scaleRow = [](ColorBox *box, const QString &label, QLineEdit *value, QPushButton *b1, QPushButton *b2) {
        auto *g = new QGridLayout;
        auto *l = new QLabel(label);
        g->addWidget(box, 0, 0);
        g->addWidget(l, 0, 1, 1, 3);
        g->addWidget(new QLabel(QStringLiteral("bei")), 1, 0);
        g->addWidget(value, 1, 1);
        g->addWidget(b1, 1, 2);
        g->addWidget(b2, 1, 3);
        g->setColumnStretch(4, 1);
        return g;
    };
    auto *rows = new QVBoxLayout;
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addLayout(
        scaleRow(picColBackMax, QStringLiteral("Hintergrundfarbe bei Maximum"), txtMaxValue, cmdMax, cmdMinusMin));
    rows->addStretch();
    rows->addLayout(
        scaleRow(picColBackNull, QStringLiteral("Mittlere Hintergrundfarbe"), txtNullValue, cmdNull, cmdMiddle));
    rows->addStretch();
    rows->addLayout(
        scaleRow(picColBackMin, QStringLiteral("Hintergrundfarbe bei Minumum"), txtMinValue, cmdMin, cmdMinusMax));
    auto *scale = new QHBoxLayout;
    scale->addWidget(picBackgroundPalette, 0, Qt::AlignTop);
    scale->addWidget(LineNullValue, 0, Qt::AlignTop);
    scale->addLayout(rows, 1);
    gb->addLayout(scale);

    cmdSaveAsStandard = button("cmdSaveAsStandard", QStringLiteral("Als Standard speichern"));
    cmdSetStandard = button("cmdSetStandard", QStringLiteral("Standardfarben setzen"));
    cmdOk = button("cmdOk", QStringLiteral("&Ok"));
    cmdOk->setDefault(true);
    cmdCancel = button("cmdCancel", QStringLiteral("&Abbrechen"));

    auto *left = new QVBoxLayout;
    left->addWidget(fraVectors);
    left->addWidget(fraElse);
    left->addStretch();
    left->addWidget(cmdSaveAsStandard);
    left->addWidget(cmdSetStandard);
    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(fraBackground, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addLayout(buttons);

    cmdNull->setToolTip(QString::fromUtf8(kNullButtonTip));
    connect(cmdMax, &QPushButton::clicked, this, &frmEditColors::cmdMax_Click);
    connect(cmdMinusMin, &QPushButton::clicked, this, &frmEditColors::cmdMinusMin_Click);
    connect(cmdMin, &QPushButton::clicked, this, &frmEditColors::cmdMin_Click);
    connect(cmdMinusMax, &QPushButton::clicked, this, &frmEditColors::cmdMinusMax_Click);
    connect(cmdNull, &QPushButton::clicked, this, &frmEditColors::cmdNull_Click);
    connect(cmdMiddle, &QPushButton::clicked, this, &frmEditColors::cmdMiddle_Click);
    connect(txtMaxValue, &QLineEdit::textChanged, this, &frmEditColors::txtMaxMin_Change);
    connect(txtMinValue, &QLineEdit::textChanged, this, &frmEditColors::txtMaxMin_Change);
    connect(txtNullValue, &QLineEdit::textChanged, this, &frmEditColors::DrawPalette);
    connect(cmdSaveAsStandard, &QPushButton::clicked, this, &frmEditColors::cmdSaveAsStandard_Click);
    connect(cmdSetStandard, &QPushButton::clicked, this, &frmEditColors::cmdSetStandard_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmEditColors::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmEditColors::cmdCancel_Click);
}

ColorBox *frmEditColors::Box(int colorIndex) const {
    switch (colorIndex) {
        case ColVector: return picColVector;
        case ColVectorQuest: return picColVectorQuest;
        case ColVectorCrit: return picColVectorCrit;
        case ColCoordSystem: return picColCoordSystem;
        case ColTrajectory: return picColTraj;
        case ColBackground: return picColBackground;
        case ColBackMin: return picColBackMin;
        case ColBackNull: return picColBackNull;
        case ColBackMax: return picColBackMax;
        default: return nullptr;
    }
}

double frmEditColors::Value(const QLineEdit *box) const { return ParseNumber(box->text().toStdString()); }

void frmEditColors::SetButtonTips() {
    cmdMax->setToolTip(Q(MaxButtonTip(MaxValue)));
    cmdMinusMin->setToolTip(Q(MinusMinButtonTip(MinValue)));
    cmdMiddle->setToolTip(Q(MiddleButtonTip((MaxValue + MinValue) / 2)));
    cmdMinusMax->setToolTip(Q(MinusMaxButtonTip(MaxValue)));
    cmdMin->setToolTip(Q(MinButtonTip(MinValue)));
}

void frmEditColors::showEvent(QShowEvent *e) {
    QDialog::showEvent(e);
    DrawPalette();
}

void frmEditColors::DrawPalette() {
    PictureBox *pic = picBackgroundPalette;
    pic->Cls();
    const int h = pic->height(), w = pic->width();
    const std::optional<Palette> p =
        ComputePalette(Value(txtMaxValue), Value(txtNullValue), Value(txtMinValue), h, picColBackMax->Color(),
                       picColBackNull->Color(), picColBackMin->Color());
    if (!p) {
        LineNullValue->NullVisible = false;
        LineNullValue->update();
        pic->update();
        return;
    }
    LineNullValue->NullFromY = p->NullRow;
    LineNullValue->NullToY = h / 2;
    LineNullValue->NullVisible = true;
    LineNullValue->update();
    for (int y = 0; y < h; ++y) pic->FillRectPixels(QRect(0, y, w, 1), p->Rows[static_cast<size_t>(y)]);
    pic->update();
}

void frmEditColors::cmdMax_Click() { txtMaxValue->setText(Q(StrNumber(MaxValue))); }
void frmEditColors::cmdMinusMin_Click() { txtMaxValue->setText(Q(StrNumber(-MinValue))); }
void frmEditColors::cmdMin_Click() { txtMinValue->setText(Q(StrNumber(MinValue))); }
void frmEditColors::cmdMinusMax_Click() { txtMinValue->setText(Q(StrNumber(-MaxValue))); }
void frmEditColors::cmdNull_Click() { txtNullValue->setText(QStringLiteral("0")); }

void frmEditColors::cmdMiddle_Click() {
    txtNullValue->setText(Q(StrNumber((Value(txtMinValue) + Value(txtMaxValue)) / 2)));
}

void frmEditColors::txtMaxMin_Change() {
    cmdMiddle->setToolTip(Q(MiddleButtonTip((Value(txtMinValue) + Value(txtMaxValue)) / 2)));
    DrawPalette();
}

void frmEditColors::picCol_Click(ColorBox *box) {
    if (!colorDialog_) return;
    CommonDialog &dlg = *colorDialog_;
    dlg.Flags = 3;
    dlg.Color = box->Color();
    if (!dlg.ShowColor()) return;
    box->SetColor(dlg.Color);
    if (box == picColBackMax || box == picColBackNull || box == picColBackMin) DrawPalette();
}

void frmEditColors::cmdSaveAsStandard_Click() {
    for (const ColorSetting &s : kColorSettings)
        SaveSetting(QStringLiteral("Colors"), QString::fromLatin1(s.key), Q(ColorSettingText(Box(s.index)->Color())));
}

void frmEditColors::cmdSetStandard_Click() {
    for (const ColorSetting &s : kColorSettings) {
        const QString text =
            GetSetting(QStringLiteral("Colors"), QString::fromLatin1(s.key), Q(ColorSettingText(s.defaultValue)));
        Box(s.index)->SetColor(ColorFromSettingText(text.toStdString(), s.defaultValue));
    }
    DrawPalette();
}

void frmEditColors::cmdOk_Click() {
    if (!ColorScaleValid(Value(txtMaxValue), Value(txtNullValue), Value(txtMinValue))) {
        MessageBox(ColorScaleInvalidMessage(), MsgIcon::Exclamation, MsgButtons::Ok, kColorDialogTitle);
        txtMaxValue->setFocus();
        return;
    }
    Canceled = false;
    hide();
}

void frmEditColors::cmdCancel_Click() { hide(); }

void frmEditColors::reject() { hide(); }

}  // namespace sx
