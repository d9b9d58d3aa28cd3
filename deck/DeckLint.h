#pragma once

#include "wml/ServerCodeMask.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tess {

class XmlDocument;
struct PhoneProfile;

// What a valid deck may still hold that phones refuse or that never works on
// them, beyond what the DTD says. Each finding names the start tag of the
// element it is about (line and column from 1, columns in characters, as
// parse errors count them), or line 1, column 1 for what concerns the file
// as a whole before its first element.

enum class LintSeverity { Warning, Note };

struct LintRule
{
    const char *id;
    LintSeverity severity;
};

struct LintFinding
{
    int line = 0;
    int column = 0;
    LintSeverity severity = LintSeverity::Warning;
    std::string rule;
    std::string text;
};

struct LintOptions
{
    std::vector<std::string> disabled; // rule ids
    // The budget deck-budget measures against; the default profile when null.
    const PhoneProfile *profile = nullptr;
};

// Every rule, in the order findings of one element are listed.
std::span<const LintRule> lintRules();

// Reads "-rule,-rule2" (the value of --lint=): each id must name a rule.
// False with the reason in `error` otherwise.
bool parseLintSelection(std::string_view text, LintOptions &options, std::string &error);

// Lints a deck that `doc` holds as parsed from `bytes`, the file's own bytes
// (server code masked out for an ASP or JSP page). `path` names the file:
// local links and pictures are looked up beside it. Findings come in order of
// position.
std::vector<LintFinding> lintDeck(const XmlDocument &doc, std::string_view bytes,
                                  const std::string &path, PageKind kind,
                                  const LintOptions &options);

// Only the rules on the file's bytes (text-before-declaration,
// undeclared-encoding), for a deck the parser refused.
std::vector<LintFinding> lintDeckBytes(std::string_view bytes, PageKind kind,
                                       const LintOptions &options);

// The same from the file: read, parsed and validated as a load does. A file
// that cannot be read or is no valid deck gives no findings.
std::vector<LintFinding> lintDeckFile(const std::string &path, PageKind kind,
                                      const LintOptions &options);

// "FILE:LINE:COL: warning: TEXT [rule]", or "note:" for a note.
std::string formatLintFinding(const std::string &file, const LintFinding &finding);

// The line that "FILE:LINE:COL: warning: " (or "note: ", "error: ") names in
// a line of output; 0 when it names none.
int lintLineOf(std::string_view outputLine);

} // namespace tess
