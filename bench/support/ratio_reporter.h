// Console output of Google Benchmark plus, at the end, each benchmark's time
// as a ratio of the baseline's, measured in the same run. A benchmark with
// arguments ("/stations:4") is set against the baseline with the same ones.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace benchsupport {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Benchmarks whose name starts with `baseline` are the reference.
    explicit RatioReporter(std::string baseline) : baseline_(std::move(baseline)) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::string baseline_;
    struct Times {
        double real = 0;
        double cpu = 0;
    };
    // Mean time per iteration, by arguments, then by function name.
    std::map<std::string, std::map<std::string, Times>> times_;
};

// Runs every registered benchmark with the ratio reporter.
int RunWithRatios(int argc, char** argv, const std::string& baseline);

}  // namespace benchsupport
