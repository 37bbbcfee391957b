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

    // One parameter of the current statement, to bind by name.
    class Param {
    public:
        void setAsString(const QString& value) { query.Params.setText(name, value); }
        void setAsDate(const QDate& value) { query.Params.setDate(name, value); }
        void setAsFloat(double value) { query.Params.setDouble(name, value); }
        void clear() { query.Params.setNull(name); }

    private:
        friend class SqlQuery;
        Param(SqlQuery& query, const QString& name) : query(query), name(name) {}
        SqlQuery& query;
        QString name;
    };
    // Fails when the current statement has no parameter of that name
    // (names match without regard to case).
    Param ParamByName(const QString& name);

    // Closes the query and replaces its statement with these lines.
    void setStatement(const QStringList& lines);
    void Open();
    void Close();
    // Runs a statement that returns no rows; answers how many rows it changed.
    int ExecSQL();
    // The same when the count does not matter: one round trip less.
    void Run();
    bool Active() const { return active; }
    bool IsEmpty() const { return rows.isEmpty(); }

    QString statement() const { return SQL.join(u'\n'); }
    SqlConnection* connection() const { return conn; }
    const fb::ResultSet& result() const { return rows; }
    // Hands the rows over and leaves the query closed.
    fb::ResultSet takeResult();

    // A column of the first row; an empty result or a null reads as empty text.
    QString FieldText(const QString& name) const;

private:
    // The parameter names of the statement; a statement sent again and again
    // (each movement's) is read once.
    const QStringList& parameterNames() const;

    SqlConnection* conn;
    fb::ResultSet rows;
    bool active = false;
    mutable QStringList namesRead;
    mutable QStringList namesOf;
};
