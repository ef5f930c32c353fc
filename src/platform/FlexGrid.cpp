#include "FlexGrid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>

#include "PictureBox.h"

namespace sx {

int FlexGridModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : rows_ - 1; }
int FlexGridModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : cols_ - 1; }

QVariant FlexGridModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid()) return {};
    const int r = index.row() + 1, c = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole: return text ? text(r, c) : QString();
    case Qt::ForegroundRole: return color ? PictureBox::ToQColor(color(r, c)) : QVariant();
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    case Qt::ToolTipRole: return toolTip.isEmpty() ? QVariant() : QVariant(toolTip);
    default: return {};
    }
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::DisplayRole && text)
        return orientation == Qt::Horizontal ? text(0, section + 1) : text(section + 1, 0);
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

void FlexGridModel::Reset(int rows, int cols) {
    beginResetModel();
    rows_ = std::max(1, rows);
    cols_ = std::max(1, cols);
    endResetModel();
}

void FlexGridModel::RefreshCell(int row, int col) {
    if (row <= 0 || col <= 0) {
        emit headerDataChanged(row <= 0 ? Qt::Horizontal : Qt::Vertical, 0, std::max(rows_, cols_));
        return;
    }
    const QModelIndex i = index(row - 1, col - 1);
    emit dataChanged(i, i);
}

void FlexGridModel::RefreshAll() {
    if (rows_ > 1 && cols_ > 1) emit dataChanged(index(0, 0), index(rows_ - 2, cols_ - 2));
    emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
    emit headerDataChanged(Qt::Vertical, 0, rows_ - 1);
}

FlexGrid::FlexGrid(QWidget *parent) : QTableView(parent) {
    setModel(&model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setCornerButtonEnabled(false);
    corner_ = new QLabel(this);
    corner_->setAlignment(Qt::AlignCenter);
    corner_->setAutoFillBackground(true);
}

void FlexGrid::SetSize(int rows, int cols) { model_.Reset(rows, cols); }

int FlexGrid::Row() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + 1 : 1;
}

int FlexGrid::Col() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() + 1 : 1;
}

void FlexGrid::SetCurrent(int row, int col) {
    const QModelIndex i = model_.index(row - 1, col - 1);
    if (i.isValid()) selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
}

namespace {
// The selection rectangle that holds the current cell.
QItemSelectionRange RangeOf(const QItemSelectionModel *sm, const QModelIndex &cur) {
    for (const QItemSelectionRange &r : sm->selection())
        if (r.contains(cur)) return r;
    return QItemSelectionRange(cur);
}
}  // namespace

int FlexGrid::RowSel() const {
    const QModelIndex cur = currentIndex();
    if (!cur.isValid()) return Row();
    const QItemSelectionRange r = RangeOf(selectionModel(), cur);
    return (cur.row() == r.top() ? r.bottom() : r.top()) + 1;
}

int FlexGrid::ColSel() const {
    const QModelIndex cur = currentIndex();
    if (!cur.isValid()) return Col();
    const QItemSelectionRange r = RangeOf(selectionModel(), cur);
    return (cur.column() == r.left() ? r.right() : r.left()) + 1;
}

void FlexGrid::SetSelection(int row, int col, int rowSel, int colSel) {
    const QModelIndex a = model_.index(row - 1, col - 1), b = model_.index(rowSel - 1, colSel - 1);
    if (!a.isValid() || !b.isValid()) return;
    selectionModel()->setCurrentIndex(a, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(a, b), QItemSelectionModel::ClearAndSelect);
}

void FlexGrid::SetColWidthTwips(double twips) {
    const int px = std::max(1, PictureBox::ToPixelsX(twips));
    horizontalHeader()->setDefaultSectionSize(px);
    verticalHeader()->setFixedWidth(px);
}

void FlexGrid::SetRowHeightTwips(double twips) {
    const int px = std::max(1, PictureBox::ToPixelsY(twips));
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(px);
    horizontalHeader()->setFixedHeight(px);
}

void FlexGrid::SetCornerText(const QString &text) { corner_->setText(text); }

void FlexGrid::SetRedraw(bool on) {
    redraw_ = on;
    setUpdatesEnabled(on);
    if (on) viewport()->update();
}

void FlexGrid::keyPressEvent(QKeyEvent *e) {
    const QString t = e->text();
    if (!t.isEmpty() && t.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        emit keyPressed(t);
        return;
    }
    QTableView::keyPressEvent(e);
}

void FlexGrid::resizeEvent(QResizeEvent *e) {
    QTableView::resizeEvent(e);
    corner_->setGeometry(0, 0, verticalHeader()->width(), horizontalHeader()->height());
    corner_->raise();
}

}  // namespace sx
