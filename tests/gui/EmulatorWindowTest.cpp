#include "gui/emulator/EmulatorWindow.h"
#include "app/EmulatorLaunch.h"
#include "common/ScriptedPrompter.h"
#include "gui/emulator/PhoneScreen.h"
#include "gui/emulator/ScreenProfile.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QLocalSocket>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using tess::emu::EmulatorWindow;
using tess::emu::PhoneScreen;

const char *const kDeck = R"(<?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<wml>
<card id="home" title="Home">
<do type="accept" label="Next"><go href="#second"/></do>
<do type="options" label="Help"><go href="#help"/></do>
<p>Hello phone<br/><a href="#second">Onwards</a><br/>
<input name="who" value="Ann"/><select name="pet"><option value="c">Cat</option><option value="d">Dog</option></select>
<select name="extras" multiple="true"><option value="x">X</option><option value="y">Y</option></select></p>
</card>
<card id="second" title="Second"><p>Arrived</p></card>
<card id="help" title="Help"><p>Some help</p></card>
</wml>
)";

const std::string kEmulator = TESS_TEST_BINARY_DIR "/tessarine-emulator";

class EmulatorWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ::setenv("TESSARINE_EMULATOR_SETTINGS", path("emulator.ini").c_str(), 1);
        m_deck = write("deck.wml", kDeck);
    }
    void TearDown() override { ::unsetenv("TESSARINE_EMULATOR_SETTINGS"); }

    std::string path(const QString &name) const { return m_dir.filePath(name).toStdString(); }
    std::string write(const QString &name, const char *text) const
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path(name);
    }

    // The emulator itself, with settings and a socket of its own.
    QProcessEnvironment programEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("TESSARINE_EMULATOR_SETTINGS"), m_dir.filePath("program.ini"));
        env.insert(QStringLiteral("TESSARINE_EMULATOR_SOCKET"), QString::fromStdString(m_socket));
        return env;
    }
    int runEmulator(const QStringList &args, QByteArray *out = nullptr, QByteArray *err = nullptr)
    {
        QProcess process;
        process.setProcessEnvironment(programEnvironment());
        process.start(QString::fromStdString(kEmulator), args);
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            ADD_FAILURE() << "tessarine-emulator " << args.join(' ').toStdString() << " hung";
            return -1;
        }
        if (out)
            *out = process.readAllStandardOutput();
        if (err)
            *err = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QTemporaryDir m_dir;
    std::string m_deck;
    // In the scratch folder, which takes the socket file with it even when
    // the emulator is ended without a chance to remove it.
    std::string m_socket = path("emulator.socket");
    tess::ScriptedPrompter m_prompter;
};

TEST_F(EmulatorWindowTest, ShowsTheCardFollowsALinkAndGoesBack)
{
    EmulatorWindow window(m_prompter);
    window.show();
    ASSERT_TRUE(window.openDeck(m_deck));
    PhoneScreen *screen = window.screen();
    EXPECT_TRUE(screen->lineTexts().contains(QStringLiteral("Hello phone")))
        << screen->lineTexts().join('|').toStdString();
    EXPECT_EQ(window.softKeyButton(0)->text(), QStringLiteral("Next"));
    EXPECT_EQ(window.softKeyButton(1)->text(), QStringLiteral("Help"));
    EXPECT_TRUE(window.deckSizeText().startsWith(QStringLiteral("Compiled size ")))
        << window.deckSizeText().toStdString();

    if (window.browser().screen().focused < 0)
        QTest::keyClick(screen, Qt::Key_Down);
    EXPECT_EQ(window.browser().screen().focused, 0);
    QTest::keyClick(screen, Qt::Key_Return);
    EXPECT_EQ(window.browser().currentCardId(), "second");
    EXPECT_TRUE(screen->lineTexts().contains(QStringLiteral("Arrived")));
    EXPECT_EQ(window.historyList()->count(), 2);
    QTest::keyClick(screen, Qt::Key_Backspace);
    EXPECT_EQ(window.browser().currentCardId(), "home");

    window.softKeyButton(1)->click();
    EXPECT_EQ(window.browser().currentCardId(), "help");

    // The last row of the variables adds one; the others change theirs.
    QTableWidget *variables = window.variablesTable();
    const int last = variables->rowCount() - 1;
    variables->item(last, 0)->setText(QStringLiteral("zz"));
    variables->item(last, 1)->setText(QStringLiteral("1"));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.browser().variables().at("zz"), "1");
    ASSERT_EQ(variables->item(last, 0)->text(), QStringLiteral("zz"));
    variables->item(last, 1)->setText(QStringLiteral("2"));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.browser().variables().at("zz"), "2");
}

