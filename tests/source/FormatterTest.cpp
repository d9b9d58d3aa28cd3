#include "source/WMLFormatter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tess {
namespace {

std::vector<std::string> split(std::string_view list)
{
    std::vector<std::string> items;
    for (size_t at = 0, bar; at <= list.size(); at = bar + 1) {
        bar = std::min(list.find('|', at), list.size());
        items.emplace_back(list.substr(at, bar - at));
    }
    return items;
}

const std::vector<std::string> kOpenDepth1 = split("<head|<template|<card");
const std::vector<std::string> kCloseDepth1 = split("</head>|</template>|</card>");
const std::vector<std::string> kDepth[] = {
    split("<access|</access>|<meta|</meta>|<do|</do>|<onevent|</onevent>|<timer|</timer>|<p |</p>"
          "|<p/>|<fieldset|</fieldset>"),
    split("<go|</go>|<prev|</prev>|<prev/>|<noop|</noop>|<refresh|</refresh>|<select|</select>|<a"
          "|</a>|<anchor|</anchor>|<img|</img>|<input|</input>|<b|</b>|<big|</big>|<strong"
          "|</strong>|<small|</small>|<em|</em>|<i|</i>|<u|</u>"),
    split("<option|</option>|<optgroup|</optgroup>|<setvar|<postfield"),
};

void insertAt(std::string &t, size_t at, const std::string &what)
{
    t = t.substr(0, at) + what + t.substr(at);
}

// The plain way: one pass per pattern, inserting into the text in place.
template<typename Rule> void eachOccurrence(std::string &t, const std::string &pattern, Rule rule)
{
    for (size_t p = t.find(pattern); p != std::string::npos; p = t.find(pattern, p)) {
        const size_t before = t.size();
        rule(p);
        p += t.size() - before + pattern.size();
    }
}

std::string referenceFormat(std::string t)
{
    eachOccurrence(t, "<!", [&](size_t p) {
        if (p > 0 && t[p - 1] != '\n')
            insertAt(t, p, "\n");
    });
    for (const char *root : {"<wml", "</wml>"}) {
        const size_t p = t.find(root);
        if (p == std::string::npos || p == 0)
            continue;
        if (t[p - 1] != '\n')
            insertAt(t, p, "\n\n");
        else if (p < 2 || t[p - 2] != '\n')
            insertAt(t, p - 1, "\n");
    }
    for (const std::string &pattern : kOpenDepth1)
        eachOccurrence(t, pattern, [&](size_t p) {
            if (p == 0)
                insertAt(t, 0, "\t");
            else if (t[p - 1] != '\t')
                insertAt(t, p, "\n\n\t");
            else if (p >= 2 && t[p - 2] != '\n')
                insertAt(t, p - 1, "\n\n");
            else if (p >= 2 && (p < 3 || t[p - 3] != '\n'))
                insertAt(t, p - 2, "\n");
        });
    for (const std::string &pattern : kCloseDepth1)
        eachOccurrence(t, pattern, [&](size_t p) {
            if (p == 0)
                insertAt(t, 0, "\t");
            else if (t[p - 1] != '\t')
                insertAt(t, p, t[p - 1] == '\n' ? "\t" : "\n\t");
            else if (p >= 2 && t[p - 2] != '\n')
                insertAt(t, p - 1, "\n");
        });
    for (size_t n = 2; n <= 4; ++n)
        for (const std::string &pattern : kDepth[n - 2])
            eachOccurrence(t, pattern, [&](size_t p) {
                size_t run = 0;
                while (run < n && run < p && t[p - 1 - run] == '\t')
                    ++run;
                insertAt(t, p, std::string(n - run, '\t'));
                if (p - run > 0 && t[p - run - 1] != '\n')
                    insertAt(t, p - run, "\n");
            });
    return t;
}

using Cases = std::vector<std::pair<std::string, std::string>>;

void expectLayout(const Cases &cases)
{
    for (const auto &[in, out] : cases) {
        EXPECT_EQ(formatWml(in), out) << testing::PrintToString(in);
        EXPECT_EQ(referenceFormat(in), out) << testing::PrintToString(in);
    }
}

TEST(Formatter, Layout)
{
    expectLayout({
        {"<wml><card id=\"c1\"><p align=\"center\">Hi</p></card></wml>",
         "<wml>\n\n\t<card id=\"c1\">\n\t\t<p align=\"center\">Hi\n\t\t</p>\n\t</card>\n\n</wml>"},
        {"", ""},
        {"text <x>y</x> <pre>\r\n\t<P >", "text <x>y</x> <pre>\r\n\t<P >"},
        {"<card><p>Hi</p>", "\t<card><p>Hi\n\t\t</p>"},
        {"x<access/>", "x\n\t\t\t<access/>"},
        {"a<br/>b<big>", "a\n\t\t\t<br/>b\n\t\t\t<big>"},
        {"<img/><input/>", "\t\t\t<img/>\n\t\t\t<input/>"},
        {"a<wml>b<wml>c</wml>d</wml>", "a\n\n<wml>b<wml>c\n\n</wml>d</wml>"},
        {"<!a><!b>\n<!c>", "<!a>\n<!b>\n<!c>"},
        {"x\t<card>y\n\t<card>\n\n\t<head>", "x\n\n\t<card>y\n\n\t<card>\n\n\t<head>"},
        {"x\t</head>", "x\n\t</head>"},
        {"x\t\t\t\t<do>", "x\t\t\n\t\t<do>"},
        {"x\r<do>y\r\n<go>", "x\r\n\t\t<do>y\r\n\t\t\t<go>"},
    });
}

// The start of the text counts as the start of a line; one character in, the
// character before decides.
TEST(Formatter, TagAtPositionZeroOrOne)
{
    expectLayout({
        {"<!x", "<!x"},
        {"<wml>", "<wml>"},
        {"<card>", "\t<card>"},
        {"</card>", "\t</card>"},
        {"<access/>", "\t\t\t<access/>"},
        {"<option>", "\t\t\t\t<option>"},
        {" <!x", " \n<!x"},
        {"x<wml>", "x\n\n<wml>"},
        {"\n<wml>", "\n\n<wml>"},
        {"\t<card>", "\t<card>"},
        {"\n<card>", "\n\n\n\t<card>"},
        {"\n\t<card>", "\n\n\t<card>"},
        {"x</card>", "x\n\t</card>"},
        {"\n</card>", "\n\t</card>"},
        {"\t</card>", "\t</card>"},
        {"\t<do>", "\t\t<do>"},
    });
}

TEST(Formatter, SecondRunKeepsTagsAtTheirDepth)
{
    const std::string once = formatWml("<wml><card id=\"a\"><p align=\"left\">x<br/>y</p></card>"
                                       "<card><do type=\"prev\"><prev/></do></card></wml>");
    EXPECT_EQ(once,
              "<wml>\n\n\t<card id=\"a\">\n\t\t<p align=\"left\">x\n\t\t\t<br/>y\n\t\t</p>"
              "\n\t</card>\n\n\t<card>\n\t\t<do type=\"prev\">\n\t\t\t<prev/>\n\t\t</do>"
              "\n\t</card>\n\n</wml>");
    EXPECT_EQ(formatWml(once), once);
    // Prefix hits move on by one line each time.
    EXPECT_EQ(formatWml("\t<card>\n\t\t\t<access/>\n\t</card>"),
              "\t<card>\n\t\n\t\t\t<access/>\n\t</card>");
}

// Random mixes of every pattern, near misses, tabs, line feeds and text: the
// one-pass formatter must agree with the pass-per-pattern reference, once and
// when applied again.
TEST(Formatter, MatchesReferenceOnGeneratedTexts)
{
    std::vector<std::string> pieces = split(
        "<!|<wml|</wml>|<p>|<p|<|>|</|\t|\t\t|\t\t\t\t\t|\n|\n\n|\r| |x|=\"v\">|/>|<!-- c -->");
    pieces.push_back(std::string(1, '\0'));
    for (const auto *group : {&kOpenDepth1, &kCloseDepth1, &kDepth[0], &kDepth[1], &kDepth[2]})
        pieces.insert(pieces.end(), group->begin(), group->end());
    std::mt19937 random(20240611);
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        const int count = round % 40;
        for (int i = 0; i < count; ++i)
            text += pieces[pick(random)];
        const std::string once = formatWml(text);
        ASSERT_EQ(once, referenceFormat(text)) << "input: " << testing::PrintToString(text);
        ASSERT_EQ(formatWml(once), referenceFormat(once))
            << "input: " << testing::PrintToString(text);
    }
}

} // namespace
} // namespace tess
