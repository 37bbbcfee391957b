#pragma once

#include <QString>
#include <stdexcept>

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

// The value rounded once, half away from zero on its exact decimal expansion,
// at the decimals-th decimal or at the precision-th significant digit,
// whichever keeps fewer digits; written with exactly `decimals` decimals after
// a comma and the integer part grouped by full stops ("1.234,50"). An integer
// part longer than `precision` digits is written in scientific notation
// ("1,2345E+15").
QString formatNumber(double value, int precision, int decimals);

// formatNumber of the absolute value after "R$ ", with a leading minus for
// a negative amount that does not round to zero ("-R$ 12,00").
QString formatCurrency(double value, int precision, int decimals);
