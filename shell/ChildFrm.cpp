#include "shell/ChildFrm.h"

#include "designer/DesignWnd.h"
#include "shell/BerthingDoc.h"

namespace tess {

CChildFrame::CChildFrame(std::unique_ptr<CBerthingDoc> doc, QWidget *parent)
    : QMdiSubWindow(parent)
    , m_doc(std::move(doc))
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_designWnd = new CDesignWnd(*m_doc, this);
    setWidget(m_designWnd);
    setWindowTitle(QString::fromStdString(m_doc->title()));
    connect(m_doc.get(), &CBerthingDoc::titleChanged, this, &QWidget::setWindowTitle);
}

// The views go before the document they show.
CChildFrame::~CChildFrame()
{
    delete m_designWnd;
}

} // namespace tess
