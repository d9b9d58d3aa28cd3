#include "editor/InputProperties.h"

#include "deck/AttributeReader.h"
#include "editor/DesignConstants.h"
#include "editor/InputRules.h"

#include <iterator>

namespace tess {

namespace {

constexpr int kFormatCount = static_cast<int>(std::size(InputFormatEntries));

} // namespace

std::string InputFormatValue(int entry)
{
    if (entry < 0 || entry >= kFormatCount)
        return {};
    const std::string_view text = InputFormatEntries[entry];
    return std::string(text.substr(text.find('*')));
}

InputFields ReadInputFields(std::string_view fragment)
{
    InputFields f;
    f.name = ReadAttribute(fragment, "name");
    f.title = ReadAttribute(fragment, "title");
    f.value = ReadAttribute(fragment, "value");
    f.tabIndex = ReadAttribute(fragment, "tabindex");
    f.maxLength = ReadAttribute(fragment, "maxlength");
    f.className = ReadAttribute(fragment, "class");
    f.password = ReadAttribute(fragment, "type") == "password";
    f.emptyOk = ReadAttribute(fragment, "emptyok") == "true";
    f.size = ReadAttribute(fragment, "size");
    f.xmlLang = ReadAttribute(fragment, "xml:lang");
    const std::string format = ReadAttribute(fragment, "format");
    for (int i = 0; i < kFormatCount; ++i) {
        if (format == InputFormatValue(i))
            f.format = i;
    }
    return f;
}

std::string BuildInputTag(const InputFields &f)
{
    std::string tag = "<input ";
    AppendAttribute(tag, "name", RemoveSpaces(Trimmed(f.name)));
    AppendIfSet(tag, "title", Trimmed(f.title));
    AppendIfSet(tag, "value", Trimmed(f.value));
    AppendIfSet(tag, "tabindex", Trimmed(f.tabIndex));
    AppendIfSet(tag, "maxlength", Trimmed(f.maxLength));
    AppendIfSet(tag, "class", Trimmed(f.className));
    AppendAttribute(tag, "type", f.password ? "password" : "text");
    AppendAttribute(tag, "emptyok", f.emptyOk ? "true" : "false");
    AppendIfSet(tag, "size", Trimmed(f.size));
    AppendIfSet(tag, "xml:lang", Trimmed(f.xmlLang));
    AppendIfSet(tag, "format", InputFormatValue(f.format));
    return tag + ">";
}

} // namespace tess
