#pragma once

#include <QString>
#include <stdexcept>
#include <string>

// A text that does not read as a number. The text is what the standard
// error dialog shows the operator.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& offending);
};

// Reads a number written the Brazilian way: optional blanks around it, an
// optional sign, digits with at most one decimal comma and an optional
// exponent. Thousands full stops, "R$" and "%" are refused, so display texts
// go through LimpaNumero first. Throws ConversionError.
double toNumber(const QString& text);

// LimpaNumero, then toNumber: how a field's text, display or edit form, is
// read as a value.
double fieldValue(const QString& fieldText);

// A value as the operator reads it and as it is stored: its decimal text at
// 15 significant digits (all a double carries, so 1,05 x 1,90 reads 1,995,
// not 1,99499...), rounded once, half away from zero, at the decimals-th
// decimal or at the precision-th significant digit, whichever keeps fewer
// digits. Every format and every stored amount rounds through here.
struct RoundedDecimal {
    bool negative = false; // never for a value that rounds to zero
    std::string integral;  // without leading zeros; "0" below one
    std::string fraction;  // exactly `decimals` digits
};
RoundedDecimal roundDecimal(double value, int decimals, int precision = 15);

// The value rounded by roundDecimal, written with exactly `decimals`
// decimals after a comma and the integer part grouped by full stops
// ("1.234,50"). An integer part longer than `precision` digits is written in
// scientific notation ("1,2345E+15").
QString formatNumber(double value, int precision, int decimals);

// formatNumber of the absolute value after "R$ ", with a leading minus for
// a negative amount that does not round to zero ("-R$ 12,00").
QString formatCurrency(double value, int precision, int decimals);
