#include "shell/ChildFrm.h"

#include "shell/BerthingDoc.h"
#include "source/TabWindow.h"

#include <QCloseEvent>

#include <utility>

namespace tess {

CChildFrame::CChildFrame(std::unique_ptr<CBerthingDoc> doc, SyncHost &host, QWidget *parent)
    : QMdiSubWindow(parent)
    , m_doc(std::move(doc))
{
    setAttribute(Qt::WA_DeleteOnClose);
    m_tabs = new TVisualTabWindow(*m_doc, host, this);
    setWidget(m_tabs);
    // "[*]" shows as "*" while the document holds unsaved changes.
    const auto showTitle = [this] {
        setWindowTitle(QString::fromStdString(m_doc->title()) + QStringLiteral("[*]"));
    };
    showTitle();
    setWindowModified(m_doc->isModified());
    connect(m_doc.get(), &CBerthingDoc::titleChanged, this, showTitle);
    connect(m_doc.get(), &CBerthingDoc::modifiedChanged, this, &QWidget::setWindowModified);
}

bool CChildFrame::approveClose()
{
    m_closeApproved = m_tabs->sync().queryClose();
    return m_closeApproved;
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
    const bool approved = std::exchange(m_closeApproved, false);
    if (!approved && !m_tabs->sync().queryClose()) {
        event->ignore();
        return;
    }
    m_tabs->sync().closeDocument();
    QMdiSubWindow::closeEvent(event);
}

} // namespace tess
