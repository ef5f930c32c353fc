// Handlers whose owners have not been written yet.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "document/frmVectorTable.h"
#include "platform/FlexGrid.h"
#include "platform/PictureBox.h"

namespace sx {

void frmVectorTable::CreateControls() {
    lblHeader1 = new QLabel(this);
    lblHeader2 = new QLabel(this);
    lblHeader3 = new QLabel(this);
    grdTable = new FlexGrid(this);
    grdTable->setObjectName(QStringLiteral("grdTable"));
    imgVectorfield = new PictureBox(this);
    imgVectorfield->setObjectName(QStringLiteral("imgVectorfield"));
    lblHeader1->hide();
    lblHeader2->hide();
    lblHeader3->hide();
    grdTable->hide();
}
void frmVectorTable::Form_Resize() {
    if (imgVectorfield) imgVectorfield->setGeometry(rect());
}
void frmVectorTable::ShowHeaderInfo() {}
void frmVectorTable::mnuShowHeader_Click() {}
void frmVectorTable::mnuShowTable_Click() {}
void frmVectorTable::mnuShowVectorfield_Click() {}
void frmVectorTable::mnuShowCoordSystem_Click() {}
void frmVectorTable::SyncViewMenus() {}
void frmVectorTable::FillGrid() {}
void frmVectorTable::grdTable_KeyPress(const QString &) {}
bool frmVectorTable::TableHasFocus() const { return grdTable && grdTable->hasFocus(); }
void frmVectorTable::SaveUndo(const std::string &) {}
void frmVectorTable::mnuUndo_Click() {}
void frmVectorTable::mnuEdit_Click() {}
void frmVectorTable::mnuInfoText_Click() {}
void frmVectorTable::RecalcBackground() {}
void frmVectorTable::DrawVectorfield() {}
void frmVectorTable::ClearTrajectories() { doc.Trajectories = TrajectoryRing{}; }
void frmVectorTable::BuildEditMenu() {
    mnuEdit = menuBar_->addMenu(QStringLiteral("&Bearbeiten"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
}
void frmVectorTable::BuildViewMenu() {
    mnuView = menuBar_->addMenu(QStringLiteral("&Ansicht"));
    mnuView->setObjectName(QStringLiteral("mnuView"));
}
void frmVectorTable::BuildCalculationsMenu() {}
void frmVectorTable::BuildLeftMouseMenu() {}

}  // namespace sx
