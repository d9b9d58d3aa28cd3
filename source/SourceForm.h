#pragma once

#include <string>
#include <string_view>

namespace tess {

// The source form of a deck: what the code view shows of a file that the
// designer has saved, and what "Rewrite in source form" leaves on disk.

// The prologue put in front of a saved deck: the entry for a local DTD with
// `dtdPath` in double quotes when `localDtd` is set, else the one naming the
// published WML 1.1 DTD.
std::string prologue(bool localDtd, const std::string &dtdPath);

// Turns the saved form back into what the user wrote, in this order: "&amp;",
// "&gt;" and "&lt;" to their characters, the server-code start marker to a
// line feed and "<%", the end marker to "%>". Each step sees the previous
// one's result ("&amp;lt;" ends as "<"). Linear in the text.
std::string turnBack(std::string_view text);

// `prologueText` followed by `fileText`, formatted and turned back.
std::string sourceForm(std::string_view fileText, std::string_view prologueText);

struct RewriteResult
{
    bool ok = false;
    std::string reason; // empty on success
};

// Reads the file at `path`, computes its source form with the chosen prologue
// and writes it back atomically. On failure the file is left as it was.
RewriteResult rewriteInSourceForm(const std::string &path, bool localDtd,
                                  const std::string &dtdPath);

} // namespace tess
