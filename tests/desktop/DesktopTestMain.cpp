#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char **argv) {
    // the tests themselves need no screen: they only read screenshots
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
