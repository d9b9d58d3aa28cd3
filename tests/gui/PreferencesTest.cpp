#include "app/AppContext.h"
#include "app/SettingsKey.h"
#include "common/DeckFiles.h"
#include "common/FrameTest.h"
#include "editor/DeckDocument.h"
#include "gui/code/DeckCodeEditor.h"
#include "gui/shell/DocumentTabs.h"
#include "gui/shell/DocumentWindow.h"
#include "gui/shell/PreferencesDialog.h"
#include "wml/FileUtil.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <sys/stat.h>

#include <fstream>
#include <functional>

namespace tess {
namespace {

class PreferencesTest : public test::FrameTest
{
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        m_context.settingsPath = m_dir.filePath("Tessarine.ini").toStdString();
    }
    SettingsKey key() const { return SettingsKey(m_context.settingsPath); }
    // Runs the dialog from the Tools menu, `fill` acting on it before `close`.
    bool runDialog(const std::function<void(PreferencesDialog &)> &fill, bool accept = true)
    {
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<PreferencesDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            fill(*dialog);
            accept ? dialog->accept() : dialog->reject();
        });
        return m_frame.OnUserPreference();
    }
};

TEST_F(PreferencesTest, FreshDefaultsPaletteAndSetDefaults)
{
    SettingsKey k = key();
    ASSERT_TRUE(k.create());
    ASSERT_TRUE(k.writeNumber(kSettingCommentColor, 0x123456));
    ASSERT_TRUE(k.writeString(kSettingDefaultFont, "dejavu sans"));
    runDialog([](PreferencesDialog &d) {
        const std::pair<ColorPickerCombo *, const char *> shown[] = {
            {d.tagsCombo(), "Maroon"},
            {d.commentsCombo(), "Aqua"}, // not in the palette
            {d.attributesCombo(), "Navy"},
            {d.stringsCombo(), "Green"},
        };
        for (const auto &[combo, name] : shown)
            EXPECT_EQ(combo->currentText(), name);
        EXPECT_EQ(d.tagsCombo()->itemText(0), "Aqua");
        EXPECT_EQ(d.tagsCombo()->itemText(1), "Black");
        // The font's case counts: the first font is offered, the note says
        // what the code view shows instead.
        EXPECT_EQ(d.fontCombo()->currentIndex(), 0);
        EXPECT_TRUE(d.fontNote()->text().startsWith("\"dejavu sans\" is not installed"));
        EXPECT_FALSE(d.localDtdBox()->isChecked());
        EXPECT_FALSE(d.dtdEdit()->isEnabled());
        EXPECT_FALSE(d.dtdBrowseButton()->isEnabled());
        d.localDtdBox()->click();
        EXPECT_TRUE(d.dtdEdit()->isEnabled());
    });
    EXPECT_EQ(key().numberOrDefault(kSettingCommentColor), 0xFFFF00u);

    // Set Defaults, then Cancel: the defaults stay stored.
    runDialog([](PreferencesDialog &d) { d.defaultsButton()->click(); }, false);
    EXPECT_EQ(key().numberOrDefault(kSettingCommentColor), 0x8080u);
    EXPECT_EQ(key().readString(kSettingDefaultFont), "Arial");

    // An emulator that cannot be run is refused.
    const std::string notAProgram = m_dir.filePath("emu.txt").toStdString();
    std::ofstream(notAProgram) << "x";
    m_prompter.file(ScriptedPrompter::Kind::OpenFile, notAProgram).answer(Prompter::Answer::Ok);
    runDialog(
        [](PreferencesDialog &d) {
            d.emulatorBrowseButton()->click();
            EXPECT_EQ(d.emulatorEdit()->text(), "");
        },
        false);
    EXPECT_EQ(m_prompter.messages().back().text,
              notAProgram + " is not a program that can be run.");
}

// OK with a DTD folder: the active deck's DOCTYPE names the file in it,
// written atomically; a second OK that changes nothing writes nothing.
TEST_F(PreferencesTest, LocalDtdRewritesTheActiveDecksDoctype)
{
    const std::string deck = m_dir.filePath("deck.wml").toStdString();
    const std::string body = "<wml><card id=\"c\"><p>/dtd/wml_1.1.xml</p></card></wml>\r\n";
    std::ofstream(deck, std::ios::binary) << test::DeckFiles::header() << "\r\n" << body;
    std::string error;
    ASSERT_TRUE(m_frame.OpenDocumentFile(deck, &error)) << error;
    struct stat before
    {
    };
    ASSERT_EQ(::stat(deck.c_str(), &before), 0);

    const std::string dtdFolder = m_dir.filePath("dtd").toStdString();
    const auto useLocal = [&](PreferencesDialog &d) {
        d.localDtdBox()->setChecked(true);
        d.dtdEdit()->setText(QString::fromStdString(dtdFolder));
    };
    ASSERT_TRUE(runDialog(useLocal));
    EXPECT_EQ(key().readString(kSettingDtdPath), dtdFolder + "/wml_1.1.xml");
    const std::string rewritten = readWholeFile(deck).value_or("");
    EXPECT_EQ(rewritten,
              "<?xml version=\"1.0\"?>  <!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" \""
                  + dtdFolder + "/wml_1.1.xml\">\r\n" + body);
    struct stat after
    {
    };
    ASSERT_EQ(::stat(deck.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino); // replaced whole, not written in place
    EXPECT_FALSE(m_frame.activeChildFrame()->document().isModified());

    ASSERT_TRUE(runDialog([](PreferencesDialog &) {}));
    struct stat again
    {
    };
    ASSERT_EQ(::stat(deck.c_str(), &again), 0);
    EXPECT_EQ(again.st_ino, after.st_ino);

    // On the Code tab with unsaved work, the text changes in the view only.
    DocumentTabs *tabs = m_frame.activeChildFrame()->tabWindow();
    tabs->clickTab(1);
    tabs->codeView()->moveCursor(QTextCursor::End);
    tabs->codeView()->insertPlainText("<!-- mine -->");
    ASSERT_TRUE(runDialog([](PreferencesDialog &d) { d.localDtdBox()->setChecked(false); }));
    EXPECT_EQ(readWholeFile(deck).value_or(""), rewritten);
    const std::string code = tabs->codeView()->text();
    EXPECT_NE(code.find("\"http://www.wapforum.org/DTD/wml_1.1.xml\">"), std::string::npos);
    EXPECT_NE(code.find("<!-- mine -->"), std::string::npos);
    EXPECT_TRUE(m_frame.activeChildFrame()->document().isModified());
}

} // namespace
} // namespace tess
