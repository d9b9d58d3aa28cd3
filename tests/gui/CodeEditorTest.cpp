#include "gui/code/CodeEditor.h"

#include "app/SettingsKey.h"
#include "gui/code/FindReplaceDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <QFontDatabase>
#include <QFontInfo>

#include <gtest/gtest.h>

#include <functional>
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

// Long enough to go into the view in slices: lines of every kind, some with
// characters beyond ASCII, the last one alone of its kind.
std::string longText(int lines)
{
    std::string text;
    for (int i = 0; i < lines; ++i) {
        const std::string n = std::to_string(i);
        switch (i % 6) {
        case 0:
            text += "<card id=\"c" + n + "\" title=\"Caf\xC3\xA9 " + n + "\">\n";
            break;
        case 1:
            text += "<!-- note " + n + " -->\n";
            break;
        case 2:
            text += "  <p align=\"left\">Price " + n + ".50 &amp; <b>more</b></p>\n";
            break;
        case 3:
            text += "\xF0\x9F\x98\x80 <a href=\"#c" + n + "\">go</a> <!-- open\n";
            break;
        case 4:
            text += "\n";
            break;
        default:
            text += "</card>\n";
            break;
        }
    }
    return text + "<p>the last line</p>\n";
}

// The lines the view shows, first and last.
std::pair<int, int> shownLines(const CodeEditor &view)
{
    return {view.cursorForPosition(QPoint(0, 0)).blockNumber(),
            view.cursorForPosition(QPoint(0, view.viewport()->height() - 1)).blockNumber()};
}

TEST(EditorViewTest, ShownLinesOfALongTextHaveTheColoursEachHasAlone)
{
    const std::string text = longText(30000);
    CodeEditor view;
    view.resize(500, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.setText(text);
    EXPECT_TRUE(view.filling());
    EXPECT_EQ(view.text(), text);
    CodeEditor alone;
    for (const double where : {0.0, 0.5, 1.0}) {
        if (where > 0) {
            view.completeText();
            QScrollBar *bar = view.verticalScrollBar();
            bar->setValue(int(where * bar->maximum()));
        }
        QApplication::processEvents();
        const auto [first, last] = shownLines(view);
        ASSERT_GT(last, first + 5) << where;
        for (int n = first; n <= last; ++n) {
            EXPECT_TRUE(view.lineColoured(n)) << n;
            alone.setText(view.document()->findBlockByNumber(n).text().toStdString());
            EXPECT_EQ(applied(view, n), applied(alone, 0)) << n;
        }
    }
    view.colourAll();
    EXPECT_TRUE(view.lineColoured(view.document()->blockCount() - 2));
    EXPECT_EQ(view.text(), text);
}

// Whatever edits the text while the rest of it is still to come puts it in
// first: the edit lands where it was made, and undoing it gives back the text
// as it was set, with no undo step of the filling's own.
TEST(EditorViewTest, EditsWhileALongTextGoesInKeepTheirPlace)
{
    const std::string text = longText(20000);
    struct Case
    {
        const char *name;
        std::function<void(CodeEditor &)> edit;
        std::string expected;
        // Setting a text leaves nothing to undo.
        bool setsText = false;
    };
    const Case cases[] = {
        {"typed at the start", [](CodeEditor &v) { QTest::keyClick(&v, Qt::Key_X); }, "x" + text},
        {"typed at the end",
         [](CodeEditor &v) {
             QTest::keyClick(&v, Qt::Key_End, Qt::ControlModifier);
             QTest::keyClick(&v, Qt::Key_Y);
         },
         text + "y"},
        {"typed after moving down",
         [](CodeEditor &v) {
             QTest::keyClick(&v, Qt::Key_Down);
             QTest::keyClick(&v, Qt::Key_Z);
         },
         text.substr(0, text.find('\n') + 1) + "z" + text.substr(text.find('\n') + 1)},
        {"pasted",
         [](CodeEditor &v) {
             QApplication::clipboard()->setText("P");
             v.editPaste();
         },
         "P" + text},
        {"all cut",
         [](CodeEditor &v) {
             v.editSelectAll();
             v.editCut();
         },
         ""},
        {"set with the same start", [&text](CodeEditor &v) { v.setText(text + "more\n"); },
         text + "more\n", true},
        {"set anew", [](CodeEditor &v) { v.setText("other"); }, "other", true},
        {"set anew, as long", [&text](CodeEditor &v) { v.setText("<!-- new -->\n" + text); },
         "<!-- new -->\n" + text, true},
    };
    for (const Case &c : cases) {
        CodeEditor view;
        view.setText(text);
        ASSERT_TRUE(view.filling()) << c.name;
        c.edit(view);
        view.completeText();
        EXPECT_EQ(view.text(), c.expected) << c.name;
        while (view.document()->isUndoAvailable())
            view.editUndo();
        EXPECT_EQ(view.text(), c.setsText ? c.expected : text) << c.name;
    }
    // A cut of everything took all of it to the clipboard.
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), text);
}

TEST(EditorViewTest, FindSearchesTheWholeTextWhileItGoesIn)
{
    QWidget mainWindow;
    auto *view = new CodeEditor(&mainWindow);
    view->setText(longText(20000));
    ASSERT_TRUE(view->filling());
    FindReplaceDialog find(FindReplaceDialog::Mode::Find, &mainWindow);
    find.setEditor(view);
    find.setFindText("the last line");
    EXPECT_TRUE(find.findNext());
    EXPECT_FALSE(view->filling());
    EXPECT_EQ(view->textCursor().selectedText(), "the last line");
}

} // namespace
} // namespace tess
