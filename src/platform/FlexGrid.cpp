#include "FlexGrid.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>

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
    if (role == Qt::ToolTipRole && !toolTip.isEmpty()) return toolTip;
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

namespace {
// The current cell is the one where the selection began. While the table has
// the keyboard it is marked plainly, a tinted cell in a solid frame that
// stands out of the highlighted rest, its text keeping the status colour.
class CurrentCellDelegate : public QStyledItemDelegate {
public:
    explicit CurrentCellDelegate(FlexGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override {
        QStyleOptionViewItem o(option);
        o.state &= ~QStyle::State_HasFocus;
        const bool current = index.row() + 1 == grid_->Row() && index.column() + 1 == grid_->Col();
        if (!current || !grid_->hasFocus()) return QStyledItemDelegate::paint(painter, o, index);
        const QColor mark = o.palette.color(QPalette::Active, QPalette::Highlight);
        QColor tint = mark;
        tint.setAlpha(kTintAlpha);
        // the view has laid the selection colour under every selected cell
        painter->fillRect(o.rect, o.palette.base());
        painter->fillRect(o.rect, tint);
        o.state &= ~QStyle::State_Selected;
        QStyledItemDelegate::paint(painter, o, index);
        painter->save();
        painter->setPen(QPen(mark, kFrameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter->setBrush(Qt::NoBrush);
        const qreal in = kFrameWidth / 2.0;
        painter->drawRect(QRectF(o.rect).adjusted(in, in, -in, -in));
        painter->restore();
    }

    static constexpr int kFrameWidth = 2;
    static constexpr int kTintAlpha = 70;

private:
    FlexGrid *grid_;
};
}  // namespace

FlexGrid::FlexGrid(QWidget *parent) : QTableView(parent) {
    setModel(&model_);
    setItemDelegate(new CurrentCellDelegate(this));
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
    // the tooltip stands over the whole table: cells, headers, corner and
    // the empty room beyond the last cell
    for (QWidget *w : {static_cast<QWidget *>(viewport()), horizontalHeader()->viewport(), verticalHeader()->viewport(),
                       static_cast<QWidget *>(corner_)})
        w->installEventFilter(this);
}

bool FlexGrid::eventFilter(QObject *watched, QEvent *e) {
    if (e->type() == QEvent::ToolTip && watched->isWidgetType()) {
        const auto *h = static_cast<QHelpEvent *>(e);
        if (model_.toolTip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(h->globalPos(), model_.toolTip, static_cast<QWidget *>(watched));
        return true;
    }
    return QTableView::eventFilter(watched, e);
}

void FlexGrid::SetSize(int rows, int cols) { model_.Reset(rows, cols); }

QModelIndex FlexGrid::Anchor() const {
    if (anchor_.isValid()) return anchor_;
    return currentIndex();
}

int FlexGrid::Row() const {
    const QModelIndex i = Anchor();
    return i.isValid() ? i.row() + 1 : 1;
}

int FlexGrid::Col() const {
    const QModelIndex i = Anchor();
    return i.isValid() ? i.column() + 1 : 1;
}

void FlexGrid::SetCurrent(int row, int col) {
    const QModelIndex i = model_.index(row - 1, col - 1);
    if (!i.isValid()) return;
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    anchor_ = i;
}

namespace {
// The selection rectangle that holds the cell where the selection started.
QItemSelectionRange RangeOf(const QItemSelectionModel *sm, const QModelIndex &cur) {
    for (const QItemSelectionRange &r : sm->selection())
        if (r.contains(cur)) return r;
    return QItemSelectionRange(cur);
}
}  // namespace

int FlexGrid::RowSel() const {
    const QModelIndex cur = Anchor();
    if (!cur.isValid()) return Row();
    const QItemSelectionRange r = RangeOf(selectionModel(), cur);
    return (cur.row() == r.top() ? r.bottom() : r.top()) + 1;
}

int FlexGrid::ColSel() const {
    const QModelIndex cur = Anchor();
    if (!cur.isValid()) return Col();
    const QItemSelectionRange r = RangeOf(selectionModel(), cur);
    return (cur.column() == r.left() ? r.right() : r.left()) + 1;
}

void FlexGrid::SetSelection(int row, int col, int rowSel, int colSel) {
    const QModelIndex a = model_.index(row - 1, col - 1), b = model_.index(rowSel - 1, colSel - 1);
    if (!a.isValid() || !b.isValid()) return;
    selectionModel()->setCurrentIndex(a, QItemSelectionModel::NoUpdate);
    anchor_ = a;
    selectionModel()->select(QItemSelection(a, b), QItemSelectionModel::ClearAndSelect);
}

QItemSelectionModel::SelectionFlags FlexGrid::selectionCommand(const QModelIndex &index, const QEvent *event) const {
    const QItemSelectionModel::SelectionFlags flags = QTableView::selectionCommand(index, event);
    // Shift and dragging extend the selection from where it started
    extending_ = flags.testFlag(QItemSelectionModel::Current);
    return flags;
}

void FlexGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous) {
    QTableView::currentChanged(current, previous);
    if (!(userMove_ && extending_)) anchor_ = current;
}

void FlexGrid::ExtendTo(const QModelIndex &to) {
    const QPersistentModelIndex from(Anchor());
    if (!from.isValid() || !to.isValid()) return;
    selectionModel()->setCurrentIndex(to, QItemSelectionModel::NoUpdate);
    anchor_ = from;
    selectionModel()->select(QItemSelection(from, to), QItemSelectionModel::ClearAndSelect);
    scrollTo(to);
}

void FlexGrid::mousePressEvent(QMouseEvent *e) {
    // The view would extend from where its own last selection began, which a
    // current cell set by the program does not move; extend from ours.
    if (e->button() == Qt::LeftButton && (e->modifiers() & Qt::ShiftModifier)) {
        const QModelIndex at = indexAt(e->position().toPoint());
        if (at.isValid()) {
            ExtendTo(at);
            e->accept();
            return;
        }
    }
    userMove_ = true;
    extending_ = false;
    QTableView::mousePressEvent(e);
    userMove_ = false;
}

void FlexGrid::mouseMoveEvent(QMouseEvent *e) {
    userMove_ = true;
    extending_ = false;
    QTableView::mouseMoveEvent(e);
    userMove_ = false;
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
    CursorAction move = MoveNext;
    bool navigation = true;
    switch (e->key()) {
        case Qt::Key_Up: move = MoveUp; break;
        case Qt::Key_Down: move = MoveDown; break;
        case Qt::Key_Left: move = MoveLeft; break;
        case Qt::Key_Right: move = MoveRight; break;
        case Qt::Key_Home: move = MoveHome; break;
        case Qt::Key_End: move = MoveEnd; break;
        case Qt::Key_PageUp: move = MovePageUp; break;
        case Qt::Key_PageDown: move = MovePageDown; break;
        default: navigation = false; break;
    }
    if (navigation && (e->modifiers() & Qt::ShiftModifier)) {
        // Shift extends the selection's other corner from the current cell
        ExtendTo(moveCursor(move, e->modifiers() & ~Qt::ShiftModifier));
        e->accept();
        return;
    }
    // without Shift the arrows move on from the current cell, not from the
    // selection's other corner
    if (navigation && anchor_.isValid() && anchor_ != currentIndex())
        selectionModel()->setCurrentIndex(anchor_, QItemSelectionModel::NoUpdate);
    userMove_ = true;
    extending_ = false;
    QTableView::keyPressEvent(e);
    userMove_ = false;
}

void FlexGrid::resizeEvent(QResizeEvent *e) {
    QTableView::resizeEvent(e);
    corner_->setGeometry(0, 0, verticalHeader()->width(), horizontalHeader()->height());
    corner_->raise();
}

}  // namespace sx
