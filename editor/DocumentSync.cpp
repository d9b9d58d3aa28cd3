#include "editor/DocumentSync.h"

#include "deck/DeckConstants.h"
#include "deck/DeckFile.h"
#include "deck/DeckWriter.h"
#include "deck/SourceConstants.h"
#include "deck/SourceForm.h"
#include "editor/DeckDocument.h"
#include "editor/DocumentTexts.h"
#include "editor/Prompter.h"
#include "wml/FileUtil.h"
#include "wml/TextEncoding.h"
#include "wml/XmlDocument.h"

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

void tellUnableToSave()
{
    Prompter::current().message(std::string(UnableToSaveFileText), Prompter::Icon::Stop);
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

DocumentSync::DocumentSync(DeckDocument &doc, SyncViews &views, SyncHost &host, SyncPaths paths)
    : m_doc(doc)
    , m_views(views)
    , m_host(host)
    , m_paths(std::move(paths))
    , m_serverPage(doc.isAsp() || doc.isJsp())
    , m_active(m_serverPage ? CodeTab : DesignTab)
    , m_previous(m_active)
{ }

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
std::optional<std::string> DocumentSync::writeDesign()
{
    DeckModel &model = m_doc.model();
    if (model.fileForm.codeOutsideText > 0) {
        Prompter::current().message(std::string(CodeOutsideTextRefusal), Prompter::Icon::Stop);
        return std::nullopt;
    }
    std::string error;
    std::string written;
    std::string note;
    if (!writeDeckSource(model, currentPrologue(), &error, &written, &note)) {
        tellUnableToSave();
        return std::nullopt;
    }
    if (!note.empty())
        m_host.showMessage(note);
    model.validDeck = true;
    m_syncedPath = m_doc.path();
    return written;
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

void DocumentSync::initialLoad()
{
    if (m_loaded)
        return;
    m_loaded = true;
    DeckModel &model = m_doc.model();
    if (m_serverPage) {
        if (m_doc.path().empty()) {
            m_views.setCodeText(newPageText(m_doc.isJsp()));
            return;
        }
        setFileKindFromPath(model);
        const std::optional<std::string> text = readCodeFromFile();
        if (!text) {
            Prompter::current().message(std::string(UnableToOpenFileText), Prompter::Icon::Stop);
            return;
        }
        m_views.setCodeText(*text);
        m_codeBaseline = *text;
        m_syncedPath = m_doc.path();
        markIfTemporary();
        return;
    }
    if (m_doc.path().empty())
        return;
    setFileKindFromPath(model);
    m_syncedPath = m_doc.path();
    if (LoadDeckFromFile(model, m_host)) {
        m_doc.setCurrentCard(NthCard(model.root(), 1));
        m_doc.setCurrentCardIndex(1);
        m_doc.requestAlignAll();
        m_views.refillCardList();
        m_parseFailed = false;
    } else {
        m_parseFailed = true;
    }
    markIfTemporary();
}

void DocumentSync::applyTabFlags(int tab)
{
    m_doc.xmlTreeActive = tab == TreeTab;
    m_doc.clearSelectionHints();
    if (tab == DesignTab)
        m_doc.setSelectionHintOfKind();
}

bool DocumentSync::switchTo(int tab)
{
    if (m_serverPage || tab < DesignTab || tab > TreeTab)
        return false;
    const int old = m_active;
    m_active = tab;
    m_views.followCodeTab(tab);
    applyTabFlags(tab);
    const bool done = tab == DesignTab ? switchToDesign()
        : tab == CodeTab               ? switchToCode()
                                       : switchToTree();
    if (!done) {
        m_active = old;
        m_views.followCodeTab(old);
        applyTabFlags(old);
        return false;
    }
    m_previous = tab;
    return true;
}

// A save that cannot write stops the switch before the design or the code
// is replaced from a file that does not hold the user's work.
bool DocumentSync::switchToDesign()
{
    if (!save())
        return false;
    m_doc.setModified(false);
    if (m_previous == CodeTab) {
        DeckModel &model = m_doc.model();
        setFileKindFromPath(model);
        m_parseFailed = !LoadDeckFromFile(model, m_host);
    }
    // Every switch leaves a document that lives in a temporary file
    // modified, so that closing it asks to save it.
    markIfTemporary();
    m_doc.requestCardListRefresh();
    m_views.refillCardList();
    return true;
}

// Only a design changed since the file was last written is written: a
// click on a tab never changes the user's file.
bool DocumentSync::switchToCode()
{
    m_doc.model().compile.lineJumpPending = true;
    DeckModel &model = m_doc.model();
    std::optional<std::string> code;
    if (!m_doc.path().empty()) {
        if (m_previous == CodeTab)
            return true;
        setFileKindFromPath(model);
        if ((m_previous == DesignTab || m_previous == TreeTab) && model.validDeck
            && m_doc.isModified()) {
            code = writeDesign();
            if (!code)
                return false;
            m_doc.setModified(false);
        }
    } else {
        if (!save())
            return false;
        m_doc.setModified(false);
        markIfTemporary();
    }
    if (!code)
        code = readCodeFromFile();
    if (!code) {
        Prompter::current().message(std::string(UnableToOpenFileText), Prompter::Icon::Stop);
        return false;
    }
    // Setting a long text costs far more than comparing it: a switch that
    // finds the code as the view holds it leaves the view alone.
    if (*code != m_views.codeText())
        m_views.setCodeText(*code);
    m_codeBaseline = std::move(*code);
    m_syncedPath = m_doc.path();
    markIfTemporary();
    selectErrorLine(true);
    return true;
}

bool DocumentSync::switchToTree()
{
    if (m_previous == TreeTab)
        return true;
    if (!save())
        return false;
    m_doc.setModified(false);
    if (!m_doc.path().empty()) {
        m_host.clearOutput();
        m_views.clearTree();
        DeckModel &model = m_doc.model();
        // The load has just parsed the file; the tree is built from it
        // without a second parse.
        if (LoadDeckFromFile(model, m_host)) {
            Validate(model, m_host, true, [this](const DeckModel &m) { m_views.buildTree(m); });
        }
    }
    markIfTemporary();
    return true;
}

void DocumentSync::selectErrorLine(bool saveFirst)
{
    const int line = errorLineOf(m_doc.model().compile.outputMessage);
    if (line <= 0)
        return;
    if (saveFirst && save())
        m_doc.setModified(false);
    const std::string text = m_views.codeText();
    const auto [start, end] = lineSelection(text, line);
    m_views.selectCode(start, end);
    markIfTemporary();
}

// Writes only what changed: the code text when it differs from what the
// file holds, the design when it was edited since the file was written.
bool DocumentSync::save()
{
    m_doc.model().compile.lineJumpPending = false;
    const std::string text = m_views.codeText();
    if (m_doc.path().empty())
        return saveUnnamed(text);

    DeckModel &model = m_doc.model();
    setFileKindFromPath(model);
    // A document given a new name has nothing on disk yet.
    const bool renamed = m_doc.path() != m_syncedPath;
    bool ok = true;
    if (m_serverPage || m_active == CodeTab || m_previous == CodeTab) {
        // The user worked in the code.
        if (text != m_codeBaseline || renamed)
            ok = replaceDocumentFile(text);
    } else if (model.validDeck && (m_doc.isModified() || renamed)) {
        // The design, or the tree with its moves: the deck is what the user
        // sees, while the code view may hold an older text or none.
        ok = writeDesign().has_value();
    }
    if (ok)
        m_doc.setModified(false);
    return ok;
}

bool DocumentSync::saveUnnamed(const std::string &text)
{
    if (m_serverPage) {
        const std::string path = Prompter::current().saveFileName(nameRequest());
        if (path.empty())
            return false;
        m_doc.setPath(path);
        m_doc.setTitle(fileTitle(path));
        return replaceDocumentFile(text);
    }
    m_doc.setPath(tempDir() + "/" + m_doc.title() + ".tmp");
    DeckModel &model = m_doc.model();
    setFileKindFromPath(model);
    if (!writeDesign())
        return false;
    m_doc.setModified(true);
    return true;
}

bool DocumentSync::replaceDocumentFile(const std::string &text)
{
    // The user's file is replaced whole or not at all.
    std::string error;
    std::string note;
    const std::string written = m_serverPage ? text : withDeclarationFirst(text);
    if (!writeCodeText(m_doc.path(), written, m_doc.model().fileForm.format, &error, &note)) {
        tellUnableToSave();
        return false;
    }
    // Characters the file's encoding cannot hold are written as references;
    // the user is told, since inside a comment those read as they stand.
    if (!note.empty())
        m_host.showMessage(note);
    m_codeBaseline = text;
    m_syncedPath = m_doc.path();
    return true;
}

bool DocumentSync::validate()
{
    m_views.clearTree();
    const bool previousIsDesign = m_previous == DesignTab;
    std::function<void(const DeckModel &)> build;
    if (!(m_parseFailed && previousIsDesign))
        build = [this](const DeckModel &m) { m_views.buildTree(m); };
    return Validate(m_doc.model(), m_host, previousIsDesign, build);
}

bool DocumentSync::compile()
{
    if (m_serverPage || m_doc.isAsp() || m_doc.isJsp())
        return false;
    m_host.showMessage({});
    m_doc.model().compile.outputMessage.clear();
    if (!save())
        return false;
    if (m_active != CodeTab) {
        // The design stays as shown; the Code tab selects the error line
        // when it is next shown.
        return CheckDeckFile(m_doc.model(), m_host);
    }
    if (validate())
        return true;
    // The error line is shown at once rather than on the next Code switch.
    selectErrorLine(false);
    return false;
}

bool DocumentSync::preview()
{
    if (m_doc.path().empty()) {
        Prompter::current().message(std::string(PreviewNeedsSaveText), Prompter::Icon::Stop);
        return false;
    }
    markIfTemporary();
    if (!validate()) {
        Prompter::current().message(std::string(CompilationErrorText));
        return false;
    }
    m_host.launchEmulator(m_doc.path());
    return true;
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
    const std::string path = Prompter::current().saveFileName(nameRequest());
    if (path.empty())
        return false;
    m_doc.setPath(path);
    m_doc.setTitle(fileTitle(path));
    m_host.addRecentFile(path);
    return true;
}

bool DocumentSync::saveCommand()
{
    if ((m_doc.path().empty() || m_doc.isTemporary()) && !askForName())
        return false;
    return saveDocument();
}

bool DocumentSync::queryClose()
{
    if (!m_doc.isModified())
        return true;
    const Prompter::Answer answer
        = Prompter::current().message(kSaveChangesPrefix + m_doc.title() + kSaveChangesSuffix,
                                      Prompter::Icon::Question, Prompter::Buttons::YesNoCancel);
    if (answer == Prompter::Answer::No)
        return true;
    if (answer != Prompter::Answer::Yes)
        return false;
    if (m_doc.path().empty() || m_doc.isTemporary()) {
        const std::string temporary = m_doc.isTemporary() ? m_doc.path() : std::string();
        // The temporary file goes only once a name was chosen, so that a
        // cancelled dialog leaves the document as it was.
        if (!askForName())
            return false;
        if (!temporary.empty())
            std::remove(temporary.c_str());
    }
    if (!saveDocument())
        return false;
    m_doc.setModified(false);
    m_doc.savePromptAnsweredYes = true;
    return true;
}

void DocumentSync::closeDocument()
{
    m_host.clearOutput();
    if (m_doc.savePromptAnsweredYes)
        saveDocument();
}

bool DocumentSync::saveDocument()
{
    m_host.clearOutput();
    if (!save())
        return false;
    m_doc.setModified(false);
    return true;
}

} // namespace tess
