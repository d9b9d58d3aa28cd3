#pragma once

#include "ua/Browser.h"
#include "wml/XmlDocument.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The parts of the user agent that read a loaded deck: its cards, the
// attributes of its elements, and the layout of a card into a Screen.
namespace tess::ua {

// The value of an attribute, "" when absent.
std::string attribute(XmlNode element, std::string_view name);
bool hasAttribute(XmlNode element, std::string_view name);
bool isElement(XmlNode node, std::string_view name);

// A validated deck, kept while the browser may come back to it.
struct Deck
{
    std::string path;
    std::unique_ptr<XmlDocument> document;
    std::vector<XmlNode> cards;
    XmlNode deckTemplate;
    std::map<std::string, int> cardIndex; // by id
};

// A task as the deck states it: an element (go, prev, refresh, noop), or
// an event attribute's URL, which stands for a go.
struct Task
{
    XmlNode element;
    std::string href; // for the attribute form
    explicit operator bool() const { return element || !href.empty(); }
};

// The task element among `parent`'s children; null for none.
XmlNode taskChild(XmlNode parent);
// The event's task on an element (card, template, option): its attribute
// form first, then an onevent child.
Task eventTask(XmlNode element, std::string_view type);
// Every element named `name` below `parent`, in document order.
void collectElements(XmlNode parent, std::string_view name, std::vector<XmlNode> &out);

// A focusable item of the card as laid out: its element (a, anchor, input,
// select).
struct Focusable
{
    ScreenItem::Kind kind = ScreenItem::Kind::Link;
    XmlNode element;
};

// The options of a select in document order (optgroups flattened), each
// with its index among the options from 1, and the listing with headings.
struct SelectOptions
{
    std::vector<XmlNode> options;
    std::vector<OptionChoice> listing;
    std::vector<int> optionOfListing; // 1-based option, 0 for a heading
};
// Option texts have variables substituted when `vars` is given.
SelectOptions selectOptions(XmlNode select,
                            const std::map<std::string, std::string> *vars = nullptr);

// Lays the card out: items in reading order and, in `focusables`, the
// links and fields the items' focus numbers refer to. `selections` holds
// the chosen options (1-based) of each select by its element.
Screen layoutCard(XmlNode card, const Deck &deck, const std::map<std::string, std::string> &vars,
                  const std::map<const void *, std::vector<int>> &selections,
                  std::vector<Focusable> &focusables);

// The label of a link: its text and image alts, without its task.
std::string linkLabel(XmlNode link, const std::map<std::string, std::string> &vars);

} // namespace tess::ua
