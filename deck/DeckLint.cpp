#include "deck/DeckLint.h"

#include "deck/DeckReader.h"
#include "deck/LintDeck.h"
#include "wml/FileUtil.h"
#include "wml/TextEncoding.h"
#include "wml/XmlDocument.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <tuple>

namespace tess {

namespace {

constexpr std::array<LintRule, 11> kRules = {{
    {"text-before-declaration", LintSeverity::Warning},
    {"undeclared-encoding", LintSeverity::Warning},
    {"deck-budget", LintSeverity::Warning},
    {"unknown-card", LintSeverity::Warning},
    {"missing-deck", LintSeverity::Warning},
    {"unreachable-card", LintSeverity::Warning},
    {"timer-without-ontimer", LintSeverity::Warning},
    {"no-accept", LintSeverity::Warning},
    {"missing-image", LintSeverity::Warning},
    {"unset-variable", LintSeverity::Warning},
    {"unused-variable", LintSeverity::Note},
}};

bool isContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Lines and columns as the parser counts them: "\r\n" and a lone "\r" end a
// line as "\n" does, a column is one character.
class Cursor
{
public:
    explicit Cursor(std::string_view text)
        : m_text(text)
    { }
    void advanceTo(size_t offset)
    {
        for (; m_at < offset; ++m_at) {
            const char c = m_text[m_at];
            if (c == '\n'
                || (c == '\r' && (m_at + 1 >= m_text.size() || m_text[m_at + 1] != '\n'))) {
                ++m_line;
                m_column = 1;
            } else if (c != '\r' && !isContinuationByte(c)) {
                ++m_column;
            }
        }
    }
    int line() const { return m_line; }
    int column() const { return m_column; }

private:
    std::string_view m_text;
    size_t m_at = 0;
    int m_line = 1;
    int m_column = 1;
};

bool IsXmlBlankChar(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

size_t pastTerminator(std::string_view text, size_t from, std::string_view terminator)
{
    const size_t end = text.find(terminator, from);
    return end == std::string_view::npos ? text.size() : end + terminator.size();
}

struct TagPlace
{
    size_t start;
    size_t end;
};

// The start tags of a parsed text in order: what the parser makes elements
// of, one for one.
std::vector<TagPlace> startTags(std::string_view text)
{
    std::vector<TagPlace> tags;
    tags.reserve(text.size() / 40);
    for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at)) {
        const std::string_view rest = text.substr(at);
        if (rest.starts_with("<!--")) {
            at = pastTerminator(text, at + 4, "-->");
        } else if (rest.starts_with("<![CDATA[")) {
            at = pastTerminator(text, at + 9, "]]>");
        } else if (rest.starts_with("<?")) {
            at = pastTerminator(text, at + 2, "?>");
        } else if (rest.starts_with("<!")) {
            at = pastDoctype(text, at);
        } else {
            const bool endTag = rest.starts_with("</");
            char quote = 0;
            size_t i = at + 1;
            for (; i < text.size(); ++i) {
                const char c = text[i];
                if (quote) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    break;
                }
            }
            if (!endTag)
                tags.push_back({at, i});
            at = i;
        }
    }
    return tags;
}

struct Range
{
    size_t start;
    size_t end;
};

// Where the server code of a masked page stands in the masked text: the page
// from its cut preamble on, each block one mask character per character (the
// mark of a block inside text three bytes), line ends kept.
std::vector<Range> maskedRanges(std::string_view page, const MaskedPage &masked)
{
    std::vector<Range> ranges;
    if (!masked.changed)
        return ranges;
    size_t cut = 0;
    for (int lines = 0; lines < masked.lineOffset && cut < page.size(); ++cut) {
        const char c = page[cut];
        if (c == '\n' || (c == '\r' && (cut + 1 == page.size() || page[cut + 1] != '\n')))
            ++lines;
    }
    if (cut == 0 && page.starts_with("\xEF\xBB\xBF"))
        cut = 3;
    for (int columns = 0; columns < masked.columnOffset && cut < page.size(); ++columns) {
        ++cut;
        while (cut < page.size() && isContinuationByte(page[cut]))
            ++cut;
    }
    size_t shrink = cut;
    for (const ServerCodeBlock &block : masked.blocks) {
        if (block.offset < cut)
            continue;
        size_t length = block.marked ? ServerCodeMark.size() - 1 : 0;
        for (size_t k = block.offset; k < block.offset + block.length && k < page.size(); ++k)
            length += isContinuationByte(page[k]) ? 0 : 1;
        const size_t start = block.offset - shrink;
        ranges.push_back({start, start + length});
        shrink += block.length - length;
    }
    return ranges;
}

} // namespace

std::span<const LintRule> lintRules()
{
    return kRules;
}

