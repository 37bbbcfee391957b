#include "entry/RegionalNumbers.h"

#include "entry/Funcoes.h"

#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

ConversionError::ConversionError(const QString& offending)
    : std::runtime_error(
          QStringLiteral("'%1' não é um número válido").arg(offending).toStdString()) {}

double toNumber(const QString& text) {
    static const QRegularExpression shape(
        QStringLiteral("^[+-]?(?:[0-9]+(?:,[0-9]*)?|,[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    QString number = text.trimmed();
    if (!shape.match(number).hasMatch())
        throw ConversionError(text);
    if (number.startsWith(u'+'))
        number.remove(0, 1);
    number.replace(u',', u'.');

    // from_chars ignores the process locale, which Qt sets from the machine.
    const std::string ascii = number.toStdString();
    double value = 0;
    auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value))
        throw ConversionError(text);
    return value;
}

double fieldValue(const QString& fieldText) {
    return toNumber(LimpaNumero(fieldText));
}

namespace {

QString grouped(const std::string& integral) {
    QString result;
    const int n = int(integral.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            result += u'.';
        result += QChar(integral[i]);
    }
    return result;
}

QString scientific(const std::string& integral) {
    std::string mantissa = integral.substr(1);
    while (!mantissa.empty() && mantissa.back() == '0')
        mantissa.pop_back();
    QString result{QChar(integral[0])};
    if (!mantissa.empty())
        result += u',' + QString::fromStdString(mantissa);
    return result + QStringLiteral("E+%1").arg(integral.size() - 1);
}

} // namespace

RoundedDecimal roundDecimal(double value, int decimals, int precision) {
    constexpr int carried = 15;
    precision = std::clamp(precision, 1, carried);
    decimals = std::max(decimals, 0);

    // "d.dddddddddddddde+xx": the value's 15 significant digits.
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::scientific, carried - 1);
    const std::string text(buffer, ec == std::errc() ? end : buffer);
    const std::size_t e = text.find('e');
    std::string digits;
    int pointAt = 1; // how many of the digits lie left of the decimal point
    if (value != 0 && e != std::string::npos) {
        digits = text.substr(0, 1) + text.substr(2, e - 2);
        pointAt = std::stoi(text.substr(e + 1)) + 1;
    } else {
        digits = "0";
    }
    if (pointAt < 0) {
        digits.insert(0, std::size_t(-pointAt), '0');
        pointAt = 0;
    }

    // Decimals kept: the fewer of `decimals` and those up to the
    // precision-th significant digit (negative when that digit lies left of
    // the point).
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    int kept = decimals;
    if (firstSignificant != std::string::npos)
        kept = std::min(kept, int(firstSignificant) + precision - pointAt);
    const int keptDigits = pointAt + kept; // never below 0: see above
    if (int(digits.size()) < keptDigits)
        digits.append(std::size_t(keptDigits) - digits.size(), '0');
    const bool roundUp = keptDigits < int(digits.size()) && digits[keptDigits] >= '5';
    digits.resize(keptDigits);
    if (roundUp) {
        int i = keptDigits - 1;
        for (; i >= 0 && digits[i] == '9'; --i)
            digits[i] = '0';
        if (i >= 0)
            ++digits[i];
        else
            digits.insert(digits.begin(), '1');
    }

    RoundedDecimal result;
    if (kept >= 0) {
        result.fraction = digits.substr(digits.size() - kept);
        digits.resize(digits.size() - kept);
    } else {
        digits.append(std::size_t(-kept), '0');
    }
    result.fraction.resize(decimals, '0');
    const std::size_t leading = digits.find_first_not_of('0');
    result.integral = leading == std::string::npos ? "0" : digits.substr(leading);
    const bool zero =
        result.integral == "0" && result.fraction.find_first_not_of('0') == std::string::npos;
    result.negative = value < 0 && !zero;
    return result;
}

QString formatNumber(double value, int precision, int decimals) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const RoundedDecimal rounded = roundDecimal(value, std::clamp(decimals, 0, 18), precision);
    const QString sign = rounded.negative ? QStringLiteral("-") : QString();
    if (int(rounded.integral.size()) > std::clamp(precision, 1, 15))
        return sign + scientific(rounded.integral);
    QString result = sign + grouped(rounded.integral);
    if (!rounded.fraction.empty())
        result += u',' + QString::fromStdString(rounded.fraction);
    return result;
}

QString formatCurrency(double value, int precision, int decimals) {
    const QString amount = formatNumber(std::fabs(value), precision, decimals);
    const bool zero =
        std::none_of(amount.begin(), amount.end(), [](QChar c) { return c >= u'1' && c <= u'9'; });
    return (value < 0 && !zero ? QStringLiteral("-R$ ") : QStringLiteral("R$ ")) + amount;
}
