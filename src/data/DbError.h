#pragma once

#include <QString>
#include <algorithm>
#include <stdexcept>
#include <vector>

// The one error type of the database layer. Its text is Firebird's own
// message as the client library formats it, so it can be shown to the
// operator unchanged (the not-found message appends it).
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, std::vector<long> codes = {})
        : std::runtime_error(message.toStdString()), text(message), gdsCodes(std::move(codes)) {}

    const QString& message() const { return text; }
    const std::vector<long>& codes() const { return gdsCodes; }

    // Another transaction changed or locked the row first; trying again once
    // it has finished can succeed (isc_update_conflict, isc_deadlock).
    bool updateConflict() const { return has(335544451L) || has(335544336L); }

    // Another attachment held what the statement needed, a row or a table
    // whose definition changes, past the transaction's wait
    // (isc_lock_timeout, isc_lock_conflict, isc_obj_in_use), or changed it
    // first.
    bool busy() const {
        return has(335544510L) || has(335544345L) || has(335544453L) || updateConflict();
    }

    // The attachment is gone: the server stopped, the network failed or the
    // server ended it (isc_network_error, isc_net_read_err,
    // isc_net_write_err, isc_lost_db_connection, isc_conn_lost,
    // isc_att_shutdown, isc_shutdown). The server rolls back whatever
    // transaction was open on it.
    bool connectionLost() const {
        for (long code :
             {335544721L, 335544726L, 335544727L, 335544741L, 335544648L, 335544856L, 335544528L})
            if (has(code))
                return true;
        return false;
    }

    // Whether Firebird named this error code (isc_...) anywhere in it.
    bool has(long code) const {
        return std::find(gdsCodes.begin(), gdsCodes.end(), code) != gdsCodes.end();
    }

private:
    QString text;
    std::vector<long> gdsCodes;
};

// A text holds a character the database's character set (ISO 8859-1) has no
// place for. Nothing is sent with a substitute in its place: the statement
// is refused before it runs, and the message names the character.
class UnstorableText : public DbError {
public:
    using DbError::DbError;
};

// The attachment was lost (connectionLost() above). The connection attaches
// again with the same settings on its next use; nothing is repeated.
class ConnectionLost : public DbError {
public:
    using DbError::DbError;
    explicit ConnectionLost(DbError error, bool inDoubt = false)
        : DbError(std::move(error)), commitInDoubt(inDoubt) {}

    // The loss came after a commit was sent: it may have been kept, so the
    // work must not be taken for lost.
    bool commitInDoubt = false;
};

// The text of any error, as the operator is to read it.
inline QString errorText(const std::exception& e) {
    if (auto* db = dynamic_cast<const DbError*>(&e))
        return db->message();
    return QString::fromUtf8(e.what());
}
