#pragma once

#include <QtGlobal>

namespace fb {

// Converts a double to an integer scaled by 10^decimals, rounding the
// shortest decimal text of the double half away from zero. The shortest
// text is what the operator typed or saw, so 1.005 becomes 101 at two
// decimals, never 100 through binary noise. Throws DbError on overflow.
qint64 scaledFromDouble(double value, int decimals);

// The nearest double to scaled / 10^decimals.
double doubleFromScaled(qint64 scaled, int decimals);

} // namespace fb
