#include "data/SqlQuery.h"

#include "data/DbError.h"
#include "data/SqlConnection.h"

#include <QDate>
#include <QLocale>
#include <utility>

SqlQuery::SqlQuery(const QString& objectName, SqlConnection* connection, QObject* parent)
    : QObject(parent), conn(connection) {
    setObjectName(objectName);
}

namespace {

// The values of the parameters the statement has; a value bound for an
// earlier statement of the query is left behind.
fb::Params boundFor(const QStringList& names, const fb::Params& params) {
    fb::Params bound;
    for (const auto& [name, value] : params.all()) {
        if (names.contains(name))
            bound.setValue(name, value);
    }
    return bound;
}

} // namespace

const QStringList& SqlQuery::parameterNames() const {
    if (SQL != namesOf) {
        namesRead = fb::parseNamedParameters(statement()).names;
        namesOf = SQL;
    }
    return namesRead;
}

SqlQuery::Param SqlQuery::ParamByName(const QString& name) {
    if (!parameterNames().contains(name, Qt::CaseInsensitive))
        throw DbError(QStringLiteral("%1: Parameter '%2' not found").arg(objectName(), name));
    return Param(*this, name);
}

void SqlQuery::setStatement(const QStringList& lines) {
    Close();
    SQL = lines;
}

void SqlQuery::Open() {
    const QString sql = statement();
    rows = conn->database().select(sql, boundFor(parameterNames(), Params));
    active = true;
}

void SqlQuery::Close() {
    rows = fb::ResultSet();
    active = false;
}

fb::ResultSet SqlQuery::takeResult() {
    active = false;
    return std::exchange(rows, fb::ResultSet());
}

int SqlQuery::ExecSQL() {
    const QString sql = statement();
    return conn->database().execute(sql, boundFor(parameterNames(), Params));
}

void SqlQuery::Run() {
    const QString sql = statement();
    conn->database().run(sql, boundFor(parameterNames(), Params));
}

QString SqlQuery::FieldText(const QString& name) const {
    const int column = rows.columnIndex(name);
    if (rows.isEmpty())
        return {};
    const QVariant& value = rows.value(0, column);
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::Double: {
        QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
        brazil.setNumberOptions(QLocale::OmitGroupSeparator);
        return brazil.toString(value.toDouble(), 'g', 15);
    }
    default:
        return value.toString();
    }
}
