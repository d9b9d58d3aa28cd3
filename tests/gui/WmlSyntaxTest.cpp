#include "gui/code/WmlSyntax.h"

#include "app/SettingsKey.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tess {
namespace {

// The tokens of a text written one per "|": the class letter (Keyword,
// Attribute, String, Number, Comment) followed by the token's text.
std::string tokens(const std::string &text)
{
    std::string out;
    for (const SyntaxToken &t : tokenizeWml(text))
        out += std::string(out.empty() ? "" : "|") + "KASNC"[int(t.tokenClass)]
            + text.substr(t.start, t.length);
    return out;
}

TEST(TokenizeTest, ColoursExactlyTheseTokens)
{
    struct Case
    {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"<card id=\"c1\">", "Kcard|Aid|S\"c1\""},
        {"<p>card</p>", "Kp|Kp"}, // not a tag word in the paragraph's text
        {"<p>", "Kp"},
        {"<CARD ID=\"x\">", "S\"x\""},
        {"<!-- a <card> \"q\" 12\n--> <p>", "C<!-- a <card> \"q\" 12|Kp"},
        {"\"<!x\" <!y", "S\"<!x\"|C<!y"},
        {"buy 12 apples", "N12"},
        {"<b &amp;>", "Kb|A&amp;"},
        {"Tom &amp; Jerry &nbsp;", ""},
        {"p> x <p", ""}, // at the very start and end of the line
        {"<card\nid>", ""},
        {"<go href=\"#c\">", "Kgo|Ahref|S\"#c\""},
        // A "<" inside the unclosed string ends the tag for the words before.
        {"<go href=\"abc <p>", "S\"abc <p>"},
        {"\"ab\n<p>", "S\"ab|Kp"},
        {"<meta http-equiv=\"x\" xml:lang=\"en\">", "Kmeta|S\"x\"|S\"en\""},
        {"<cards car h1 x9 wml>", "Kwml"},
        {"1e 2. 3.5e+2x 4e- 0x1F .5 7E3", "N1|N2.|N3.5e+2|N4|N0|N5|N7E3"},
        {"<p \xC3\xA9t\xC3\xA9 align>", "Kp|Aalign"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(tokens(c.text), c.expected) << c.text;
}

TEST(EditorStyleTest, StoredValuesKeepTheirColourBytesAndAnEmptyFontMeansArial)
{
    QTemporaryDir dir;
    SettingsKey key(dir.filePath("key.ini").toStdString());
    ASSERT_TRUE(key.create());
    ASSERT_TRUE(key.writeNumber(kSettingKeywordColor, 0xFF0000FF));
    ASSERT_TRUE(key.writeString(kSettingDefaultFont, ""));
    const EditorStyle style = readEditorStyle(key);
    EXPECT_EQ(style.keyword, (TokenStyle {0xFF, true}));
    EXPECT_EQ(style.forClass(TokenClass::Number), (TokenStyle {0x8000, false}));
    EXPECT_EQ(style.fontFace, "Arial");
}

TEST(EditClassifierTest, ClassifiesEachRequestAndRecordsItsSelection)
{
    using enum EditRequest;
    struct Case
    {
        EditRequest previous, request;
        int expectedClass;
        bool recordsSelection;
    };
    const Case cases[] = {
        {Other, KeyBackspace, 4, true},
        {Other, KeyDelete, 3, true},
        {Other, KeyOther, 1, true},
        {Other, TypedCharacter, 2, true},
        {Other, ReplaceSelection, 2, true},
        {Other, Cut, 5, true},
        {Cut, Paste, 7, false},
        {KeyOther, Paste, 6, true},
        {Other, Other, 1, true},
        {KeyDelete, CharacterFormat, 3, false},
    };
    for (const Case &c : cases) {
        EditClassifier classifier;
        classifier.beforeChange(c.previous, {1, 2});
        classifier.beforeChange(c.request, {5, 9});
        EXPECT_EQ(classifier.editClass(), c.expectedClass) << int(c.request);
        EXPECT_EQ(classifier.recordedSelection().start, c.recordsSelection ? 5u : 1u);
    }
}

TEST(EditClassifierTest, RecolourLinesFollowTheClassThenResetIt)
{
    using enum EditRequest;
    using Spans = std::vector<TextSpan>;
    const std::string text = "aaa\nbbb\nccc\nddd"; // lines at 0, 4, 8, 12
    struct Case
    {
        EditRequest previous, request;
        TextSpan before, after;
        Spans lines;
    };
    const Case cases[] = {
        {Other, KeyBackspace, {6, 6}, {5, 5}, {{4, 7}}},
        {Other, Cut, {2, 9}, {2, 2}, {{0, 3}}},
        {Other, TypedCharacter, {2, 2}, {9, 9}, {{0, 11}}},
        {Other, Paste, {5, 5}, {13, 13}, {{4, 15}}},
        {Other, KeyOther, {5, 5}, {5, 5}, {{0, 15}}},
        // A paste after a cut adds the cut's line: its start's, or its end's
        // when the cut lay beyond the caret.
        {Cut, Paste, {0, 0}, {9, 13}, {{8, 15}, {0, 3}}},
        {Cut, Paste, {9, 14}, {1, 2}, {{0, 3}, {12, 15}}},
        // With an empty selection afterwards it is a paste from the cut's start.
        {Cut, Paste, {5, 6}, {13, 13}, {{4, 15}}},
    };
    for (const Case &c : cases) {
        EditClassifier classifier;
        classifier.beforeChange(c.previous, c.before);
        classifier.beforeChange(c.request, c.before);
        EXPECT_EQ(classifier.takeRecolourLines(text, c.after), c.lines) << int(c.request);
        EXPECT_EQ(classifier.takeRecolourLines(text, {13, 13}), (Spans {{12, 15}}));
    }
}

} // namespace
} // namespace tess
