#include "wml/FileUtil.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tess {

namespace {

bool g_failBeforeRename = false;

void setError(std::string *error, const std::string &what, const std::string &path)
{
    if (error)
        *error = what + " " + path + ": " + std::strerror(errno);
}

bool writeAll(int fd, std::string_view data)
{
    const char *p = data.data();
    size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= size_t(n);
    }
    return true;
}

std::string sizeInMiB(uint64_t bytes)
{
    return std::to_string(bytes >> 20) + " MiB";
}

// Opens a regular file for reading without blocking on anything else; -1,
// with the reason in *why, when it cannot be opened or is no regular file.
int openRegularFile(const std::string &path, struct stat &st, std::string *why)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        *why = "cannot open " + path + ": " + std::strerror(errno);
        return -1;
    }
    const char *problem = nullptr;
    if (::fstat(fd, &st) != 0)
        problem = std::strerror(errno);
    else if (S_ISDIR(st.st_mode))
        problem = std::strerror(EISDIR);
    else if (!S_ISREG(st.st_mode))
        problem = "not a regular file";
    if (problem) {
        ::close(fd);
        *why = "cannot read " + path + ": " + problem;
        return -1;
    }
    return fd;
}

// Reads at most maxBytes; a file that grows while it is read stops there.
std::optional<std::string> readOpenFile(int fd, const struct stat &st, uint64_t maxBytes,
                                        const std::string &path, std::string *why)
{
    std::string out;
    out.reserve(size_t(std::min<uint64_t>(uint64_t(std::max<off_t>(st.st_size, 0)), maxBytes)));
    char buf[65536];
    while (out.size() < maxBytes) {
        const size_t want = size_t(std::min<uint64_t>(sizeof buf, maxBytes - out.size()));
        const ssize_t n = ::read(fd, buf, want);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *why = "cannot read " + path + ": " + std::strerror(errno);
            return std::nullopt;
        }
        if (n == 0)
            break;
        out.append(buf, size_t(n));
    }
    return out;
}

void keepReason(std::string *error, std::string why)
{
    if (error)
        *error = std::move(why);
}

} // namespace

std::string unreadableFileReason(const std::string &path, uint64_t maxBytes)
{
    struct stat st = {};
    std::string why;
    const int fd = openRegularFile(path, st, &why);
    if (fd < 0)
        return why;
    ::close(fd);
    if (uint64_t(st.st_size) > maxBytes)
        return "cannot read " + path + ": larger than " + sizeInMiB(maxBytes);
    return {};
}

std::optional<std::string> readWholeFile(const std::string &path, std::string *error,
                                         uint64_t maxBytes)
{
    struct stat st = {};
    std::string why;
    const int fd = openRegularFile(path, st, &why);
    if (fd < 0) {
        keepReason(error, std::move(why));
        return std::nullopt;
    }
    std::optional<std::string> out;
    // One byte past the limit tells a file that grew beyond it.
    if (uint64_t(st.st_size) <= maxBytes)
        out = readOpenFile(fd, st, maxBytes + 1, path, &why);
    ::close(fd);
    if (out && out->size() <= maxBytes)
        return out;
    if (out || why.empty())
        why = "cannot read " + path + ": larger than " + sizeInMiB(maxBytes);
    keepReason(error, std::move(why));
    return std::nullopt;
}

std::optional<std::string> readFileHead(const std::string &path, uint64_t maxBytes,
                                        std::string *error)
{
    struct stat st = {};
    std::string why;
    const int fd = openRegularFile(path, st, &why);
    if (fd < 0) {
        keepReason(error, std::move(why));
        return std::nullopt;
    }
    std::optional<std::string> out = readOpenFile(fd, st, maxBytes, path, &why);
    ::close(fd);
    if (!out)
        keepReason(error, std::move(why));
    return out;
}

namespace {

// The file is written beside `path` and renamed over it; `durable` waits
// for the disk first, so that a crash leaves the old file or the new one.
bool writeReplacing(const std::string &path, std::string_view data, bool durable,
                    std::string *error)
{
    // The temporary lives in the same folder so the rename cannot cross file
    // systems, under a short name of its own: the deck's name plus a suffix
    // could pass the system's limit on a name.
    const size_t slash = path.rfind('/');
    std::string tmp
        = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + ".tess-XXXXXX";
    struct stat old = {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    // Renaming over a device or a FIFO would replace it, not write to it.
    if (exists && !S_ISREG(old.st_mode)) {
        keepReason(error,
                   "cannot write " + path + ": "
                       + (S_ISDIR(old.st_mode) ? std::strerror(EISDIR) : "not a regular file"));
        return false;
    }
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        setError(error, "cannot create", path);
        return false;
    }
    mode_t mode = 0644;
    if (exists)
        mode = old.st_mode & 07777;
    else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    if (!writeAll(fd, data) || (durable && ::fsync(fd) != 0)) {
        setError(error, "cannot write", path);
        ::close(fd);
        ::unlink(tmp.c_str());
        return false;
    }
    if (::close(fd) != 0) {
        setError(error, "cannot write", path);
        ::unlink(tmp.c_str());
        return false;
    }
    if (g_failBeforeRename) {
        ::unlink(tmp.c_str());
        errno = EIO;
        setError(error, "cannot write", path);
        return false;
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        setError(error, "cannot replace", path);
        ::unlink(tmp.c_str());
        return false;
    }
    return true;
}

} // namespace

bool writeFileAtomically(const std::string &path, const std::string &data, std::string *error)
{
    return writeReplacing(path, data, true, error);
}

bool writeScratchFile(const std::string &path, std::string_view data, std::string *error)
{
    return writeReplacing(path, data, false, error);
}

void setAtomicWriteFailureForTesting(bool fail)
{
    g_failBeforeRename = fail;
}

} // namespace tess
