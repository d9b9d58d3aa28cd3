#pragma once

// Runs the built program as a user would, in `folder`, with settings and
// recent files of its own there.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace tess::test {

struct ProgramResult
{
    int exitCode;
    std::string out, err;
};

// `display` false takes every display away, as the command-line modes must
// work without one; true runs on the offscreen platform.
inline ProgramResult runProgram(const QString &folder, const QStringList &args, bool display = true)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TESSARINE_SETTINGS", folder + "/Tessarine.ini");
    env.insert("TESSARINE_RECENT", folder + "/recent.ini");
    env.insert("TMPDIR", folder);
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    if (display)
        env.insert("QT_QPA_PLATFORM", "offscreen");
    else
        env.remove("QT_QPA_PLATFORM");
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(TESS_TEST_BINARY_DIR "/tessarine"), args);
    EXPECT_TRUE(process.waitForFinished(120000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

} // namespace tess::test
