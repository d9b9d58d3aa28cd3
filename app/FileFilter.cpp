#include "app/FileFilter.h"

#include <algorithm>
#include <vector>

namespace tess {

namespace {

std::string trimmed(const std::string &text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> splitBars(const std::string &filter)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < filter.size()) {
        size_t bar = filter.find('|', start);
        if (bar == std::string::npos)
            bar = filter.size();
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    return parts;
}

} // namespace

std::string qtFileFilter(const std::string &filter)
{
    const std::vector<std::string> parts = splitBars(filter);
    std::string result;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string patterns = trimmed(parts[i + 1]);
        std::replace(patterns.begin(), patterns.end(), ';', ' ');
        const std::string label = trimmed(parts[i]);
        const std::string suffix = "(" + patterns + ")";
        std::string entry;
        if (label.ends_with(suffix))
            entry = label;
        else if (label.empty())
            entry = patterns;
        else
            entry = label + " " + suffix;
        if (!result.empty())
            result += ";;";
        result += entry;
    }
    return result;
}

} // namespace tess
