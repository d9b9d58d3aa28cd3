#include "editor/OptgroupProperties.h"

#include "deck/StartTag.h"
#include "editor/InputRules.h"

namespace tess {

OptgroupFields ReadOptgroupFields(const StartTag &tag)
{
    OptgroupFields f;
    f.title = tag.shownValue("title");
    f.xmlLang = tag.shownValue("xml:lang");
    f.className = tag.shownValue("class");
    f.id = tag.shownValue("id");
    return f;
}

std::string BuildOptgroupTag(const OptgroupFields &f)
{
    std::string tag = "<optgroup ";
    AppendIfSet(tag, "title", f.title);
    AppendIfSet(tag, "id", Trimmed(f.id));
    AppendIfSet(tag, "xml:lang", f.xmlLang);
    AppendIfSet(tag, "class", f.className);
    return tag + ">";
}

} // namespace tess
