#include "HelpViewer.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>

// The help text is compiled into the static GUI library; make sure it is registered.
static void InitHelpResources() { Q_INIT_RESOURCE(resources); }

namespace sx {

namespace {

const QString kHelpRoot = QStringLiteral("qrc:/help/");
const QString kContentsPage = QStringLiteral("inhalt.html");
const QString kViewerTitle = QStringLiteral("Strudelax - Hilfe");

void RegisterResources() {
    static const bool registered = (InitHelpResources(), true);
    Q_UNUSED(registered);
}

QPointer<QTextBrowser> &Viewer() {
    static QPointer<QTextBrowser> viewer;
    return viewer;
}

// Wholly inside the available area of the screen the user is looking at,
// centred on the window F1 was pressed in; room is left for the frame the
// window manager puts round it.
void Place(QTextBrowser *viewer, QWidget *near) {
    QWidget *ref = near ? near->window() : QApplication::activeWindow();
    // an open menu is a small window of its own: centre on the window below it
    if (ref && ref->windowType() == Qt::Popup) ref = QApplication::activeWindow();
    QScreen *screen = ref && ref->screen() ? ref->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    constexpr int kFrameRoom = 40;  // title bar and borders
    const QSize wanted(720, 600);
    const QSize size(std::max(200, std::min(wanted.width(), avail.width() - kFrameRoom)),
                     std::max(150, std::min(wanted.height(), avail.height() - kFrameRoom)));
    QPoint centre = ref && ref->isVisible() ? ref->frameGeometry().center() : avail.center();
    QRect r(QPoint(0, 0), size);
    r.moveCenter(centre);
    const QRect inner = avail.adjusted(kFrameRoom / 4, kFrameRoom * 3 / 4, -kFrameRoom / 4, -kFrameRoom / 4);
    if (r.right() > inner.right()) r.moveRight(inner.right());
    if (r.bottom() > inner.bottom()) r.moveBottom(inner.bottom());
    if (r.left() < inner.left()) r.moveLeft(inner.left());
    if (r.top() < inner.top()) r.moveTop(inner.top());
    viewer->setGeometry(r);
}

}  // namespace

QString HelpPageFor(int command) {
    RegisterResources();
    return command == HelpIndex ? kHelpRoot + QStringLiteral("index.html") : kHelpRoot + kContentsPage;
}

QTextBrowser *HelpViewerWindow() { return Viewer(); }

void ShowHelpPage(const QString &page, QWidget *near) {
    RegisterResources();
    QString name = page.isEmpty() ? kContentsPage : page;
    if (!QFile::exists(QStringLiteral(":/help/") + name.section(QLatin1Char('#'), 0, 0))) name = kContentsPage;

    // A modal dialog blocks every window that is not its own: while one is
    // up, the viewer belongs to it, so that it can be read and scrolled.
    QWidget *owner = QApplication::activeModalWidget();
    QPointer<QTextBrowser> &viewer = Viewer();
    if (viewer && viewer->parentWidget() != owner) {
        // F1 may have been pressed in the viewer itself: not deleted under its own feet
        viewer->hide();
        viewer->deleteLater();
        viewer = nullptr;
    }
    const bool fresh = !viewer;
    if (fresh) {
        viewer = new QTextBrowser(owner);
        viewer->setWindowFlags(Qt::Window);
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->setObjectName(QStringLiteral("HelpViewer"));
        viewer->setWindowTitle(kViewerTitle);
        viewer->setOpenLinks(true);
        // the title names the page, so that the window list tells what is open
        QTextBrowser *v = viewer;
        QObject::connect(v, &QTextBrowser::sourceChanged, v, [v] {
            QString page = v->documentTitle();
            page.remove(QStringLiteral("Strudelax - "));
            v->setWindowTitle(page.isEmpty() ? kViewerTitle : kViewerTitle + QStringLiteral(" - ") + page);
        });
        Place(viewer, near ? near : owner);
    }
    viewer->setSource(QUrl(kHelpRoot + name));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

void ShowHelpViewer(const QString &helpFile, int command) {
    Q_UNUSED(helpFile);  // the text ships inside the program
    ShowHelpPage(command == HelpIndex ? QStringLiteral("index.html") : kContentsPage);
}

}  // namespace sx
