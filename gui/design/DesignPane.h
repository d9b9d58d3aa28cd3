#pragma once

#include <QSplitter>

namespace tess {

class DeckDocument;
class Prompter;
class CardList;
class DesignView;

// The Design tab: the card list on the left, the design surface taking the
// rest. For a new document the surface starts the deck and the list shows
// its one card. Both ask and tell through `prompter`.
class DesignPane : public QSplitter
{
    Q_OBJECT
public:
    DesignPane(DeckDocument &doc, Prompter &prompter, QWidget *parent = nullptr);

    CardList *cardList() const { return m_cardList; }
    DesignView *designView() const { return m_designView; }

private:
    CardList *m_cardList = nullptr;
    DesignView *m_designView = nullptr;
};

} // namespace tess
