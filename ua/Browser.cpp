#include "ua/Browser.h"

#include "ua/Card.h"
#include "ua/Text.h"
#include "wml/FileUtil.h"

#include <algorithm>
#include <cctype>

namespace tess::ua {

namespace {

enum class Direction { Forward, Backward, None };

struct HistoryEntry
{
    std::string path;
    int card = 0;
};

} // namespace

struct Browser::State
{
    Screen screen;
    std::string deckPath;
    std::map<std::string, std::shared_ptr<Deck>> decks;
    std::shared_ptr<Deck> deck;
    int card = -1;
    std::map<std::string, std::string> vars;
    std::vector<HistoryEntry> history;
    std::vector<Focusable> focusables;
    std::map<const void *, std::vector<int>> selections;
    int focused = -1;
    std::optional<int> timer;
    std::string timerName;
    int timerCarryMs = 0;
    int chain = 0;
    std::string message;
    std::optional<Request> request;

    XmlNode cardNode() const { return deck && card >= 0 ? deck->cards[card] : XmlNode(); }

    void setVar(const std::string &name, const std::string &value)
    {
        // An empty value is no value: the variable is unset.
        if (value.empty())
            vars.erase(name);
        else
            vars[name] = value;
    }

    std::string var(const std::string &name) const
    {
        const auto found = vars.find(name);
        return found == vars.end() ? std::string() : found->second;
    }

    std::shared_ptr<Deck> load(const std::string &path)
    {
        if (const auto found = decks.find(path); found != decks.end())
            return found->second;
        if (std::string reason = unreadableFileReason(path); !reason.empty()) {
            // The file's name is enough on a phone's screen.
            if (const size_t at = reason.find(path); at != std::string::npos)
                reason.replace(at, path.size(), fileName(path));
            message = std::move(reason);
            return nullptr;
        }
        auto deck = std::make_shared<Deck>();
        deck->path = path;
        deck->document = std::make_unique<XmlDocument>();
        if (!deck->document->load(path)) {
            const XmlParseError &error = deck->document->parseError();
            message = fileName(path) + ": line " + std::to_string(error.line + 1) + ", column "
                + std::to_string(error.position + 1) + ": " + error.reason;
            return nullptr;
        }
        const XmlNode root = deck->document->documentElement();
        for (XmlNode child = root.firstChild(); child; child = child.nextSibling()) {
            if (isElement(child, "template")) {
                deck->deckTemplate = child;
            } else if (isElement(child, "card")) {
                const std::string id = attribute(child, "id");
                if (!id.empty())
                    deck->cardIndex.emplace(id, static_cast<int>(deck->cards.size()));
                deck->cards.push_back(child);
            }
        }
        if (deck->cards.empty()) {
            message = fileName(path) + ": the deck has no card";
            return nullptr;
        }
        decks[path] = deck;
        return deck;
    }

    void leaveCard()
    {
        // A named timer pauses: its variable keeps what was left.
        if (timer && !timerName.empty())
            setVar(timerName, std::to_string(*timer));
        timer.reset();
    }

    void initInput(XmlNode input)
    {
        const std::string name = attribute(input, "name");
        if (name.empty())
            return;
        const std::string format = attribute(input, "format");
        const bool emptyOk = attribute(input, "emptyok") == "true";
        if (vars.count(name) && fitsFormat(format, var(name), emptyOk))
            return;
        const std::string value = substitute(attribute(input, "value"), vars);
        setVar(name, fitsFormat(format, value, emptyOk) ? value : std::string());
    }

    void storeSelect(XmlNode select)
    {
        const SelectOptions options = selectOptions(select);
        std::string values;
        std::string indices;
        for (const int index : selections[select.raw()]) {
            const std::string value = attribute(options.options[index - 1], "value");
            if (!value.empty())
                values += (values.empty() ? "" : ";") + value;
            indices += (indices.empty() ? "" : ";") + std::to_string(index);
        }
        if (const std::string name = attribute(select, "name"); !name.empty())
            setVar(name, values);
        if (const std::string iname = attribute(select, "iname"); !iname.empty())
            setVar(iname, indices);
    }

