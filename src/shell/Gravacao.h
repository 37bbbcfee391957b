#pragma once

#include "shell/Messages.h"

#include <QString>
#include <functional>
#include <stdexcept>

class ListCopy;
class QLineEdit;
class SqlConnection;

// One place that writes to a database, and what it does when that fails.
struct WriteSite {
    SqlConnection* connection;
    ListCopy* list = nullptr; // refreshed after the commit, when the site has one
    Messages::Kind failureKind = Messages::Kind::Warning;
    QString failureMessage; // empty: the error's own text
    // Most sites warn first and roll back once the operator has read it.
    bool rollbackBeforeMessage = false;
    // Reads wait for what other workstations have written and not committed
    // (see fb::Connection::startTransaction).
    bool esperaPendentes = false;
};

// A check made inside the transaction refused the write: the operator reads
// this message in place of the site's.
class Recusa : public std::runtime_error {
public:
    Recusa(Messages::Kind kind, const QString& text)
        : std::runtime_error(text.toStdString()), kind(kind), text(text) {}

    Messages::Kind kind;
    QString text;
};

// Every insert, update and delete: a read-committed transaction on the
// site's connection, the statements, commit, refresh of the site's list and
// the site's follow-up. When any of it fails the site's message is shown and
// the transaction rolled back (in the site's order); nothing is retried and
// the screen keeps the operator's input. A text the database cannot hold
// rolls back and leaves as UnstorableText, and a lost connection as
// ConnectionLost (in doubt once the commit was sent), both for the standard
// error dialog.
// Answers whether it all went through.
bool Grava(const WriteSite& site, const std::function<void()>& statements,
           const std::function<void()>& followUp = {});

// Before a save: the screen's numeric fields must say the numbers they show
// and fit the columns that keep them. A text that does not read as a number,
// a text in scientific notation ("R$ 1E+14", which LimpaNumero would turn
// into 114), an amount too large for its column, a negative amount or
// quantity (a percentage may be negative), or a field acimaDeZero (a
// movement's quantity) at zero or below stops the save with a warning naming
// the field, which takes the focus; nothing is cleaned then. Otherwise every
// field is cleaned with LimpaNumero, a whole number rounded to the whole
// number it stores, and the save goes on.
bool LimpaNumerosParaGravar(std::initializer_list<QLineEdit*> campos,
                            QLineEdit* acimaDeZero = nullptr);

// At most the first few dozen characters of a text the operator typed, for
// a message that quotes it.
QString Trecho(const QString& texto);
