#include "deck/DeckFile.h"
#include "deck/DeckModel.h"
#include "deck/SourceForm.h"
#include "wml/ServerCodeMask.h"
#include "wml/TextEncoding.h"
#include "wml/WmlFormatter.h"
#include "wml/XmlDocument.h"
#include "wml/XmlTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tess {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> corpus(const std::string &extension)
{
    std::vector<std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(TESS_TEST_DATA_DIR)) {
        if (entry.is_regular_file() && entry.path().extension() == extension)
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The decks that load: a deck that does not has nothing to write from the
// design.
std::vector<std::string> loadableDecks()
{
    std::vector<std::string> decks;
    for (const std::string &deck : corpus(".wml")) {
        test::RecordingSink sink;
        DeckModel model;
        model.filePath = deck;
        if (LoadDeckFromFile(model, sink))
            decks.push_back(deck);
    }
    return decks;
}

std::string collapsedBlanks(const std::string &text)
{
    std::string out;
    bool blank = false;
    for (char c : text) {
        const bool isBlank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (isBlank && !blank)
            out += ' ';
        else if (!isBlank)
            out += c;
        blank = isBlank;
    }
    return out;
}

// What a phone and a validator see of a parsed deck: elements with their
// attributes in order, text with blank runs collapsed (entity references as
// they stand), comments, CDATA sections and processing instructions.
void dump(const XmlNode &node, std::string &out, std::string &text)
{
    const auto flush = [&] {
        if (!text.empty())
            out += "text[" + collapsedBlanks(text) + "]\n";
        text.clear();
    };
    switch (node.type()) {
    case XmlNodeType::Text:
        text += node.content();
        return;
    case XmlNodeType::EntityReference:
        text += "&" + node.name() + ";";
        return;
    case XmlNodeType::Element:
        flush();
        out += "<" + node.name();
        for (const XmlAttribute &a : node.attributes())
            out += " " + a.name + "=[" + a.value + "]";
        out += ">\n";
        for (XmlNode child = node.firstChild(); child; child = child.nextSibling())
            dump(child, out, text);
        flush();
        out += "</" + node.name() + ">\n";
        return;
    default:
        flush();
        out += node.typeName() + "[" + node.name() + ":" + node.value() + "]\n";
        return;
    }
}

std::string treeOf(const XmlDocument &doc)
{
    std::string out, text;
    dump(doc.documentElement(), out, text);
    return out;
}

// A deck that loads is written from the design (as a design edit followed by
// a switch to Code does), loaded again and written again.
class DesignRoundTrip : public testing::TestWithParam<std::string>
{
};

TEST_P(DesignRoundTrip, KeepsEveryWordValidityAndThenEveryByte)
{
    const std::string original = GetParam();
    test::RecordingSink sink;
    DeckModel model;
    model.filePath = original;
    XmlDocument before;
    ASSERT_TRUE(LoadDeckFromFile(model, sink, before));

    test::ScratchDir dir;
    model.filePath = dir.path("deck.wml");
    std::string error;
    ASSERT_TRUE(writeDeckSource(model, test::WmlPrologue, &error)) << error;
    const std::string first = test::readBytes(model.filePath);
    EXPECT_TRUE(first.starts_with("<?xml") || first.starts_with("\xEF\xBB\xBF<?xml")
                || first.starts_with("\xFF\xFE") || first.starts_with("\xFE\xFF"))
        << first.substr(0, 40);

    DeckModel again;
    again.filePath = model.filePath;
    XmlDocument after;
    ASSERT_TRUE(LoadDeckFromFile(again, sink, after)) << again.compile.outputMessage;
    EXPECT_EQ(treeOf(after), treeOf(before));
    EXPECT_EQ(again.fileForm.format.encoding, model.fileForm.format.encoding);
    EXPECT_EQ(again.fileForm.format.crlf, model.fileForm.format.crlf);

    ASSERT_TRUE(writeDeckSource(again, test::WmlPrologue, &error)) << error;
    EXPECT_EQ(test::readBytes(again.filePath), first);
}

INSTANTIATE_TEST_SUITE_P(EveryDeck, DesignRoundTrip, testing::ValuesIn(loadableDecks()),
                         [](const auto &info) {
                             std::string name
                                 = fs::path(info.param).parent_path().filename().string() + "_"
                                 + fs::path(info.param).stem().string();
                             for (char &c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

// A server page is laid out as text: its code comes back byte for byte
// wherever it stood, and a page that validated still does.
class ServerPageLayout : public testing::TestWithParam<std::string>
{
};

TEST_P(ServerPageLayout, KeepsCodeAndVerdict)
{
    const std::string page = GetParam();
    const PageKind kind = page.ends_with(".jsp") ? PageKind::Jsp : PageKind::Asp;
    const DecodedText decoded = decodeText(test::readBytes(page));
    ASSERT_TRUE(decoded.ok) << decoded.error;
    const std::string formatted = formatWml(withLineFeeds(decoded.text));
    EXPECT_EQ(formatWml(formatted), formatted);

    const auto codes = [&](const std::string &text) {
        std::vector<std::string> out;
        for (const ServerCodeBlock &block : maskServerCode(text, kind).blocks)
            out.push_back(block.code);
        return out;
    };
    EXPECT_EQ(codes(formatted), codes(withLineFeeds(decoded.text)));

    test::RecordingSink sink;
    test::ScratchDir dir;
    DeckModel model;
    model.filePath = page;
    setFileKindFromPath(model);
    const bool valid = LoadDeckFromFile(model, sink);
    model.filePath = dir.write(fs::path(page).filename().string(),
                               encodeText(formatted, decoded.format).bytes);
    EXPECT_EQ(LoadDeckFromFile(model, sink), valid) << model.compile.outputMessage;
}

std::vector<std::string> serverPages()
{
    std::vector<std::string> pages = corpus(".asp");
    for (const std::string &jsp : corpus(".jsp"))
        pages.push_back(jsp);
    return pages;
}

INSTANTIATE_TEST_SUITE_P(EveryPage, ServerPageLayout, testing::ValuesIn(serverPages()),
                         [](const auto &info) {
                             std::string name
                                 = fs::path(info.param).parent_path().filename().string() + "_"
                                 + fs::path(info.param).filename().string();
                             for (char &c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

} // namespace
} // namespace tess
