// The vector table as a user handles it: the current cell stays where a
// selection began, the tooltip stands over the whole table, and the columns
// are wide enough for every component.

#include <QDialog>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

#include "TableText.h"
#include "UiTestSupport.h"
#include "platform/PictureBox.h"

using namespace sx;

namespace {

class TableGridUi : public UiTest {
protected:
    // U = 10 i + j marks every node
    frmVectorTable *OpenMarked() {
        frmVectorTable *w = OpenTableWindow(5, 5, [](VectorDocument &d) {
            for (int i = 1; i <= d.NX; ++i)
                for (int j = 1; j <= d.NY; ++j) d.U(i, j) = 10 * i + j;
        });
        if (!w) return nullptr;
        frame->resize(900, 700);
        frame->show();
        w->show();
        w->grdTable->setFocus();
        return w;
    }
    static QPoint CellCentre(FlexGrid *g, int row, int col) {
        return g->visualRect(g->Model().index(row - 1, col - 1)).center();
    }
    static void Drag(FlexGrid *g, QPoint to) {
        QMouseEvent move(QEvent::MouseMove, to, g->viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(g->viewport(), &move);
    }
    // Types a key into the table and confirms the vector editor with x = 7.
    void TypeSeven(frmVectorTable *w) {
        user.InDialog("frmEditVector", [](QDialog *d) {
            SetControlText(d, "txtXComp", "7");
            ClickControl(d, "cmdOk");
        });
        QTest::keyClick(w->grdTable, Qt::Key_A);
    }
};

}  // namespace

TEST_F(TableGridUi, ShiftClickKeepsTheCurrentCellWhereTheSelectionBegan) {
    frmVectorTable *w = OpenMarked();
    ASSERT_TRUE(w);
    FlexGrid *g = w->grdTable;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(g, 2, 2));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::ShiftModifier, CellCentre(g, 4, 3));
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->RowSel(), 4);
    EXPECT_EQ(g->ColSel(), 3);
    // a second Shift-click moves only the other corner
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::ShiftModifier, CellCentre(g, 1, 1));
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->RowSel(), 1);
    EXPECT_EQ(g->ColSel(), 1);

    TypeSeven(w);
    EXPECT_EQ(w->doc.U(2, 2), 7);
    EXPECT_EQ(w->doc.U(1, 1), 11);
    // after the edit the selection starts again at the edited cell
    QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::ShiftModifier, CellCentre(g, 3, 3));
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->RowSel(), 3);
    EXPECT_EQ(g->ColSel(), 3);
}

TEST_F(TableGridUi, DraggingAndShiftArrowsKeepTheStartAsCurrentCell) {
    frmVectorTable *w = OpenMarked();
    ASSERT_TRUE(w);
    FlexGrid *g = w->grdTable;
    QTest::mousePress(g->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(g, 3, 4));
    Drag(g, CellCentre(g, 4, 5));
    Drag(g, CellCentre(g, 5, 5));
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(g, 5, 5));
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(g->Col(), 4);
    EXPECT_EQ(g->RowSel(), 5);
    EXPECT_EQ(g->ColSel(), 5);
    TypeSeven(w);
    EXPECT_EQ(w->doc.U(4, 3), 7);
    EXPECT_EQ(w->doc.U(5, 5), 55);

    // the keyboard: Shift+arrows extend, a plain arrow moves on from the current cell
    g->SetCurrent(2, 2);
    QTest::keyClick(g, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(g, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->RowSel(), 3);
    EXPECT_EQ(g->ColSel(), 3);
    QTest::keyClick(g, Qt::Key_Right);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->RowSel(), 2);
    EXPECT_EQ(g->ColSel(), 3);
}

