#include "ua/Browser.h"

namespace tess::ua {

struct Browser::State
{
    Screen screen;
    std::string deckPath;
    std::map<std::string, std::string> variables;
};

Browser::Browser()
    : m_state(std::make_unique<State>())
{ }

Browser::~Browser() = default;

bool Browser::open(const std::string &pathOrUrl)
{
    m_state->deckPath = pathOrUrl;
    m_state->screen = Screen {};
    m_state->screen.message = "not yet implemented";
    return false;
}

const Screen &Browser::screen() const
{
    return m_state->screen;
}
const std::string &Browser::deckPath() const
{
    return m_state->deckPath;
}
std::string Browser::currentCardId() const
{
    return {};
}
int Browser::currentCardIndex() const
{
    return -1;
}
std::vector<SoftKey> Browser::softKeys() const
{
    return {};
}
const std::map<std::string, std::string> &Browser::variables() const
{
    return m_state->variables;
}
void Browser::setVariable(const std::string &name, const std::string &value)
{
    m_state->variables[name] = value;
}
std::vector<std::string> Browser::history() const
{
    return {};
}
std::optional<int> Browser::timerTenths() const
{
    return std::nullopt;
}
bool Browser::focus(int)
{
    return false;
}
bool Browser::activate()
{
    return false;
}
bool Browser::type(const std::string &)
{
    return false;
}
bool Browser::pick(int)
{
    return false;
}
std::vector<OptionChoice> Browser::options() const
{
    return {};
}
bool Browser::softKey(const std::string &)
{
    return false;
}
bool Browser::back()
{
    return false;
}
void Browser::advance(int) { }

std::string traceOf(const Browser &)
{
    return {};
}
std::vector<std::string> screenLines(const Screen &)
{
    return {};
}

bool runScript(Browser &browser, const std::string &file, const std::string &, std::string &out,
               std::string *error)
{
    browser.open(file);
    out = traceOf(browser);
    if (error)
        *error = "not yet implemented";
    return false;
}

} // namespace tess::ua
