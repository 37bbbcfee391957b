#include "data/FbResult.h"

#include "data/DbError.h"

#include <QDateTime>

namespace fb {

namespace {

const QDate firebirdEpoch(1858, 11, 17);

} // namespace

ResultSet::ResultSet(std::vector<Column> columns) : cols(std::move(columns)) {
    store.resize(cols.size());
    for (std::size_t i = 0; i < cols.size(); ++i) {
        switch (cols[i].type) {
        case ColumnType::Text:
        case ColumnType::FixedText:
            store[i].kind = Storage::Text;
            break;
        case ColumnType::Numeric:
        case ColumnType::Float:
            store[i].kind = Storage::Real;
            break;
        case ColumnType::Integer:
        case ColumnType::Date:
        case ColumnType::Time:
        case ColumnType::Timestamp:
        case ColumnType::Boolean:
            store[i].kind = Storage::Whole;
            break;
        case ColumnType::Blob:
            store[i].kind = Storage::Other;
            break;
        }
    }
}

int ResultSet::indexOf(const QString& name) const {
    for (std::size_t i = 0; i < cols.size(); ++i)
        if (cols[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int ResultSet::columnIndex(const QString& name) const {
    const int index = indexOf(name);
    if (index < 0)
        throw DbError(QStringLiteral("Field '%1' not found").arg(name));
    return index;
}

QVariant ResultSet::value(int row, int column) const {
    const Store& s = store[column];
    if (s.null[row])
        return {};
    switch (s.kind) {
    case Storage::Text:
        return s.text[row];
    case Storage::Real:
        return s.real[row];
    case Storage::Other:
        return s.other[row];
    case Storage::Whole:
        break;
    }
    const qint64 whole = s.whole[row];
    switch (cols[column].type) {
    case ColumnType::Date:
        return firebirdEpoch.addDays(whole);
    case ColumnType::Time:
        return QTime::fromMSecsSinceStartOfDay(int(whole));
    case ColumnType::Timestamp:
        return QDateTime(firebirdEpoch, QTime(0, 0)).addMSecs(whole);
    case ColumnType::Boolean:
        return whole != 0;
    default:
        return qlonglong(whole);
    }
}

qint64 ResultSet::julianDay(int row, int column) const {
    return firebirdEpoch.toJulianDay() + store[column].whole[row];
}

void ResultSet::addNull(int column) {
    Store& s = store[column];
    s.null.push_back(1);
    switch (s.kind) {
    case Storage::Text:
        s.text.emplace_back();
        break;
    case Storage::Real:
        s.real.push_back(0);
        break;
    case Storage::Whole:
        s.whole.push_back(0);
        break;
    case Storage::Other:
        s.other.emplace_back();
        break;
    }
}

void ResultSet::addText(int column, QString value) {
    store[column].null.push_back(0);
    store[column].text.push_back(std::move(value));
}

void ResultSet::addNumber(int column, double value) {
    store[column].null.push_back(0);
    store[column].real.push_back(value);
}

void ResultSet::addWhole(int column, qint64 value) {
    store[column].null.push_back(0);
    store[column].whole.push_back(value);
}

void ResultSet::addDate(int column, const QDate& value) {
    if (value.isValid())
        addWhole(column, firebirdEpoch.daysTo(value));
    else
        addNull(column);
}

void ResultSet::addOther(int column, QVariant value) {
    store[column].null.push_back(0);
    store[column].other.push_back(std::move(value));
}

void ResultSet::reserve(int rowCount) {
    for (Store& s : store) {
        s.null.reserve(rowCount);
        switch (s.kind) {
        case Storage::Text:
            s.text.reserve(rowCount);
            break;
        case Storage::Real:
            s.real.reserve(rowCount);
            break;
        case Storage::Whole:
            s.whole.reserve(rowCount);
            break;
        case Storage::Other:
            s.other.reserve(rowCount);
            break;
        }
    }
}

} // namespace fb

namespace fb {

void ResultSet::removeRow(int row) {
    if (row < 0 || row >= rows)
        return;
    for (Store& s : store) {
        auto erase = [row](auto& values) {
            if (row < int(values.size()))
                values.erase(values.begin() + row);
        };
        erase(s.text);
        erase(s.real);
        erase(s.whole);
        erase(s.other);
        erase(s.null);
    }
    --rows;
}

} // namespace fb
