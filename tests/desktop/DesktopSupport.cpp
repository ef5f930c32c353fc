#include "DesktopSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace desk {

namespace {

// Each argument as a shell word made of octal escapes, so that any bytes
// (also file names that are not UTF-8) reach the program unchanged.
QString ShellWord(const QByteArray &bytes) {
    QString out = QStringLiteral("\"$(printf '");
    for (const char c : bytes) out += QStringLiteral("\\%1").arg(static_cast<unsigned char>(c), 3, 8, QLatin1Char('0'));
    return out + QStringLiteral("')\"");
}

// The shell's command that starts the program in `workDir` (bytes, any name).
QString StartCommand(const std::vector<QByteArray> &args, const QByteArray &workDir) {
    // exec: the program keeps the shell's process, so its end is the program's
    QString cmd = workDir.isEmpty() ? QString() : QStringLiteral("cd ") + ShellWord(workDir) + QStringLiteral(" && ");
    cmd += QStringLiteral("exec ") + ShellWord(ProgramPath().toUtf8());
    for (const QByteArray &a : args) cmd += QLatin1Char(' ') + ShellWord(a);
    return cmd;
}

bool HaveTool(const char *name) { return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty(); }

}  // namespace

std::string ScreenName(const ::testing::TestParamInfo<Screen> &info) {
    return info.param == Screen::Xvfb ? "Xvfb" : "Offscreen";
}

QString ProgramPath() { return QStringLiteral(STRUDELAX_PROGRAM); }
QString SamplesFolder() { return QStringLiteral(STRUDELAX_SAMPLES); }

Desktop::Desktop(Screen screen) : screen_(screen) {
    QDir(dir_.path()).mkpath(QStringLiteral("config/Strudelax"));
    QDir(dir_.path()).mkpath(QStringLiteral("files"));
    QDir(dir_.path()).mkpath(QStringLiteral("run"));
    QFile::setPermissions(dir_.filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    WriteSettings(QStringLiteral("[StartUp]\nShowInfo=No\n"));
}

Desktop::~Desktop() {
    apps_.clear();
    for (auto *p : {wm_.get(), xvfb_.get()}) {
        if (!p) continue;
        p->terminate();
        if (!p->waitForFinished(5000)) {
            p->kill();
            p->waitForFinished(5000);
        }
    }
}

bool Desktop::Start(QString *why) {
    if (!QFileInfo::exists(ProgramPath())) {
        *why = QStringLiteral("program not built: ") + ProgramPath();
        return false;
    }
    if (screen_ == Screen::Offscreen) return true;
    for (const char *tool : {"Xvfb", "openbox", "xdotool", "xprop", "import"})
        if (!HaveTool(tool)) {
            *why = QStringLiteral("missing %1 (scripts/install-deps installs it)").arg(QLatin1String(tool));
            return false;
        }
    // a display number of our own; another test may take the same one first: try the next
    const int base = 300 + static_cast<int>((::getpid() * 7) % 3000);
    for (int attempt = 0; attempt < 40 && !xvfb_; ++attempt) {
        const int n = base + attempt * 13;
        if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) ||
            QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
            continue;
        auto x = std::make_unique<QProcess>();
        x->setProcessChannelMode(QProcess::MergedChannels);
        x->start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"), QStringLiteral("0"),
                                          QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                          QStringLiteral("tcp"), QStringLiteral("-noreset")});
        if (!x->waitForStarted(5000)) continue;
        const QDeadlineTimer up(10000);
        bool ready = false;
        while (!up.hasExpired() && x->state() == QProcess::Running) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) {
                display_ = QStringLiteral(":%1").arg(n);
                int code = -1;
                Run(QStringLiteral("xprop"), {QStringLiteral("-root")}, &code, 3000);
                if (code == 0) {
                    ready = true;
                    break;
                }
            }
            x->waitForFinished(50);
        }
        if (ready)
            xvfb_ = std::move(x);
        else {
            x->kill();
            x->waitForFinished(3000);
            display_.clear();
        }
    }
    if (!xvfb_) {
        *why = QStringLiteral("Xvfb did not start");
        return false;
    }
    wm_ = std::make_unique<QProcess>();
    wm_->setProcessEnvironment(Environment());
    wm_->setProcessChannelMode(QProcess::MergedChannels);
    wm_->start(QStringLiteral("openbox"), {});
    wm_->waitForStarted(10000);
    const QDeadlineTimer managed(15000);
    while (!managed.hasExpired()) {
        if (Run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .contains(QLatin1String("window id")))
            return true;
        if (wm_->state() != QProcess::Running) break;
        wm_->waitForFinished(50);
    }
    *why = QStringLiteral("openbox did not start: ") + QString::fromLocal8Bit(wm_->readAll());
    return false;
}

