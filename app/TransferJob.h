#pragma once

#include "app/FtpClient.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tess {

// Texts of the transfers, as the user sees them.
inline constexpr const char *kUserCancelled = "User Cancelled Download Operation";
inline constexpr const char *kUploadCompleted = "Upload Completed Successfully";
inline constexpr const char *kDownloadCompleted = "Download Completed Successfully";
inline constexpr const char *kNoDestinationFolder = "Destination directory doesn't exist.";
inline constexpr const char *kUnsuccessfulOperation = "Unsuccessful operation";
inline constexpr const char *kInternetException
    = "Internet Exception. Enter valid Server name, Username and Password. Or FTP Server may be "
      "down";
inline constexpr const char *kSourceHasFolders = "Source path given doesn't contain any files.";
inline constexpr const char *kFolderEmpty = "Directory doesn't contain any files.";

// The Status box's percent text for a position in 0..upper: empty when there
// is nothing to show (upper 0), else the integer percent, a value other than
// 100 taken modulo 100, and "%".
std::string PercentText(std::uint64_t position, std::uint64_t upper);

// A server folder and the folders below it.
struct FolderNode
{
    std::string name;
    std::vector<FolderNode> children;
};

// What the Status box shows, copied out for the user-interface thread.
struct TransferSnapshot
{
    std::string caption;
    std::string status;
    std::uint64_t position = 0;
    std::uint64_t range = 0;
    std::string percent = "0%";
};

// One upload, download or look at a server, run on a worker thread while
// the user-interface thread polls snapshot(), takes notices to show, and may
// cancel. Every file of the job goes over one connection. The worker shows
// nothing itself.
class TransferJob
{
public:
    enum class Direction { Upload, Download };
    enum class Mode { Transfer, TestConnection, FolderTree, ListFiles };

    struct Settings
    {
        Direction direction = Direction::Upload;
        Mode mode = Mode::Transfer;
        // Server, user, password, then pairs of (remote name, local name).
        // An upload sends each local file, resolved against the working
        // folder, as the remote name's last part into uploadFolder/projectName;
        // a download fetches each remote name of downloadSource into
        // downloadDestination under the local name. ListFiles lists
        // downloadSource.
        std::vector<std::string> arguments;
        std::string uploadFolder;
        std::string projectName;
        std::string downloadSource;
        std::string downloadDestination;
        FtpOptions ftp;
    };

    explicit TransferJob(Settings settings);
    // Cancels a job still running and waits for it.
    ~TransferJob();
    TransferJob(const TransferJob &) = delete;
    TransferJob &operator=(const TransferJob &) = delete;

    // Starts the worker thread; run() does the same work on the caller's.
    void start();
    void run();
    // Waits for the worker started by start().
    void wait();

    bool done() const { return m_done.load(); }
    void cancel() { m_cancel.store(true); }
    bool cancelled() const { return m_cancel.load(); }

    TransferSnapshot snapshot() const;
    // Texts to show in a message box each, oldest first, taken away.
    std::vector<std::string> takeNotices();

    // Read once done() is set.
    // The result to show: the failure, or for a job that did not fail the
    // cancel or completion text.
    const std::string &message() const { return m_message; }
    // The failure must keep the dialog open.
    bool failed() const { return m_failed; }
    // ListFiles found no files to offer.
    bool noFiles() const { return m_noFiles; }
    const FolderNode &folderTree() const { return m_tree; }
    const std::vector<std::string> &files() const { return m_files; }
    // Set when the server's certificate could not be verified: the job may
    // be run again with Settings::ftp.acceptedFingerprint set to it once the
    // user has accepted it.
    const std::string &certificateFingerprint() const { return m_fingerprint; }
    const std::string &certificateSubject() const { return m_subject; }

private:
    void work();
    void uploadFiles(FtpClient &client);
    void downloadFiles(FtpClient &client);
    void downloadFile(FtpClient &client, const std::string &remote, const std::string &local);
    void fillTree(FtpClient &client, FolderNode &node, const std::string &path, int depth);
    void listFiles(FtpClient &client);

    void setCaption(const std::string &caption);
    void setStatus(const std::string &status);
    void setRange(std::uint64_t range);
    void setPosition(std::uint64_t position);
    void notify(const std::string &text);

    Settings m_settings;
    std::atomic<bool> m_done {false};
    std::atomic<bool> m_cancel {false};
    std::thread m_thread;

    mutable std::mutex m_mutex; // guards m_snapshot and m_notices
    TransferSnapshot m_snapshot;
    std::vector<std::string> m_notices;

    std::string m_message;
    bool m_failed = false;
    bool m_noFiles = false;
    FolderNode m_tree;
    std::vector<std::string> m_files;
    std::string m_fingerprint;
    std::string m_subject;
};

} // namespace tess
