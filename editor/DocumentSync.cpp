#include "editor/DocumentSync.h"

#include "deck/CompiledDeck.h"
#include "deck/DeckConstants.h"
#include "deck/DeckFile.h"
#include "deck/DeckWriter.h"
#include "deck/NodeIndex.h"
#include "deck/SourceConstants.h"
#include "deck/SourceForm.h"
#include "editor/DeckDocument.h"
#include "editor/DocumentTexts.h"
#include "editor/Prompter.h"
#include "wml/FileUtil.h"
#include "wml/TextEncoding.h"
#include "wml/XmlDocument.h"

#include <QUndoStack>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>

namespace tess {

namespace {

std::string fileTitle(const std::string &path)
{
    return std::filesystem::path(path).filename().string();
}

// Blanks typed before the XML declaration would make the file no XML at all.
std::string withDeclarationFirst(const std::string &text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && first > 0 && text.compare(first, 5, "<?xml") == 0)
        return text.substr(first);
    return text;
}

Outcome unableToSave()
{
    return Outcome::failed(std::string(UnableToSaveFileText), Prompter::Icon::Stop);
}

Outcome unableToOpen()
{
    return Outcome::failed(std::string(UnableToOpenFileText), Prompter::Icon::Stop);
}

} // namespace

int errorLineOf(const std::string &message)
{
    const size_t at = message.find("line ");
    if (at == std::string::npos)
        return 0;
    const size_t from = at + 5;
    const size_t comma = message.find(',', from);
    if (comma == std::string::npos)
        return 0;
    const size_t first = message.find_first_not_of(" \t\r\n", from);
    const size_t last = message.find_last_not_of(" \t\r\n", comma - 1);
    if (first == std::string::npos || first >= comma || last < first || last - first >= 9)
        return 0;
    int n = 0;
    for (size_t i = first; i <= last; ++i) {
        if (message[i] < '0' || message[i] > '9')
            return 0;
        n = n * 10 + (message[i] - '0');
    }
    return n;
}

std::pair<size_t, size_t> lineSelection(const std::string &text, int line)
{
    size_t start = 0;
    for (int seen = 1; seen < line; ++seen) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    const size_t end = text.find('\n', start);
    return {start, end == std::string::npos ? text.size() : end};
}

std::string newPageText(bool jsp)
{
    std::string text(jsp ? NewJspPageText : NewAspPageText);
    text += NewPageDeckText;
    return text;
}

DocumentSync::DocumentSync(DeckDocument &doc, SyncViews &views, SyncHost &host, Prompter &prompter,
                           SyncPaths paths)
    : m_doc(doc)
    , m_views(views)
    , m_host(host)
    , m_prompter(prompter)
    , m_paths(std::move(paths))
    , m_serverPage(doc.isAsp() || doc.isJsp())
    , m_active(m_serverPage ? CodeTab : DesignTab)
    , m_previous(m_active)
{
    m_modifiedWatch = QObject::connect(&m_doc, &DeckDocument::modifiedChanged, [this](bool on) {
        if (on)
            m_untouched.reset();
    });
}

DocumentSync::~DocumentSync()
{
    QObject::disconnect(m_modifiedWatch);
}

bool DocumentSync::loadDeck()
{
    m_untouched.reset();
    DeckModel &model = m_doc.model();
    const std::optional<std::string> bytes = readWholeFile(model.filePath);
    // A file that cannot be read is reported by the load itself.
    if (!bytes)
        return LoadDeckFromFile(model, m_host);
    XmlDocument parsed;
    if (!LoadDeckFromBytes(model, *bytes, m_host, parsed))
        return false;
    m_untouched = LoadedBytes {model.filePath, bytes->size(), std::hash<std::string> {}(*bytes)};
    return true;
}

void DocumentSync::standAsReloaded()
{
    DeckModel &model = m_doc.model();
    // A load makes every node afresh: none is placed, and the identifiers
    // of the current card and the selection lead nowhere.
    for (DeckNode *n = model.root(); n; n = nextInSubtree(n, model.root())) {
        if (n->element)
            n->element->rect = {};
    }
    m_doc.setCurrentCard(nullptr);
    m_doc.setSelectedNode(nullptr);
    model.compile.errorFlag = false;
    model.compile.outputMessage = CompileSuccessText;
    m_host.showMessage(model.compile.outputMessage);
}

