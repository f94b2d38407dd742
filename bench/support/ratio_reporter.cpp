#include "bench/support/ratio_reporter.h"

#include <cstdio>

namespace benchsupport {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // With repetitions only the mean counts; without, the single run.
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") continue;
        const std::string name = run.run_name.function_name;
        times_[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    }
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    auto baseline = times_.end();
    for (auto it = times_.begin(); it != times_.end(); ++it)
        if (it->first.rfind(baseline_, 0) == 0) baseline = it;
    if (baseline == times_.end() || baseline->second.real <= 0 || baseline->second.cpu <= 0) return;
    std::printf("\nRatios against %s (same run):    real    cpu\n", baseline->first.c_str());
    for (const auto& [name, times] : times_) {
        std::printf("  %-50s %6.3f %6.3f\n", name.c_str(), times.real / baseline->second.real,
                    times.cpu / baseline->second.cpu);
    }
}

int RunWithRatios(int argc, char** argv, const std::string& baseline) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter(baseline);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

}  // namespace benchsupport
