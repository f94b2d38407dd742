#include "bench/support/ratio_reporter.h"

#include <cstdio>

namespace benchsupport {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // With repetitions only the mean counts; without, the single run.
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") continue;
        const std::string name = run.run_name.function_name;
        seconds_[name] = run.GetAdjustedRealTime();
    }
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    auto baseline = seconds_.end();
    for (auto it = seconds_.begin(); it != seconds_.end(); ++it)
        if (it->first.rfind(baseline_, 0) == 0) baseline = it;
    if (baseline == seconds_.end() || baseline->second <= 0) return;
    std::printf("\nRatios against %s (same run):\n", baseline->first.c_str());
    for (const auto& [name, seconds] : seconds_) {
        std::printf("  %-40s %6.3f\n", name.c_str(), seconds / baseline->second);
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
