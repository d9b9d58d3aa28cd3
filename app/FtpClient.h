#pragma once

#include "app/RemoteName.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tess {

struct FtpOptions
{
    // Active mode (the server connects back) instead of passive.
    bool active = false;
    // 0: libcurl's own default.
    long connectTimeoutMs = 0;
    // No answer and no data for this long ends the operation with an error.
    long idleTimeoutSeconds = 30;
    // The SHA-256 fingerprint ("AB:CD:...") of a certificate the user
    // accepted for this session although it could not be verified.
    std::string acceptedFingerprint;
    // Take the password from ~/.netrc instead of the one given.
    bool netrc = false;
};

// A failed operation. `response` is the server's last answer, as one line,
// when the server refused something; `detail` libcurl's account otherwise.
class FtpError : public std::runtime_error
{
public:
    FtpError(int curlCode, long responseCode, std::string response, std::string detail);

    int curlCode;
    long responseCode;
    std::string response;
    std::string detail;
    // Set when the server's certificate could not be verified.
    std::string fingerprint;
    std::string subject;

    // Whether the error ended an operation the caller's cancel flag stopped.
    bool aborted() const;
    // What follows the general text: the response, else the detail.
    const std::string &explanation() const { return response.empty() ? detail : response; }
};

// Told the bytes moved so far and the total (0 when unknown).
using FtpProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;
// Takes each block received; false stops the download.
using FtpSink = std::function<bool(const char *data, size_t size)>;

// One session with one FTP server: every operation goes over the same
// control connection, opened by the first and closed by close() or the
// destructor. `server` is "host", "host:port" or a URL of scheme ftp, ftps
// (explicit TLS, verified) or sftp. Remote paths are absolute ("/www/Site")
// or relative to the folder the login starts in. Not thread-safe: one
// worker uses it. Failures throw FtpError.
class FtpClient
{
public:
    FtpClient(const std::string &server, const std::string &user, const std::string &password,
              FtpOptions options = {}, const std::atomic<bool> *cancel = nullptr);
    ~FtpClient();
    FtpClient(const FtpClient &) = delete;
    FtpClient &operator=(const FtpClient &) = delete;

    // Connects and logs in (once; later calls reuse the connection).
    void connect();
    // The folder the login starts in, as the server's PWD names it.
    std::string currentFolder();
    // Everything in `folder`, fresh from the server; "." and ".." left out.
    std::vector<RemoteEntry> list(const std::string &folder);
    // Whether `folder` can be entered.
    bool folderExists(const std::string &folder);
    // Creates `folder`; a failure (it may exist) is not reported.
    void makeFolder(const std::string &folder);
    // Sends `size` bytes of the open `file` to `remotePath` in binary,
    // streamed; a read error shows in std::ferror(file).
    void upload(std::FILE *file, std::uint64_t size, const std::string &remotePath,
                const FtpProgress &progress);
    // Receives `remotePath` in binary, block by block into `sink`.
    void download(const std::string &remotePath, const FtpSink &sink, const FtpProgress &progress);
    // Says goodbye to the server (QUIT) and closes the connection.
    void close();

    // Whether this libcurl speaks `scheme` ("sftp", say).
    static bool supports(const std::string &scheme);
    // "AB:CD:..." (SHA-256) of a certificate in PEM form; empty when it is
    // not one.
    static std::string pemFingerprint(const std::string &pem);
    // "sha256//BASE64" of the certificate's public key, as libcurl pins it.
    static std::string pemPublicKeyPin(const std::string &pem);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace tess
