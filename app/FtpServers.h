#pragma once

#include <string>
#include <vector>

namespace tess {

// What the transfer dialogs offer again for one server. The password is
// never kept.
struct FtpServerEntry
{
    std::string server;
    std::string user;
    std::string uploadFolder;
    std::string downloadFolder;
};

// The servers used lately, newest first, in an INI profile of their own
// (group "Software/Morvane Inc./Tessarine/FTP Servers").
class FtpServerList
{
public:
    static constexpr int kCapacity = 16;

    // TESSARINE_FTP when set, else "Tessarine-ftp.ini" beside the settings
    // file.
    static std::string defaultFilePath();

    explicit FtpServerList(std::string iniPath);

    const std::string &filePath() const { return m_path; }
    // Read from the file each time; a missing file gives none.
    std::vector<FtpServerEntry> entries() const;
    // The entry of `server`, or one naming only the server.
    FtpServerEntry find(const std::string &server) const;
    // Puts the entry first; its empty fields keep what was known before.
    bool remember(const FtpServerEntry &entry);

private:
    std::string m_path;
};

} // namespace tess
