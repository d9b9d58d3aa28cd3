#include "editor/InputProperties.h"

#include "deck/StartTag.h"
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

InputFields ReadInputFields(const StartTag &tag)
{
    InputFields f;
    f.name = tag.shownValue("name");
    f.title = tag.shownValue("title");
    f.value = tag.shownValue("value");
    f.tabIndex = tag.shownValue("tabindex");
    f.maxLength = tag.shownValue("maxlength");
    f.className = tag.shownValue("class");
    f.password = tag.shownValue("type") == "password";
    f.emptyOk = tag.shownValue("emptyok") == "true";
    f.size = tag.shownValue("size");
    f.xmlLang = tag.shownValue("xml:lang");
    const std::string format = tag.shownValue("format");
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
