#include "source/WMLFormatter.h"

#include <array>
#include <cstring>
#include <vector>

namespace tess {

namespace {

enum class Rule {
    Declaration, // own line
    Root, // blank line before; first occurrence only
    OpenDepth1, // blank line, then one tab
    CloseDepth1, // one tab on its own line
    Depth, // `depth` tabs on its own line
};

struct Pattern
{
    std::string_view text;
    Rule rule;
    int depth;
};

// The order is the order of application. Prefix hits are intended: "<a" also
// handles "<access" and "<anchor", "<b" handles "<br" and "<big", "<i" handles
// "<img" and "<input". "<p " needs its blank, so a bare "<p>" stays put.
constexpr Pattern kPatterns[] = {
    {"<!", Rule::Declaration, 0},
    {"<wml", Rule::Root, 0},
    {"</wml>", Rule::Root, 0},
    {"<head", Rule::OpenDepth1, 1},
    {"<template", Rule::OpenDepth1, 1},
    {"<card", Rule::OpenDepth1, 1},
    {"</head>", Rule::CloseDepth1, 1},
    {"</template>", Rule::CloseDepth1, 1},
    {"</card>", Rule::CloseDepth1, 1},
    {"<access", Rule::Depth, 2},
    {"</access>", Rule::Depth, 2},
    {"<meta", Rule::Depth, 2},
    {"</meta>", Rule::Depth, 2},
    {"<do", Rule::Depth, 2},
    {"</do>", Rule::Depth, 2},
    {"<onevent", Rule::Depth, 2},
    {"</onevent>", Rule::Depth, 2},
    {"<timer", Rule::Depth, 2},
    {"</timer>", Rule::Depth, 2},
    {"<p ", Rule::Depth, 2},
    {"</p>", Rule::Depth, 2},
    {"<p/>", Rule::Depth, 2},
    {"<fieldset", Rule::Depth, 2},
    {"</fieldset>", Rule::Depth, 2},
    {"<go", Rule::Depth, 3},
    {"</go>", Rule::Depth, 3},
    {"<prev", Rule::Depth, 3},
    {"</prev>", Rule::Depth, 3},
    {"<prev/>", Rule::Depth, 3},
    {"<noop", Rule::Depth, 3},
    {"</noop>", Rule::Depth, 3},
    {"<refresh", Rule::Depth, 3},
    {"</refresh>", Rule::Depth, 3},
    {"<select", Rule::Depth, 3},
    {"</select>", Rule::Depth, 3},
    {"<a", Rule::Depth, 3},
    {"</a>", Rule::Depth, 3},
    {"<anchor", Rule::Depth, 3},
    {"</anchor>", Rule::Depth, 3},
    {"<img", Rule::Depth, 3},
    {"</img>", Rule::Depth, 3},
    {"<input", Rule::Depth, 3},
    {"</input>", Rule::Depth, 3},
    {"<b", Rule::Depth, 3},
    {"</b>", Rule::Depth, 3},
    {"<big", Rule::Depth, 3},
    {"</big>", Rule::Depth, 3},
    {"<strong", Rule::Depth, 3},
    {"</strong>", Rule::Depth, 3},
    {"<small", Rule::Depth, 3},
    {"</small>", Rule::Depth, 3},
    {"<em", Rule::Depth, 3},
    {"</em>", Rule::Depth, 3},
    {"<i", Rule::Depth, 3},
    {"</i>", Rule::Depth, 3},
    {"<u", Rule::Depth, 3},
    {"</u>", Rule::Depth, 3},
    {"<option", Rule::Depth, 4},
    {"</option>", Rule::Depth, 4},
    {"<optgroup", Rule::Depth, 4},
    {"</optgroup>", Rule::Depth, 4},
    {"<setvar", Rule::Depth, 4},
    {"<postfield", Rule::Depth, 4},
};
constexpr size_t kPatternCount = std::size(kPatterns);
static_assert(kPatternCount < 256);

// Pattern indices by the character after "<", in order of application.
using Buckets = std::array<std::vector<unsigned char>, 256>;

const Buckets &buckets()
{
    static const Buckets table = [] {
        Buckets b;
        for (size_t i = 0; i < kPatternCount; ++i)
            b[static_cast<unsigned char>(kPatterns[i].text[1])].push_back(
                static_cast<unsigned char>(i));
        return b;
    }();
    return table;
}

// The rules below see the text as it stands when the tag is reached: `out`
// ends exactly in front of the tag. Every insertion lands within a few
// characters of its end, so each costs constant time.

void insertLineFeeds(std::string &out, size_t distanceFromEnd, size_t count)
{
    out.insert(out.size() - distanceFromEnd, count, '\n');
}

void applyDeclaration(std::string &out)
{
    if (!out.empty() && out.back() != '\n')
        out.push_back('\n');
}

void applyRoot(std::string &out)
{
    const size_t n = out.size();
    if (n == 0)
        return;
    if (out[n - 1] != '\n')
        out.append("\n\n");
    else if (n < 2 || out[n - 2] != '\n')
        out.push_back('\n');
}

void applyOpenDepth1(std::string &out)
{
    const size_t n = out.size();
    if (n == 0) {
        out.push_back('\t');
    } else if (out[n - 1] != '\t') {
        out.append("\n\n\t");
    } else if (n >= 2 && out[n - 2] != '\n') {
        insertLineFeeds(out, 1, 2);
    } else if (n >= 2 && (n < 3 || out[n - 3] != '\n')) {
        // A line feed in front of the existing one: the same text as one
        // behind it.
        insertLineFeeds(out, 1, 1);
    }
    // A tab at the very start already begins a line.
}

void applyCloseDepth1(std::string &out)
{
    const size_t n = out.size();
    if (n == 0)
        out.push_back('\t');
    else if (out[n - 1] == '\n')
        out.push_back('\t');
    else if (out[n - 1] != '\t')
        out.append("\n\t");
    else if (n >= 2 && out[n - 2] != '\n')
        insertLineFeeds(out, 1, 1);
}

void applyDepth(std::string &out, int depth)
{
    const size_t n = out.size();
    size_t run = 0;
    while (run < size_t(depth) && run < n && out[n - 1 - run] == '\t')
        ++run;
    // The start of the text counts as the start of a line.
    const size_t runStart = n - run;
    if (runStart > 0 && out[runStart - 1] != '\n')
        insertLineFeeds(out, run, 1);
    out.append(size_t(depth) - run, '\t');
}

} // namespace

// Conceptually every pattern makes its own pass over the whole text, in table
// order. One pass does the same work: a rule looks only at the tabs and line
// feeds right in front of its tag and the character before them, and inserts
// only there. Since no pattern's second character is a tab or a line feed,
// that window never reaches back into another tag, so what earlier passes did
// elsewhere cannot change it; the patterns that hit the same tag are applied
// to it in table order.
std::string formatWml(std::string_view text)
{
    const Buckets &table = buckets();
    std::array<bool, kPatternCount> rootDone {};
    std::string out;
    out.reserve(text.size() + text.size() / 4 + 16);

    size_t copied = 0;
    size_t pos = 0;
    while (pos + 1 < text.size()) {
        const void *hit = std::memchr(text.data() + pos, '<', text.size() - pos - 1);
        if (!hit)
            break;
        const size_t tag = size_t(static_cast<const char *>(hit) - text.data());
        const std::string_view rest = text.substr(tag);
        for (unsigned char index : table[static_cast<unsigned char>(text[tag + 1])]) {
            const Pattern &pattern = kPatterns[index];
            if (!rest.starts_with(pattern.text))
                continue;
            if (pattern.rule == Rule::Root) {
                if (rootDone[index])
                    continue;
                rootDone[index] = true;
            }
            if (copied < tag) {
                out.append(text, copied, tag - copied);
                copied = tag;
            }
            switch (pattern.rule) {
            case Rule::Declaration:
                applyDeclaration(out);
                break;
            case Rule::Root:
                applyRoot(out);
                break;
            case Rule::OpenDepth1:
                applyOpenDepth1(out);
                break;
            case Rule::CloseDepth1:
                applyCloseDepth1(out);
                break;
            case Rule::Depth:
                applyDepth(out, pattern.depth);
                break;
            }
        }
        pos = tag + 1;
    }
    out.append(text, copied, text.size() - copied);
    return out;
}

} // namespace tess
