// One QApplication for the whole test binary, on the offscreen platform unless
// the environment names another.
#include <QApplication>
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    // Let work queued by the last test finish before the application goes.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return status;
}
