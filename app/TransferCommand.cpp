#include "app/TransferCommand.h"

#include "app/ProjectFile.h"
#include "app/TransferJob.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace tess {

namespace {

int hexValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

std::optional<std::string> percentDecoded(const std::string &text)
{
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            result += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(text[i + 2]) : -1;
        if (low < 0)
            return std::nullopt;
        result += char(high * 16 + low);
        i += 2;
    }
    return result;
}

TransferJob::Settings settingsFor(const TransferUrl &url, FtpOptions options)
{
    TransferJob::Settings settings;
    const char *password = std::getenv("TESSARINE_FTP_PASSWORD");
    settings.arguments = {url.server, url.user, password ? password : ""};
    options.netrc = !password;
    settings.ftp = std::move(options);
    return settings;
}

// Runs the job as the Status box would, its progress on `err`: every new
// status line, byte counts at most once a second.
void runWithProgress(TransferJob &job, std::ostream &err)
{
    using Clock = std::chrono::steady_clock;
    std::string shownStatus;
    Clock::time_point shownCount;
    const auto report = [&](bool last) {
        for (const std::string &notice : job.takeNotices())
            err << "tessarine: " << notice << "\n";
        const TransferSnapshot now = job.snapshot();
        if (now.status == shownStatus)
            return;
        const bool count = now.status.ends_with("bytes read");
        if (count && !last && Clock::now() - shownCount < std::chrono::seconds(1))
            return;
        if (count)
            shownCount = Clock::now();
        err << now.caption << ": " << now.status << "\n";
        shownStatus = now.status;
    };
    job.start();
    while (!job.done()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        report(false);
    }
    job.wait();
    report(true);
    err.flush();
}

int finish(const TransferJob &job, const char *success, std::ostream &err)
{
    if (job.message() == success) {
        err << job.message() << "\n";
        return 0;
    }
    err << "tessarine: " << job.message() << "\n";
    if (!job.certificateFingerprint().empty())
        err << "tessarine: the server's certificate (" << job.certificateSubject()
            << ") has the SHA-256 fingerprint " << job.certificateFingerprint() << "\n";
    return 1;
}

} // namespace

std::optional<TransferUrl> ParseTransferUrl(const std::string &url, std::string *error)
{
    const auto fail = [error](const std::string &why) -> std::optional<TransferUrl> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const size_t schemeEnd = url.find("://");
    const std::string scheme = url.substr(0, schemeEnd);
    if (schemeEnd == std::string::npos || (scheme != "ftp" && scheme != "ftps" && scheme != "sftp"))
        return fail("URL '" + url + "' must start with ftp://, ftps:// or sftp://");
    if (scheme == "sftp" && !FtpClient::supports("sftp"))
        return fail("this libcurl cannot speak sftp");
    const std::string rest = url.substr(schemeEnd + 3);
    const size_t slash = rest.find('/');
    const std::string authority = rest.substr(0, slash);
    const size_t at = authority.rfind('@');
    if (at == std::string::npos || at == 0)
        return fail("URL '" + url + "' needs a USER@ before the host");
    if (authority.substr(0, at).find(':') != std::string::npos)
        return fail(
            "the password cannot be given in the URL: use TESSARINE_FTP_PASSWORD or ~/.netrc");
    const std::string host = authority.substr(at + 1);
    if (host.empty())
        return fail("URL '" + url + "' names no host");
    const auto user = percentDecoded(authority.substr(0, at));
    const auto folder = percentDecoded(slash == std::string::npos ? "" : rest.substr(slash + 1));
    if (!user || !folder)
        return fail("URL '" + url + "' holds a bad %-escape");
    return TransferUrl {scheme + "://" + host, *user, *folder};
}

int RunUploadCommand(const std::string &project, const std::string &url, std::ostream &err,
                     FtpOptions options)
{
    std::string why;
    const std::optional<TransferUrl> target = ParseTransferUrl(url, &why);
    if (!target) {
        err << "tessarine: " << why << "\n";
        return 2;
    }
    const ProjectFile file(project);
    ProjectContents contents;
    if (const Outcome loaded = file.load(contents); !loaded) {
        err << "tessarine: " << project << ": " << loaded.message << "\n";
        return 1;
    }
    TransferJob::Settings settings = settingsFor(*target, std::move(options));
    settings.direction = TransferJob::Direction::Upload;
    settings.uploadFolder = target->folder;
    settings.projectName = file.name();
    for (const std::string &entry : contents.entries) {
        settings.arguments.push_back(entry);
        settings.arguments.push_back(file.pathOf(entry));
    }
    settings.arguments.push_back(file.name() + ".wpg");
    settings.arguments.push_back(file.path());
    TransferJob job(std::move(settings));
    runWithProgress(job, err);
    return finish(job, kUploadCompleted, err);
}

int RunDownloadCommand(const std::string &url, const std::string &folder, std::ostream &err,
                       FtpOptions options)
{
    std::string why;
    const std::optional<TransferUrl> source = ParseTransferUrl(url, &why);
    if (!source) {
        err << "tessarine: " << why << "\n";
        return 2;
    }
    TransferJob::Settings settings = settingsFor(*source, std::move(options));
    settings.direction = TransferJob::Direction::Download;
    settings.downloadSource = source->folder;
    settings.downloadDestination = folder;
    settings.mode = TransferJob::Mode::ListFiles;
    std::vector<std::string> files;
    {
        TransferJob list(settings);
        runWithProgress(list, err);
        if (list.failed() || list.noFiles()) {
            err << "tessarine: " << list.message() << "\n";
            return 1;
        }
        files = list.files();
    }
    settings.mode = TransferJob::Mode::Transfer;
    for (const std::string &name : files) {
        settings.arguments.push_back(name);
        settings.arguments.push_back(name);
    }
    TransferJob job(std::move(settings));
    runWithProgress(job, err);
    return finish(job, kDownloadCompleted, err);
}

} // namespace tess