TEST_F(EmulatorWindowTest, AnInputIsEditedInPlaceSelectsListTheirOptions)
{
    EmulatorWindow window(m_prompter);
    window.show();
    ASSERT_TRUE(window.openDeck(m_deck));
    ASSERT_TRUE(window.browser().focus(1));
    QTest::keyClick(window.screen(), Qt::Key_Return);
    ASSERT_TRUE(window.fieldEditor());
    EXPECT_EQ(window.fieldEditor()->text(), QStringLiteral("Ann"));
    QTest::keyClicks(window.fieldEditor(), QStringLiteral("e"));
    QTest::keyClick(window.fieldEditor(), Qt::Key_Return);
    EXPECT_FALSE(window.fieldEditor());
    EXPECT_EQ(window.browser().variables().at("who"), "Anne");

    QTest::keyClick(window.screen(), Qt::Key_Down);
    QTest::keyClick(window.screen(), Qt::Key_Return);
    ASSERT_TRUE(window.optionList());
    EXPECT_EQ(window.optionList()->count(), 2);
    QTest::keyClick(window.optionList(), Qt::Key_Down);
    QTest::keyClick(window.optionList(), Qt::Key_Return);
    EXPECT_FALSE(window.optionList());
    EXPECT_EQ(window.browser().variables().at("pet"), "d");

    // The list of a select of several stays while Enter ticks its options.
    QTest::keyClick(window.screen(), Qt::Key_Down);
    QTest::keyClick(window.screen(), Qt::Key_Return);
    ASSERT_TRUE(window.optionList());
    QTest::keyClick(window.optionList(), Qt::Key_Return);
    QTest::keyClick(window.optionList(), Qt::Key_Down);
    QTest::keyClick(window.optionList(), Qt::Key_Return);
    ASSERT_TRUE(window.optionList());
    QTest::keyClick(window.optionList(), Qt::Key_Escape);
    EXPECT_FALSE(window.optionList());
    EXPECT_EQ(window.browser().variables().at("extras"), "x;y");
}

TEST_F(EmulatorWindowTest, ALongCardScrollsDownToItsLinkAndBack)
{
    std::string deck = "<?xml version=\"1.0\"?>\n<wml><card id=\"long\"><p>";
    for (int i = 0; i < 30; ++i)
        deck += "Line " + std::to_string(i) + "<br/>";
    deck += "<a href=\"#end\">Last</a></p></card><card id=\"end\"><p>End</p></card></wml>";
    EmulatorWindow window(m_prompter);
    window.setProfile(*tess::emu::findScreenProfile("small"), false);
    ASSERT_TRUE(window.openDeck(write("long.wml", deck.c_str())));
    PhoneScreen *screen = window.screen();
    EXPECT_EQ(screen->scrollTop(), 0);
    int presses = 0;
    while (!screen->rect().contains(screen->focusedRect()) && presses++ < 40)
        QTest::keyClick(screen, Qt::Key_Down);
    EXPECT_GT(presses, 3);
    EXPECT_EQ(screen->scrollTop() + screen->height(), screen->contentHeight());
    while (screen->scrollTop() > 0 && presses-- > 0)
        QTest::keyClick(screen, Qt::Key_Up);
    EXPECT_EQ(screen->scrollTop(), 0);
}

TEST_F(EmulatorWindowTest, TheChosenProfileSizesTheScreenAndIsRemembered)
{
    for (const tess::emu::ScreenProfile &profile : tess::emu::screenProfiles()) {
        SCOPED_TRACE(profile.id);
        {
            EmulatorWindow window(m_prompter);
            window.profileAction(profile)->trigger();
            EXPECT_EQ(window.screen()->size(),
                      QSize(profile.width, profile.height) * PhoneScreen::kZoom);
            EXPECT_TRUE(window.deckSizeText().contains(
                QLocale(QLocale::English).toString(profile.deckBudget)));
        }
        EmulatorWindow next(m_prompter);
        EXPECT_EQ(&next.profile(), &profile);
        EXPECT_TRUE(next.profileAction(profile)->isChecked());
    }
}

