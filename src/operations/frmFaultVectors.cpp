#include "operations/frmFaultVectors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <vector>

#include "Numbers.h"
#include "platform/KeyPressCode.h"

namespace sx {

FaultNumberBox::FaultNumberBox(FaultKeyKind kind, const QString &text, QWidget *parent)
    : QLineEdit(text, parent), kind_(kind) {}

int FaultNumberBox::KeyPress(int key) const {
    // the caret is the start of the selection, as after focusing
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    return FilterFaultKey(kind_, key, text().toStdString(), caret);
}

void FaultNumberBox::focusInEvent(QFocusEvent *e) {
    QLineEdit::focusInEvent(e);
    // after a click has placed the cursor: the whole text, caret at 0
    QTimer::singleShot(0, this, [this] { setSelection(int(text().size()), -int(text().size())); });
}

void FaultNumberBox::keyPressEvent(QKeyEvent *e) {
    const int code = KeyPressCode(e);
    if (code < 0 || IsDialogKey(e)) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const int k = KeyPress(code);
    if (k == 0) {
        e->accept();
        return;
    }
    if (k != code) {  // "," typed, "." meant
        QKeyEvent turned(e->type(), Qt::Key_Period, Qt::NoModifier, QString(QChar(k)));
        QLineEdit::keyPressEvent(&turned);
        return;
    }
    // control codes up to 27 (Ctrl+V among them) keep their usual meaning
    QLineEdit::keyPressEvent(e);
}

namespace {

template <class W>
W *Named(W *w, const char *name, const char *tip = nullptr) {
    w->setObjectName(QString::fromLatin1(name));
    if (tip) w->setToolTip(QString::fromUtf8(tip));
    return w;
}

QLabel *MakeLabel(QWidget *parent, const char *name, const char *text) {
    return Named(new QLabel(QString::fromUtf8(text), parent), name);
}

}  // namespace

frmFaultVectors::frmFaultVectors(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmFaultVectors"));
    setWindowTitle(QStringLiteral("Fehlerhafte Vektoren suchen"));
    auto box = [this](FaultKeyKind kind, const char *name, const char *text, const char *tip, QWidget *p) {
        auto *b = Named(new FaultNumberBox(kind, QString::fromUtf8(text), p), name, tip);
        b->setMaximumWidth(70);
        return b;
    };
    auto check = [](QWidget *p, const char *name, const char *text, const char *tip) {
        return Named(new QCheckBox(QString::fromUtf8(text), p), name, tip);
    };
    auto option = [](QWidget *p, const char *name, const char *text, const char *tip) {
        return Named(new QRadioButton(QString::fromUtf8(text), p), name, tip);
    };
    const char *tipMin = "Geben Sie hier die untere Intervallgrenze ein";
    const char *tipMax = "Geben Sie hier die obere Intervallgrenze ein";

    auto *root = new QGridLayout(this);
    lblTitle = MakeLabel(this, "lblTitle", "Vektoren fehlerhaft, wenn:");
    lblTitle->setFont(QFont(QStringLiteral("Arial"), lblTitle->font().pointSize()));
    root->addWidget(lblTitle, 0, 0, 1, 2);

    // magnitude
    fraAbs = Named(new QGroupBox(QStringLiteral("Betrag"), this), "fraAbs");
    {
        auto *g = new QGridLayout(fraAbs);
        chkAbsDeviation = check(fraAbs, "chkAbsDeviation", "Abweichung vom Betrag",
                                "Vektor fehlerhaft, wenn der Betrag eines Vektors zu sehr vom Betrag des (rechts "
                                "eingestellten) Vergleichsvektors abweicht");
        Label2 = MakeLabel(fraAbs, "Label2", ">");
        txtAbsDeviation = box(FaultKeyKind::Digits, "txtAbsDeviation", "30",
                              "Geben Sie hier die maximal erlaubte Abweichung (in Prozent) ein", fraAbs);
        txtAbsDeviation->setMaxLength(3);
        Label3 = MakeLabel(fraAbs, "Label3", "%");
        Label1 = MakeLabel(fraAbs, "Label1", "des Vergleichsvektors");
        chkAbsInterval = check(fraAbs, "chkAbsInterval", "Betrag des Vektors",
                               "Betrag jedes Vektors mit dem unten eingestellten Intervall vergleichen");
        fraAbsIntInOut = Named(new QWidget(fraAbs), "fraAbsIntInOut");
        auto *io = new QHBoxLayout(fraAbsIntInOut);
        io->setContentsMargins(0, 0, 0, 0);
        optAbsIntOut = option(fraAbsIntInOut, "optAbsIntOut", "außerhalb   /",
                              "Vektor fehlerhaft, wenn sein Betrag NICHT in das unten eingestellte Intervall fällt");
        optAbsIntIn = option(fraAbsIntInOut, "optAbsIntIn", "innerhalb",
                             "Vektor fehlerhaft, wenn sein Betrag IN das unten eingestellte Intervall fällt");
        io->addWidget(optAbsIntOut);
        io->addWidget(optAbsIntIn);
        Label4 = MakeLabel(fraAbs, "Label4", "des Intervalls");
        txtAbsIntMin = box(FaultKeyKind::UnsignedDecimal, "txtAbsIntMin", "0", tipMin, fraAbs);
        Label5 = MakeLabel(fraAbs, "Label5", "bis");
        txtAbsIntMax = box(FaultKeyKind::UnsignedDecimal, "txtAbsIntMax", "10", tipMax, fraAbs);
        g->addWidget(chkAbsDeviation, 0, 0);
        g->addWidget(Label2, 0, 1);
        g->addWidget(txtAbsDeviation, 0, 2);
        g->addWidget(Label3, 0, 3);
        g->addWidget(Label1, 1, 0, 1, 4, Qt::AlignRight);
        g->addWidget(chkAbsInterval, 2, 0);
        g->addWidget(fraAbsIntInOut, 2, 1, 1, 4);
        g->addWidget(Label4, 3, 0, Qt::AlignRight);
        g->addWidget(txtAbsIntMin, 3, 1, 1, 2);
        g->addWidget(Label5, 3, 3);
        g->addWidget(txtAbsIntMax, 3, 4);
    }
    root->addWidget(fraAbs, 1, 0);

    // direction
    fraDirection = Named(new QGroupBox(QStringLiteral("Richtung"), this), "fraDirection");
    {
        auto *g = new QGridLayout(fraDirection);
        chkDirDeviation = check(fraDirection, "chkDirDeviation", "Abweichung von der Richtung",
                                "Vektor fehlerhaft, wenn die Richtung eines Vektors zu sehr von der des (rechts "
                                "eingestellten) Vergleichsvektors abweicht");
        Label11 = MakeLabel(fraDirection, "Label11", ">");
        txtDirDeviation = box(FaultKeyKind::Digits, "txtDirDeviation", "10",
                              "Geben Sie hier die maximal erlaubte Abweichung (in Grad) ein", fraDirection);
        txtDirDeviation->setMaxLength(3);
        Label12 = MakeLabel(fraDirection, "Label12", "°");
        Label10 = MakeLabel(fraDirection, "Label10", "des Vergleichsvektors");
        g->addWidget(chkDirDeviation, 0, 0);
        g->addWidget(Label11, 0, 1);
        g->addWidget(txtDirDeviation, 0, 2);
        g->addWidget(Label12, 0, 3);
        g->addWidget(Label10, 1, 0, 1, 4, Qt::AlignRight);
    }
    root->addWidget(fraDirection, 2, 0);

    // components
    fraComponents = Named(new QGroupBox(QStringLiteral("Komponenten"), this), "fraComponents");
    {
        auto *g = new QGridLayout(fraComponents);
        auto component = [&](int row, QCheckBox *&chk, const char *chkName, const char *chkText, const char *chkTip,
                             QWidget *&fra, const char *fraName, QRadioButton *&out, const char *outName,
                             const char *outTip, QRadioButton *&in, const char *inName, const char *inTip,
                             QLabel *&lblOf, const char *lblOfName, FaultNumberBox *&min, const char *minName,
                             QLabel *&lblTo, const char *lblToName, FaultNumberBox *&max, const char *maxName) {
            chk = check(fraComponents, chkName, chkText, chkTip);
            fra = Named(new QWidget(fraComponents), fraName);
            auto *io = new QHBoxLayout(fra);
            io->setContentsMargins(0, 0, 0, 0);
            out = option(fra, outName, "außerhalb   /", outTip);
            in = option(fra, inName, "innerhalb", inTip);
            io->addWidget(out);
            io->addWidget(in);
            lblOf = MakeLabel(fraComponents, lblOfName, "des Intervalls");
            min = box(FaultKeyKind::SignedDecimal, minName, "-10", tipMin, fraComponents);
            lblTo = MakeLabel(fraComponents, lblToName, "bis");
            max = box(FaultKeyKind::SignedDecimal, maxName, "10", tipMax, fraComponents);
            g->addWidget(chk, row, 0);
            g->addWidget(fra, row, 1, 1, 3);
            g->addWidget(lblOf, row + 1, 0, Qt::AlignRight);
            g->addWidget(min, row + 1, 1);
            g->addWidget(lblTo, row + 1, 2);
            g->addWidget(max, row + 1, 3);
        };
        component(0, chkXComp, "chkXComp", "x-Komponente",
                  "x-Komponente jedes Vektors mit dem unten angegebenen Intervall vergleichen", fraXCompIntInOut,
                  "fraXCompIntInOut", optXCompIntOut, "optXCompIntOut",
                  "Vektor fehlerhaft, wenn seine x-Komponente NICHT in das angegebene Intervall fällt", optXCompIntIn,
                  "optXCompIntIn", "Vektor fehlerhaft, wenn seine x-Komponente IN das angegebene Intervall fällt",
                  Label6, "Label6", txtXCompIntMin, "txtXCompIntMin", Label7, "Label7", txtXCompIntMax,
                  "txtXCompIntMax");
        component(2, chkYComp, "chkYComp", "y-Komponente",
                  "y-Komponente jedes Vektors mit dem unten angegebenen Intervall vergleichen", fraYCompIntInOut,
                  "fraYCompIntInOut", optYCompIntOut, "optYCompIntOut",
                  "Vektor fehlerhaft, wenn seine y-Komponente NICHT in das angegebene Intervall fällt", optYCompIntIn,
                  "optYCompIntIn", "Vektor fehlerhaft, wenn seine y-Komponente IN das angegebene Intervall fällt",
                  Label8, "Label8", txtYCompIntMin, "txtYCompIntMin", Label9, "Label9", txtYCompIntMax,
                  "txtYCompIntMax");
    }
    root->addWidget(fraComponents, 3, 0);

    // comparison vector
    fraCompareWith = Named(new QGroupBox(QStringLiteral("Vergleichsvektor"), this), "fraCompareWith");
    {
        auto *g = new QGridLayout(fraCompareWith);
        auto list = [this](const char *name, const char *tip) {
            auto *c = Named(new QComboBox(fraCompareWith), name, tip);
            c->setEditable(false);
            return c;
        };
        const char *tipWidthMean =
            "Wählen Sie hier die Breite des Bereichs (Anzahl Vektoren), in dem der Mittelwert "
            "berechnet wird";
        const char *tipHeightMean =
            "Wählen Sie hier die Höhe des Bereichs (Anzahl Vektoren), in dem der Mittelwert "
            "berechnet wird";
        const char *tipWidthMedian =
            "Wählen Sie hier die Breite des Bereichs (Anzahl Vektoren), aus dem der "
            "Median-Vektor ermittelt wird";
        const char *tipHeightMedian =
            "Wählen Sie hier die Höhe des Bereichs (Anzahl Vektoren), aus dem der "
            "Median-Vektor ermittelt wird";
        optLocalMiddle = option(fraCompareWith, "optLocalMiddle", "Lokaler Mittelwert",
                                "Um jeden Vektor wird ein lokaler Mittelwert (aus einem Bereich der unten "
                                "angegebenen Größe) berechnet");
        cboLocalMiddleX = list("cboLocalMiddleX", tipWidthMean);
        Label13 = MakeLabel(fraCompareWith, "Label13", "x");
        cboLocalMiddleY = list("cboLocalMiddleY", tipHeightMean);
        optMedian = option(fraCompareWith, "optMedian", "Median   (nach Betrag)",
                           "So wie lokaler Mittelwert, nur daß mittlere Vektor durch sortieren aller Vektoren nach "
                           "deren Betrag herausgefunden wird");
        cboMedianX = list("cboMedianX", tipWidthMedian);
        Label14 = MakeLabel(fraCompareWith, "Label14", "x");
        cboMedianY = list("cboMedianY", tipHeightMedian);
        optAllMiddle = option(fraCompareWith, "optAllMiddle", "Gesamtmittelwert",
                              "Mittelwert aller gültigen Vektoren im gesamten Vektorfeld");
        optUserVector = option(fraCompareWith, "optUserVector", "Benutzerdefiniert",
                               "Jeder Vektor ist mit dem unten angegebenen, konstanten Vektor zu vergleichen");
        Label15 = MakeLabel(fraCompareWith, "Label15", "x =");
        txtUserVectorX =
            box(FaultKeyKind::SignedDecimal, "txtUserVectorX", "0",
                "Geben Sie hier die x-Komponente des benutzerdefinierten, konstanten Vektors ein", fraCompareWith);
        Label16 = MakeLabel(fraCompareWith, "Label16", "y =");
        txtUserVectorY =
            box(FaultKeyKind::SignedDecimal, "txtUserVectorY", "0",
                "Geben Sie hier die y-Komponente des benutzerdefinierten, konstanten Vektors ein", fraCompareWith);
        g->addWidget(optLocalMiddle, 0, 0, 1, 4);
        g->addWidget(cboLocalMiddleX, 1, 1);
        g->addWidget(Label13, 1, 2, Qt::AlignCenter);
        g->addWidget(cboLocalMiddleY, 1, 3);
        g->addWidget(optMedian, 2, 0, 1, 4);
        g->addWidget(cboMedianX, 3, 1);
        g->addWidget(Label14, 3, 2, Qt::AlignCenter);
        g->addWidget(cboMedianY, 3, 3);
        g->addWidget(optAllMiddle, 4, 0, 1, 4);
        g->addWidget(optUserVector, 5, 0, 1, 4);
        g->addWidget(Label15, 6, 0, Qt::AlignRight);
        g->addWidget(txtUserVectorX, 6, 1);
        g->addWidget(Label16, 6, 2, Qt::AlignRight);
        g->addWidget(txtUserVectorY, 6, 3);
    }
    root->addWidget(fraCompareWith, 1, 1, 2, 1);

    fraLogicalAndOr = Named(new QGroupBox(QStringLiteral("Logische Verknüpfung"), this), "fraLogicalAndOr",
                            "Logische Verknüpfungen zwischen den einzelnen (links) angegebenen Bedingungen, wenn "
                            "MEHRERE markiert sind (siehe 'Oder' bzw. 'Und')");
    {
        auto *h = new QHBoxLayout(fraLogicalAndOr);
        optLogicalAnd = option(fraLogicalAndOr, "optLogicalAnd", "Und",
                               "Ein Vektor wird nur dann als 'fehlerhaft' markiert, wenn ALLE MARKIERTEN "
                               "Bedingungen zutreffen");
        optLogicalOr = option(fraLogicalAndOr, "optLogicalOr", "Oder",
                              "Ein Vektor wird bereits dann als 'fehlerhaft' markiert, wenn MINDESTENS EINE "
                              "EINZIGE der Bedingungen zutrifft");
        h->addWidget(optLogicalAnd);
        h->addWidget(optLogicalOr);
    }
    auto *right = new QVBoxLayout;
    right->addWidget(fraLogicalAndOr);
    right->addStretch();
    cmdOk = Named(new QPushButton(QStringLiteral("&Ok"), this), "cmdOk");
    cmdOk->setDefault(true);
    cmdOk->setAutoDefault(true);
    cmdCancel = Named(new QPushButton(QStringLiteral("&Abbrechen"), this), "cmdCancel");
    cmdCancel->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    right->addLayout(buttons);
    root->addLayout(right, 3, 1);

    // design state
    optAbsIntOut->setChecked(true);
    optXCompIntOut->setChecked(true);
    optYCompIntOut->setChecked(true);
    optLocalMiddle->setChecked(true);
    optLogicalOr->setChecked(true);
    for (QWidget *w : std::initializer_list<QWidget *>{
             Label2,          txtAbsDeviation, Label3,       optAbsIntOut,   optAbsIntIn,     Label4,
             txtAbsIntMin,    Label5,          txtAbsIntMax, Label11,        txtDirDeviation, Label12,
             optXCompIntOut,  optXCompIntIn,   Label6,       txtXCompIntMin, Label7,          txtXCompIntMax,
             optYCompIntOut,  optYCompIntIn,   Label8,       txtYCompIntMin, Label9,          txtYCompIntMax,
             fraLogicalAndOr, optLogicalAnd,   optLogicalOr, cmdOk})
        w->setEnabled(false);
    SetCompareEnabled(false);

    connect(cmdOk, &QPushButton::clicked, this, &frmFaultVectors::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFaultVectors::cmdCancel_Click);
    connect(chkAbsDeviation, &QCheckBox::toggled, this, &frmFaultVectors::chkAbsDeviation_Click);
    connect(chkDirDeviation, &QCheckBox::toggled, this, &frmFaultVectors::chkDirDeviation_Click);
    connect(chkAbsInterval, &QCheckBox::toggled, this, &frmFaultVectors::chkAbsInterval_Click);
    connect(chkXComp, &QCheckBox::toggled, this, &frmFaultVectors::chkXComp_Click);
    connect(chkYComp, &QCheckBox::toggled, this, &frmFaultVectors::chkYComp_Click);
    for (QRadioButton *o : {optAllMiddle, optLocalMiddle, optMedian, optUserVector})
        connect(o, &QRadioButton::toggled, this, &frmFaultVectors::CompareRefresh);
}

void frmFaultVectors::SetCompareEnabled(bool on) {
    for (QWidget *w : std::initializer_list<QWidget *>{
             fraCompareWith, optLocalMiddle, optAllMiddle, optMedian, optUserVector, Label13, Label14, Label15, Label16,
             cboLocalMiddleX, cboLocalMiddleY, cboMedianX, cboMedianY, txtUserVectorX, txtUserVectorY})
        w->setEnabled(on);
}

void frmFaultVectors::CompareRefresh() {
    const bool local = optLocalMiddle->isChecked(), median = optMedian->isChecked(), user = optUserVector->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{cboLocalMiddleX, cboLocalMiddleY, Label13}) w->setEnabled(local);
    for (QWidget *w : std::initializer_list<QWidget *>{cboMedianX, cboMedianY, Label14}) w->setEnabled(median);
    for (QWidget *w : std::initializer_list<QWidget *>{txtUserVectorX, txtUserVectorY, Label15, Label16})
        w->setEnabled(user);
}

