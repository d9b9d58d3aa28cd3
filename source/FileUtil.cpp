#include "source/FileUtil.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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

} // namespace

std::optional<std::string> readWholeFile(const std::string &path, std::string *error)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        setError(error, "cannot open", path);
        return std::nullopt;
    }
    struct stat st = {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        errno = EISDIR;
        setError(error, "cannot read", path);
        return std::nullopt;
    }
    std::string out;
    if (st.st_size > 0)
        out.reserve(size_t(st.st_size));
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            setError(error, "cannot read", path);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        out.append(buf, size_t(n));
    }
    ::close(fd);
    return out;
}

bool fileContains(const std::string &path, std::string_view needle)
{
    if (path.empty() || needle.empty())
        return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Each piece starts with the last needle.size() - 1 bytes of the one
    // before, so that a needle across two reads is found.
    const size_t carry = needle.size() - 1;
    std::string buf(std::max<size_t>(65536, 2 * needle.size()), '\0');
    size_t kept = 0;
    bool found = false;
    for (;;) {
        const ssize_t n = ::read(fd, buf.data() + kept, buf.size() - kept);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        const std::string_view piece(buf.data(), kept + size_t(n));
        if (piece.find(needle) != std::string_view::npos) {
            found = true;
            break;
        }
        kept = std::min(carry, piece.size());
        std::memmove(buf.data(), piece.data() + piece.size() - kept, kept);
    }
    ::close(fd);
    return found;
}

namespace {

// The file is written beside `path` and renamed over it; `durable` waits
// for the disk first, so that a crash leaves the old file or the new one.
bool writeReplacing(const std::string &path, std::string_view data, bool durable,
                    std::string *error)
{
    // The temporary lives in the same folder so the rename cannot cross file
    // systems.
    std::string tmp = path + ".tess-XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        setError(error, "cannot create", path);
        return false;
    }
    struct stat old = {};
    mode_t mode = 0644;
    if (::stat(path.c_str(), &old) == 0)
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
