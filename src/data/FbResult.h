#pragma once

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

// A whole result set, fetched at once. Values are null (invalid QVariant),
// QString (CHAR untrimmed), qlonglong, double, QDate, QTime, QDateTime or
// bool. Columns are found by name without regard to case.
class ResultSet {
public:
    ResultSet() = default;
    explicit ResultSet(std::vector<Column> columns) : cols(std::move(columns)) {}

    const std::vector<Column>& columns() const { return cols; }
    int columnCount() const { return int(cols.size()); }
    int rowCount() const { return cols.empty() ? 0 : int(cells.size() / cols.size()); }
    bool isEmpty() const { return cells.empty(); }

    int indexOf(const QString& name) const;     // -1 when there is no such column
    int columnIndex(const QString& name) const; // throws DbError when there is none

    const QVariant& value(int row, int column) const { return cells[row * cols.size() + column]; }
    const QVariant& value(int row, const QString& name) const {
        return value(row, columnIndex(name));
    }

    void appendRow(std::vector<QVariant>& row);

private:
    std::vector<Column> cols;
    std::vector<QVariant> cells; // row-major
};

} // namespace fb
