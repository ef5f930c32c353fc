// The single-instance hand-over: the receiver window, the channel between two
// starts, and the real program started a second time.

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QLocalServer>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <utility>

#include "SampleDocument.h"
#include "ScriptedUser.h"
#include "UiTestSupport.h"
#include "app/Start.h"
#include "app/frmMsgReceiver.h"
#include "platform/InstanceChannel.h"

using namespace sx;

namespace {

QString UniqueName() {
    static int n = 0;
    return QStringLiteral("sx-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++n);
}

QString SocketFile(const QString &name) { return QDir::tempPath() + QLatin1Char('/') + name; }

// Serves this thread's events until `done` or the time is up.
bool SpinUntil(const std::function<bool()> &done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

// A second start on another thread, while this thread serves the channel.
HandOverResult SendFromOtherThread(const QString &name, const QString &text, std::atomic<bool> *returned = nullptr) {
    HandOverResult result{};
    QThread *t = QThread::create([&] {
        result = HandOver(name, text, 10000);
        if (returned) *returned = true;
    });
    QEventLoop loop;
    QObject::connect(t, &QThread::finished, &loop, &QEventLoop::quit);
    t->start();
    loop.exec();
    t->wait();
    delete t;
    return result;
}

QString Program() { return QStringLiteral(STRUDELAX_SAMPLES "/../strudelax"); }

QProcessEnvironment ProgramEnvironment(const QString &instance, const QString &config) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("STRUDELAX_INSTANCE_NAME", instance);
    env.insert("XDG_CONFIG_HOME", config);
    QDir().mkpath(config + "/Strudelax");
    QFile ini(config + "/Strudelax/Strudelax.ini");
    if (ini.open(QIODevice::WriteOnly)) ini.write("[StartUp]\nShowInfo=No\n");
    return env;
}

// Runs the program as a second start; its exit code, negative when it hung or crashed.
int RunSecondStart(const QProcessEnvironment &env, const QStringList &args) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(Program(), args);
    if (!p.waitForStarted(5000)) return -1;
    if (!SpinUntil([&] { return p.state() == QProcess::NotRunning; }, 20000)) {
        p.kill();
        p.waitForFinished(2000);
        return -2;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -3;
}

class HandOverTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        SaveSetting("StartUp", "ShowInfo", "No");
    }
};

}  // namespace

TEST_F(HandOverTest, ReceiverBringsTheFrameForwardOpensUnquotedPathsAndReportsMissingOnes) {
    MakeFrame()->show();
    frmMsgReceiver receiver;
    EXPECT_EQ(receiver.windowTitle(), "SXMsgReceiver");

    frame->showMinimized();
    receiver.txtMsg->setText("::ShowForm");
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_TRUE(receiver.txtMsg->text().isEmpty());
    EXPECT_TRUE(user.asked.empty());

    const QString path = TempPath("mit blank.sdx");
    ASSERT_TRUE(WriteSampleSdx(path.toStdString(), 3, 2));
    frame->showMinimized();
    receiver.txtMsg->setText("\"" + path + "\"");
    EXPECT_FALSE(frame->isMinimized());
    ASSERT_EQ(frame->Documents().size(), 1);
    EXPECT_EQ(frame->Documents()[0]->doc.FilePath, path.toStdString());
    EXPECT_EQ(frame->txtTemp->text(), "*");

    const QString missing = TempPath("fehlt.dat");
    const std::pair<QString, QString> cases[] = {
        {"\"\"" + missing + "\"\"", "\"" + missing + "\""},  // one quote at each end only
        {"\"", ""},
        {"  " + missing, "  " + missing},  // the sender trims, the receiver does not
    };
    for (const auto &[sent, opened] : cases) {
        user.Answer(MsgAnswer::Ok);
        receiver.txtMsg->setText(sent);
        const UserMessage &m = user.asked.back().message;
        EXPECT_EQ(m.text, "Datei '" + opened.toStdString() + "' wurde nicht gefunden!");
        EXPECT_TRUE(m.icon == MsgIcon::Exclamation && m.title == "Strudelax - Datei nicht gefunden");
        EXPECT_TRUE(receiver.txtMsg->text().isEmpty());
    }
    receiver.txtMsg_Change();  // an empty box is no message
    EXPECT_EQ(user.asked.size(), 3u);
    EXPECT_EQ(frame->Documents().size(), 1);
}

