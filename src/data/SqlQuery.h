#pragma once

#include "data/FbParams.h"
#include "data/FbResult.h"

#include <QObject>
#include <QStringList>

class SqlConnection;

// A query object of a data module: statement lines, parameters bound by
// name, and the whole result of its last opening. Its statement is sent as
// its lines joined by line breaks, exactly as written.
class SqlQuery : public QObject {
    Q_OBJECT
public:
    SqlQuery(const QString& objectName, SqlConnection* connection, QObject* parent);

    QStringList SQL;
    fb::Params Params;

    void Open();
    void Close();
    // Runs a statement that returns no rows; answers how many rows it changed.
    int ExecSQL();
    bool Active() const { return active; }
    bool IsEmpty() const { return rows.isEmpty(); }

    QString statement() const { return SQL.join(u'\n'); }
    SqlConnection* connection() const { return conn; }
    const fb::ResultSet& result() const { return rows; }

    // A column of the first row; an empty result or a null reads as empty text.
    QString FieldText(const QString& name) const;

private:
    SqlConnection* conn;
    fb::ResultSet rows;
    bool active = false;
};