QString Desktop::SettingsPath() const { return dir_.filePath(QStringLiteral("config/Strudelax/Strudelax.ini")); }

void Desktop::WriteSettings(const QString &iniText) {
    QFile f(SettingsPath());
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(iniText.toUtf8());
}

QProcessEnvironment Desktop::Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir_.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("STRUDELAX_INSTANCE_NAME"), dir_.filePath(QStringLiteral("run/strudelax")));
    // a sanitizer build reports Qt's memory held at exit; a second start must still end with 0
    if (!env.contains(QStringLiteral("ASAN_OPTIONS")))
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    if (IsX()) {
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("STRUDELAX_TEST_PROBE"), QStringLiteral("log"));
    } else {
        env.remove(QStringLiteral("DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("STRUDELAX_TEST_PROBE"), QStringLiteral("answer"));
    }
    env.insert(extraEnv_);
    return env;
}

App &Desktop::Launch(const std::vector<QByteArray> &args, const QString &workDir) {
    return Launch(args, QFile::encodeName(workDir));
}

App &Desktop::Launch(const std::vector<QByteArray> &args, const QByteArray &workDir) {
    apps_.push_back(std::make_unique<App>(*this, args, workDir));
    return *apps_.back();
}

int Desktop::RunSecondStart(const std::vector<QByteArray> &args, const QString &workDir) {
    QProcess p;
    p.setProcessEnvironment(Environment());
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), StartCommand(args, QFile::encodeName(workDir))});
    if (!p.waitForFinished(kStartTimeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        return -1;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QString Desktop::Run(const QString &program, const QStringList &args, int *exitCode, int timeoutMs) const {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(3000);
        if (exitCode) *exitCode = -1;
        return QString();
    }
    if (exitCode) *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QImage Desktop::Screenshot() const {
    const QString file = dir_.filePath(QStringLiteral("shot.png"));
    QFile::remove(file);
    Run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file}, nullptr, 20000);
    return QImage(file);
}

QString Desktop::FocusWindowName() const {
    return Run(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus"), QStringLiteral("getwindowname")});
}

QString Desktop::ActiveWindowName() const {
    return Run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow"), QStringLiteral("getwindowname")});
}

void Desktop::Key(const QString &keys) const {
    Run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys});
}

void Desktop::Type(const QStringList &keys) const {
    Run(QStringLiteral("xdotool"), QStringList{QStringLiteral("key"), QStringLiteral("--clearmodifiers"),
                                               QStringLiteral("--delay"), QStringLiteral("250")} +
                                       keys);
}

QRect Desktop::WindowGeometry(const QString &name) const {
    const QString ids = Run(QStringLiteral("xdotool"),
                            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                             QLatin1Char('^') + QRegularExpression::escape(name) + QLatin1Char('$')});
    const QString id = ids.split(QLatin1Char('\n')).value(0);
    if (id.isEmpty()) return QRect();
    // "X=..", "Y=..", "WIDTH=..", "HEIGHT=.." lines
    const QString out =
        Run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), id});
    int x = 0, y = 0, w = 0, h = 0;
    for (const QString &line : out.split(QLatin1Char('\n'))) {
        const QString v = line.section(QLatin1Char('='), 1);
        if (line.startsWith(QLatin1String("X="))) x = v.toInt();
        if (line.startsWith(QLatin1String("Y="))) y = v.toInt();
        if (line.startsWith(QLatin1String("WIDTH="))) w = v.toInt();
        if (line.startsWith(QLatin1String("HEIGHT="))) h = v.toInt();
    }
    return QRect(x, y, w, h);
}

