#include "app/DeckCheck.h"

#include "app/SettingsKey.h"
#include "deck/DeckFile.h"
#include "deck/DeckModel.h"
#include "deck/SourceForm.h"
#include "wml/FileUtil.h"
#include "wml/TextEncoding.h"
#include "wml/WmlFormatter.h"
#include "wml/XmlDocument.h"

#include <ostream>
#include <utility>

namespace tess {

namespace {

class LastMessage : public MessageSink
{
public:
    void showMessage(const std::string &text) override { this->text = text; }
    std::string text;
};

std::string replaceLineEnds(const std::string &text, const char *with)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\r' || text[i] == '\n')
            out += with;
        else
            out += text[i];
    }
    return out;
}

bool loadDeck(DeckModel &model, const std::string &file, MessageSink &sink,
              XmlDocument *keep = nullptr)
{
    model.filePath = file;
    setFileKindFromPath(model);
    return keep ? LoadDeckFromFile(model, sink, *keep) : LoadDeckFromFile(model, sink);
}

// One checked file's deck and the parsed document it was read from.
struct CheckedDeck
{
    XmlDocument doc;
    DeckModel model;
};

// A fresh deck and document for the next file; the previous file's are freed
// first. The last file's are left to the end of the process, which follows
// the check at once: the system takes their memory back in one go, where
// freeing millions of nodes one by one would cost a good part of the check.
CheckedDeck &freshCheckedDeck()
{
    static CheckedDeck *kept = nullptr;
    delete std::exchange(kept, nullptr);
    kept = new CheckedDeck;
    return *kept;
}

// The output window's text after the file name, then on failure the line
// that editors and build tools jump from.
void report(const std::string &file, const DeckModel &model, const std::string &message, bool ok,
            std::ostream &out, std::ostream &err)
{
    out << file << ": " << replaceLineEnds(message, "\n") << "\n";
    if (ok)
        return;
    const CompileState &state = model.compile;
    const size_t lineEnd = message.find("\r\n");
    err << file;
    if (lineEnd != std::string::npos)
        err << ':' << state.errorLine << ':' << state.errorPosition;
    err << ": error: "
        << replaceLineEnds(lineEnd == std::string::npos ? message : message.substr(lineEnd + 2),
                           " ")
        << "\n";
}

// The deck's findings on `err`; false when a warning fails the check.
bool printLint(const std::string &file, const CheckedDeck &checked, bool valid,
               const LintRequest &lint, std::ostream &err)
{
    // The file was just read whole; reading it again costs a fraction of the
    // parse, and the load keeps no copy of its bytes.
    const std::optional<std::string> bytes = readWholeFile(file);
    if (!bytes)
        return true;
    const std::vector<LintFinding> findings = valid
        ? lintDeck(checked.doc, *bytes, file, checked.model.kind, lint.options)
        : lintDeckBytes(*bytes, checked.model.kind, lint.options);
    bool passed = true;
    for (const LintFinding &finding : findings) {
        err << formatLintFinding(file, finding) << "\n";
        passed = passed && !(lint.warningsFail && finding.severity == LintSeverity::Warning);
    }
    return passed;
}

} // namespace

int checkDecks(const std::vector<std::string> &files, std::ostream &out, std::ostream &err)
{
    return checkDecks(files, LintRequest(), out, err);
}

int checkDecks(const std::vector<std::string> &files, const LintRequest &lint, std::ostream &out,
               std::ostream &err)
{
    if (files.empty()) {
        err << "tessarine: option '--check' needs at least one FILE\n";
        return 2;
    }
    int status = 0;
    for (const std::string &file : files) {
        if (const std::string reason = unreadableFileReason(file); !reason.empty()) {
            err << "tessarine: " << reason << "\n";
            status = 1;
            continue;
        }
        CheckedDeck &checked = freshCheckedDeck();
        LastMessage sink;
        const bool ok = loadDeck(checked.model, file, sink, &checked.doc);
        if (lint.enabled && !printLint(file, checked, ok, lint, err) && ok)
            status = 1;
        report(file, checked.model, sink.text, ok, out, err);
        if (!ok)
            status = 1;
    }
    return status;
}

int formatDeck(const std::string &file, const SettingsKey &settings, std::ostream &out,
               std::ostream &err)
{
    if (const std::string reason = unreadableFileReason(file); !reason.empty()) {
        err << "tessarine: " << reason << "\n";
        return 1;
    }
    DeckModel model;
    LastMessage sink;
    if (!loadDeck(model, file, sink)) {
        report(file, model, sink.text, false, err, err);
        return 1;
    }
    const bool localDtd = settings.numberOrDefault(kSettingLocalDtd) != 0;
    std::string text;
    if (model.kind != PageKind::Wml) {
        // A server page keeps its code wherever it stands, which the tree
        // cannot hold: the page's own text is laid out instead.
        std::string error;
        const std::optional<std::string> bytes = readWholeFile(file, &error);
        const DecodedText decoded = bytes ? decodeText(*bytes) : DecodedText();
        if (!decoded.ok) {
            err << "tessarine: " << (bytes ? decoded.error : error) << "\n";
            return 1;
        }
        model.fileForm.format = decoded.format;
        text = formatWml(withLineFeeds(decoded.text));
    } else {
        // The design's side of a tab switch: the deck as the writer gives it.
        text = deckSourceText(model, prologue(localDtd, settings.stringOrDefault(kSettingDtdPath)));
    }
    const EncodedText encoded = encodeText(text, model.fileForm.format);
    out << encoded.bytes;
    return 0;
}

} // namespace tess
