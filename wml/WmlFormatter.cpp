#include "wml/WmlFormatter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace tess {

namespace {

constexpr size_t npos = std::string_view::npos;

// Deeper lines keep this indentation, so a pathologically nested deck still
// formats to a text linear in its size.
constexpr size_t kMaxIndent = 32;

enum class Kind {
    Text, // a stray '<' or a server code block: part of the surrounding text
    StartTag,
    EndTag,
    EmptyTag,
    Other, // comment, CDATA section, processing instruction, declaration
    Unterminated,
};

struct Token
{
    Kind kind;
    size_t end; // one past the token
    std::string_view name; // tags only
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameStart(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_' || u == ':' || u >= 0x80;
}

bool isNameChar(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

bool allSpace(std::string_view run)
{
    return std::all_of(run.begin(), run.end(), isSpace);
}

// Elements whose content model admits no text; whitespace between their
// children carries no meaning and is free for the layout.
bool isElementOnly(std::string_view name)
{
    static constexpr std::string_view kNames[] = {
        "wml",     "head",   "template", "card",  "do", "onevent", "go",   "prev",
        "refresh", "select", "optgroup", "table", "tr", "access",  "meta",
    };
    return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

bool wantsBlankLine(std::string_view name)
{
    return name == "head" || name == "template" || name == "card";
}

size_t after(std::string_view text, size_t from, std::string_view close)
{
    const size_t hit = text.find(close, from);
    return hit == npos ? npos : hit + close.size();
}

size_t afterServerCode(std::string_view text, size_t open)
{
    return after(text, open + 2, "%>");
}

size_t afterQuoted(std::string_view text, size_t quote)
{
    const size_t close = text.find(text[quote], quote + 1);
    return close == npos ? npos : close + 1;
}

// From just behind a tag's name to one past its '>'. Server code is opaque
// wherever it stands, even inside a quoted value, since it may hold the quote.
size_t tagEnd(std::string_view text, size_t pos)
{
    const size_t n = text.size();
    char quote = 0;
    while (pos < n) {
        const char c = text[pos];
        if (c == '<' && pos + 1 < n && text[pos + 1] == '%') {
            pos = afterServerCode(text, pos);
            if (pos == npos)
                return npos;
        } else if (quote) {
            if (c == quote)
                quote = 0;
            ++pos;
        } else if (c == '>') {
            return pos + 1;
        } else {
            if (c == '"' || c == '\'')
                quote = c;
            ++pos;
        }
    }
    return npos;
}

// An internal subset, from just behind its '[' to one past its ']'.
size_t subsetEnd(std::string_view text, size_t pos)
{
    while (pos != npos && pos < text.size()) {
        const char c = text[pos];
        if (c == ']')
            return pos + 1;
        if (c == '"' || c == '\'')
            pos = afterQuoted(text, pos);
        else if (text.substr(pos, 4) == "<!--")
            pos = after(text, pos + 4, "-->");
        else if (text.substr(pos, 2) == "<?")
            pos = after(text, pos + 2, "?>");
        else
            ++pos;
    }
    return npos;
}

// A declaration such as <!DOCTYPE ...>, from just behind its "<!".
size_t declarationEnd(std::string_view text, size_t pos)
{
    while (pos != npos && pos < text.size()) {
        const char c = text[pos];
        if (c == '>')
            return pos + 1;
        if (c == '"' || c == '\'')
            pos = afterQuoted(text, pos);
        else if (c == '[')
            pos = subsetEnd(text, pos + 1);
        else
            ++pos;
    }
    return npos;
}

// A construct without its end swallows the rest of the text.
Token ending(Kind kind, size_t end, std::string_view name = {})
{
    return {end == npos ? Kind::Unterminated : kind, end, name};
}

// The token that starts at the '<' at `at`.
Token scan(std::string_view text, size_t at)
{
    const std::string_view rest = text.substr(at);
    if (rest.starts_with("<%"))
        return ending(Kind::Text, afterServerCode(text, at));
    if (rest.starts_with("<!--"))
        return ending(Kind::Other, after(text, at + 4, "-->"));
    if (rest.starts_with("<![CDATA["))
        return ending(Kind::Other, after(text, at + 9, "]]>"));
    if (rest.starts_with("<!"))
        return ending(Kind::Other, declarationEnd(text, at + 2));
    if (rest.starts_with("<?"))
        return ending(Kind::Other, after(text, at + 2, "?>"));

    const bool endTag = rest.size() > 1 && rest[1] == '/';
    const size_t nameStart = at + (endTag ? 2 : 1);
    if (nameStart >= text.size() || !isNameStart(text[nameStart]))
        return {Kind::Text, at + 1, {}};
    size_t nameEnd = nameStart + 1;
    while (nameEnd < text.size() && isNameChar(text[nameEnd]))
        ++nameEnd;
    const std::string_view name = text.substr(nameStart, nameEnd - nameStart);
    const size_t end = tagEnd(text, nameEnd);
    if (endTag)
        return ending(Kind::EndTag, end, name);
    return ending(end != npos && text[end - 2] == '/' ? Kind::EmptyTag : Kind::StartTag, end, name);
}

struct Open
{
    std::string_view name;
    bool elementOnly;
};

class OpenElements
{
public:
    size_t size() const { return m_stack.size(); }

    bool elementOnlyContext() const { return m_stack.empty() || m_stack.back().elementOnly; }

    void push(std::string_view name)
    {
        m_stack.push_back({name, isElementOnly(name)});
        ++m_counts[name];
    }

    // Where the element an end tag closes stands; npos when none is open.
    // The count keeps stray end tags from searching a deep stack each time.
    size_t find(std::string_view name) const
    {
        if (!m_stack.empty() && m_stack.back().name == name)
            return m_stack.size() - 1;
        const auto count = m_counts.find(name);
        if (count == m_counts.end() || count->second == 0)
            return npos;
        size_t index = m_stack.size() - 1;
        while (m_stack[index].name != name)
            --index;
        return index;
    }

    void popTo(size_t index)
    {
        while (m_stack.size() > index) {
            --m_counts[m_stack.back().name];
            m_stack.pop_back();
        }
    }

private:
    std::vector<Open> m_stack;
    std::unordered_map<std::string_view, uint32_t> m_counts;
};

} // namespace

std::string formatWml(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4 + 64);
    OpenElements open;

    // The text since the last markup token, copied or replaced once the next
    // one shows what it stands between.
    size_t runStart = 0;
    bool afterMarkup = false;
    size_t pos = 0;
    while (pos < text.size()) {
        const void *hit = std::memchr(text.data() + pos, '<', text.size() - pos);
        if (!hit)
            break;
        const size_t at = size_t(static_cast<const char *>(hit) - text.data());
        const Token token = scan(text, at);
        if (token.kind == Kind::Unterminated)
            break;
        pos = token.end;
        if (token.kind == Kind::Text)
            continue;

        size_t depth = open.size();
        bool blank = false;
        size_t closes = npos;
        if (token.kind == Kind::StartTag || token.kind == Kind::EmptyTag) {
            blank = depth == 0 || wantsBlankLine(token.name);
        } else if (token.kind == Kind::EndTag) {
            closes = open.find(token.name);
            if (closes != npos) {
                depth = closes;
                blank = closes == 0;
            }
        }

        const std::string_view run = text.substr(runStart, at - runStart);
        if (afterMarkup && open.elementOnlyContext() && allSpace(run)) {
            out.append(blank ? "\n\n" : "\n");
            out.append(std::min(depth, kMaxIndent), '\t');
        } else {
            out.append(run);
        }
        out.append(text.substr(at, token.end - at));

        if (token.kind == Kind::StartTag)
            open.push(token.name);
        else if (closes != npos)
            open.popTo(closes);
        afterMarkup = true;
        runStart = token.end;
    }
    out.append(text.substr(runStart));
    return out;
}

} // namespace tess
