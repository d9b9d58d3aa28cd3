#pragma once

#include <string>

namespace tess {

// Turns a filter list of the form "WML Files (*.wml)|*.wml|ASP Files
// (*.asp)|*.asp|" into Qt's "WML Files (*.wml);;ASP Files (*.asp)". A label
// that already ends in its patterns is kept as it is; otherwise the patterns
// are added in parentheses, since Qt filters by what stands there. Pattern
// lists separated by ";" become blank-separated.
std::string qtFileFilter(const std::string &filter);

} // namespace tess
