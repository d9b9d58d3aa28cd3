#include "editor/OptgroupProperties.h"

#include "deck/AttributeReader.h"
#include "editor/InputRules.h"

namespace tess {

OptgroupFields ReadOptgroupFields(std::string_view fragment)
{
    OptgroupFields f;
    f.title = ReadAttribute(fragment, "title");
    f.xmlLang = ReadAttribute(fragment, "xml:lang");
    f.className = ReadAttribute(fragment, "class");
    f.id = ReadAttribute(fragment, "id");
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
