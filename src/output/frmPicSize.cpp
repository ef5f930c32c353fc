#include "frmPicSize.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "BitmapExport.h"
#include "Numbers.h"
#include "document/frmVectorTable.h"
#include "platform/DialogButtons.h"
#include "platform/UserInteraction.h"

namespace sx {

PicSizeBox::PicSizeBox(Filter filter, QWidget *parent) : SelectAllLineEdit(parent), filter_(filter) {}

void PicSizeBox::keyPressEvent(QKeyEvent *e) {
    // Control keys, cursor keys and shortcuts pass; typed characters are filtered.
    const bool shortcut = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString t = e->text();
    if (shortcut || t.size() != 1 || t[0].unicode() < 28 || t[0].unicode() == 127) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const char32_t key = t[0].unicode();
    e->accept();
    if (filter_ == Filter::Digits) {
        if (SizeKeyAccepted(key)) QLineEdit::keyPressEvent(e);
        return;
    }
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    const auto c = RefVecKeyFilter(text().toStdU32String(), static_cast<size_t>(std::max(0, caret)), key);
    if (c) insert(QString(QChar(static_cast<char16_t>(*c))));
}

frmPicSize::frmPicSize(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPicSize"));
    setWindowTitle(QStringLiteral("Göße des Bildes"));
    auto *lay = new QVBoxLayout(this);

    auto label = [](QWidget *parent, const char *name, const QString &caption) {
        auto *l = new QLabel(caption, parent);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto box = [](QWidget *parent, const char *name, PicSizeBox::Filter f, const QString &text, int maxLength) {
        auto *b = new PicSizeBox(f, parent);
        b->setObjectName(QString::fromLatin1(name));
        if (maxLength > 0) b->setMaxLength(maxLength);
        b->setText(text);
        return b;
    };
    auto check = [](QWidget *parent, const char *name, const QString &caption, bool on) {
        auto *c = new QCheckBox(caption, parent);
        c->setObjectName(QString::fromLatin1(name));
        c->setChecked(on);
        return c;
    };

    fraSize = new QGroupBox(QStringLiteral("Größe"), this);
    fraSize->setObjectName(QStringLiteral("fraSize"));
    auto *sg = new QGridLayout(fraSize);
    lblxSize = label(fraSize, "lblxSize", QStringLiteral("Breite:"));
    txtxSize = box(fraSize, "txtxSize", PicSizeBox::Filter::Digits, QStringLiteral("1024"), 4);
    lblPixelX = label(fraSize, "lblPixelX", QStringLiteral("Pixel"));
    lblySize = label(fraSize, "lblySize", QStringLiteral("Höhe:"));
    txtySize = box(fraSize, "txtySize", PicSizeBox::Filter::Digits, QStringLiteral("1024"), 4);
    lblPixelY = label(fraSize, "lblPixelY", QStringLiteral("Pixel"));
    lblPictureSize = label(fraSize, "lblPictureSize", QStringLiteral("Dateigröße etwa: "));
    sg->addWidget(lblxSize, 0, 0);
    sg->addWidget(txtxSize, 0, 1);
    sg->addWidget(lblPixelX, 0, 2);
    sg->addWidget(lblySize, 1, 0);
    sg->addWidget(txtySize, 1, 1);
    sg->addWidget(lblPixelY, 1, 2);
    sg->addWidget(lblPictureSize, 2, 0, 1, 3);
    lay->addWidget(fraSize);

    fraReferenceVector = new QGroupBox(QStringLiteral("Referenzvektor"), this);
    fraReferenceVector->setObjectName(QStringLiteral("fraReferenceVector"));
    auto *rg = new QGridLayout(fraReferenceVector);
    chkRefTop = check(fraReferenceVector, "chkRefTop", QStringLiteral("&Oben"), true);
    chkRefBottom = check(fraReferenceVector, "chkRefBottom", QStringLiteral("&Unten"), false);
    chkRefLeft = check(fraReferenceVector, "chkRefLeft", QStringLiteral("&Links"), false);
    chkRefRight = check(fraReferenceVector, "chkRefRight", QStringLiteral("&Rechts"), true);
    lblRefValue = label(fraReferenceVector, "lblRefValue", QStringLiteral("Betrag in m/s:"));
    txtRefVecAbs = box(fraReferenceVector, "txtRefVecAbs", PicSizeBox::Filter::SignedDecimal, QStringLiteral("0"), 0);
    rg->addWidget(chkRefTop, 0, 0);
    rg->addWidget(chkRefLeft, 0, 1);
    rg->addWidget(chkRefBottom, 1, 0);
    rg->addWidget(chkRefRight, 1, 1);
    rg->addWidget(lblRefValue, 2, 0);
    rg->addWidget(txtRefVecAbs, 2, 1);
    lay->addWidget(fraReferenceVector);

    auto *buttons = OkCancelRow(this, cmdOk, cmdCancel);
    lay->addLayout(buttons);

    // each pair always holds opposite values; setting a box to the value it
    // already has fires nothing, so the pair settles at once
    auto pair = [](QCheckBox *a, QCheckBox *b) {
        QObject::connect(a, &QCheckBox::toggled, b, [b](bool on) { b->setChecked(!on); });
        QObject::connect(b, &QCheckBox::toggled, a, [a](bool on) { a->setChecked(!on); });
    };
    pair(chkRefTop, chkRefBottom);
    pair(chkRefLeft, chkRefRight);
    connect(txtxSize, &QLineEdit::textChanged, this, &frmPicSize::UpdateEstimate);
    connect(txtySize, &QLineEdit::textChanged, this, &frmPicSize::UpdateEstimate);
    connect(cmdOk, &QPushButton::clicked, this, &frmPicSize::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPicSize::cmdCancel_Click);
    Form_Load();
}

void frmPicSize::Form_Load() {
    clickedOk_ = false;
    UpdateEstimate();
}

void frmPicSize::UpdateEstimate() {
    lblPictureSize->setText(QString::fromStdString(PicSizeEstimateText(ParseNumber(txtxSize->text().toStdString()),
                                                                       ParseNumber(txtySize->text().toStdString()),
                                                                       frmVectorTable::LocaleDecimalSeparator())));
}

void frmPicSize::cmdOk_Click() {
    const double w = ParseNumber(txtxSize->text().toStdString());
    const double h = ParseNumber(txtySize->text().toStdString());
    if (!PicSizeAcceptable(w, h)) {
        MessageBox(PicSizeTooSmallMessage());
        return;
    }
    clickedOk_ = true;
    hide();
}

void frmPicSize::cmdCancel_Click() { hide(); }

void frmPicSize::reject() { cmdCancel_Click(); }

}  // namespace sx
