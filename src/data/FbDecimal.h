#pragma once

#include <QtGlobal>

namespace fb {

// Converts a double to an integer scaled by 10^decimals, rounded as the
// screens round it (roundDecimal), so what is stored is what was shown:
// 1.005 becomes 101 at two decimals, never 100 through binary noise.
// Throws DbError on overflow.
qint64 scaledFromDouble(double value, int decimals);

// The nearest double to scaled / 10^decimals.
double doubleFromScaled(qint64 scaled, int decimals);

} // namespace fb
