#pragma once

// The console report, keeping each benchmark's time per iteration in seconds
// so that a benchmark program can print its ratios after the runs. With
// repetitions the mean, reported after the single runs, wins.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tess::bench {

class TimeReporter : public benchmark::ConsoleReporter
{
public:
    enum class Clock { Cpu, Real };
    explicit TimeReporter(Clock clock)
        : m_clock(clock)
    { }

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const bool single = run.run_type == Run::RT_Iteration;
            if ((single || run.aggregate_name == "mean") && run.iterations > 0) {
                const double total
                    = m_clock == Clock::Cpu ? run.cpu_accumulated_time : run.real_accumulated_time;
                m_times[run.run_name.str()] = total / double(run.iterations);
            }
        }
    }

    // Seconds per iteration of `name` (as the report names it, without an
    // aggregate's suffix); 0 when it did not run.
    double time(const std::string &name) const
    {
        const auto it = m_times.find(name);
        return it == m_times.end() ? 0 : it->second;
    }

    // Prints "big / small = ratio" when both ran.
    void printRatio(const std::string &big, const std::string &small) const
    {
        if (time(small) > 0 && time(big) > 0)
            std::printf("%s / %s = %.2f\n", big.c_str(), small.c_str(), time(big) / time(small));
    }

private:
    Clock m_clock;
    std::map<std::string, double> m_times;
};

} // namespace tess::bench
