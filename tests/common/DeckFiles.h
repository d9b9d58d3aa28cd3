#pragma once

#include "deck/DeckFile.h"
#include "deck/DeckModel.h"
#include "deck/DeckReader.h"
#include "deck/DeckWriter.h"
#include "deck/SourceForm.h"
#include "wml/XmlDocument.h"
#include "wml/XmlTestSupport.h"

#include <string>

namespace tess::test {

// Decks in a scratch folder: loaded from WML text through the parser and the
// reader, and written back and validated against the WML 1.1 DTD.
struct DeckFiles
{
    ScratchDir scratch;

    static std::string header() { return prologue(false, ""); }

    // Reads `cards` (the content of the wml element) into `model`.
    bool load(DeckModel &model, const std::string &cards) const
    {
        model.filePath = scratch.write("deck.wml", header() + "<wml>" + cards + "</wml>");
        XmlDocument doc;
        return doc.load(model.filePath) && LoadDeck(model, doc) > 0;
    }

    // Empty when the written deck, with its prologue, passes the DTD; else
    // the parser's reason and line.
    std::string validationError(DeckModel &model) const
    {
        model.filePath = scratch.path("written.wml");
        std::string error;
        if (!writeDeckSource(model, header(), &error))
            return "not written: " + error;
        // Read back as a document is: server code masked out.
        DeckModel written;
        written.filePath = model.filePath;
        RecordingSink sink;
        if (LoadDeckFromFile(written, sink))
            return {};
        return written.compile.outputMessage + ": " + readBytes(model.filePath);
    }
};

} // namespace tess::test
