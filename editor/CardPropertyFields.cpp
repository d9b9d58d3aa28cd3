#include "editor/CardPropertyFields.h"

#include "deck/AttributeReader.h"
#include "editor/InputRules.h"

namespace tess {

namespace {

void loadBox(bool &box, std::string_view fragment, std::string_view name)
{
    bool found = false;
    const std::string value = ReadQuotedValue(fragment, name, &found);
    if (found)
        box = value == "true";
}

} // namespace

void LoadCardFields(CardPropertyFields &f, std::string_view card, std::string_view timer)
{
    f.title = ReadQuotedValue(card, "title");
    f.id = ReadQuotedValue(card, "id");
    f.forwardUrl = ReadQuotedValue(card, "onenterforward");
    f.backwardUrl = ReadQuotedValue(card, "onenterbackward");
    f.timerUrl = ReadQuotedValue(card, "ontimer");
    f.xmlLang = ReadQuotedValue(card, "xml:lang");
    f.className = ReadQuotedValue(card, "class");
    loadBox(f.newContext, card, "newcontext");
    loadBox(f.ordered, card, "ordered");
    f.timerName = ReadQuotedValue(timer, "name");
    f.timerValue = ReadQuotedValue(timer, "value");
}

std::string BuildCardFragment(const CardPropertyFields &f)
{
    std::string tag = "<card ";
    AppendIfSet(tag, "title", Trimmed(f.title));
    AppendIfSet(tag, "id", Trimmed(f.id));
    AppendIfSet(tag, "onenterforward", Trimmed(f.forwardUrl));
    AppendIfSet(tag, "onenterbackward", Trimmed(f.backwardUrl));
    AppendIfSet(tag, "ontimer", Trimmed(f.timerUrl));
    AppendIfSet(tag, "xml:lang", Trimmed(f.xmlLang));
    AppendIfSet(tag, "class", Trimmed(f.className));
    AppendAttribute(tag, "newcontext", f.newContext ? "true" : "false");
    AppendAttribute(tag, "ordered", f.ordered ? "true" : "false");
    return tag + ">";
}

std::string BuildTimerFragment(const CardPropertyFields &f)
{
    std::string tag = "<timer ";
    AppendIfSet(tag, "name", Trimmed(f.timerName));
    AppendIfSet(tag, "value", Trimmed(f.timerValue));
    return tag + "/>";
}

} // namespace tess