std::string DocumentSync::tempDir() const
{
    if (!m_paths.tempDir.empty())
        return m_paths.tempDir;
    std::error_code error;
    const std::filesystem::path dir = std::filesystem::temp_directory_path(error);
    return error ? std::string("/tmp") : dir.string();
}

std::string DocumentSync::currentPrologue() const
{
    return m_paths.prologue ? m_paths.prologue() : prologue(false, {});
}

// The file as the code view shows it; the file's form is noted so that the
// code goes back in the same encoding and line ends.
std::optional<std::string> DocumentSync::readCodeFromFile()
{
    const std::optional<std::string> bytes = readWholeFile(m_doc.path());
    if (!bytes)
        return std::nullopt;
    DecodedText decoded = decodeText(*bytes);
    if (!decoded.ok)
        return withLineFeeds(*bytes);
    m_doc.model().fileForm.format = decoded.format;
    return withLineFeeds(decoded.text);
}

// Writes the design over the file. A deck whose server code the tree cannot
// hold is not written: the code would be lost.
Outcome DocumentSync::writeDesign(std::string *written)
{
    DeckModel &model = m_doc.model();
    if (model.fileForm.codeOutsideText > 0)
        return Outcome::failed(std::string(CodeOutsideTextRefusal), Prompter::Icon::Stop);
    std::string error;
    std::string text;
    std::string note;
    if (!writeDeckSource(model, currentPrologue(), &error, &text, &note))
        return unableToSave();
    if (!note.empty())
        m_host.showMessage(note);
    model.validDeck = true;
    m_syncedPath = m_doc.path();
    if (written)
        *written = std::move(text);
    return {};
}

std::optional<std::string> DocumentSync::predictedCodeText() const
{
    const DeckModel &model = m_doc.model();
    if (m_serverPage || m_doc.path().empty() || !model.validDeck)
        return std::nullopt;
    if (m_doc.isModified())
        return deckSourceText(model, currentPrologue());
    const std::optional<std::string> bytes = readWholeFile(m_doc.path());
    if (!bytes)
        return std::nullopt;
    const DecodedText decoded = decodeText(*bytes);
    return withLineFeeds(decoded.ok ? decoded.text : *bytes);
}

void DocumentSync::markIfTemporary()
{
    if (m_doc.isTemporary())
        m_doc.setModified(true);
}

Outcome DocumentSync::initialLoad()
{
    if (m_loaded)
        return {};
    m_loaded = true;
    DeckModel &model = m_doc.model();
    if (m_serverPage) {
        if (m_doc.path().empty()) {
            m_views.setCodeText(newPageText(m_doc.isJsp()));
            return {};
        }
        setFileKindFromPath(model);
        m_views.refillCardList();
        const std::optional<std::string> text = readCodeFromFile();
        if (!text)
            return unableToOpen();
        m_views.setCodeText(*text);
        m_codeBaseline = *text;
        m_syncedPath = m_doc.path();
        markIfTemporary();
        return {};
    }
    if (m_doc.path().empty())
        return {};
    setFileKindFromPath(model);
    m_syncedPath = m_doc.path();
    if (loadDeck()) {
        m_doc.setCurrentCard(NthCard(model.root(), 1));
        m_doc.setCurrentCardIndex(1);
        m_doc.requestAlignAll();
        m_views.refillCardList();
        m_parseFailed = false;
    } else {
        m_views.refillCardList();
        m_parseFailed = true;
    }
    markIfTemporary();
    return {};
}

void DocumentSync::applyTabFlags(int tab)
{
    m_doc.xmlTreeActive = tab == TreeTab;
    m_doc.clearSelectionHints();
    if (tab == DesignTab)
        m_doc.setSelectionHintOfKind();
}

Outcome DocumentSync::switchTo(int tab)
{
    if (m_serverPage || tab < DesignTab || tab > TreeTab)
        return Outcome::failed();
    const int old = m_active;
    m_active = tab;
    m_views.followCodeTab(tab);
    applyTabFlags(tab);
    Outcome done = tab == DesignTab ? switchToDesign()
        : tab == CodeTab            ? switchToCode()
                                    : switchToTree();
    if (!done.ok) {
        m_active = old;
        m_views.followCodeTab(old);
        applyTabFlags(old);
        return done;
    }
    m_previous = tab;
    return done;
}

