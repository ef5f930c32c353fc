#include "Start.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>

#include "Paths.h"
#include "app/frmMain.h"
#include "app/frmMsgReceiver.h"
#include "app/frmSplash.h"
#include "platform/InstanceChannel.h"

namespace sx::Start {

QString CommandLineOf(int argc, char **argv) {
    QStringList parts;
    for (int k = 1; k < argc; ++k) parts << QString::fromLocal8Bit(argv[k]);
    return parts.join(QLatin1Char(' '));
}

bool HandedToPrevInstance(const QString &commandLine, InstanceChannel &channel) {
    if (channel.Listen()) return false;
    if (commandLine == QLatin1String("::IDESTART")) return true;
    const QString trimmed = QString::fromStdString(Trim(commandLine.toStdString()));
    SendToPrevInstance(trimmed.isEmpty() ? QStringLiteral("::ShowForm") : trimmed);
    return true;
}

frmMain *StartUp(const QString &commandLine, const Options &options) {
    if (commandLine != QLatin1String("::IDESTART"))
        HelpFilePath() = ProgramFolder() + QStringLiteral("/Strudelax.hlp");

    // never shown; lives as long as the frame
    auto *receiver = new frmMsgReceiver;

    auto *splash = new frmSplash;
    splash->show();
    QCoreApplication::processEvents();
    // a monotonic clock: midnight or a clock change cannot stretch the wait
    QElapsedTimer shown;
    shown.start();

    auto *frame = new frmMain;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(frame, &QObject::destroyed, [receiver] { delete receiver; });
    receiver->Receive(options.channel);
    frame->MDIForm_Load(commandLine);

    while (shown.elapsed() < options.splashMilliseconds)
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(20, options.splashMilliseconds - shown.elapsed())));
    splash->close();
    frame->show();
    frame->activateWindow();
    if (frame->ShowStartUpInfo && !frame->isActiveWindow())
        QMetaObject::invokeMethod(frame, [frame] { frame->MDIForm_Activate(); }, Qt::QueuedConnection);
    return frame;
}

int Main(int argc, char **argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Strudelax"));
    QApplication::setOrganizationName(QStringLiteral("Strudelax"));
    const QString commandLine = CommandLineOf(argc, argv);
    InstanceChannel channel;
    if (HandedToPrevInstance(commandLine, channel)) return 0;
    Options options;
    options.channel = &channel;
    StartUp(commandLine, options);
    return app.exec();
}

}  // namespace sx::Start
