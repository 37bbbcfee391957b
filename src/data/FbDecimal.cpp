#include "data/FbDecimal.h"

#include "data/DbError.h"
#include "entry/RegionalNumbers.h"

#include <cmath>
#include <limits>

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
    const RoundedDecimal rounded = roundDecimal(value, decimals);
    constexpr qint64 limit = std::numeric_limits<qint64>::max();
    qint64 result = 0;
    for (char c : rounded.integral + rounded.fraction) {
        if (result > (limit - (c - '0')) / 10)
            overflow();
        result = result * 10 + (c - '0');
    }
    return rounded.negative ? -result : result;
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
