#pragma once

// Runs the built program as a user would, in `folder`, with settings and
// recent files of its own there.
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace tess::test {

struct ProgramResult
{
    int exitCode; // -1 for a crash, -2 when the time limit ended it
    std::string out, err;
};

// `display` false takes every display away, as the command-line modes must
// work without one; true runs on the offscreen platform. The arguments go to
// the program as the bytes they are (a file name need not be UTF-8); past
// `seconds` the program is killed and the test fails.
inline ProgramResult runProgram(const std::string &folder, const std::vector<std::string> &args,
                                bool display = true, int seconds = 120)
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM"
            && name != "TESSARINE_SETTINGS" && name != "TESSARINE_RECENT" && name != "TMPDIR")
            env.push_back(entry);
    }
    env.push_back("TESSARINE_SETTINGS=" + folder + "/Tessarine.ini");
    env.push_back("TESSARINE_RECENT=" + folder + "/recent.ini");
    env.push_back("TMPDIR=" + folder);
    if (display)
        env.push_back("QT_QPA_PLATFORM=offscreen");
    std::vector<std::string> argStrings = {TESS_TEST_BINARY_DIR "/tessarine"};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char *> argv, envp;
    for (std::string &a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "cannot make pipes";
        return {-1, {}, {}};
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int nothing = ::open("/dev/null", O_RDONLY);
        if (::chdir(folder.c_str()) != 0 || ::dup2(nothing, 0) < 0 || ::dup2(out[1], 1) < 0
            || ::dup2(err[1], 2) < 0)
            ::_exit(126);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    ProgramResult result {-1, {}, {}};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string *sinks[2] = {&result.out, &result.err};
    int open = 2;
    bool timedOut = false;
    while (open > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        if (::poll(fds, 2, int(left.count())) < 0 && errno != EINTR)
            break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !fds[i].revents)
                continue;
            char buf[65536];
            const ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                sinks[i]->append(buf, size_t(n));
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    for (const pollfd &f : fds)
        if (f.fd >= 0)
            ::close(f.fd);
    if (timedOut)
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    if (timedOut) {
        ADD_FAILURE() << "the program ran past its time limit of " << seconds << " s";
        result.exitCode = -2;
    } else if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}

inline ProgramResult runProgram(const QString &folder, const QStringList &args, bool display = true)
{
    std::vector<std::string> bytes;
    for (const QString &a : args)
        bytes.push_back(a.toStdString());
    return runProgram(folder.toStdString(), bytes, display);
}

} // namespace tess::test