TEST_F(TableGridUi, CurrentCellStandsOutPlainlyWhileTheTableHasTheKeyboard) {
    frmVectorTable *w = OpenMarked();
    ASSERT_TRUE(w);
    FlexGrid *g = w->grdTable;
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    g->setFocus();
    ASSERT_TRUE(g->hasFocus());
    const QColor mark = g->palette().color(QPalette::Active, QPalette::Highlight);
    // shares of a cell's outer two-pixel ring and of its inside in the solid marking colour
    auto solid = [&](int row, int col) {
        const QImage shot = g->viewport()->grab().toImage();
        const QRect cell = g->visualRect(g->Model().index(row - 1, col - 1));
        int ring = 0, ringMark = 0, inside = 0, insideMark = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const bool in =
                    x > cell.left() + 1 && x < cell.right() - 1 && y > cell.top() + 1 && y < cell.bottom() - 1;
                const bool marked = shot.pixelColor(x, y) == mark;
                (in ? inside : ring) += 1;
                (in ? insideMark : ringMark) += marked ? 1 : 0;
            }
        return std::make_pair(static_cast<double>(ringMark) / ring, static_cast<double>(insideMark) / inside);
    };
    g->SetCurrent(2, 2);
    QTest::keyClick(g, Qt::Key_Down);  // stepping with the arrow keys
    EXPECT_GT(solid(3, 2).first, 0.9);
    EXPECT_LT(solid(2, 2).first, 0.1);
    // within a selection, whose rest is highlighted, it keeps its frame and a readable inside
    QTest::keyClick(g, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(g->Row(), 3);
    EXPECT_GT(solid(3, 2).first, 0.9);
    EXPECT_LT(solid(3, 2).second, 0.5);
    EXPECT_GT(solid(2, 2).second, 0.5);
}

TEST_F(TableGridUi, TooltipStandsOverCellsHeadersCornerAndEmptyRoom) {
    frmVectorTable *w = OpenMarked();
    ASSERT_TRUE(w);
    FlexGrid *g = w->grdTable;
    const QString tip = QString::fromUtf8("Geschwindigkeit in m/s");
    EXPECT_EQ(g->Model().headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(), tip);
    EXPECT_EQ(g->Model().headerData(0, Qt::Vertical, Qt::ToolTipRole).toString(), tip);
    QLabel *corner = g->findChild<QLabel *>();
    ASSERT_TRUE(corner);
    const std::pair<QWidget *, QPoint> places[] = {
        {g->viewport(), CellCentre(g, 2, 2)},
        {g->viewport(), QPoint(g->viewport()->width() - 2, g->viewport()->height() - 2)},  // beyond the cells
        {g->horizontalHeader()->viewport(), QPoint(5, 5)},
        {g->verticalHeader()->viewport(), QPoint(5, 5)},
        {corner, QPoint(2, 2)},
    };
    for (const auto &[widget, pos] : places) {
        QHelpEvent e(QEvent::ToolTip, pos, widget->mapToGlobal(pos));
        EXPECT_TRUE(QApplication::sendEvent(widget, &e)) << widget->metaObject()->className();
        EXPECT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(QToolTip::text(), tip);
    }
    QToolTip::hideText();
}

TEST_F(TableGridUi, ColumnsWidenOnlyWhereATextWouldBeCutOff) {
    frmVectorTable *small = OpenTableWindow(3, 2, nullptr);
    ASSERT_TRUE(small);
    const int standard = PictureBox::ToPixelsX(kTableColumnWidth);
    EXPECT_EQ(small->grdTable->horizontalHeader()->defaultSectionSize(), standard);
    EXPECT_EQ(small->grdTable->verticalHeader()->width(), standard);
    small->close();

    frmVectorTable *w = OpenTableWindow(3, 2, [](VectorDocument &d) {
        d.U(2, 1) = -13.1618;
        d.V(2, 1) = -123.4567;
        d.U(3, 2) = 1e9;  // a removed node shows no text
        d.Status(3, 2) = StatusRemoved;
    });
    ASSERT_TRUE(w);
    FlexGrid *g = w->grdTable;
    const QString text = TableCell(w, 1, 2);
    ASSERT_TRUE(text.endsWith("123" + QString(QChar::fromLatin1(frmVectorTable::LocaleDecimalSeparator())) + "4567)"))
        << text.toStdString();
    const int width = g->horizontalHeader()->defaultSectionSize();
    EXPECT_GT(width, standard);
    EXPECT_GE(width, QFontMetrics(g->font()).horizontalAdvance(text) + 4);
    EXPECT_LT(width, QFontMetrics(g->font()).horizontalAdvance(text + "0000"));
    EXPECT_EQ(g->verticalHeader()->width(), width);
}
