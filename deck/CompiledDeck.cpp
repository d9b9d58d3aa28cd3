#include "deck/CompiledDeck.h"

#include "deck/DeckFile.h"
#include "wml/PhoneProfiles.h"
#include "wml/WbxmlCompiler.h"
#include "wml/XmlDocument.h"

#include <filesystem>

namespace tess {

namespace {

class NoMessages : public MessageSink
{
public:
    void showMessage(const std::string &) override { }
};

} // namespace

CompiledDeck compileParsedDeck(const XmlDocument &doc, PageKind kind, uint64_t textBytes)
{
    CompiledDeck deck;
    deck.serverPage = kind != PageKind::Wml;
    deck.textBytes = textBytes;
    WbxmlResult result = compileWbxml(doc);
    deck.ok = result.ok;
    deck.bytes = std::move(result.bytes);
    deck.error = std::move(result.error);
    return deck;
}

CompiledDeck compileDeckFile(const std::string &path)
{
    DeckModel model;
    model.filePath = path;
    setFileKindFromPath(model);
    NoMessages quiet;
    XmlDocument doc;
    std::error_code ec;
    const uint64_t size = std::filesystem::file_size(path, ec);
    if (!ParseDeckFile(model, quiet, doc)) {
        CompiledDeck failed;
        failed.serverPage = model.kind != PageKind::Wml;
        failed.textBytes = ec ? 0 : size;
        const CompileState &state = model.compile;
        const size_t lineEnd = state.outputMessage.find("\r\n");
        failed.error = lineEnd == std::string::npos ? path + ": error: " + state.outputMessage
                                                    : path + ":" + std::to_string(state.errorLine)
                + ":" + std::to_string(state.errorPosition)
                + ": error: " + state.outputMessage.substr(lineEnd + 2);
        return failed;
    }
    return compileParsedDeck(doc, model.kind, ec ? 0 : size);
}

std::string compiledSizeLine(const CompiledDeck &deck)
{
    if (!deck.ok)
        return "Compiled size unknown: " + deck.error;
    std::string line = compiledSizeVerdict(deck.bytes.size());
    if (deck.serverPage)
        line += " (the WML around the server code)";
    return line;
}

} // namespace tess
