#pragma once

// What the engine's own files share and nothing outside the engine uses.

#include <QDateTime>
#include <functional>

class QPaintDevice;

namespace report {

// The clock the date and time fields read (replaceable for tests).
std::function<QDateTime()>& clock();

// Device pixels per point.
double scaleOf(const QPaintDevice* device);

// Rows measured between two calls of a progress function.
constexpr int ProgressEvery = 500;

} // namespace report
