// What a deck's file meets when it is opened, on any bytes: decoding,
// server-code masking and the parser (the reader), the tree written back as
// source (the converter), the code view's layout (the formatter), and the
// written deck read once more.
#include "deck/DeckFile.h"
#include "deck/DeckModel.h"
#include "deck/SourceForm.h"
#include "wml/TextEncoding.h"
#include "wml/WmlFormatter.h"
#include "wml/XmlDocument.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

class Quiet : public tess::MessageSink
{
public:
    void showMessage(const std::string &) override { }
};

void loadAndWrite(std::string_view bytes, const char *name)
{
    tess::DeckModel model;
    model.filePath = name;
    tess::setFileKindFromPath(model);
    Quiet sink;
    tess::XmlDocument doc;
    if (!tess::LoadDeckFromBytes(model, bytes, sink, doc))
        return;
    const std::string text = tess::deckSourceText(model, tess::prologue(false, {}));
    const tess::EncodedText encoded = tess::encodeText(text, model.fileForm.format);
    tess::DeckModel again;
    again.filePath = name;
    tess::setFileKindFromPath(again);
    tess::XmlDocument reread;
    tess::LoadDeckFromBytes(again, encoded.bytes, sink, reread);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    loadAndWrite(bytes, "fuzz.wml");
    // Server pages are masked first; only bytes that could hold code are
    // worth the two extra loads.
    if (bytes.find('%') != std::string_view::npos || bytes.find(':') != std::string_view::npos
        || bytes.find("script") != std::string_view::npos) {
        loadAndWrite(bytes, "fuzz.asp");
        loadAndWrite(bytes, "fuzz.jsp");
    }
    const tess::DecodedText decoded = tess::decodeText(bytes);
    tess::formatWml(tess::withLineFeeds(decoded.ok ? std::string_view(decoded.text) : bytes));
    return 0;
}
