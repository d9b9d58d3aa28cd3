#include "editor/DeckDocument.h"

#include "deck/DeckFile.h"
#include "deck/ElementKind.h"
#include "editor/CardLayout.h"
#include "editor/DesignCommands.h"
#include "wml/FileUtil.h"

#include <filesystem>

namespace tess {

DeckDocument::DeckDocument(QObject *parent)
    : QObject(parent)
    , m_undoStack(std::make_unique<DesignHistory>(*this))
{ }

DeckDocument::~DeckDocument() = default;

void DeckDocument::setPath(const std::string &path)
{
    m_path = path;
    m_model.filePath = path;
}

bool DeckDocument::isTemporary() const
{
    return m_path.find(".tmp") != std::string::npos;
}

void DeckDocument::setTitle(const std::string &title)
{
    if (title == m_title)
        return;
    m_title = title;
    emit titleChanged(QString::fromStdString(title));
}

std::string DeckDocument::folder() const
{
    return m_path.empty() ? std::string() : std::filesystem::path(m_path).parent_path().string();
}

void DeckDocument::setModified(bool modified)
{
    if (modified == m_modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

DeckNode *DeckDocument::CurrentCard() const
{
    DeckNode *card = FindLiveById(m_model.root(), m_currentCardId);
    return card && card->kind() == ElementKind::Card ? card : nullptr;
}

void DeckDocument::setCurrentCard(DeckNode *card)
{
    m_currentCardId = card ? card->id() : 0;
}

DeckNode *DeckDocument::selectedNode() const
{
    return FindLiveById(m_model.root(), m_selectedId);
}

void DeckDocument::setSelectedNode(DeckNode *node)
{
    m_selectedId = node ? node->id() : 0;
}

void DeckDocument::startNewDeck()
{
    setCurrentCard(CardLayout::buildStartingDeck(m_model));
    m_currentCardIndex = 1;
}

void DeckDocument::setSelectionHintOfKind()
{
    static constexpr ElementKind kinds[kSelectionHintCount - 1]
        = {ElementKind::Input,  ElementKind::Select, ElementKind::Text,    ElementKind::Option,
           ElementKind::Anchor, ElementKind::Image,  ElementKind::Optgroup};
    int hint = kSelectionHintCount - 1;
    for (int i = 0; i < kSelectionHintCount - 1; ++i) {
        if (kinds[i] == hintKind)
            hint = i;
    }
    m_hints[size_t(hint)] = true;
}

bool DeckDocument::OnOpenDocument(const std::string &path, std::string *error)
{
    // Only whether the file can be read matters here; the tab window reads
    // it when it loads the deck.
    if (std::string why = unreadableFileReason(path); !why.empty()) {
        if (error)
            *error = std::move(why);
        return false;
    }
    setPath(path);
    setTitle(std::filesystem::path(path).filename().string());
    if (isTemporary()) {
        openedFromTemporary = true;
        setModified(true);
    }
    return true;
}

bool DeckDocument::openFile(const std::string &path, MessageSink &sink, std::string *error)
{
    if (!OnOpenDocument(path, error))
        return false;
    setFileKindFromPath(m_model);
    if (LoadDeckFromFile(m_model, sink)) {
        setCurrentCard(NthCard(m_model.root(), 1));
        m_currentCardIndex = 1;
    } else {
        // Nothing of a deck that did not parse is shown.
        m_model.clear();
        setCurrentCard(nullptr);
    }
    return true;
}

void DeckDocument::checkOnlyTool(int tool)
{
    if (tool < 0 || tool >= ToolCount)
        return;
    m_tools.fill(false);
    m_tools[tool] = true;
    emit toolsChanged();
}

} // namespace tess
