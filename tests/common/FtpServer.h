#pragma once

// A real FTP server on 127.0.0.1 for one test: tests/app/ftp_server.py run
// by the Python that has pyftpdlib, serving a fresh temporary folder to
// "user" with the password "secret". Stopped when the object goes.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tess::test {

struct FtpServerOptions
{
    int throttle = 0; // bytes a second on each data connection; 0 for none
    bool tls = false;
};

class FtpServer
{
public:
    explicit FtpServer(FtpServerOptions options = {})
    {
        if (!m_dir.isValid())
            return;
        const std::string dir = m_dir.path().toStdString();
        std::filesystem::create_directory(dir + "/root");
        std::vector<std::string> args
            = {TESS_FTP_PYTHON, TESS_FTP_SERVER_SCRIPT, "--root", dir + "/root"};
        if (options.throttle > 0)
            args.insert(args.end(), {"--throttle", std::to_string(options.throttle)});
        if (options.tls)
            args.insert(args.end(), {"--tls", dir});
        int out[2];
        if (::pipe2(out, O_CLOEXEC) != 0)
            return;
        const std::string log = dir + "/server.log";
        m_pid = ::fork();
        if (m_pid == 0) {
            const int err = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (::dup2(out[1], 1) < 0 || ::dup2(err, 2) < 0)
                ::_exit(126);
            std::vector<char *> argv;
            for (std::string &a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        // The script prints its port once it listens.
        std::string line;
        pollfd fd = {out[0], POLLIN, 0};
        while (line.find('\n') == std::string::npos && ::poll(&fd, 1, 15000) > 0) {
            char buf[64];
            const ssize_t n = ::read(out[0], buf, sizeof buf);
            if (n <= 0)
                break;
            line.append(buf, size_t(n));
        }
        ::close(out[0]);
        m_port = std::atoi(line.c_str());
        if (m_port <= 0) {
            std::ifstream in(log);
            ADD_FAILURE() << "the FTP server did not start: "
                          << std::string(std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>());
        }
    }
    ~FtpServer() { kill(); }
    FtpServer(const FtpServer &) = delete;
    FtpServer &operator=(const FtpServer &) = delete;

    bool running() const { return m_port > 0 && m_pid > 0; }
    // What a dialog would put in its server field.
    std::string server() const
    {
        return (m_tls() ? "ftps://127.0.0.1:" : "127.0.0.1:") + std::to_string(m_port);
    }
    int port() const { return m_port; }
    // The folder the server shows as "/".
    std::string root() const { return m_dir.path().toStdString() + "/root"; }
    std::string certificate() const { return m_dir.path().toStdString() + "/cert.pem"; }

    // Ends the server at once, as a crash or a pulled cable would.
    void kill()
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) { }
        m_pid = -1;
    }

private:
    bool m_tls() const { return std::filesystem::exists(certificate()); }

    QTemporaryDir m_dir;
    pid_t m_pid = -1;
    int m_port = 0;
};

} // namespace tess::test
