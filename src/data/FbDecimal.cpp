#include "data/FbDecimal.h"

#include "data/DbError.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace fb {

namespace {

[[noreturn]] void overflow() {
    throw DbError("arithmetic exception, numeric overflow, or string truncation\n"
                  "numeric value is out of range");
}

} // namespace

qint64 scaledFromDouble(double value, int decimals) {
    if (!std::isfinite(value))
        overflow();
    char buffer[400];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc())
        overflow();
    std::string text(buffer, end);

    bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.erase(0, 1);
    std::string integral = text, fraction;
    if (auto dot = text.find('.'); dot != std::string::npos) {
        integral = text.substr(0, dot);
        fraction = text.substr(dot + 1);
    }
    const bool roundUp = fraction.size() > std::size_t(decimals) && fraction[decimals] >= '5';
    fraction.resize(decimals, '0');

    const std::string digits = integral + fraction;
    constexpr qint64 limit = std::numeric_limits<qint64>::max();
    qint64 result = 0;
    for (char c : digits) {
        if (result > (limit - (c - '0')) / 10)
            overflow();
        result = result * 10 + (c - '0');
    }
    if (roundUp) {
        if (result == limit)
            overflow();
        ++result;
    }
    return negative ? -result : result;
}

double doubleFromScaled(qint64 scaled, int decimals) {
    // Both operands are exact for the magnitudes a NUMERIC(15,x) holds, so
    // one IEEE division yields the correctly rounded result.
    double divisor = 1;
    for (int i = 0; i < decimals; ++i)
        divisor *= 10;
    return double(scaled) / divisor;
}

} // namespace fb
