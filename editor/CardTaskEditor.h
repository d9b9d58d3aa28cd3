#pragma once

#include "editor/InputRules.h"

#include <string>
#include <vector>

namespace tess {

// The task of a do event, by the numbers the Action page uses.
enum class TaskType { None = 0, Prev = 1, Noop = 2, Refresh = 3, Go = 4 };

// What the Action page's fields hold; the page writes the user's typing
// here before each command and shows the result afterwards.
struct CardTaskFields
{
    std::string id, eventType, xmlLang, className, label, action;
    std::string url, acceptCharset;
    bool sendReferer = false;
    bool post = false;
    bool postfield = false; // the variable kind; setvar when clear
    std::string variableName, variableValue;

    friend bool operator==(const CardTaskFields &, const CardTaskFields &) = default;
};

// Which controls of the Action page are enabled.
struct TaskFieldStates
{
    bool goFields = false; // URL, accept-charset, send referer, get/post
    bool postfield = false;
    bool variables = false; // setvar, name, value, the variable list, Add
    bool deleteVariable = false;
    bool deleteEvent = false;

    friend bool operator==(const TaskFieldStates &, const TaskFieldStates &) = default;
};

// The Action page without its widgets: the card's events as WML text (the do
// start tag, the task's start tag, then one string per variable) and the
// event being edited.
class CardTaskEditor
{
public:
    explicit CardTaskEditor(std::vector<std::string> events = {});

    CardTaskFields fields;
    // Rows chosen in the lists; -1 for none.
    int selectedEvent = -1;
    int selectedVariable = -1;

    const std::vector<std::string> &events() const { return m_events; }
    const std::vector<std::string> &variables() const { return m_variables; }
    TaskType taskType() const { return m_taskType; }
    TaskFieldStates states() const;

    // Clears URL and accept-charset and sets the fields the task allows.
    void setTaskType(TaskType type);

    // Replaces the selected variable row or appends one; nothing when both
    // name and value are empty.
    void addVariable();
    void deleteVariable();
    void loadVariable(int row);

    // Replaces the selected event row or appends one, then resets the page.
    // A failure changes nothing and names the field to focus.
    RuleResult addEvent();
    void deleteEvent();
    void loadEvent(int row);
    // Empties the fields and the variable list; Del and Delete disabled.
    void clear();

    // The start tag of the do element the fields describe.
    std::string doStartTag() const;

private:
    void resetPage();

    std::vector<std::string> m_events;
    std::vector<std::string> m_variables;
    TaskType m_taskType = TaskType::Prev;
    bool m_deleteEventEnabled = false;
};

} // namespace tess
