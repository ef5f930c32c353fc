#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>

#include "UiTestSupport.h"
#include "platform/PictureBox.h"

using namespace sx;

namespace {

class WindowPlacementUi : public UiTest {
protected:
    // n windows on their own sample files, opened one after the other.
    void OpenWindows(int n) {
        SaveSetting("StartUp", "ShowInfo", "No");
        MakeFrame()->resize(1000, 760);
        for (int k = 0; k < n; ++k) {
            const QString path = TempPath(QStringLiteral("feld%1.sdx").arg(k));
            ASSERT_TRUE(WriteSampleSdx(path.toStdString(), 6, 5));
            ASSERT_TRUE(Open(path));
        }
    }
    QRect Area() const { return frame->MdiArea()->viewport()->rect(); }
    void ExpectNoScrollBars() const {
        EXPECT_FALSE(frame->MdiArea()->horizontalScrollBar()->isVisible());
        EXPECT_FALSE(frame->MdiArea()->verticalScrollBar()->isVisible());
    }
};

TEST_F(WindowPlacementUi, NewWindowsCascadeInsideTheVisibleArea) {
    OpenWindows(8);
    const QList<QMdiSubWindow *> subs = frame->MdiArea()->subWindowList();
    ASSERT_EQ(subs.size(), 8);
    EXPECT_TRUE(frame->isVisible());
    for (int k = 0; k < subs.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(Area().contains(subs[k]->geometry())) << subs[k]->geometry().x() << "," << subs[k]->geometry().y();
        EXPECT_GE(subs[k]->width(), Area().width() * 2 / 3);
        EXPECT_GE(subs[k]->height(), Area().height() * 2 / 3);
    }
    // each one step right and down of the one before, until the cascade starts again
    EXPECT_EQ(subs[0]->pos(), QPoint(0, 0));
    const int step = subs[1]->x();
    EXPECT_GT(step, 10);
    EXPECT_EQ(subs[1]->y(), step);
    EXPECT_EQ(subs[2]->pos(), QPoint(2 * step, 2 * step));
    EXPECT_EQ(frame->MdiArea()->activeSubWindow(), subs.last());
    ExpectNoScrollBars();
}

TEST_F(WindowPlacementUi, CascadeKeepsTheWindowsUsable) {
    OpenWindows(3);
    frmVectorTable *last = frame->Documents().last();
    // one of them shrunk and moved away by the user
    QMdiSubWindow *first = frame->MdiArea()->subWindowList().first();
    first->setGeometry(500, 400, 120, 40);
    last->Action("mnuCascade")->trigger();
    const QList<QMdiSubWindow *> subs = frame->MdiArea()->subWindowList(QMdiArea::StackingOrder);
    ASSERT_EQ(subs.size(), 3);
    QSet<int> xs;
    for (QMdiSubWindow *s : subs) {
        EXPECT_TRUE(Area().contains(s->geometry()));
        EXPECT_GE(s->width(), Area().width() * 2 / 3);
        EXPECT_GE(s->height(), Area().height() * 2 / 3);
        xs.insert(s->x());
        // the document inside still has room for its views
        auto *doc = qobject_cast<frmVectorTable *>(s->widget());
        ASSERT_TRUE(doc);
        EXPECT_GT(doc->imgVectorfield->height(), 200);
    }
    EXPECT_EQ(xs.size(), 3);
    // the active one stays active and on top
    EXPECT_EQ(frame->ActiveDocument(), last);
    EXPECT_EQ(subs.last()->widget(), last);
    ExpectNoScrollBars();
}

}  // namespace
