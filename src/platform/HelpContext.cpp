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

// The vector dialog also asks for the constant vector of the shift commands,
// under a caption of its own ("Zu addierender Vektor").
QString PageOfWidget(const QWidget *w) {
    if (w->objectName() == QLatin1String("frmEditVector") && w->windowTitle().startsWith(QLatin1String("Zu ")))
        return QStringLiteral("verschieben.html");
    return HelpPageForName(w->objectName());
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

void InstallHelpKey() {
    static QPointer<HelpKey> key;
    if (key || !qApp) return;
    key = new HelpKey(qApp);
    qApp->installEventFilter(key);
}

}  // namespace sx
