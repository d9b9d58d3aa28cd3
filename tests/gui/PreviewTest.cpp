#include "app/AppContext.h"
#include "app/EmulatorLaunch.h"
#include "app/SettingsKey.h"
#include "common/DeckFiles.h"
#include "common/FrameTest.h"
#include "editor/DeckDocument.h"
#include "gui/shell/DocumentWindow.h"
#include "wml/FileUtil.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTest>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

namespace tess {
namespace {

// The preview from both of its places against a stand-in emulator: a script
// that records what it was started with, and a local server that records
// what a running emulator would be told.
class PreviewTest : public test::FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        m_context.settingsPath = m_dir.filePath("Tessarine.ini").toStdString();
        m_socketName = "tessarine-test-" + std::to_string(QCoreApplication::applicationPid());
        ::setenv("TESSARINE_EMULATOR_SOCKET", m_socketName.c_str(), 1);
        // Blanks and a quote in both paths: the command line must not split
        // them.
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("my site/emu 'x'"));
        m_emulator = m_dir.filePath("my site/emu 'x'/emulator").toStdString();
        std::ofstream(m_emulator) << "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"$0.got\"\n";
        ::chmod(m_emulator.c_str(), 0755);
        m_deck = m_dir.filePath("my site/a deck.wml").toStdString();
        std::ofstream(m_deck) << test::DeckFiles::header()
                              << "<wml><card id=\"c\"><p>x</p></card></wml>";
    }
    void TearDown() override { ::unsetenv("TESSARINE_EMULATOR_SOCKET"); }
    void setEmulator(const std::string &path)
    {
        SettingsKey key(m_context.settingsPath);
        ASSERT_TRUE(key.exists() || key.create());
        ASSERT_TRUE(key.writeString(kSettingEmulator, path));
    }
    DocumentWindow *openDeck()
    {
        std::string error;
        EXPECT_TRUE(m_frame.OpenDocumentFile(m_deck, &error)) << error;
        return m_frame.activeChildFrame();
    }
    std::string started() const { return readWholeFile(m_emulator + ".got").value_or(""); }

    std::string m_socketName;
    std::string m_emulator;
    std::string m_deck;
};

TEST_F(PreviewTest, AStartedEmulatorGetsThePathWholeARunningOneTheMessage)
{
    setEmulator(m_emulator);
    openDeck();
    EXPECT_EQ(emulatorCommandLine(m_emulator, m_deck), m_emulator + "  \"" + m_deck + "\"");

    // Tools: validated, then a new emulator, even with one running.
    commands().invokeEmulator->trigger();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !started().empty(); }, 5000));
    EXPECT_EQ(started(), "1|" + m_deck);

    // The bar's button: a running emulator is told, none is started.
    std::remove((m_emulator + ".got").c_str());
    QLocalServer server;
    ASSERT_TRUE(server.listen(QString::fromStdString(m_socketName)));
    QByteArray received;
    QObject::connect(&server, &QLocalServer::newConnection, [&] {
        QLocalSocket *client = server.nextPendingConnection();
        QObject::connect(client, &QLocalSocket::readyRead,
                         [&, client] { received += client->readAll(); });
    });
    commands().preview->trigger();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return received.size() >= qsizetype(m_deck.size() + 7); }, 5000));
    EXPECT_EQ(received.toStdString(), "file://" + m_deck);
    QTest::qWait(200);
    EXPECT_EQ(started(), "");
    EXPECT_TRUE(m_prompter.messages().empty());
}

TEST_F(PreviewTest, RefusalsQuestionAndFailure)
{
    // A new deck has no file of its own to show.
    commands().newWml->trigger();
    m_prompter.answer(Prompter::Answer::Ok);
    commands().invokeEmulator->trigger();
    ASSERT_EQ(m_prompter.messages().size(), 1u);
    EXPECT_EQ(m_prompter.messages()[0].text, "Emulator launch failed: save file prior to preview");
    EXPECT_EQ(m_prompter.messages()[0].icon, Prompter::Icon::Stop);

    // ASP and JSP pages have no preview.
    commands().newAsp->trigger();
    EXPECT_FALSE(commands().invokeEmulator->isEnabled());
    EXPECT_FALSE(commands().preview->isEnabled());

    // No emulator anywhere: the question; No ends it.
    openDeck();
    m_prompter.answer(Prompter::Answer::No);
    commands().invokeEmulator->trigger();
    ASSERT_EQ(m_prompter.messages().size(), 2u);
    EXPECT_EQ(m_prompter.messages()[1].text,
              "Emulator path is not set in the userprefernce \n\nDo you want to set Emulator "
              "path now?  ");
    EXPECT_EQ(m_prompter.messages()[1].buttons, Prompter::Buttons::YesNo);

    // A program that cannot be started: the system's reason, titled Error.
    setEmulator(m_dir.filePath("no such emulator").toStdString());
    m_prompter.answer(Prompter::Answer::Ok);
    commands().invokeEmulator->trigger();
    ASSERT_EQ(m_prompter.messages().size(), 3u);
    EXPECT_EQ(m_prompter.messages()[2].caption, "Error");
    EXPECT_EQ(m_prompter.messages()[2].icon, Prompter::Icon::Stop);
    EXPECT_FALSE(m_prompter.messages()[2].text.empty());
}

} // namespace
} // namespace tess
