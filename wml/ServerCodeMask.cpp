#include "wml/ServerCodeMask.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

namespace tess {

namespace {

constexpr size_t npos = std::string_view::npos;

enum class Mask {
    Blank,
    Underscore, // in a quoted attribute value: a name stays a name
    Marked,
};

struct Span
{
    ServerCodeBlock::Form form;
    size_t offset;
    size_t length;
    Mask mask;
};

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool equalsIgnoringCase(std::string_view text, std::string_view lowerCase)
{
    return text.size() == lowerCase.size()
        && std::equal(text.begin(), text.end(), lowerCase.begin(), [](char a, char b) {
               return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b;
           });
}

bool isNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':'
        || static_cast<unsigned char>(c) >= 0x80;
}

bool isPrefixChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
        || c == '-' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

bool isElementOnly(std::string_view name)
{
    static constexpr std::array<std::string_view, 15> names
        = {"wml",     "head",   "template", "card",  "do", "onevent", "go",  "prev",
           "refresh", "select", "optgroup", "table", "tr", "access",  "meta"};
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Bytes of the code point at `at`; a byte that starts no well-formed sequence
// counts as a character of its own.
size_t codePointLength(std::string_view text, size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead < 0xC2 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 1;
    if (at + length > text.size())
        return 1;
    for (size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

bool startsWithIgnoringCase(std::string_view text, size_t at, std::string_view lowerCase)
{
    return at <= text.size() && equalsIgnoringCase(text.substr(at, lowerCase.size()), lowerCase);
}

// Whether the page may hold server code at all, in one pass over its "<"s.
bool mayHoldServerCode(std::string_view page, PageKind kind)
{
    if (kind == PageKind::Wml)
        return page.find("<%") != npos;
    for (size_t at = page.find('<'); at != npos; at = page.find('<', at + 1)) {
        const std::string_view rest = page.substr(at + 1);
        if (rest.starts_with('%') || startsWithIgnoringCase(rest, 0, "script"))
            return true;
        if (kind == PageKind::Jsp && (rest.starts_with("jsp:") || rest.starts_with("/jsp:")))
            return true;
    }
    return false;
}

// The prefix a "<%@ taglib ... %>" directive declares; `directive` follows "<%@".
std::string_view taglibPrefix(std::string_view directive)
{
    size_t j = 0;
    while (j < directive.size() && isSpace(directive[j]))
        ++j;
    if (!directive.substr(j).starts_with("taglib") || j + 6 >= directive.size()
        || !isSpace(directive[j + 6]))
        return {};
    for (j += 6;;) {
        while (j < directive.size() && isSpace(directive[j]))
            ++j;
        const size_t nameStart = j;
        while (j < directive.size() && !isSpace(directive[j]) && directive[j] != '=')
            ++j;
        const std::string_view name = directive.substr(nameStart, j - nameStart);
        while (j < directive.size() && isSpace(directive[j]))
            ++j;
        if (j >= directive.size() || directive[j] != '=')
            return {};
        ++j;
        while (j < directive.size() && isSpace(directive[j]))
            ++j;
        if (j >= directive.size() || (directive[j] != '"' && directive[j] != '\''))
            return {};
        const size_t close = directive.find(directive[j], j + 1);
        if (close == npos)
            return {};
        if (name == "prefix")
            return directive.substr(j + 1, close - j - 1);
        j = close + 1;
    }
}

// A light scan of the markup that records the server code it meets and how
// the place where the code stands wants it masked. Every step moves forward,
// so a page is read a bounded number of times however malformed it is.
class Scanner
{
public:
    Scanner(std::string_view text, PageKind kind)
        : m_text(text)
        , m_kind(kind)
    {
        if (kind == PageKind::Jsp)
            collectTaglibPrefixes();
    }

    void run()
    {
        for (size_t at = m_text.find('<'); at != npos; at = m_text.find('<', markup(at))) { }
    }

    const std::vector<Span> &spans() const { return m_spans; }
    // The first "<?xml" declaration before any element, outside server code.
    size_t declaration() const { return m_declaration; }

private:
    size_t size() const { return m_text.size(); }

    // The directives may stand anywhere, after the tags they declare too.
    void collectTaglibPrefixes()
    {
        m_prefixes.insert("jsp");
        m_longestPrefix = 3;
        for (size_t at = m_text.find("<%"); at != npos;) {
            const size_t end = blockEnd(at);
            if (m_text.compare(at, 3, "<%@") == 0) {
                const std::string_view prefix = taglibPrefix(m_text.substr(at + 3, end - at - 3));
                if (!prefix.empty() && m_prefixes.insert(prefix).second)
                    m_longestPrefix = std::max(m_longestPrefix, prefix.size());
            }
            at = m_text.find("<%", end);
        }
    }

    // Markup from the "<" at `at`; returns where the scan goes on.
    size_t markup(size_t at)
    {
        if (const size_t end = serverCode(at, contentMask()); end != at)
            return end;
        if (at + 1 >= size())
            return size();
        const char next = m_text[at + 1];
        if (m_text.compare(at, 4, "<!--") == 0)
            return scanTo(at + 4, "-->", Mask::Blank);
        // A CDATA section is no text node, where a reader would look for marks.
        if (m_text.compare(at, 9, "<![CDATA[") == 0)
            return scanTo(at + 9, "]]>", Mask::Blank);
        if (next == '!')
            return declarationEnd(at + 2);
        if (next == '?') {
            if (m_declaration == npos && !m_elementSeen && m_text.compare(at, 5, "<?xml") == 0
                && at + 5 < size() && isSpace(m_text[at + 5]))
                m_declaration = at;
            return scanTo(at + 2, "?>", Mask::Blank);
        }
        if (next == '/')
            return endTag(at);
        if (isNameStart(next))
            return startTag(at);
        return at + 1;
    }

    // Records the "<%" block or tag library tag at `at` and returns its end;
    // `at` when none starts there.
    size_t serverCode(size_t at, Mask mask)
    {
        ServerCodeBlock::Form form;
        size_t end;
        if (m_text.compare(at, 2, "<%") == 0) {
            form = ServerCodeBlock::Form::Block;
            end = blockEnd(at);
        } else if (isLibraryTag(at)) {
            form = ServerCodeBlock::Form::Tag;
            end = libraryTagEnd(at);
        } else {
            return at;
        }
        m_spans.push_back({form, at, end - at, mask});
        return end;
    }

    // A JSP comment ends only at "--%>": the code it comments out may hold "%>".
    size_t blockEnd(size_t at) const
    {
        const bool comment = m_text.compare(at, 4, "<%--") == 0;
        const size_t close = comment ? m_text.find("--%>", at + 4) : m_text.find("%>", at + 2);
        return close == npos ? size() : close + (comment ? 4 : 2);
    }

    bool isLibraryTag(size_t at) const
    {
        if (m_prefixes.empty())
            return false;
        const size_t name = at + (m_text.compare(at, 2, "</") == 0 ? 2 : 1);
        // The name stops at the next "<" at the latest, so no character is
        // read here for two tags.
        size_t colon = name;
        while (colon < size() && colon - name <= m_longestPrefix && isPrefixChar(m_text[colon]))
            ++colon;
        return colon < size() && m_text[colon] == ':'
            && m_prefixes.contains(m_text.substr(name, colon - name));
    }

    // Quoted values may hold ">" and "<%= %>", whose code may hold quotes.
    size_t libraryTagEnd(size_t at) const
    {
        char quote = 0;
        for (size_t j = at + 1; j < size();) {
            if (m_text.compare(j, 2, "<%") == 0) {
                j = blockEnd(j);
                continue;
            }
            const char c = m_text[j++];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                return j;
            }
        }
        return size();
    }

    // Comments, CDATA sections and processing instructions.
    size_t scanTo(size_t from, std::string_view terminator, Mask mask)
    {
        for (size_t j = from; j < size();) {
            if (m_text[j] == '<') {
                if (const size_t end = serverCode(j, mask); end != j) {
                    j = end;
                    continue;
                }
            }
            if (m_text.compare(j, terminator.size(), terminator) == 0)
                return j + terminator.size();
            ++j;
        }
        return size();
    }

    // A document type declaration, its internal subset included.
    size_t declarationEnd(size_t from)
    {
        int depth = 0;
        char quote = 0;
        for (size_t j = from; j < size();) {
            if (m_text[j] == '<') {
                if (const size_t end = serverCode(j, Mask::Blank); end != j) {
                    j = end;
                    continue;
                }
            }
            const char c = m_text[j++];
            if (quote) {
                if (c == quote)
                    quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '[') {
                ++depth;
            } else if (c == ']') {
                depth = std::max(depth - 1, 0);
            } else if (c == '>' && depth == 0) {
                return j;
            }
        }
        return size();
    }

    size_t endTag(size_t at)
    {
        size_t j = at + 2;
        while (j < size() && !isSpace(m_text[j]) && m_text[j] != '>' && m_text[j] != '<'
               && m_text[j] != '/')
            ++j;
        close(m_text.substr(at + 2, j - at - 2));
        while (j < size()) {
            if (m_text[j] == '<') {
                const size_t end = serverCode(j, Mask::Blank);
                if (end == j)
                    return j; // a stray "<" ends the tag
                j = end;
            } else if (m_text[j++] == '>') {
                return j;
            }
        }
        return size();
    }

    size_t startTag(size_t at)
    {
        size_t j = at + 1;
        while (j < size() && !isSpace(m_text[j]) && m_text[j] != '>' && m_text[j] != '/'
               && m_text[j] != '<')
            ++j;
        const std::string_view name = m_text.substr(at + 1, j - at - 1);
        const bool script = m_kind != PageKind::Wml && equalsIgnoringCase(name, "script");
        const Mask mask = contentMask();
        const size_t spansBefore = m_spans.size();
        bool runsAtServer = false, empty = false, closed = false;
        while (j < size()) {
            const char c = m_text[j];
            if (c == '<') {
                const size_t end = serverCode(j, Mask::Blank);
                if (end == j)
                    break; // a stray "<" ends the tag
                j = end;
                continue;
            }
            if (c == '>') {
                ++j;
                closed = true;
                break;
            }
            if (isSpace(c) || c == '/') {
                empty = empty || c == '/';
                ++j;
                continue;
            }
            empty = false;
            // An attribute: its name (none before a stray "="), then maybe a value.
            const size_t nameStart = j;
            while (j < size() && !isSpace(m_text[j]) && m_text[j] != '=' && m_text[j] != '>'
                   && m_text[j] != '/' && m_text[j] != '<')
                ++j;
            const std::string_view attribute = m_text.substr(nameStart, j - nameStart);
            while (j < size() && isSpace(m_text[j]))
                ++j;
            if (j == size() || m_text[j] != '=')
                continue;
            ++j;
            while (j < size() && isSpace(m_text[j]))
                ++j;
            const std::string_view value = attributeValue(j);
            if (script && equalsIgnoringCase(attribute, "runat")
                && equalsIgnoringCase(value, "server"))
                runsAtServer = true;
        }
        if (script && runsAtServer && closed) {
            // The code in the start tag belongs to the element.
            m_spans.resize(spansBefore);
            const size_t end = empty ? j : scriptEnd(j);
            m_spans.push_back({ServerCodeBlock::Form::ScriptElement, at, end - at, mask});
            return end;
        }
        m_elementSeen = true;
        if (!empty)
            open(name);
        return j;
    }

    // The value from `j` on, quoted or not; moves `j` past it.
    std::string_view attributeValue(size_t &j)
    {
        if (j == size())
            return {};
        const char quote = m_text[j];
        if (quote == '"' || quote == '\'') {
            const size_t start = ++j;
            while (j < size() && m_text[j] != quote) {
                if (m_text[j] == '<') {
                    if (const size_t end = serverCode(j, Mask::Underscore); end != j) {
                        j = end;
                        continue;
                    }
                }
                ++j;
            }
            const std::string_view value = m_text.substr(start, j - start);
            if (j < size())
                ++j;
            return value;
        }
        const size_t start = j;
        while (j < size() && !isSpace(m_text[j]) && m_text[j] != '>'
               && m_text.compare(j, 2, "/>") != 0) {
            if (m_text[j] == '<') {
                const size_t end = serverCode(j, Mask::Blank);
                if (end == j)
                    break;
                j = end;
                continue;
            }
            ++j;
        }
        return m_text.substr(start, j - start);
    }

    // The end of a server script element whose start tag ends before `from`;
    // the end of the page when it is not closed.
    size_t scriptEnd(size_t from) const
    {
        for (size_t at = m_text.find("</", from); at != npos; at = m_text.find("</", at + 2)) {
            if (startsWithIgnoringCase(m_text, at + 2, "script")) {
                size_t j = at + 8;
                while (j < size() && isSpace(m_text[j]))
                    ++j;
                if (j < size() && m_text[j] == '>')
                    return j + 1;
            }
        }
        return size();
    }

    Mask contentMask() const
    {
        return !m_open.empty() && !isElementOnly(m_open.back()) ? Mask::Marked : Mask::Blank;
    }

    void open(std::string_view name)
    {
        m_open.push_back(name);
        ++m_openCount[name];
    }

    // An end tag closes the innermost element of its name and those inside
    // it; one whose element is not open is ignored. The counts keep a run of
    // unmatched end tags from searching the stack each time.
    void close(std::string_view name)
    {
        const auto it = m_openCount.find(name);
        if (it == m_openCount.end() || it->second == 0)
            return;
        for (;;) {
            const std::string_view innermost = m_open.back();
            m_open.pop_back();
            --m_openCount[innermost];
            if (innermost == name)
                return;
        }
    }

    std::string_view m_text;
    PageKind m_kind;
    std::unordered_set<std::string_view> m_prefixes;
    size_t m_longestPrefix = 0;
    std::vector<Span> m_spans;
    std::vector<std::string_view> m_open;
    std::unordered_map<std::string_view, int> m_openCount;
    bool m_elementSeen = false;
    size_t m_declaration = npos;
};

// One mask character per code point, line ends kept; `pad` collects what a
// text node would hold after the mark.
void appendMask(std::string &out, std::string_view code, Mask mask, std::string &pad)
{
    const char blank = mask == Mask::Underscore ? '_' : ' ';
    for (size_t k = 0; k < code.size();) {
        const char c = code[k];
        if (c == '\n' || c == '\r') {
            out += c;
            if (mask == Mask::Marked && !(c == '\n' && k > 0 && code[k - 1] == '\r'))
                pad += '\n';
            ++k;
            continue;
        }
        if (mask == Mask::Marked && k == 0) {
            out += ServerCodeMark;
        } else {
            out += blank;
            if (mask == Mask::Marked)
                pad += blank;
        }
        k += codePointLength(code, k);
    }
}

} // namespace

MaskedPage maskServerCode(std::string_view page, PageKind kind)
{
    MaskedPage result;
    if (!mayHoldServerCode(page, kind)) {
        result.text = page;
        return result;
    }
    Scanner scanner(page, kind);
    scanner.run();
    const std::vector<Span> &spans = scanner.spans();
    if (spans.empty()) {
        result.text = page;
        return result;
    }
    result.changed = true;

    // The parser accepts nothing before the declaration; what stands there in
    // an ASP or JSP page is its server preamble.
    const size_t cut
        = kind != PageKind::Wml && scanner.declaration() != npos ? scanner.declaration() : 0;
    size_t lineStart = 0;
    for (size_t i = 0; i < cut; ++i) {
        if (page[i] == '\n' || (page[i] == '\r' && (i + 1 == cut || page[i + 1] != '\n'))) {
            ++result.lineOffset;
            lineStart = i + 1;
        }
    }
    // A byte order mark is no column.
    if (lineStart == 0 && page.starts_with("\xEF\xBB\xBF"))
        lineStart = 3;
    for (size_t i = lineStart; i < cut; i += codePointLength(page, i))
        ++result.columnOffset;

    result.text.reserve(page.size() - cut + 2 * spans.size());
    result.blocks.reserve(spans.size());
    size_t copied = cut;
    for (const Span &span : spans) {
        const std::string_view whole = page.substr(span.offset, span.length);
        ServerCodeBlock block;
        block.form = span.form;
        block.offset = span.offset;
        block.length = span.length;
        if (span.form == ServerCodeBlock::Form::Block) {
            // "<%--%>" and "<%>" are not closed: the opening's own characters
            // are no part of the closing.
            const bool closed
                = whole.ends_with("%>") && whole.size() >= (whole.starts_with("<%--") ? 8u : 4u);
            block.code = whole.substr(2, whole.size() - (closed ? 4 : 2));
        } else {
            block.code = whole;
        }
        block.marked = span.mask == Mask::Marked;
        if (span.offset >= cut) {
            result.text.append(page.substr(copied, span.offset - copied));
            appendMask(result.text, whole, span.mask, block.pad);
            copied = span.offset + span.length;
        }
        result.blocks.push_back(std::move(block));
    }
    result.text.append(page.substr(copied));
    return result;
}

std::pair<int, int> pagePosition(const MaskedPage &page, int line, int column)
{
    if (line < 1)
        return {line, column};
    return {line + page.lineOffset, line == 1 ? column + page.columnOffset : column};
}

} // namespace tess
