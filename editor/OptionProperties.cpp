#include "editor/OptionProperties.h"

#include "deck/StartTag.h"
#include "editor/DesignConstants.h"
#include "editor/InputRules.h"

namespace tess {

OptionFields ReadOptionFields(const StartTag &tag, std::string_view words)
{
    OptionFields f;
    f.text = std::string(words);
    f.title = tag.shownValue("title");
    f.value = tag.shownValue("value");
    f.onPick = tag.shownValue("onpick");
    f.id = tag.shownValue("id");
    f.xmlLang = tag.shownValue("xml:lang");
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
