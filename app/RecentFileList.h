#pragma once

#include <string>
#include <vector>

namespace tess {

// The most recently opened files, newest first, kept in an INI profile of
// their own (group "Software/<company>/Tessarine/Recent File List", values
// File1..FileN).
class RecentFileList
{
public:
    // TESSARINE_RECENT when set, else "Tessarine-recent.ini" beside the
    // settings file.
    static std::string defaultFilePath();

    explicit RecentFileList(std::string iniPath, int capacity);

    const std::string &filePath() const { return m_path; }
    const std::vector<std::string> &entries() const { return m_entries; }
    int capacity() const { return m_capacity; }

    // Reads the entries; a missing file gives an empty list.
    void load();
    bool save() const;
    // Moves path to the front, dropping the oldest entry when full. A path
    // that is not UTF-8 is left out: the list could not give it back.
    void add(const std::string &path);

private:
    std::string m_path;
    int m_capacity;
    std::vector<std::string> m_entries;
};

} // namespace tess
