#include "deck/DeckReader.h"

#include "deck/DeckConstants.h"
#include "deck/ElementFactory.h"
#include "deck/NodeIndex.h"
#include "deck/SourceConstants.h"
#include "deck/StartTag.h"
#include "wml/XmlEscape.h"

#include <string_view>
#include <utility>

namespace tess {

namespace {

// The tag name as name() gives it; `qualified` holds it when it has a
// namespace prefix.
std::string_view elementName(const XmlNode &element, std::string &qualified)
{
    if (element.prefix().empty())
        return element.localName();
    qualified = element.name();
    return qualified;
}

bool isNameChar(char c)
{
    return !IsXmlBlank(c) && c != '>' && c != '/';
}

// The end of the construct that starts at `at` with `open`, just past
// `close`; npos when it does not end.
size_t pastEnd(std::string_view page, size_t at, std::string_view open, std::string_view close)
{
    const size_t end = page.find(close, at + open.size());
    return end == std::string_view::npos ? end : end + close.size();
}

} // namespace

size_t pastDoctype(std::string_view page, size_t at)
{
    char quote = 0;
    int depth = 0;
    for (size_t i = at + 2; i < page.size(); ++i) {
        const char c = page[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            ++depth;
        } else if (c == ']') {
            --depth;
        } else if (c == '>' && depth <= 0) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

std::pair<size_t, size_t> RootElementSpan(std::string_view page)
{
    constexpr auto none = std::string_view::npos;
    size_t at = 0;
    for (;;) {
        at = page.find('<', at);
        if (at == none || at + 1 >= page.size())
            return {none, none};
        const std::string_view rest = page.substr(at);
        size_t next = none;
        if (rest.starts_with("<?"))
            next = pastEnd(page, at, "<?", "?>");
        else if (rest.starts_with("<!--"))
            next = pastEnd(page, at, "<!--", "-->");
        else if (rest.starts_with("<%"))
            next = pastEnd(page, at, "<%", "%>");
        else if (rest.starts_with("<!"))
            next = pastDoctype(page, at);
        else
            break;
        if (next == none)
            return {none, none};
        at = next;
    }
    size_t nameEnd = at + 1;
    while (nameEnd < page.size() && isNameChar(page[nameEnd]))
        ++nameEnd;
    const std::string closing = "</" + std::string(page.substr(at + 1, nameEnd - at - 1));
    for (size_t end = page.rfind(closing); end != none && end > at;
         end = end == 0 ? none : page.rfind(closing, end - 1)) {
        const size_t after = end + closing.size();
        if (after < page.size() && isNameChar(page[after]))
            continue;
        const size_t gt = page.find('>', after);
        return {at, gt == none ? page.size() : gt + 1};
    }
    // An empty root element, or one that never ends: it runs to its own ">"
    // or to the end.
    const size_t gt = page.find('>', at);
    if (gt != none && gt > 0 && page[gt - 1] == '/')
        return {at, gt + 1};
    return {at, page.size()};
}

// ---- DeckReader -------------------------------------------------------------

ElementKind KindOfTag(std::string_view name)
{
    // By length first: a tag is compared with two or three names at most.
    switch (name.size()) {
    case 1:
        switch (name[0]) {
        case 'p':
            return ElementKind::Paragraph;
        case 'a':
            return ElementKind::Anchor;
        case 'i':
        case 'u':
        case 'b':
            return ElementKind::Text;
        default:
            return ElementKind::Other;
        }
    case 2:
        return name == "do" ? ElementKind::Do
            : name == "em"  ? ElementKind::Text
            : name == "br"  ? ElementKind::Break
                            : ElementKind::Other;
    case 3:
        return name == "wml" ? ElementKind::Wml
            : name == "big"  ? ElementKind::Text
            : name == "img"  ? ElementKind::Image
                             : ElementKind::Other;
    case 4:
        return name == "card" ? ElementKind::Card : ElementKind::Other;
    case 5:
        return name == "input" ? ElementKind::Input
            : name == "small"  ? ElementKind::Text
            : name == "timer"  ? ElementKind::Timer
                               : ElementKind::Other;
    case 6:
        return name == "select" ? ElementKind::Select
            : name == "option"  ? ElementKind::Option
            : name == "strong"  ? ElementKind::Text
                                : ElementKind::Other;
    case 8:
        return name == "optgroup" ? ElementKind::Optgroup : ElementKind::Other;
    default:
        return ElementKind::Other;
    }
}

DeckReader::DeckReader(DeckModel &model, const std::vector<ServerCodeBlock> &blocks)
    : m_model(model)
    , m_codeKind(model.kind == PageKind::Jsp ? ElementKind::Jsp : ElementKind::Asp)
{
    for (const ServerCodeBlock &block : blocks) {
        if (block.marked)
            m_marked.push_back(&block);
    }
}

DeckNode *DeckReader::append(DeckNode *parent, ElementKind kind, std::string fragment)
{
    return AppendChild(parent, makeElement(kind, std::move(fragment)));
}

// Built in a buffer that keeps its capacity, then copied once at its size.
// Values go back escaped, so a double quote or an ampersand in a value
// survives the way back through the writer.
std::string DeckReader::startTag(const XmlNode &element, std::string_view name)
{
    m_tag.assign("<");
    m_tag += name;
    m_tag += ' ';
    element.visitAttributes([this](std::string_view attribute, std::string_view value) {
        m_tag += attribute;
        m_tag += "=\"";
        m_tag += EscapeXmlAttribute(value);
        m_tag += "\" ";
    });
    m_tag += element.hasChildren() ? ">\r\n" : "/>\r\n";
    return m_tag;
}

int DeckReader::readChildren(const XmlNode &node, DeckNode *parent)
{
    int count = 0;
    for (XmlNode child = node.firstChild(); child; child = child.nextSibling())
        count += readNode(child, parent);
    return count;
}

int DeckReader::readElement(const XmlNode &node, DeckNode *parent)
{
    std::string qualified;
    const std::string_view name = elementName(node, qualified);
    DeckNode *own = m_model.root();
    int count = 0;
    if (name != "wml") {
        own = append(parent, KindOfTag(name), startTag(node, name));
        ++count;
    } else if (own->element) {
        // The root keeps the wml element's attributes (xml:lang, say).
        bool attributes = false;
        node.visitAttributes([&](std::string_view, std::string_view) { attributes = true; });
        if (attributes)
            own->element->setFragment(startTag(node, name));
    }
    return count + readChildren(node, own);
}

// A text run, split where masked code blocks stand: each mask is the marker
// followed by its padding, and gives way to the block's own code.
int DeckReader::readText(std::string_view text, DeckNode *parent)
{
    int count = 0;
    size_t from = 0;
    for (size_t at = text.find(ServerCodeMark);
         at != std::string_view::npos && m_nextBlock < m_marked.size();
         at = text.find(ServerCodeMark, from)) {
        if (at > from) {
            append(parent, ElementKind::Text, EscapeXmlText(text.substr(from, at - from)));
            ++count;
        }
        const ServerCodeBlock &block = *m_marked[m_nextBlock++];
        append(parent, m_codeKind, block.code);
        ++count;
        from = at + ServerCodeMark.size();
        if (text.substr(from).starts_with(block.pad))
            from += block.pad.size();
    }
    if (from < text.size()) {
        append(parent, ElementKind::Text, EscapeXmlText(text.substr(from)));
        ++count;
    }
    return count;
}

int DeckReader::ReadNode(const XmlNode &node, int parentId)
{
    if (!m_model.root())
        return 0;
    return readNode(node, FindById(m_model.root(), parentId));
}

int DeckReader::readNode(const XmlNode &node, DeckNode *parent)
{
    std::string fragment;
    switch (node.type()) {
    case XmlNodeType::Element:
        return readElement(node, parent);
    case XmlNodeType::Text:
        return readText(node.content(), parent);
    case XmlNodeType::Comment:
        fragment = "<!--" + std::string(node.content()) + "-->";
        break;
    case XmlNodeType::CDataSection:
        fragment = "<![CDATA[" + std::string(node.content()) + "]]>";
        break;
    case XmlNodeType::ProcessingInstruction: {
        const std::string_view data = node.content();
        fragment = "<?" + std::string(node.localName()) + (data.empty() ? "" : " ")
            + std::string(data) + "?>";
        break;
    }
    case XmlNodeType::EntityReference:
        // Its children are the entity's replacement text, which the
        // reference itself stands for.
        append(parent, ElementKind::Other, "&" + node.name() + ";");
        return 1;
    default:
        fragment = node.name();
        break;
    }
    DeckNode *own = append(parent, ElementKind::Other, std::move(fragment));
    return 1 + readChildren(node, own);
}

int LoadDeck(DeckModel &model, const XmlDocument &doc, std::string_view page,
             const std::vector<ServerCodeBlock> &blocks)
{
    DeckNode *root = model.makeRoot(ElementKind::Other, std::string(ReaderRootFragment));
    // Decks run to about one node per 20 bytes: room for them up front spares
    // the index its rebuilds while it fills.
    ensureIndex(root)->reserve(size_t(doc.loadedFileSize() / 20));
    DeckReader reader(model, blocks);
    int count = 0;
    if (const XmlNode element = doc.documentElement())
        count = reader.ReadNode(element, root->id());
    const auto [start, end] = RootElementSpan(page);
    model.fileForm.prolog
        = withLineFeeds(start == std::string_view::npos ? page : page.substr(0, start));
    model.fileForm.epilogue
        = withLineFeeds(end == std::string_view::npos ? std::string_view() : page.substr(end));
    model.validDeck = true;
    return count;
}

} // namespace tess