// A save that cannot write stops the switch before the design or the code
// is replaced from a file that does not hold the user's work.
Outcome DocumentSync::switchToDesign()
{
    if (Outcome saved = save(); !saved.ok)
        return saved;
    m_doc.setModified(false);
    if (m_previous == CodeTab) {
        DeckModel &model = m_doc.model();
        setFileKindFromPath(model);
        m_parseFailed = !loadDeck();
    }
    // Every switch leaves a document that lives in a temporary file
    // modified, so that closing it asks to save it.
    markIfTemporary();
    m_doc.requestCardListRefresh();
    m_views.refillCardList();
    return {};
}

// Only a design changed since the file was last written is written: a
// click on a tab never changes the user's file.
Outcome DocumentSync::switchToCode()
{
    m_doc.model().compile.lineJumpPending = true;
    DeckModel &model = m_doc.model();
    std::optional<std::string> code;
    if (!m_doc.path().empty()) {
        if (m_previous == CodeTab)
            return {};
        setFileKindFromPath(model);
        if ((m_previous == DesignTab || m_previous == TreeTab) && model.validDeck
            && m_doc.isModified()) {
            std::string written;
            if (Outcome wrote = writeDesign(&written); !wrote.ok)
                return wrote;
            code = std::move(written);
            m_doc.setModified(false);
        }
    } else {
        if (Outcome saved = save(); !saved.ok)
            return saved;
        m_doc.setModified(false);
        markIfTemporary();
    }
    if (!code)
        code = readCodeFromFile();
    if (!code)
        return unableToOpen();
    // Setting a long text costs far more than comparing it: a switch that
    // finds the code as the view holds it leaves the view alone.
    if (*code != m_views.codeText())
        m_views.setCodeText(*code);
    m_codeBaseline = std::move(*code);
    m_syncedPath = m_doc.path();
    markIfTemporary();
    return selectErrorLine(true);
}

Outcome DocumentSync::switchToTree()
{
    if (m_previous == TreeTab)
        return {};
    // The deck as loaded, untouched since (no edit, not even one undone),
    // from the file it names.
    const std::optional<LoadedBytes> untouched = std::exchange(m_untouched, std::nullopt);
    const bool asLoaded = untouched && untouched->path == m_doc.path() && !m_doc.isModified()
        && m_doc.undoStack()->count() == 0 && m_doc.model().validDeck;
    if (Outcome saved = save(); !saved.ok)
        return saved;
    m_doc.setModified(false);
    if (!m_doc.path().empty()) {
        m_host.clearOutput();
        m_views.clearTree();
        DeckModel &model = m_doc.model();
        // Reading the file costs little beside parsing it: when it holds
        // the bytes the deck was loaded from, the deck stands for the load.
        std::optional<std::string> bytes;
        if (asLoaded)
            bytes = readWholeFile(model.filePath);
        const bool same = bytes
            && LoadedBytes {model.filePath, bytes->size(), std::hash<std::string> {}(*bytes)}
                == *untouched;
        if (same)
            standAsReloaded();
        // The load has just parsed the file; the tree is built from it
        // without a second parse.
        if (same || loadDeck()) {
            Validate(model, m_host, true, [this](const DeckModel &m) { m_views.buildTree(m); });
        }
    }
    markIfTemporary();
    return {};
}

Outcome DocumentSync::selectErrorLine(bool saveFirst)
{
    Outcome told;
    const int line = errorLineOf(m_doc.model().compile.outputMessage);
    if (line <= 0)
        return told;
    if (saveFirst) {
        Outcome saved = save();
        if (saved.ok)
            m_doc.setModified(false);
        told.message = std::move(saved.message);
        told.icon = saved.icon;
    }
    const std::string text = m_views.codeText();
    const auto [start, end] = lineSelection(text, line);
    m_views.selectCode(start, end);
    markIfTemporary();
    return told;
}

