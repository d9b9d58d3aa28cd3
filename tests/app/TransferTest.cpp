#include "app/ProjectFile.h"
#include "app/RemoteName.h"
#include "app/TransferJob.h"
#include "common/FtpServer.h"
#include "common/RunProgram.h"
#include "wml/FileUtil.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <filesystem>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>

namespace tess {
namespace {

namespace fs = std::filesystem;
using test::FtpServer;
using Mode = TransferJob::Mode;
using Direction = TransferJob::Direction;

TEST(TransferTextTest, PercentRule)
{
    const std::tuple<std::uint64_t, std::uint64_t, const char *> cases[] = {
        {0, 0, ""},           {5, 0, ""},          {0, 8192, "0%"},
        {4096, 8192, "50%"},  {8191, 8192, "99%"}, {8192, 8192, "100%"},
        {12288, 8192, "50%"}, {16384, 8192, "0%"}, {1, 3, "33%"},
    };
    for (const auto &[position, upper, text] : cases)
        EXPECT_EQ(PercentText(position, upper), text) << position << " of " << upper;
}

TEST(TransferTextTest, ServerNamesAndTexts)
{
    const std::pair<std::string, RemoteNameUse> names[] = {
        {"index.wml", RemoteNameUse::Take},  {"a b..c", RemoteNameUse::Take},
        {".", RemoteNameUse::Skip},          {"..", RemoteNameUse::Skip},
        {"../../x", RemoteNameUse::Refuse},  {"/etc/x", RemoteNameUse::Refuse},
        {"a\\..\\b", RemoteNameUse::Refuse}, {"a\nb", RemoteNameUse::Refuse},
        {"a\rb", RemoteNameUse::Refuse},     {std::string("a\0b", 3), RemoteNameUse::Refuse},
        {"", RemoteNameUse::Refuse},
    };
    for (const auto &[name, use] : names)
        EXPECT_EQ(CheckRemoteName(name), use) << testing::PrintToString(name);
    EXPECT_EQ(OneLine("\r\n530 Login\tincorrect.\r\n230 more"), "530 Loginincorrect.");
    EXPECT_EQ(OneLine(std::string(600, 'x')).size(), 512u);
    EXPECT_EQ(RefusedNameText("a\nb"),
              "The server's file name \"a\" cannot be used here; it was skipped.");

    // Each listing form: what a hostile or odd server may send comes out as
    // names for CheckRemoteName to judge, never as paths.
    const std::vector<RemoteEntry> mlsd
        = ParseMlsd("type=cdir;size=0; .\r\ntype=pdir; ..\r\ntype=dir;size=4096; sub dir\r\n"
                    "Type=File;Size=12; ../../x\r\ntype=file;size=3; /etc/x\r\nno facts here\r\n"
                    "type=file;size=5; a\rb\r\n");
    const std::vector<RemoteEntry> list
        = ParseList("total 3\r\ndrwxr-xr-x   2 u g     4096 Jan  1 10:00 sub dir\r\n"
                    "-rw-r--r--   1 u g       12 Jan  1  2024 ../../x\r\n"
                    "lrwxrwxrwx   1 u g        5 Jan  1 10:00 /etc/x -> /etc/passwd\r\n"
                    "01-31-24  10:00AM       <DIR>          a\rb\r\n");
    const auto show = [](const std::vector<RemoteEntry> &entries) {
        std::string text;
        for (const RemoteEntry &e : entries)
            text += (e.folder ? "d " : "f ") + std::to_string(e.size) + " [" + e.name + "]\n";
        return text;
    };
    EXPECT_EQ(show(mlsd), "d 4096 [sub dir]\nf 12 [../../x]\nf 3 [/etc/x]\nf 5 [a\rb]\n");
    EXPECT_EQ(show(list), "d 4096 [sub dir]\nf 12 [../../x]\nf 5 [/etc/x]\nd 0 [a\rb]\n");
}

class TransferTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::string(TESS_FTP_PYTHON).empty())
            GTEST_SKIP() << "no Python with pyftpdlib (scripts/install-deps installs it)";
    }

    std::string local(const std::string &name) const
    {
        return m_dir.path().toStdString() + "/" + name;
    }
    static void write(const std::string &path, const std::string &bytes)
    {
        fs::create_directories(fs::path(path).parent_path());
        ASSERT_TRUE(writeFileAtomically(path, bytes));
    }
    static std::string bytes(const std::string &path)
    {
        return readWholeFile(path).value_or("<missing>");
    }
    // Every file name in `folder`, sorted, "-" when it does not exist.
    static std::string names(const std::string &folder)
    {
        std::error_code ec;
        std::vector<std::string> found;
        for (const auto &e : fs::directory_iterator(folder, ec))
            found.push_back(e.path().filename().string() + (e.is_directory() ? "/" : ""));
        std::ranges::sort(found);
        std::string text = ec ? "-" : "";
        for (const std::string &n : found)
            text += n + " ";
        return text;
    }

    static TransferJob::Settings settings(const FtpServer &server, Mode mode,
                                          Direction direction = Direction::Download)
    {
        TransferJob::Settings s;
        s.arguments = {server.server(), "user", "secret"};
        s.mode = mode;
        s.direction = direction;
        s.ftp.idleTimeoutSeconds = 3;
        s.ftp.connectTimeoutMs = 3000;
        return s;
    }
    // Runs the job on its worker until a file's progress passes `bytes`,
    // then does `midway` and waits for the end.
    static void runUntil(TransferJob &job, std::uint64_t bytes, const std::function<void()> &midway)
    {
        job.start();
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!job.done() && job.snapshot().position <= bytes
               && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_FALSE(job.done()) << job.message();
        midway();
        job.wait();
    }

    QTemporaryDir m_dir;
};

