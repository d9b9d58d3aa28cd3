#pragma once

#include <QMdiSubWindow>

#include <memory>

namespace tess {

class AppContext;
class DeckDocument;
class DesignPane;
class Prompter;
enum class ControlCommand;
struct ControlCommandState;
struct ControlContext;
class SyncHost;
class DocumentTabs;

// The window of one document inside the main frame's MDI area. It owns its
// document and shows its tab window; its title is the document's title.
// Closing it asks to save a modified document first.
class DocumentWindow : public QMdiSubWindow
{
    Q_OBJECT
public:
    DocumentWindow(std::unique_ptr<DeckDocument> doc, SyncHost &host, Prompter &prompter,
                   const AppContext &context, QWidget *parent = nullptr);
    ~DocumentWindow() override;

    DeckDocument &document() const { return *m_doc; }
    DocumentTabs *tabWindow() const { return m_tabs; }
    DesignPane *designWnd() const;

    // A WML control: on the Design tab it is armed for the next click on
    // the card; on the Code tab (or in a page without a design) its dialog
    // is shown and its WML typed at the caret. A disabled command does
    // nothing.
    void OnControlCommand(ControlCommand command);
    // The pointer tool: nothing armed.
    void OnDeselect();
    // The Designing bar's preview: the saved deck handed to the emulator.
    void OnPreview();
    // Tools > Invoke The Emulator: validated, then shown in a new emulator.
    void OnInvokeEmulator();
    // The save prompt of a modified document, asked before closing: true
    // when the window may close, which it then does without asking again.
    bool approveClose();
    // The save prompt without closing: Yes saves now. False on Cancel.
    bool offerSave();
    // Closes with no question: the user was asked already.
    void closeUnasked();
    // Enabled and checked, for the WML controls.
    ControlCommandState controlCommandState(ControlCommand command) const;
    // The preview serves WML documents only.
    bool canPreview() const;
    ControlContext controlContext() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void runSourceWay(ControlCommand command);
    bool m_closeApproved = false;
    // Replaces the code view's selection, as typed by the user.
    void typeIntoCode(const std::string &text);

    std::unique_ptr<DeckDocument> m_doc;
    DocumentTabs *m_tabs = nullptr;
};

} // namespace tess
