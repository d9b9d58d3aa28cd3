#include "editor/SelectProperties.h"

#include "deck/StartTag.h"
#include "editor/InputRules.h"

namespace tess {

namespace {

// More digits than this cannot name one of a select's children.
constexpr size_t kMaxIndexDigits = 6;

std::string indexValueToWrite(std::string_view typed, int childCount)
{
    const std::string value = Trimmed(typed);
    if (value.empty() || value.size() > kMaxIndexDigits || !IsDigitsOnly(value))
        return "1";
    const int n = std::stoi(value);
    return n >= 1 && n <= childCount ? std::to_string(n) : "1";
}

} // namespace

SelectFields ReadSelectFields(const StartTag &tag)
{
    SelectFields f;
    f.name = tag.shownValue("name");
    f.title = tag.shownValue("title");
    f.tabIndex = tag.shownValue("tabindex");
    f.id = tag.shownValue("id");
    f.className = tag.shownValue("class");
    f.value = tag.shownValue("value");
    f.multiple = tag.shownValue("multiple") == "true";
    f.indexName = tag.shownValue("iname");
    f.indexValue = tag.shownValue("ivalue");
    f.xmlLang = tag.shownValue("xml:lang");
    return f;
}

std::string BuildSelectTag(const SelectFields &f, int childCount)
{
    std::string tag = "<select ";
    AppendIfSet(tag, "name", RemoveSpaces(Trimmed(f.name)));
    AppendIfSet(tag, "title", Trimmed(f.title));
    AppendIfSet(tag, "tabindex", f.tabIndex);
    AppendIfSet(tag, "id", Trimmed(f.id));
    AppendIfSet(tag, "class", f.className);
    AppendIfSet(tag, "value", f.value);
    AppendAttribute(tag, "multiple", f.multiple ? "true" : "false");
    AppendIfSet(tag, "iname", f.indexName);
    AppendAttribute(tag, "ivalue", indexValueToWrite(f.indexValue, childCount));
    AppendIfSet(tag, "xml:lang", f.xmlLang);
    return tag + ">";
}

} // namespace tess
