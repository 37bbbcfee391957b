#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace importacao {

// A file that cannot be read as a spreadsheet at all; what() is the reason
// as the operator reads it, in UTF-8.
class Ilegivel : public std::runtime_error {
public:
    explicit Ilegivel(const QString& motivo) : std::runtime_error(motivo.toStdString()) {}
};

// The rows of a spreadsheet file, read one at a time, so that a file of a
// million lines never sits whole in memory.
//
// Every cell comes as a text, the way a Brazilian spreadsheet shows it with
// no thousands separator: a number "1234,5" (a whole number "7891234567890",
// never in scientific notation), a percentage as the sheet shows it ("15%"
// for 0,15 in a percent format), a date "25/12/2026" ("25/12/2026 08:30:00"
// when it has a time), a text as it is.
class Leitor {
public:
    virtual ~Leitor() = default;
    // Reads the next row into celulas, from the first column to the last
    // that holds something, empty cells as empty texts; a row with nothing
    // comes as an empty list. False at the end of the file.
    virtual bool proxima(QStringList& celulas) = 0;
    // The spreadsheet's number of the row read last, from 1.
    virtual qint64 linha() const = 0;
    // How much of the file has been read, from 0 to 1.
    virtual double lido() const = 0;
    // How the file was read, as the screen tells it ("Lido como UTF-8,
    // colunas separadas por ";"").
    virtual QString leitura() const = 0;
};

} // namespace importacao
