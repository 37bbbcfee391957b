#pragma once

#include <QString>
#include <stdexcept>

// The one error type of the database layer. Its text is Firebird's own
// message as the client library formats it, so it can be shown to the
// operator unchanged (the not-found message appends it).
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, bool updateConflict = false)
        : std::runtime_error(message.toStdString()), text(message), conflict(updateConflict) {}

    const QString& message() const { return text; }
    // Another transaction changed or locked the row first; trying again once
    // it has finished can succeed.
    bool updateConflict() const { return conflict; }

private:
    QString text;
    bool conflict;
};

// The text of any error, as the operator is to read it.
inline QString errorText(const std::exception& e) {
    if (auto* db = dynamic_cast<const DbError*>(&e))
        return db->message();
    return QString::fromUtf8(e.what());
}
