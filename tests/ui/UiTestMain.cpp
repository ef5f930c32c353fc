// One main for every window test: offscreen platform, a throw-away settings
// folder, and a scripted user that must have answered everything it was asked.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "UiTestSupport.h"

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("HOME", config.path().toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Strudelax"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
