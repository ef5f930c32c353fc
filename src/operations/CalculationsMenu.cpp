// The Calculations menu: every field operation adds its own items.
#include <QMenu>
#include <QMenuBar>

#include "document/frmVectorTable.h"

namespace sx {

void frmVectorTable::BuildCalculationsMenu() {
    mnuCalculations = menuBar_->addMenu(QStringLiteral("Be&rechnungen"));
    mnuCalculations->setObjectName(QStringLiteral("mnuCalculations"));
    connect(mnuCalculations, &QMenu::aboutToShow, this, [this] { mnuCalculations_Click(); });
    BuildFaultSearchItems();
    BuildFilterItems();
    BuildInterpolationItems();
    BuildConstVectorItems();
    BuildTransformItems();
    BuildBufferCalcItems();
}

}  // namespace sx
