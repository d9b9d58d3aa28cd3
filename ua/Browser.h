#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A WML 1.1 user agent without widgets: it loads decks, keeps the browser
// context (variables, history, timer) and lays the current card out as a
// list of lines of items for a screen to paint. The phone window and the
// command line's --script both drive it.
namespace tess::ua {

// One run of the card's content as the screen shows it.
struct ScreenItem
{
    enum class Kind {
        Text,   // plain text (variables substituted)
        Link,   // an <a> or <anchor>: `text` is its label
        Input,  // an <input>: `text` is its value as shown ('*' for a password)
        Select, // a <select>: `text` is the chosen option(s)' text, or "[...]" when none
        Image,  // an <img>: `imagePath` when it resolves to a local file, `text` its alt
        Break,  // a <br/> or the end of a paragraph: the next item starts a new line
    };
    Kind kind = Kind::Text;
    std::string text;
    // Emphasis in force: <b>/<strong>, <i>/<em>, <u>, <big>, <small>.
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool big = false;
    bool small = false;
    // The paragraph's align ("left", "center", "right") and mode ("wrap",
    // "nowrap").
    std::string align = "left";
    bool wrap = true;
    // 0-based index among the card's focusable items (links, inputs,
    // selects); -1 for the others.
    int focus = -1;
    std::string imagePath;
    // A table cell: its row and column (0-based), -1 outside tables.
    int tableRow = -1;
    int tableColumn = -1;
};

// A soft key: a <do> in force on the card (the card's own, then the
// template's that the card does not shadow).
struct SoftKey
{
    std::string type;  // accept, prev, options, help, reset, delete, unknown, or X-...
    std::string label; // its label, else the type
    std::string name;
};

// A request that would leave the phone: shown, never sent.
struct Request
{
    std::string method; // "GET" or "POST"
    std::string url;    // with variables substituted and get fields appended
    std::vector<std::pair<std::string, std::string>> postfields;
    bool sendReferer = false;
};

// What the screen shows now.
struct Screen
{
    std::string title; // the card's title
    std::vector<ScreenItem> items;
    // Shown instead of (or above) the card: a validation error with line and
    // column, a request that would leave the phone, a stopped go loop, a
    // file that cannot be loaded. Empty when all is well.
    std::string message;
    std::optional<Request> request;
    int focused = -1; // index of the focused focusable item, -1 for none
    int focusCount = 0;
};

// One <option> of the focused select, for a list the user picks from.
struct OptionChoice
{
    std::string text;
    bool selected = false;
    bool group = false; // an <optgroup> heading; its options follow, indented
    int depth = 0;
};

// The focused <input>, for the editor a screen opens on it.
struct InputField
{
    std::string name;
    std::string value; // its variable's value, unmasked
    std::string title;
    std::string format; // the mask ("" for none)
    int maxLength = -1; // -1 for no limit
    bool password = false;
    bool emptyOk = false;
};

// The focused <select>, for the list a screen opens on it.
struct SelectField
{
    std::string title;
    bool multiple = false; // picks toggle options; the list may stay open
    std::vector<OptionChoice> options; // as options() lists them
};

class Browser
{
public:
    Browser();
    ~Browser();
    Browser(const Browser &) = delete;
    Browser &operator=(const Browser &) = delete;

    // Loads a deck from a local path or file: URL (a "#card" fragment
    // chooses the card) as a fresh start: new context, empty history.
    // False, with the reason in screen().message, when the deck cannot be
    // read or does not validate against the WML 1.1 DTD.
    bool open(const std::string &pathOrUrl);

    const Screen &screen() const;
    // The deck's path, and the current card's id ("" for none) and 0-based
    // index in the deck.
    const std::string &deckPath() const;
    std::string currentCardId() const;
    int currentCardIndex() const;
    // Soft keys of the current card, in document order.
    std::vector<SoftKey> softKeys() const;

    // The browser context.
    const std::map<std::string, std::string> &variables() const;
    void setVariable(const std::string &name, const std::string &value);
    // The history, oldest first, as "path#card" entries.
    std::vector<std::string> history() const;
    // Tenths of a second left on the card's timer; nullopt when none runs.
    std::optional<int> timerTenths() const;

    // User actions; false (with screen().message saying why when there is
    // something to say) when the action does not apply.
    bool focus(int index);                 // the nth focusable item, 0-based
    bool activate();                       // Enter on the focused item
    bool type(const std::string &text);    // replaces the focused input's value
    bool pick(int option);                 // toggles/chooses the nth option (0-based, as listed)
    std::vector<OptionChoice> options() const; // of the focused select
    std::optional<InputField> focusedInput() const; // nullopt unless an input has the focus
    std::optional<SelectField> focusedSelect() const; // nullopt unless a select has the focus
    bool softKey(const std::string &labelOrType);
    bool back();
    // Simulated time passes: timers count down and fire.
    void advance(int milliseconds);

    // Called after anything on the screen changed.
    std::function<void()> changed;

    // Stops a chain of tasks (a go loop through onenterforward) after this
    // many steps without user input.
    static constexpr int kMaxChainedTasks = 32;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// The --script trace of the browser as it stands: "card: ID" ("#N" for a
// card without an id, from 1), the screen's text lines each prefixed "| ",
// "var NAME=VALUE" per variable in name order, and for a request that would
// leave the phone "request: METHOD URL" and "postfield NAME=VALUE" lines.
std::string traceOf(const Browser &browser);
// The screen's text as lines, as the trace prints them.
std::vector<std::string> screenLines(const Screen &screen);

// Runs `script` (steps separated by ';': select N, activate, type TEXT,
// softkey LABEL, back, wait SECONDS, pick N) on `file`, writing the trace
// after opening and after each step to `out`. False, with the reason in
// *error, when a step could not be carried out.
bool runScript(Browser &browser, const std::string &file, const std::string &script,
               std::string &out, std::string *error);

} // namespace tess::ua
