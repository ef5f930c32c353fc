// Handlers whose owners have not been written yet.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "document/frmVectorTable.h"
#include "platform/FlexGrid.h"
#include "platform/PictureBox.h"

namespace sx {

void frmVectorTable::BuildFaultSearchItems() {}
void frmVectorTable::BuildFilterItems() {}
void frmVectorTable::BuildInterpolationItems() {}
void frmVectorTable::BuildConstVectorItems() {}
void frmVectorTable::BuildTransformItems() {}
void frmVectorTable::BuildBufferCalcItems() {}
void frmVectorTable::BuildStatusItems() {}
void frmVectorTable::BuildBufferEditItems() {}
void frmVectorTable::mnuCalculations_Click() {}
void frmVectorTable::BuildBitmapExportItems() {}
void frmVectorTable::BuildTextExportItems() {}
void frmVectorTable::BuildPrintItems() {}

}  // namespace sx
