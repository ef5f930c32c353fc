#include "Start.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>
#include <QWindow>

#include <algorithm>

#include "Paths.h"
#include "app/TestProbe.h"
#include "app/frmMain.h"
#include "app/frmMsgReceiver.h"
#include "app/frmSplash.h"
#include "platform/FileNames.h"
#include "platform/InstanceChannel.h"
#include "platform/Translations.h"

namespace sx::Start {

QString CommandLineOf(int argc, char **argv) {
    QStringList parts;
    for (int k = 1; k < argc; ++k) parts << DecodeFileName(QByteArray(argv[k]));
    return parts.join(QLatin1Char(' '));
}

QString AbsoluteCommandLine(const QString &trimmed, const QString &workDir) {
    QString path = trimmed;
    if (path.startsWith(QLatin1Char('"'))) path.remove(0, 1);
    if (!path.isEmpty() && path.endsWith(QLatin1Char('"'))) path.chop(1);
    // the running instance works in another folder: it needs the path from the root
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || path.startsWith(QLatin1String("::"))) return trimmed;
    return workDir + QLatin1Char('/') + path;
}

bool HandedToPrevInstance(const QString &commandLine, InstanceChannel &channel) {
    if (channel.Listen()) return false;
    if (commandLine == QLatin1String("::IDESTART")) return true;
    const QString trimmed = TrimBlanks(commandLine);
    SendToPrevInstance(trimmed.isEmpty() ? QStringLiteral("::ShowForm")
                                         : AbsoluteCommandLine(trimmed, QDir::currentPath()));
    return true;
}

frmMain *StartUp(const QString &commandLine, const Options &options) {
    if (commandLine != QLatin1String("::IDESTART")) HelpFilePath() = ProgramFolder() + QStringLiteral("/Strudelax.hlp");

    // never shown; lives as long as the frame
    auto *receiver = new frmMsgReceiver;

    QPointer<frmSplash> splash = new frmSplash;
    splash->show();
    // a window manager maps the splash a moment later: paint it once it is there
    QElapsedTimer mapping;
    mapping.start();
    QCoreApplication::processEvents();
    while (splash && !(splash->windowHandle() && splash->windowHandle()->isExposed()) && mapping.elapsed() < 500) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    if (splash) splash->repaint();
    // a monotonic clock: midnight or a clock change cannot stretch the wait
    QElapsedTimer shown;
    shown.start();

    auto *frame = new frmMain;
    frame->HoldActivation = true;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(frame, &QObject::destroyed, [receiver] { delete receiver; });
    receiver->Receive(options.channel);
    frame->MDIForm_Load(commandLine);

    // keep painting while the splash waits its time; a key or a click on it ends it early
    while (splash && shown.elapsed() < options.splashMilliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(
            static_cast<unsigned long>(std::clamp<qint64>(options.splashMilliseconds - shown.elapsed(), 0, 20)));
    }
    if (splash) splash->close();
    frame->show();
    frame->activateWindow();
    frame->HoldActivation = false;
    // the handler runs once however often the frame was activated meanwhile
    if (frame->ShowStartUpInfo)
        QMetaObject::invokeMethod(
            frame, [frame] { frame->MDIForm_Activate(); }, Qt::QueuedConnection);
    return frame;
}

int Main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Strudelax"));
    QApplication::setOrganizationName(QStringLiteral("Strudelax"));
    LoadGermanTranslations(app);
    const QString commandLine = CommandLineOf(argc, argv);
    InstanceChannel channel;
    if (HandedToPrevInstance(commandLine, channel)) return 0;
    TestProbe::Install(TestProbe::ModeFromEnvironment());
    Options options;
    options.channel = &channel;
    StartUp(commandLine, options);
    return app.exec();
}

}  // namespace sx::Start
