// One QApplication on the offscreen platform with a single 1366 x 768 screen,
// whatever platform the environment names.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" SCREEN_CONFIG);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return status;
}
