#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <vector>

namespace fb {

enum class ColumnType {
    Text,
    FixedText,
    Integer,
    Numeric,
    Float,
    Date,
    Time,
    Timestamp,
    Blob,
    Boolean
};

struct Column {
    QString name; // alias as the server reports it, upper case for unquoted names
    ColumnType type = ColumnType::Text;
    int scale = 0;  // decimals of a NUMERIC or DECIMAL column
    int length = 0; // characters of a text column
};

// A whole result set, fetched at once and kept column by column: texts as
// QString (CHAR untrimmed), NUMERIC and floating-point values as double,
// whole numbers, dates and times as integers. Columns are found by name
// without regard to case.
//
// value() hands a cell out as a QVariant: null (invalid), QString,
// qlonglong, double, QDate, QTime, QDateTime, bool or QByteArray.
class ResultSet {
public:
    ResultSet() = default;
    explicit ResultSet(std::vector<Column> columns);

    const std::vector<Column>& columns() const { return cols; }
    int columnCount() const { return int(cols.size()); }
    int rowCount() const { return rows; }
    bool isEmpty() const { return rows == 0; }

    int indexOf(const QString& name) const;     // -1 when there is no such column
    int columnIndex(const QString& name) const; // throws DbError when there is none

    QVariant value(int row, int column) const;
    QVariant value(int row, const QString& name) const { return value(row, columnIndex(name)); }
    bool isNull(int row, int column) const { return store[column].null[row] != 0; }
    // Direct reads for the column's own kind of storage.
    const QString& text(int row, int column) const { return store[column].text[row]; }
    double number(int row, int column) const { return store[column].real[row]; }
    // A date as QDate::toJulianDay gives it, without making the date.
    qint64 julianDay(int row, int column) const;

    // Filling, one value per column per row, in column order.
    void addNull(int column);
    void addText(int column, QString value);
    void addNumber(int column, double value);
    void addWhole(int column, qint64 value); // integers, days, milliseconds, booleans
    void addDate(int column, const QDate& value);
    void addOther(int column, QVariant value);
    void endRow() { ++rows; }
    // Takes one row out; the rows after it move up.
    void removeRow(int row);
    // Whether the column keeps its values as texts (text()).
    bool isText(int column) const { return store[column].kind == Storage::Text; }
    void reserve(int rowCount);

private:
    enum class Storage { Text, Real, Whole, Other };
    struct Store {
        Storage kind;
        std::vector<QString> text;
        std::vector<double> real;
        std::vector<qint64> whole;
        std::vector<QVariant> other;
        std::vector<char> null;
    };

    std::vector<Column> cols;
    std::vector<Store> store;
    int rows = 0;
};

} // namespace fb
