#include "wml/WbxmlCompiler.h"

#include "wml/ServerCodeMask.h"
#include "wml/XmlDocument.h"

#include <wbxml/wbxml.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <thread>

namespace tess {

namespace {

constexpr std::string_view kProlog = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                     "<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
                                     "\"http://www.wapforum.org/DTD/wml_1.1.xml\">";

// libwbxml2 reads its XML with namespaces on and would store "xml:lang" as
// the namespace's URI joined to "lang"; the attribute goes in under a name of
// the same length and is renamed in the string table afterwards.
constexpr std::string_view kLangAttribute = "xml:lang";
constexpr std::string_view kLangStandIn = "xml.lang";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Gathers the character data of one run of mixed content, entity references
// and CDATA included, so that blank runs collapse across node boundaries.
class TextRun
{
public:
    void add(std::string_view text)
    {
        for (size_t i = 0; i < text.size(); ++i) {
            if (text.compare(i, ServerCodeMark.size(), ServerCodeMark) == 0) {
                i += ServerCodeMark.size() - 1;
                m_blank = true;
                continue;
            }
            if (isBlank(text[i])) {
                m_blank = true;
                continue;
            }
            if (m_blank)
                m_text += ' ';
            m_blank = false;
            appendEscaped(text[i]);
        }
    }
    // The run as escaped XML; a run of blanks only stays one blank, since it
    // separates words of the elements around it.
    std::string take()
    {
        if (m_blank)
            m_text += ' ';
        m_blank = false;
        return std::move(m_text);
    }

private:
    void appendEscaped(char c)
    {
        switch (c) {
        case '&':
            m_text += "&amp;";
            break;
        case '<':
            m_text += "&lt;";
            break;
        case '>':
            m_text += "&gt;";
            break;
        default:
            m_text += c;
        }
    }
    std::string m_text;
    bool m_blank = false;
};

void appendAttributeValue(std::string &out, std::string_view value)
{
    for (const char c : value) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '"':
            out += "&quot;";
            break;
        // Kept as references: a parser would read them as blanks otherwise.
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
}

void appendAttributes(std::string &out, XmlNode element)
{
    element.visitAttributes([&](std::string_view name, std::string_view value) {
        out += ' ';
        out += name == kLangAttribute ? kLangStandIn : name;
        out += "=\"";
        appendAttributeValue(out, value);
        out += '"';
    });
}

void appendElement(std::string &out, XmlNode element)
{
    out += '<';
    if (!element.prefix().empty()) {
        out += element.prefix();
        out += ':';
    }
    out += element.localName();
    appendAttributes(out, element);
    if (!element.hasChildren()) {
        out += "/>";
        return;
    }
    out += '>';
    TextRun run;
    for (XmlNode child = element.firstChild(); child; child = child.nextSibling()) {
        switch (child.type()) {
        case XmlNodeType::Text:
        case XmlNodeType::CDataSection:
            run.add(child.content());
            break;
        case XmlNodeType::EntityReference:
            run.add(child.text());
            break;
        case XmlNodeType::Element:
            out += run.take();
            appendElement(out, child);
            break;
        default:
            break; // comments and processing instructions never reach a phone
        }
    }
    out += run.take();
    out += "</";
    if (!element.prefix().empty()) {
        out += element.prefix();
        out += ':';
    }
    out += element.localName();
    out += '>';
}

bool readMultiByte(const std::vector<unsigned char> &bytes, size_t &at, uint32_t &value)
{
    value = 0;
    for (int i = 0; i < 5 && at < bytes.size(); ++i) {
        const unsigned char b = bytes[at++];
        value = (value << 7) | (b & 0x7F);
        if (!(b & 0x80))
            return true;
    }
    return false;
}

void restoreLangAttribute(std::vector<unsigned char> &bytes)
{
    size_t at = 1; // after the version
    uint32_t publicId = 0, charset = 0, tableLength = 0;
    if (!readMultiByte(bytes, at, publicId))
        return;
    if (publicId == 0 && !readMultiByte(bytes, at, publicId)) // an index into the table
        return;
    if (!readMultiByte(bytes, at, charset) || !readMultiByte(bytes, at, tableLength))
        return;
    const size_t end = std::min(bytes.size(), at + tableLength);
    for (size_t entry = at; entry < end;) {
        size_t zero = entry;
        while (zero < end && bytes[zero] != 0)
            ++zero;
        if (zero - entry == kLangStandIn.size()
            && std::equal(kLangStandIn.begin(), kLangStandIn.end(), bytes.begin() + long(entry)))
            std::copy(kLangAttribute.begin(), kLangAttribute.end(), bytes.begin() + long(entry));
        entry = zero + 1;
    }
}

std::string errorText(WBXMLError code)
{
    const auto *text = reinterpret_cast<const char *>(wbxml_errors_string(code));
    return text ? std::string(text) : "WBXML error " + std::to_string(int(code));
}

} // namespace

std::string wbxmlSourceText(const XmlDocument &deck)
{
    std::string out(kProlog);
    if (const XmlNode root = deck.documentElement())
        appendElement(out, root);
    return out;
}

namespace {

// libwbxml2 searches its string table for every string it adds and walks a
// parent's children for every child it appends, so both grow with the
// square of a deck's size. A phone's deck is a few kilobytes; past this size
// no budget is in reach, the string table is left out, and the deck is
// compiled a few cards at a time.
constexpr size_t kWholeDeckLimit = 64 * 1024;
constexpr size_t kCardsPerPiece = 256;

bool runLibwbxml(std::string &xml, bool stringTable, std::vector<unsigned char> &bytes,
                 std::string &error)
{
    WBXMLConvXML2WBXML *conv = nullptr;
    if (const WBXMLError e = wbxml_conv_xml2wbxml_create(&conv); e != WBXML_OK) {
        error = errorText(e);
        return false;
    }
    const std::unique_ptr<WBXMLConvXML2WBXML, void (*)(WBXMLConvXML2WBXML *)> owner(
        conv, wbxml_conv_xml2wbxml_destroy);
    // The text is already collapsed as a phone shows it; libwbxml2's own
    // trimming would also drop the blank between "<b>x</b> <i>y</i>".
    wbxml_conv_xml2wbxml_enable_preserve_whitespaces(conv);
    wbxml_conv_xml2wbxml_set_version(conv, WBXML_VERSION_13);
    if (!stringTable)
        wbxml_conv_xml2wbxml_disable_string_table(conv);
    WB_UTINY *out = nullptr;
    WB_ULONG length = 0;
    const WBXMLError e = wbxml_conv_xml2wbxml_run(conv, reinterpret_cast<WB_UTINY *>(xml.data()),
                                                  static_cast<WB_ULONG>(xml.size()), &out, &length);
    if (e != WBXML_OK) {
        error = errorText(e);
        return false;
    }
    bytes.assign(out, out + length);
    std::free(out); // libwbxml2 allocates with malloc
    restoreLangAttribute(bytes);
    return true;
}

// The root's start tag as the first piece opens it; later pieces open a bare
// root, whose start token is cut off again.
std::string rootStart(XmlNode root, bool withAttributes)
{
    std::string out = "<" + std::string(root.localName());
    if (withAttributes)
        appendAttributes(out, root);
    return out + ">";
}

// Header: version, public identifier, charset, an empty string table; then
// the root's start token. Pieces with a string table of their own cannot be
// joined.
bool spliceable(const std::vector<unsigned char> &piece)
{
    return piece.size() >= 6 && piece[3] == 0x00 && piece.back() == 0x01;
}

// One piece's bytes: the first keeps the header and the root's start, the
// others only their cards; none keeps the root's end.
bool compilePiece(XmlNode root, std::span<const XmlNode> cards, bool first,
                  std::vector<unsigned char> &out, std::string &error)
{
    std::string xml(kProlog);
    xml += rootStart(root, first);
    for (const XmlNode &card : cards)
        appendElement(xml, card);
    xml += "</" + std::string(root.localName()) + ">";
    std::vector<unsigned char> piece;
    if (!runLibwbxml(xml, false, piece, error) || !spliceable(piece))
        return false;
    if (!first && piece[4] != 0x7F) // a bare root with content
        return false;
    out.insert(out.end(), piece.begin() + (first ? 0 : 5), piece.end() - 1);
    return true;
}

bool compileInPieces(XmlNode root, std::vector<unsigned char> &bytes, std::string &error)
{
    std::vector<XmlNode> children;
    for (XmlNode child = root.firstChild(); child; child = child.nextSibling())
        if (child.type() == XmlNodeType::Element)
            children.push_back(child);
    const size_t pieces
        = std::max<size_t>(1, (children.size() + kCardsPerPiece - 1) / kCardsPerPiece);
    // The pieces only read the parsed deck, so two threads share them: the
    // second takes the later half.
    const size_t split = std::thread::hardware_concurrency() > 1 ? (pieces + 1) / 2 : pieces;
    const auto compileRange = [&](size_t fromPiece, size_t toPiece, std::vector<unsigned char> &out,
                                  std::string &why) {
        for (size_t p = fromPiece; p < toPiece; ++p) {
            const size_t from = p * kCardsPerPiece;
            const size_t to = std::min(children.size(), from + kCardsPerPiece);
            if (!compilePiece(root, std::span(children).subspan(from, to - from), p == 0, out, why))
                return false;
        }
        return true;
    };
    std::vector<unsigned char> later;
    std::string laterError;
    bool laterOk = true;
    std::thread helper;
    if (split < pieces)
        helper = std::thread([&] { laterOk = compileRange(split, pieces, later, laterError); });
    bytes.clear();
    const bool ok = compileRange(0, split, bytes, error);
    if (helper.joinable())
        helper.join();
    if (!ok || !laterOk) {
        if (error.empty())
            error = laterError;
        return false;
    }
    bytes.insert(bytes.end(), later.begin(), later.end());
    bytes.push_back(0x01); // the root's end
    return true;
}

} // namespace

WbxmlResult compileWbxml(const XmlDocument &deck)
{
    WbxmlResult result;
    const XmlNode root = deck.documentElement();
    if (!root) {
        result.error = "no deck loaded";
        return result;
    }
    // A large file is not serialised whole only to learn that it is large.
    std::string xml;
    if (deck.loadedFileSize() <= kWholeDeckLimit)
        xml = wbxmlSourceText(deck);
    const bool large = xml.empty() || xml.size() > kWholeDeckLimit;
    if (large && compileInPieces(root, result.bytes, result.error)) {
        result.ok = true;
        return result;
    }
    if (!result.error.empty())
        return result;
    // Pieces that cannot be joined (a string table of their own): whole.
    if (xml.empty())
        xml = wbxmlSourceText(deck);
    result.ok = runLibwbxml(xml, !large, result.bytes, result.error);
    return result;
}

bool decompileWbxml(std::span<const unsigned char> bytes, std::string &xml, std::string &error)
{
    WBXMLConvWBXML2XML *conv = nullptr;
    if (const WBXMLError e = wbxml_conv_wbxml2xml_create(&conv); e != WBXML_OK) {
        error = errorText(e);
        return false;
    }
    const std::unique_ptr<WBXMLConvWBXML2XML, void (*)(WBXMLConvWBXML2XML *)> owner(
        conv, wbxml_conv_wbxml2xml_destroy);
    wbxml_conv_wbxml2xml_set_gen_type(conv, WBXML_GEN_XML_COMPACT);
    wbxml_conv_wbxml2xml_enable_preserve_whitespaces(conv);
    // libwbxml2 reads but never writes through the pointer.
    std::vector<unsigned char> copy(bytes.begin(), bytes.end());
    WB_UTINY *out = nullptr;
    WB_ULONG length = 0;
    const WBXMLError e = wbxml_conv_wbxml2xml_run(
        conv, copy.data(), static_cast<WB_ULONG>(copy.size()), &out, &length);
    if (e != WBXML_OK) {
        error = errorText(e);
        return false;
    }
    xml.assign(reinterpret_cast<const char *>(out), length);
    std::free(out); // libwbxml2 allocates with malloc
    return true;
}

} // namespace tess
