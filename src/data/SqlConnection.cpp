#include "data/SqlConnection.h"

SqlConnection::SqlConnection(const QString& objectName, QObject* parent) : QObject(parent) {
    setObjectName(objectName);
}

QString SqlConnection::param(const QString& key) const {
    const QString prefix = key + u'=';
    for (const QString& entry : Params)
        if (entry.startsWith(prefix, Qt::CaseInsensitive))
            return entry.mid(prefix.size());
    return {};
}

void SqlConnection::Open() {
    fb::ConnectionSettings settings;
    settings.database = param(QStringLiteral("Database"));
    settings.user = param(QStringLiteral("User_Name"));
    settings.password = param(QStringLiteral("Password"));
    settings.role = param(QStringLiteral("RoleName"));
    settings.charset = param(QStringLiteral("ServerCharSet"));
    settings.dialect = param(QStringLiteral("SQLDialect")).toInt();
    db.attach(settings);
}

void SqlConnection::Close() noexcept {
    db.detach();
}
