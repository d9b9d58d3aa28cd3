#pragma once

#include "editor/Prompter.h"
#include "wml/MessageSink.h"

#include <QObject>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace tess {

class XmlDocument;

class DeckDocument;
class DeckModel;

// The tabs of a document window, by index.
enum DocumentTab { DesignTab = 0, CodeTab = 1, TreeTab = 2 };

// The views of one document window as the synchronisation sees them.
class SyncViews
{
public:
    virtual ~SyncViews() = default;
    // The code view's whole text: UTF-8 with "\n" line ends.
    virtual std::string codeText() const = 0;
    virtual void setCodeText(const std::string &text) = 0;
    // Selects the bytes [start, end) of the code text.
    virtual void selectCode(size_t start, size_t end) = 0;
    // The card list's rows rebuilt from the deck.
    virtual void refillCardList() = 0;
    virtual void clearTree() = 0;
    virtual void buildTree(const DeckModel &model) = 0;
    // The Find and Replace windows follow the tab being switched to.
    virtual void followCodeTab(int tab) = 0;
};

// What a document window needs of the main window. Messages shown through
// it bring the Output window to the front.
class SyncHost : public MessageSink
{
public:
    // Empties the Output window without bringing it forward.
    virtual void clearOutput() = 0;
    virtual void addRecentFile(const std::string &path) = 0;
    // How the emulator is to show a deck: a new one started (the Tools
    // menu), or a running one told of it, else a new one (the Designing
    // bar's button).
    enum class Launch { New, HandOff };
    // The deck is ready for the emulator.
    virtual void launchEmulator(const std::string &path, Launch how) = 0;
    // A passing word in the status bar; a host without one ignores it.
    virtual void showStatus(const std::string &) { }
};

// Where the synchronisation reads its settings; empty for the program's
// own file. A deck never saved under a name of its own lives in the
// instance's temporary folder (the application's, or the system's when there
// is none).
struct SyncPaths
{
    // The instance's scratch folder (a new deck's ".tmp" file); empty: the
    // system's temporary folder.
    std::string tempDir;
    // The prologue a deck without one gets, read from the preferences at each
    // use since they may change; unset: the published WML 1.1 DTD.
    std::function<std::string()> prologue;
};

// The line number that an output message reports: the text between "line "
// and the next ",", trimmed, read as a decimal number; 0 when there is none.
int errorLineOf(const std::string &message);

// The bytes of `text` that selecting line `line` (from 1) covers: the line
// without its "\n". A text with fewer lines gives its last line.
std::pair<size_t, size_t> lineSelection(const std::string &text, int line);

// What the code view of a new ASP (or JSP) page starts with.
std::string newPageText(bool jsp);

// The tab window's logic without its widgets: the initial load, the three
// tab switches with their conversions through the document's file, Save,
// Compile, the preview's validation, the Save command's naming, the save
// prompt and closing.
//
// ASP and JSP pages keep to the Code tab: they ignore tab clicks and their
// saves write the code text as it stands.
//
// Questions (a file's name, whether to save) are asked through the prompter;
// failures come back in the Outcome of each command, for the window to show.
class DocumentSync
{
public:
    DocumentSync(DeckDocument &doc, SyncViews &views, SyncHost &host, Prompter &prompter,
                 SyncPaths paths = {});
    ~DocumentSync();
    DocumentSync(const DocumentSync &) = delete;
    DocumentSync &operator=(const DocumentSync &) = delete;

    DeckDocument &document() const { return m_doc; }
    bool isServerPage() const { return m_serverPage; }
    int activeTab() const { return m_active; }
    bool initialLoadDone() const { return m_loaded; }

    // Once per window, when it is first shown; later calls do nothing.
    Outcome initialLoad();
    // A click on tab `tab`. Not ok when nothing was switched: a server page,
    // a tab the window does not have, or a switch that stopped because the
    // file could not be written or read (the window stays on its tab).
    Outcome switchTo(int tab);

