#include "deck/LintDeck.h"

#include "deck/StartTag.h"
#include "wml/FileUtil.h"
#include "wml/PhoneProfiles.h"
#include "wml/TextEncoding.h"
#include "wml/WbmpImage.h"
#include "wml/WbxmlCompiler.h"

#include <filesystem>
#include <unordered_map>
#include <unordered_set>

namespace tess::lint {

namespace {

namespace fs = std::filesystem;

bool isNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool isNameChar(char c)
{
    return isNameStart(c) || (c >= '0' && c <= '9');
}

// Calls `read` with the name of each variable the text reads: "$name",
// "$(name)" and "$(name:conversion)"; "$$" is a dollar sign.
template<typename Read> void forEachVariable(std::string_view text, Read read)
{
    for (size_t at = text.find('$'); at != std::string_view::npos; at = text.find('$', at)) {
        ++at;
        if (at >= text.size())
            return;
        if (text[at] == '$') {
            ++at;
            continue;
        }
        const bool parenthesised = text[at] == '(';
        const size_t from = parenthesised ? at + 1 : at;
        size_t end = from;
        if (end < text.size() && isNameStart(text[end])) {
            while (end < text.size() && isNameChar(text[end]))
                ++end;
        }
        if (end == from)
            continue;
        if (parenthesised && (end >= text.size() || (text[end] != ')' && text[end] != ':')))
            continue;
        read(text.substr(from, end - from));
        at = end;
    }
}

// What an href leads to, as far as a deck on disk can tell.
struct Target
{
    enum class Kind {
        None, // nothing to follow: remote, server-absolute, empty
        Dynamic, // holds a variable
        Card, // a card of this deck
        File, // another local file, and maybe a card in it
    };
    Kind kind = Kind::None;
    std::string path; // as written, unescaped
    std::string card;
    bool mayBeLocal = false; // a Dynamic href that may name a card of this deck
};

std::string percentDecoded(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto hex = [](char c) {
            return c >= '0' && c <= '9' ? c - '0'
                : c >= 'a' && c <= 'f'  ? c - 'a' + 10
                : c >= 'A' && c <= 'F'  ? c - 'A' + 10
                                        : -1;
        };
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0
            && hex(text[i + 2]) >= 0) {
            out += char(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool hasScheme(std::string_view href)
{
    const size_t colon = href.find(':');
    if (colon == std::string_view::npos || colon == 0 || !isNameStart(href[0]))
        return false;
    for (size_t i = 0; i < colon; ++i) {
        const char c = href[i];
        if (!isNameChar(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return true;
}

// A variable in the query changes nothing of where a link leads; one in the
// path or the card name makes that part unknown.
Target targetOf(std::string_view href)
{
    Target target;
    if (href.empty() || hasScheme(href) || href.starts_with('/'))
        return target;
    const size_t hash = href.find('#');
    const std::string_view fragment
        = hash == std::string_view::npos ? std::string_view() : href.substr(hash + 1);
    std::string_view path = href.substr(0, hash);
    path = path.substr(0, path.find('?'));
    if (path.find('$') != std::string_view::npos) {
        target.kind = Target::Kind::Dynamic;
        target.mayBeLocal = path.starts_with('$');
        return target;
    }
    const bool cardKnown = fragment.find('$') == std::string_view::npos;
    if (path.empty()) {
        target.kind = !cardKnown ? Target::Kind::Dynamic
            : fragment.empty()   ? Target::Kind::None
                                 : Target::Kind::Card;
        target.mayBeLocal = !cardKnown;
        target.card = cardKnown ? percentDecoded(fragment) : "";
        return target;
    }
    target.kind = Target::Kind::File;
    target.path = percentDecoded(path);
    target.card = cardKnown ? percentDecoded(fragment) : "";
    return target;
}

std::string extensionOf(const std::string &path)
{
    const std::string extension = fs::path(path).extension().string();
    std::string lower;
    for (const char c : extension)
        lower += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower;
}

bool isDeckFile(const std::string &path)
{
    const std::string extension = extensionOf(path);
    return extension == ".wml" || extension == ".wmlc" || extension == ".asp"
        || extension == ".jsp";
}

// The formats phones show, by their first bytes; a WBMP through the
// program's own decoder.
bool readableImage(const std::string &path)
{
    if (extensionOf(path) == ".wbmp") {
        WbmpImage image;
        return image.Open(path) && image.HasPicture();
    }
    const std::optional<std::string> head = readFileHead(path, 8);
    if (!head)
        return false;
    const std::string_view h = *head;
    return h.starts_with("\x89PNG\r\n\x1A\n") || h.starts_with("GIF87a") || h.starts_with("GIF89a")
        || h.starts_with("\xFF\xD8\xFF") || h.starts_with("BM");
}

class TreeLint
{
public:
    TreeLint(const Deck &deck, Report &report)
        : m_deck(deck)
        , m_report(report)
        , m_folder(fs::path(deck.path).parent_path())
        , m_edges(deck.cards.size())
        , m_dynamic(deck.cards.size() + 1)
        , m_cardFacts(deck.cards.size() + 1)
        , m_slot(deck.elements.size(), -1)
        , m_inLink(deck.elements.size(), -1)
    {
        for (size_t k = 0; k < deck.cards.size(); ++k) {
            m_slot[size_t(deck.cards[k])] = int(k);
            if (const std::string *id = deck.elements[size_t(deck.cards[k])].attribute("id"))
                m_cardById.emplace(*id, int(k));
        }
        if (deck.templ >= 0)
            m_slot[size_t(deck.templ)] = int(deck.cards.size());
    }

    void run()
    {
        for (size_t i = 0; i < m_deck.elements.size(); ++i)
            visit(int(i));
        for (const auto &[element, text] : m_deck.texts)
            forEachVariable(text, [&](std::string_view name) { read(name, element); });
        if (!m_deck.codeInRoot)
            reportVariables();
        reportCards();
        if (!m_deck.codeInRoot)
            reportUnreachable();
        reportBudget();
    }

private:
    struct CardFacts
    {
        int timer = -1;
        std::vector<int> inputs;
        bool onTimer = false;
        std::unordered_set<std::string> sentByLinks; // variables its links read
        std::vector<std::pair<std::string, bool>> dos; // name, a live accept key
    };

    // The slot of the card or template an element stands in: its position in
    // the card list, the list's size for the template, -1 outside both.
    int slotOf(const Element &element) const
    {
        return element.card < 0 ? -1 : m_slot[size_t(element.card)];
    }

    void visit(int index)
    {
        const Element &e = m_deck.elements[size_t(index)];
        const int linkParent = e.parent < 0 ? -1 : m_inLink[size_t(e.parent)];
        m_inLink[size_t(index)] = e.name == "a" || e.name == "anchor" ? index : linkParent;
        const int slot = slotOf(e);
        for (const XmlAttribute &a : e.attributes) {
            forEachVariable(a.value, [&](std::string_view name) {
                read(name, index);
                if (m_inLink[size_t(index)] >= 0 && slot >= 0)
                    m_cardFacts[size_t(slot)].sentByLinks.emplace(name);
            });
        }
        const std::string_view name = e.name;
        const auto setBy = [&](const char *attribute) {
            if (const std::string *value = e.attribute(attribute);
                value && !value->empty() && value->find('$') == std::string::npos)
                set(*value, index);
        };
        if (name == "setvar") {
            setBy("name");
        } else if (name == "input" || name == "select") {
            setBy("name");
            setBy("iname");
        } else if (name == "timer") {
            setBy("name");
        }
        if (name == "a" || name == "go") {
            link(e, slot, "href");
        } else if (name == "card" || name == "template") {
            link(e, slot, "onenterforward");
            link(e, slot, "onenterbackward");
            link(e, slot, "ontimer");
        } else if (name == "option") {
            link(e, slot, "onpick");
        } else if (name == "img") {
            image(e);
        }
        if (slot < 0)
            return;
        CardFacts &facts = m_cardFacts[size_t(slot)];
        if (name == "timer" && facts.timer < 0) {
            facts.timer = index;
        } else if (name == "input") {
            facts.inputs.push_back(index);
        } else if ((name == "card" || name == "template") && e.attribute("ontimer")) {
            facts.onTimer = true;
        } else if (name == "onevent") {
            const std::string *type = e.attribute("type");
            facts.onTimer = facts.onTimer || (type && *type == "ontimer");
        } else if (name == "do") {
            const std::string *type = e.attribute("type");
            const std::string *doName = e.attribute("name");
            std::string task;
            for (XmlNode child = e.node.firstChild(); child; child = child.nextSibling()) {
                if (child.type() == XmlNodeType::Element) {
                    task = child.name();
                    break;
                }
            }
            facts.dos.emplace_back(doName     ? *doName
                                       : type ? *type
                                              : std::string(),
                                   type && *type == "accept" && task != "noop");
        }
    }

    void read(std::string_view name, int element)
    {
        const auto [at, added] = m_reads.try_emplace(std::string(name), element);
        if (!added && element < at->second)
            at->second = element;
    }
    void set(const std::string &name, int element)
    {
        if (m_sets.try_emplace(name, element).second)
            m_setOrder.push_back(name);
    }

    void link(const Element &e, int slot, const char *attribute)
    {
        const std::string *href = e.attribute(attribute);
        if (!href || e.codeInTag)
            return;
        Target target = targetOf(*href);
        if (target.kind == Target::Kind::File && isDeckFile(target.path)) {
            std::error_code error;
            const fs::path file = m_folder / target.path;
            if (fs::equivalent(file, fs::path(m_deck.path), error)) {
                target.kind = target.card.empty() ? Target::Kind::None : Target::Kind::Card;
            } else if (!fs::is_regular_file(file, error)) {
                m_report.add("missing-deck", e,
                             "Link to " + target.path + ", which does not exist.");
                return;
            } else if (!target.card.empty() && extensionOf(target.path) == ".wml") {
                const std::unordered_set<std::string> *ids = cardsOf(file.string());
                if (ids && !ids->contains(target.card))
                    m_report.add("unknown-card", e,
                                 "Link to card " + inQuotes(target.card) + ", which " + target.path
                                     + " does not have.");
                return;
            }
        }
        if (target.kind == Target::Kind::Dynamic && slot >= 0)
            m_dynamic[size_t(slot)] = m_dynamic[size_t(slot)] || target.mayBeLocal;
        if (target.kind != Target::Kind::Card)
            return;
        const auto found = m_cardById.find(target.card);
        if (found == m_cardById.end()) {
            if (!m_deck.codeInRoot)
                m_report.add("unknown-card", e,
                             "Link to card " + inQuotes(target.card)
                                 + ", which this deck does not have.");
        } else if (slot >= 0) {
            if (size_t(slot) < m_edges.size())
                m_edges[size_t(slot)].push_back(found->second);
            else
                m_templateEdges.push_back(found->second);
        }
    }

    // The card ids of another deck, read once per lint; null when it cannot
    // be read.
    const std::unordered_set<std::string> *cardsOf(const std::string &file)
    {
        const auto [at, added] = m_otherDecks.try_emplace(file);
        if (!added)
            return at->second ? &*at->second : nullptr;
        const std::optional<std::string> bytes = readWholeFile(file);
        const DecodedText decoded = bytes ? decodeText(*bytes) : DecodedText();
        if (!decoded.ok)
            return nullptr;
        std::unordered_set<std::string> ids;
        const std::string_view text = decoded.text;
        for (size_t open = text.find("<card"); open != std::string_view::npos;
             open = text.find("<card", open + 5)) {
            const size_t close = text.find('>', open);
            const StartTag tag(std::string(text.substr(
                open,
                close == std::string_view::npos ? std::string_view::npos : close + 1 - open)));
            if (tag.name() == "card") {
                if (std::optional<std::string> id = tag.value("id"))
                    ids.insert(std::move(*id));
            }
        }
        at->second = std::move(ids);
        return &*at->second;
    }

    void image(const Element &e)
    {
        const std::string *src = e.attribute("src");
        if (!src || e.codeInTag)
            return;
        const Target target = targetOf(*src);
        if (target.kind != Target::Kind::File)
            return;
        const std::string file = (m_folder / target.path).string();
        std::error_code error;
        if (!fs::is_regular_file(file, error))
            m_report.add("missing-image", e, "Image " + target.path + " does not exist.");
        else if (!readableImage(file))
            m_report.add("missing-image", e, "Image " + target.path + " is not a readable image.");
    }

    void reportVariables()
    {
        for (const auto &[name, element] : m_reads) {
            if (!m_sets.contains(name))
                m_report.add("unset-variable", m_deck.elements[size_t(element)],
                             "Variable " + inQuotes(name)
                                 + " is read, but nothing in the deck sets it.");
        }
        for (const std::string &name : m_setOrder) {
            if (!m_reads.contains(name))
                m_report.add("unused-variable", m_deck.elements[size_t(m_sets.at(name))],
                             "Variable " + inQuotes(name) + " is set but never read.");
        }
    }

    void reportCards()
    {
        const CardFacts none;
        const CardFacts &templ = m_deck.templ >= 0 ? m_cardFacts.back() : none;
        for (size_t k = 0; k < m_deck.cards.size(); ++k) {
            if (k < m_deck.cardHasCode.size() && m_deck.cardHasCode[k])
                continue;
            const CardFacts &card = m_cardFacts[k];
            if (card.timer >= 0 && !card.onTimer && !templ.onTimer)
                m_report.add("timer-without-ontimer", m_deck.elements[size_t(card.timer)],
                             "Timer without an ontimer task: nothing happens when it expires.");
            // An input that one of the card's links sends can be submitted.
            const auto unsent = std::find_if(card.inputs.begin(), card.inputs.end(), [&](int i) {
                const std::string *name = m_deck.elements[size_t(i)].attribute("name");
                return !name || !card.sentByLinks.contains(*name);
            });
            if (unsent == card.inputs.end())
                continue;
            bool accept = false;
            for (const auto &[name, live] : card.dos)
                accept = accept || live;
            for (const auto &[name, live] : templ.dos) {
                const bool shadowed = std::any_of(card.dos.begin(), card.dos.end(),
                                                  [&](const auto &d) { return d.first == name; });
                accept = accept || (live && !shadowed);
            }
            if (!accept)
                m_report.add("no-accept", m_deck.elements[size_t(*unsent)],
                             "Input on a card without an accept key: users cannot submit it.");
        }
    }

    void reportUnreachable()
    {
        if (m_deck.cards.empty() || m_dynamic.back())
            return;
        std::vector<bool> reached(m_deck.cards.size(), false);
        std::vector<int> queue {0};
        reached[0] = true;
        const auto follow = [&](int to) {
            if (!reached[size_t(to)]) {
                reached[size_t(to)] = true;
                queue.push_back(to);
            }
        };
        for (const int to : m_templateEdges)
            follow(to);
        for (size_t head = 0; head < queue.size(); ++head) {
            const size_t card = size_t(queue[head]);
            if (m_dynamic[card])
                return; // a computed link may lead anywhere in the deck
            for (const int to : m_edges[card])
                follow(to);
        }
        for (size_t k = 0; k < m_deck.cards.size(); ++k) {
            if (reached[k])
                continue;
            const Element &card = m_deck.elements[size_t(m_deck.cards[k])];
            const std::string *id = card.attribute("id");
            m_report.add("unreachable-card", card,
                         (id ? "Card " + inQuotes(*id) : std::string("This card"))
                             + " cannot be reached from the first card.");
        }
    }

    void reportBudget()
    {
        if (!m_report.enabled("deck-budget") || m_deck.elements.empty())
            return;
        const PhoneProfile &profile
            = m_report.options().profile ? *m_report.options().profile : defaultPhoneProfile();
        // Every element, attribute and text run takes a byte at least, and
        // the header four: a deck whose count passes the budget is over it
        // without a compile, whose cost grows faster than the deck (the
        // compiler's string table is searched for every string).
        size_t leastBytes = 4 + m_deck.elements.size() + m_deck.texts.size();
        for (const Element &e : m_deck.elements)
            leastBytes += e.attributes.size();
        const std::string verdict = profileVerdict(uint64_t(profile.deckBudget) + 1, profile);
        if (leastBytes > size_t(profile.deckBudget)) {
            m_report.add("deck-budget", m_deck.elements.front(),
                         "Compiled size at least " + groupedNumber(leastBytes) + " bytes " + verdict
                             + ".");
            return;
        }
        const WbxmlResult compiled = compileWbxml(*m_deck.doc);
        if (!compiled.ok || compiled.bytes.size() <= size_t(profile.deckBudget))
            return;
        m_report.add("deck-budget", m_deck.elements.front(),
                     "Compiled size " + groupedNumber(compiled.bytes.size()) + " bytes " + verdict
                         + ".");
    }

    const Deck &m_deck;
    Report &m_report;
    fs::path m_folder;
    std::unordered_map<std::string, int> m_cardById; // id to position in the card list
    std::vector<std::vector<int>> m_edges; // by card
    std::vector<int> m_templateEdges;
    std::vector<bool> m_dynamic; // by card, the template last
    std::vector<CardFacts> m_cardFacts; // by card, the template last
    std::vector<int> m_slot; // by element
    std::vector<int> m_inLink; // by element: the a or anchor it stands in, or -1
    std::unordered_map<std::string, int> m_reads; // name to its first reader
    std::unordered_map<std::string, int> m_sets; // name to its first setter
    std::vector<std::string> m_setOrder;
    std::unordered_map<std::string, std::optional<std::unordered_set<std::string>>> m_otherDecks;
};

} // namespace

void lintTree(const Deck &deck, Report &report)
{
    TreeLint(deck, report).run();
}

} // namespace tess::lint
