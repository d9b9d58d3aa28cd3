#include "app/TransferJob.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace tess {

namespace {

// Ends the job with a text of its own.
struct JobText
{
    std::string text;
};

// A local file failed: "File Error %d %s".
struct FileError
{
    int code;
    std::string name;
};

std::string joinPath(const std::string &folder, const std::string &name)
{
    if (folder.empty())
        return name;
    return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

std::string bytesText(std::uint64_t done, std::uint64_t total)
{
    return std::to_string(done) + " of " + std::to_string(total) + "  bytes read";
}

// A download goes to a new file of its own next to its final name and
// takes that name only once it is complete, so an existing file stays as it
// was until then and a broken transfer leaves nothing behind under it.
class PartFile
{
public:
    PartFile(const fs::path &folder, const std::string &name)
    {
        std::random_device random;
        for (int attempt = 0; attempt < 16 && m_fd < 0; ++attempt) {
            m_path = folder / ("." + name + ".part-" + std::to_string(random() % 1000000));
            m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd < 0 && errno != EEXIST)
                break;
        }
    }
    ~PartFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_kept)
            ::unlink(m_path.c_str());
    }
    PartFile(const PartFile &) = delete;
    PartFile &operator=(const PartFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // 0, or the errno of a failed write.
    int write(const char *data, size_t size)
    {
        while (size > 0) {
            const ssize_t n = ::write(m_fd, data, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return n < 0 ? errno : EIO;
            data += n;
            size -= size_t(n);
        }
        return 0;
    }
    // 0, or the errno of the close or rename that failed.
    int keepAs(const fs::path &path)
    {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0 || ::rename(m_path.c_str(), path.c_str()) != 0)
            return errno;
        m_kept = true;
        return 0;
    }

private:
    fs::path m_path;
    int m_fd = -1;
    bool m_kept = false;
};

} // namespace

std::string PercentText(std::uint64_t position, std::uint64_t upper)
{
    if (upper == 0)
        return {};
    std::uint64_t percent = position * 100 / upper;
    if (percent != 100)
        percent %= 100;
    return std::to_string(percent) + "%";
}

TransferJob::TransferJob(Settings settings)
    : m_settings(std::move(settings))
{
    m_settings.arguments.resize(std::max<size_t>(m_settings.arguments.size(), 3));
}

TransferJob::~TransferJob()
{
    if (m_thread.joinable()) {
        cancel();
        m_thread.join();
    }
}

void TransferJob::start()
{
    m_thread = std::thread([this] { work(); });
}

void TransferJob::run()
{
    work();
}

void TransferJob::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

TransferSnapshot TransferJob::snapshot() const
{
    const std::lock_guard lock(m_mutex);
    return m_snapshot;
}

std::vector<std::string> TransferJob::takeNotices()
{
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_notices, {});
}

void TransferJob::setCaption(const std::string &caption)
{
    const std::lock_guard lock(m_mutex);
    m_snapshot.caption = caption;
}

void TransferJob::setStatus(const std::string &status)
{
    const std::lock_guard lock(m_mutex);
    m_snapshot.status = status;
}

void TransferJob::setRange(std::uint64_t range)
{
    const std::lock_guard lock(m_mutex);
    m_snapshot.range = range;
    m_snapshot.position = 0;
}

void TransferJob::setPosition(std::uint64_t position)
{
    const std::lock_guard lock(m_mutex);
    m_snapshot.position = position;
    m_snapshot.status = bytesText(position, m_snapshot.range);
    if (std::string percent = PercentText(position, m_snapshot.range); !percent.empty())
        m_snapshot.percent = std::move(percent);
}

void TransferJob::notify(const std::string &text)
{
    const std::lock_guard lock(m_mutex);
    m_notices.push_back(text);
}

void TransferJob::work()
{
    const std::vector<std::string> &args = m_settings.arguments;
    try {
        FtpClient client(args[0], args[1], args[2], m_settings.ftp, &m_cancel);
        switch (m_settings.mode) {
        case Mode::TestConnection:
            client.connect();
            break;
        case Mode::FolderTree:
            m_tree.name = client.currentFolder();
            fillTree(client, m_tree, m_tree.name, 0);
            break;
        case Mode::ListFiles:
            listFiles(client);
            break;
        case Mode::Transfer:
            if (m_settings.direction == Direction::Upload)
                uploadFiles(client);
            else
                downloadFiles(client);
            break;
        }
        client.close();
    } catch (const JobText &e) {
        m_message = e.text;
    } catch (const FileError &e) {
        m_message = "File Error " + std::to_string(e.code) + " " + e.name;
    } catch (const FtpError &e) {
        if (!e.aborted() || !m_cancel.load()) {
            m_message = kInternetException + e.explanation();
            m_failed = true;
            m_fingerprint = e.fingerprint;
            m_subject = e.subject;
        }
    } catch (const std::exception &e) {
        m_message = e.what();
    }
    if (m_message.empty()) {
        if (m_cancel.load())
            m_message = kUserCancelled;
        else if (!m_failed)
            m_message
                = m_settings.direction == Direction::Upload ? kUploadCompleted : kDownloadCompleted;
    }
    m_done.store(true);
}