TEST_F(EmulatorWindowTest, ADeckThatDoesNotValidateShowsWhy)
{
    EmulatorWindow window(m_prompter);
    window.show();
    EXPECT_FALSE(window.openDeck(
        write("bad.wml", "<?xml version=\"1.0\"?>\n<wml><card><blink/></card></wml>\n")));
    EXPECT_FALSE(window.messageText().isEmpty());
    EXPECT_FALSE(window.screen()->lineTexts().isEmpty());
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Up})
        QTest::keyClick(window.screen(), key);
    EXPECT_FALSE(window.messageText().isEmpty());
}

// The IDE's own call reaches a running emulator, and a second emulator
// started on a deck hands it over and ends.
TEST_F(EmulatorWindowTest, TheIdeAndASecondEmulatorHandDecksToTheRunningOne)
{
    QProcess first;
    first.setProcessEnvironment(programEnvironment());
    first.start(QString::fromStdString(kEmulator), {QStringLiteral("--trace-on-load")});
    ASSERT_TRUE(first.waitForStarted());
    const auto waitForLine = [&first](const std::string &line) {
        QByteArray out;
        for (QDeadlineTimer deadline(30000); !deadline.hasExpired();) {
            first.waitForReadyRead(200);
            out += first.readAllStandardOutput();
            if (out.contains(QByteArray::fromStdString(line + "\n")))
                return true;
        }
        ADD_FAILURE() << "no \"" << line << "\" in: " << out.toStdString();
        return false;
    };
    // Ready once it answers on the socket.
    for (QDeadlineTimer deadline(30000); !deadline.hasExpired(); QTest::qWait(100)) {
        QLocalSocket probe;
        probe.connectToServer(QString::fromStdString(m_socket));
        if (probe.waitForConnected(200))
            break;
    }

    ::setenv("TESSARINE_EMULATOR_SOCKET", m_socket.c_str(), 1);
    EXPECT_TRUE(tess::sendToRunningEmulator(m_deck));
    ::unsetenv("TESSARINE_EMULATOR_SOCKET");
    waitForLine("loaded: " + m_deck);

    const std::string other = write("other.wml", kDeck);
    EXPECT_EQ(runEmulator({QString::fromStdString(other)}), 0);
    waitForLine("loaded: " + other);

    first.terminate();
    first.waitForFinished(10000);
}

TEST_F(EmulatorWindowTest, CommandLineExitStatus)
{
    const struct
    {
        QStringList args;
        int status;
        const char *out; // a line of standard output
    } cases[] = {
        {{"--script", "select 1; activate", "DECK"}, 0, "card: second"},
        {{"--script", "softkey Help", "DECK"}, 0, "| Some help"},
        {{"--script", "softkey Nowhere", "DECK"}, 1, ""},
        {{"--script", "back", "missing.wml"}, 1, ""},
        {{"--profile", "huge", "DECK"}, 2, ""},
        {{"--frobnicate"}, 2, ""},
        {{"--script", "back"}, 2, ""},
        {{"--screenshot", "SHOT", "--profile", "small", "DECK"}, 0, "Screenshot saved to"},
        {{"--version"}, 0, "tessarine-emulator "},
    };
    for (const auto &c : cases) {
        QStringList args = c.args;
        args.replaceInStrings(QStringLiteral("DECK"), QString::fromStdString(m_deck));
        args.replaceInStrings(QStringLiteral("SHOT"), m_dir.filePath("shot.png"));
        SCOPED_TRACE(args.join(' ').toStdString());
        QByteArray out, err;
        EXPECT_EQ(runEmulator(args, &out, &err), c.status) << err.toStdString();
        EXPECT_TRUE(out.contains(c.out)) << out.toStdString();
        EXPECT_TRUE(c.status == 0 || !err.isEmpty());
    }
    EXPECT_TRUE(QImage(m_dir.filePath("shot.png")).width() > 96 * PhoneScreen::kZoom);
}

} // namespace
