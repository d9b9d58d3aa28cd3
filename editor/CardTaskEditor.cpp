#include "editor/CardTaskEditor.h"

#include "deck/DeckConstants.h"
#include "deck/StartTag.h"

#include <string_view>

namespace tess {

namespace {

constexpr std::string_view Crlf = "\r\n";

RuleFailure failure(std::string_view message, RuleField field)
{
    return {std::string(message), field, AfterFailure::Stop};
}

// " name=\"value\"" when the trimmed value is not empty.
void appendSet(std::string &tag, std::string_view name, std::string_view value)
{
    const std::string v = Trimmed(value);
    if (!v.empty())
        tag.append(" ").append(name).append("=\"").append(v).append("\"");
}

// The variables of a loaded event: what follows the task's start tag up to
// its end tag, one row per "/>".
std::vector<std::string> variablesAfter(std::string_view row, size_t taskStart,
                                        std::string_view endTag)
{
    std::vector<std::string> rows;
    const size_t tagEnd = row.find('>', taskStart);
    if (tagEnd == std::string_view::npos)
        return rows;
    std::string_view rest = row.substr(tagEnd + 1);
    rest = rest.substr(0, rest.find(endTag));
    for (size_t end; (end = rest.find("/>")) != std::string_view::npos;) {
        std::string piece = Trimmed(rest.substr(0, end + 2));
        if (!piece.empty())
            rows.push_back(std::move(piece));
        rest.remove_prefix(end + 2);
    }
    return rows;
}

} // namespace

CardTaskEditor::CardTaskEditor(std::vector<std::string> events)
    : m_events(std::move(events))
    , m_deleteEventEnabled(!m_events.empty())
{ }

TaskFieldStates CardTaskEditor::states() const
{
    TaskFieldStates s;
    s.goFields = s.postfield = m_taskType == TaskType::Go;
    s.variables = m_taskType == TaskType::Prev || m_taskType == TaskType::Refresh
        || m_taskType == TaskType::Go;
    s.deleteVariable = s.variables && !m_variables.empty();
    s.deleteEvent = m_deleteEventEnabled && !m_events.empty();
    return s;
}

void CardTaskEditor::setTaskType(TaskType type)
{
    m_taskType = type;
    fields.url.clear();
    fields.acceptCharset.clear();
    // Disabled go fields are cleared; enabling them starts from get.
    fields.sendReferer = false;
    fields.post = false;
    fields.postfield = false;
}

void CardTaskEditor::addVariable()
{
    if (fields.variableName.empty() && fields.variableValue.empty())
        return;
    std::string row = fields.postfield ? "<postfield " : "<setvar ";
    row += "name=\"" + fields.variableName + "\" value=\"" + fields.variableValue + "\" />";
    if (selectedVariable >= 0 && selectedVariable < static_cast<int>(m_variables.size()))
        m_variables[selectedVariable] = std::move(row);
    else
        m_variables.push_back(std::move(row));
    selectedVariable = -1;
    fields.variableName.clear();
    fields.variableValue.clear();
    fields.postfield = false;
}

void CardTaskEditor::deleteVariable()
{
    if (selectedVariable < 0 || selectedVariable >= static_cast<int>(m_variables.size()))
        return;
    m_variables.erase(m_variables.begin() + selectedVariable);
    selectedVariable = -1;
}

void CardTaskEditor::loadVariable(int row)
{
    if (row < 0 || row >= static_cast<int>(m_variables.size()))
        return;
    const std::string &text = m_variables[row];
    selectedVariable = row;
    fields.postfield = text.find("setvar") == std::string::npos;
    const StartTag variable(text);
    fields.variableName = variable.value("name").value_or("");
    fields.variableValue = variable.value("value").value_or("");
}

std::string CardTaskEditor::doStartTag() const
{
    std::string tag = "<do";
    appendSet(tag, "id", fields.id);
    appendSet(tag, "class", fields.className);
    appendSet(tag, "xml:lang", fields.xmlLang);
    tag += " type=\"" + Trimmed(fields.eventType) + "\"";
    appendSet(tag, "label", fields.label);
    appendSet(tag, "name", fields.action);
    return tag + " >";
}

RuleResult CardTaskEditor::addEvent()
{
    if (RuleResult id = CheckIdentifier(fields.id, RuleField::ActionId))
        return id;
    std::string task;
    switch (m_taskType) {
    case TaskType::Prev:
    case TaskType::Refresh:
        task = m_taskType == TaskType::Prev ? "<prev > " : "<refresh >";
        for (const std::string &v : m_variables)
            task += v;
        break;
    case TaskType::Noop:
        task = "<noop >";
        break;
    case TaskType::Go: {
        const std::string url = Trimmed(fields.url);
        if (url.empty())
            return failure(HrefMissingMessage, RuleField::Url);
        task = "<go href=\"" + url + "\"";
        if (fields.post)
            task += " method=\"post\"";
        if (fields.sendReferer)
            task += " sendreferer=\"true\"";
        appendSet(task, "accept-charset", fields.acceptCharset);
        task += " >";
        task += Crlf;
        for (const std::string &v : m_variables)
            task += v;
        break;
    }
    default:
        return failure(TaskTypeMissingMessage, RuleField::TaskType);
    }
    std::string event = doStartTag() + task;
    if (selectedEvent >= 0 && selectedEvent < static_cast<int>(m_events.size()))
        m_events[selectedEvent] = std::move(event);
    else
        m_events.push_back(std::move(event));
    m_deleteEventEnabled = true;
    resetPage();
    return std::nullopt;
}

void CardTaskEditor::deleteEvent()
{
    if (selectedEvent < 0 || selectedEvent >= static_cast<int>(m_events.size()))
        return;
    m_events.erase(m_events.begin() + selectedEvent);
    selectedEvent = -1;
}

void CardTaskEditor::loadEvent(int row)
{
    if (row < 0 || row >= static_cast<int>(m_events.size()))
        return;
    const std::string &text = m_events[row];
    selectedEvent = row;
    m_deleteEventEnabled = true;
    // The do's own attributes are looked for in its start tag only, so that
    // a variable's name is never taken for the event's.
    const StartTag doTag(text.substr(0, text.find('>')));
    fields = {};
    fields.eventType = doTag.value("type").value_or("");
    fields.id = doTag.value("id").value_or("");
    fields.action = doTag.value("name").value_or("");
    fields.label = doTag.value("label").value_or("");
    fields.className = doTag.value("class").value_or("");
    fields.xmlLang = doTag.value("xml:lang").value_or("");

    m_variables.clear();
    selectedVariable = -1;
    const struct
    {
        std::string_view tag, endTag;
        TaskType type;
    } tasks[] = {{"<refresh", "</refresh>", TaskType::Refresh},
                 {"<noop", "", TaskType::Noop},
                 {"<go", "</go>", TaskType::Go},
                 {"<prev", "</prev>", TaskType::Prev}};
    m_taskType = TaskType::None;
    for (const auto &task : tasks) {
        const size_t at = text.find(task.tag);
        if (at == std::string::npos)
            continue;
        m_taskType = task.type;
        if (task.type != TaskType::Noop)
            m_variables = variablesAfter(text, at, task.endTag);
        if (task.type == TaskType::Go) {
            const StartTag go(text.substr(at));
            fields.url = go.value("href").value_or("");
            fields.acceptCharset = go.value("accept-charset").value_or("");
            fields.sendReferer = go.value("sendreferer").value_or("") == "true";
            fields.post = go.value("method").value_or("") == "post";
        }
        break;
    }
}

void CardTaskEditor::clear()
{
    resetPage();
    m_deleteEventEnabled = false;
}

void CardTaskEditor::resetPage()
{
    fields = {};
    m_variables.clear();
    selectedEvent = -1;
    selectedVariable = -1;
    m_taskType = TaskType::Prev;
}

} // namespace tess
