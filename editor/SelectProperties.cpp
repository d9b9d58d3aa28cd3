#include "editor/SelectProperties.h"

#include "deck/AttributeReader.h"
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

SelectFields ReadSelectFields(std::string_view fragment)
{
    SelectFields f;
    f.name = ReadSelectAttribute(fragment, "name");
    f.title = ReadSelectAttribute(fragment, "title");
    f.tabIndex = ReadSelectAttribute(fragment, "tabindex");
    f.id = ReadSelectAttribute(fragment, "id");
    f.className = ReadSelectAttribute(fragment, "class");
    f.value = ReadSelectAttribute(fragment, "value");
    f.multiple = ReadSelectAttribute(fragment, "multiple") == "true";
    f.indexName = ReadSelectAttribute(fragment, "iname");
    f.indexValue = ReadSelectAttribute(fragment, "ivalue");
    f.xmlLang = ReadSelectAttribute(fragment, "xml:lang");
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
