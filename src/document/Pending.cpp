// Handlers whose owners have not been written yet.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "document/frmVectorTable.h"
#include "platform/FlexGrid.h"
#include "platform/PictureBox.h"

namespace sx {


}  // namespace sx