bool parseLintSelection(std::string_view text, LintOptions &options, std::string &error)
{
    size_t from = 0;
    while (from <= text.size()) {
        size_t comma = text.find(',', from);
        if (comma == std::string_view::npos)
            comma = text.size();
        const std::string_view item = text.substr(from, comma - from);
        const std::string_view id = item.starts_with('-') ? item.substr(1) : std::string_view();
        if (!item.starts_with('-')
            || std::none_of(kRules.begin(), kRules.end(),
                            [&](const LintRule &r) { return id == r.id; })) {
            error = "unknown lint rule '" + std::string(item)
                + "' (turn a rule off with --lint=-RULE)";
            return false;
        }
        options.disabled.emplace_back(id);
        from = comma + 1;
    }
    return true;
}

std::string formatLintFinding(const std::string &file, const LintFinding &finding)
{
    return file + ":" + std::to_string(finding.line) + ":" + std::to_string(finding.column) + ": "
        + (finding.severity == LintSeverity::Note ? "note: " : "warning: ") + finding.text + " ["
        + finding.rule + "]";
}

int lintLineOf(std::string_view outputLine)
{
    size_t kind = std::string_view::npos;
    for (const std::string_view word : {": warning: ", ": note: ", ": error: "})
        kind = std::min(kind, outputLine.find(word));
    if (kind == std::string_view::npos)
        return 0;
    // FILE:LINE:COL before it; the file's name may hold colons itself.
    const std::string_view head = outputLine.substr(0, kind);
    const size_t columnColon = head.rfind(':');
    if (columnColon == std::string_view::npos || columnColon == 0)
        return 0;
    const size_t lineColon = head.rfind(':', columnColon - 1);
    if (lineColon == std::string_view::npos)
        return 0;
    const std::string_view digits = head.substr(lineColon + 1, columnColon - lineColon - 1);
    if (digits.empty() || digits.size() > 9)
        return 0;
    int line = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        line = line * 10 + (c - '0');
    }
    return line;
}

namespace lint {

bool Report::enabled(std::string_view rule) const
{
    return std::find(m_options.disabled.begin(), m_options.disabled.end(), rule)
        == m_options.disabled.end();
}

void Report::add(std::string_view rule, int line, int column, std::string text)
{
    if (!enabled(rule))
        return;
    const auto known = std::find_if(kRules.begin(), kRules.end(),
                                    [&](const LintRule &r) { return rule == r.id; });
    LintFinding finding;
    finding.line = line;
    finding.column = column;
    finding.severity = known == kRules.end() ? LintSeverity::Warning : known->severity;
    finding.rule = rule;
    finding.text = std::move(text);
    m_findings.push_back(std::move(finding));
}

std::vector<LintFinding> Report::take()
{
    std::stable_sort(m_findings.begin(), m_findings.end(),
                     [](const LintFinding &a, const LintFinding &b) {
                         return std::tie(a.line, a.column, a.rule, a.text)
                             < std::tie(b.line, b.column, b.rule, b.text);
                     });
    return std::move(m_findings);
}

} // namespace lint

