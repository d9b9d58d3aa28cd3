#pragma once

#include <string>

namespace tess {

// A private temporary folder, removed with all it holds when the object
// goes: one for each running instance's scratch files, so that two instances
// never share one, whatever folder they started from. It is made inside the
// "Temp Dir" setting when that names a folder the program can write in, else
// in the system's temporary folder, and warning() says why the setting was
// passed over.
class PrivateTempDir
{
public:
    explicit PrivateTempDir(const std::string &tempDirSetting = {});
    ~PrivateTempDir();
    PrivateTempDir(const PrivateTempDir &) = delete;
    PrivateTempDir &operator=(const PrivateTempDir &) = delete;

    // Empty when not even the system's temporary folder could take one.
    const std::string &path() const { return m_path; }
    const std::string &warning() const { return m_warning; }

private:
    std::string m_path;
    std::string m_warning;
};

} // namespace tess
