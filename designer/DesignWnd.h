#pragma once

#include <QSplitter>

namespace tess {

class CBerthingDoc;
class CCardList;
class CWMLDesignView;

// The Design tab: the card list on the left, the design surface taking the
// rest. For a new document the surface starts the deck and the list shows
// its one card.
class CDesignWnd : public QSplitter
{
    Q_OBJECT
public:
    explicit CDesignWnd(CBerthingDoc &doc, QWidget *parent = nullptr);

    CCardList *cardList() const { return m_cardList; }
    CWMLDesignView *designView() const { return m_designView; }

private:
    CCardList *m_cardList = nullptr;
    CWMLDesignView *m_designView = nullptr;
};

} // namespace tess
