#pragma once
// The table grid: a read-only grid of text cells with one fixed header row
// and column, a current cell and a rectangular selection. Cells are not
// stored: the grid asks its owner for a cell's text and colour when it
// paints it, so filling a large table costs nothing per cell.

#include <QAbstractTableModel>
#include <QTableView>
#include <cstdint>
#include <functional>

class QLabel;

namespace sx {

class FlexGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using TextFn = std::function<QString(int row, int col)>;   // grid coordinates, 0 = header
    using ColorFn = std::function<int32_t(int row, int col)>;  // RGB of the cell text

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void Reset(int rows, int cols);
    void RefreshCell(int row, int col);
    void RefreshAll();

    TextFn text;
    ColorFn color;
    QString toolTip;

private:
    int rows_ = 1, cols_ = 1;
};

class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget *parent = nullptr);

    FlexGridModel &Model() { return model_; }

    // Rows and Cols count the fixed header row and column.
    void SetSize(int rows, int cols);
    int Rows() const { return model_.rowCount() + 1; }
    int Cols() const { return model_.columnCount() + 1; }
    // The current cell (1-based: the header row and column are 0).
    int Row() const;
    int Col() const;
    void SetCurrent(int row, int col);
    // The opposite corner of the selection.
    int RowSel() const;
    int ColSel() const;
    void SetSelection(int row, int col, int rowSel, int colSel);

    void SetColWidthTwips(double twips);
    void SetRowHeightTwips(double twips);
    void SetCornerText(const QString &text);
    void SetRedraw(bool on);
    void RefreshCell(int row, int col) { model_.RefreshCell(row, col); }
    void RefreshAll() { model_.RefreshAll(); }

signals:
    void keyPressed(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
protected slots:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    // Where the selection started: the grid's current cell. The view's own
    // current index follows the pointer and is the selection's other corner.
    QModelIndex Anchor() const;
    // Shift: the selection runs from the current cell to `to`.
    void ExtendTo(const QModelIndex &to);
    FlexGridModel model_;
    QLabel *corner_ = nullptr;
    bool redraw_ = true;
    QPersistentModelIndex anchor_;
    bool userMove_ = false;           // a key or the mouse moves the current index
    mutable bool extending_ = false;  // ... and extends the selection
};

}  // namespace sx
