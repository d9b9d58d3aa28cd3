#include "ua/Card.h"
#include "ua/Text.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace tess::ua {

std::string attribute(XmlNode element, std::string_view name)
{
    std::string value;
    element.visitAttributes([&](std::string_view n, std::string_view v) {
        if (n == name)
            value = std::string(v);
    });
    return value;
}

bool hasAttribute(XmlNode element, std::string_view name)
{
    bool found = false;
    element.visitAttributes([&](std::string_view n, std::string_view) {
        if (n == name)
            found = true;
    });
    return found;
}

bool isElement(XmlNode node, std::string_view name)
{
    return node && node.type() == XmlNodeType::Element && node.localName() == name;
}

XmlNode taskChild(XmlNode parent)
{
    for (XmlNode child = parent.firstChild(); child; child = child.nextSibling()) {
        if (isElement(child, "go") || isElement(child, "prev") || isElement(child, "refresh")
            || isElement(child, "noop"))
            return child;
    }
    return {};
}

Task eventTask(XmlNode element, std::string_view type)
{
    if (!element)
        return {};
    const std::string href = attribute(element, type);
    if (!href.empty())
        return {XmlNode(), href};
    for (XmlNode child = element.firstChild(); child; child = child.nextSibling()) {
        if (isElement(child, "onevent") && attribute(child, "type") == type)
            return {taskChild(child), {}};
    }
    return {};
}

void collectElements(XmlNode parent, std::string_view name, std::vector<XmlNode> &out)
{
    for (XmlNode child = parent.firstChild(); child; child = child.nextSibling()) {
        if (child.type() != XmlNodeType::Element)
            continue;
        if (child.localName() == name)
            out.push_back(child);
        collectElements(child, name, out);
    }
}

namespace {

// Runs of blanks become one space, as a phone shows them.
std::string collapseBlanks(std::string_view text)
{
    std::string out;
    bool blank = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            blank = true;
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
    if (blank)
        out += ' ';
    return out;
}

void collectOptions(XmlNode parent, int depth, SelectOptions &out,
                    const std::map<std::string, std::string> *vars)
{
    for (XmlNode child = parent.firstChild(); child; child = child.nextSibling()) {
        if (isElement(child, "option")) {
            out.options.push_back(child);
            OptionChoice choice;
            choice.text
                = trimmed(collapseBlanks(vars ? substitute(child.text(), *vars) : child.text()));
            choice.depth = depth;
            out.listing.push_back(choice);
            out.optionOfListing.push_back(static_cast<int>(out.options.size()));
        } else if (isElement(child, "optgroup")) {
            OptionChoice heading;
            heading.text = attribute(child, "title");
            heading.group = true;
            heading.depth = depth;
            out.listing.push_back(heading);
            out.optionOfListing.push_back(0);
            collectOptions(child, depth + 1, out, vars);
        }
    }
}

class Layout
{
public:
    Layout(const Deck &deck, const std::map<std::string, std::string> &vars,
           const std::map<const void *, std::vector<int>> &selections,
           std::vector<Focusable> &focusables)
        : m_deck(deck)
        , m_vars(vars)
        , m_selections(selections)
        , m_focusables(focusables)
    { }

    Screen run(XmlNode card)
    {
        m_screen.title = substitute(attribute(card, "title"), m_vars);
        m_focusables.clear();
        content(card);
        endLine();
        m_screen.focusCount = static_cast<int>(m_focusables.size());
        return std::move(m_screen);
    }

private:
    void add(ScreenItem::Kind kind, std::string text)
    {
        ScreenItem item = m_style;
        item.kind = kind;
        item.text = std::move(text);
        m_screen.items.push_back(std::move(item));
    }

    void lineBreak() { add(ScreenItem::Kind::Break, {}); }

    bool lineEmpty() const
    {
        return m_screen.items.empty() || m_screen.items.back().kind == ScreenItem::Kind::Break;
    }

    // A break unless the line is already empty; the blank of a deck's
    // layout that ends it makes no line of its own.
    void endLine()
    {
        auto &items = m_screen.items;
        while (!items.empty() && items.back().kind == ScreenItem::Kind::Text
               && items.back().text == " ")
            items.pop_back();
        if (!lineEmpty())
            lineBreak();
    }

    int addFocusable(ScreenItem::Kind kind, XmlNode element)
    {
        m_focusables.push_back({kind, element});
        return static_cast<int>(m_focusables.size()) - 1;
    }

    void content(XmlNode parent)
    {
        for (XmlNode child = parent.firstChild(); child; child = child.nextSibling())
            node(child);
    }

    void text(std::string_view raw)
    {
        std::string shown
            = m_pre ? substitute(raw, m_vars) : collapseBlanks(substitute(raw, m_vars));
        if (shown.empty() || (!m_pre && shown == " " && lineEmpty()))
            return;
        if (!m_pre) {
            add(ScreenItem::Kind::Text, std::move(shown));
            return;
        }
        size_t start = 0;
        for (;;) {
            const size_t end = shown.find('\n', start);
            if (end > start)
                add(ScreenItem::Kind::Text, shown.substr(start, end - start));
            if (end == std::string::npos)
                break;
            lineBreak();
            start = end + 1;
        }
    }