// Writes only what changed: the code text when it differs from what the
// file holds, the design when it was edited since the file was written.
Outcome DocumentSync::save()
{
    m_doc.model().compile.lineJumpPending = false;
    const std::string text = m_views.codeText();
    if (m_doc.path().empty())
        return saveUnnamed(text);

    DeckModel &model = m_doc.model();
    setFileKindFromPath(model);
    // A document given a new name has nothing on disk yet.
    const bool renamed = m_doc.path() != m_syncedPath;
    Outcome outcome;
    if (m_serverPage || m_active == CodeTab || m_previous == CodeTab) {
        // The user worked in the code.
        if (text != m_codeBaseline || renamed)
            outcome = replaceDocumentFile(text);
    } else if (model.validDeck && (m_doc.isModified() || renamed)) {
        // The design, or the tree with its moves: the deck is what the user
        // sees, while the code view may hold an older text or none.
        outcome = writeDesign();
    }
    if (outcome.ok)
        m_doc.setModified(false);
    return outcome;
}

Outcome DocumentSync::saveUnnamed(const std::string &text)
{
    if (m_serverPage) {
        const std::string path = m_prompter.saveFileName(nameRequest());
        if (path.empty())
            return Outcome::failed();
        m_doc.setPath(path);
        m_doc.setTitle(fileTitle(path));
        return replaceDocumentFile(text);
    }
    m_doc.setPath(tempDir() + "/" + m_doc.title() + ".tmp");
    DeckModel &model = m_doc.model();
    setFileKindFromPath(model);
    if (Outcome wrote = writeDesign(); !wrote.ok)
        return wrote;
    m_doc.setModified(true);
    return {};
}

Outcome DocumentSync::replaceDocumentFile(const std::string &text)
{
    // The user's file is replaced whole or not at all.
    std::string error;
    std::string note;
    const std::string written = m_serverPage ? text : withDeclarationFirst(text);
    if (!writeCodeText(m_doc.path(), written, m_doc.model().fileForm.format, &error, &note))
        return unableToSave();
    // Characters the file's encoding cannot hold are written as references;
    // the user is told, since inside a comment those read as they stand.
    if (!note.empty())
        m_host.showMessage(note);
    m_codeBaseline = text;
    m_syncedPath = m_doc.path();
    return {};
}

Outcome DocumentSync::useDtd(const std::string &systemId)
{
    DeckModel &model = m_doc.model();
    // The design writes the deck with this prolog from now on.
    std::optional<std::string> prolog = withDoctypeSystemId(model.fileForm.prolog, systemId);
    if (prolog)
        model.fileForm.prolog = std::move(*prolog);
    const bool onDisk = !m_doc.path().empty() && !m_doc.isTemporary() && !m_doc.isModified();
    if (m_serverPage || m_active == CodeTab) {
        const std::string shown = m_views.codeText();
        std::optional<std::string> text = withDoctypeSystemId(shown, systemId);
        if (!text)
            return {};
        m_views.setCodeText(*text);
        // Work typed since the last save stays the user's to save.
        if (!onDisk || shown != m_codeBaseline) {
            m_doc.setModified(true);
            return {};
        }
        return saveDocument();
    }
    if (!onDisk) {
        if (prolog && model.validDeck)
            m_doc.setModified(true);
        return {};
    }
    const std::optional<std::string> code = readCodeFromFile();
    std::optional<std::string> text = code ? withDoctypeSystemId(*code, systemId) : std::nullopt;
    if (!text)
        return {};
    std::string error;
    std::string note;
    if (!writeCodeText(m_doc.path(), *text, model.fileForm.format, &error, &note))
        return unableToSave();
    if (!note.empty())
        m_host.showMessage(note);
    return {};
}

bool DocumentSync::validate(XmlDocument *parsed)
{
    // Its own load, when it makes one, reads the file anew.
    m_untouched.reset();
    m_views.clearTree();
    const bool previousIsDesign = m_previous == DesignTab;
    std::function<void(const DeckModel &)> build;
    if (!(m_parseFailed && previousIsDesign))
        build = [this](const DeckModel &m) { m_views.buildTree(m); };
    if (parsed)
        return Validate(m_doc.model(), m_host, previousIsDesign, build, *parsed);
    return Validate(m_doc.model(), m_host, previousIsDesign, build);
}

void DocumentSync::showCompiledSize(const XmlDocument &parsed)
{
    CompiledDeck deck;
    if (parsed.documentElement()) {
        std::error_code ec;
        const uint64_t size = std::filesystem::file_size(m_doc.path(), ec);
        deck = compileParsedDeck(parsed, m_doc.model().kind, ec ? 0 : size);
    } else {
        // The switch from Design wrote the file without parsing it back.
        deck = compileDeckFile(m_doc.path());
    }
    CompileState &state = m_doc.model().compile;
    state.outputMessage += "\r\n" + compiledSizeLine(deck);
    m_host.showMessage(state.outputMessage);
}

