#include "designer/DesignWnd.h"

#include "designer/DesignerConstants.h"
#include "designer/WMLDesignView.h"
#include "model/CardList.h"
#include "shell/BerthingDoc.h"

namespace tess {

CDesignWnd::CDesignWnd(CBerthingDoc &doc, QWidget *parent)
    : QSplitter(Qt::Horizontal, parent)
{
    // The surface builds the starting deck before the list counts its card.
    if (doc.path().empty() && !doc.model().root())
        doc.startNewDeck();
    m_cardList = new CCardList(doc, this);
    m_designView = new CWMLDesignView(doc, this);
    addWidget(m_cardList);
    addWidget(m_designView);
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    setSizes({kCardListPaneWidth, kDesignPaneWidth});
}

} // namespace tess
