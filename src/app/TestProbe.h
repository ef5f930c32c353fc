#pragma once
// A window onto the running program for the end-to-end tests, switched on by
// the environment variable STRUDELAX_TEST_PROBE: "log" writes what a user
// would see (the splash, boxes, document windows and their places, the focus,
// the help page shown) to stderr, one tab-separated line per change; "answer"
// also presses the default button of every box, where no X server lets the
// test press keys.

#include <QObject>
#include <QString>

class QTimer;

namespace sx {

class TestProbe : public QObject {
    Q_OBJECT
public:
    enum class Mode { Off, Log, Answer };
    static Mode ModeFromEnvironment();
    // Starts watching; nothing happens while mode is Off.
    static void Install(Mode mode);
    // How long the splash stays up at least: `normal`, or with the probe on
    // the milliseconds in STRUDELAX_TEST_SPLASH_MS (a test that looks at the
    // splash keeps it up until it ends it itself).
    static int SplashMilliseconds(int normal);

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    explicit TestProbe(Mode mode);
    void Look();
    void Say(const QString &line);
    // Says `line` when it differs from `last`, which it then becomes.
    void SayChanged(QString &last, const QString &line);
    Mode mode_;
    QTimer *timer_ = nullptr;
    QString lastSplash_, lastDocs_, lastFocus_, lastHelp_, lastFields_;
    QString splashInput_;  // what reached the splash last: "key" or "click"
    bool seenSplash_ = false;
};

}  // namespace sx
