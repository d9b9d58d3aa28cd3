#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Variable references, URL escaping, URL resolution and input format masks:
// the string work of the user agent, kept apart so that it can be tested and
// reused without a deck.
namespace tess::ua {

// Replaces $(name), $(name:conversion) and $name by the variable's value
// ("" when unset) and $$ by '$'. Conversions: escape/e, unescape/u,
// noesc/n. `escapeByDefault` is for the attributes that name URLs (href,
// src, onenterforward, onenterbackward, onpick, ontimer), where a reference
// without a conversion is escaped.
std::string substitute(std::string_view text, const std::map<std::string, std::string> &vars,
                       bool escapeByDefault = false);

// URL escaping of everything but letters, digits and - _ . ! ~ * ' ( ) as
// %XX; and its reverse (a '%' not followed by two hex digits stays).
std::string urlEscape(std::string_view text);
std::string urlUnescape(std::string_view text);

// Where a reference made from a deck leads.
struct Target
{
    bool local = false; // a file on this machine (file: URL or path)
    std::string path; // the local file ("" for the same deck)
    std::string fragment; // the card id after '#', "" for none
    std::string url; // the absolute URL as it would be requested
};
// `href` resolved against the deck at `deckPath` (an absolute or relative
// local path). Query strings of local references are dropped.
Target resolve(const std::string &deckPath, const std::string &href);

// Whether `value` fits an input's format mask (A a N X x M m, \c literal,
// nf or *f last); `emptyOk` lets an empty value through. An empty or
// malformed mask accepts anything.
bool fitsFormat(std::string_view format, std::string_view value, bool emptyOk);

// A whole decimal integer; nullopt for anything else.
std::optional<int> parseInt(std::string_view text);
// The items of a ';'-separated list (of option values or indices).
std::vector<std::string> splitList(const std::string &text);
// Without the spaces at its ends.
std::string trimmed(const std::string &text);
// The last segment of a path.
std::string fileName(const std::string &path);

} // namespace tess::ua
