#include "source/Compiler.h"

#include "model/WMLReader.h"
#include "model/WMLWriter.h"
#include "source/MixedFileConverter.h"
#include "source/SourceConstants.h"

#include <cstdio>

namespace tess {

namespace {

void recordFailure(DeckModel &model, MessageSink &sink, std::string message, int line, int position)
{
    CompileState &state = compileState();
    state.errorFlag = true;
    state.outputMessage = std::move(message);
    state.errorLine = line;
    state.errorPosition = position;
    model.validDeck = false;
    sink.showMessage(state.outputMessage);
}

// Converts the deck's file into its pure copy and parses that into `doc`.
// A converter that could not read the page or write the copy has already
// said so; its text then stands in the output too, rather than a parse of a
// stale copy left by an earlier compile.
bool parsePureCopy(DeckModel &model, const std::string &tempDir, MessageSink &sink,
                   XmlDocument &doc)
{
    if (model.filePath.empty())
        return false;
    model.pureFilePath = pureCopyPath(tempDir);
    switch (MixedFileConverter().convert(model.filePath, model.pureFilePath)) {
    case MixedFileConverter::Result::SourceUnreadable:
        recordFailure(model, sink, std::string(MixedFileOpenFailedText), 0, 0);
        return false;
    case MixedFileConverter::Result::DestinationNotWritable:
        recordFailure(model, sink, std::string(PureWmlCreateFailedText), 0, 0);
        return false;
    case MixedFileConverter::Result::Converted:
    case MixedFileConverter::Result::GaveUp:
        break;
    }
    if (!doc.load(model.pureFilePath)) {
        const XmlParseError &error = doc.parseError();
        recordFailure(model, sink, formatParseError(error), error.line + 1, error.position + 1);
        return false;
    }
    return true;
}

void showSuccess(MessageSink &sink)
{
    CompileState &state = compileState();
    state.errorFlag = false;
    state.outputMessage = CompileSuccessText;
    sink.showMessage(state.outputMessage);
}

} // namespace

CompileState &compileState()
{
    static CompileState state;
    return state;
}

std::string formatParseError(const XmlParseError &error)
{
    char head[96];
    std::snprintf(head, sizeof head, ParseErrorFormat, unsigned(error.code), error.line + 1,
                  error.position + 1);
    return head + error.reason;
}

std::string pureCopyPath(const std::string &tempDir)
{
    return tempDir + std::string(PureCopyFileName);
}

bool setFileKindFromPath(DeckModel &model)
{
    if (model.filePath.empty())
        return false;
    const size_t dot = model.filePath.rfind('.');
    const std::string extension
        = dot == std::string::npos ? std::string() : model.filePath.substr(dot + 1);
    model.jsp = extension == "jsp";
    model.asp = !model.jsp && extension == "asp";
    return true;
}

bool LoadDeckFromFile(DeckModel &model, const std::string &tempDir, MessageSink &sink)
{
    XmlDocument doc;
    return LoadDeckFromFile(model, tempDir, sink, doc);
}

bool LoadDeckFromFile(DeckModel &model, const std::string &tempDir, MessageSink &sink,
                      XmlDocument &doc)
{
    if (!parsePureCopy(model, tempDir, sink, doc))
        return false;
    LoadDeck(model, doc);
    model.validDeck = true;
    showSuccess(sink);
    return true;
}

bool WriteDeckToFile(DeckModel &model)
{
    return WriteDeck(model);
}

bool Validate(DeckModel &model, const std::string &tempDir, MessageSink &sink,
              bool previousTabIsDesign, const std::function<void(const DeckModel &)> &buildTree)
{
    // Loading the deck parses the same pure copy that the tree is checked
    // against, so one parse serves both.
    if (!previousTabIsDesign && !LoadDeckFromFile(model, tempDir, sink))
        return false;
    CompileState &state = compileState();
    state.errorFlag = false;
    state.outputMessage = BuildingTreeViewText;
    if (!buildTree)
        return true;
    buildTree(model);
    showSuccess(sink);
    return true;
}

} // namespace tess
