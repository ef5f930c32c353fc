// Context help: F1 in dialogs, windows and menus opens the page that
// belongs to them, and the help text covers every command group.

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>

#include "PlotTestSupport.h"
#include "ScriptedUser.h"
#include "document/frmEditVector.h"
#include "operations/frmFaultVectors.h"
#include "platform/HelpContext.h"
#include "platform/HelpViewer.h"

using namespace sx;

namespace {

class HelpUi : public PlotUi {
protected:
    void SetUp() override {
        PlotUi::SetUp();
        InstallHelpKey();
    }
    void TearDown() override {
        delete HelpViewerWindow();
        PlotUi::TearDown();
    }
    // The page the viewer shows, "" while it is closed.
    static QString ShownPage() {
        QTextBrowser *v = HelpViewerWindow();
        return v && v->isVisible() ? v->source().fileName() : QString();
    }
    static QString PressF1(QWidget *w) {
        delete HelpViewerWindow();
        QTest::keyClick(w, Qt::Key_F1);
        return ShownPage();
    }
    static QString Resource(const QString &page) {
        QFile f(":/help/" + page);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    static QMenu *MenuOf(QAction *a) {
        for (QObject *o : a->associatedObjects())
            if (auto *m = qobject_cast<QMenu *>(o)) return m;
        return nullptr;
    }
};

}  // namespace

TEST_F(HelpUi, F1InAModalDialogOpensItsPageInAViewerTheDialogDoesNotBlock) {
    MakeFrame();
    frmFaultVectors dialog(frame);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QWidget *box = dialog.findChild<QWidget *>("chkAbsDeviation");
    ASSERT_TRUE(box);
    EXPECT_EQ(PressF1(box), "fehlervektoren.html");
    // it belongs to the modal dialog, so it can be read while that is up
    EXPECT_EQ(HelpViewerWindow()->parentWidget(), &dialog);
    EXPECT_TRUE(HelpViewerWindow()->isWindow());
    dialog.hide();

    // a window given a page keeps it, whatever its name or title says
    frmEditVector editor(frame);
    editor.show();
    EXPECT_EQ(PressF1(&editor), "tabelle.html");
    {
        HelpScope command(HelpPageForName("mnuSubConstVector"));
        NameHelpPage(&editor);
    }
    EXPECT_EQ(PressF1(editor.findChild<QWidget *>("txtXComp")), "verschieben.html");
}

// Every box and dialog a command opens names the page of that command; one
// opened outside a command names the page of where the user was.
TEST_F(HelpUi, BoxesAndDialogsNameThePageOfWhatOpenedThem) {
    frmVectorTable *w = OpenField(4, 3);
    ASSERT_TRUE(w);
    auto helpOfLast = [&] { return user.asked.empty() ? QString("(none)") : user.asked.back().helpPage; };

    user.CancelInput();
    w->Action("mnuVectorScale")->trigger();
    EXPECT_EQ(helpOfLast(), "darstellung.html");
    user.Answer(MsgAnswer::Ok);
    w->Action("mnuMiddleVelocityAllValid")->trigger();
    EXPECT_EQ(user.asked.back().message.title, "Mittlere Geschwindigkeit");
    EXPECT_EQ(helpOfLast(), "interpolation.html");
    user.CancelFile();
    w->Action("mnuExportVectorfieldForStanford")->trigger();
    EXPECT_EQ(helpOfLast(), "export.html");
    user.CancelFile();
    w->Action("mnuOpen")->trigger();
    EXPECT_EQ(helpOfLast(), "dateien.html");
    // the shared vector dialog: the page of the shift command, not its own
    user.InDialog("frmEditVector", [](QDialog *d) { ClickControl(d, "cmdCancel"); });
    w->Action("mnuSubConstVector")->trigger();
    EXPECT_EQ(helpOfLast(), "verschieben.html");
    // no command runs afterwards
    EXPECT_EQ(CommandHelpPage(), QString());

    // a key in the table opens the same dialog with the table's page
    w->mnuShowTable_Click();
    w->grdTable->setFocus();
    user.InDialog("frmEditVector", [](QDialog *d) { ClickControl(d, "cmdCancel"); });
    QTest::keyClick(w->grdTable, Qt::Key_1);
    EXPECT_EQ(helpOfLast(), "tabelle.html");
}

TEST_F(HelpUi, F1InTheDocumentWindowFollowsTheFocusAndFallsBackToTheContents) {
    frmVectorTable *w = OpenField(3, 3);
    ASSERT_TRUE(w);
    w->mnuShowTable_Click();
    EXPECT_EQ(PressF1(w->grdTable), "tabelle.html");
    EXPECT_EQ(PressF1(w->imgVectorfield), "darstellung.html");
    EXPECT_EQ(PressF1(w), "fenster.html");
    // the frame alone has no page of its own
    EXPECT_EQ(PressF1(frame), "inhalt.html");
    EXPECT_EQ(HelpPageForWidget(frame), QString());
}

TEST_F(HelpUi, F1OnAHighlightedMenuItemOpensThatCommandsPage) {
    frmVectorTable *w = OpenField(3, 3);
    ASSERT_TRUE(w);
    const std::pair<const char *, const char *> items[] = {
        {"mnuSmoothGauss3x3", "filter.html"},     {"mnuExportVectorfieldAsBitmap", "bitmap.html"},
        {"mnuGalileiTrafo", "galilei.html"},      {"mnuPrint", "drucken.html"},
        {"mnuEditColors", "farben.html"},         {"mnuInterpolation", "interpolation.html"},
        {"mnuCoordTrafo", "transformation.html"}, {"mnuSearchInvalidVectors", "fehlervektoren.html"},
    };
    for (const auto &[name, page] : items) {
        QAction *a = w->Action(name);
        ASSERT_TRUE(a) << name;
        QMenu *menu = MenuOf(a);
        ASSERT_TRUE(menu) << name;
        menu->popup(QPoint(10, 10));
        menu->setActiveAction(a);
        EXPECT_EQ(PressF1(menu), page) << name;
        menu->hide();
    }
}

TEST_F(HelpUi, EveryMenuItemAndDialogHasAPageThatExists) {
    frmVectorTable *w = OpenField(2, 2);
    ASSERT_TRUE(w);
    // the help menu itself and the menus that only group other commands lead to the contents
    const QStringList contents = {"mnuHelpMenu", "mnuHelp", "mnuHelpIndex", "mnuEdit", "mnuCalculations"};
    int checked = 0;
    for (QAction *a : w->MenuBar()->findChildren<QAction *>()) {
        const QString name = a->objectName();
        if (!name.startsWith("mnu") || a->isSeparator() || contents.contains(name)) continue;
        const QString page = HelpPageForAction(a);
        EXPECT_FALSE(page.isEmpty()) << name.toStdString();
        if (!page.isEmpty()) {
            EXPECT_FALSE(Resource(page).isEmpty()) << page.toStdString();
        }
        ++checked;
    }
    EXPECT_GT(checked, 60);
    for (const char *dialog :
         {"frmStartUpInfo", "frmFileTypes", "frmEditVector", "frmInfoText", "frmEditColors", "frmVecBackFromBuffer",
          "frmFaultVectors", "frmXYTrafo", "frmMirrorOptions", "frmPicSize", "frmPrinter", "frmVectorTable"})
        EXPECT_FALSE(Resource(HelpPageForName(dialog)).isEmpty()) << dialog;
}

TEST_F(HelpUi, IndexListsEveryCommandGroupAndPagesSayWhatTheProgramDoes) {
    const QString index = Resource("index.html");
    for (const char *group : {"Galilei", "Fehlerhafte Vektoren", "Filter", "Interpolation", "Export", "Drucken",
                              "Bitmap", "Farbeinstellungen", "Stromlinien", "Buffer", "Koordinatentransformation",
                              "Status", "Rückgängig", "Dateitypen verknüpfen"})
        EXPECT_TRUE(index.contains(QString(">%1</a>").arg(QString::fromUtf8(group)))) << group;
    // every link of the contents and the index leads to a page
    for (const QString &page : {QStringLiteral("inhalt.html"), QStringLiteral("index.html")}) {
        const QString text = Resource(page);
        for (qsizetype at = text.indexOf("href=\""); at >= 0; at = text.indexOf("href=\"", at + 1)) {
            const QString target = text.mid(at + 6, text.indexOf('"', at + 6) - at - 6).section('#', 0, 0);
            EXPECT_FALSE(Resource(target).isEmpty()) << page.toStdString() << " -> " << target.toStdString();
        }
    }
    // the coordinate transformation moves the streamlines with the field
    const QString streamlines = Resource("stromlinien.html").simplified();
    EXPECT_TRUE(streamlines.contains("Koordinatentransformation löscht sie nicht: sie verschiebt die Startpunkte"));
    EXPECT_FALSE(streamlines.contains("nach Transformationen von selbst"));
    EXPECT_TRUE(Resource("transformation.html").simplified().contains("die Startpunkte der Stromlinien werden"));
}

TEST_F(HelpUi, ViewerOpensInsideTheScreenAndShowsContentsAndIndex) {
    MakeFrame();
    const QRect avail = frame->screen()->availableGeometry();
    // a frame pushed to the lower right corner
    frame->setGeometry(avail.right() - 100, avail.bottom() - 80, 600, 500);
    frame->show();
    ShowHelpPage("farben.html", frame);
    QTextBrowser *v = HelpViewerWindow();
    ASSERT_TRUE(v);
    EXPECT_TRUE(avail.contains(v->frameGeometry())) << v->frameGeometry().x() << "," << v->frameGeometry().y();
    EXPECT_EQ(v->source().fileName(), "farben.html");
    EXPECT_EQ(v->windowTitle(), "Strudelax - Hilfe - Farbeinstellungen");

    ShowHelpViewer(QString(), HelpIndex);
    EXPECT_EQ(ShownPage(), "index.html");
    ShowHelpViewer(QString(), HelpContents);
    EXPECT_EQ(ShownPage(), "inhalt.html");
    ShowHelpPage("gibtsnicht.html");
    EXPECT_EQ(ShownPage(), "inhalt.html");
}
