#include "gui/design/DesignPane.h"

#include "editor/DeckDocument.h"
#include "editor/DesignConstants.h"
#include "gui/design/CardList.h"
#include "gui/design/DesignView.h"

namespace tess {

DesignPane::DesignPane(DeckDocument &doc, Prompter &prompter, QWidget *parent)
    : QSplitter(Qt::Horizontal, parent)
{
    // The surface builds the starting deck before the list counts its card.
    if (doc.path().empty() && !doc.model().root())
        doc.startNewDeck();
    m_cardList = new CardList(doc, prompter, this);
    m_designView = new DesignView(doc, prompter, this);
    addWidget(m_cardList);
    addWidget(m_designView);
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    setSizes({kCardListPaneWidth, kDesignPaneWidth});
}

} // namespace tess