// A hand-over comes wherever the event loop runs, also in a box of a load.
TEST_F(HandOverTest, FileHandedOverWhileAnotherLoadsOpensAfterIt) {
    MakeFrame()->show();
    frmMsgReceiver receiver;
    // a field without a valid vector: its window asks a box while it comes up
    const QString first = TempPath("ungueltig.sdx");
    ASSERT_TRUE(WriteSampleSdx(first.toStdString(), 4, 3, [](VectorDocument &d) {
        for (auto &st : d.Statuses) st = StatusInvalid;
        d.ValidCount = 0;
    }));
    const QString second = TempPath("zweite.sdx");
    ASSERT_TRUE(WriteSampleSdx(second.toStdString(), 3, 2));

    struct HandOverInBox : ScriptedUser {
        std::function<void()> during;
        MsgAnswer ShowMessage(const UserMessage &m) override {
            if (auto f = std::exchange(during, nullptr)) f();
            return ScriptedUser::ShowMessage(m);
        }
    } u;
    SetUser(&u);
    bool openedInside = true;
    u.during = [&] {
        receiver.txtMsg->setText(second);
        openedInside = false;
        for (frmVectorTable *d : frame->Documents())
            openedInside = openedInside || d->doc.FilePath == second.toStdString();
    };
    u.Answer(MsgAnswer::Ok);
    frmVectorTable *a = Open(first);
    ASSERT_TRUE(a);
    EXPECT_FALSE(openedInside);
    EXPECT_TRUE(receiver.txtMsg->text().isEmpty());
    // the handed-over file follows once the first window is up
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->Documents().size() == 2; }, 5000));
    const QList<frmVectorTable *> docs = frame->Documents();
    EXPECT_EQ(docs[0], a);
    EXPECT_EQ(a->doc.FilePath, first.toStdString());
    EXPECT_EQ(docs[1]->doc.FilePath, second.toStdString());
    EXPECT_EQ(frame->ActiveDocument(), docs[1]);
    SetUser(&user);
    EXPECT_EQ(u.asked.size(), 1u);
    for (const QString &f : u.failures) ADD_FAILURE() << f.toStdString();
}

TEST_F(HandOverTest, ChannelAnswersOnlyAfterHandlingAndQueuesUntilTheReceiverIsThere) {
    InstanceChannel first(UniqueName());
    ASSERT_TRUE(first.Listen());
    std::atomic<bool> senderReturned{false};
    bool senderWaited = true;
    QStringList got;
    // the receiver comes later than the second start
    QTimer::singleShot(200, [&] {
        first.SetHandler([&](const QString &text) {
            got << text;
            SpinUntil([] { return false; }, 150);  // a nested loop, as a message box runs one
            senderWaited = senderWaited && !senderReturned;
            return true;
        });
    });
    const QString text = QStringLiteral("/tmp/Strömung ß/feld 1.sdx");
    EXPECT_EQ(SendFromOtherThread(first.Name(), text, &senderReturned), HandOverResult::Handled);
    EXPECT_EQ(got, QStringList{text});
    EXPECT_TRUE(senderWaited);

    // a second start finds the first; the IDE start hands over nothing
    InstanceChannel second(first.Name());
    EXPECT_FALSE(second.Listen());
    EXPECT_TRUE(Start::HandedToPrevInstance("::IDESTART", second));
    SpinUntil([] { return false; }, 100);
    EXPECT_EQ(got.size(), 1);

    // a receiver without a frame, or none at all, takes nothing
    auto *receiver = new frmMsgReceiver;
    receiver->Receive(&first);
    EXPECT_EQ(SendFromOtherThread(first.Name(), "a.sdx"), HandOverResult::NoTextBox);
    delete receiver;
    EXPECT_EQ(SendFromOtherThread(first.Name(), "a.sdx"), HandOverResult::NoTextBox);
}

