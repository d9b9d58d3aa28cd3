#include "wml/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tess {
namespace {

using Bom = ByteOrderMark;

std::string utf16(std::u16string_view text, bool bigEndian, bool withBom)
{
    std::string bytes;
    if (withBom)
        bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char hi = static_cast<char>(unit >> 8);
        const char lo = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
    }
    return bytes;
}

TEST(TextEncodingTest, DecodesEachEncodingAndWritesTheSameBytesBack)
{
    struct Case
    {
        const char *name;
        std::string bytes;
        std::string text;
        std::string encoding;
        Bom bom;
        bool crlf;
    };
    const Case cases[] = {
        {"UTF-8", "<?xml version=\"1.0\"?>\n<p>Nærmere €</p>\n",
         "<?xml version=\"1.0\"?>\n<p>Nærmere €</p>\n", "UTF-8", Bom::None, false},
        {"UTF-8 BOM CRLF", "\xEF\xBB\xBF<?xml version='1.0' encoding='utf-8'?>\r\n<p>École</p>\r\n",
         "<?xml version='1.0' encoding='utf-8'?>\r\n<p>École</p>\r\n", "utf-8", Bom::Utf8, true},
        {"ISO-8859-1 CRLF",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<p>N\xE6rmere visjon\xE6ren \xC9"
         "cole</p>\r\n",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<p>Nærmere visjonæren École</p>\r\n",
         "ISO-8859-1", Bom::None, true},
        {"ASP page in Latin-1",
         "<%@ Language=VBScript %>\r\n<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<p>V\xE6r",
         "<%@ Language=VBScript %>\r\n<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<p>Vær",
         "ISO-8859-1", Bom::None, true},
        {"windows-1252",
         "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<p>\x93smart\x94 \x80 5",
         "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<p>“smart” € 5", "windows-1252",
         Bom::None, false},
        {"UTF-16LE BOM",
         utf16(u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<p>Nærmere € 😀</p>", false, true),
         "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<p>Nærmere € 😀</p>", "UTF-16", Bom::Utf16LE,
         false},
        {"UTF-16BE BOM CRLF", utf16(u"<wml>\r\n<p>École</p>\r\n</wml>", true, true),
         "<wml>\r\n<p>École</p>\r\n</wml>", "UTF-16", Bom::Utf16BE, true},
        {"UTF-16LE without BOM", utf16(u"<?xml version='1.0' encoding='UTF-16LE'?>é", false, false),
         "<?xml version='1.0' encoding='UTF-16LE'?>é", "UTF-16LE", Bom::None, false},
        {"empty", "", "", "UTF-8", Bom::None, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedText decoded = decodeText(c.bytes);
        ASSERT_TRUE(decoded.ok) << decoded.error;
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(decoded.format.encoding, c.encoding);
        EXPECT_EQ(decoded.format.bom, c.bom);
        EXPECT_EQ(decoded.format.crlf, c.crlf);
        // As read, and as the editor holds it with "\n" line ends.
        for (const std::string &text : {decoded.text, withLineFeeds(decoded.text)}) {
            const EncodedText encoded = encodeText(text, decoded.format);
            EXPECT_EQ(encoded.bytes, c.bytes);
            EXPECT_TRUE(encoded.exact) << encoded.note;
        }
    }
}

TEST(TextEncodingTest, Utf16WithoutBomKeepsItsByteOrderAndGainsTheBom)
{
    for (bool bigEndian : {false, true}) {
        const std::u16string_view text = u"<?xml version='1.0'?><p>é</p>";
        const DecodedText decoded = decodeText(utf16(text, bigEndian, false));
        ASSERT_TRUE(decoded.ok) << decoded.error;
        EXPECT_EQ(encodeText(decoded.text, decoded.format).bytes, utf16(text, bigEndian, true));
    }
}

TEST(TextEncodingTest, EncodesByDeclarationFormatAndLineEnds)
{
    struct Case
    {
        const char *name;
        std::string text;
        TextFormat format;
        std::string bytes;
        bool exact;
    };
    const std::string latin1Declaration = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>";
    const Case cases[] = {
        {"€ in Latin-1",
         "<p>5 € é 😀</p>",
         {"ISO-8859-1"},
         "<p>5 &#8364; \xE9 &#128512;</p>",
         false},
        {"edited declaration wins and drops the UTF-8 BOM",
         latin1Declaration + "é",
         {"UTF-8", Bom::Utf8},
         latin1Declaration + "\xE9",
         true},
        {"UTF-16 gets a little-endian BOM", "<p>é", {"UTF-16"}, utf16(u"<p>é", false, true), true},
        {"UTF-16 keeps its byte order",
         "<p>é",
         {"utf16", Bom::Utf16BE},
         utf16(u"<p>é", true, true),
         true},
        {"UTF-16 edited to UTF-8",
         "<?xml version='1.0' encoding='UTF-8'?>é",
         {"UTF-16", Bom::Utf16LE},
         "<?xml version='1.0' encoding='UTF-8'?>é",
         true},
        {"only bare line feeds gain a CR",
         "a\r\nb\nc\n",
         {"UTF-8", Bom::None, true},
         "a\r\nb\r\nc\r\n",
         true},
        {"unknown encoding falls back to UTF-8",
         "<?xml version='1.0' encoding='x-klingon'?>é",
         {"UTF-8", Bom::Utf8},
         "\xEF\xBB\xBF<?xml version='1.0' encoding='x-klingon'?>é",
         false},
        {"iconv options are no encoding", "é", {"ISO-8859-1//TRANSLIT"}, "é", false},
        {"no ASCII declaration in UTF-32", "é", {"UTF-32"}, "é", false},
        {"invalid UTF-8 passes into UTF-8", "<p>\xE9\xE2\x82", {"UTF-8"}, "<p>\xE9\xE2\x82", true},
        {"invalid UTF-8 into Latin-1",
         "<p>\xFF\xE2\x82</p>é",
         {"latin1"},
         "<p>&#65533;&#65533;</p>\xE9",
         false},
        {"invalid UTF-8 into UTF-16", "\xFF", {"UTF-16LE"}, utf16(u"\uFFFD", false, false), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const EncodedText encoded = encodeText(c.text, c.format);
        EXPECT_TRUE(encoded.ok);
        EXPECT_EQ(encoded.bytes, c.bytes);
        EXPECT_EQ(encoded.exact, c.exact);
        EXPECT_EQ(encoded.note.empty(), c.exact) << encoded.note;
    }
}

TEST(TextEncodingTest, RejectsBytesTheirEncodingDoesNotAllow)
{
    struct Case
    {
        std::string bytes;
        std::vector<std::string> inError;
    };
    const Case cases[] = {
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><p>N\xE6rmere</p>",
         {"UTF-8", "offset 42", "0xE6 0x72"}},
        {"<p>\xC9"
         "cole</p>",
         {"UTF-8", "offset 3", "indicate encoding"}},
        {"<p>\xE2\x82", {"UTF-8", "offset 3"}},
        {"<p>\xE0\x80\xAF", {"offset 3"}}, // overlong "/"
        {"<p>\xED\xA0\x80", {"offset 3"}}, // surrogate
        {"<p>\xF4\x90\x80\x80", {"offset 3"}}, // above U+10FFFF
        {"<?xml version='1.0' encoding='windows-1252'?>\x81", {"windows-1252", "offset 45"}},
        {utf16(u"<p/>", false, true) + "<", {"UTF-16LE", "offset 10"}},
        {utf16(u"<p>\xDC00", true, true), {"UTF-16BE", "offset 8"}},
        {"<?xml version='1.0' encoding='x-klingon'?>", {"x-klingon"}},
        {"<?xml version='1.0' encoding='UTF-32'?>", {"UTF-32"}},
        {"<?xml version='1.0' encoding='UTF-16'?>", {"UTF-16"}},
        {"\xEF\xBB\xBF<?xml version='1.0' encoding='ISO-8859-1'?>", {"byte order mark"}},
        {utf16(u"<?xml version='1.0' encoding='UTF-8'?>", false, true), {"UTF-16LE", "UTF-8"}},
        {utf16(u"<?xml version='1.0' encoding='UTF-16BE'?>", false, false), {"UTF-16BE"}},
    };
    for (const Case &c : cases) {
        const DecodedText decoded = decodeText(c.bytes);
        EXPECT_FALSE(decoded.ok) << c.bytes;
        for (const std::string &part : c.inError)
            EXPECT_NE(decoded.error.find(part), std::string::npos) << decoded.error;
    }
}

TEST(TextEncodingTest, LargeTextWithManyRefusedCharactersConverts)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";
    std::string expected = text.substr(0, text.size() - 1) + "\r\n";
    size_t euros = 0;
    for (size_t i = 0; text.size() < 5'000'000; ++i) {
        const bool euro = i % 3 == 0;
        text
            += euro ? "<p>€ Nærmere visjonæren, École</p>\n" : "<p>Nærmere visjonæren, École</p>\n";
        expected += euro ? "<p>&#8364; Nærmere visjonæren, École</p>\r\n"
                         : "<p>Nærmere visjonæren, École</p>\r\n";
        euros += euro;
    }

    const EncodedText encoded = encodeText(text, {"UTF-8", Bom::None, true});
    EXPECT_EQ(encoded.note,
              std::to_string(euros)
                  + " characters not in ISO-8859-1 written as character references");
    const DecodedText decoded = decodeText(encoded.bytes);
    ASSERT_TRUE(decoded.ok) << decoded.error;
    EXPECT_TRUE(decoded.text == expected);
    EXPECT_TRUE(encodeText(decoded.text, decoded.format).bytes == encoded.bytes);
}

} // namespace
} // namespace tess