    Outcome save();
    Outcome compile();
    // The Tools menu's preview: refused without a file of the deck's own,
    // validated, then handed to a new emulator. The Designing bar's button
    // (`validateFirst` false) skips the validation and hands the deck to a
    // running emulator when there is one.
    Outcome preview(bool validateFirst = true);
    // The Output window emptied, the file saved, the document unmodified.
    Outcome saveDocument();
    // The Save command: a name asked for when the document has none of its
    // own, then saveDocument.
    Outcome saveCommand();
    // Save As: a name asked for whatever the document's path, then
    // saveDocument; Cancel leaves the document as it was.
    Outcome saveAsCommand();
    // The save prompt of a modified document; not ok when it stays open.
    Outcome queryClose();
    // The Output window emptied, and the document written once more after a
    // Yes.
    Outcome closeDocument();
    // The preferences now name another DTD: the deck's DOCTYPE is made to
    // name `systemId`. A document with unsaved work changes in the window,
    // for the user to save; a saved one is rewritten (atomically) at once.
    // Nothing is written when the DOCTYPE already names it.
    Outcome useDtd(const std::string &systemId);
    // Before a file is read into the window, or a new document made in it:
    // the Output window is emptied.
    void prepareOpen() { m_host.clearOutput(); }
    void prepareNew() { m_host.clearOutput(); }

    // The text a switch to Code would show if it ran now from the Design
    // tab, computed without writing the file; nullopt without a path, a
    // valid deck, or for a server page. The tab window fills its hidden code view with it in idle
    // time, so that the switch itself only has to put in what changed.
    std::optional<std::string> predictedCodeText() const;

private:
    Outcome switchToDesign();
    Outcome switchToCode();
    Outcome switchToTree();
    void applyTabFlags(int tab);
    // Ok, with what a failed save has to tell.
    Outcome selectErrorLine(bool saveFirst);
    Outcome saveUnnamed(const std::string &text);
    Outcome replaceDocumentFile(const std::string &text);
    std::optional<std::string> readCodeFromFile();
    // The text written goes to *written when that is given.
    Outcome writeDesign(std::string *written = nullptr);
    // `parsed` receives the deck when validation reads it again.
    bool validate(XmlDocument *parsed = nullptr);
    // Compile's last line: the compiled size against the phones' budgets.
    void showCompiledSize(const XmlDocument &parsed);
    // A temporary path keeps the document modified.
    void markIfTemporary();
    Prompter::FileRequest nameRequest() const;
    bool askForName();
    std::string currentPrologue() const;
    std::string tempDir() const;
    // Loads the deck from its file as LoadDeckFromFile does, noting the
    // bytes it read in m_loaded.
    bool loadDeck();
    // Puts the document where a load of the same bytes would: no current
    // card, no selection, no element placed, the load's message shown.
    void standAsReloaded();

    DeckDocument &m_doc;
    SyncViews &m_views;
    SyncHost &m_host;
    Prompter &m_prompter;
    SyncPaths m_paths;
    bool m_serverPage;
    int m_active;
    int m_previous;
    bool m_parseFailed = false;
    bool m_loaded = false;
    // The code text as the file holds it, since it was last read or written;
    // a save writes the code only when the view's text differs from it.
    std::string m_codeBaseline;
    // The path whose file the view and the design were last read from or
    // written to.
    std::string m_syncedPath;
    // What the deck was last loaded from, while nothing has changed it
    // since: a switch to the XML Tree that finds the same bytes in the file
    // builds the tree from the deck without parsing the file again.
    struct LoadedBytes
    {
        std::string path;
        std::size_t size = 0;
        std::size_t hash = 0;
        friend bool operator==(const LoadedBytes &, const LoadedBytes &) = default;
    };
    std::optional<LoadedBytes> m_untouched;
    QMetaObject::Connection m_modifiedWatch;
};

} // namespace tess
