#include "editor/CardPropertyFields.h"

#include "deck/StartTag.h"
#include "editor/InputRules.h"

namespace tess {

namespace {

void loadBox(bool &box, const StartTag &tag, std::string_view name)
{
    if (const std::optional<std::string> value = tag.value(name))
        box = *value == "true";
}

} // namespace

void LoadCardFields(CardPropertyFields &f, std::string_view cardFragment,
                    std::string_view timerFragment)
{
    const StartTag card {std::string(cardFragment)};
    const StartTag timer {std::string(timerFragment)};
    f.title = card.value("title").value_or("");
    f.id = card.value("id").value_or("");
    f.forwardUrl = card.value("onenterforward").value_or("");
    f.backwardUrl = card.value("onenterbackward").value_or("");
    f.timerUrl = card.value("ontimer").value_or("");
    f.xmlLang = card.value("xml:lang").value_or("");
    f.className = card.value("class").value_or("");
    loadBox(f.newContext, card, "newcontext");
    loadBox(f.ordered, card, "ordered");
    f.timerName = timer.value("name").value_or("");
    f.timerValue = timer.value("value").value_or("");
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
