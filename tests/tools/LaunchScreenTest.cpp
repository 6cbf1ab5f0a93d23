// The README's command line for the data selection screen on a fresh sample
// office: tools/launch-screen starts up as the linkage tool does, so the
// sample operator of the office's group logs on and the screen comes up.
#include <gtest/gtest.h>

#include "TempDir.h"
#include "platform/Process.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

TEST(LaunchScreenTest, TheReadmeCommandLogsTheSampleOperatorOnAndOpensTheScreen)
{
    vq::test::TempDir dir;
    const fs::path office = dir / "sample-office";
    const auto made = vq::platform::runProcess(VQ_MAKE_SAMPLE_OFFICE, {office.string()});
    ASSERT_TRUE(made.succeeded()) << made.standardError;

    QProcess screen;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VQ_ROOT"), QString::fromStdString(office.string()));
    env.insert(QStringLiteral("VQ_BUILD"), QStringLiteral(VQ_BUILD_DIR));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("VQ_OPERATOR"));
    env.remove(QStringLiteral("VQ_PASSWORD"));
    screen.setProcessEnvironment(env);
    screen.setWorkingDirectory(QStringLiteral(VQ_SOURCE_DIR));
    screen.start(QStringLiteral("tools/launch-screen"), {QStringLiteral("QzDataSenkaku"), QStringLiteral("SyoriType=0")});
    ASSERT_TRUE(screen.waitForStarted());

    // The screen is modal and waits for the operator: the run is read until
    // the logon went through, then ended.
    QByteArray errors;
    QDeadlineTimer deadline(60000);
    while (!errors.contains("logged on") && screen.state() == QProcess::Running && !deadline.hasExpired()) {
        screen.waitForReadyRead(200);
        errors += screen.readAllStandardError();
    }
    const bool exited = screen.state() != QProcess::Running;
    screen.kill();
    screen.waitForFinished();
    errors += screen.readAllStandardError();
    EXPECT_FALSE(exited) << "launch-screen ended before its screen: " << errors.toStdString();
    EXPECT_TRUE(errors.contains("launch-screen: operator 10 logged on (group 10000)")) << errors.toStdString();
}

} // namespace
