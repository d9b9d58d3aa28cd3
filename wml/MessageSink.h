#pragma once

#include <string>

namespace tess {

// Where loading and validation report: the Output window in the program,
// standard output for the command line, a recorder in tests.
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    // Shows `text` as the whole content of the output (nothing is appended),
    // bringing the output to the front.
    virtual void showMessage(const std::string &text) = 0;
};

} // namespace tess
