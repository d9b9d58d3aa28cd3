#include "gui/code/WmlSyntax.h"

#include "app/SettingsKey.h"

#include <algorithm>

namespace tess {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool startsWord(char c)
{
    return isLetter(c) || c == '_' || c == '&' || c == ';';
}

bool continuesWord(char c)
{
    return startsWord(c) || isDigit(c);
}

size_t digitsFrom(std::string_view text, size_t at)
{
    size_t end = at;
    while (end < text.size() && isDigit(text[end]))
        ++end;
    return end;
}

size_t lineEnd(std::string_view text, size_t at)
{
    return std::min(text.find('\n', at), text.size());
}

// Answers "does a word stand inside a tag on its line" in one pass over the
// text overall: words come in increasing order, so the left look keeps the
// last tag mark seen so far and the right look reuses its last find until a
// word lies beyond it.
class TagContext
{
public:
    explicit TagContext(std::string_view text)
        : m_text(text)
    { }

    bool encloses(size_t wordStart, size_t wordEnd)
    {
        for (; m_leftScanned < wordStart; ++m_leftScanned) {
            const char c = m_text[m_leftScanned];
            if (c == '<' || c == '>' || c == '\n')
                m_leftMark = c;
        }
        if (m_leftMark != '<')
            return false;
        if (!m_rightValid || m_rightAt < wordEnd) {
            m_rightAt = std::min(m_text.find_first_of("<>\n", wordEnd), m_text.size());
            m_rightValid = true;
        }
        return m_rightAt < m_text.size() && m_text[m_rightAt] == '>';
    }

private:
    std::string_view m_text;
    size_t m_leftScanned = 0;
    char m_leftMark = '\n';
    size_t m_rightAt = 0;
    bool m_rightValid = false;
};

} // namespace

bool isInWordList(std::string_view list, std::string_view word)
{
    if (word.empty())
        return false;
    for (size_t at = list.find(word); at != std::string_view::npos; at = list.find(word, at + 1)) {
        if (at > 0 && list[at - 1] == ' ' && at + word.size() < list.size()
            && list[at + word.size()] == ' ')
            return true;
    }
    return false;
}

size_t numberLength(std::string_view text, size_t at)
{
    size_t end = digitsFrom(text, at);
    if (end < text.size() && text[end] == '.')
        end = digitsFrom(text, end + 1);
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        size_t mantissaEnd = end + 1;
        if (mantissaEnd < text.size() && (text[mantissaEnd] == '+' || text[mantissaEnd] == '-'))
            ++mantissaEnd;
        const size_t exponentEnd = digitsFrom(text, mantissaEnd);
        if (exponentEnd > mantissaEnd)
            end = exponentEnd;
    }
    return end - at;
}

std::vector<SyntaxToken> tokenizeWml(std::string_view text)
{
    std::vector<SyntaxToken> tokens;
    TagContext tags(text);
    size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (text.substr(at, kCommentStart.size()) == kCommentStart) {
            const size_t end = lineEnd(text, at);
            tokens.push_back({at, end - at, TokenClass::Comment});
            at = end;
        } else if (c == kStringDelimiter) {
            const size_t close = text.find_first_of("\"\n", at + 1);
            const size_t end = (close != std::string_view::npos && text[close] == '"')
                ? close + 1
                : lineEnd(text, at);
            tokens.push_back({at, end - at, TokenClass::String});
            at = end;
        } else if (isDigit(c)) {
            const size_t length = numberLength(text, at);
            tokens.push_back({at, length, TokenClass::Number});
            at += length;
        } else if (startsWord(c)) {
            size_t end = at + 1;
            while (end < text.size() && continuesWord(text[end]))
                ++end;
            const std::string_view word = text.substr(at, end - at);
            const bool keyword = isInWordList(kWmlKeywordList, word);
            if ((keyword || isInWordList(kWmlAttributeList, word)) && tags.encloses(at, end))
                tokens.push_back(
                    {at, end - at, keyword ? TokenClass::Keyword : TokenClass::Attribute});
            at = end;
        } else {
            ++at;
        }
    }
    return tokens;
}

const TokenStyle &EditorStyle::forClass(TokenClass tokenClass) const
{
    switch (tokenClass) {
    case TokenClass::Keyword:
        return keyword;
    case TokenClass::Attribute:
        return attribute;
    case TokenClass::Comment:
        return comment;
    case TokenClass::String:
    case TokenClass::Number:
        break;
    }
    return string;
}

EditorStyle readEditorStyle(const SettingsKey &key)
{
    EditorStyle style;
    style.keyword.color = key.color(kSettingKeywordColor);
    style.string.color = key.color(kSettingStringsColor);
    style.scriptColor = key.color(kSettingScriptColor);
    style.comment.color = key.color(kSettingCommentColor);
    style.attribute.color = key.color(kSettingAttributesColor);
    const std::string face = key.stringOrDefault(kSettingDefaultFont);
    if (!face.empty())
        style.fontFace = face;
    return style;
}

TextSpan lineSpan(std::string_view text, TextSpan positions)
{
    size_t a = std::min({positions.start, positions.end, text.size()});
    size_t b = std::min(std::max(positions.start, positions.end), text.size());
    const size_t before = a == 0 ? std::string_view::npos : text.rfind('\n', a - 1);
    return {before == std::string_view::npos ? 0 : before + 1, lineEnd(text, b)};
}

void EditClassifier::beforeChange(EditRequest request, TextSpan selection)
{
    if (request == EditRequest::CharacterFormat)
        return;
    const bool pasteAfterCut = request == EditRequest::Paste && m_lastRequest == EditRequest::Cut;
    switch (request) {
    case EditRequest::KeyBackspace:
        m_class = 4;
        break;
    case EditRequest::KeyDelete:
        m_class = 3;
        break;
    case EditRequest::TypedCharacter:
    case EditRequest::ReplaceSelection:
        m_class = 2;
        break;
    case EditRequest::Cut:
        m_class = 5;
        break;
    case EditRequest::Paste:
        m_class = pasteAfterCut ? 7 : 6;
        break;
    default:
        m_class = 1;
        break;
    }
    // A paste after a cut keeps the cut's selection: that is where the
    // text went missing.
    if (!pasteAfterCut)
        m_recorded = selection;
    m_lastRequest = request;
}

std::vector<TextSpan> EditClassifier::takeRecolourLines(std::string_view text, TextSpan selection)
{
    int editClass = m_class;
    m_class = 0;
    if (editClass == 7 && selection.start == selection.end)
        editClass = 6;
    switch (editClass) {
    case 0:
    case 3:
    case 4:
    case 5:
        return {lineSpan(text, selection)};
    case 2:
    case 6:
        return {lineSpan(text, {m_recorded.start, selection.end})};
    case 7: {
        const size_t caret = selection.end;
        const size_t other = m_recorded.start > caret ? m_recorded.end : m_recorded.start;
        return {lineSpan(text, selection), lineSpan(text, {other, other})};
    }
    default:
        return {{0, text.size()}};
    }
}

} // namespace tess
