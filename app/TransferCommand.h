#pragma once

#include "app/FtpClient.h"

#include <optional>
#include <ostream>
#include <string>

namespace tess {

// A server folder as the command line names it:
// SCHEME://USER@HOST[:PORT]/PATH with SCHEME ftp, ftps or sftp. PATH is
// relative to the folder the login starts in unless it starts with "%2F".
struct TransferUrl
{
    std::string server; // SCHEME://HOST[:PORT]
    std::string user;
    std::string folder; // decoded
};

// The URL, or nothing with the reason in `error`.
std::optional<TransferUrl> ParseTransferUrl(const std::string &url, std::string *error = nullptr);

// tessarine --upload PROJECT.wpg URL: the project's files and the project
// file into URL's folder/PROJECT, made when missing.
// tessarine --download URL DIR: every file of URL's folder into DIR.
// Both take the password from TESSARINE_FTP_PASSWORD, else from ~/.netrc;
// they report progress on `err` and return the exit status: 0 when done, 1
// with the job's message, 2 when the arguments are unusable.
int RunUploadCommand(const std::string &project, const std::string &url, std::ostream &err,
                     FtpOptions options = {});
int RunDownloadCommand(const std::string &url, const std::string &folder, std::ostream &err,
                       FtpOptions options = {});

} // namespace tess
