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

    // Another transaction changed or locked the row first; trying again once
    // it has finished can succeed (isc_update_conflict, isc_deadlock).
    bool updateConflict() const { return has(335544451L) || has(335544336L); }

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

// The text of any error, as the operator is to read it.
inline QString errorText(const std::exception& e) {
    if (auto* db = dynamic_cast<const DbError*>(&e))
        return db->message();
    return QString::fromUtf8(e.what());
}
