#include "app/EmulatorLaunch.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>

#include <cstdlib>
#include <unistd.h>

namespace tess {

namespace {

constexpr const char *kEmulatorSocketBase = "Tessarine Emulator 1.0 Beta";
constexpr const char *kEmulatorProgram = "tessarine-emulator";

} // namespace

std::string emulatorSocketName()
{
    if (const char *own = std::getenv("TESSARINE_EMULATOR_SOCKET"); own && *own)
        return own;
    // Two users of one machine each reach their own emulator.
    return std::string(kEmulatorSocketBase) + "-" + std::to_string(::getuid());
}

std::string emulatorMessage(const std::string &deckPath)
{
    return "file://" + deckPath;
}

std::string emulatorCommandLine(const std::string &program, const std::string &deckPath)
{
    return program + "  \"" + deckPath + "\"";
}

std::string installedEmulatorPath()
{
    if (!QCoreApplication::instance())
        return {};
    const QFileInfo beside(QCoreApplication::applicationDirPath() + QLatin1Char('/')
                           + QLatin1String(kEmulatorProgram));
    return beside.isFile() && beside.isExecutable() ? beside.absoluteFilePath().toStdString()
                                                    : std::string();
}

bool sendToRunningEmulator(const std::string &deckPath, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(emulatorSocketName()));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    const std::string message = emulatorMessage(deckPath);
    socket.write(message.data(), qint64(message.size()));
    const bool sent = socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return sent;
}

bool startEmulator(const std::string &program, const std::string &deckPath, std::string *error)
{
    // Program and argument stay apart, so blanks and quotes in either reach
    // the emulator as they are.
    QProcess process;
    process.setProgram(QString::fromStdString(program));
    process.setArguments({QString::fromStdString(deckPath)});
    if (process.startDetached())
        return true;
    if (error)
        *error = process.errorString().toStdString();
    return false;
}

} // namespace tess
