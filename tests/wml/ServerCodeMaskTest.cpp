#include "wml/ServerCodeMask.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace tess {
namespace {

using Form = ServerCodeBlock::Form;
using Position = std::pair<int, int>;
const std::string M(ServerCodeMark);

std::string blanks(size_t count, char blank = ' ')
{
    return std::string(count, blank);
}

std::string joinLines(std::initializer_list<std::string_view> lines, std::string_view end)
{
    std::string text;
    for (std::string_view line : lines)
        text.append(line).append(end);
    return text;
}

bool isLineEnd(std::string_view text, size_t i)
{
    return text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
}

Position positionOf(std::string_view text, size_t offset)
{
    Position position {1, 1};
    for (size_t i = 0; i < offset; ++i) {
        if (isLineEnd(text, i))
            position = {position.first + 1, 1};
        else if (text[i] != '\r' && (text[i] & 0xC0) != 0x80)
            ++position.second;
    }
    return position;
}

// A byte order mark is no column.
std::vector<int> lineLengths(std::string_view text)
{
    std::vector<int> lengths {0};
    for (size_t i = text.starts_with("\xEF\xBB\xBF") ? 3 : 0; i < text.size(); ++i) {
        if (isLineEnd(text, i))
            lengths.push_back(0);
        else if (text[i] != '\r' && (text[i] & 0xC0) != 0x80)
            ++lengths.back();
    }
    return lengths;
}

// What holds for any page: the lines after the cut keep their lengths, no
// code opening is left, and each mark maps back to where its code starts.
void expectFaithful(std::string_view page, const MaskedPage &masked)
{
    std::vector<int> pageLines = lineLengths(page);
    ASSERT_GT(int(pageLines.size()), masked.lineOffset);
    pageLines.erase(pageLines.begin(), pageLines.begin() + masked.lineOffset);
    pageLines.front() -= masked.columnOffset;
    EXPECT_EQ(pageLines, lineLengths(masked.text));
    EXPECT_EQ(masked.text.find("<%"), std::string::npos);

    std::vector<Position> marks, codeStarts;
    for (size_t at = masked.text.find(M); at != std::string::npos;
         at = masked.text.find(M, at + 1)) {
        const auto [line, column] = positionOf(masked.text, at);
        marks.push_back(pagePosition(masked, line, column));
    }
    for (const ServerCodeBlock &block : masked.blocks) {
        if (block.marked)
            codeStarts.push_back(positionOf(page, block.offset));
    }
    EXPECT_EQ(marks, codeStarts);
}

TEST(ServerCodeMask, MaskFitsWhereTheCodeStands)
{
    struct Case
    {
        PageKind kind;
        std::string page;
        std::string masked; // empty: the page is left as it is
    };
    const std::string taglib = "<%@ taglib uri=\"u\" prefix=\"c\" %>";
    const Case cases[] = {
        {PageKind::Wml, "<wml><card><p>a<%=x%>b</p></card></wml>",
         "<wml><card><p>a" + M + blanks(5) + "b</p></card></wml>"},
        {PageKind::Wml, "<wml><card><p><![CDATA[<%x%>]]></p></card></wml>",
         "<wml><card><p><![CDATA[" + blanks(5) + "]]></p></card></wml>"},
        {PageKind::Wml, "<wml><card><%x%><do type=\"a\"><%x%><go href=\"a\"/></do></card></wml>",
         "<wml><card>" + blanks(5) + "<do type=\"a\">" + blanks(5)
             + "<go href=\"a\"/></do></card></wml>"},
        {PageKind::Wml,
         "<wml><card><p><select><%x%><option><%y%></option></select></p></card></wml>",
         "<wml><card><p><select>" + blanks(5) + "<option>" + M + blanks(4)
             + "</option></select></p></card></wml>"},
        {PageKind::Wml, "<wml><card><p><b>x</p><%x%></card></wml>",
         "<wml><card><p><b>x</p>" + blanks(5) + "</card></wml>"},
        {PageKind::Wml, "<wml><card id=\"a<%=b%>\" <%=more%> title='<%x%>'/></wml>",
         "<wml><card id=\"a" + blanks(6, '_') + "\" " + blanks(9) + " title='" + blanks(5, '_')
             + "'/></wml>"},
        {PageKind::Wml, "<%x%><!DOCTYPE wml SYSTEM \"<%=d%>\"><wml><!-- <%x%> --></wml><%x%>",
         blanks(5) + "<!DOCTYPE wml SYSTEM \"" + blanks(6) + "\"><wml><!-- " + blanks(5)
             + " --></wml>" + blanks(5)},
        // One mask character per code point; line ends stay.
        {PageKind::Wml, "<wml><card><p><%= \"é€\"\r\n& \"æ\" %></p></card></wml>",
         "<wml><card><p>" + M + blanks(7) + "\r\n" + blanks(8) + "</p></card></wml>"},
        {PageKind::Wml, "<wml><card><p>a<% b\nc", "<wml><card><p>a" + M + blanks(3) + "\n "},
        {PageKind::Jsp, "<wml><%-- a %> b --%></wml>", "<wml>" + blanks(16) + "</wml>"},
        {PageKind::Wml, "<wml><script runat=\"server\">x</script><jsp:x/></wml>", ""},
        {PageKind::Asp,
         "<wml><p>a<script language=\"VBScript\" runat=\"server\">x</script>b</p></wml>",
         "<wml><p>a" + M + blanks(52) + "b</p></wml>"},
        {PageKind::Asp, "<wml><SCRIPT RUNAT=Server>x</SCRIPT ><script\nrunat = 'SERVER'\n/></wml>",
         "<wml>" + blanks(39) + "\n" + blanks(16) + "\n" + blanks(2) + "</wml>"},
        {PageKind::Asp, "<wml><script language=\"JavaScript\">x</script><jsp:x/></wml>", ""},
        {PageKind::Jsp,
         "<wml><c:if test=\"${a > b}\"><card><p><jsp:include page='m.jsp'/></p></card></c:if></wml>"
             + taglib,
         "<wml>" + blanks(22) + "<card><p>" + M + blanks(26) + "</p></card>" + blanks(7) + "</wml>"
             + blanks(taglib.size())},
        {PageKind::Jsp, taglib + "<wml><card id=\"<c:out value='<%= f(\"x>\") %>'/>\"/></wml>",
         blanks(taglib.size()) + "<wml><card id=\"" + blanks(31, '_') + "\"/></wml>"},
        {PageKind::Jsp, "<wml><x:y/></wml>", ""},
    };
    for (const Case &c : cases) {
        const MaskedPage masked = maskServerCode(c.page, c.kind);
        EXPECT_EQ(masked.text, c.masked.empty() ? c.page : c.masked) << c.page;
        EXPECT_EQ(masked.changed, !c.masked.empty()) << c.page;
        expectFaithful(c.page, masked);
    }
}

TEST(ServerCodeMask, PadIsTheTextNodeAfterTheMark)
{
    const MaskedPage masked
        = maskServerCode("<wml><card><p><%a\r\nb\rc\nd%></p></card></wml>", PageKind::Wml);
    ASSERT_EQ(masked.blocks.size(), 1u);
    EXPECT_EQ(masked.blocks[0].code, "a\r\nb\rc\nd");
    EXPECT_EQ(masked.blocks[0].pad, "  \n \n \n   ");
}

TEST(ServerCodeMask, PreambleIsCutAndCounted)
{
    struct Case
    {
        PageKind kind;
        std::string page;
        int lineOffset, columnOffset;
        std::string masked;
    };
    const std::string decl = "<?xml version=\"1.0\"?><wml/>";
    const Case cases[] = {
        {PageKind::Asp, "<%@ Language=VBScript %>\r\n<% Response.ContentType = \"x\" %>" + decl, 1,
         32, decl},
        {PageKind::Jsp, "\n\n<%@ page contentType=\"text/vnd.wap.wml\" %>\r\r\n" + decl, 4, 0,
         decl},
        {PageKind::Asp, "\xEF\xBB\xBF<% s = \"<?xml \" %>" + decl, 0, 18, decl},
        {PageKind::Wml, "<%x%>\n" + decl, 0, 0, blanks(5) + "\n" + decl},
        {PageKind::Asp, "<%x%><wml><?xml version=\"1.0\"?></wml>", 0, 0,
         blanks(5) + "<wml><?xml version=\"1.0\"?></wml>"},
        {PageKind::Asp, "\n" + decl, 0, 0, "\n" + decl},
    };
    for (const Case &c : cases) {
        const MaskedPage masked = maskServerCode(c.page, c.kind);
        EXPECT_EQ(masked.text, c.masked) << c.page;
        EXPECT_EQ(masked.lineOffset, c.lineOffset) << c.page;
        EXPECT_EQ(masked.columnOffset, c.columnOffset) << c.page;
        expectFaithful(c.page, masked);
    }
    EXPECT_EQ(pagePosition(maskServerCode(cases[0].page, PageKind::Asp), 1, 5), Position(2, 37));
}

const std::string kDoctype = "<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
                             "\"http://www.wapforum.org/DTD/wml_1.1.xml\">";

TEST(ServerCodeMask, RealPagesMapBack)
{
    struct Page
    {
        PageKind kind;
        std::string text;
        std::vector<std::tuple<Form, std::string, bool>> blocks; // code and whether marked
        std::vector<std::string> excerpts; // of the masked text
    };
    const Page pages[] = {
        {PageKind::Asp,
         joinLines({"<%@ Language=VBScript %>", "<% Response.ContentType = \"text/vnd.wap.wml\" %>",
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>", kDoctype,
                    "<% Dim i, url : url = \"menu.asp\" ' Café, æble, 5 € %>", "<wml>",
                    "<% For i = 1 To 3 %><card id=\"c<%= i %>\" title=\"Item <%= i %>\">",
                    "<p>Hello <%= Session(\"user\") %>, entry <%= i %>.</p>", "<% If i = 2 Then %>",
                    "<p><a href=\"<%= url %>\">Menu</a></p>", "<% End If %>", "</card><% Next %>",
                    "</wml>"},
                   "\r\n"),
         {{Form::Block, "@ Language=VBScript ", false},
          {Form::Block, " Response.ContentType = \"text/vnd.wap.wml\" ", false},
          {Form::Block, " Dim i, url : url = \"menu.asp\" ' Café, æble, 5 € ", false},
          {Form::Block, " For i = 1 To 3 ", false},
          {Form::Block, "= i ", false},
          {Form::Block, "= i ", false},
          {Form::Block, "= Session(\"user\") ", true},
          {Form::Block, "= i ", true},
          {Form::Block, " If i = 2 Then ", false},
          {Form::Block, "= url ", false},
          {Form::Block, " End If ", false},
          {Form::Block, " Next ", false}},
         {blanks(20) + "<card id=\"c________\" title=\"Item ________\">",
          "<p>Hello " + M + blanks(21) + ", entry " + M + blanks(7) + ".</p>",
          "<a href=\"__________\">"}},
        {PageKind::Jsp,
         joinLines({"<%@ page contentType=\"text/vnd.wap.wml;charset=UTF-8\" %>",
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>", kDoctype, "<wml>",
                    "<c:forEach items=\"${items}\" var=\"item\" varStatus=\"s\">",
                    "<card id=\"<c:out value='c${s.index}'/>\" title=\"Goods\">",
                    "<p>Price: <c:out value=\"${item.price > 10 ? 'dear' : 'cheap'}\" "
                    "default=\"€ Café\"/> €</p>",
                    "<p><jsp:include page=\"menu.jsp\"/></p>", "</card>", "</c:forEach>", "</wml>",
                    "<%@ taglib uri=\"http://java.sun.com/jsp/jstl/core\" prefix=\"c\" %>"},
                   "\n"),
         {{Form::Block, "@ page contentType=\"text/vnd.wap.wml;charset=UTF-8\" ", false},
          {Form::Tag, "<c:forEach items=\"${items}\" var=\"item\" varStatus=\"s\">", false},
          {Form::Tag, "<c:out value='c${s.index}'/>", false},
          {Form::Tag, "<c:out value=\"${item.price > 10 ? 'dear' : 'cheap'}\" default=\"€ Café\"/>",
           true},
          {Form::Tag, "<jsp:include page=\"menu.jsp\"/>", true},
          {Form::Tag, "</c:forEach>", false},
          {Form::Block, "@ taglib uri=\"http://java.sun.com/jsp/jstl/core\" prefix=\"c\" ", false}},
         {"<card id=\"____________________________\" title=\"Goods\">",
          "<p>Price: " + M + blanks(70) + " €</p>"}},
        {PageKind::Asp,
         joinLines({"<%@ Language=VBScript %>", "<script language=\"VBScript\" runat=\"server\">",
                    "Function Hi(n) : Hi = \"Hé \" & n : End Function", "</script>",
                    "<?xml version=\"1.0\"?>", "<wml><card><p><SCRIPT RUNAT=Server>x = 1</SCRIPT>",
                    "<%= Hi(\"Ève\") %><script language=\"JavaScript\">go();</script></p>",
                    "</card></wml>"},
                   "\r\n"),
         {{Form::Block, "@ Language=VBScript ", false},
          {Form::ScriptElement,
           "<script language=\"VBScript\" runat=\"server\">\r\nFunction Hi(n) : Hi = \"Hé \" & n : "
           "End Function\r\n</script>",
           false},
          {Form::ScriptElement, "<SCRIPT RUNAT=Server>x = 1</SCRIPT>", true},
          {Form::Block, "= Hi(\"Ève\") ", true}},
         {"<script language=\"JavaScript\">go();</script>"}},
    };
    for (const Page &page : pages) {
        const MaskedPage masked = maskServerCode(page.text, page.kind);
        SCOPED_TRACE(page.text.substr(0, 40));
        expectFaithful(page.text, masked);
        std::vector<std::tuple<Form, std::string, bool>> blocks;
        for (const ServerCodeBlock &block : masked.blocks) {
            blocks.emplace_back(block.form, block.code, block.marked);
            const size_t codeStart = block.offset + (block.form == Form::Block ? 2 : 0);
            EXPECT_EQ(page.text.substr(codeStart, block.code.size()), block.code);
        }
        EXPECT_EQ(blocks, page.blocks);
        for (const std::string &excerpt : page.excerpts)
            EXPECT_NE(masked.text.find(excerpt), std::string::npos) << excerpt;
        EXPECT_TRUE(masked.text.starts_with("<?xml"));
        for (const std::string token : {"<?xml", "<wml>", "</p>", "</wml>"}) {
            const auto [line, column] = positionOf(masked.text, masked.text.find(token));
            EXPECT_EQ(pagePosition(masked, line, column),
                      positionOf(page.text, page.text.find(token)))
                << token;
        }
    }
}

TEST(ServerCodeMask, MalformedPagesKeepTheirShape)
{
    const std::string_view pieces[]
        = {"<%",        "%>",      "<%--",      "--%>",   "<%@ taglib",  " prefix=\"c\"",
           "<",         ">",       "\"",        "'",      "=",           "/",
           "<p>",       "</p>",    "<card id=", "<wml>",  "<script",     " runat=server>",
           "</script>", "<c:out ", "</c:",      "<jsp:x", "<!--",        "-->",
           "<![CDATA[", "]]>",     "<?xml ",    "?>",     "<!DOCTYPE [", "]",
           "é",         "€",       "\r\n",      "\n",     "\r",          " ",
           "x"};
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
        std::string page;
        for (int n = random() % 30; n > 0; --n)
            page += pieces[random() % std::size(pieces)];
        for (PageKind kind : {PageKind::Wml, PageKind::Asp, PageKind::Jsp}) {
            SCOPED_TRACE(page);
            expectFaithful(page, maskServerCode(page, kind));
        }
        if (HasFailure())
            break;
    }
}

} // namespace
} // namespace tess