App::App(Desktop &desk, const std::vector<QByteArray> &args, const QByteArray &workDir) : desk_(desk) {
    proc_.setProcessEnvironment(desk.Environment());
    proc_.setProcessChannelMode(QProcess::MergedChannels);
    proc_.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), StartCommand(args, workDir)});
    proc_.waitForStarted(10000);
}

App::~App() {
    if (proc_.state() != QProcess::NotRunning) {
        proc_.kill();
        proc_.waitForFinished(5000);
    }
}

void App::Pump(int ms) {
    if (proc_.state() == QProcess::Running) proc_.waitForReadyRead(ms);
    const QByteArray bytes = proc_.readAll();
    if (bytes.isEmpty()) return;
    const int start = static_cast<int>(log_.lastIndexOf(QLatin1Char('\n')) + 1);
    log_ += QString::fromUtf8(bytes);
    const QStringList all = log_.mid(start).split(QLatin1Char('\n'));
    // the last piece is an unfinished line
    for (int k = 0; k + 1 < all.size(); ++k)
        if (all[k].startsWith(QLatin1String("PROBE\t"))) lines_ << all[k].mid(6);
}

bool App::Alive() {
    Pump(0);
    return proc_.state() == QProcess::Running;
}

QString App::Log() {
    Pump(0);
    return log_;
}

bool App::WaitFor(const QStringList &fields, int timeoutMs, QStringList *found) {
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        Pump(0);
        for (; cursor_ < lines_.size(); ++cursor_) {
            const QStringList f = lines_[cursor_].split(QLatin1Char('\t'));
            bool match = f.size() >= fields.size();
            for (int k = 0; match && k < fields.size(); ++k) match = f[k] == fields[k];
            if (match) {
                if (found) *found = f;
                ++cursor_;
                return true;
            }
        }
        if (deadline.hasExpired() || proc_.state() != QProcess::Running) return false;
        Pump(50);
    }
}

QStringList App::Latest(const QString &kind) {
    Pump(0);
    for (qsizetype k = lines_.size() - 1; k >= 0; --k)
        if (lines_[k].startsWith(kind + QLatin1Char('\t'))) return lines_[k].split(QLatin1Char('\t'));
    return {};
}

bool App::BoxOpen() {
    Pump(0);
    for (qsizetype k = lines_.size() - 1; k >= 0; --k) {
        if (lines_[k].startsWith(QLatin1String("BOX\t"))) return true;
        if (lines_[k].startsWith(QLatin1String("NOBOX\t"))) return false;
    }
    return false;
}

bool App::WaitUntil(const std::function<bool()> &ok, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (ok()) return true;
        // a program that has ended changes nothing more
        if (deadline.hasExpired() || proc_.state() != QProcess::Running) return ok();
        Pump(50);
    }
}

bool App::WaitForState(const QString &kind, const std::function<bool(const QStringList &)> &ok, int timeoutMs,
                       QStringList *found) {
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QStringList last = Latest(kind);
        if (!last.isEmpty() && ok(last)) {
            if (found) *found = last;
            return true;
        }
        if (deadline.hasExpired() || proc_.state() != QProcess::Running) return false;
        Pump(50);
    }
}

bool App::BoxHasTheKeyboard(const QString &title) {
    // by its title for X, and for the program, as the frame may have the same title
    return WaitUntil([&] {
        return desk_.FocusWindowName() == title && Latest(QStringLiteral("FOCUS")).value(5) == QLatin1String("box");
    });
}

bool App::FrameHasTheKeyboard() {
    return WaitUntil([&] {
        const QStringList focus = Latest(QStringLiteral("FOCUS"));
        if (focus.value(4) != QLatin1String("frmMain") || !focus.value(5).isEmpty()) return false;
        const DocsState docs = ParseDocs(Latest(QStringLiteral("DOCS")));
        if (docs.count == 0) return true;
        return docs.active >= 0 && focus.value(3) == docs.titles.value(docs.active);
    });
}

