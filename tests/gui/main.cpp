#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // No display is needed: the windows are drawn offscreen (ctest also gives
    // the offscreen platform a screen of a desktop's size).
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
