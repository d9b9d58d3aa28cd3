#include "model/WMLReader.h"

#include "model/DeckDump.h"
#include "model/NextElementId.h"
#include "source/XmlTestSupport.h"

#include <gtest/gtest.h>

#include <optional>

namespace tess {
namespace {

TEST(SourceScanner, FindsTagsAndCodeAndStaysInsideAnyInput)
{
    const struct
    {
        std::optional<std::string> text; // none: a folder, which cannot be read
        std::string calls, results; // T: nextTag, C: code
    } cases[] = {
        {"x <?xml?><!DOCTYPE wml><wml><card\tid=\"a\"><p>x<%= 1 %></p><br/></card>", "TTTTCTTT",
         "wml|card|p|ASP|= 1 |br|EOF Detected |EOF Detected"},
        {"<wml>\r\n<a\r\nhref=\"x\">< p/><%%><", "TTTTCT", "wml|a||ASP||EOF Detected "},
        {"<wml><car", "TT", "wml|EOF Detected "},
        {"<wml><% abc", "TTCT", "wml|ASP| abc|EOF Detected "},
        {"<card><p>", "TT", "EOF Detected |EOF Detected"},
        {std::nullopt, "TCT", "EOF Detected||EOF Detected"},
    };
    test::ScratchDir dir;
    for (const auto &c : cases) {
        SourceScanner scanner;
        scanner.open(c.text ? dir.write("s.asp", *c.text) : dir.dir.path().toStdString());
        std::string results;
        for (char call : c.calls)
            results += (results.empty() ? "" : "|")
                + (call == 'T' ? scanner.nextTag() : scanner.code());
        EXPECT_EQ(results, c.results) << c.calls;
    }
    std::string bytes = "<w";
    for (int i = 0; i < 70000; ++i)
        bytes += static_cast<char>(i * 7919 % 256);
    SourceScanner scanner;
    scanner.open(dir.write("b.asp", bytes));
    for (size_t calls = 0; scanner.moreToRead() && calls <= bytes.size(); ++calls)
        if (scanner.nextTag() == "ASP")
            scanner.code();
    EXPECT_FALSE(scanner.moreToRead());
}

TEST(WMLReader, KindOfTagIsExactAndCaseSensitive)
{
    const std::pair<const char *, int> cases[] = {
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
        {"P", KindOther},
        {"", KindOther},
        {"pre", KindOther},
        {"bb", KindOther},
        {"cards", KindOther},
        {"optgroups", KindOther},
        {"go", KindOther},
        {"anchor", KindOther},
    };
    for (const auto &[tag, kind] : cases)
        EXPECT_EQ(KindOfTag(tag), kind) << tag;
}

// Decks whose tree the corpus cannot show: nodes that are not elements, and
// code blocks that move or are lost because the scanner finds them late.
TEST(WMLReader, StoresOtherNodesAndRestoresCodeWhereTheScannerFindsIt)
{
    const struct
    {
        std::string pure, source, tree;
    } cases[] = {
        {"<wml><CARD><P>ab</P><![CDATA[x<y]]><?tess mark?>\xC3\x89 c \xC3\xA6</CARD></wml>", "",
         "0 <CARD >\\r\\n\n.0 <P >\\r\\n\n..6 ab\n.0 #cdata-section\n.0 tess\n.21 \xC3\x89 c "
         "\xC3\xA6\n"},
        {"<wml><card><p><b>bb</b></p><p>cc</p><p>dd</p></card></wml>",
         "<wml><card><p><% 1 %><b>bb</b><% 2 %></p><% 3 %><p>c<% 4 %>c</p><p>dd</p></card></wml>",
         "2 <card >\\r\\n\n.3 <p >\\r\\n\n..21  1 \n..6 <b >\\r\\n\n...6 bb\n..21  2 \n..21  3 \n"
         ".3 <p >\\r\\n\n..6 cc\n..21  4 \n.3 <p >\\r\\n\n..6 dd\n"},
        // The tag in the comment puts the scanner out of step; the second
        // block lies after its last read.
        {"<wml><card><p><!-- <i> --><b>bb</b></p><p>cc</p><do type=\"x\"><go href=\"#a\"/></do>"
         "</card></wml>",
         "<wml><card><p><!-- <i> --><b>bb</b></p><p>cc<% 1 %></p><do type=\"x\"><go href=\"#a\"/>"
         "<% 2 %></do></card></wml>",
         "2 <card >\\r\\n\n.3 <p >\\r\\n\n..0 <!--  <i>  -->\n..6 <b >\\r\\n\n...6 bb\n.3 <p "
         ">\\r\\n\n"
         "..6 cc\n.9 <do type=\"x\" >\\r\\n\n..0 <go href=\"#a\" />\\r\\n\n"},
    };
    for (const auto &c : cases) {
        test::ScratchDir dir;
        XmlDocument doc;
        ASSERT_TRUE(doc.load(dir.write("pure.wml", c.pure))) << doc.parseError().reason;
        DeckModel model;
        model.jsp = true;
        model.filePath = c.source.empty() ? dir.path("pure.wml") : dir.write("page.jsp", c.source);
        LoadDeck(model, doc);
        EXPECT_EQ(dumpDeck(model.root()), c.tree) << c.pure;
    }
}

TEST(WMLReader, LoadReplacesTheTreeAndCountsItsNodes)
{
    test::ScratchDir dir;
    DeckModel model;
    model.makeRoot(KindOther, "<old>");
    const int oldId = appendNode(model, nullptr, KindCard, "<card >")->id();
    XmlDocument doc;
    ASSERT_TRUE(doc.load(dir.write("pure.wml", "<wml><card><p>aa<b>bb</b></p></card></wml>")));
    model.filePath = dir.path("unreadable.asp");
    EXPECT_EQ(LoadDeck(model, doc), 5);
    EXPECT_TRUE(model.validDeck);
    EXPECT_EQ(std::to_string(model.root()->kind()) + model.root()->fragment(), "0<wml>");
    EXPECT_GT(model.root()->id(), oldId);
    EXPECT_EQ(NextElementId(), model.root()->id() + 5);
    EXPECT_EQ(dumpDeck(model.root()),
              "2 <card >\\r\\n\n.3 <p >\\r\\n\n..6 aa\n..6 <b >\\r\\n\n...6 bb\n");
}

} // namespace
} // namespace tess
