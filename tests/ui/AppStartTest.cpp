// The program itself, started as scripts/start.sh starts it without a display.
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>

namespace {

TEST(ProgramStart, SavesAPictureOfTheMainWindowAndEndsCleanly)
{
    kestrune::test::TempDir dir;
    const QString picture = QString::fromStdString((dir.Path() / "window.png").string());
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("KESTRUNE_SCREENSHOT"), picture);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(KESTRUNE_APP_PATH), {});
    ASSERT_TRUE(program.waitForFinished(120000)) << "the program did not end by itself";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();

    const QImage image(picture);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), image.height()) << "the main window is wider than tall";
}

}  // namespace
