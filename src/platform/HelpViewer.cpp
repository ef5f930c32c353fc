#include "HelpViewer.h"

#include <QApplication>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

// The help text is compiled into the static GUI library; make sure it is registered.
static void InitHelpResources() { Q_INIT_RESOURCE(resources); }

namespace sx {

QString HelpPageFor(int command) {
    static const bool registered = (InitHelpResources(), true);
    Q_UNUSED(registered);
    return command == HelpIndex ? QStringLiteral("qrc:/help/index.html") : QStringLiteral("qrc:/help/inhalt.html");
}

void ShowHelpViewer(const QString &helpFile, int command) {
    Q_UNUSED(helpFile);  // the text ships inside the program
    static QPointer<QTextBrowser> viewer;
    if (!viewer) {
        viewer = new QTextBrowser;
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->setObjectName(QStringLiteral("HelpViewer"));
        viewer->setWindowTitle(QStringLiteral("Strudelax - Hilfe"));
        viewer->setOpenLinks(true);
        viewer->resize(640, 560);
    }
    viewer->setSource(QUrl(HelpPageFor(command)));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
}

}  // namespace sx
