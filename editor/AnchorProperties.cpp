#include "editor/AnchorProperties.h"

#include "deck/StartTag.h"
#include "editor/DesignConstants.h"
#include "editor/InputRules.h"

namespace tess {

AnchorFields ReadAnchorFields(const StartTag &tag, std::string_view words)
{
    AnchorFields f;
    f.text = std::string(words);
    f.url = tag.shownValue("href");
    f.title = tag.shownValue("title");
    f.xmlLang = tag.shownValue("xml:lang");
    return f;
}

std::string BuildAnchorTag(const AnchorFields &f)
{
    std::string tag = "<a ";
    AppendAttribute(tag, "href", f.url);
    AppendIfSet(tag, "title", f.title);
    AppendIfSet(tag, "xml:lang", f.xmlLang);
    return tag + ">";
}

std::string AnchorWords(const AnchorFields &f)
{
    const std::string words = Trimmed(f.text);
    return words.empty() ? std::string(DefaultAnchorWords) : words;
}

} // namespace tess