Outcome DocumentSync::compile()
{
    if (m_serverPage || m_doc.isAsp() || m_doc.isJsp())
        return Outcome::failed();
    m_host.showMessage({});
    m_doc.model().compile.outputMessage.clear();
    if (Outcome saved = save(); !saved.ok)
        return saved;
    XmlDocument parsed;
    if (m_active != CodeTab) {
        // The design stays as shown; the Code tab selects the error line
        // when it is next shown.
        if (!CheckDeckFile(m_doc.model(), m_host, parsed))
            return Outcome::failed();
        showCompiledSize(parsed);
        return {};
    }
    if (validate(&parsed)) {
        showCompiledSize(parsed);
        return {};
    }
    // The error line is shown at once rather than on the next Code switch.
    selectErrorLine(false);
    return Outcome::failed();
}

Outcome DocumentSync::preview(bool validateFirst)
{
    const auto unsaved
        = [] { return Outcome::failed(std::string(PreviewNeedsSaveText), Prompter::Icon::Stop); };
    if (m_doc.path().empty())
        return unsaved();
    markIfTemporary();
    if (validateFirst && !validate())
        return Outcome::failed(std::string(CompilationErrorText));
    // A deck that was never saved under a name of its own is not shown: its
    // scratch file goes with the program.
    if (m_doc.isTemporary())
        return unsaved();
    m_host.launchEmulator(m_doc.path(),
                          validateFirst ? SyncHost::Launch::New : SyncHost::Launch::HandOff);
    return {};
}

// A page is named as what it is: an ASP page is offered as ".asp" only, a
// deck with all three kinds and ".wml" first.
Prompter::FileRequest DocumentSync::nameRequest() const
{
    Prompter::FileRequest request;
    request.title = kSaveAsTitle;
    request.filter = m_doc.isAsp() ? kAspFileFilter
        : m_doc.isJsp()            ? kJspFileFilter
                                   : kOpenFileFilter;
    request.defaultExtension = m_doc.isAsp() ? "asp" : m_doc.isJsp() ? "jsp" : kDefaultExtension;
    request.confirmOverwrite = true;
    return request;
}

bool DocumentSync::askForName()
{
    const std::string path = m_prompter.saveFileName(nameRequest());
    if (path.empty())
        return false;
    m_doc.setPath(path);
    m_doc.setTitle(fileTitle(path));
    m_host.addRecentFile(path);
    return true;
}

Outcome DocumentSync::saveCommand()
{
    if ((m_doc.path().empty() || m_doc.isTemporary()) && !askForName())
        return Outcome::failed();
    return saveDocument();
}

Outcome DocumentSync::saveAsCommand()
{
    if (!askForName())
        return Outcome::failed();
    return saveDocument();
}

Outcome DocumentSync::queryClose()
{
    if (!m_doc.isModified())
        return {};
    const Prompter::Answer answer
        = m_prompter.message(kSaveChangesPrefix + m_doc.title() + kSaveChangesSuffix,
                             Prompter::Icon::Question, Prompter::Buttons::YesNoCancel);
    if (answer == Prompter::Answer::No)
        return {};
    if (answer != Prompter::Answer::Yes)
        return Outcome::failed();
    if (m_doc.path().empty() || m_doc.isTemporary()) {
        const std::string temporary = m_doc.isTemporary() ? m_doc.path() : std::string();
        // The temporary file goes only once a name was chosen, so that a
        // cancelled dialog leaves the document as it was.
        if (!askForName())
            return Outcome::failed();
        if (!temporary.empty())
            std::remove(temporary.c_str());
    }
    if (Outcome saved = saveDocument(); !saved.ok)
        return saved;
    m_doc.setModified(false);
    m_doc.savePromptAnsweredYes = true;
    return {};
}

Outcome DocumentSync::closeDocument()
{
    m_host.clearOutput();
    if (m_doc.savePromptAnsweredYes)
        return saveDocument();
    return {};
}

Outcome DocumentSync::saveDocument()
{
    m_host.clearOutput();
    Outcome saved = save();
    if (saved.ok)
        m_doc.setModified(false);
    return saved;
}

} // namespace tess