TEST_F(TransferTest, UploadsAndDownloadsEachSizeWithItsProgress)
{
    FtpServer server;
    ASSERT_TRUE(server.running());
    fs::create_directory(server.root() + "/www");
    const struct
    {
        std::string name;
        size_t size;
        const char *percent;
        bool active;
    } files[] = {
        {"block.bin", 8192, "100%", false},
        {"empty.wml", 0, "0%", false},
        {"odd name #1.wml", 5000, "100%", true},
    };
    for (const auto &f : files) {
        SCOPED_TRACE(f.name);
        std::string content(f.size, '\0');
        for (size_t i = 0; i < content.size(); ++i)
            content[i] = char(i * 7 + 3);
        write(local("up/" + f.name), content);
        TransferJob::Settings up = settings(server, Mode::Transfer, Direction::Upload);
        up.ftp.active = f.active;
        up.uploadFolder = "/www";
        up.projectName = "Site";
        up.arguments.insert(up.arguments.end(), {f.name, local("up/" + f.name)});
        TransferJob upload(up);
        upload.run();
        EXPECT_EQ(upload.message(), kUploadCompleted);
        EXPECT_EQ(bytes(server.root() + "/www/Site/" + f.name), content);
        const TransferSnapshot shown = upload.snapshot();
        EXPECT_EQ(shown.caption, "Uploading " + f.name);
        EXPECT_EQ(shown.status, "Closing connection to " + server.server());
        EXPECT_EQ(shown.percent, f.percent);
        EXPECT_EQ(shown.position, f.size);

        // Into a folder that is not there yet, over a file of that name.
        TransferJob::Settings down = settings(server, Mode::Transfer);
        down.ftp.active = f.active;
        down.downloadSource = "/www/Site";
        down.downloadDestination = local("new/folder");
        down.arguments.insert(down.arguments.end(), {f.name, f.name});
        write(local("new/folder/" + f.name), "old");
        TransferJob download(down);
        download.run();
        EXPECT_EQ(download.message(), kDownloadCompleted);
        EXPECT_EQ(bytes(local("new/folder/" + f.name)), content);
        EXPECT_EQ(download.snapshot().percent, f.percent);
        EXPECT_EQ(download.snapshot().position, f.size);
        EXPECT_TRUE(download.takeNotices().empty());
    }
    EXPECT_EQ(names(local("new/folder")), "block.bin empty.wml odd name #1.wml ");
}

