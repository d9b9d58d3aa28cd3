#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QObject>

#include <string>

namespace tess::emu {

// The emulator's end of the IDE's hand-off: a local server on
// emulatorSocketName() that takes "file://PATH" messages, each one
// connection read until the IDE hangs up.
class HandOffServer : public QObject
{
    Q_OBJECT
public:
    explicit HandOffServer(QObject *parent = nullptr);

    // False, with the reason in *error, when another emulator already
    // listens or the name cannot be taken.
    bool listen(std::string *error);

signals:
    void deckRequested(const QByteArray &path);

private:
    void accept();

    QLocalServer m_server;
};

} // namespace tess::emu
