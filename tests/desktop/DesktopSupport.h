#pragma once
// End-to-end support: the built program started as its own process on a
// fresh desktop, either a real X server (Xvfb with the openbox window
// manager, each test on its own display) or Qt's offscreen platform. Each
// run gets its own settings, runtime folder and hand-over channel.
//
// The program reports what a user would see through its test probe, stderr
// lines of tab-separated fields after "PROBE":
//   BOX <title> <text> <buttons joined by |> <default button> <help page>;  NOBOX <title>
//   DOCS <count> frame=... <title>=<x,y,w,h>[*] ...
//   FOCUS <widget> <window> <document> <active window> <"box" while a box is active>
//   SPLASH 1 <"grab" while it holds the keyboard>;  SPLASH 0 <what ended it: key, click, time>
//   HELP <page the help viewer shows, empty while it is closed>
//   FIELDS <title of the box that is up> <name>=<cursor>:<text> ...
// Under Xvfb the tests answer boxes with real keys (xdotool); offscreen the
// probe presses each box's default button itself.

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

namespace desk {

enum class Screen { Xvfb, Offscreen };

// Test-name suffix for parameterised tests.
std::string ScreenName(const ::testing::TestParamInfo<Screen> &info);

// Generous limits: a loaded CI machine is slow, a hang still ends.
constexpr int kBoxTimeoutMs = 20000;
constexpr int kStartTimeoutMs = 30000;

// Paths of the built program and its samples.
QString ProgramPath();
QString SamplesFolder();

class App;

class Desktop {
public:
    explicit Desktop(Screen screen);
    ~Desktop();
    Desktop(const Desktop &) = delete;
    Desktop &operator=(const Desktop &) = delete;

    // Starts Xvfb and openbox (nothing offscreen); false with a reason when they cannot run.
    bool Start(QString *why);

    Screen screen() const { return screen_; }
    bool IsX() const { return screen_ == Screen::Xvfb; }
    QString Display() const { return display_; }
    // A scratch folder of this test (also holds the settings and the runtime folder).
    QString Folder() const { return dir_.path(); }
    QString FilePath(const QString &name) const { return dir_.filePath(QStringLiteral("files/") + name); }

    // The per-user settings file the program reads; by default the start-up
    // dialog is off ("StartUp"/"ShowInfo" = "No").
    QString SettingsPath() const;
    void WriteSettings(const QString &iniText);

    // Starts the program with these arguments (each one argv entry, raw bytes allowed).
    App &Launch(const std::vector<QByteArray> &args, const QString &workDir = QString());
    // The same in a working folder given by its bytes (a name that is no UTF-8).
    App &Launch(const std::vector<QByteArray> &args, const QByteArray &workDir);
    App &Launch(const QStringList &args) {
        std::vector<QByteArray> raw;
        for (const QString &a : args) raw.push_back(a.toUtf8());
        return Launch(raw);
    }
    // A second start: runs to its end and returns its exit code (-1 when it hangs or crashes).
    int RunSecondStart(const std::vector<QByteArray> &args, const QString &workDir = QString());

    // The environment every start of the program gets.
    QProcessEnvironment Environment() const;
    // Adds a variable to it for the starts that follow.
    void SetEnv(const QString &name, const QString &value) { extraEnv_.insert(name, value); }

    // X helpers (Xvfb only). Run() returns trimmed stdout.
    QString Run(const QString &program, const QStringList &args, int *exitCode = nullptr, int timeoutMs = 10000) const;
    QImage Screenshot() const;
    QString FocusWindowName() const;
    QString ActiveWindowName() const;
    void Key(const QString &keys) const;
    // Types keys one after the other, as fast as a quick user (menus need a moment to open).
    void Type(const QStringList &keys) const;
    // Geometry of the first visible window with exactly this name (empty when none).
    QRect WindowGeometry(const QString &name) const;

private:
    Screen screen_;
    QTemporaryDir dir_;
    QString display_;
    std::unique_ptr<QProcess> xvfb_, wm_;
    QProcessEnvironment extraEnv_;
    std::vector<std::unique_ptr<App>> apps_;
};

// One running program.
class App {
public:
    App(Desktop &desk, const std::vector<QByteArray> &args, const QByteArray &workDir);
    ~App();

    bool Alive();
    // Everything the program wrote to stderr so far.
    QString Log();
    // Probe lines from the read cursor on; each Wait* call moves the cursor past its match.
    // Waits for a probe line whose tab-separated fields start with `fields`.
    bool WaitFor(const QStringList &fields, int timeoutMs = kBoxTimeoutMs, QStringList *found = nullptr);
    // Waits until `ok` holds for the newest line of a kind ("DOCS", "FOCUS").
    bool WaitForState(const QString &kind, const std::function<bool(const QStringList &)> &ok,
                      int timeoutMs = kBoxTimeoutMs, QStringList *found = nullptr);
    // Waits until `ok` holds, looking again whenever the program writes or
    // after a short while; false when it does not within the time.
    bool WaitUntil(const std::function<bool()> &ok, int timeoutMs = kBoxTimeoutMs);
    // Whether a box is up now (the newest BOX line has no NOBOX after it).
    bool BoxOpen();
    // The newest probe line of a kind, split at tabs (empty when none yet).
    QStringList Latest(const QString &kind);

    // Waits until the box with this title holds the keyboard, for X (its
    // window has the focus) and for the program (the focus is in the box).
    bool BoxHasTheKeyboard(const QString &title);
    // Waits until the frame holds the keyboard: no box up, the frame the
    // active window (Qt's follows the window system's focus), the focus in
    // its active document when it has one.
    bool FrameHasTheKeyboard();
    // Waits until the start-up is over and keys reach the frame: the splash
    // gone (a key while it is up only ends it), `docs` document windows
    // shown and the frame holding the keyboard.
    bool ReadyForKeys(int docs);
    // Waits for the box with this title and answers it with `key` as a user
    // would (offscreen: its default button); fails the test when it does not come,
    // does not hold the keyboard focus, or does not close.
    bool AnswerBox(const QString &title, const QString &key = QStringLiteral("Return"));
    // Ends the program (SIGTERM) and reports whether it was still alive.
    bool Stop();
    int ExitCode() const { return proc_.exitCode(); }
    bool Crashed() const { return proc_.exitStatus() == QProcess::CrashExit; }

private:
    void Pump(int ms);
    Desktop &desk_;
    QProcess proc_;
    QString log_;
    QStringList lines_;  // probe lines, fields joined by tabs
    int cursor_ = 0;
};

// A DOCS probe line taken apart.
struct DocsState {
    int count = 0;
    QRect frame;    // the frame's client area on the screen
    QSize area;     // the visible client area for documents
    QPoint origin;  // its top left on the screen
    bool hbar = false, vbar = false;
    QStringList titles;  // document windows in creation order
    QList<QRect> rects;  // their places in the client area
    int active = -1;     // index of the active one
};
DocsState ParseDocs(const QStringList &fields);

// Parameterised fixture: a fresh desktop per test; skipped when the X tools are missing.
class DesktopTest : public ::testing::TestWithParam<Screen> {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the program with `file` and waits until it takes keys with it open.
    App &OpenFile(const QString &file);
    // The same with the sample field with gaps.
    App &OpenSample();
    std::unique_ptr<Desktop> desk;
};

#define DESKTOP_SCREENS ::testing::Values(desk::Screen::Xvfb, desk::Screen::Offscreen), desk::ScreenName

}  // namespace desk
