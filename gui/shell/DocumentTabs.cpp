#include "gui/shell/DocumentTabs.h"

#include "app/AppContext.h"
#include "app/SettingsKey.h"
#include "app/Translation.h"
#include "deck/SourceForm.h"

#include "deck/SourceConstants.h"
#include "editor/DeckDocument.h"
#include "gui/code/DeckCodeEditor.h"
#include "gui/code/FindReplaceDialog.h"
#include "gui/code/XmlTreeView.h"
#include "gui/design/CardList.h"
#include "gui/design/DesignPane.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QTabBar>
#include <QTextCursor>
#include <QTimer>

namespace tess {

DocumentTabs::DocumentTabs(DeckDocument &doc, SyncHost &host, Prompter &prompter,
                           const AppContext &context, QWidget *parent)
    : QTabWidget(parent)
    , m_doc(doc)
    , m_host(host)
    , m_prompter(prompter)
{
    const bool serverPage = doc.isAsp() || doc.isJsp();
    m_design = new DesignPane(doc, prompter, this);
    m_code = new DeckCodeEditor(this);
    addTab(m_design, translated(DesignTabLabel));
    addTab(m_code, translated(CodeTabLabel));
    if (!serverPage) {
        m_tree = new XmlTreeView(prompter, &doc.model(), this);
        addTab(m_tree, translated(TreeTabLabel));
        connect(m_tree, &XmlTreeView::modified, &doc, [&doc] { doc.setModified(true); });
    }
    connect(m_code, &DeckCodeEditor::documentModified, &doc, [&doc] { doc.setModified(true); });

    SyncViews &views = *this;
    SyncPaths paths;
    paths.tempDir = context.tempDir;
    paths.prologue = [] {
        const SettingsKey key;
        return prologue(key.numberOrDefault(kSettingLocalDtd) != 0,
                        key.stringOrDefault(kSettingDtdPath));
    };
    m_sync = std::make_unique<DocumentSync>(doc, views, host, prompter, std::move(paths));
    setCurrentIndex(m_sync->activeTab());

    tabBar()->setFocusPolicy(Qt::NoFocus);
    tabBar()->installEventFilter(this);
}

DocumentTabs::~DocumentTabs()
{
    tabBar()->removeEventFilter(this);
}

void DocumentTabs::clickTab(int index)
{
    if (index < 0 || index >= count())
        return;
    if (m_sync->isServerPage()) {
        if (index != CodeTab)
            m_host.showStatus(std::string(ServerPageCodeOnlyText));
        return;
    }
    const int old = currentIndex();
    // The new tab is shown while its switch runs, as the user sees it.
    setCurrentIndex(index);
    if (!tell(m_prompter, m_sync->switchTo(index)))
        setCurrentIndex(old);
    emit tabSwitched(currentIndex());
}

bool DocumentTabs::goToLine(int line)
{
    if (!m_sync->isServerPage() && currentIndex() != CodeTab)
        clickTab(CodeTab);
    if (!m_sync->isServerPage() && currentIndex() != CodeTab)
        return false;
    const bool went = tell(m_prompter, m_sync->goToLine(line));
    if (went && m_code) {
        m_code->setFocus();
        // The status bar follows keys and clicks; a jump is neither.
        emit m_code->caretStatusChanged(m_code->caretStatusText());
    }
    return went;
}

void DocumentTabs::ensureInitialLoad()
{
    if (m_sync->initialLoadDone())
        return;
    tell(m_prompter, m_sync->initialLoad());
    startPreparingCodeView();
}

// A long deck's code text costs far more to put into the editor than to
// compute. While the user looks at the design, the hidden code view is given
// what a switch to Code would show, which it takes in idle moments; the
// switch then only replaces what the user changed in the meantime. Nothing
// here touches the file or the document's state.
void DocumentTabs::startPreparingCodeView()
{
    if (m_sync->activeTab() != DesignTab || !m_code->document()->isEmpty())
        return;
    // The text itself is worked out in the first idle moment after the
    // window's first frame (the tab strip's first paint starts the timer),
    // so that opening a long deck shows its design first.
    m_preparedGeneration = m_code->textGeneration();
    m_prepareTimer = new QTimer(this);
    m_prepareTimer->setInterval(0);
    m_prepareTimer->setSingleShot(true);
    connect(m_prepareTimer, &QTimer::timeout, this, &DocumentTabs::prepareCodeText);
}

void DocumentTabs::prepareCodeText()
{
    // Anything else that set the code view's text wins.
    if (m_code->textGeneration() == m_preparedGeneration && currentIndex() == DesignTab) {
        if (const std::optional<std::string> text = m_sync->predictedCodeText()) {
            m_code->setText(*text);
            sizeHiddenCodeView();
        }
    }
    stopPreparingCodeView();
}

// Qt lays every line of a code view out afresh whenever the view's width
// changes, which at its first showing costs a long text a great deal. The
// hidden view takes its page's size while it holds the first lines only, so
// that showing it later finds nothing to change.
void DocumentTabs::sizeHiddenCodeView()
{
    QWidget *page = currentWidget();
    if (m_code->isVisible() || !page || !page->isVisible())
        return;
    m_code->setGeometry(page->geometry());
    for (QWidget *widget : {static_cast<QWidget *>(m_code), m_code->viewport()}) {
        QResizeEvent resize(widget->size(), QSize());
        QCoreApplication::sendEvent(widget, &resize);
        widget->setAttribute(Qt::WA_PendingResizeEvent, false);
    }
}

bool DocumentTabs::preparingCodeView() const
{
    // A text set meanwhile leaves the preparation nothing to do.
    return (m_prepareTimer && m_code->textGeneration() == m_preparedGeneration)
        || m_code->filling();
}

void DocumentTabs::finishPreparingCodeView()
{
    if (m_prepareTimer)
        prepareCodeText();
    m_code->completeText();
}

void DocumentTabs::stopPreparingCodeView()
{
    delete m_prepareTimer;
    m_prepareTimer = nullptr;
}

bool DocumentTabs::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != tabBar())
        return QTabWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        return true;
    case QEvent::MouseButtonRelease:
        clickTab(tabBar()->tabAt(static_cast<QMouseEvent *>(event)->position().toPoint()));
        return true;
    case QEvent::Paint:
        if (m_prepareTimer && !m_prepareTimer->isActive())
            m_prepareTimer->start();
        return QTabWidget::eventFilter(watched, event);
    default:
        return QTabWidget::eventFilter(watched, event);
    }
}

