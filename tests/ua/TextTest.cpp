#include "ua/Text.h"

#include <gtest/gtest.h>

namespace {

using tess::ua::fitsFormat;
using tess::ua::resolve;

TEST(FormatMask, AcceptsWhatTheMaskAllows)
{
    struct Case
    {
        const char *format;
        const char *value;
        bool emptyOk;
        bool fits;
    };
    const Case cases[] = {
        {"NNNN", "1234", false, true},      {"NNNN", "12a4", false, false},
        {"NNNN", "123", false, false},      {"NNNN", "", false, false},
        {"NNNN", "", true, true},           {"*a", "abc", false, true},
        {"*a", "aBc", false, false},        {"3X", "A1-", false, true},
        {"3X", "A1-B", false, false},       {"AA\\-NN", "AB-12", false, true},
        {"AA\\-NN", "AB+12", false, false}, {"N*M", "1any Thing", false, true},
        {"", "anything", false, true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(fitsFormat(c.format, c.value, c.emptyOk), c.fits) << c.format << " " << c.value;
}

TEST(Resolve, LocalAndOutsideReferences)
{
    struct Case
    {
        const char *href;
        bool local;
        const char *path;
        const char *fragment;
    };
    const Case cases[] = {
        {"#two", true, "/d/sub/deck.wml", "two"},
        {"other.wml#x", true, "/d/sub/other.wml", "x"},
        {"../up.wml?a=1", true, "/d/up.wml", ""},
        {"/abs/a.wml", true, "/abs/a.wml", ""},
        {"file:///abs/b%20c.wml#k", true, "/abs/b c.wml", "k"},
        {"http://example.com/x.wml#c", false, "", "c"},
    };
    for (const Case &c : cases) {
        const auto target = resolve("/d/sub/deck.wml", c.href);
        EXPECT_EQ(target.local, c.local) << c.href;
        EXPECT_EQ(target.path, c.path) << c.href;
        EXPECT_EQ(target.fragment, c.fragment) << c.href;
    }
}

} // namespace
