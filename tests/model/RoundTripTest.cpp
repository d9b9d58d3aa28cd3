#include "model/DeckDump.h"
#include "model/WMLReader.h"
#include "model/WMLWriter.h"
#include "source/MixedFileConverter.h"
#include "source/SourceForm.h"
#include "source/XmlTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tess {
namespace {

std::string dataFile(const std::string &name)
{
    return std::string(TESS_TEST_DATA_DIR) + "/roundtrip/" + name;
}

// Comments gain one blank inside each marker per read and write.
std::string withGrownComments(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        out += text.compare(i, 3, "-->") == 0 ? " -" : std::string(1, text[i]);
        if (text.compare(i, 4, "<!--") == 0)
            out += "!-- ", i += 3;
    }
    return out;
}

struct Cycle
{
    std::string tree, written;
};

// Page -> pure copy -> deck -> written file, as loading and saving a document
// do; the deck reads the page itself for its code blocks.
Cycle readAndWrite(const test::ScratchDir &dir, const std::string &page, int n)
{
    const std::string ext = std::filesystem::path(page).extension().string();
    const std::string pure = dir.path("pure" + std::to_string(n) + ".wml");
    EXPECT_EQ(MixedFileConverter().convert(page, pure), MixedFileConverter::Result::Converted);
    XmlDocument doc;
    EXPECT_TRUE(doc.load(pure)) << doc.parseError().reason;
    DeckModel model;
    model.jsp = ext == ".jsp";
    model.filePath = page;
    LoadDeck(model, doc);
    model.filePath = dir.path("written" + std::to_string(n) + ".xml");
    EXPECT_TRUE(WriteDeck(model));
    return {dumpDeck(model.root()), test::readBytes(model.filePath)};
}

// Each corpus page has its first deck (".deck") and first written file
// (".written") beside it. Pages marked as settling only reach their lasting
// tree on the second read: what the first write loses changes the tree.
class RoundTrip : public testing::TestWithParam<std::pair<const char *, bool>>
{
};

TEST_P(RoundTrip, FileDeckFileDeckKeepsTreeAndBytes)
{
    const auto [file, settlesOnSecondRead] = GetParam();
    test::ScratchDir dir;
    std::string page = dataFile(file);
    const std::string ext = std::filesystem::path(page).extension().string();
    std::vector<Cycle> cycles;
    for (int n = 0; n < 3; ++n) {
        cycles.push_back(readAndWrite(dir, page, n));
        // What the code view saves again: the prologue, and for server pages
        // the code blocks back in "<%" ... "%>" form.
        const std::string &written = cycles.back().written;
        page = dir.write("page" + std::to_string(n) + ext,
                         prologue(false, "") + (ext == ".wml" ? written : turnBack(written)));
    }
    EXPECT_EQ(cycles[0].tree, test::readBytes(dataFile(std::string(file) + ".deck")));
    EXPECT_EQ(cycles[0].written, test::readBytes(dataFile(std::string(file) + ".written")));
    for (size_t n = settlesOnSecondRead ? 1 : 0; n < 2; ++n)
        EXPECT_EQ(cycles[n + 1].tree, withGrownComments(cycles[n].tree)) << "read " << n + 2;
    for (size_t n = 0; n < 2; ++n)
        EXPECT_EQ(cycles[n + 1].written, withGrownComments(cycles[n].written)) << "write " << n + 2;
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, RoundTrip,
    testing::Values(std::pair {"cards_text.wml", false}, std::pair {"head_tasks.wml", false},
                    std::pair {"forms_tables.wml", false}, std::pair {"text_entities.wml", false},
                    std::pair {"losses.wml", true}, std::pair {"order.asp", false},
                    std::pair {"news.jsp", false}));

} // namespace
} // namespace tess
