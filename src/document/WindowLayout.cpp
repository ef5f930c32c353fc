// The document window's controls, its layout on every resize, the header
// labels and the view toggles.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "HeaderInfo.h"
#include "WindowLayout.h"
#include "document/frmVectorTable.h"
#include "platform/FlexGrid.h"
#include "platform/PictureBox.h"
#include "platform/UserInteraction.h"

namespace sx {

namespace {

QLabel *MakeHeaderLabel(QWidget *parent, const char *name) {
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(false);
    return l;
}

PictureBox *MakeStrip(QWidget *parent, const char *name) {
    auto *p = new PictureBox(parent);
    p->setObjectName(QString::fromLatin1(name));
    p->setVisible(false);
    return p;
}

void Apply(QWidget *w, const LayoutRect &r) {
    frmVectorTable::PlaceTwips(w, r.Left, r.Top, r.Width, r.Height);
    w->setVisible(r.Visible);
}

}  // namespace

void frmVectorTable::PlaceTwips(QWidget *w, double left, double top, double width, double height) {
    // both edges are rounded, so that neighbours meet without a gap
    const int x0 = PictureBox::ToPixelsX(left), y0 = PictureBox::ToPixelsY(top);
    const int x1 = PictureBox::ToPixelsX(left + width), y1 = PictureBox::ToPixelsY(top + height);
    w->setGeometry(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
}

void frmVectorTable::CreateControls() {
    // The window takes the focus itself while none of its controls can, so
    // that its menu shortcuts work with the plot alone on show.
    setFocusPolicy(Qt::TabFocus);
    frmHeader = new QGroupBox(QString::fromUtf8(kHeaderFrameCaption), this);
    frmHeader->setObjectName(QStringLiteral("frmHeader"));
    lblHeader1 = MakeHeaderLabel(frmHeader, "lblHeader1");
    lblHeader2 = MakeHeaderLabel(frmHeader, "lblHeader2");
    lblHeader3 = MakeHeaderLabel(frmHeader, "lblHeader3");
    frmHeader->setVisible(false);

    grdTable = new FlexGrid(this);
    grdTable->setObjectName(QStringLiteral("grdTable"));
    grdTable->setVisible(false);
    ConnectTable();

    imgVectorfield = new PictureBox(this);
    imgVectorfield->setObjectName(QStringLiteral("imgVectorfield"));
    imgYAxis = MakeStrip(this, "imgYAxis");
    imgXAxis = MakeStrip(this, "imgXAxis");
    imgXYCorner = MakeStrip(this, "imgXYCorner");
    // the strip thicknesses are fixed
    PlaceTwips(imgYAxis, 0, 0, kYAxisWidth, kXAxisHeight);
    PlaceTwips(imgXAxis, 0, 0, kYAxisWidth, kXAxisHeight);
    PlaceTwips(imgXYCorner, 0, 0, kYAxisWidth, kXAxisHeight);
}

void frmVectorTable::Form_Resize() {
    SetCaption();
    if (resizeBusy_) {
        // the size message is open; lay out again once it is gone
        resizeAgain_ = true;
        return;
    }
    const double w = width() * PictureBox::TwipsPerPixelX();
    const double h = height() * PictureBox::TwipsPerPixelY();
    const WindowLayout L = ComputeWindowLayout(MakeLayoutInput(doc, w, h));
    if (L.Minimized) return;

    if (L.Header.Visible) {
        Apply(frmHeader, L.Header);
        Apply(lblHeader1, L.Label1);
        Apply(lblHeader2, L.Label2);
        Apply(lblHeader3, L.Label3);
    } else {
        frmHeader->setVisible(false);
    }
    if (L.RunShowHeaderInfo) ShowHeaderInfo();

    Apply(grdTable, L.Table);
    Apply(imgVectorfield, L.Plot);

    if (L.ShowSizeMessage) {
        doc.View.ShowCoordSystem = false;
        if (QAction *a = Action("mnuShowCoordSystem")) a->setChecked(false);
        QPointer<frmVectorTable> self(this);
        resizeBusy_ = true;
        resizeAgain_ = false;
        MessageBox(CoordSystemTooSmallMessage());
        if (!self) return;
        resizeBusy_ = false;
        if (resizeAgain_) {
            resizeAgain_ = false;
            Form_Resize();
            return;
        }
    }

    Apply(imgYAxis, L.YAxis);
    Apply(imgXAxis, L.XAxis);
    Apply(imgXYCorner, L.XYCorner);
    if (L.RedrawPlot) DrawVectorfield();
}

void frmVectorTable::ShowHeaderInfo() {
    const HeaderTexts t = HeaderInfoTexts(doc);
    auto show = [](QLabel *l, const std::string &text) {
        l->setText(QString::fromStdString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    };
    show(lblHeader1, t.Header1);
    show(lblHeader2, t.Header2);
    show(lblHeader3, t.Header3);
}

void frmVectorTable::mnuShowHeader_Click() {
    ToggleView(doc.View, ViewToggle::Header);
    SyncViewMenus();
    Form_Resize();
}

void frmVectorTable::mnuShowTable_Click() {
    ToggleView(doc.View, ViewToggle::Table);
    SyncViewMenus();
    Form_Resize();
}

void frmVectorTable::mnuShowVectorfield_Click() {
    ToggleView(doc.View, ViewToggle::Vectorfield);
    SyncViewMenus();
    Form_Resize();
}

void frmVectorTable::mnuShowCoordSystem_Click() {
    ToggleView(doc.View, ViewToggle::CoordSystem);
    SyncViewMenus();
    Form_Resize();
}

void frmVectorTable::SyncViewMenus() {
    const ViewState &v = doc.View;
    auto check = [this](const char *name, bool on) {
        if (QAction *a = Action(name)) a->setChecked(on);
    };
    check("mnuShowHeader", v.ShowHeader);
    check("mnuShowTable", v.ShowTable);
    check("mnuShowVectorfield", v.ShowVectorfield);
    check("mnuShowCoordSystem", v.ShowCoordSystem);
    check("mnuAspectRatioCorrection", v.AspectRatioCorrection);
    check("mnuNoVecBackground",
          v.Background != BackSwirlSquare && v.Background != BackVorticity && v.Background != BackFromBuffer);
    check("mnuVecBackgroundSwirlSquare", v.Background == BackSwirlSquare);
    check("mnuVecBackgroundVorticity", v.Background == BackVorticity);
    check("mnuVecBackgroundFromBuffer", v.Background == BackFromBuffer);
    check("mnuAutoDrawVectorfield", v.AutoDrawVectorfield);
    check("mnuAutoClearTrajectories", v.AutoClearTrajectories);
    if (QAction *a = Action("mnuShowCritPointData")) a->setEnabled(v.CritPointShown);
}

void frmVectorTable::BuildViewMenu() {
    mnuView = menuBar_->addMenu(QStringLiteral("&Ansicht"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
    AddCheckItem(mnuView, "mnuShowHeader", QStringLiteral("&Header anzeigen"), doc.View.ShowHeader,
                 &frmVectorTable::mnuShowHeader_Click, QKeySequence(Qt::CTRL | Qt::Key_H));
    AddCheckItem(mnuView, "mnuShowTable", QStringLiteral("&Tabelle anzeigen"), doc.View.ShowTable,
                 &frmVectorTable::mnuShowTable_Click, QKeySequence(Qt::CTRL | Qt::Key_T));
    AddCheckItem(mnuView, "mnuShowVectorfield", QStringLiteral("&Vektorfeld anzeigen"), doc.View.ShowVectorfield,
                 &frmVectorTable::mnuShowVectorfield_Click, QKeySequence(Qt::CTRL | Qt::Key_F));
    AddCheckItem(mnuView, "mnuShowCoordSystem", QStringLiteral("&Koordinatensystem anzeigen"), doc.View.ShowCoordSystem,
                 &frmVectorTable::mnuShowCoordSystem_Click, QKeySequence(Qt::CTRL | Qt::Key_K));
    // the plot's items (aspect ratio, scale, background, streamlines) follow
    BuildPlotViewItems();
}

}  // namespace sx
