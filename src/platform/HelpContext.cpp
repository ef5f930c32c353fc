#include "HelpContext.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "HelpViewer.h"

namespace sx {

namespace {

const QHash<QString, QString> &Pages() {
    static const QHash<QString, QString> pages = [] {
        QHash<QString, QString> p;
        auto put = [&p](const char *page, std::initializer_list<const char *> names) {
            for (const char *n : names) p.insert(QString::fromLatin1(n), QString::fromLatin1(page));
        };
        // windows, dialogs and the parts of the document window
        put("start.html", {"frmStartUpInfo", "frmSplash", "mnuAbout"});
        put("verknuepfen.html", {"frmFileTypes", "mnuAssociateFileType", "mnuAssociateFileTypes"});
        put("fenster.html", {"frmVectorTable", "frmHeader", "mnuView", "mnuShowHeader", "mnuShowTable", "mnuWindows",
                             "mnuCascade", "mnuTileVertical", "mnuTileHorizontal", "mnuArrangeIcons"});
        put("tabelle.html", {"grdTable", "frmEditVector", "mnuCopy", "mnuCopyAll", "mnuPaste"});
        put("rueckgaengig.html", {"frmInfoText", "mnuUndo", "mnuInfoText"});
        put("darstellung.html",
            {"imgVectorfield", "imgXAxis", "imgYAxis", "imgXYCorner", "mnuShowVectorfield", "mnuShowCoordSystem",
             "mnuAspectRatioCorrection", "mnuAutoDrawVectorfield", "mnuVectorScale"});
        put("hintergrund.html",
            {"frmVecBackFromBuffer", "mnuVecFieldBackground", "mnuNoVecBackground", "mnuVecBackgroundFromBuffer",
             "mnuVecBackgroundSwirlSquare", "mnuVecBackgroundVorticity"});
        put("farben.html", {"frmEditColors", "mnuEditColors"});
        put("maus.html", {"mnuLeftMouseButtonFunction", "mnuEditClickedVec", "mnuCalcDistance"});
        put("galilei.html", {"mnuGalileiTrafo", "mnuTheorGalileiTrafo", "mnuShowCritPointData"});
        put("stromlinien.html", {"mnuClearTrajectories", "mnuAutoClearTrajectories", "mnuTestParticle"});
        put("dateien.html", {"mnuFile", "mnuOpen", "mnuClose", "mnuSave", "mnuSaveAs", "mnuExit"});
        put("fehlervektoren.html", {"frmFaultVectors", "mnuSearchInvalidVectors"});
        put("status.html", {"mnuChangeVecStatus", "mnuChangeVecStatusInvalidToValid", "mnuChangeVecStatusAllToValid",
                            "mnuChangeVecStatusAllToInvalid", "mnuDeleteEveryVector", "mnuFaultVectorStatus",
                            "mnuFaultVectorsToInvalid", "mnuFaultVectorsToValid"});
        put("filter.html", {"mnuFilter", "mnuSmoothSquare3x3", "mnuSmoothSquare5x5", "mnuSmoothGauss3x3",
                            "mnuSmoothGauss5x5", "mnuFilterVelProfile"});
        put("interpolation.html",
            {"mnuInterpolation", "mnuMiddleVelocity", "mnuMiddleVelocityAllValid", "mnuMiddleVelocitySelected"});
        put("verschieben.html",
            {"mnuConstVector", "mnuAddConstVector", "mnuSubConstVector", "mnuSubtractVelocityProfile"});
        put("transformation.html", {"frmXYTrafo", "frmMirrorOptions", "mnuCoordTrafo", "mnuMirror"});
        put("buffer.html", {"mnuVectorfieldToBuffer", "mnuAddSubVectorfield", "mnuAddVectorfield", "mnuSubVectorfield",
                            "mnuUseBufferAsMask"});
        put("export.html",
            {"mnuExport", "mnuExportTrajectory", "mnuExportForStanford", "mnuExportForTecPlot", "mnuExportForMatlab",
             "mnuExportVectorfieldForStanford", "mnuExportVelProfileForStanford", "mnuExportSwirlSquareForStanford",
             "mnuExportVorticityForStanford", "mnuExportTestFunctionForStanford", "mnuExportSwirlForTecPlot",
             "mnuExportVorticityForTecPlot", "mnuExportVectorfieldForMatlab", "mnuExportSwirlSquareForMatlab"});
        put("bitmap.html", {"frmPicSize", "mnuExportVectorfieldAsBitmap"});
        put("drucken.html", {"frmPrinter", "mnuPrint"});
        return p;
    }();
    return pages;
}

// The property that carries the page a window was given when it opened.
constexpr char kHelpPageProperty[] = "sxHelpPage";

QString &CurrentCommandPage() {
    static QString page;
    return page;
}

QString PageOfWidget(const QWidget *w) {
    const QString named = NamedHelpPage(w);
    return named.isEmpty() ? HelpPageForName(w->objectName()) : named;
}

class HelpKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override {
        if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride) return false;
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() != Qt::Key_F1 || (k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        // the key reaches the window first, then the widget that has the focus
        if (!watched->isWidgetType()) return false;
        if (e->type() == QEvent::ShortcutOverride) {
            e->accept();  // the key itself is wanted, not a shortcut
            return true;
        }
        if (!k->isAutoRepeat()) {
            auto *w = static_cast<QWidget *>(watched);
            ShowHelpPage(HelpPageForWidget(w), w);
        }
        return true;
    }
};

}  // namespace