void TransferJob::uploadFiles(FtpClient &client)
{
    const std::vector<std::string> &args = m_settings.arguments;
    const std::string &server = args[0];
    const std::string folder = joinPath(m_settings.uploadFolder, m_settings.projectName);
    bool entered = false;
    for (size_t i = 3; i + 1 < args.size(); i += 2) {
        const std::string &remote = args[i];
        const std::string &local = args[i + 1];
        if (m_cancel.load())
            return;
        setCaption("Uploading " + LastPart(local));
        if (!entered) {
            setStatus("Connecting to " + server);
            if (m_cancel.load())
                return;
            if (!client.folderExists(m_settings.uploadFolder)) {
                m_failed = true;
                throw JobText {kNoDestinationFolder};
            }
            if (!m_settings.projectName.empty())
                client.makeFolder(folder);
            if (!client.folderExists(folder)) {
                m_failed = true;
                throw JobText {kUnsuccessfulOperation};
            }
            entered = true;
        }
        setStatus(local);
        std::FILE *file = std::fopen(local.c_str(), "rb");
        struct stat info
        {
        };
        if (file && (::fstat(::fileno(file), &info) != 0 || S_ISDIR(info.st_mode))) {
            std::fclose(file);
            file = nullptr;
        }
        if (!file) {
            const std::string text = "Unable to create file " + local;
            setStatus(text);
            notify(text);
            throw JobText {text};
        }
        const std::unique_ptr<std::FILE, int (*)(std::FILE *)> closer(file, &std::fclose);
        const auto size = std::uint64_t(info.st_size);
        setRange(size);
        setCaption("Uploading " + LastPart(local));
        setStatus("Opening " + local);
        if (m_cancel.load())
            continue;
        try {
            client.upload(file, size, joinPath(folder, LastPart(remote)),
                          [this](std::uint64_t done, std::uint64_t) { setPosition(done); });
        } catch (const FtpError &) {
            if (std::ferror(file))
                throw FileError {errno ? errno : EIO, local};
            throw;
        }
        setPosition(size);
    }
    if (entered)
        setStatus("Closing connection to " + server);
}

void TransferJob::downloadFiles(FtpClient &client)
{
    const std::vector<std::string> &args = m_settings.arguments;
    bool connected = false;
    for (size_t i = 3; i + 1 < args.size(); i += 2) {
        if (m_cancel.load())
            break;
        setCaption("Downloading " + LastPart(args[i]));
        setStatus("Connecting to " + args[0]);
        if (m_cancel.load())
            break;
        client.connect();
        connected = true;
        downloadFile(client, args[i], args[i + 1]);
    }
    if (connected)
        setStatus("Closing connection to " + args[0]);
}

void TransferJob::downloadFile(FtpClient &client, const std::string &remote,
                               const std::string &local)
{
    setStatus("Getting File Information " + remote);
    if (m_cancel.load())
        return;
    const std::vector<RemoteEntry> entries = client.list(m_settings.downloadSource);
    const auto found = std::ranges::find_if(
        entries, [&](const RemoteEntry &e) { return !e.folder && e.name == remote; });
    if (found == entries.end()) {
        notify("File NOT found on Server: " + remote);
        return;
    }
    if (CheckRemoteName(local) != RemoteNameUse::Take) {
        notify(RefusedNameText(local));
        return;
    }
    setRange(found->size);
    const fs::path folder(m_settings.downloadDestination);
    std::error_code ec;
    fs::create_directories(folder, ec);
    PartFile part(folder, local);
    if (!part.isOpen()) {
        const std::string text = "Unable to create file " + local;
        setStatus(text);
        notify(text);
        throw JobText {text};
    }
    setCaption("Downloading " + LastPart(local));
    setStatus("Opening " + local);
    if (m_cancel.load())
        return;
    int writeError = 0;
    std::uint64_t received = 0;
    try {
        client.download(
            joinPath(m_settings.downloadSource, remote),
            [&](const char *data, size_t size) {
                writeError = part.write(data, size);
                received += size;
                return writeError == 0;
            },
            [this, &received](std::uint64_t, std::uint64_t) { setPosition(received); });
    } catch (const FtpError &) {
        if (writeError)
            throw FileError {writeError, local};
        throw;
    }
    setPosition(received);
    if (const int error = part.keepAs(folder / local))
        throw FileError {error, local};
}

void TransferJob::fillTree(FtpClient &client, FolderNode &node, const std::string &path, int depth)
{
    // A link back up the tree would otherwise be followed for ever.
    if (m_cancel.load() || depth > 32)
        return;
    for (const RemoteEntry &entry : client.list(path)) {
        if (!entry.folder)
            continue;
        if (CheckRemoteName(entry.name) != RemoteNameUse::Take) {
            notify(RefusedNameText(entry.name));
            continue;
        }
        FolderNode child {entry.name, {}};
        fillTree(client, child, joinPath(path, entry.name), depth + 1);
        node.children.push_back(std::move(child));
    }
}

void TransferJob::listFiles(FtpClient &client)
{
    for (const RemoteEntry &entry : client.list(m_settings.downloadSource)) {
        const RemoteNameUse use = CheckRemoteName(entry.name);
        if (use == RemoteNameUse::Skip)
            continue;
        if (entry.folder) {
            m_message = kSourceHasFolders;
            m_noFiles = true;
            m_files.clear();
            return;
        }
        if (use == RemoteNameUse::Refuse) {
            notify(RefusedNameText(entry.name));
            continue;
        }
        m_files.push_back(entry.name);
    }
    if (m_files.empty()) {
        m_message = kFolderEmpty;
        m_noFiles = true;
    }
}

} // namespace tess
