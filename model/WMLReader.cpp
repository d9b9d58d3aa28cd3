#include "model/WMLReader.h"

#include "model/ElementFactory.h"
#include "model/ModelConstants.h"
#include "model/NodeIndex.h"
#include "source/FileUtil.h"
#include "source/SourceConstants.h"

#include <optional>
#include <string_view>
#include <utility>

namespace tess {

namespace {

bool endsName(char c)
{
    return c == ' ' || c == '>' || c == '/' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmedOfBlanks(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// At least two characters, UTF-8 sequences counting as one; the count stops
// there rather than running through a long text.
bool hasTwoCharacters(std::string_view text)
{
    int count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && ++count == 2)
            return true;
    }
    return false;
}

// Stored text keeps "<" and ">" as entities so that the writer can tell text
// from a start tag.
std::string escapedText(std::string_view text)
{
    std::string out;
    size_t from = 0;
    for (size_t at; (at = text.find_first_of("<>", from)) != std::string_view::npos;
         from = at + 1) {
        out += text.substr(from, at - from);
        out += text[at] == '<' ? "&lt;" : "&gt;";
    }
    if (from == 0)
        return std::string(text);
    out += text.substr(from);
    return out;
}

// The tag name as name() gives it; `qualified` holds it when it has a
// namespace prefix.
std::string_view elementName(const XmlNode &element, std::string &qualified)
{
    if (element.prefix().empty())
        return element.localName();
    qualified = element.name();
    return qualified;
}

} // namespace

// ---- SourceScanner ---------------------------------------------------------

void SourceScanner::open(const std::string &path)
{
    std::optional<std::string> text = path.empty() ? std::nullopt : readWholeFile(path);
    m_more = text.has_value();
    m_text = m_more ? std::move(*text) : std::string();
    const size_t start = m_text.find("<w");
    m_pos = start == std::string::npos ? m_text.size() : start;
}

std::string_view SourceScanner::endOfFile()
{
    m_pos = m_text.size();
    if (!m_more)
        return ScannerEndText;
    m_more = false;
    return ScannerFirstEndText;
}

std::string SourceScanner::nextTag()
{
    return std::string(nextTagView());
}

std::string_view SourceScanner::nextTagView()
{
    if (!m_more)
        return endOfFile();
    for (;;) {
        const size_t lt = m_text.find('<', m_pos);
        if (lt == std::string::npos || lt + 1 >= m_text.size())
            return endOfFile();
        m_pos = lt + 1;
        const char c = m_text[m_pos];
        if (c == '/')
            continue;
        if (c == '%') {
            ++m_pos;
            return ScannerCodeBlockTag;
        }
        size_t end = m_pos;
        while (end < m_text.size() && !endsName(m_text[end]))
            ++end;
        if (end == m_text.size())
            return endOfFile();
        const std::string_view name = std::string_view(m_text).substr(m_pos, end - m_pos);
        m_pos = end;
        return name;
    }
}

std::string SourceScanner::code()
{
    if (!m_more)
        return {};
    const size_t end = m_text.find("%>", m_pos);
    std::string code = m_text.substr(m_pos, end == std::string::npos ? end : end - m_pos);
    m_pos = end == std::string::npos ? m_text.size() : end + 2;
    return code;
}

void SourceScanner::close()
{
    m_text.clear();
    m_text.shrink_to_fit();
    m_pos = 0;
    m_more = false;
}

// ---- WMLReader -------------------------------------------------------------

int KindOfTag(std::string_view name)
{
    // By length first: a tag is compared with two or three names at most.
    switch (name.size()) {
    case 1:
        switch (name[0]) {
        case 'p':
            return KindParagraph;
        case 'a':
            return KindAnchor;
        case 'i':
        case 'u':
        case 'b':
            return KindText;
        default:
            return KindOther;
        }
    case 2:
        return name == "do" ? KindDo
            : name == "em"  ? KindText
            : name == "br"  ? KindBreak
                            : KindOther;
    case 3:
        return name == "wml" ? KindWml
            : name == "big"  ? KindText
            : name == "img"  ? KindImage
                             : KindOther;
    case 4:
        return name == "card" ? KindCard : KindOther;
    case 5:
        return name == "input" ? KindInput
            : name == "small"  ? KindText
            : name == "timer"  ? KindTimer
                               : KindOther;
    case 6:
        return name == "select" ? KindSelect
            : name == "option"  ? KindOption
            : name == "strong"  ? KindText
                                : KindOther;
    case 8:
        return name == "optgroup" ? KindOptgroup : KindOther;
    default:
        return KindOther;
    }
}

WMLReader::WMLReader(DeckModel &model, SourceScanner &scanner)
    : m_model(model)
    , m_scanner(scanner)
    , m_codeKind(model.jsp ? KindJsp : KindAsp)
{ }

DeckNode *WMLReader::append(DeckNode *parent, int kind, std::string fragment)
{
    return AppendChild(parent, makeElement(kind, std::move(fragment)));
}

// A scanner with nothing (more) to read can never find a code block, so it
// is not asked.
std::string_view WMLReader::nextTag()
{
    return m_scanner.moreToRead() ? trimmedOfBlanks(m_scanner.nextTagView()) : std::string_view();
}

// Built in a buffer that keeps its capacity, then copied once at its size.
std::string WMLReader::startTag(const XmlNode &element, std::string_view name)
{
    m_tag.assign("<");
    m_tag += name;
    m_tag += ' ';
    element.visitAttributes([this](std::string_view attribute, std::string_view value) {
        m_tag += attribute;
        m_tag += "=\"";
        m_tag += value;
        m_tag += "\" ";
    });
    m_tag += element.hasChildren() ? ">\r\n" : "/>\r\n";
    return m_tag;
}

int WMLReader::readCodeBlocks(std::string_view &tag, DeckNode *parent)
{
    int count = 0;
    while (tag == ScannerCodeBlockTag) {
        append(parent, m_codeKind, m_scanner.code());
        ++count;
        tag = nextTag();
    }
    return count;
}

int WMLReader::readChildren(const XmlNode &node, DeckNode *parent)
{
    int count = 0;
    for (XmlNode child = node.firstChild(); child; child = child.nextSibling())
        count += readNode(child, parent);
    return count;
}

int WMLReader::readElement(const XmlNode &node, DeckNode *parent)
{
    std::string qualified;
    const std::string_view name = elementName(node, qualified);
    int count = 0;
    if (sync) {
        std::string_view tag = nextTag();
        if (tag != name)
            count += readCodeBlocks(tag, parent);
    } else {
        sync = true;
    }

    DeckNode *own = m_model.root();
    if (name != "wml") {
        own = append(parent, KindOfTag(name), startTag(node, name));
        ++count;
    }
    count += readChildren(node, own);

    if (name == "p") {
        std::string_view tag = nextTag();
        count += readCodeBlocks(tag, own);
        sync = false;
    }
    return count;
}

int WMLReader::ReadNode(const XmlNode &node, int parentId)
{
    if (!m_model.root())
        return 0;
    return readNode(node, FindById(m_model.root(), parentId));
}

int WMLReader::readNode(const XmlNode &node, DeckNode *parent)
{
    int kind = KindOther;
    std::string fragment;
    switch (node.type()) {
    case XmlNodeType::Element:
        return readElement(node, parent);
    case XmlNodeType::Text: {
        const std::string_view text = node.content();
        if (!hasTwoCharacters(text))
            return 0;
        fragment = escapedText(text);
        // The writer stores a code block of a designed deck as marked text.
        kind = text.starts_with(ServerCodeStartMarker) ? m_codeKind : KindText;
        break;
    }
    case XmlNodeType::Comment:
        fragment = "<!-- " + std::string(node.content()) + " -->";
        break;
    case XmlNodeType::EntityReference:
        fragment = "&" + node.name() + ";";
        break;
    default:
        fragment = node.name();
        break;
    }
    DeckNode *own = append(parent, kind, std::move(fragment));
    return 1 + readChildren(node, own);
}

int LoadDeck(DeckModel &model, const XmlDocument &doc)
{
    DeckNode *root = model.makeRoot(KindOther, std::string(ReaderRootFragment));
    // Decks run to about one node per 20 bytes: room for them up front spares
    // the index its rebuilds while it fills.
    ensureIndex(root)->reserve(size_t(doc.loadedFileSize() / 20));
    SourceScanner scanner;
    // Without "<%" the file holds no code block to restore, so it is not
    // read a second time.
    if (fileContains(model.filePath, "<%"))
        scanner.open(model.filePath);
    WMLReader reader(model, scanner);
    reader.sync = true;
    int count = 0;
    if (const XmlNode element = doc.documentElement())
        count = reader.ReadNode(element, root->id());
    scanner.close();
    model.validDeck = true;
    return count;
}

} // namespace tess