TEST_F(HandOverTest, NoOrHungInstanceGivesUpWithTheWindowMessage) {
    const QString name = UniqueName();
    qputenv("STRUDELAX_INSTANCE_NAME", name.toUtf8());
    user.Answer(MsgAnswer::Ok);
    SendToPrevInstance("x");
    qunsetenv("STRUDELAX_INSTANCE_NAME");
    ASSERT_EQ(user.asked.size(), 1u);
    const UserMessage &m = user.asked[0].message;
    EXPECT_EQ(m.text, "Fenster nicht gefunden!");
    EXPECT_TRUE(m.icon == MsgIcon::None && m.buttons == MsgButtons::Ok && m.title == "Strudelax");

    // listening, but its loop never runs: the wait is bounded
    QLocalServer hung;
    ASSERT_TRUE(hung.listen(name));
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(HandOver(name, "x", 300), HandOverResult::NoWindow);
    EXPECT_LT(t.elapsed(), 5000);
    hung.close();

    {
        InstanceChannel c(name);
        ASSERT_TRUE(c.Listen());
    }
    EXPECT_FALSE(QFileInfo::exists(SocketFile(name)));  // a closed channel leaves nothing behind
}

TEST_F(HandOverTest, SecondProgramStartHandsItsFileToThisInstanceAndEnds) {
    if (!QFileInfo::exists(Program())) GTEST_SKIP() << "program not built";
    InstanceChannel channel(UniqueName());
    ASSERT_TRUE(channel.Listen());
    frame = Start::StartUp(QString(), Start::Options{0, &channel});
    const QProcessEnvironment env = ProgramEnvironment(channel.Name(), TempPath("config"));

    const QString sample = QStringLiteral(STRUDELAX_SAMPLES "/Wirbelpaar.dat");
    EXPECT_EQ(RunSecondStart(env, {"  " + sample + "  "}), 0);
    ASSERT_EQ(frame->Documents().size(), 1);
    EXPECT_EQ(QFileInfo(QString::fromStdString(frame->Documents()[0]->doc.FilePath)), QFileInfo(sample));

    frame->showMinimized();
    EXPECT_EQ(RunSecondStart(env, {}), 0);
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_EQ(RunSecondStart(env, {"::IDESTART"}), 0);
    EXPECT_EQ(frame->Documents().size(), 1);
    EXPECT_TRUE(user.asked.empty());
}

TEST_F(HandOverTest, TwoProgramStartsMeetAndAKilledFirstIsReplaced) {
    if (!QFileInfo::exists(Program())) GTEST_SKIP() << "program not built";
    const QString name = UniqueName();
    const QProcessEnvironment env = ProgramEnvironment(name, TempPath("config"));

    // opening reads the file: its access time, set before its change time, moves
    const QString sample = TempPath("Wirbelpaar.dat");
    ASSERT_TRUE(QFile::copy(QStringLiteral(STRUDELAX_SAMPLES "/Wirbelpaar.dat"), sample));
    auto markUnread = [&] {
        QFile f(sample);
        return f.open(QIODevice::ReadWrite) &&
               f.setFileTime(QFileInfo(sample).lastModified().addDays(-2), QFileDevice::FileAccessTime);
    };
    ASSERT_TRUE(markUnread());
    const QDateTime unread = QFileInfo(sample).lastRead();
    QFile probe(sample);
    const bool accessTimesKept = probe.open(QIODevice::ReadOnly) && !probe.read(16).isEmpty() &&
                                 QFileInfo(sample).lastRead() != unread;  // not on a noatime mount
    probe.close();
    ASSERT_TRUE(markUnread());

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(Program(), {});
    ASSERT_TRUE(first.waitForStarted(5000));
    ASSERT_TRUE(SpinUntil([&] { return QFileInfo::exists(SocketFile(name)); }, 10000));
    EXPECT_EQ(RunSecondStart(env, {sample}), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    if (accessTimesKept) {
        EXPECT_NE(QFileInfo(sample).lastRead(), unread);
    }

    // killed without a chance to clean up: the next start becomes the first
    first.kill();
    first.waitForFinished(5000);
    EXPECT_TRUE(QFileInfo::exists(SocketFile(name)));
    InstanceChannel next(name);
    EXPECT_TRUE(next.Listen());
}
