#include "gui/shell/DocumentWindow.h"

#include "editor/DeckDocument.h"
#include "gui/design/WidgetPrompter.h"
#include "gui/shell/DocumentTabs.h"

#include <QCloseEvent>

#include <utility>

namespace tess {

DocumentWindow::DocumentWindow(std::unique_ptr<DeckDocument> doc, SyncHost &host,
                               Prompter &prompter, const AppContext &context, QWidget *parent)
    : QMdiSubWindow(parent)
    , m_doc(std::move(doc))
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The Code tab's control dialogs open on this window.
    attachPrompter(*this, prompter);
    m_tabs = new DocumentTabs(*m_doc, host, prompter, context, this);
    setWidget(m_tabs);
    // "[*]" shows as "*" while the document holds unsaved changes.
    const auto showTitle = [this] {
        setWindowTitle(QString::fromStdString(m_doc->title()) + QStringLiteral("[*]"));
    };
    showTitle();
    setWindowModified(m_doc->isModified());
    connect(m_doc.get(), &DeckDocument::titleChanged, this, showTitle);
    connect(m_doc.get(), &DeckDocument::modifiedChanged, this, &QWidget::setWindowModified);
}

bool DocumentWindow::approveClose()
{
    m_closeApproved = m_tabs->queryClose();
    return m_closeApproved;
}

bool DocumentWindow::offerSave()
{
    const bool ok = m_tabs->queryClose();
    // The document stays open, so a later close asks again rather than
    // writing it once more.
    m_doc->savePromptAnsweredYes = false;
    return ok;
}

void DocumentWindow::closeUnasked()
{
    m_closeApproved = true;
    close();
}

// The views go before the document they show.
DocumentWindow::~DocumentWindow()
{
    delete m_tabs;
}

DesignPane *DocumentWindow::designWnd() const
{
    return m_tabs->designWnd();
}

void DocumentWindow::closeEvent(QCloseEvent *event)
{
    const bool approved = std::exchange(m_closeApproved, false);
    if (!approved && !m_tabs->queryClose()) {
        event->ignore();
        return;
    }
    m_tabs->closeDocument();
    QMdiSubWindow::closeEvent(event);
}

} // namespace tess
