#pragma once

#include "deck/DeckModel.h"
#include "wml/MessageSink.h"
#include "wml/XmlDocument.h"

#include <functional>
#include <string>
#include <string_view>

namespace tess {

// "Error 0x%.8X on line %d, position %d\r\n" + reason, with line and position
// shown one higher than the parser's.
std::string formatParseError(const XmlParseError &error);

// Sets the model's page kind from the text after the last "." of its file
// path, compared exactly: "jsp" is JSP, "asp" is ASP, anything else WML.
// An empty path changes nothing and returns false.
bool setFileKindFromPath(DeckModel &model);

// Load the deck from its file: parses and validates it (server code masked
// out first), and on success rebuilds the model's tree from it and records
// the file's form (prolog, epilogue, encoding, line ends). Reports success or
// the parser's error to `sink` and records it in the model's compile state. The model's
// own file is never written. A failed load keeps the old tree and clears the
// valid-deck flag.
bool LoadDeckFromFile(DeckModel &model, MessageSink &sink);
// The same, parsing into the caller's `doc`, which holds the parsed deck
// afterwards for as long as the caller keeps it.
bool LoadDeckFromFile(DeckModel &model, MessageSink &sink, XmlDocument &doc);
// The same for the file's bytes already in memory; the model's file path
// still names the deck in messages and decides whether it is a server page.
bool LoadDeckFromBytes(DeckModel &model, std::string_view bytes, MessageSink &sink,
                       XmlDocument &doc);

// Validates the deck's file as a load does, reporting and recording the
// result the same way, but leaves the model's tree as it is: the design
// being shown stays what the user sees.
bool CheckDeckFile(DeckModel &model, MessageSink &sink);
// The same, parsing into the caller's `doc`.
bool CheckDeckFile(DeckModel &model, MessageSink &sink, XmlDocument &doc);
// Reads, masks and parses the model's file into `doc` as a check does,
// recording a failure in the model's compile state but never a success; the
// tree is left alone.
bool ParseDeckFile(DeckModel &model, MessageSink &sink, XmlDocument &doc);

// Validate and build the XML tree, for Compile and the preview. Unless the
// previous tab is Design (whose switch has just written the deck), the deck
// is loaded from its file as above. On success the output message becomes
// "Building Tree View...", `buildTree` builds the tree from the model and
// "Compilations Done - No Errors Found !!!" is shown. An empty `buildTree`
// ends the operation before the tree (the tab window passes none when its
// last code-to-design parse failed and the previous tab is Design). The
// caller empties its tree beforehand, so a failure leaves it empty.
bool Validate(DeckModel &model, MessageSink &sink, bool previousTabIsDesign,
              const std::function<void(const DeckModel &)> &buildTree);
// The same, parsing into the caller's `doc` when the deck is read; `doc`
// stays empty when the previous tab is Design.
bool Validate(DeckModel &model, MessageSink &sink, bool previousTabIsDesign,
              const std::function<void(const DeckModel &)> &buildTree, XmlDocument &doc);

} // namespace tess
