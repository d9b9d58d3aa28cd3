#include "editor/OptionProperties.h"

#include "deck/AttributeReader.h"
#include "editor/DesignConstants.h"
#include "editor/InputRules.h"

namespace tess {

OptionFields ReadOptionFields(std::string_view fragment, std::string_view words)
{
    OptionFields f;
    f.text = std::string(words);
    f.title = ReadAttribute(fragment, "title");
    f.value = ReadAttribute(fragment, "value");
    f.onPick = ReadAttribute(fragment, "onpick");
    f.id = ReadAttribute(fragment, "id");
    f.xmlLang = ReadAttribute(fragment, "xml:lang");
    return f;
}

std::string BuildOptionTag(const OptionFields &f)
{
    std::string tag = "<option ";
    AppendIfSet(tag, "value", f.value);
    AppendIfSet(tag, "title", f.title);
    AppendIfSet(tag, "onpick", f.onPick);
    AppendIfSet(tag, "id", Trimmed(f.id));
    AppendIfSet(tag, "xml:lang", f.xmlLang);
    return tag + ">";
}

std::string OptionWords(const OptionFields &f)
{
    const std::string words = Trimmed(f.text);
    return words.empty() ? std::string(kOptionWords) : words;
}

} // namespace tess