TEST_F(TransferTest, LooksAtTheServerAndSaysWhatWentWrong)
{
    FtpServer server;
    ASSERT_TRUE(server.running());
    for (const char *folder : {"/www/Site/img", "/www/deep/a/b", "/empty", "/files"})
        fs::create_directories(server.root() + folder);
    write(server.root() + "/files/a.wml", "a");
    write(server.root() + "/files/b.wbmp", "b");
    write(server.root() + "/www/top.wml", "t");

    const auto job = [&](Mode mode, Direction direction, const std::string &folder,
                         std::vector<std::string> pairs, const char *password = "secret") {
        TransferJob::Settings s = settings(server, mode, direction);
        s.arguments[2] = password;
        s.uploadFolder = s.downloadSource = folder;
        s.projectName = "Site";
        s.downloadDestination = local("got");
        s.arguments.insert(s.arguments.end(), pairs.begin(), pairs.end());
        auto result = std::make_unique<TransferJob>(s);
        result->run();
        return result;
    };
    const std::string missing = local("missing.wml");
    const struct
    {
        Mode mode;
        Direction direction;
        std::string folder;
        std::vector<std::string> pairs;
        const char *password;
        std::string message;
        bool failed, noFiles;
        std::string notices;
    } cases[] = {
        {Mode::TestConnection,
         Direction::Upload,
         "",
         {},
         "wrong",
         std::string(kInternetException) + "530 Authentication failed.",
         true,
         false,
         ""},
        {Mode::TestConnection,
         Direction::Upload,
         "",
         {},
         "secret",
         kUploadCompleted,
         false,
         false,
         ""},
        {Mode::Transfer,
         Direction::Upload,
         "/nowhere",
         {"x", missing},
         "secret",
         kNoDestinationFolder,
         true,
         false,
         ""},
        {Mode::Transfer,
         Direction::Upload,
         "/www",
         {"missing.wml", missing},
         "secret",
         "Unable to create file " + missing,
         false,
         false,
         "Unable to create file " + missing},
        {Mode::Transfer,
         Direction::Download,
         "/files",
         {"gone.wml", "gone.wml", "a.wml", "a.wml"},
         "secret",
         kDownloadCompleted,
         false,
         false,
         "File NOT found on Server: gone.wml"},
        {Mode::ListFiles,
         Direction::Download,
         "/www",
         {},
         "secret",
         kSourceHasFolders,
         false,
         true,
         ""},
        {Mode::ListFiles,
         Direction::Download,
         "/empty",
         {},
         "secret",
         kFolderEmpty,
         false,
         true,
         ""},
        {Mode::ListFiles,
         Direction::Download,
         "/files",
         {},
         "secret",
         kDownloadCompleted,
         false,
         false,
         ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        const auto done = job(c.mode, c.direction, c.folder, c.pairs, c.password);
        EXPECT_TRUE(done->done());
        EXPECT_EQ(done->message(), c.message);
        EXPECT_EQ(done->failed(), c.failed);
        EXPECT_EQ(done->noFiles(), c.noFiles);
        std::string notices;
        for (const std::string &n : done->takeNotices())
            notices += n;
        EXPECT_EQ(notices, c.notices);
    }
    EXPECT_EQ(names(local("got")), "a.wml ");
    EXPECT_EQ(job(Mode::ListFiles, Direction::Download, "/files", {})->files(),
              (std::vector<std::string> {"a.wml", "b.wbmp"}));
    // Site is made by the upload that found its file missing.
    const auto tree = job(Mode::FolderTree, Direction::Upload, "", {});
    const std::function<std::string(const FolderNode &)> show = [&](const FolderNode &node) {
        std::string text = node.name;
        std::vector<std::string> children;
        for (const FolderNode &child : node.children)
            children.push_back(show(child));
        std::ranges::sort(children);
        for (const std::string &child : children)
            text += " (" + child + ")";
        return text;
    };
    EXPECT_EQ(show(tree->folderTree()), "/ (empty) (files) (www (Site (img)) (deep (a (b))))");
}

TEST_F(TransferTest, CancelAndBrokenConnectionsLeaveNoPartialFile)
{
    FtpServer server({.throttle = 256 * 1024});
    ASSERT_TRUE(server.running());
    const std::string big(3 << 20, 'x');
    write(server.root() + "/big.bin", big);
    write(local("big.bin"), big);

    TransferJob::Settings up = settings(server, Mode::Transfer, Direction::Upload);
    up.uploadFolder = "/";
    up.projectName = "up";
    up.arguments.insert(up.arguments.end(), {"big.bin", local("big.bin")});
    TransferJob upload(up);
    runUntil(upload, 0, [&] { upload.cancel(); });
    EXPECT_EQ(upload.message(), kUserCancelled);
    const TransferSnapshot stopped = upload.snapshot();
    EXPECT_GT(stopped.position, 0u);
    EXPECT_EQ(stopped.status, std::to_string(stopped.position) + " of 3145728  bytes read");

    const std::string old = "the file as it was";
    for (const bool kill : {false, true}) {
        SCOPED_TRACE(kill ? "server killed" : "cancelled");
        TransferJob::Settings down = settings(server, Mode::Transfer);
        down.downloadSource = "/";
        down.downloadDestination = local("into");
        down.arguments.insert(down.arguments.end(), {"big.bin", "big.bin"});
        write(local("into/big.bin"), old);
        TransferJob download(down);
        runUntil(download, 64 * 1024, [&] { kill ? server.kill() : download.cancel(); });
        EXPECT_TRUE(download.message().starts_with(kill ? kInternetException : kUserCancelled))
            << download.message();
        EXPECT_EQ(download.failed(), kill);
        EXPECT_EQ(bytes(local("into/big.bin")), old);
        EXPECT_EQ(names(local("into")), "big.bin ");
    }
}

TEST_F(TransferTest, SilentServerTimesOut)
{
    // A socket that listens but never accepts: the kernel completes the
    // connection, and nothing ever answers on it.
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr *>(&address), length), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length);

    TransferJob::Settings s;
    s.mode = Mode::TestConnection;
    s.arguments = {"127.0.0.1:" + std::to_string(ntohs(address.sin_port)), "user", "secret"};
    s.ftp.idleTimeoutSeconds = 2;
    const auto start = std::chrono::steady_clock::now();
    TransferJob job(s);
    job.run();
    ::close(listener);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(job.failed());
    EXPECT_TRUE(job.message().starts_with(kInternetException)) << job.message();
    EXPECT_NE(job.message().find("timeout"), std::string::npos) << job.message();
}

