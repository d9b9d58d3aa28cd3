#include "deck/DeckFile.h"

#include "deck/DeckConstants.h"
#include "deck/DeckReader.h"
#include "deck/DeckWriter.h"
#include "deck/SourceConstants.h"
#include "deck/SourceForm.h"
#include "wml/FileUtil.h"
#include "wml/ServerCodeMask.h"
#include "wml/TextEncoding.h"

#include <cstdio>
#include <optional>

namespace tess {

namespace {

// A deck's file as read for one load.
struct LoadedPage
{
    DecodedText decoded;
    MaskedPage masked;
};

// Code blocks inside the root element that the tree cannot hold: any not
// marked inside text, and every server script or tag-library tag. Those
// before and after the root stay in the file form's prolog and epilogue.
int codeOutsideText(const std::vector<ServerCodeBlock> &blocks, std::string_view page)
{
    const auto [start, end] = RootElementSpan(page);
    int count = 0;
    for (const ServerCodeBlock &block : blocks) {
        const bool insideRoot
            = start != std::string_view::npos && block.offset > start && block.offset < end;
        if (insideRoot && (!block.marked || block.form != ServerCodeBlock::Form::Block))
            ++count;
    }
    return count;
}

void recordFailure(DeckModel &model, MessageSink &sink, std::string message, int line, int position)
{
    CompileState &state = model.compile;
    state.errorFlag = true;
    state.outputMessage = std::move(message);
    state.errorLine = line;
    state.errorPosition = position;
    sink.showMessage(state.outputMessage);
}

// The parser names other lines in its reasons ("tag mismatch: br line 8 and
// p"); they move with the page's cut preamble as the error's own line does.
std::string withPageLines(const std::string &reason, int lineOffset)
{
    if (lineOffset == 0)
        return reason;
    std::string out;
    size_t from = 0;
    for (size_t at; (at = reason.find("line ", from)) != std::string::npos;) {
        size_t end = at + 5;
        while (end < reason.size() && reason[end] >= '0' && reason[end] <= '9')
            ++end;
        out.append(reason, from, at + 5 - from);
        if (end > at + 5 && end - at - 5 < 10)
            out += std::to_string(std::stoi(reason.substr(at + 5, end - at - 5)) + lineOffset);
        else
            out.append(reason, at + 5, end - at - 5);
        from = end;
    }
    return out.append(reason, from);
}

// Parses a deck's bytes into `doc`. Server code is masked character for
// character first, so that the WML around it is validated and an error names
// the page's own line and column; a file without any is parsed exactly as it
// stands, as any validator would read it. The page's decoded text and its
// code blocks are left in `page` for the reader.
bool parseDeckBytes(DeckModel &model, std::string_view bytes, MessageSink &sink, XmlDocument &doc,
                    LoadedPage &page)
{
    page.decoded = decodeText(bytes);
    bool parsed = false;
    if (page.decoded.ok) {
        page.masked = maskServerCode(page.decoded.text, model.kind);
        parsed = page.masked.changed ? doc.loadBytes(page.masked.text, model.filePath, true)
                                     : doc.loadBytes(bytes, model.filePath);
    } else {
        // The parser names what is wrong with the bytes in its own words.
        parsed = doc.loadBytes(bytes, model.filePath);
    }
    if (!parsed) {
        XmlParseError error = doc.parseError();
        if (page.masked.changed && error.line >= 0) {
            const auto [line, column]
                = pagePosition(page.masked, error.line + 1, error.position + 1);
            error.line = line - 1;
            error.position = column - 1;
            error.reason = withPageLines(error.reason, page.masked.lineOffset);
        }
        recordFailure(model, sink, formatParseError(error), error.line + 1, error.position + 1);
        return false;
    }
    return true;
}

// The deck's file, or nullopt with the failure reported and recorded.
std::optional<std::string> readDeckFile(DeckModel &model, MessageSink &sink)
{
    if (model.filePath.empty())
        return std::nullopt;
    std::optional<std::string> bytes = readWholeFile(model.filePath);
    if (!bytes)
        recordFailure(model, sink, std::string(MixedFileOpenFailedText), 0, 0);
    return bytes;
}

void showSuccess(DeckModel &model, MessageSink &sink)
{
    CompileState &state = model.compile;
    state.errorFlag = false;
    state.outputMessage = CompileSuccessText;
    sink.showMessage(state.outputMessage);
}

} // namespace

std::string formatParseError(const XmlParseError &error)
{
    char head[96];
    std::snprintf(head, sizeof head, ParseErrorFormat, unsigned(error.code), error.line + 1,
                  error.position + 1);
    return head + error.reason;
}

bool setFileKindFromPath(DeckModel &model)
{
    if (model.filePath.empty())
        return false;
    const size_t dot = model.filePath.rfind('.');
    const std::string extension
        = dot == std::string::npos ? std::string() : model.filePath.substr(dot + 1);
    model.kind = extension == "jsp" ? PageKind::Jsp
        : extension == "asp"        ? PageKind::Asp
                                    : PageKind::Wml;
    return true;
}

bool LoadDeckFromFile(DeckModel &model, MessageSink &sink)
{
    XmlDocument doc;
    return LoadDeckFromFile(model, sink, doc);
}

bool LoadDeckFromFile(DeckModel &model, MessageSink &sink, XmlDocument &doc)
{
    const std::optional<std::string> bytes = readDeckFile(model, sink);
    if (!bytes) {
        model.validDeck = false;
        return false;
    }
    return LoadDeckFromBytes(model, *bytes, sink, doc);
}

bool LoadDeckFromBytes(DeckModel &model, std::string_view bytes, MessageSink &sink,
                       XmlDocument &doc)
{
    LoadedPage page;
    if (!parseDeckBytes(model, bytes, sink, doc, page)) {
        model.validDeck = false;
        return false;
    }
    const std::string_view text = page.decoded.ok ? std::string_view(page.decoded.text) : "";
    LoadDeck(model, doc, text, page.masked.blocks);
    if (page.decoded.ok)
        model.fileForm.format = page.decoded.format;
    model.fileForm.codeOutsideText = codeOutsideText(page.masked.blocks, text);
    model.validDeck = true;
    showSuccess(model, sink);
    return true;
}

bool ParseDeckFile(DeckModel &model, MessageSink &sink, XmlDocument &doc)
{
    const std::optional<std::string> bytes = readDeckFile(model, sink);
    LoadedPage page;
    return bytes && parseDeckBytes(model, *bytes, sink, doc, page);
}

bool CheckDeckFile(DeckModel &model, MessageSink &sink)
{
    XmlDocument doc;
    return CheckDeckFile(model, sink, doc);
}

bool CheckDeckFile(DeckModel &model, MessageSink &sink, XmlDocument &doc)
{
    if (!ParseDeckFile(model, sink, doc))
        return false;
    showSuccess(model, sink);
    return true;
}

bool Validate(DeckModel &model, MessageSink &sink, bool previousTabIsDesign,
              const std::function<void(const DeckModel &)> &buildTree)
{
    XmlDocument doc;
    return Validate(model, sink, previousTabIsDesign, buildTree, doc);
}

bool Validate(DeckModel &model, MessageSink &sink, bool previousTabIsDesign,
              const std::function<void(const DeckModel &)> &buildTree, XmlDocument &doc)
{
    // Loading the deck parses the same pure copy that the tree is checked
    // against, so one parse serves both.
    if (!previousTabIsDesign && !LoadDeckFromFile(model, sink, doc))
        return false;
    CompileState &state = model.compile;
    state.errorFlag = false;
    state.outputMessage = BuildingTreeViewText;
    if (!buildTree)
        return true;
    buildTree(model);
    showSuccess(model, sink);
    return true;
}

} // namespace tess