namespace {

bool overlaps(const std::vector<Range> &ranges, size_t &next, size_t start, size_t end)
{
    while (next < ranges.size() && ranges[next].end <= start)
        ++next;
    return next < ranges.size() && ranges[next].start < end;
}

// The deck's elements in document order, each at its start tag.
void readElements(lint::Deck &deck, std::string_view text, const MaskedPage &masked,
                  const std::vector<Range> &code)
{
    const std::vector<TagPlace> tags = startTags(text);
    Cursor cursor(text);
    size_t nextTag = 0;
    size_t nextRange = 0;
    std::vector<std::pair<XmlNode, int>> stack; // node, parent element
    const XmlNode root = deck.doc->documentElement();
    if (root)
        stack.push_back({root, -1});
    while (!stack.empty()) {
        const auto [node, parent] = stack.back();
        stack.pop_back();
        if (node.type() != XmlNodeType::Element) {
            if (parent >= 0)
                deck.texts.emplace_back(parent, std::string(node.content()));
            continue;
        }
        lint::Element element;
        element.node = node;
        element.name = node.name();
        element.attributes = node.attributes();
        element.parent = parent;
        if (nextTag < tags.size()) {
            const TagPlace &tag = tags[nextTag++];
            cursor.advanceTo(tag.start);
            const auto [line, column] = masked.changed
                ? pagePosition(masked, cursor.line(), cursor.column())
                : std::pair(cursor.line(), cursor.column());
            element.line = line;
            element.column = column;
            element.offset = tag.start;
            element.codeInTag = overlaps(code, nextRange, tag.start, tag.end + 1);
        }
        const int index = int(deck.elements.size());
        if (element.name == "card" || element.name == "template") {
            element.card = index;
            if (element.name == "card")
                deck.cards.push_back(index);
            else
                deck.templ = index;
        } else if (parent >= 0) {
            element.card = deck.elements[size_t(parent)].card;
        }
        deck.elements.push_back(std::move(element));
        // Children go on the stack last first, so that they come off in order.
        const size_t mark = stack.size();
        for (XmlNode child = node.firstChild(); child; child = child.nextSibling()) {
            const XmlNodeType type = child.type();
            if (type == XmlNodeType::Element || type == XmlNodeType::Text
                || type == XmlNodeType::CDataSection)
                stack.push_back({child, index});
        }
        std::reverse(stack.begin() + std::ptrdiff_t(mark), stack.end());
    }
    if (code.empty() || deck.elements.empty())
        return;
    deck.codeInRoot = std::any_of(code.begin(), code.end(), [&](const Range &r) {
        return r.start > deck.elements.front().offset;
    });
    // A card holds code when a block stands between its start tag and the next
    // card's (or the end).
    for (size_t i = 0; i < deck.cards.size(); ++i) {
        const size_t from = deck.elements[size_t(deck.cards[i])].offset;
        const size_t to = i + 1 < deck.cards.size()
            ? deck.elements[size_t(deck.cards[i + 1])].offset
            : text.size();
        deck.cardHasCode.push_back(std::any_of(code.begin(), code.end(), [&](const Range &r) {
            return r.start >= from && r.start < to;
        }));
    }
}

// Phones read a deck from its first byte: a byte order mark, or anything
// before the declaration, makes them refuse it.
void lintDeclaration(std::string_view bytes, std::string_view text, lint::Report &report)
{
    if (bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE")
        || bytes.starts_with("\xFE\xFF")) {
        report.add("text-before-declaration", 1, 1,
                   "A byte-order mark stands before the XML declaration; phones refuse the deck.");
        return;
    }
    size_t declaration = text.find("<?xml");
    while (declaration != std::string_view::npos && declaration + 5 < text.size()
           && !IsXmlBlankChar(text[declaration + 5]))
        declaration = text.find("<?xml", declaration + 5);
    if (declaration != std::string_view::npos && declaration > 0)
        report.add("text-before-declaration", 1, 1,
                   "Text stands before the XML declaration; phones refuse the deck.");
}

// Without a declared encoding a gateway reads the deck as UTF-8 or as its
// own default, and letters beyond ASCII come out wrong on one of them.
void lintEncoding(std::string_view page, const MaskedPage &masked, lint::Report &report)
{
    if (!declaredEncoding(page).empty())
        return;
    const std::string_view text = masked.text;
    for (size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) < 0x80)
            continue;
        if (text.substr(i).starts_with(ServerCodeMark)) {
            i += ServerCodeMark.size() - 1;
            continue;
        }
        Cursor cursor(text);
        cursor.advanceTo(i);
        const auto [line, column] = pagePosition(masked, cursor.line(), cursor.column());
        report.add("undeclared-encoding", line, column,
                   "Non-ASCII text, but the XML declaration names no encoding.");
        return;
    }
}

// The rules that read the page's bytes and text and need no parse; false
// when the bytes do not decode. `decoded` and `masked` serve the other rules.
bool lintPageText(std::string_view bytes, PageKind kind, lint::Report &report, DecodedText &decoded,
                  MaskedPage &masked)
{
    decoded = decodeText(bytes);
    if (!decoded.ok)
        return false;
    masked = maskServerCode(decoded.text, kind);
    if (kind == PageKind::Wml && report.enabled("text-before-declaration"))
        lintDeclaration(bytes, decoded.text, report);
    if (report.enabled("undeclared-encoding"))
        lintEncoding(decoded.text, masked, report);
    return true;
}

} // namespace

std::vector<LintFinding> lintDeck(const XmlDocument &doc, std::string_view bytes,
                                  const std::string &path, PageKind kind,
                                  const LintOptions &options)
{
    lint::Report report(options);
    DecodedText decoded;
    MaskedPage masked;
    if (!lintPageText(bytes, kind, report, decoded, masked))
        return {};
    lint::Deck deck;
    deck.doc = &doc;
    deck.path = path;
    deck.kind = kind;
    readElements(deck, masked.text, masked, maskedRanges(decoded.text, masked));
    lint::lintTree(deck, report);
    return report.take();
}

std::vector<LintFinding> lintDeckBytes(std::string_view bytes, PageKind kind,
                                       const LintOptions &options)
{
    lint::Report report(options);
    DecodedText decoded;
    MaskedPage masked;
    lintPageText(bytes, kind, report, decoded, masked);
    return report.take();
}

std::vector<LintFinding> lintDeckFile(const std::string &path, PageKind kind,
                                      const LintOptions &options)
{
    const std::optional<std::string> bytes = readWholeFile(path);
    if (!bytes)
        return {};
    const DecodedText decoded = decodeText(*bytes);
    if (!decoded.ok)
        return {};
    const MaskedPage masked = maskServerCode(decoded.text, kind);
    XmlDocument doc;
    if (!(masked.changed ? doc.loadBytes(masked.text, path, true) : doc.loadBytes(*bytes, path)))
        return {};
    return lintDeck(doc, *bytes, path, kind, options);
}

} // namespace tess
