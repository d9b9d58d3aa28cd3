#include "gui/code/CodeEditor.h"

#include "app/SettingsKey.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

#include <string>

namespace tess {
namespace {

// The formats laid on one line, each as start+length, colour and "b" when
// bold, joined by "|".
std::string applied(const CodeEditor &view, int blockNumber)
{
    std::string out;
    const QTextBlock block = view.document()->findBlockByNumber(blockNumber);
    for (const QTextLayout::FormatRange &r : block.layout()->formats())
        out += (out.empty() ? "" : "|") + std::to_string(r.start) + "+" + std::to_string(r.length)
            + r.format.foreground().color().name().toStdString()
            + (r.format.fontWeight() == QFont::Bold ? "b" : "");
    return out;
}

TEST(EditorViewTest, AppliedFormatsFollowTheTokensLineByLine)
{
    CodeEditor view;
    view.setText("<card id=\"x\">\n<p>card 12</p>\n<!-- open\nclose -->\n"
                 "\xC3\xA9\xF0\x9F\x98\x80<b &amp;>");
    EXPECT_EQ(applied(view, 0), "1+4#800000b|6+2#000080|9+3#008000");
    EXPECT_EQ(applied(view, 1), "1+1#800000b|8+2#008000|12+1#800000b");
    EXPECT_EQ(applied(view, 2), "0+9#808000");
    EXPECT_EQ(applied(view, 3), "");
    // Positions count UTF-16 units: one for the e acute, two for the emoji.
    EXPECT_EQ(applied(view, 4), "4+1#800000b|6+5#000080");

    QTextCursor cursor(view.document()->findBlockByNumber(3));
    cursor.insertText("<p>");
    EXPECT_EQ(applied(view, 3), "1+1#800000b");
    cursor.deletePreviousChar();
    EXPECT_EQ(applied(view, 3), "");
}

// A face that is not installed (Arial, the default, on most Linux systems)
// gives way to the system's fixed-width font.
TEST(EditorViewTest, PreferencesSetColoursAndFontWithAFixedFontForAMissingFace)
{
    QTemporaryDir dir;
    SettingsKey key(dir.filePath("key.ini").toStdString());
    CodeEditor view;
    view.setText("<p \"s\">");
    const QString fixed = QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
    EXPECT_EQ(QFontInfo(view.font()).family(), fixed);
    EXPECT_EQ(view.font().pointSize(), 10);
    EXPECT_FALSE(view.font().bold());
    EXPECT_DOUBLE_EQ(view.tabStopDistance(), view.logicalDpiX() / 5.0);

    ASSERT_TRUE(key.create());
    ASSERT_TRUE(key.writeNumber(kSettingKeywordColor, 0x0000FF));
    ASSERT_TRUE(key.writeNumber(kSettingStringsColor, 0xFF0000));
    ASSERT_TRUE(key.writeString(kSettingDefaultFont, "DejaVu Sans Mono"));
    view.applyPreferences(key);
    EXPECT_EQ(applied(view, 0), "1+1#ff0000b|3+3#0000ff");
    EXPECT_EQ(view.font().family(), "DejaVu Sans Mono");

    ASSERT_TRUE(key.writeString(kSettingDefaultFont, "No Such Face 42"));
    view.applyPreferences(key);
    EXPECT_EQ(QFontInfo(view.font()).family(), fixed);
}

} // namespace
} // namespace tess
