#pragma once

// A time limit for one test that feeds the program something that could make
// it wait for ever (a FIFO, a device): past it the test process ends with a
// message, rather than the whole run stalling until ctest gives up.
#include <csignal>
#include <unistd.h>

namespace tess::test {

class TimeLimit
{
public:
    explicit TimeLimit(unsigned seconds)
    {
        std::signal(SIGALRM, [](int) {
            static const char text[] = "\ntime limit passed: the program waited on its input\n";
            (void)!::write(2, text, sizeof text - 1);
            ::_exit(124);
        });
        ::alarm(seconds);
    }
    ~TimeLimit() { ::alarm(0); }
    TimeLimit(const TimeLimit &) = delete;
    TimeLimit &operator=(const TimeLimit &) = delete;
};

} // namespace tess::test
