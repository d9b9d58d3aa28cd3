#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

class SettingsKey;

// The words the code view colours. Each list is one text of blank-separated
// words with a blank at both ends, so that a word is found by searching for
// blank, word, blank. The repeated head, access and meta, and the hyphenated
// or colon names that the word rule can never produce, are kept as they are.
inline constexpr std::string_view kWmlKeywordList
    = " a access anchor b big br card do em fieldset go head i img input meta noop onevent "
      "optgroup option p postfield prev refresh select setvar small strong table td template "
      "timer tr u wml head access meta ";
inline constexpr std::string_view kWmlAttributeList
    = " accept-charset alt align class content columns domain emptyok format forua height "
      "hspace href http-equiv id iname ivalue label localsrc maxlength method mode multiple "
      "name newcontext onenterforward onenterbackward onpick ontimer optional ordered path "
      "sendreferer size src scheme tabindex title type value vspace width xml:lang &nbsp; "
      "&shy; &apos; &amp; &lt; &gt; ";
inline constexpr std::string_view kCommentStart = "<!";
inline constexpr char kStringDelimiter = '"';

enum class TokenClass { Keyword, Attribute, String, Number, Comment };

// A coloured stretch of text, in bytes from the start of the text given to
// the tokenizer.
struct SyntaxToken
{
    size_t start = 0;
    size_t length = 0;
    TokenClass tokenClass = TokenClass::Keyword;
    bool operator==(const SyntaxToken &) const = default;
};

// Whether `word` stands in `list` as spelled (case counts).
bool isInWordList(std::string_view list, std::string_view word);

// How many bytes a number starting with a digit at `at` covers: digits, an
// optional point with digits, and an exponent only when digits follow its
// sign ("1e" reads "1", "1." reads "1.", "1e+5" reads whole). Hex forms are
// not numbers here: "0x1F" reads "0".
size_t numberLength(std::string_view text, size_t at);

// The coloured tokens of whole lines of UTF-8 text ("\n" between lines), in
// order. Bytes outside every token are plain text; non-ASCII bytes are never
// part of a word or number.
std::vector<SyntaxToken> tokenizeWml(std::string_view text);

// Colour (0x00BBGGRR) and weight of one token class.
struct TokenStyle
{
    uint32_t color = 0;
    bool bold = false;
    bool operator==(const TokenStyle &) const = default;
};

// Everything the user chooses about the code view's look.
struct EditorStyle
{
    TokenStyle keyword {0x80, true};
    TokenStyle attribute {0x800000, false};
    TokenStyle string {0x8000, false}; // numbers share it
    TokenStyle comment {0x8080, false};
    uint32_t scriptColor = 0x8000; // read with the others; nothing is drawn with it
    std::string fontFace = "Arial";

    const TokenStyle &forClass(TokenClass tokenClass) const;
};

// The style from the settings; a missing value keeps its default and an
// empty "Default Font" means Arial.
EditorStyle readEditorStyle(const SettingsKey &key);

// What is about to change the text, as the edit classification sees it.
enum class EditRequest {
    KeyBackspace,
    KeyDelete,
    KeyOther,
    TypedCharacter,
    ReplaceSelection,
    Cut,
    Paste,
    CharacterFormat,
    Other,
};

// Positions in the text; start <= end is not assumed by the functions below.
struct TextSpan
{
    size_t start = 0;
    size_t end = 0;
    bool operator==(const TextSpan &) const = default;
};

// The lines from a position a to a position b: from the first character of
// a's line up to (not including) the line feed that ends b's line.
TextSpan lineSpan(std::string_view text, TextSpan positions);

// Records the class of each change and the selection before it, and turns
// them into the lines that need recolouring afterwards.
//
// The code view itself recolours with a per-line highlighter, which takes the
// lines from where a change starts to where its inserted text ends. That is
// the same set: a typed character or a paste covers the recorded selection
// start to the caret after it; Backspace, Delete and cut leave the caret on
// the one line that lost text; a paste after a cut also names the cut's line,
// which was recoloured when the cut happened; a whole-text replacement
// recolours everything on both sides. This class keeps the rule explicit for
// anything that has to reason about it without a highlighter.
class EditClassifier
{
public:
    // Class of the change about to happen: 4 Backspace, 3 Delete, 1 other
    // key, 2 typed character or replace-selection, 5 cut, 7 paste right
    // after a cut, 6 other paste, unchanged for a character-format change,
    // 1 anything else.
    void beforeChange(EditRequest request, TextSpan selection);

    int editClass() const { return m_class; }
    TextSpan recordedSelection() const { return m_recorded; }

    // The spans whose lines are recoloured after the change (one, or two for
    // a paste right after a cut), given the selection after it; the class
    // returns to 0.
    std::vector<TextSpan> takeRecolourLines(std::string_view text, TextSpan selection);

private:
    int m_class = 0;
    TextSpan m_recorded;
    EditRequest m_lastRequest = EditRequest::Other;
};

} // namespace tess
