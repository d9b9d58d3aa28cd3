#pragma once

#include "editor/DocumentSync.h"

#include <QString>
#include <QTabWidget>

#include <memory>

namespace tess {

class AppContext;
class DeckDocument;
class DesignPane;
class XmlTreeView;
class DeckCodeEditor;

// The tab window of one document: "Design", "Code" and, for WML documents,
// "XML Tree". A click on the strip (on release) runs the tab's switch
// through DocumentSync; the strip takes no keys and no wheel, so that no
// tab is shown without its switch. ASP and JSP pages show the Code tab; a
// click on another tab only says why in the status bar. What the
// synchronisation has to tell is shown through the prompter.
class DocumentTabs : public QTabWidget, private SyncViews
{
    Q_OBJECT
public:
    DocumentTabs(DeckDocument &doc, SyncHost &host, Prompter &prompter, const AppContext &context,
                 QWidget *parent = nullptr);
    ~DocumentTabs() override;

    DocumentSync &sync() { return *m_sync; }
    DesignPane *designWnd() const { return m_design; }
    DeckCodeEditor *codeView() const { return m_code; }
    // Null for ASP and JSP pages.
    XmlTreeView *treeView() const { return m_tree; }

    // What a click on the strip does; -1 is a click beside the tabs.
    void clickTab(int index);
    // The initial load, unless it has run.
    void ensureInitialLoad();
    // True while the hidden code view is still being filled in idle time.
    bool preparingCodeView() const;
    // Finishes that filling at once (tests and benchmarks use it to stand
    // for the user's first look at the design).
    void finishPreparingCodeView();
    // The document's commands; what they have to tell goes to the prompter.
    bool compile() { return tell(m_prompter, m_sync->compile()); }
    // The Code tab, shown as a click would, with line `line` selected.
    bool goToLine(int line);
    bool preview(bool validateFirst) { return tell(m_prompter, m_sync->preview(validateFirst)); }
    bool saveCommand() { return tell(m_prompter, m_sync->saveCommand()); }
    bool saveAsCommand() { return tell(m_prompter, m_sync->saveAsCommand()); }
    // The save prompt; false when the document stays open.
    bool queryClose() { return tell(m_prompter, m_sync->queryClose()); }
    void closeDocument() { tell(m_prompter, m_sync->closeDocument()); }

signals:
    // After every click that reached a switch, with the tab then shown.
    void tabSwitched(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    std::string codeText() const override;
    void setCodeText(const std::string &text) override;
    void selectCode(size_t start, size_t end) override;
    void refillCardList() override;
    void clearTree() override;
    void buildTree(const DeckModel &model) override;
    void followCodeTab(int tab) override;

    DeckDocument &m_doc;
    SyncHost &m_host;
    Prompter &m_prompter;
    DesignPane *m_design = nullptr;
    DeckCodeEditor *m_code = nullptr;
    XmlTreeView *m_tree = nullptr;
    void startPreparingCodeView();
    void prepareCodeText();
    void sizeHiddenCodeView();
    void stopPreparingCodeView();

    std::unique_ptr<DocumentSync> m_sync;
    // The view's text generation when the preparation was started.
    quint64 m_preparedGeneration = 0;
    class QTimer *m_prepareTimer = nullptr;
};

} // namespace tess
