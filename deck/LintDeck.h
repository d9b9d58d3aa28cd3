#pragma once

// The lint's own view of one deck, shared by its files; no other part of the
// program includes it.

#include "deck/DeckLint.h"
#include "wml/XmlDocument.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tess::lint {

struct Element
{
    XmlNode node;
    std::string name;
    std::vector<XmlAttribute> attributes;
    int line = 1;
    int column = 1;
    int parent = -1;
    int card = -1; // the card or template it stands in (itself for one)
    bool codeInTag = false; // server code stands in its start tag
    size_t offset = 0; // of its start tag in the parsed text

    const std::string *attribute(std::string_view attributeName) const
    {
        for (const XmlAttribute &a : attributes) {
            if (a.name == attributeName)
                return &a.value;
        }
        return nullptr;
    }
};

struct Deck
{
    const XmlDocument *doc = nullptr;
    std::string path;
    PageKind kind = PageKind::Wml;
    std::vector<Element> elements; // in document order
    std::vector<int> cards;
    int templ = -1;
    // A server page whose code stands inside the root element: that code may
    // write cards, links and variables the lint cannot see.
    bool codeInRoot = false;
    std::vector<bool> cardHasCode; // by position in `cards`
    // Text nodes and the element each stands in, for variable reads.
    std::vector<std::pair<int, std::string>> texts;
};

class Report
{
public:
    explicit Report(const LintOptions &options)
        : m_options(options)
    { }
    bool enabled(std::string_view rule) const;
    void add(std::string_view rule, int line, int column, std::string text);
    void add(std::string_view rule, const Element &at, std::string text)
    {
        add(rule, at.line, at.column, std::move(text));
    }
    std::vector<LintFinding> take();
    const LintOptions &options() const { return m_options; }

private:
    const LintOptions &m_options;
    std::vector<LintFinding> m_findings;
};

// The rules on the tree: links, variables, pictures, timers, reachability,
// the accept key and the compiled size.
void lintTree(const Deck &deck, Report &report);

// "Name" in double quotes, as the texts quote names.
inline std::string inQuotes(std::string_view name)
{
    return "\"" + std::string(name) + "\"";
}

} // namespace tess::lint
