#include "deck/SourceForm.h"

#include "deck/DeckFile.h"
#include "deck/DeckModel.h"
#include "wml/FileUtil.h"
#include "wml/XmlTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tess {
namespace {

namespace fs = std::filesystem;

const std::string kPublicPrologue
    = "<?xml version=\"1.0\"?>  <!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
      "\"http://www.wapforum.org/DTD/wml_1.1.xml\">";

// The design's text keeps the file's own prolog (its encoding declaration
// and document type), lays the deck out without touching its text, and
// writes it back in the file's encoding and line ends.
TEST(SourceForm, WritesTheDesignInTheFilesOwnForm)
{
    test::ScratchDir dir;
    const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                               "<!-- menu -->\r\n<wml><card title=\"Q&amp;A\"><p>N\xE6rmere "
                               "<b>&#8364;</b> &amp; <i>x</i></p></card></wml>\r\n";
    DeckModel model;
    model.filePath = dir.write("deck.wml", latin1);
    test::RecordingSink sink;
    ASSERT_TRUE(LoadDeckFromFile(model, sink)) << model.compile.outputMessage;
    EXPECT_EQ(deckSourceText(model, kPublicPrologue),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!-- menu -->\n\n<wml>\n\n"
              "\t<card title=\"Q&amp;A\">\n\t\t<p>N\xC3\xA6rmere <b>\xE2\x82\xAC</b> &amp; "
              "<i>x</i></p>\n\t</card>\n\n</wml>\n");
    std::string error;
    ASSERT_TRUE(writeDeckSource(model, kPublicPrologue, &error)) << error;
    EXPECT_EQ(test::readBytes(model.filePath),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<!-- menu -->\r\n\r\n<wml>\r\n"
              "\r\n\t<card title=\"Q&amp;A\">\r\n\t\t<p>N\xE6rmere <b>&#8364;</b> &amp; "
              "<i>x</i></p>\r\n\t</card>\r\n\r\n</wml>\r\n");

    // A deck without prolog gets the program's; a failed write leaves the
    // file and its folder as they were.
    DeckModel bare;
    bare.filePath = dir.write("bare.wml", "<wml><card><p>a</p></card></wml>");
    ASSERT_TRUE(LoadDeckFromFile(bare, sink));
    EXPECT_EQ(deckSourceText(bare, kPublicPrologue),
              "<?xml version=\"1.0\"?>\n<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
              "\"http://www.wapforum.org/DTD/wml_1.1.xml\">\n\n<wml>\n\n\t<card>\n\t\t<p>a</p>\n"
              "\t</card>\n\n</wml>\n");
    setAtomicWriteFailureForTesting(true);
    EXPECT_FALSE(writeDeckSource(bare, kPublicPrologue, &error));
    setAtomicWriteFailureForTesting(false);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::readBytes(bare.filePath), "<wml><card><p>a</p></card></wml>");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.dir.path().toStdString()),
                            fs::directory_iterator()),
              2);
}

// Only the DOCTYPE's system literal follows the preferences; the same
// path elsewhere in the deck is the user's text.
TEST(DoctypeTest, OnlyTheSystemLiteralChanges)
{
    const std::string pub = "<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" ";
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"<?xml version=\"1.0\"?>\n" + pub
             + "\"/old/wml_1.1.xml\">\n<wml><!-- /old/wml_1.1.xml -->",
         "<?xml version=\"1.0\"?>\n" + pub + "\"/new.xml\">\n<wml><!-- /old/wml_1.1.xml -->"},
        {"<!DOCTYPE wml SYSTEM '/old'><wml/>", "<!DOCTYPE wml SYSTEM '/new.xml'><wml/>"},
        {"<!DOCTYPE  wml\n  SYSTEM \"x\" [ <!ENTITY a \"b\"> ]><wml/>",
         "<!DOCTYPE  wml\n  SYSTEM \"/new.xml\" [ <!ENTITY a \"b\"> ]><wml/>"},
        {pub + "\"/new.xml\"><wml/>", std::nullopt},
        {"<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\"><wml/>", std::nullopt},
        {"<!DOCTYPE wml [ <!ENTITY a \"b\"> ]><wml/>", std::nullopt},
        {"<?xml version=\"1.0\"?><wml/>", std::nullopt},
        {"<!DOCTYPE wml SYSTEM \"unclosed><wml/>", std::nullopt},
    };
    for (const auto &[text, expected] : cases)
        EXPECT_EQ(withDoctypeSystemId(text, "/new.xml"), expected) << text;
    EXPECT_EQ(doctypeSystemId(prologue(false, {})), "http://www.wapforum.org/DTD/wml_1.1.xml");
    EXPECT_EQ(doctypeSystemId(prologue(true, "/d/wml_1.1.xml")), "/d/wml_1.1.xml");
}

} // namespace
} // namespace tess
