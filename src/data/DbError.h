#pragma once

#include <QString>
#include <stdexcept>

// The one error type of the database layer. Its text is Firebird's own
// message as the client library formats it, so it can be shown to the
// operator unchanged (the not-found message appends it).
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message)
        : std::runtime_error(message.toStdString()), text(message) {}

    const QString& message() const { return text; }

private:
    QString text;
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
