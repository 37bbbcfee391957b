#pragma once

// What the benchmarks share: how a run fails, and how time and peak memory
// are measured and summed up.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <string>
#include <vector>

[[noreturn]] inline void fail(const std::string& message) {
    std::fprintf(stderr, "kelvara-bench: %s\n", message.c_str());
    std::exit(1);
}

// ---------------------------------------------------------------------------
// Process memory

inline long statusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t keyLength = std::strlen(key);
    while (std::getline(status, line))
        if (line.compare(0, keyLength, key) == 0 && line.size() > keyLength &&
            line[keyLength] == ':')
            return std::stol(line.substr(keyLength + 1));
    return -1;
}

inline void resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    if (!clear)
        fail("cannot reset the peak memory through /proc/self/clear_refs");
}

inline double mb(long kb) {
    return kb / 1024.0;
}

struct Sample {
    double ms = 0;
    double peakMb = 0;   // absolute high-water mark during the measurement
    double growthMb = 0; // that peak minus the resident size just before
};

// Runs load once with a fresh high-water mark, then release.
inline Sample measure(const std::function<void()>& load, const std::function<void()>& release) {
    malloc_trim(0);
    const long before = statusKb("VmRSS");
    resetPeak();
    const auto start = std::chrono::steady_clock::now();
    load();
    const auto end = std::chrono::steady_clock::now();
    const long peak = statusKb("VmHWM");
    release();
    Sample s;
    s.ms = std::chrono::duration<double, std::milli>(end - start).count();
    s.peakMb = mb(peak);
    s.growthMb = mb(peak - before);
    return s;
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Figures {
    std::string name;
    long rows = 0;
    std::vector<Sample> samples;

    double ms() const { return pick(&Sample::ms); }
    double peak() const { return pick(&Sample::peakMb); }
    double growth() const { return pick(&Sample::growthMb); }
    double minMs() const {
        double m = samples.front().ms;
        for (const Sample& s : samples)
            m = std::min(m, s.ms);
        return m;
    }
    double maxMs() const {
        double m = samples.front().ms;
        for (const Sample& s : samples)
            m = std::max(m, s.ms);
        return m;
    }

private:
    double pick(double Sample::*field) const {
        std::vector<double> values;
        for (const Sample& s : samples)
            values.push_back(s.*field);
        return median(values);
    }
};

inline std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string a, b, c;
    in >> a >> b >> c;
    return a + " " + b + " " + c;
}
