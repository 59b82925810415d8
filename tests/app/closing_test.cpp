// Closing the window ends the process, whichever screen is on top. Each case
// runs the program in its own process; one that has not ended 5 s after its
// window closed is taken to hang, and is killed.
#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    bool ended = false;
    int exitCode = -1;
    QString errors;
};

Outcome closeWithScreenOnTop(const QString& control)
{
    testsupport::TempFolder data;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), QString::fromStdString(data.path().string()));
    program.setProcessEnvironment(env);
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/close_with_screen"),
                  control.isEmpty() ? QStringList() : QStringList{control});
    Outcome outcome;
    if (!program.waitForStarted(5000))
        return outcome;
    outcome.ended = program.waitForFinished(5000);
    if (!outcome.ended) {
        program.kill();
        program.waitForFinished(5000);
        return outcome;
    }
    outcome.exitCode = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    outcome.errors = QString::fromUtf8(program.readAllStandardError());
    return outcome;
}

TEST(Closing, TheProcessEndsWhicheverScreenIsOnTop)
{
    // The main screen's controls that open the about screen, the favourites
    // screen and the chord grid; none leaves the main screen on top.
    for (const QString& control :
         {QString(), QStringLiteral("buttonSobre"), QStringLiteral("buttonFavoritos"),
          QStringLiteral("buttonGrade")}) {
        SCOPED_TRACE(control.toStdString());
        const Outcome outcome = closeWithScreenOnTop(control);
        EXPECT_TRUE(outcome.ended);
        EXPECT_EQ(outcome.exitCode, 0) << outcome.errors.toStdString();
    }
}

} // namespace
