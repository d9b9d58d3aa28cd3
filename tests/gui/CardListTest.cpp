#include "gui/design/CardList.h"
#include "common/ScriptedPrompter.h"
#include "deck/DeckConstants.h"
#include "deck/ElementKind.h"
#include "editor/DeckDocument.h"
#include "wml/XmlTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tess {
namespace {

std::vector<std::string> rowTexts(const CardList &list)
{
    std::vector<std::string> rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        rows.push_back(list.topLevelItem(i)->text(0).toStdString());
    return rows;
}

class CardListTest : public ::testing::Test
{
protected:
    void open(const char *name)
    {
        test::RecordingSink sink;
        ASSERT_TRUE(
            m_doc.openFile(std::string(TESS_TEST_DATA_DIR "/design/") + name, sink, nullptr));
        m_list = std::make_unique<CardList>(m_doc, m_prompter);
        QObject::connect(&m_doc, &DeckDocument::alignAllRequested, [this] { ++m_alignAll; });
    }
    // A press and a release of the left button over the row.
    void clickRow(int row)
    {
        QWidget *viewport = m_list->viewport();
        const QPoint at = m_list->visualItemRect(m_list->topLevelItem(row)).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(viewport, &event);
        }
    }
    void selectRow(int row)
    {
        m_list->setCurrentItem(m_list->topLevelItem(row));
        m_list->prepareContextMenu();
    }
    bool enabled(QAction *(CardList::*action)() const) const
    {
        return (m_list.get()->*action)()->isEnabled();
    }

    DeckDocument m_doc;
    ScriptedPrompter m_prompter;
    std::unique_ptr<CardList> m_list;
    int m_alignAll = 0;
};

TEST_F(CardListTest, NewCardOnATwoCardDeck)
{
    open("two_cards.wml");
    EXPECT_EQ(rowTexts(*m_list), (std::vector<std::string> {"First", "No Name"}));
    EXPECT_EQ(m_list->newCardAction()->text(), "&New Card  ");
    m_list->newCardAction()->trigger();
    EXPECT_EQ(rowTexts(*m_list), (std::vector<std::string> {"First", "No Name", "No Name"}));
    DeckNode *third = NthCard(m_doc.model().root(), 3);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->fragment(), "<card newcontext=\"false\" ordered=\"true\" >");
    EXPECT_EQ(third->element->rect, (DesignRect {-1, -1, -1, -1}));
    ASSERT_EQ(ChildCount(third), 1);
    EXPECT_EQ(third->firstChild->kind(), ElementKind::Paragraph);
    EXPECT_EQ(third->firstChild->fragment(), "<p align=\"left\" >");
    EXPECT_EQ(ChildCount(third->firstChild), 0);
    EXPECT_EQ(m_doc.CurrentCard(), third);
    EXPECT_TRUE(m_doc.isModified());
    // The canvas is laid out again for the new card.
    EXPECT_EQ(m_alignAll, 1);
}

TEST_F(CardListTest, DeleteAsksAndKeepsTheLastCard)
{
    open("two_cards.wml");
    ScriptedPrompter &prompter = m_prompter;
    DeckNode *second = NthCard(m_doc.model().root(), 2);

    // Cancel deletes nothing and leaves the document unmodified.
    selectRow(0);
    prompter.answer(Prompter::Answer::Cancel);
    m_list->deleteCardAction()->trigger();
    EXPECT_EQ(rowTexts(*m_list).size(), 2u);
    EXPECT_FALSE(m_doc.isModified());

    prompter.answer(Prompter::Answer::Ok);
    m_list->deleteCardAction()->trigger();
    ASSERT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].text, "Are you sure you want to delete this card?");
    EXPECT_EQ(prompter.messages()[1].buttons, Prompter::Buttons::OkCancel);
    EXPECT_EQ(rowTexts(*m_list), std::vector<std::string> {"No Name"});
    EXPECT_EQ(NthCard(m_doc.model().root(), 1), second);
    EXPECT_EQ(NthCard(m_doc.model().root(), 2), nullptr);
    EXPECT_EQ(m_doc.CurrentCard(), second);
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_EQ(m_alignAll, 1);

    // The last card stays, without a question.
    selectRow(0);
    EXPECT_FALSE(enabled(&CardList::deleteCardAction));
    EXPECT_FALSE(m_list->commands().deleteCard());
    EXPECT_EQ(prompter.messages().size(), 2u);
}

TEST_F(CardListTest, ClickAndRefreshShowTheCard)
{
    open("two_cards.wml");
    m_list->show();
    clickRow(1);
    EXPECT_EQ(m_doc.CurrentCard(), NthCard(m_doc.model().root(), 2));
    EXPECT_EQ(m_doc.CurrentCardIndex(), 2);
    EXPECT_EQ(m_alignAll, 1);
    // The shown card's row carries the second icon.
    EXPECT_EQ(m_list->topLevelItem(1)->icon(0).pixmap(16).toImage().convertToFormat(
                  QImage::Format_ARGB32),
              QImage(":/icons/shown-card.xpm").convertToFormat(QImage::Format_ARGB32));

    m_doc.setCurrentCard(NthCard(m_doc.model().root(), 1));
    m_doc.requestCardListRefresh();
    EXPECT_EQ(m_list->commands().attributeTexts(),
              (std::vector<std::string> {"id=\"first\" title=\"First\" ", "id=\"second\" "}));
    EXPECT_EQ(m_doc.CurrentCard(), NthCard(m_doc.model().root(), 2));
    EXPECT_EQ(m_alignAll, 2);

    // A deck that did not load: the row counts, no card is shown.
    m_doc.model().validDeck = false;
    emit m_list->itemDoubleClicked(m_list->topLevelItem(0), 0);
    EXPECT_EQ(m_doc.CurrentCardIndex(), 1);
    EXPECT_EQ(m_doc.CurrentCard(), NthCard(m_doc.model().root(), 2));
    EXPECT_EQ(m_alignAll, 2);
}

} // namespace
} // namespace tess
