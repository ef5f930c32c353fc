#include "TestProbe.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include <cstdio>

#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "platform/HelpContext.h"
#include "platform/HelpViewer.h"

namespace sx {

namespace {

QString OneLine(QString text) {
    text.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text;
}

QString BoxText(QWidget *modal) {
    if (auto *box = qobject_cast<QMessageBox *>(modal)) return box->text();
    QStringList texts;
    for (QLabel *l : modal->findChildren<QLabel *>())
        if (!l->text().isEmpty()) texts << l->text();
    for (QPlainTextEdit *t : modal->findChildren<QPlainTextEdit *>())
        if (!t->toPlainText().isEmpty()) texts << t->toPlainText();
    return texts.join(QLatin1Char(' '));
}

QString Visible(QString text) { return text.remove(QLatin1Char('&')); }

// The visible push buttons joined by "|", and the default one.
std::pair<QString, QString> Buttons(QWidget *modal) {
    QStringList texts;
    QString byReturn;
    for (QPushButton *b : modal->findChildren<QPushButton *>()) {
        if (!b->isVisible() && !b->isVisibleTo(modal)) continue;
        texts << Visible(b->text());
        if (b->isDefault()) byReturn = Visible(b->text());
    }
    if (auto *box = qobject_cast<QMessageBox *>(modal))
        if (box->defaultButton()) byReturn = Visible(box->defaultButton()->text());
    return {texts.join(QLatin1Char('|')), byReturn};
}

QString Rect(const QRect &r) {
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

}  // namespace

TestProbe::Mode TestProbe::ModeFromEnvironment() {
    const QString v = qEnvironmentVariable("STRUDELAX_TEST_PROBE");
    if (v == QLatin1String("log")) return Mode::Log;
    if (v == QLatin1String("answer")) return Mode::Answer;
    return Mode::Off;
}

int TestProbe::SplashMilliseconds(int normal) {
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("STRUDELAX_TEST_SPLASH_MS", &ok);
    return ModeFromEnvironment() != Mode::Off && ok && ms >= 0 ? ms : normal;
}

void TestProbe::Install(Mode mode) {
    if (mode == Mode::Off) return;
    new TestProbe(mode);  // lives as long as the application
}

TestProbe::TestProbe(Mode mode) : QObject(QCoreApplication::instance()), mode_(mode) {
    timer_ = new QTimer(this);
    timer_->setInterval(50);
    connect(timer_, &QTimer::timeout, this, &TestProbe::Look);
    timer_->start();
    qApp->installEventFilter(this);
}

void TestProbe::Say(const QString &line) {
    std::fprintf(stderr, "PROBE\t%s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

bool TestProbe::eventFilter(QObject *watched, QEvent *e) {
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::MouseButtonPress) {
        auto *target = qobject_cast<QWidget *>(watched);
        if (target && target->window()->objectName() == QLatin1String("frmSplash"))
            splashInput_ = e->type() == QEvent::KeyPress ? QStringLiteral("key") : QStringLiteral("click");
        return false;
    }
    if (e->type() != QEvent::Show && e->type() != QEvent::Hide) return false;
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || !w->isWindow() || !qobject_cast<QDialog *>(w) || !w->isModal()) return false;
    if (e->type() == QEvent::Hide) {
        Say(QStringLiteral("NOBOX\t%1").arg(OneLine(w->windowTitle())));
        return false;
    }
    Look();  // what was on the screen before the box, in order
    const auto [buttons, byReturn] = Buttons(w);
    Say(QStringLiteral("BOX\t%1\t%2\t%3\t%4\t%5")
            .arg(OneLine(w->windowTitle()), OneLine(BoxText(w)), buttons, byReturn, NamedHelpPage(w)));
    if (mode_ == Mode::Answer) {
        // as a user, read first, then press Return
        QPointer<QWidget> target(w);
        QTimer::singleShot(150, this, [target] {
            if (!target || !target->isVisible()) return;
            if (auto *box = qobject_cast<QMessageBox *>(target.data()))
                if (QAbstractButton *b = box->defaultButton()) return b->click();
            for (QPushButton *b : target->findChildren<QPushButton *>())
                if (b->isDefault() && b->isVisible()) return b->click();
            static_cast<QDialog *>(target.data())->accept();
        });
    }
    return false;
}

void TestProbe::Look() {
    bool splash = false, grab = false;
    for (QWidget *w : QApplication::topLevelWidgets())
        // up means on the screen, not merely asked to show
        if (auto *s = qobject_cast<frmSplash *>(w);
            s && s->isVisible() && s->windowHandle() && s->windowHandle()->isExposed()) {
            splash = true;
            grab = s->HoldsKeyboard();
        }
    // "0" only once it has been up: the start-up is over then
    seenSplash_ = seenSplash_ || splash;
    // up: whether it holds the keyboard; gone: what ended it
    const QString how = splash ? (grab ? QStringLiteral("grab") : QString())
                               : (splashInput_.isEmpty() ? QStringLiteral("time") : splashInput_);
    const QString splashLine = QStringLiteral("SPLASH\t%1\t%2").arg(splash ? 1 : 0).arg(how);
    if (seenSplash_) SayChanged(lastSplash_, splashLine);

    QStringList docs;
    if (frmMain *frame = frmMain::Instance()) {
        QMdiArea *mdi = frame->MdiArea();
        const QPoint origin = mdi->viewport()->mapToGlobal(QPoint(0, 0));
        docs << QStringLiteral("frame=%1 area=%2x%3 hbar=%4 vbar=%5 origin=%6,%7")
                    .arg(Rect(frame->geometry()))
                    .arg(mdi->viewport()->width())
                    .arg(mdi->viewport()->height())
                    .arg(mdi->horizontalScrollBar()->isVisible() ? 1 : 0)
                    .arg(mdi->verticalScrollBar()->isVisible() ? 1 : 0)
                    .arg(origin.x())
                    .arg(origin.y());
        for (QMdiSubWindow *s : mdi->subWindowList())
            docs << QStringLiteral("%1=%2%3").arg(s->windowTitle(), Rect(s->geometry()),
                                                  s == mdi->activeSubWindow() ? QStringLiteral("*") : QString());
    }
    const QString docLine =
        QStringLiteral("DOCS\t%1\t%2").arg(docs.size() > 0 ? docs.size() - 1 : 0).arg(docs.join(QLatin1Char('\t')));
    SayChanged(lastDocs_, docLine);

    QTextBrowser *viewer = HelpViewerWindow();
    SayChanged(lastHelp_,
               QStringLiteral("HELP\t%1").arg(viewer && viewer->isVisible() ? viewer->source().fileName() : QString()));

    // the named text boxes of the box that is up: where their cursor stands decides what of a long text shows
    QStringList fields;
    if (QWidget *box = QApplication::activeModalWidget()) {
        fields << OneLine(box->windowTitle());
        for (QLineEdit *e : box->findChildren<QLineEdit *>())
            if (!e->objectName().isEmpty() && e->isVisible())
                fields << QStringLiteral("%1=%2:%3").arg(e->objectName()).arg(e->cursorPosition()).arg(e->text());
    }
    SayChanged(lastFields_, QStringLiteral("FIELDS\t") + fields.join(QLatin1Char('\t')));

    QWidget *f = QApplication::focusWidget();
    QWidget *doc = f;
    while (doc && doc->objectName() != QLatin1String("frmVectorTable")) doc = doc->parentWidget();
    QWidget *active = QApplication::activeWindow();
    const bool inBox = active && active == QApplication::activeModalWidget();
    const QString focus = QStringLiteral("FOCUS\t%1\t%2\t%3\t%4\t%5")
                              .arg(f ? f->objectName() : QString(), f ? f->window()->objectName() : QString(),
                                   doc ? doc->windowTitle() : QString(), active ? active->objectName() : QString(),
                                   inBox ? QStringLiteral("box") : QString());
    SayChanged(lastFocus_, focus);
}

void TestProbe::SayChanged(QString &last, const QString &line) {
    if (line == last) return;
    last = line;
    Say(line);
}

}  // namespace sx