bool App::ReadyForKeys(int docs) {
    return WaitForState(
               QStringLiteral("SPLASH"), [](const QStringList &f) { return f.value(1) == QLatin1String("0"); },
               kStartTimeoutMs) &&
           WaitForState(
               QStringLiteral("DOCS"), [docs](const QStringList &f) { return f.value(1).toInt() == docs; },
               kStartTimeoutMs) &&
           FrameHasTheKeyboard();
}

bool App::AnswerBox(const QString &title, const QString &key) {
    QStringList box;
    if (!WaitFor({QStringLiteral("BOX"), title}, kBoxTimeoutMs, &box)) {
        ADD_FAILURE() << "no box \"" << title.toStdString() << "\" came" << (Alive() ? "" : " (the program ended)")
                      << "\n"
                      << Log().toStdString();
        return false;
    }
    if (desk_.IsX()) {
        // a user types where the focus is
        if (!BoxHasTheKeyboard(title)) {
            ADD_FAILURE() << "box \"" << title.toStdString() << "\" has no keyboard focus (\""
                          << desk_.FocusWindowName().toStdString() << "\" has)";
            return false;
        }
        desk_.Key(key);
    }
    if (!WaitFor({QStringLiteral("NOBOX"), title})) {
        ADD_FAILURE() << "box \"" << title.toStdString() << "\" did not close"
                      << (Alive() ? "" : " (the program ended)") << "\n"
                      << Log().toStdString();
        return false;
    }
    return true;
}

bool App::Stop() {
    const bool alive = Alive();
    if (alive) {
        proc_.terminate();
        if (!proc_.waitForFinished(10000)) {
            proc_.kill();
            proc_.waitForFinished(5000);
        }
    }
    return alive;
}

DocsState ParseDocs(const QStringList &fields) {
    DocsState s;
    s.count = fields.value(1).toInt();
    auto rect = [](const QString &text) {
        const QStringList n = text.split(QLatin1Char(','));
        return QRect(n.value(0).toInt(), n.value(1).toInt(), n.value(2).toInt(), n.value(3).toInt());
    };
    const QRegularExpression head(
        QStringLiteral("^frame=(\\S+) area=(\\d+)x(\\d+) hbar=(\\d) vbar=(\\d) origin=(-?\\d+),(-?\\d+)$"));
    const QRegularExpressionMatch m = head.match(fields.value(2));
    if (m.hasMatch()) {
        s.frame = rect(m.captured(1));
        s.area = QSize(m.captured(2).toInt(), m.captured(3).toInt());
        s.hbar = m.captured(4) == QLatin1String("1");
        s.vbar = m.captured(5) == QLatin1String("1");
        s.origin = QPoint(m.captured(6).toInt(), m.captured(7).toInt());
    }
    for (qsizetype k = 3; k < fields.size(); ++k) {
        QString f = fields[k];
        if (f.endsWith(QLatin1Char('*'))) {
            s.active = static_cast<int>(k - 3);
            f.chop(1);
        }
        const qsizetype eq = f.lastIndexOf(QLatin1Char('='));
        s.titles << f.left(eq);
        s.rects << rect(f.mid(eq + 1));
    }
    return s;
}

void DesktopTest::SetUp() {
    desk = std::make_unique<Desktop>(GetParam());
    QString why;
    if (!desk->Start(&why)) {
        if (GetParam() == Screen::Xvfb && why.startsWith(QLatin1String("missing"))) GTEST_SKIP() << why.toStdString();
        FAIL() << why.toStdString();
    }
}

void DesktopTest::TearDown() { desk.reset(); }

App &DesktopTest::OpenFile(const QString &file) {
    App &app = desk->Launch(QStringList{file});
    EXPECT_TRUE(app.ReadyForKeys(1)) << app.Log().toStdString();
    return app;
}

App &DesktopTest::OpenSample() { return OpenFile(QDir(SamplesFolder()).filePath(QStringLiteral("Wirbelpaar.sdx"))); }

}  // namespace desk