    void initSelect(XmlNode select)
    {
        const SelectOptions options = selectOptions(select);
        const int count = static_cast<int>(options.options.size());
        const bool multiple = attribute(select, "multiple") == "true";
        const std::string name = attribute(select, "name");
        const std::string iname = attribute(select, "iname");
        std::vector<int> chosen;
        auto byIndex = [&](const std::string &list) {
            for (const std::string &item : splitList(list)) {
                const std::optional<int> index = parseInt(item);
                if (index && *index >= 1 && *index <= count
                    && std::find(chosen.begin(), chosen.end(), *index) == chosen.end())
                    chosen.push_back(*index);
            }
        };
        auto byValue = [&](const std::string &list) {
            const std::vector<std::string> values
                = multiple ? splitList(list) : std::vector<std::string> {list};
            for (int i = 1; i <= count; ++i) {
                const std::string value = attribute(options.options[i - 1], "value");
                if (std::find(values.begin(), values.end(), value) != values.end())
                    chosen.push_back(i);
            }
        };
        if (!iname.empty() && vars.count(iname))
            byIndex(var(iname));
        else if (!name.empty() && vars.count(name))
            byValue(var(name));
        else if (hasAttribute(select, "ivalue"))
            byIndex(substitute(attribute(select, "ivalue"), vars));
        else if (hasAttribute(select, "value"))
            byValue(substitute(attribute(select, "value"), vars));
        std::sort(chosen.begin(), chosen.end());
        if (!multiple && (!chosen.empty() || count > 0))
            chosen = std::vector<int>(1, chosen.empty() ? 1 : chosen.front());
        selections[select.raw()] = chosen;
        storeSelect(select);
    }

    void initFields(XmlNode cardElement)
    {
        selections.clear();
        std::vector<XmlNode> found;
        collectElements(cardElement, "input", found);
        for (const XmlNode input : found)
            initInput(input);
        found.clear();
        collectElements(cardElement, "select", found);
        for (const XmlNode select : found)
            initSelect(select);
    }

    void startTimer(XmlNode cardElement)
    {
        timer.reset();
        timerName.clear();
        timerCarryMs = 0;
        for (XmlNode child = cardElement.firstChild(); child; child = child.nextSibling()) {
            if (!isElement(child, "timer"))
                continue;
            timerName = attribute(child, "name");
            std::optional<int> tenths;
            if (!timerName.empty() && vars.count(timerName))
                tenths = parseInt(var(timerName));
            if (!tenths) {
                tenths = parseInt(substitute(attribute(child, "value"), vars));
                if (tenths && !timerName.empty())
                    setVar(timerName, std::to_string(*tenths));
            }
            if (tenths && *tenths > 0)
                timer = tenths;
            return;
        }
    }

    void enterCard(const std::shared_ptr<Deck> &target, int index, Direction direction,
                   const std::vector<std::pair<std::string, std::string>> &setvars)
    {
        leaveCard();
        deck = target;
        deckPath = target->path;
        card = index;
        focused = 0;
        const XmlNode element = cardNode();
        if (direction == Direction::Forward && attribute(element, "newcontext") == "true") {
            vars.clear();
            history.erase(history.begin(), history.end() - 1);
        }
        for (const auto &[name, value] : setvars)
            setVar(name, value);
        initFields(element);
        startTimer(element);
        if (direction != Direction::None)
            runEvent(direction == Direction::Forward ? "onenterforward" : "onenterbackward");
    }

    // The card's handler of the event, else the template's.
    void runEvent(std::string_view type)
    {
        Task task = eventTask(cardNode(), type);
        if (!task)
            task = eventTask(deck->deckTemplate, type);
        if (!task)
            return;
        if (++chain > kMaxChainedTasks) {
            message = "Stopped: more than " + std::to_string(kMaxChainedTasks)
                + " tasks ran one after another without input (a loop of go tasks?)";
            return;
        }
        runTask(task);
    }

    std::vector<std::pair<std::string, std::string>> pairs(XmlNode task, std::string_view element)
    {
        std::vector<std::pair<std::string, std::string>> out;
        if (!task)
            return out;
        for (XmlNode child = task.firstChild(); child; child = child.nextSibling()) {
            if (isElement(child, element))
                out.emplace_back(substitute(attribute(child, "name"), vars),
                                 substitute(attribute(child, "value"), vars));
        }
        return out;
    }

