// The console table every benchmark prints, and what each run measured, kept by name so
// that the program can set runs side by side once they are done.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

struct Measured {
    double wallSeconds = 0;  // per iteration
    double cpuSeconds = 0;   // per iteration, the process's: every thread counts
    double rate = 0;         // items or bytes per second (processor time), 0 without
};

class MeasuringReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations == 0) continue;
            Measured& measured = m_runs[run.benchmark_name()];
            const double iterations = static_cast<double>(run.iterations);
            measured.wallSeconds = run.real_accumulated_time / iterations;
            measured.cpuSeconds = run.cpu_accumulated_time / iterations;
            for (const char* counter : {"items_per_second", "bytes_per_second"})
                if (const auto found = run.counters.find(counter); found != run.counters.end())
                    measured.rate = found->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // The run of that name, or null when it did not run (filtered out, or failed).
    const Measured* Find(const std::string& name) const {
        const auto found = m_runs.find(name);
        return found == m_runs.end() ? nullptr : &found->second;
    }
    const std::map<std::string, Measured>& All() const { return m_runs; }

private:
    std::map<std::string, Measured> m_runs;
};
