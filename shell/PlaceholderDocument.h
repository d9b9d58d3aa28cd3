#pragma once

#include <string>

class QMdiArea;
class QMdiSubWindow;

namespace tess {

// Shows a file's text read-only in a child window of area, titled with the
// file's name, until documents get their own windows. Null, with the reason
// in *error, when the file cannot be read.
QMdiSubWindow *openPlaceholderDocument(QMdiArea *area, const std::string &path, std::string *error);

} // namespace tess
