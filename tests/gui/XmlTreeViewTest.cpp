#include "gui/code/XmlTreeView.h"

#include "deck/DeckFile.h"
#include "deck/DeckWriter.h"
#include "deck/SourceForm.h"
#include "editor/XmlTreeModel.h"
#include "tests/wml/XmlTestSupport.h"
#include "wml/DataPaths.h"

#include "common/ScriptedPrompter.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

namespace tess {
namespace {

const std::string kDeck = std::string(TESS_TEST_DATA_DIR) + "/tree/deck.wml";

std::vector<TreeRow> itemRows(const QTreeWidget &tree)
{
    std::vector<TreeRow> rows;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(&tree)); *it; ++it) {
        int depth = 0;
        for (const QTreeWidgetItem *p = (*it)->parent(); p; p = p->parent())
            ++depth;
        rows.push_back({depth, (*it)->text(0).toStdString(), XmlTreeView::itemImage(*it),
                        XmlTreeView::itemId(*it)});
    }
    return rows;
}

class WMLTreeViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.setDeck(&model);
        QObject::connect(&view, &XmlTreeView::modified, [this] { ++modifiedCount; });
        ASSERT_TRUE(validate(kDeck));
    }
    // As Compile fills the tree: emptied first, built only on success.
    bool validate(const std::string &path)
    {
        model.filePath = path;
        view.Clear();
        return Validate(model, sink, false, [this](const DeckModel &m) { view.BuildTree(m); });
    }
    // The n-th item labelled `label`, depth first.
    QTreeWidgetItem *item(const std::string &label, int n = 1)
    {
        for (QTreeWidgetItemIterator it(&view); *it; ++it) {
            if ((*it)->text(0).toStdString() == label && --n == 0)
                return *it;
        }
        return nullptr;
    }
    std::string children(const std::string &label, int n = 1)
    {
        std::string out;
        const QTreeWidgetItem *parent = item(label, n);
        for (int i = 0; parent && i < parent->childCount(); ++i)
            out += (i ? " " : "") + parent->child(i)->text(0).toStdString();
        return out;
    }
    // The deck as the writer saves it passes the DTD behind a prologue.
    bool writtenDeckIsValid()
    {
        model.filePath = scratch.path("moved.wml");
        XmlDocument doc;
        std::string error;
        return writeDeckSource(model, prologue(true, bundledDtdPath()), &error)
            && doc.load(model.filePath);
    }

    test::ScratchDir scratch;
    DeckModel model;
    test::RecordingSink sink;
    ScriptedPrompter prompter;
    XmlTreeView view {prompter};
    int modifiedCount = 0;
};

TEST_F(WMLTreeViewTest, BuildsOneItemPerNodeWithItsIdentifier)
{
    std::string dump;
    for (const TreeRow &row : itemRows(view))
        dump
            += std::string(2 * row.depth, ' ') + row.label + "|" + std::to_string(row.image) + "\n";
    EXPECT_EQ(dump, test::readBytes(std::string(TESS_TEST_DATA_DIR) + "/tree/deck.items"));
    EXPECT_EQ(itemRows(view), TreeRows(model.root()));
    EXPECT_TRUE(item("#document")->isExpanded() && item("wml")->isExpanded());
    EXPECT_FALSE(item("Menu")->isExpanded());

    // White shows through; a selected element wears the root's image.
    const QSize size(16, 16);
    const QImage root = item("#document")->icon(0).pixmap(size).toImage();
    EXPECT_EQ(item("Menu")->icon(0).pixmap(size, QIcon::Selected).toImage(), root);
    EXPECT_TRUE(qAlpha(root.pixel(0, 0)) == 0 && qAlpha(root.pixel(2, 0)) == 255);
}

TEST_F(WMLTreeViewTest, DeckFailingValidationLeavesTheTreeEmpty)
{
    EXPECT_FALSE(validate(std::string(TESS_TEST_DATA_DIR) + "/tree/broken.wml"));
    EXPECT_EQ(view.topLevelItemCount(), 0);
    EXPECT_EQ(sink.shown.back().rfind("Error 0x", 0), 0u) << sink.shown.back();
}

TEST_F(WMLTreeViewTest, DropsMoveTheDeckAndMirrorTheItems)
{
    // dragged, target, whether it moves, the new parent's children afterwards
    const std::tuple<const char *, const char *, bool, const char *, const char *> cases[] = {
        {"Menu", "wml", true, "wml", "head card Done Menu"},
        {"Done", "Menu", true, "wml", "head Menu Done card"},
        {"input", "p", true, "p", "Welcome  b br a input"},
        {"p", "wml", false, "wml", "head Menu card Done"},
        {"timer", "card", false, "card", "p p"},
        {"go", "p", false, "do", "go"},
    };
    for (const auto &[dragged, target, moves, parent, after] : cases) {
        ASSERT_TRUE(validate(kDeck));
        modifiedCount = 0;
        const int draggedId = XmlTreeView::itemId(item(dragged));
        EXPECT_EQ(view.DropItem(item(dragged), item(target)), moves) << dragged << " on " << target;
        EXPECT_EQ(children(parent), after) << dragged << " on " << target;
        EXPECT_EQ(modifiedCount, moves ? 1 : 0);
        // Every item, the copies included, leads to its node.
        EXPECT_EQ(itemRows(view), TreeRows(model.root()));
        EXPECT_EQ(FindById(model.root(), draggedId)->id() == draggedId, !moves);
        if (moves) {
            EXPECT_TRUE(writtenDeckIsValid()) << dragged << " on " << target;
        }
    }
}

TEST_F(WMLTreeViewTest, OnlyOptionOfASelectStaysWithAMessage)
{
    prompter.answer(Prompter::Answer::Ok);
    EXPECT_FALSE(view.DropItem(item("option", 3), item("select")));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].text, "Selection Should have atleast one Option");
    EXPECT_EQ(children("select", 2), "option");
    EXPECT_EQ(modifiedCount, 0);
}

} // namespace
} // namespace tess
