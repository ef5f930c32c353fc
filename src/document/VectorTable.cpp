// The vector table: filling it, editing one cell, and the clipboard
// commands of the Edit menu.
#include <QAction>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>

#include "TableColumns.h"
#include "TableText.h"
#include "document/frmEditVector.h"
#include "document/frmVectorTable.h"
#include "platform/Clipboard.h"
#include "platform/FlexGrid.h"
#include "platform/PictureBox.h"
#include "platform/UserInteraction.h"
#include "platform/WaitCursor.h"

namespace sx {

namespace {

// Beyond this many cells one repaint of the whole table is cheaper than
// announcing every cell.
constexpr long kCellByCellLimit = 4096;

// Return, Backspace and Escape type a character too, so they open the
// editor like any other typed key; the grid reports only printable ones.
class TableKeys : public QObject {
public:
    explicit TableKeys(frmVectorTable *owner) : QObject(owner), owner_(owner) {}

protected:
    bool eventFilter(QObject *watched, QEvent *e) override {
        if (e->type() == QEvent::KeyPress) {
            auto *k = static_cast<QKeyEvent *>(e);
            const bool plain = !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
            switch (k->key()) {
                case Qt::Key_Return:
                case Qt::Key_Enter:
                case Qt::Key_Backspace:
                case Qt::Key_Escape:
                    if (plain) {
                        owner_->grdTable_KeyPress(k->text());
                        return true;
                    }
                    break;
                default: break;
            }
        }
        return QObject::eventFilter(watched, e);
    }

private:
    frmVectorTable *owner_;
};

// The column width was chosen for a small dialog font: shrink the font until
// a vector of two negative components fits into a column again.
QFont TableFont(QFont f) {
    f.setStretch(QFont::SemiCondensed);
    f.setPointSizeF(8);
    const QString sample = QStringLiteral("(-0.0000; -0.0000)");
    const int room = PictureBox::ToPixelsX(kTableColumnWidth) - 8;  // less the cell margins
    while (f.pointSizeF() > 6 && QFontMetrics(f).horizontalAdvance(sample) > room)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    return f;
}

// 1500 twips where every text fits; wider where a large component or
// position would be cut off, so that no component is ever hidden.
double TableColumnTwips(const FlexGrid &grid, const TableWidestTexts &widest) {
    constexpr int kMargins = 8;  // pixels left and right of a cell text
    int px = PictureBox::ToPixelsX(kTableColumnWidth);
    px = std::max(px, QFontMetrics(grid.font()).horizontalAdvance(QString::fromStdString(widest.Cell)) + kMargins);
    QFont header = grid.horizontalHeader()->font();
    header.setBold(true);  // the header of the current cell is shown bold
    px = std::max(px, QFontMetrics(header).horizontalAdvance(QString::fromStdString(widest.Header)) + kMargins);
    return px == PictureBox::ToPixelsX(kTableColumnWidth) ? kTableColumnWidth : px * PictureBox::TwipsPerPixelX();
}

}  // namespace

char frmVectorTable::LocaleDecimalSeparator() {
    const QString p = QLocale::system().decimalPoint();
    if (p.size() == 1 && p.at(0).unicode() < 128) return static_cast<char>(p.at(0).unicode());
    return '.';
}

void frmVectorTable::ConnectTable() {
    FlexGridModel &m = grdTable->Model();
    m.text = [this](int row, int col) -> QString {
        if (row < 0 || col < 0 || row > doc.NY || col > doc.NX) return QString();
        if (row == 0 && col == 0) return QString::fromUtf8(kTableCornerText);
        if (row == 0) return QString::fromStdString(TableColumnHeaderText(doc, col, tableSeparator_));
        if (col == 0) return QString::fromStdString(TableRowHeaderText(doc, row, tableSeparator_));
        return QString::fromStdString(TableCellText(doc, col, row, tableSeparator_));
    };
    m.color = [this](int row, int col) -> int32_t {
        if (row < 1 || col < 1 || row > doc.NY || col > doc.NX) return 0;
        return TableCellColor(doc.Status(col, row));
    };
    grdTable->setFont(TableFont(grdTable->font()));
    connect(grdTable, &FlexGrid::keyPressed, this, [this](const QString &key) { grdTable_KeyPress(key); });
    grdTable->installEventFilter(new TableKeys(this));
}

void frmVectorTable::FillGrid() {
    WaitCursor busy;
    grdTable->SetRedraw(false);
    tableSeparator_ = LocaleDecimalSeparator();
    grdTable->Model().toolTip = QString::fromUtf8(kTableToolTip);
    if (grdTable->Rows() != doc.NY + 1 || grdTable->Cols() != doc.NX + 1) {
        grdTable->SetSize(doc.NY + 1, doc.NX + 1);
        grdTable->SetCurrent(1, 1);
    }
    grdTable->SetCornerText(QString::fromUtf8(kTableCornerText));
    grdTable->SetColWidthTwips(TableColumnTwips(*grdTable, WidestTableTexts(doc, tableSeparator_)));
    grdTable->SetRowHeightTwips(kTableRowHeight);
    // the cells are read from the document when they are painted
    grdTable->RefreshAll();
    grdTable->SetRedraw(true);
}

bool frmVectorTable::TableHasFocus() const {
    // the window's active control, whether or not the window is active
    return grdTable && focusWidget() == grdTable && grdTable->isVisibleTo(this);
}

bool frmVectorTable::EditVectorAt(int i, int j) {
    frmEditVector dlg(this);
    dlg.SetXComp(doc.U(i, j));
    dlg.SetYComp(doc.V(i, j));
    dlg.SetStatus(StatusChanged);
    User().ShowModal(&dlg);
    if (dlg.Canceled) return false;
    // the caller raises its own hourglass for the refresh that follows
    WaitCursor busy;
    SaveUndo("Vektor bearbeiten");
    ApplyVectorEdit(doc, i, j, dlg.XComp(), dlg.YComp(), dlg.Status());
    return true;
}

void frmVectorTable::grdTable_KeyPress(const QString &) {
    const int i = grdTable->Col(), j = grdTable->Row();
    if (i < 1 || i > doc.NX || j < 1 || j > doc.NY) return;
    if (EditVectorAt(i, j)) {
        WaitCursor busy;
        if (doc.View.AutoClearTrajectories) ClearTrajectories();
        doc.Modified = true;
        grdTable->RefreshCell(j, i);
        ShowHeaderInfo();
        RecalcBackground();
        DrawVectorfield();
        SetCaption();
    }
    // the window may have lost the activation to the closed dialog; without
    // it the menu shortcuts would not reach this window
    activateWindow();
    grdTable->setFocus();
    grdTable->SetCurrent(j, i);
}

void frmVectorTable::mnuCopy_Click() {
    if (!TableHasFocus()) return;
    if (grdTable->ColSel() != grdTable->Col() || grdTable->RowSel() != grdTable->Row()) {
        MessageBox("Bisher funktionieren nur einzelne Vektoren, keine ganze Auswahl mehrerer!");
        return;
    }
    const int i = grdTable->Col(), j = grdTable->Row();
    if (i < 1 || i > doc.NX || j < 1 || j > doc.NY) return;
    Clipboard::Clear();
    Clipboard::SetText(QString::fromStdString(ClipboardVectorText(doc.U(i, j), doc.V(i, j))));
}

void frmVectorTable::mnuCopyAll_Click() {
    if (MessageBox("Achtung! Das Kopieren dauert leider etwas und läßt sich auch nicht abbrechen! "
                   "Wollen Sie den Vorgang wirklich starten?",
                   MsgIcon::Question, MsgButtons::YesNo, "Kopieren bestätigen") != MsgAnswer::Yes)
        return;
    {
        WaitCursor busy;
        std::string text = ClipboardTableText(doc, LocaleDecimalSeparator());
        Clipboard::Clear();
        // tens of megabytes for a large field: handed over, not copied
        Clipboard::TakeText(std::move(text));
    }
    MessageBox(
        "Die gesamte Tabelle wurde in die Zwischenablage kopiert. "
        "Sie können sie nun über den Menübefehl 'Einfügen' in andere Programme wie Excel einfügen...",
        MsgIcon::Information, MsgButtons::Ok, "Tabelle kopiert");
}

void frmVectorTable::mnuPaste_Click() {
    if (!TableHasFocus()) {
        MessageBox("Sie können nur in der Tabelle etwas einfügen!");
        return;
    }
    const std::optional<ClipboardVector> v = ParseClipboardVectorText(Clipboard::GetText().toStdString());
    if (!v) {
        ShowHeaderInfo();
        return;
    }
    WaitCursor busy;
    SaveUndo("Vektor einfügen");
    const CellRect r = SelectionRect(doc, grdTable->Col(), grdTable->Row(), grdTable->ColSel(), grdTable->RowSel());
    grdTable->SetRedraw(false);
    PasteVector(doc, r, v->x, v->y);
    if (!r.empty()) {
        const long cells = static_cast<long>(r.lastCol - r.firstCol + 1) * (r.lastRow - r.firstRow + 1);
        if (cells > kCellByCellLimit) {
            grdTable->RefreshAll();
        } else {
            for (int i = r.firstCol; i <= r.lastCol; ++i)
                for (int j = r.firstRow; j <= r.lastRow; ++j) grdTable->RefreshCell(j, i);
        }
    }
    grdTable->SetRedraw(true);
    MarkModified();
    RecalcBackground();
    DrawVectorfield();
    ShowHeaderInfo();
}

void frmVectorTable::BuildEditMenu() {
    mnuEdit = menuBar_->addMenu(QStringLiteral("&Bearbeiten"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    connect(mnuEdit, &QMenu::aboutToShow, this, [this] { mnuEdit_Click(); });
    AddItem(mnuEdit, "mnuUndo", QStringLiteral("Rückgängig"), &frmVectorTable::mnuUndo_Click)->setEnabled(false);
    mnuEdit->addSeparator();
    AddItem(mnuEdit, "mnuCopy", QStringLiteral("Markierten Bereich &kopieren"), &frmVectorTable::mnuCopy_Click,
            QKeySequence(Qt::CTRL | Qt::Key_C));
    AddItem(mnuEdit, "mnuCopyAll", QStringLiteral("&Gesamte Tabelle kopieren"), &frmVectorTable::mnuCopyAll_Click,
            QKeySequence(Qt::CTRL | Qt::Key_Y));
    AddItem(mnuEdit, "mnuPaste", QStringLiteral("Ab aktueller Zelle &einfügen"), &frmVectorTable::mnuPaste_Click,
            QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuEdit->addSeparator();
    AddItem(mnuEdit, "mnuInfoText", QStringLiteral("&Info-Text"), &frmVectorTable::mnuInfoText_Click);
    BuildStatusItems();
    BuildBufferEditItems();
}

}  // namespace sx
