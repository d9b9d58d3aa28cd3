#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tess {

class DeckModel;
struct TextFormat;

// The source form of a deck: the text a deck written from the design stands
// for, as the code view shows it and its file holds it.

// The prologue a deck gets when its own file had none: the entry for a local
// DTD with `dtdPath` in double quotes when `localDtd` is set, else the one
// naming the published WML 1.1 DTD.
std::string prologue(bool localDtd, const std::string &dtdPath);

// `text` with the system identifier of its DOCTYPE declaration (the SYSTEM
// literal, or the second literal after PUBLIC) replaced by `systemId`, its
// quote kept; nullopt when the text has no such declaration or already names
// `systemId`. Only the declaration changes: the same path elsewhere in the
// text stays as written.
std::optional<std::string> withDoctypeSystemId(std::string_view text, std::string_view systemId);
// The system identifier the DOCTYPE of `text` names; empty when none.
std::string doctypeSystemId(std::string_view text);

// Turns the design's code blocks back into server code: each run from the
// start marker to the end marker becomes "<%", the code unescaped, "%>".
// Nothing else changes: entities in the deck's text stay escaped. Linear.
std::string turnBack(std::string_view text);

// The deck's text as the design holds it: the prolog and epilogue of its
// file (or `fallbackPrologue` when the file had none, or no XML declaration
// is in it), the writer's serialisation laid out by the formatter, code
// blocks turned back. UTF-8 with "\n" line ends; starts with "<?xml".
std::string deckSourceText(const DeckModel &model, std::string_view fallbackPrologue);

// Writes deckSourceText() to the model's file in the deck's own encoding,
// byte order mark and line ends, atomically; `written` receives the text.
// False with a reason on failure, the file as it was.
// `note` as for writeCodeText.
bool writeDeckSource(const DeckModel &model, std::string_view fallbackPrologue, std::string *error,
                     std::string *written = nullptr, std::string *note = nullptr);

// Writes editor text (UTF-8, "\n" line ends) to `path` in the encoding its
// own declaration names and with the line ends and byte order mark of
// `format`, atomically. `note` says which characters the encoding could
// not hold and how they were written (empty when none).
bool writeCodeText(const std::string &path, std::string_view text, const TextFormat &format,
                   std::string *error, std::string *note = nullptr);

} // namespace tess
