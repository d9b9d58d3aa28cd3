#include "shell/ChildFrm.h"

#include "shell/BerthingDoc.h"
#include "source/TabWindow.h"

#include <QCloseEvent>

namespace tess {

CChildFrame::CChildFrame(std::unique_ptr<CBerthingDoc> doc, SyncHost &host, QWidget *parent)
    : QMdiSubWindow(parent)
    , m_doc(std::move(doc))
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_tabs = new TVisualTabWindow(*m_doc, host, this);
    setWidget(m_tabs);
    setWindowTitle(QString::fromStdString(m_doc->title()));
    connect(m_doc.get(), &CBerthingDoc::titleChanged, this, &QWidget::setWindowTitle);
}

// The views go before the document they show.
CChildFrame::~CChildFrame()
{
    delete m_tabs;
}

CDesignWnd *CChildFrame::designWnd() const
{
    return m_tabs->designWnd();
}

void CChildFrame::closeEvent(QCloseEvent *event)
{
    if (!m_tabs->sync().queryClose()) {
        event->ignore();
        return;
    }
    m_tabs->sync().closeDocument();
    QMdiSubWindow::closeEvent(event);
}

} // namespace tess
