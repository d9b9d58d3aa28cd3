#pragma once

#include <QMdiSubWindow>

#include <memory>

namespace tess {

class CBerthingDoc;
class CDesignWnd;
class SyncHost;
class TVisualTabWindow;

// The window of one document inside the main frame's MDI area. It owns its
// document and shows its tab window; its title is the document's title.
// Closing it asks to save a modified document first.
class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    CChildFrame(std::unique_ptr<CBerthingDoc> doc, SyncHost &host, QWidget *parent = nullptr);
    ~CChildFrame() override;

    CBerthingDoc &document() const { return *m_doc; }
    TVisualTabWindow *tabWindow() const { return m_tabs; }
    CDesignWnd *designWnd() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::unique_ptr<CBerthingDoc> m_doc;
    TVisualTabWindow *m_tabs = nullptr;
};

} // namespace tess
