#pragma once

#include "editor/CardCommands.h"

#include <QIcon>
#include <QTreeWidget>

class QMenu;

namespace tess {

class DeckDocument;
class Prompter;

// The card list of the Design tab: one row per card, the shown card marked
// by the second of its two icons. Its commands work through CardCommands;
// the widget only shows rows and passes clicks on. Its questions and its
// property sheet go through `prompter`.
class CardList : public QTreeWidget
{
    Q_OBJECT
public:
    CardList(DeckDocument &doc, Prompter &prompter, QWidget *parent = nullptr);

    CardCommands &commands() { return m_commands; }
    // The rows rebuilt from the deck's cards.
    void Refill();
    // The context menu's items; their enabled state is brought up to date
    // each time the menu opens.
    QAction *newCardAction() const { return m_newCard; }
    QAction *deleteCardAction() const { return m_deleteCard; }
    QAction *cardPropertiesAction() const { return m_cardProperties; }
    QMenu *contextMenu() const { return m_menu; }
    // Records the selected row and enables the commands accordingly, as a
    // right click does before the menu opens.
    void prepareContextMenu();

public slots:
    void OnNewCard();
    void OnDeleteCard();
    void OnCardProperties();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void createMenu();
    void syncRows();
    void markShownCard();
    int selectedRow() const;

    DeckDocument &m_doc;
    CardCommands m_commands;
    QMenu *m_menu = nullptr;
    QAction *m_newCard = nullptr;
    QAction *m_deleteCard = nullptr;
    QAction *m_cardProperties = nullptr;
    QIcon m_icons[2]; // a card, the card shown
};

} // namespace tess