    void node(XmlNode n)
    {
        switch (n.type()) {
        case XmlNodeType::Text:
        case XmlNodeType::CDataSection:
            text(n.content());
            return;
        case XmlNodeType::EntityReference:
            text(n.text());
            return;
        case XmlNodeType::Element:
            break;
        default:
            return;
        }
        const std::string_view name = n.localName();
        const ScreenItem saved = m_style;
        if (name == "p" || name == "pre") {
            endLine();
            const std::string align = attribute(n, "align");
            m_style.align = align.empty() ? "left" : align;
            // A paragraph without a mode keeps the one before it.
            const std::string mode = attribute(n, "mode");
            if (!mode.empty())
                m_wrap = mode != "nowrap";
            m_style.wrap = name == "p" && m_wrap;
            const bool savedPre = m_pre;
            m_pre = name == "pre";
            content(n);
            m_pre = savedPre;
            endLine();
        } else if (name == "br") {
            lineBreak();
        } else if (name == "b" || name == "strong") {
            m_style.bold = true;
            content(n);
        } else if (name == "i" || name == "em") {
            m_style.italic = true;
            content(n);
        } else if (name == "u") {
            m_style.underline = true;
            content(n);
        } else if (name == "big") {
            m_style.big = true;
            content(n);
        } else if (name == "small") {
            m_style.small = true;
            content(n);
        } else if (name == "table") {
            table(n);
        } else if (name == "img") {
            image(n);
        } else if (name == "a" || name == "anchor") {
            m_style.focus = addFocusable(ScreenItem::Kind::Link, n);
            add(ScreenItem::Kind::Link, linkLabel(n, m_vars));
        } else if (name == "input") {
            input(n);
        } else if (name == "select") {
            select(n);
        } else if (name == "fieldset") {
            const std::string title = substitute(attribute(n, "title"), m_vars);
            if (!title.empty()) {
                endLine();
                add(ScreenItem::Kind::Text, title);
                lineBreak();
            }
            content(n);
        }
        // do, onevent, timer and the tasks are not shown in the card's body.
        m_style = saved;
    }

    void table(XmlNode tableElement)
    {
        endLine();
        int row = 0;
        for (XmlNode tr = tableElement.firstChild(); tr; tr = tr.nextSibling()) {
            if (!isElement(tr, "tr"))
                continue;
            int column = 0;
            for (XmlNode td = tr.firstChild(); td; td = td.nextSibling()) {
                if (!isElement(td, "td"))
                    continue;
                const size_t before = m_screen.items.size();
                m_style.tableRow = row;
                m_style.tableColumn = column;
                content(td);
                // An empty cell still holds its place in the row.
                if (m_screen.items.size() == before)
                    add(ScreenItem::Kind::Text, {});
                ++column;
            }
            m_style.tableRow = m_style.tableColumn = -1;
            lineBreak();
            ++row;
        }
    }

    void image(XmlNode img)
    {
        add(ScreenItem::Kind::Image, substitute(attribute(img, "alt"), m_vars));
        const std::string src = substitute(attribute(img, "src"), m_vars, true);
        if (src.empty())
            return;
        const Target target = resolve(m_deck.path, src);
        std::error_code error;
        if (target.local && target.path != m_deck.path
            && std::filesystem::is_regular_file(target.path, error))
            m_screen.items.back().imagePath = target.path;
    }

    void input(XmlNode element)
    {
        m_style.focus = addFocusable(ScreenItem::Kind::Input, element);
        const auto found = m_vars.find(attribute(element, "name"));
        std::string value = found == m_vars.end() ? std::string() : found->second;
        if (attribute(element, "type") == "password")
            value.assign(value.size(), '*');
        add(ScreenItem::Kind::Input, std::move(value));
    }

    void select(XmlNode element)
    {
        m_style.focus = addFocusable(ScreenItem::Kind::Select, element);
        const SelectOptions options = selectOptions(element);
        std::string chosen;
        const auto found = m_selections.find(element.raw());
        if (found != m_selections.end()) {
            for (const int index : found->second) {
                if (index < 1 || index > static_cast<int>(options.options.size()))
                    continue;
                chosen += (chosen.empty() ? "" : ", ")
                    + trimmed(collapseBlanks(
                        substitute(options.options[index - 1].text(), m_vars)));
            }
        }
        add(ScreenItem::Kind::Select, chosen.empty() ? "[...]" : chosen);
    }

    const Deck &m_deck;
    const std::map<std::string, std::string> &m_vars;
    const std::map<const void *, std::vector<int>> &m_selections;
    std::vector<Focusable> &m_focusables;
    Screen m_screen;
    ScreenItem m_style;
    bool m_pre = false;
    bool m_wrap = true;
};

void labelText(XmlNode parent, std::string &out)
{
    for (XmlNode child = parent.firstChild(); child; child = child.nextSibling()) {
        switch (child.type()) {
        case XmlNodeType::Text:
        case XmlNodeType::CDataSection:
            out += child.content();
            break;
        case XmlNodeType::EntityReference:
            out += child.text();
            break;
        case XmlNodeType::Element:
            if (isElement(child, "img"))
                out += attribute(child, "alt");
            else if (isElement(child, "br"))
                out += ' ';
            else if (!isElement(child, "go") && !isElement(child, "prev")
                     && !isElement(child, "refresh") && !isElement(child, "noop"))
                labelText(child, out);
            break;
        default:
            break;
        }
    }
}

} // namespace

SelectOptions selectOptions(XmlNode select, const std::map<std::string, std::string> *vars)
{
    SelectOptions out;
    collectOptions(select, 0, out, vars);
    return out;
}

std::string linkLabel(XmlNode link, const std::map<std::string, std::string> &vars)
{
    std::string raw;
    labelText(link, raw);
    std::string label = trimmed(collapseBlanks(substitute(raw, vars)));
    if (label.empty())
        label = substitute(attribute(link, "title"), vars);
    return label;
}

Screen layoutCard(XmlNode card, const Deck &deck, const std::map<std::string, std::string> &vars,
                  const std::map<const void *, std::vector<int>> &selections,
                  std::vector<Focusable> &focusables)
{
    return Layout(deck, vars, selections, focusables).run(card);
}

} // namespace tess::ua