    bool runTask(const Task &task)
    {
        const std::string_view kind = task.element ? task.element.localName() : "go";
        const auto setvars = pairs(task.element, "setvar");
        if (kind == "go")
            return go(task, setvars);
        if (kind == "prev")
            return prev(setvars);
        if (kind == "refresh") {
            for (const auto &[name, value] : setvars)
                setVar(name, value);
            leaveCard();
            initFields(cardNode());
            startTimer(cardNode());
            return true;
        }
        return true;
    }

    bool go(const Task &task, const std::vector<std::pair<std::string, std::string>> &setvars)
    {
        const std::string href
            = substitute(task.element ? attribute(task.element, "href") : task.href, vars, true);
        std::string method = task.element ? attribute(task.element, "method") : std::string();
        std::transform(method.begin(), method.end(), method.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (method.empty())
            method = "GET";
        const auto fields = pairs(task.element, "postfield");
        const Target target = resolve(deck->path, href);
        if (!target.local || method == "POST") {
            Request shown;
            shown.method = method;
            shown.url = target.local ? target.url : href;
            shown.sendReferer = task.element && attribute(task.element, "sendreferer") == "true";
            if (method == "POST") {
                shown.postfields = fields;
            } else {
                for (const auto &[name, value] : fields)
                    shown.url += std::string(shown.url.find('?') == std::string::npos ? "?" : "&")
                        + urlEscape(name) + "=" + urlEscape(value);
            }
            message = "Not sent: this request would leave the phone";
            if (shown.sendReferer)
                message += " (Referer: file://" + deck->path + ")";
            request = shown;
            return true;
        }
        const std::shared_ptr<Deck> next = load(target.path);
        if (!next)
            return false;
        int index = 0;
        if (!target.fragment.empty()) {
            const auto found = next->cardIndex.find(target.fragment);
            if (found == next->cardIndex.end()) {
                message = "No card \"" + target.fragment + "\" in " + fileName(next->path);
                return false;
            }
            index = found->second;
        }
        history.push_back({next->path, index});
        enterCard(next, index, Direction::Forward, setvars);
        return true;
    }

    bool prev(const std::vector<std::pair<std::string, std::string>> &setvars)
    {
        if (history.size() < 2) {
            message = "Nothing to go back to";
            return false;
        }
        history.pop_back();
        const HistoryEntry entry = history.back();
        const std::shared_ptr<Deck> previous = load(entry.path);
        if (!previous || entry.card >= static_cast<int>(previous->cards.size()))
            return false;
        enterCard(previous, entry.card, Direction::Backward, setvars);
        return true;
    }

    // The do elements in force: the card's, then the template's that no
    // card do of the same name shadows; a do whose task is noop shows none.
    std::vector<XmlNode> doElements() const
    {
        std::vector<XmlNode> cardDos;
        std::vector<XmlNode> out;
        if (!deck || card < 0)
            return out;
        collectElements(cardNode(), "do", cardDos);
        auto nameOf = [](XmlNode element) {
            const std::string name = attribute(element, "name");
            return name.empty() ? attribute(element, "type") : name;
        };
        auto shown = [](XmlNode element) { return !isElement(taskChild(element), "noop"); };
        for (const XmlNode element : cardDos)
            if (shown(element))
                out.push_back(element);
        if (deck->deckTemplate) {
            for (XmlNode child = deck->deckTemplate.firstChild(); child;
                 child = child.nextSibling()) {
                if (!isElement(child, "do") || !shown(child))
                    continue;
                const std::string name = nameOf(child);
                if (std::none_of(cardDos.begin(), cardDos.end(),
                                 [&](XmlNode own) { return nameOf(own) == name; }))
                    out.push_back(child);
            }
        }
        return out;
    }

    SoftKey softKeyOf(XmlNode element) const
    {
        SoftKey key;
        key.type = attribute(element, "type");
        key.label = substitute(attribute(element, "label"), vars);
        if (key.label.empty())
            key.label = key.type;
        key.name = attribute(element, "name");
        if (key.name.empty())
            key.name = key.type;
        return key;
    }

    void relayout()
    {
        if (!deck || card < 0) {
            screen = Screen {};
            focusables.clear();
        } else {
            screen = layoutCard(cardNode(), *deck, vars, selections, focusables);
        }
        if (focused >= screen.focusCount)
            focused = screen.focusCount - 1;
        if (focused < 0 && screen.focusCount > 0)
            focused = 0;
        screen.focused = focused;
        screen.message = message;
        screen.request = request;
    }

    // Before each user action: what the last one showed is dismissed, and
    // the chain of tasks starts anew.
    void startAction()
    {
        message.clear();
        request.reset();
        chain = 0;
    }

    const Focusable *focusedItem() const
    {
        if (focused < 0 || focused >= static_cast<int>(focusables.size()))
            return nullptr;
        return &focusables[focused];
    }
};

Browser::Browser()
    : m_state(std::make_unique<State>())
{ }

Browser::~Browser() = default;

bool Browser::open(const std::string &pathOrUrl)
{
    State &s = *m_state;
    s.leaveCard();
    s = State {};
    const Target target = resolve("", pathOrUrl);
    s.deckPath = target.path;
    bool ok = false;
    if (!target.local) {
        s.deckPath = pathOrUrl;
        s.message = "Only decks on this machine can be opened: " + pathOrUrl;
    } else if (const std::shared_ptr<Deck> deck = s.load(target.path)) {
        int index = 0;
        if (!target.fragment.empty()) {
            const auto found = deck->cardIndex.find(target.fragment);
            if (found != deck->cardIndex.end())
                index = found->second;
        }
        s.history.push_back({deck->path, index});
        s.enterCard(deck, index, Direction::Forward, {});
        ok = true;
    }
    s.relayout();
    if (changed)
        changed();
    return ok;
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
    const XmlNode card = m_state->cardNode();
    return card ? attribute(card, "id") : std::string();
}

int Browser::currentCardIndex() const
{
    return m_state->deck ? m_state->card : -1;
}

std::vector<SoftKey> Browser::softKeys() const
{
    std::vector<SoftKey> keys;
    for (const XmlNode element : m_state->doElements())
        keys.push_back(m_state->softKeyOf(element));
    return keys;
}

const std::map<std::string, std::string> &Browser::variables() const
{
    return m_state->vars;
}

void Browser::setVariable(const std::string &name, const std::string &value)
{
    m_state->setVar(name, value);
    m_state->relayout();
    if (changed)
        changed();
}

std::vector<std::string> Browser::history() const
{
    std::vector<std::string> out;
    for (const HistoryEntry &entry : m_state->history) {
        const std::shared_ptr<Deck> deck
            = m_state->decks.count(entry.path) ? m_state->decks.at(entry.path) : nullptr;
        std::string id = deck ? attribute(deck->cards[entry.card], "id") : std::string();
        out.push_back(entry.path + "#" + (id.empty() ? std::to_string(entry.card + 1) : id));
    }
    return out;
}

std::optional<int> Browser::timerTenths() const
{
    return m_state->timer;
}

bool Browser::focus(int index)
{
    State &s = *m_state;
    if (index < 0 || index >= s.screen.focusCount)
        return false;
    s.focused = index;
    s.screen.focused = index;
    if (changed)
        changed();
    return true;
}

bool Browser::activate()
{
    State &s = *m_state;
    const Focusable *item = s.focusedItem();
    if (!item || item->kind != ScreenItem::Kind::Link)
        return false;
    s.startAction();
    Task task;
    if (isElement(item->element, "a"))
        task.href = attribute(item->element, "href");
    else
        task.element = taskChild(item->element);
    // A link to nowhere (an empty href) does nothing.
    const bool ok = task ? s.runTask(task) : false;
    s.relayout();
    if (changed)
        changed();
    return ok;
}

bool Browser::type(const std::string &text)
{
    State &s = *m_state;
    const Focusable *item = s.focusedItem();
    if (!item || item->kind != ScreenItem::Kind::Input)
        return false;
    s.startAction();
    const XmlNode input = item->element;
    const std::string format = attribute(input, "format");
    const std::optional<int> maxLength = parseInt(attribute(input, "maxlength"));
    bool ok = true;
    if (maxLength && static_cast<int>(text.size()) > *maxLength) {
        s.message = "At most " + std::to_string(*maxLength) + " characters";
        ok = false;
    } else if (!fitsFormat(format, text, attribute(input, "emptyok") == "true")) {
        s.message = "\"" + text + "\" does not fit the format " + format;
        ok = false;
    } else if (const std::string name = attribute(input, "name"); !name.empty()) {
        s.setVar(name, text);
    }
    s.relayout();
    if (changed)
        changed();
    return ok;
}

bool Browser::pick(int option)
{
    State &s = *m_state;
    const Focusable *item = s.focusedItem();
    if (!item || item->kind != ScreenItem::Kind::Select)
        return false;
    const XmlNode select = item->element;
    const SelectOptions options = selectOptions(select);
    if (option < 0 || option >= static_cast<int>(options.listing.size())
        || options.optionOfListing[option] == 0)
        return false;
    s.startAction();
    const int index = options.optionOfListing[option];
    std::vector<int> &chosen = s.selections[select.raw()];
    if (attribute(select, "multiple") == "true") {
        const auto found = std::find(chosen.begin(), chosen.end(), index);
        if (found == chosen.end())
            chosen.push_back(index);
        else
            chosen.erase(found);
        std::sort(chosen.begin(), chosen.end());
    } else {
        chosen = {index};
    }
    s.storeSelect(select);
    if (const Task task = eventTask(options.options[index - 1], "onpick"))
        s.runTask(task);
    s.relayout();
    if (changed)
        changed();
    return true;
}

std::vector<OptionChoice> Browser::options() const
{
    const State &s = *m_state;
    const Focusable *item = s.focusedItem();
    if (!item || item->kind != ScreenItem::Kind::Select)
        return {};
    SelectOptions options = selectOptions(item->element, &s.vars);
    const auto found = s.selections.find(item->element.raw());
    for (size_t i = 0; i < options.listing.size(); ++i) {
        const int index = options.optionOfListing[i];
        options.listing[i].selected = index > 0 && found != s.selections.end()
            && std::find(found->second.begin(), found->second.end(), index) != found->second.end();
    }
    return options.listing;
}

std::optional<InputField> Browser::focusedInput() const
{
    const State &s = *m_state;
    const Focusable *item = s.focusedItem();
    if (!item || item->kind != ScreenItem::Kind::Input)
        return std::nullopt;
    const XmlNode input = item->element;
    InputField field;
    field.name = attribute(input, "name");
    field.value = s.var(field.name);
    field.title = substitute(attribute(input, "title"), s.vars);
    field.format = attribute(input, "format");
    field.maxLength = parseInt(attribute(input, "maxlength")).value_or(-1);
    field.password = attribute(input, "type") == "password";
    field.emptyOk = attribute(input, "emptyok") == "true";
    return field;
}

std::optional<SelectField> Browser::focusedSelect() const
{
    const Focusable *item = m_state->focusedItem();
    if (!item || item->kind != ScreenItem::Kind::Select)
        return std::nullopt;
    SelectField field;
    field.title = substitute(attribute(item->element, "title"), m_state->vars);
    field.multiple = attribute(item->element, "multiple") == "true";
    field.options = options();
    return field;
}

bool Browser::softKey(const std::string &labelOrType)
{
    State &s = *m_state;
    const std::vector<XmlNode> elements = s.doElements();
    const XmlNode *chosen = nullptr;
    for (auto field : {&SoftKey::label, &SoftKey::type, &SoftKey::name}) {
        for (const XmlNode &element : elements) {
            if (!chosen && s.softKeyOf(element).*field == labelOrType)
                chosen = &element;
        }
    }
    if (!chosen)
        return false;
    s.startAction();
    const bool ok = s.runTask({taskChild(*chosen), {}});
    s.relayout();
    if (changed)
        changed();
    return ok;
}

bool Browser::back()
{
    State &s = *m_state;
    if (s.history.size() < 2)
        return false;
    s.startAction();
    const bool ok = s.prev({});
    s.relayout();
    if (changed)
        changed();
    return ok;
}

void Browser::advance(int milliseconds)
{
    State &s = *m_state;
    if (!s.timer) {
        s.timerCarryMs = 0;
        return;
    }
    int left = milliseconds + s.timerCarryMs;
    bool fired = false;
    while (s.timer && left >= 100) {
        const int step = std::min(left / 100, *s.timer);
        *s.timer -= step;
        left -= step * 100;
        if (*s.timer > 0)
            continue;
        s.timer.reset();
        if (!s.timerName.empty())
            s.setVar(s.timerName, "0");
        if (!fired)
            s.startAction();
        fired = true;
        s.chain = 0;
        s.runEvent("ontimer");
    }
    s.timerCarryMs = s.timer ? left : 0;
    s.relayout();
    if (changed)
        changed();
}

} // namespace tess::ua
