#include "gui/code/DeckCodeEditor.h"

#include "app/SettingsKey.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

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

void select(CodeEditor &view, int from, int to)
{
    QTextCursor cursor(view.document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    view.setTextCursor(cursor);
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

TEST(EditorViewTest, PreferencesSetColoursAndFontWithArialForAMissingFace)
{
    QTemporaryDir dir;
    SettingsKey key(dir.filePath("key.ini").toStdString());
    CodeEditor view;
    view.setText("<p \"s\">");
    EXPECT_EQ(view.font().family(), "Arial");
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
    EXPECT_EQ(view.font().family(), "Arial");
}

TEST(EditorViewTest, SettingATextReplacesOnlyWhatDiffers)
{
    CodeEditor view;
    view.setText("<p>\nfirst\n<card id=\"a\">\nlast \xF0\x9F\x98\x80\n");
    const quint64 generation = view.textGeneration();
    const struct
    {
        const char *text;
    } cases[] = {
        {"<p>\nfirst\n<card id=\"b\">\nlast \xF0\x9F\x98\x80\n"}, // one character inside
        {"<p>\nfirst\n<card id=\"b\">\n<p>\nlast \xF0\x9F\x98\x80\n"}, // a line added
        {"<p>\nfirst\nlast \xF0\x9F\x98\x81\n"}, // a line gone, the emoji's low half changed
        {"<p>\nfirst\nlast \xF0\x9F\x98\x81\n"}, // nothing changed
        {""},
        {"card"},
    };
    for (const auto &c : cases) {
        view.setText(c.text);
        EXPECT_EQ(view.text(), c.text);
        EXPECT_FALSE(view.document()->isUndoAvailable()) << c.text;
        EXPECT_EQ(view.textCursor().position(), 0) << c.text;
    }
    EXPECT_EQ(view.textGeneration(), generation + std::size(cases));

    // The replaced line is coloured; its neighbours keep their colours.
    view.setText("<p>\n<card>\ncard\n");
    view.setText("<p>\n<wml>\ncard\n");
    EXPECT_EQ(applied(view, 1), "1+3#800000b");
    EXPECT_EQ(applied(view, 2), "");
}

TEST(EditorViewTest, CaretStatusFollowsKeyReleaseAndLeftClick)
{
    CodeEditor view;
    view.resize(400, 200);
    view.show();
    view.setText("ab\ncdef\n");
    QSignalSpy status(&view, &CodeEditor::caretStatusChanged);
    select(view, 6, 6);
    QTest::keyClick(&view, Qt::Key_Left);
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status.at(0).at(0).toString(), "Ln 2 Cl 3");

    QTextCursor target(view.document());
    target.setPosition(1);
    const QPoint at = view.cursorRect(target).center();
    QTest::mouseClick(view.viewport(), Qt::RightButton, {}, at);
    EXPECT_EQ(status.count(), 1);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(status.count(), 2);
    EXPECT_EQ(status.at(1).at(0).toString(), "Ln 1 Cl 2");
}

TEST(CodeViewTest, EditsMarkTheDocumentModifiedButSettingTheTextDoesNot)
{
    DeckCodeEditor view;
    QSignalSpy modified(&view, &DeckCodeEditor::documentModified);
    QSignalSpy fullScreen(&view, &DeckCodeEditor::fullScreenToggleRequested);
    view.setText("<p>one</p>");
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_EQ(modified.count(), 0);
    EXPECT_EQ(fullScreen.count(), 1);

    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Z);
    EXPECT_EQ(view.text(), "<zp>one</p>");
    EXPECT_EQ(modified.count(), 2);
    // Any key press counts, the modifier's own press as well.
    QTest::keyClick(&view, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(view.text(), "<p>one</p>");
    EXPECT_EQ(modified.count(), 4);

    select(view, 3, 6);
    view.editCut();
    EXPECT_EQ(view.text(), "<p></p>");
    EXPECT_EQ(modified.count(), 5);
    view.editPaste();
    QTest::keyClick(&view, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(view.text(), "<p>oneone</p>");
    EXPECT_EQ(modified.count(), 8);
    select(view, 0, 3);
    QTest::keyClick(&view, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "<p>");
    QTest::keyClick(&view, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(view.text(), "oneone</p>");
    EXPECT_EQ(modified.count(), 12);

    QApplication::clipboard()->clear();
    view.editPaste();
    EXPECT_EQ(view.text(), "oneone</p>");
    EXPECT_EQ(modified.count(), 12);
}

} // namespace
} // namespace tess
