#pragma once

#include "data/FbConnection.h"

#include <QObject>
#include <QString>
#include <QStringList>

// The connection component of a data module: a name, the settings of the
// database access layer and a parameter list of "Key=Value" strings, opened
// through the Firebird client. Until its parameters are set it reaches no
// database.
class SqlConnection : public QObject {
    Q_OBJECT
public:
    explicit SqlConnection(const QString& objectName, QObject* parent = nullptr);

    QString ConnectionName;
    QString DriverName;
    QString LibraryName;
    QString VendorLib;
    QString GetDriverFunc;
    bool LoginPrompt = true;
    QStringList Params;

    void Open();
    void Close() noexcept;
    bool Connected() const { return db.isAttached(); }

    // The value of one "Key=Value" entry of Params, empty when absent.
    QString param(const QString& key) const;

    fb::Connection& database() { return db; }

private:
    fb::Connection db;
};
