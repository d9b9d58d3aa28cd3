#include "model/WMLReader.h"

#include "model/ElementFactory.h"
#include "model/ModelConstants.h"
#include "model/WMLWriter.h"
#include "source/FileUtil.h"
#include "source/SourceConstants.h"

#include <optional>
#include <utility>

namespace tess {

namespace {

bool endsName(char c)
{
    return c == ' ' || c == '>' || c == '/' || c == '\t' || c == '\r' || c == '\n';
}

std::string trimmedOfBlanks(const std::string &text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Stored text keeps "<" and ">" as entities so that the writer can tell text
// from a start tag.
std::string escapedText(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

std::string startTag(const XmlNode &element, const std::string &name)
{
    std::string fragment = "<" + name + " ";
    for (const XmlAttribute &a : element.attributes())
        fragment += a.name + "=\"" + a.value + "\" ";
    fragment += element.hasChildren() ? ">\r\n" : "/>\r\n";
    return fragment;
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

std::string SourceScanner::endOfFile()
{
    m_pos = m_text.size();
    if (!m_more)
        return std::string(ScannerEndText);
    m_more = false;
    return std::string(ScannerFirstEndText);
}

std::string SourceScanner::nextTag()
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
            return std::string(ScannerCodeBlockTag);
        }
        size_t end = m_pos;
        while (end < m_text.size() && !endsName(m_text[end]))
            ++end;
        if (end == m_text.size())
            return endOfFile();
        std::string name = m_text.substr(m_pos, end - m_pos);
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

int KindOfTag(const std::string &name)
{
    static const std::pair<const char *, int> kinds[] = {
        {"wml", KindWml},
        {"card", KindCard},
        {"p", KindParagraph},
        {"input", KindInput},
        {"select", KindSelect},
        {"option", KindOption},
        {"optgroup", KindOptgroup},
        {"a", KindAnchor},
        {"do", KindDo},
        {"em", KindText},
        {"big", KindText},
        {"small", KindText},
        {"i", KindText},
        {"u", KindText},
        {"strong", KindText},
        {"b", KindText},
        {"br", KindBreak},
        {"img", KindImage},
        {"timer", KindTimer},
    };
    for (const auto &[tag, kind] : kinds) {
        if (name == tag)
            return kind;
    }
    return KindOther;
}

WMLReader::WMLReader(DeckModel &model, SourceScanner &scanner)
    : m_model(model)
    , m_scanner(scanner)
    , m_codeKind(model.jsp ? KindJsp : KindAsp)
{ }

int WMLReader::append(int parentId, int kind, std::string fragment)
{
    NodeInsertRequest request;
    request.root = m_model.root();
    request.element = makeElement(kind, std::move(fragment));
    request.parentId = parentId;
    return Insert(request);
}

std::string WMLReader::nextTag()
{
    return trimmedOfBlanks(m_scanner.nextTag());
}

int WMLReader::readCodeBlocks(std::string &tag, int parentId)
{
    int count = 0;
    while (tag == ScannerCodeBlockTag) {
        append(parentId, m_codeKind, m_scanner.code());
        ++count;
        tag = nextTag();
    }
    return count;
}

int WMLReader::readChildren(const XmlNode &node, int parentId)
{
    int count = 0;
    for (XmlNode child = node.firstChild(); child; child = child.nextSibling())
        count += ReadNode(child, parentId);
    return count;
}

int WMLReader::readElement(const XmlNode &node, int parentId)
{
    const std::string name = node.name();
    int count = 0;
    if (sync) {
        std::string tag = nextTag();
        if (tag != name)
            count += readCodeBlocks(tag, parentId);
    } else {
        sync = true;
    }

    int own = m_model.root()->id();
    if (name != "wml") {
        own = append(parentId, KindOfTag(name), startTag(node, name));
        ++count;
    }
    count += readChildren(node, own);

    if (name == "p") {
        std::string tag = nextTag();
        count += readCodeBlocks(tag, own);
        sync = false;
    }
    return count;
}

int WMLReader::ReadNode(const XmlNode &node, int parentId)
{
    if (!m_model.root())
        return 0;
    const std::string type = node.typeName();
    if (type == "element")
        return readElement(node, parentId);

    int kind = KindOther;
    std::string fragment;
    if (type == "text") {
        const std::string text = node.text();
        if (CharacterCount(text) < 2)
            return 0;
        fragment = escapedText(text);
        // The writer stores a code block of a designed deck as marked text.
        kind = text.starts_with(ServerCodeStartMarker) ? m_codeKind : KindText;
    } else if (type == "comment") {
        fragment = "<!-- " + node.text() + " -->";
    } else if (type == "entityreference") {
        fragment = "&" + node.name() + ";";
    } else {
        fragment = node.name();
    }
    const int id = append(parentId, kind, std::move(fragment));
    return 1 + readChildren(node, id);
}

int LoadDeck(DeckModel &model, const XmlDocument &doc)
{
    DeckNode *root = model.makeRoot(KindOther, std::string(ReaderRootFragment));
    SourceScanner scanner;
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
