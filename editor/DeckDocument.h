#pragma once

#include "deck/DeckModel.h"

#include <QObject>

#include <array>
#include <memory>
#include <string>

class QUndoStack;

namespace tess {

class MessageSink;

// One open file: its deck, path, title, file kind and flags, and the card
// the designer shows. Views read it and hear of changes through its
// signals; what one of a document's windows asks of another (align all,
// refresh the card list, arm a control) travels as its signals too.
class DeckDocument : public QObject
{
    Q_OBJECT
public:
    explicit DeckDocument(QObject *parent = nullptr);
    ~DeckDocument() override;

    DeckModel &model() { return m_model; }
    const DeckModel &model() const { return m_model; }

    // Empty for a document never saved; ".tmp" in it marks a temporary one.
    const std::string &path() const { return m_path; }
    // Also points the deck's file there.
    void setPath(const std::string &path);
    bool isTemporary() const;
    const std::string &title() const { return m_title; }
    void setTitle(const std::string &title);
    // The folder of the document's file; empty without a path.
    std::string folder() const;

    // Both clear for WML.
    bool isAsp() const { return m_model.kind == PageKind::Asp; }
    bool isJsp() const { return m_model.kind == PageKind::Jsp; }
    void setFileKind(PageKind kind) { m_model.kind = kind; }

    bool isModified() const { return m_modified; }
    void setModified(bool modified = true);

    bool savePromptAnsweredYes = false;
    bool openedFromTemporary = false;
    bool openedThroughOpenFile = false;
    // Set while the XML Tree tab is shown.
    bool xmlTreeActive = false;
    // Controls inserted on the canvas and not deleted since, which sizes the
    // scroll area after a delete; undo and redo follow it.
    int insertedControls = 0;

    // The designer's selection hints: one for each of the kinds input,
    // select, text, option, anchor, image and option group, and a default
    // one for every other kind. A switch to Design sets the hint of
    // hintKind; leaving Design clears them all.
    static constexpr int kSelectionHintCount = 8;
    ElementKind hintKind = ElementKind::Other;
    const std::array<bool, kSelectionHintCount> &selectionHints() const { return m_hints; }
    void setSelectionHintOfKind();
    void clearSelectionHints() { m_hints.fill(false); }

    // The card the designer shows (null when it no longer exists) and its
    // 1-based position as last chosen; the two may differ for a while, as
    // when a card was deleted.
    DeckNode *CurrentCard() const;
    void setCurrentCard(DeckNode *card);
    int CurrentCardIndex() const { return m_currentCardIndex; }
    void setCurrentCardIndex(int index) { m_currentCardIndex = index; }

    // The node the designer has selected; null when none (or gone).
    DeckNode *selectedNode() const;
    void setSelectedNode(DeckNode *node);

    // A new, unnamed document: the designer's starting deck, card 1 current.
    void startNewDeck();
    // Opening a document file, the framework's part: the file must be
    // readable as a deck, a regular file of at most 256 MiB (else false, with
    // the reason in *error); its path and name are remembered, and ".tmp" in
    // the path marks the document modified and opened from a temporary file.
    // The tab window loads the deck.
    bool OnOpenDocument(const std::string &path, std::string *error);
    // OnOpenDocument, then the file kind set from the path and the deck
    // loaded through the text pipeline, reporting to `sink`, with its first
    // card current; a deck that does not parse leaves the design empty.
    bool openFile(const std::string &path, MessageSink &sink, std::string *error);

    // Align All to the design view and the refresh request to the card list.
    void requestAlignAll() { emit alignAllRequested(); }
    void requestCardListRefresh() { emit cardListRefreshRequested(); }

    // The control armed on the design surface (Other when none) and the tool
    // check flags, in the order of ToolFlag; exactly one is set.
    enum ToolFlag {
        ToolPointer,
        ToolAnchor,
        ToolSelect,
        ToolInput,
        ToolText,
        ToolOption,
        ToolOptgroup,
        ToolImage,
        ToolCount
    };
    ElementKind armedKind() const { return m_armedKind; }
    void setArmedKind(ElementKind kind) { m_armedKind = kind; }
    bool toolFlag(int tool) const { return tool >= 0 && tool < ToolCount && m_tools[tool]; }
    // Sets `tool` and clears the seven others.
    void checkOnlyTool(int tool);
    // The armed control turned on and off in the design view.
    void requestArmControl() { emit armControlRequested(); }
    void requestDisarmControl() { emit disarmControlRequested(); }

    // The history of design edits (Edit > Undo/Redo on the Design tab); it
    // keeps the modified flag in step with the state last saved.
    QUndoStack *undoStack() const { return m_undoStack.get(); }

signals:
    void modifiedChanged(bool modified);
    void titleChanged(const QString &title);
    void alignAllRequested();
    void cardListRefreshRequested();
    void armControlRequested();
    void disarmControlRequested();
    // After checkOnlyTool: the tool buttons show the flags again.
    void toolsChanged();

private:
    DeckModel m_model;
    std::string m_path;
    std::string m_title;
    bool m_modified = false;
    // Kept by identifier, so a node that is deleted or a tree that is
    // reloaded leaves nothing dangling.
    int m_currentCardId = 0;
    int m_currentCardIndex = 1;
    int m_selectedId = 0;
    ElementKind m_armedKind = ElementKind::Other;
    std::array<bool, ToolCount> m_tools {true, false, false, false, false, false, false, false};
    std::array<bool, kSelectionHintCount> m_hints {};
    // Last, so that it goes before the deck it refers to.
    std::unique_ptr<QUndoStack> m_undoStack;
};

} // namespace tess
