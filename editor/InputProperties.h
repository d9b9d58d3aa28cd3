#pragma once

#include "deck/StartTag.h"

#include <string>
#include <string_view>

namespace tess {

// The Input dialog's fields. `format` indexes InputFormatEntries; -1 when
// no entry is chosen.
struct InputFields
{
    std::string name, title, value, tabIndex, maxLength, className;
    bool password = false;
    bool emptyOk = false;
    std::string size, xmlLang;
    int format = -1;

    friend bool operator==(const InputFields &, const InputFields &) = default;
};

InputFields ReadInputFields(const StartTag &tag);

// The new start tag; run CheckInputName on the name and value first.
std::string BuildInputTag(const InputFields &fields);

// "*M", "*N", "*A" or "*a" for an entry of the Format list; empty for none.
std::string InputFormatValue(int entry);

} // namespace tess
