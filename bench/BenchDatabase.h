#pragma once

#include <QDate>

// The benchmark database that kelvara-bench_lists fills: movements run from
// the first day of 2005 to the last of 2006; the month measured is one in
// the middle.
inline const QDate FirstDay(2005, 1, 1);
inline const QDate LastDay(2006, 12, 31);
inline const QDate MonthStart(2006, 3, 1);
inline const QDate MonthEnd(2006, 3, 31);