void frmFaultVectors::CriterionClicked(QCheckBox *box) {
    const bool on = box->isChecked();
    std::vector<QWidget *> group;
    if (box == chkAbsDeviation)
        group = {txtAbsDeviation, Label2, Label3};
    else if (box == chkDirDeviation)
        group = {txtDirDeviation, Label11, Label12};
    else if (box == chkAbsInterval)
        group = {optAbsIntIn, optAbsIntOut, txtAbsIntMax, txtAbsIntMin, Label4, Label5};
    else if (box == chkXComp)
        group = {optXCompIntIn, optXCompIntOut, txtXCompIntMax, txtXCompIntMin, Label6, Label7};
    else
        group = {optYCompIntIn, optYCompIntOut, txtYCompIntMax, txtYCompIntMin, Label8, Label9};
    for (QWidget *w : group) w->setEnabled(on);

    // the two deviation criteria share the comparison vector
    if (box == chkAbsDeviation || box == chkDirDeviation) {
        QCheckBox *other = box == chkAbsDeviation ? chkDirDeviation : chkAbsDeviation;
        if (!other->isChecked()) {
            if (on) {
                for (QWidget *w : std::initializer_list<QWidget *>{fraCompareWith, optLocalMiddle, optAllMiddle,
                                                                   optMedian, optUserVector})
                    w->setEnabled(true);
                CompareRefresh();
            } else {
                SetCompareEnabled(false);
            }
        }
    }

    int n = 0;
    for (QCheckBox *c : {chkAbsDeviation, chkDirDeviation, chkAbsInterval, chkXComp, chkYComp})
        if (c->isChecked()) ++n;
    if (n >= 2 && !fraLogicalAndOr->isEnabled()) {
        fraLogicalAndOr->setEnabled(true);
        optLogicalAnd->setEnabled(true);
        optLogicalOr->setEnabled(true);
    } else if (n < 2 && fraLogicalAndOr->isEnabled()) {
        fraLogicalAndOr->setEnabled(false);
        optLogicalAnd->setEnabled(false);
        optLogicalOr->setEnabled(false);
    }
    cmdOk->setEnabled(n >= 1);
}

