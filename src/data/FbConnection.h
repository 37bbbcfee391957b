#pragma once

#include "data/FbParams.h"
#include "data/FbResult.h"

#include <QString>
#include <memory>

namespace fb {

struct ConnectionSettings {
    QString database; // "host:path" through a server, a bare path for the embedded engine
    QString user;
    QString password;
    QString role;
    QString charset = QStringLiteral("ISO8859_1");
    int dialect = 3;
};

// One attachment to a Firebird database through libfbclient.
//
// Statements run inside the explicit transaction when one is active, and in a
// short read-committed transaction of their own otherwise. Each statement
// text is prepared once per attachment and reused.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void attach(const ConnectionSettings& settings);
    // Creates the database file and leaves this connection attached to it.
    void create(const ConnectionSettings& settings, int pageSize = 8192);
    void detach() noexcept;
    // Deletes the attached database file; failures are ignored.
    void drop() noexcept;
    bool isAttached() const;
    const ConnectionSettings& settings() const;

    // The explicit transaction: read committed, waiting on locks held by
    // other transactions; without limit, or for at most lockTimeoutSeconds
    // when that is above 0 (the statement then fails with isc_lock_timeout).
    // With esperaPendentes a read meeting a row another transaction has
    // written and not yet committed (inserted, changed) waits for it to end
    // and reads what it left, where otherwise it reads the committed row.
    void startTransaction(int lockTimeoutSeconds = 0, bool esperaPendentes = false);
    // A read-only transaction that sees the database as it stood when it
    // began: reads in several statements that must agree with one another
    // (a product's quantity and its movements) go through one.
    void startSnapshot();
    void commit();
    void rollback();
    bool inTransaction() const;

    ResultSet select(const QString& sql, const Params& params = {});
    // Runs a statement that returns no rows; answers how many rows it changed.
    int execute(const QString& sql, const Params& params = {});
    // The same without asking the server how many rows changed: one round
    // trip less, for writes that need no count.
    void run(const QString& sql, const Params& params = {});
    // Prepares a statement (and keeps it for later use) without running it,
    // so a missing table or column shows up now.
    void prepare(const QString& sql);
    // Runs a statement without preparing or caching it (data definition).
    void executeImmediate(const QString& sql);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A snapshot for as long as the object lives. A connection already in a
// transaction reads in that one instead, and it is left as it was.
class Snapshot {
public:
    explicit Snapshot(Connection& connection) : connection(connection) {
        if (!connection.inTransaction()) {
            connection.startSnapshot();
            own = true;
        }
    }
    ~Snapshot() {
        if (own) {
            try {
                connection.rollback(); // it wrote nothing
            } catch (...) {
            }
        }
    }
    Snapshot(const Snapshot&) = delete;
    Snapshot& operator=(const Snapshot&) = delete;

private:
    Connection& connection;
    bool own = false;
};

// Commits only when told to; anything else rolls the transaction back.
class Transaction {
public:
    explicit Transaction(Connection& connection, int lockTimeoutSeconds = 0)
        : connection(connection) {
        connection.startTransaction(lockTimeoutSeconds);
    }
    ~Transaction() {
        if (!finished) {
            try {
                connection.rollback();
            } catch (...) {
            }
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit() {
        connection.commit();
        finished = true;
    }
    void rollback() {
        finished = true;
        connection.rollback();
    }

private:
    Connection& connection;
    bool finished = false;
};

// The last call of the program: whatever is still attached is detached and
// the embedded engine, if it ran, lets go of the database files.
void shutdownClient() noexcept;

} // namespace fb
