#include "gui/design/CardList.h"

#include "app/Translation.h"
#include "deck/DeckConstants.h"
#include "deck/ElementKind.h"
#include "editor/DeckDocument.h"
#include "gui/design/CardPropertiesDialog.h"
#include "gui/design/WidgetPrompter.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QIcon>
#include <QMenu>
#include <QUndoStack>

namespace tess {

namespace {

constexpr int kCardsColumnWidth = 100;
constexpr int kImageSize = 16;
const char *const kCardIcons[] = {":/icons/card.xpm", ":/icons/shown-card.xpm"};

// The position among the cards, from 0, of `card`; -1 when it is none.
int cardPosition(const DeckNode *root, const DeckNode *card)
{
    if (!root || !card)
        return -1;
    int n = 0;
    for (const DeckNode *c = root->firstChild; c; c = c->nextSibling) {
        if (c == card)
            return n;
        if (c->kind() == ElementKind::Card)
            ++n;
    }
    return -1;
}

} // namespace

CardList::CardList(DeckDocument &doc, Prompter &prompter, QWidget *parent)
    : QTreeWidget(parent)
    , m_doc(doc)
    , m_commands(doc, prompter)
{
    attachPrompter(*this, prompter);
    setColumnCount(1);
    setHeaderLabels({translated(CardListColumnTitle)});
    setColumnWidth(0, kCardsColumnWidth);
    header()->hide();
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(kImageSize, kImageSize));
    for (int i = 0; i < 2; ++i)
        m_icons[i] = QIcon(QString::fromLatin1(kCardIcons[i]));
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    createMenu();

    // A click shows the card, and so does a double click.
    const auto activate
        = [this](QTreeWidgetItem *item) { m_commands.activateRow(indexOfTopLevelItem(item)); };
    connect(this, &QTreeWidget::itemClicked, this, activate);
    connect(this, &QTreeWidget::itemDoubleClicked, this, activate);
    connect(&m_doc, &DeckDocument::cardListRefreshRequested, this,
            [this] { m_commands.refresh(); });
    connect(&m_doc, &DeckDocument::alignAllRequested, this, &CardList::markShownCard);
    connect(m_doc.undoStack(), &QUndoStack::indexChanged, this, [this] {
        m_commands.relabelFromTree();
        syncRows();
    });

    // A deck not loaded yet gets its rows when its document window loads it
    // (DocumentSync's initial load), whether the load succeeds or not:
    // reading the file here as well would parse a long deck twice.
    if (m_doc.path().empty())
        m_commands.startNewDocument();
    else if (m_doc.model().validDeck)
        m_commands.refillRows();
    syncRows();
}

void CardList::createMenu()
{
    m_menu = new QMenu(this);
    const auto add = [this](std::string_view text, void (CardList::*slot)()) {
        QAction *action = m_menu->addAction(translated(text));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    m_newCard = add(NewCardMenuText, &CardList::OnNewCard);
    m_deleteCard = add(DeleteCardMenuText, &CardList::OnDeleteCard);
    m_cardProperties = add(CardPropertiesMenuText, &CardList::OnCardProperties);
}

void CardList::Refill()
{
    m_commands.refillRows();
    syncRows();
}

int CardList::selectedRow() const
{
    const QList<QTreeWidgetItem *> items = selectedItems();
    return items.isEmpty() ? -1 : indexOfTopLevelItem(items.front());
}

void CardList::prepareContextMenu()
{
    m_commands.recordSelection(selectedRow());
    m_newCard->setEnabled(m_commands.canNewCard());
    m_deleteCard->setEnabled(m_commands.canDelete());
    m_cardProperties->setEnabled(m_commands.canProperties());
}

void CardList::contextMenuEvent(QContextMenuEvent *event)
{
    prepareContextMenu();
    m_menu->exec(event->globalPos());
}

void CardList::OnNewCard()
{
    m_commands.newCard();
    syncRows();
}

void CardList::OnDeleteCard()
{
    if (m_commands.deleteCard())
        syncRows();
}

void CardList::OnCardProperties()
{
    CardSheetData data;
    if (!m_commands.openProperties(data) || !RunCardPropertySheet(data, this))
        return;
    m_commands.applyProperties(data);
    syncRows();
}

void CardList::syncRows()
{
    clear();
    for (const std::string &row : m_commands.rows())
        addTopLevelItem(new QTreeWidgetItem(QStringList {QString::fromStdString(row)}));
    markShownCard();
}

void CardList::markShownCard()
{
    const int shown = cardPosition(m_doc.model().root(), m_doc.CurrentCard());
    for (int i = 0; i < topLevelItemCount(); ++i)
        topLevelItem(i)->setIcon(0, m_icons[i == shown ? 1 : 0]);
}

} // namespace tess