void frmFaultVectors::chkAbsDeviation_Click() { CriterionClicked(chkAbsDeviation); }
void frmFaultVectors::chkDirDeviation_Click() { CriterionClicked(chkDirDeviation); }
void frmFaultVectors::chkAbsInterval_Click() { CriterionClicked(chkAbsInterval); }
void frmFaultVectors::chkXComp_Click() { CriterionClicked(chkXComp); }
void frmFaultVectors::chkYComp_Click() { CriterionClicked(chkYComp); }

void frmFaultVectors::cmdOk_Click() {
    Canceled = false;
    const std::pair<QLineEdit *, QLineEdit *> pairs[] = {
        {txtAbsIntMin, txtAbsIntMax}, {txtXCompIntMin, txtXCompIntMax}, {txtYCompIntMin, txtYCompIntMax}};
    for (const auto &[lo, hi] : pairs) {
        if (BoundsNeedSwap(lo->text().toStdString(), hi->text().toStdString())) {
            const QString t = lo->text();
            lo->setText(hi->text());
            hi->setText(t);
        }
    }
    hide();
}

void frmFaultVectors::cmdCancel_Click() {
    Canceled = true;
    hide();
}

void frmFaultVectors::reject() { cmdCancel_Click(); }

FaultCriteria frmFaultVectors::Criteria() const {
    auto num = [](const QLineEdit *e) { return ParseNumber(e->text().toStdString()); };
    FaultCriteria c;
    c.AbsDeviation = chkAbsDeviation->isChecked();
    c.DirDeviation = chkDirDeviation->isChecked();
    c.AbsInterval = chkAbsInterval->isChecked();
    c.XComp = chkXComp->isChecked();
    c.YComp = chkYComp->isChecked();
    c.AbsDeviationPercent = num(txtAbsDeviation);
    c.DirDeviationDegrees = num(txtDirDeviation);
    c.AbsMin = num(txtAbsIntMin);
    c.AbsMax = num(txtAbsIntMax);
    c.XMin = num(txtXCompIntMin);
    c.XMax = num(txtXCompIntMax);
    c.YMin = num(txtYCompIntMin);
    c.YMax = num(txtYCompIntMax);
    c.AbsOutside = optAbsIntOut->isChecked();
    c.XOutside = optXCompIntOut->isChecked();
    c.YOutside = optYCompIntOut->isChecked();
    if (optAllMiddle->isChecked())
        c.Mode = CompareMode::AllMiddle;
    else if (optMedian->isChecked())
        c.Mode = CompareMode::Median;
    else if (optUserVector->isChecked())
        c.Mode = CompareMode::UserVector;
    else
        c.Mode = CompareMode::LocalMiddle;
    const QComboBox *hx = c.Mode == CompareMode::Median ? cboMedianX : cboLocalMiddleX;
    const QComboBox *hy = c.Mode == CompareMode::Median ? cboMedianY : cboLocalMiddleY;
    c.HalfX = HalfWindowFromText(hx->currentText().toStdString());
    c.HalfY = HalfWindowFromText(hy->currentText().toStdString());
    c.UserU = num(txtUserVectorX);
    c.UserV = num(txtUserVectorY);
    c.LogicalOr = optLogicalOr->isChecked();
    return c;
}

}  // namespace sx
