#pragma once

#include <string>
#include <string_view>

namespace tess {

// Without leading and trailing blanks, tabs, carriage returns and line feeds.
std::string Trimmed(std::string_view value);

// Reading one attribute's value out of an element's start tag as the
// property dialogs see it: the first occurrence of `name` followed by "=",
// then the text between the first double quote after it and the next one.
// Empty when the name is missing or the quotes are adjacent or unclosed.

// Trimmed, as the element dialogs show it. Values come back unescaped
// ("&amp;" as "&", "&quot;" as a double quote).
std::string ReadAttribute(std::string_view fragment, std::string_view name);

// The Select dialog's variant: "name" and "value" skip the occurrences that
// belong to "iname" and "ivalue".
std::string ReadSelectAttribute(std::string_view fragment, std::string_view name);

// Untrimmed, as the card property sheet reads it. `found` tells an absent
// attribute from an empty one.
std::string ReadQuotedValue(std::string_view fragment, std::string_view name,
                            bool *found = nullptr);

// The writing side: name, "=", the value escaped in double quotes and one
// blank.
void AppendAttribute(std::string &tag, std::string_view name, std::string_view value);
// The same, only when the value is not empty.
void AppendIfSet(std::string &tag, std::string_view name, std::string_view value);

} // namespace tess