QString HelpPageForName(const QString &objectName) { return Pages().value(objectName); }

QString HelpPageForAction(const QAction *action) {
    if (!action) return {};
    QString page = HelpPageForName(action->objectName());
    if (page.isEmpty() && action->menu()) page = HelpPageForName(action->menu()->objectName());
    return page;
}

QString HelpPageForWidget(QWidget *w) {
    // an open menu: its highlighted item, else the menu itself
    if (auto *menu = qobject_cast<QMenu *>(w)) {
        const QString page = HelpPageForAction(menu->activeAction());
        if (!page.isEmpty()) return page;
    } else if (auto *bar = qobject_cast<QMenuBar *>(w)) {
        const QString page = HelpPageForAction(bar->activeAction());
        if (!page.isEmpty()) return page;
    }
    for (QWidget *p = w; p; p = p->parentWidget()) {
        const QString page = PageOfWidget(p);
        if (!page.isEmpty()) return page;
        // a menu belongs to the item that opened it, not to the window below
        if (auto *menu = qobject_cast<QMenu *>(p)) {
            const QString own = HelpPageForAction(menu->menuAction());
            if (!own.isEmpty()) return own;
        }
    }
    return {};
}

HelpScope::HelpScope(const QString &page) : outer_(CurrentCommandPage()) {
    if (!page.isEmpty()) CurrentCommandPage() = page;
}

HelpScope::HelpScope(const QAction *command) : outer_(CurrentCommandPage()) {
    QString page = HelpPageForAction(command);
    if (page.isEmpty() && command)
        for (QObject *o : command->associatedObjects())
            if (auto *menu = qobject_cast<QMenu *>(o); menu && page.isEmpty())
                page = HelpPageForAction(menu->menuAction());
    if (!page.isEmpty()) CurrentCommandPage() = page;
}

HelpScope::~HelpScope() { CurrentCommandPage() = outer_; }

QString CommandHelpPage() { return CurrentCommandPage(); }

QString HelpPageForNewWindow(const QWidget *window) {
    if (!CommandHelpPage().isEmpty()) return CommandHelpPage();
    if (window) {
        const QString own = HelpPageForName(window->objectName());
        if (!own.isEmpty()) return own;
    }
    // opened over a window without a command (a click into the plot, a key
    // in the table): the page of where the user was
    QWidget *from = QApplication::focusWidget();
    if (!from || from->window() == window) from = QApplication::activeWindow();
    return from && from->window() != window ? HelpPageForWidget(from) : QString();
}

void NameHelpPage(QWidget *window) {
    // a dialog that stays loaded is named anew by each command that shows it
    if (window) window->setProperty(kHelpPageProperty, HelpPageForNewWindow(window));
}

QString NamedHelpPage(const QWidget *window) {
    return window ? window->property(kHelpPageProperty).toString() : QString();
}

void InstallHelpKey() {
    static QPointer<HelpKey> key;
    if (key || !qApp) return;
    key = new HelpKey(qApp);
    qApp->installEventFilter(key);
}

}  // namespace sx
