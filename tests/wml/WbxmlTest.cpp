#include "XmlTestSupport.h"
#include "wml/PhoneProfiles.h"
#include "wml/WbxmlCompiler.h"
#include "wml/XmlDocument.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tess;
using namespace tess::test;

namespace {

// The tree as a phone reads it: elements, attributes in order, text with its
// blank runs collapsed and entity references as their characters.
void dump(XmlNode node, std::string &out, std::string &text)
{
    for (XmlNode child = node.firstChild(); child; child = child.nextSibling()) {
        switch (child.type()) {
        case XmlNodeType::Text:
        case XmlNodeType::CDataSection:
        case XmlNodeType::EntityReference:
            text += child.text();
            break;
        case XmlNodeType::Element: {
            std::string collapsed;
            for (const char c : text) {
                const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
                if (!blank || collapsed.empty() || collapsed.back() != ' ')
                    collapsed += blank ? ' ' : c;
            }
            if (!collapsed.empty())
                out += "[" + collapsed + "]";
            text.clear();
            out += "<" + child.name();
            for (const XmlAttribute &a : child.attributes())
                out += " " + a.name + "=" + a.value;
            out += ">";
            std::string inner;
            dump(child, out, inner);
            if (!inner.empty())
                dump(XmlNode(), out, inner);
            out += "</>";
            break;
        }
        default:
            break;
        }
    }
    if (!node && !text.empty()) {
        std::string collapsed;
        for (const char c : text) {
            const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
            if (!blank || collapsed.empty() || collapsed.back() != ' ')
                collapsed += blank ? ' ' : c;
        }
        out += "[" + collapsed + "]";
        text.clear();
    }
}

std::string treeOf(const XmlDocument &doc)
{
    std::string out, text;
    XmlNode root = doc.documentElement();
    out += "<" + root.name() + ">";
    dump(root, out, text);
    dump(XmlNode(), out, text);
    return out;
}

std::vector<unsigned char> compiled(const std::string &deck)
{
    XmlDocument doc;
    EXPECT_TRUE(doc.loadBytes(deck, "deck.wml")) << doc.parseError().reason;
    const WbxmlResult result = compileWbxml(doc);
    EXPECT_TRUE(result.ok) << result.error;
    return result.bytes;
}

} // namespace

// Every fixture deck that validates comes back from its compiled form as the
// same tree, and the decoded text validates again.
TEST(Wbxml, EveryFixtureDeckDecodesToItsOwnTree)
{
    int decks = 0;
    for (const auto &entry :
         std::filesystem::recursive_directory_iterator(std::string(TESS_TEST_DATA_DIR))) {
        if (entry.path().extension() != ".wml")
            continue;
        XmlDocument source;
        if (!source.load(entry.path().string()))
            continue;
        SCOPED_TRACE(entry.path().string());
        const WbxmlResult result = compileWbxml(source);
        ASSERT_TRUE(result.ok) << result.error;
        std::string xml, error;
        ASSERT_TRUE(decompileWbxml(result.bytes, xml, error)) << error;
        XmlDocument back;
        ASSERT_TRUE(back.loadBytes(xml, "decoded.wml")) << back.parseError().reason << "\n" << xml;
        EXPECT_EQ(treeOf(back), treeOf(source));
        ++decks;
    }
    EXPECT_GT(decks, 40);
}

// A deck far beyond any phone's budget is compiled a few cards at a time;
// the pieces join into one deck that decodes to the whole tree.
TEST(Wbxml, ALargeDeckDecodesToItsOwnTree)
{
    std::string deck = WmlPrologue + "<wml><template><do type=\"prev\"><prev/></do></template>";
    for (int n = 0; n < 700; ++n) {
        const std::string id = std::to_string(n);
        deck += "<card id=\"c" + id + "\" title=\"Card " + id + "\"><p align=\"center\">Line " + id
            + "&nbsp;of <b>many</b> <a href=\"#c" + std::to_string(n + 1)
            + "\">next</a><input name=\"v" + id + "\" format=\"*N\"/></p></card>";
    }
    deck += "</wml>";
    XmlDocument source;
    ASSERT_TRUE(source.loadBytes(deck, "large.wml")) << source.parseError().reason;
    const WbxmlResult result = compileWbxml(source);
    ASSERT_TRUE(result.ok) << result.error;
    std::string xml, error;
    ASSERT_TRUE(decompileWbxml(result.bytes, xml, error)) << error;
    XmlDocument back;
    ASSERT_TRUE(back.loadBytes(xml, "decoded.wml")) << back.parseError().reason;
    EXPECT_EQ(treeOf(back), treeOf(source));
}

TEST(Wbxml, WhatThePhoneReceives)
{
    struct Case
    {
        const char *body;
        const char *decoded; // the card's content as libwbxml2 decodes it
    };
    const Case cases[] = {
        // An entity reference arrives as its character (U+00A0).
        {"<p>milk&nbsp;daily</p>",
         "<p>milk\xC2\xA0"
         "daily</p>"},
        // Blank runs collapse, yet the blank between two elements stays.
        {"<p>  a \n\n b <b>x</b> <i>y</i></p>", "<p> a b <b>x</b> <i>y</i></p>"},
        // Comments never reach the phone; markup characters stay escaped.
        {"<p>1 &lt; 2 &amp; 3<!-- note --></p>", "<p>1 &lt; 2 &amp; 3</p>"},
        {"<p><a href=\"x.wml?a=1&amp;b=$(n:e)\">go</a></p>",
         "<p><a href=\"x.wml?a=1&amp;b=$(n:e)\">go</a></p>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.body);
        const std::vector<unsigned char> bytes
            = compiled(WmlPrologue + "<wml><card id=\"c\">" + c.body + "</card></wml>");
        ASSERT_GE(bytes.size(), 4u);
        EXPECT_EQ(bytes[1], 0x04) << "the WML 1.1 public identifier";
        EXPECT_EQ(bytes[2], 0x6A) << "UTF-8";
        std::string xml, error;
        ASSERT_TRUE(decompileWbxml(bytes, xml, error)) << error;
        const size_t from = xml.find("<card id=\"c\">") + 13;
        EXPECT_EQ(xml.substr(from, xml.rfind("</card>") - from), c.decoded);
    }
}

TEST(Wbxml, BrokenBytesGiveAReason)
{
    const unsigned char garbage[] = {0x03, 0x04, 0x6A, 0x00, 0xFF, 0x42, 0x99};
    std::string xml, error;
    EXPECT_FALSE(decompileWbxml(garbage, xml, error));
    EXPECT_FALSE(error.empty());
}

TEST(PhoneProfiles, VerdictsNameTheLargestBudgetExceeded)
{
    const std::pair<uint64_t, const char *> cases[] = {
        {0, "Compiled size 0 bytes: fits all profiles"},
        {1397, "Compiled size 1,397 bytes: fits all profiles"},
        {1398, "Compiled size 1,398 bytes: exceeds the small profile's 1,397-byte budget"},
        {2001, "Compiled size 2,001 bytes: exceeds the medium profile's 2,000-byte budget"},
        {1234567, "Compiled size 1,234,567 bytes: exceeds the large profile's 3,500-byte budget"},
    };
    for (const auto &[size, text] : cases)
        EXPECT_EQ(compiledSizeVerdict(size), text);
    EXPECT_EQ(profileVerdict(1398, *findPhoneProfile("small")),
              "exceeds the small profile's 1,397-byte budget");
    EXPECT_EQ(profileVerdict(1398, *findPhoneProfile("medium")),
              "fits the medium profile's 2,000-byte budget");
}
