#pragma once

#include <QMdiSubWindow>

#include <memory>

namespace tess {

class CBerthingDoc;
class CDesignWnd;

// The window of one document inside the main frame's MDI area. It owns its
// document and, for now, shows the Design tab's window alone; its title is
// the document's title.
class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    explicit CChildFrame(std::unique_ptr<CBerthingDoc> doc, QWidget *parent = nullptr);
    ~CChildFrame() override;

    CBerthingDoc &document() const { return *m_doc; }
    CDesignWnd *designWnd() const { return m_designWnd; }

private:
    std::unique_ptr<CBerthingDoc> m_doc;
    CDesignWnd *m_designWnd = nullptr;
};

} // namespace tess
