#include "Start.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include "Paths.h"
#include "app/TestProbe.h"
#include "app/WindowShowing.h"
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
    return AbsoluteFileName(path, workDir);
}

bool HandedToPrevInstance(const QString &commandLine, InstanceChannel &channel) {
    if (channel.Listen()) return false;
    if (commandLine == QLatin1String("::IDESTART")) return true;
    const QString trimmed = TrimBlanks(commandLine);
    SendToPrevInstance(trimmed.isEmpty() ? QStringLiteral("::ShowForm")
                                         : AbsoluteCommandLine(trimmed, WorkingFolder()));
    return true;
}

frmMain *StartUp(const QString &commandLine, const Options &options) {
    if (commandLine != QLatin1String("::IDESTART")) HelpFilePath() = ProgramFolder() + QStringLiteral("/Strudelax.hlp");

    // never shown; lives as long as the frame
    auto *receiver = new frmMsgReceiver;

    QPointer<frmSplash> splash = new frmSplash;
    FillBeforeFirstPaint(splash);
    splash->show();
    // a window manager maps the splash a moment later: painted once it is there
    WaitUntilExposed(splash, 1000);
    // a monotonic clock: midnight or a clock change cannot stretch the wait
    QElapsedTimer shown;
    shown.start();

    // the user may close a frame shown early (by a document) while the splash waits
    QPointer<frmMain> frame = new frmMain;
    frame->HoldActivation = true;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(frame.data(), &QObject::destroyed, [receiver] { delete receiver; });
    receiver->Receive(options.channel);
    frame->MDIForm_Load(commandLine);

    // the splash keeps its time with the program answering; a key or a click ends it early
    const qint64 left = options.splashMilliseconds - shown.elapsed();
    if (splash && splash->isVisible() && left > 0) {
        QEventLoop wait;
        QTimer::singleShot(static_cast<int>(left), &wait, &QEventLoop::quit);
        QObject::connect(splash, &frmSplash::Ended, &wait, &QEventLoop::quit);
        wait.exec();
    }
    if (splash) splash->close();
    if (!frame) return nullptr;
    if (!frame->isVisible()) FillBeforeFirstPaint(frame);
    frame->show();
    frame->activateWindow();
    // placed by the window manager first, so that the welcome dialog is centred on it
    WaitUntilExposed(frame, 1000);
    if (!frame) return nullptr;
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
    options.splashMilliseconds = TestProbe::SplashMilliseconds(options.splashMilliseconds);
    // a frame closed during the start-up has ended the program already
    if (!StartUp(commandLine, options)) return 0;
    return app.exec();
}

}  // namespace sx::Start
