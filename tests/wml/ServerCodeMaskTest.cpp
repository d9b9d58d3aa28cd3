#include "wml/ServerCodeMask.h"
#include "wml/FileUtil.h"
#include "wml/TextEncoding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace tess {
namespace {

using Form = ServerCodeBlock::Form;
using Position = std::pair<int, int>;
const std::string M(ServerCodeMark);

std::string blanks(size_t count, char blank = ' ')
{
    return std::string(count, blank);
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

// The server pages among the fixtures: each block's code stands where the
// block says, and the markup around the code maps back to its place.
TEST(ServerCodeMask, RealPagesMapBack)
{
    for (const auto &entry : std::filesystem::recursive_directory_iterator(TESS_TEST_DATA_DIR)) {
        const std::string name = entry.path().string();
        if (!name.ends_with(".asp") && !name.ends_with(".jsp"))
            continue;
        SCOPED_TRACE(name);
        const DecodedText page = decodeText(readWholeFile(name).value_or(""));
        ASSERT_TRUE(page.ok) << page.error;
        const MaskedPage masked
            = maskServerCode(page.text, name.ends_with(".jsp") ? PageKind::Jsp : PageKind::Asp);
        expectFaithful(page.text, masked);
        for (const ServerCodeBlock &block : masked.blocks) {
            const size_t codeStart = block.offset + (block.form == Form::Block ? 2 : 0);
            EXPECT_EQ(page.text.substr(codeStart, block.code.size()), block.code);
        }
        for (const std::string token : {"<wml", "</wml>"}) {
            const size_t at = masked.text.find(token);
            ASSERT_NE(at, std::string::npos) << token;
            const auto [line, column] = positionOf(masked.text, at);
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
