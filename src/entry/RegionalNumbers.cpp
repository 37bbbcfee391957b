#include "entry/RegionalNumbers.h"

#include "entry/Funcoes.h"

#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

ConversionError::ConversionError(const QString& offending)
    : std::runtime_error(
          QStringLiteral("'%1' is not a valid floating point value").arg(offending).toStdString()) {
}

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

// Every finite double is an exact decimal fraction of at most 1074 decimals,
// so this many decimals write it without any rounding.
constexpr int exactDecimals = 1100;

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

QString formatNumber(double value, int precision, int decimals) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    // A double carries no more than 17 significant digits.
    precision = std::clamp(precision, 1, 18);
    decimals = std::clamp(decimals, 0, 18);

    char buffer[400 + exactDecimals];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::fixed, exactDecimals);
    const std::string exact(buffer, ec == std::errc() ? end : buffer);
    const std::size_t point = exact.find('.');
    std::string integral = exact.substr(0, point);
    if (integral == "0")
        integral.clear();
    std::string digits = integral + exact.substr(point + 1);
    const int pointAt = int(integral.size());

    // Decimals kept: the fewer of `decimals` and those up to the
    // precision-th significant digit (negative when that digit lies left of
    // the point).
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    int kept = decimals;
    if (firstSignificant != std::string::npos)
        kept = std::min(kept, int(firstSignificant) + precision - pointAt);

    const int keptDigits = pointAt + kept; // never below 0: see above
    const bool roundUp = digits[keptDigits] >= '5';
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

    std::string fraction;
    if (kept >= 0) {
        fraction = digits.substr(digits.size() - kept);
        digits.resize(digits.size() - kept);
    } else {
        digits.append(-kept, '0');
    }
    fraction.resize(decimals, '0');
    const std::size_t leading = digits.find_first_not_of('0');
    integral = leading == std::string::npos ? "0" : digits.substr(leading);

    const bool zero = integral == "0" && fraction.find_first_not_of('0') == std::string::npos;
    const QString sign = value < 0 && !zero ? QStringLiteral("-") : QString();
    if (int(integral.size()) > precision)
        return sign + scientific(integral);
    QString result = sign + grouped(integral);
    if (decimals > 0)
        result += u',' + QString::fromStdString(fraction);
    return result;
}

QString formatCurrency(double value, int precision, int decimals) {
    const QString amount = formatNumber(std::fabs(value), precision, decimals);
    const bool zero =
        std::none_of(amount.begin(), amount.end(), [](QChar c) { return c >= u'1' && c <= u'9'; });
    return (value < 0 && !zero ? QStringLiteral("-R$ ") : QStringLiteral("R$ ")) + amount;
}
