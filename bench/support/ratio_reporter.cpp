#include "bench/support/ratio_reporter.h"

#include <cstdio>

namespace benchsupport {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // With repetitions only the mean counts; without, the single run.
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "mean") continue;
        times_[run.run_name.args][run.run_name.function_name] = {run.GetAdjustedRealTime(),
                                                                 run.GetAdjustedCPUTime()};
    }
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    for (const auto& [args, times] : times_) {
        auto baseline = times.end();
        for (auto it = times.begin(); it != times.end(); ++it)
            if (it->first.rfind(baseline_, 0) == 0) baseline = it;
        if (baseline == times.end() || baseline->second.real <= 0 || baseline->second.cpu <= 0) continue;
        const std::string suffix = args.empty() ? "" : "/" + args;
        std::printf("\nRatios against %s%s (same run):    real    cpu\n", baseline->first.c_str(), suffix.c_str());
        for (const auto& [name, time] : times) {
            std::printf("  %-50s %6.3f %6.3f\n", (name + suffix).c_str(), time.real / baseline->second.real,
                        time.cpu / baseline->second.cpu);
        }
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
