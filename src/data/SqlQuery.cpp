#include "data/SqlQuery.h"

#include "data/SqlConnection.h"

#include <QDate>
#include <QLocale>

SqlQuery::SqlQuery(const QString& objectName, SqlConnection* connection, QObject* parent)
    : QObject(parent), conn(connection) {
    setObjectName(objectName);
}

void SqlQuery::Open() {
    rows = conn->database().select(statement(), Params);
    active = true;
}

void SqlQuery::Close() {
    rows = fb::ResultSet();
    active = false;
}

int SqlQuery::ExecSQL() {
    return conn->database().execute(statement(), Params);
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
