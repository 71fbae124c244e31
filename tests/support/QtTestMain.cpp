#include <gtest/gtest.h>

#include <QApplication>

#include <unistd.h>

// The GUI tests run headless: the platform must be chosen before the application object exists,
// and also when ctest discovers the tests at build time.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QByteArray("/tmp/kestrune-xdg-") + QByteArray::number(getuid()));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
