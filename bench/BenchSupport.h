#pragma once
// Shared by the benchmarks: a headless application, a user who answers
// everything without a window, and a large regular field.

#include <QApplication>
#include <QDialog>
#include <optional>

#include "VectorDocument.h"
#include "platform/UserInteraction.h"

namespace bench {

// One application for every benchmark of this program, without a display.
inline void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "strudelax_bench";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

// Says yes (or OK) to every question and takes every proposed input.
class YesUser : public sx::UserInteraction {
public:
    sx::MsgAnswer ShowMessage(const sx::UserMessage &m) override {
        return m.buttons == sx::MsgButtons::Ok ? sx::MsgAnswer::Ok : sx::MsgAnswer::Yes;
    }
    std::optional<QString> AskInput(const QString &, const QString &, const QString &d) override { return d; }
    bool ShowFileDialog(sx::FileDialogRequest &) override { return false; }
    bool ShowColorDialog(int32_t &) override { return false; }
    void ShowHelp(const QString &, int) override {}
    void ShowModal(QDialog *d) override { d->hide(); }
};

// n x n nodes of a sheared flow; every 17th diagonal invalid.
inline void FillShearField(sx::VectorDocument &d, int n) {
    sx::SetLoadDefaults(d);
    d.Resize(n, n);
    for (int i = 1; i <= n; ++i) d.PosX(i) = 0.75 * i - 12.5;
    for (int j = 1; j <= n; ++j) d.PosY(j) = 40.0 - 0.75 * j;
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            d.U(i, j) = 0.013 * (i - j) + 0.5;
            d.V(i, j) = -0.007 * (i + j);
            d.Status(i, j) = ((i + j) % 17 == 0) ? sx::StatusInvalid : sx::StatusValid;
        }
    d.ValidCount = d.CountValid();
}

}  // namespace bench