TEST_F(TransferTest, SelfSignedCertificateNeedsAcceptingFirst)
{
    FtpServer server({.tls = true});
    ASSERT_TRUE(server.running());
    write(server.root() + "/a.wml", "secret deck");

    // The fingerprint as OpenSSL itself gives it.
    QProcess openssl;
    openssl.start("openssl",
                  {"x509", "-noout", "-fingerprint", "-sha256", "-in",
                   QString::fromStdString(server.certificate())});
    ASSERT_TRUE(openssl.waitForFinished());
    const std::string expected
        = openssl.readAllStandardOutput().trimmed().split('=').last().toStdString();

    TransferJob::Settings s = settings(server, Mode::ListFiles);
    s.downloadSource = "/";
    TransferJob refused(s);
    refused.run();
    EXPECT_TRUE(refused.failed());
    EXPECT_TRUE(refused.files().empty());
    EXPECT_EQ(refused.certificateFingerprint(), expected);
    EXPECT_NE(refused.certificateSubject().find("tessarine-test"), std::string::npos);

    const std::pair<std::string, bool> answers[] = {{expected, true}, {"AB:CD", false}};
    for (const auto &[fingerprint, works] : answers) {
        s.ftp.acceptedFingerprint = fingerprint;
        TransferJob accepted(s);
        accepted.run();
        EXPECT_EQ(accepted.failed(), !works) << accepted.message();
        EXPECT_EQ(accepted.files(),
                  works ? std::vector<std::string> {"a.wml"} : std::vector<std::string> {});
    }
}

TEST_F(TransferTest, CommandLineUploadsAProjectAndDownloadsAFolder)
{
    FtpServer server;
    ASSERT_TRUE(server.running());
    fs::create_directory(server.root() + "/www");
    write(local("Site/index.wml"), "<wml/>");
    write(local("Site/pics/logo.wbmp"), std::string(3000, '\1'));
    write(local("Site/Site.wpg"),
          "<Site>\n<br/>\r\nindex.wml\r\n<br/>\r\npics\\logo.wbmp\r\n"
          "<br/>\r\n</Site>");
    write(local("home/.netrc"), "machine 127.0.0.1 login user password secret\n");
    const std::string url = "ftp://user@127.0.0.1:" + std::to_string(server.port());
    const struct
    {
        std::vector<std::string> args;
        const char *password; // nullptr: from ~/.netrc
        int exitCode;
        std::string lastLine;
    } cases[] = {
        {{"--upload", local("Site/Site.wpg"), url + "/www"}, "secret", 0, kUploadCompleted},
        {{"--download", url + "/www/Site", local("copy")}, nullptr, 0, kDownloadCompleted},
        {{"--download", url + "/www", local("copy")},
         "secret",
         1,
         std::string("tessarine: ") + kSourceHasFolders},
        {{"--upload", local("Site/Site.wpg"), url + "/www"},
         "wrong",
         1,
         std::string("tessarine: ") + kInternetException + "530 Authentication failed."},
        {{"--download", "http://127.0.0.1/", local("copy")},
         "secret",
         2,
         "tessarine: URL 'http://127.0.0.1/' must start with ftp://, ftps:// or sftp://"},
        {{"--download", "ftp://user:pw@127.0.0.1/", local("copy")},
         "secret",
         2,
         "tessarine: the password cannot be given in the URL: use TESSARINE_FTP_PASSWORD or "
         "~/.netrc"},
        {{"--upload", local("Site/Site.wpg")},
         "secret",
         2,
         "tessarine: option '--upload' needs PROJECT.wpg and URL"},
    };
    const std::string home = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", local("home").c_str(), 1);
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        if (c.password)
            setenv("TESSARINE_FTP_PASSWORD", c.password, 1);
        else
            unsetenv("TESSARINE_FTP_PASSWORD");
        const test::ProgramResult r = test::runProgram(local(""), c.args, false, 60);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        EXPECT_TRUE(r.err.find(c.lastLine + "\n") != std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    unsetenv("TESSARINE_FTP_PASSWORD");
    setenv("HOME", home.c_str(), 1);
    EXPECT_EQ(names(server.root() + "/www/Site"), "Site.wpg index.wml logo.wbmp ");
    EXPECT_EQ(bytes(server.root() + "/www/Site/logo.wbmp"), std::string(3000, '\1'));
    EXPECT_EQ(names(local("copy")), "Site.wpg index.wml logo.wbmp ");
}

} // namespace
} // namespace tess
