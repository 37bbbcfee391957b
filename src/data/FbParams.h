#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <string>
#include <utility>
#include <vector>

namespace fb {

// A statement as the server receives it: every ":Name" outside quoted
// literals, quoted identifiers and comments replaced by "?", the rest of the
// text byte for byte as written.
struct ParsedSql {
    QString serverText;
    QStringList names; // one per "?", in order, upper-cased
};

ParsedSql parseNamedParameters(const QString& sql);

// Values bound by parameter name; names match without regard to case.
// A value is text, a date (no time of day), a floating-point number, a whole
// number or null.
class Params {
public:
    void setText(const QString& name, const QString& value) { set(name, QVariant(value)); }
    void setDate(const QString& name, const QDate& value) { set(name, QVariant(value)); }
    void setDouble(const QString& name, double value) { set(name, QVariant(value)); }
    void setInteger(const QString& name, qint64 value) { set(name, QVariant(qlonglong(value))); }
    void setNull(const QString& name) { set(name, QVariant()); }
    // A value of one of the kinds above, as a QVariant.
    void setValue(const QString& name, const QVariant& value) { set(name, value); }
    void clear() { values.clear(); }

    bool contains(const QString& name) const;
    const QVariant& value(const QString& name) const;
    const std::vector<std::pair<QString, QVariant>>& all() const { return values; }

private:
    void set(const QString& name, QVariant value);
    std::vector<std::pair<QString, QVariant>> values;
};

} // namespace fb