void DocumentTabs::showEvent(QShowEvent *event)
{
    QTabWidget::showEvent(event);
    ensureInitialLoad();
}

void DocumentTabs::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+Tab would change the tab without its switch.
    QWidget::keyPressEvent(event);
}

std::string DocumentTabs::codeText() const
{
    return m_code->text();
}

void DocumentTabs::setCodeText(const std::string &text)
{
    m_code->setText(text);
}

void DocumentTabs::selectCode(size_t start, size_t end)
{
    // Bytes of the UTF-8 text become the editor's UTF-16 positions.
    m_code->completeText();
    const std::string text = m_code->text();
    start = std::min(start, text.size());
    end = std::clamp(end, start, text.size());
    const auto from = QString::fromUtf8(text.data(), qsizetype(start)).size();
    const auto length = QString::fromUtf8(text.data() + start, qsizetype(end - start)).size();
    QTextCursor cursor = m_code->textCursor();
    cursor.setPosition(int(from));
    cursor.setPosition(int(from + length), QTextCursor::KeepAnchor);
    m_code->setTextCursor(cursor);
}

void DocumentTabs::refillCardList()
{
    m_design->cardList()->Refill();
}

void DocumentTabs::clearTree()
{
    if (m_tree)
        m_tree->Clear();
}

void DocumentTabs::buildTree(const DeckModel &model)
{
    if (m_tree)
        m_tree->BuildTree(model);
}

void DocumentTabs::followCodeTab(int tab)
{
    tess::followCodeTab(window(), tab);
}

} // namespace tess
