// Figures for benchmarks: every benchmark prints its own measurement beside a baseline taken
// in the same run, so a shared, noisy machine skews both alike.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace k2q::bench {

// A monotonic clock for measurements (the performance counter on Windows).
inline double NowUs() {
    using namespace std::chrono;
    return duration<double, std::micro>(steady_clock::now().time_since_epoch()).count();
}
inline double NowMs() { return NowUs() / 1000.0; }

struct Summary {
    double median = 0;
    double p99 = 0;
    double max = 0;
    double mean = 0;
};

inline Summary Summarize(std::vector<double> samples) {
    Summary s;
    if (samples.empty()) {
        return s;
    }
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) {
        const std::size_t i = static_cast<std::size_t>(q * static_cast<double>(samples.size() - 1));
        return samples[i];
    };
    s.median = at(0.5);
    s.p99 = at(0.99);
    s.max = samples.back();
    double sum = 0;
    for (double v : samples) {
        sum += v;
    }
    s.mean = sum / static_cast<double>(samples.size());
    return s;
}

// One line per figure: name, our value, the baseline's, and their ratio.
inline void PrintComparison(const std::string& name, double ours, double baseline,
                            const char* unit) {
    const double ratio = baseline != 0 ? ours / baseline : 0;
    std::printf("%-40s %12.3f %-6s baseline %12.3f %-6s ratio %.3f\n", name.c_str(), ours, unit,
                baseline, unit, ratio);
}

}  // namespace k2q::bench
