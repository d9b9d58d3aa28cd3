#include "gui/emulator/HandOffServer.h"

#include "app/EmulatorLaunch.h"

#include <QLocalSocket>

#include <memory>

namespace tess::emu {

namespace {

constexpr char kFilePrefix[] = "file://";
constexpr qsizetype kLongestMessage = 64 * 1024;

} // namespace

HandOffServer::HandOffServer(QObject *parent)
    : QObject(parent)
{
    connect(&m_server, &QLocalServer::newConnection, this, &HandOffServer::accept);
}

bool HandOffServer::listen(std::string *error)
{
    const QString name = QString::fromStdString(emulatorSocketName());
    {
        // A socket file that nobody answers on is left over from an emulator
        // that ended without cleaning up; one that answers is not ours to take.
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(500)) {
            probe.disconnectFromServer();
            if (error)
                *error = "another emulator already listens on \"" + name.toStdString() + "\"";
            return false;
        }
    }
    QLocalServer::removeServer(name);
    // Only the user's own programs may hand decks over.
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (m_server.listen(name))
        return true;
    if (error)
        *error = "cannot listen on \"" + name.toStdString()
            + "\": " + m_server.errorString().toStdString();
    return false;
}

void HandOffServer::accept()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        const auto message = std::make_shared<QByteArray>();
        const auto finish = [this, socket, message] {
            socket->disconnect(this);
            *message += socket->readAll();
            const qsizetype prefix = qsizetype(sizeof kFilePrefix) - 1;
            if (message->startsWith(kFilePrefix) && message->size() > prefix)
                emit deckRequested(message->mid(prefix));
            socket->deleteLater();
        };
        connect(socket, &QLocalSocket::readyRead, this, [socket, message] {
            *message += socket->readAll();
            // A path is short; anything longer is not the IDE talking.
            if (message->size() > kLongestMessage) {
                message->clear();
                socket->abort();
            }
        });
        connect(socket, &QLocalSocket::disconnected, this, finish);
        // A client may have written and gone before the signals were connected.
        if (socket->state() == QLocalSocket::UnconnectedState)
            finish();
    }
}

} // namespace tess::emu
