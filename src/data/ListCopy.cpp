#include "data/ListCopy.h"

#include "data/DbError.h"
#include "data/SqlConnection.h"
#include "data/SqlQuery.h"
#include "entry/RegionalNumbers.h"

#include <QDate>
#include <QLocale>

namespace {

const QLocale& brazil() {
    static const QLocale locale(QLocale::Portuguese, QLocale::Brazil);
    return locale;
}

const QLocale& brazilWithoutGroups() {
    static const QLocale locale = [] {
        QLocale l(QLocale::Portuguese, QLocale::Brazil);
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return l;
    }();
    return locale;
}

QString plainNumber(double v, int decimals) {
    return brazilWithoutGroups().toString(v, 'f', decimals);
}

// dd/MM/yyyy without parsing a format for every row of a list.
QString shortDate(const QDate& date) {
    if (!date.isValid())
        return {};
    const int year = date.year();
    if (year < 1 || year > 9999)
        return date.toString(QStringLiteral("dd/MM/yyyy"));
    const char16_t text[] = {char16_t(u'0' + date.day() / 10),
                             char16_t(u'0' + date.day() % 10),
                             u'/',
                             char16_t(u'0' + date.month() / 10),
                             char16_t(u'0' + date.month() % 10),
                             u'/',
                             char16_t(u'0' + year / 1000),
                             char16_t(u'0' + year / 100 % 10),
                             char16_t(u'0' + year / 10 % 10),
                             char16_t(u'0' + year % 10)};
    return QString(reinterpret_cast<const QChar*>(text), 10);
}

QString format(const QVariant& value, FieldFormat rule) {
    if (!value.isValid())
        return {};
    switch (rule) {
    case FieldFormat::Quantity:
        return plainNumber(value.toDouble(), 3);
    case FieldFormat::Percent:
        return plainNumber(value.toDouble(), 2) + u'%';
    case FieldFormat::Money: {
        const double v = value.toDouble();
        const QString digits = brazil().toString(std::abs(v), 'f', 2);
        return (v < 0 && digits != QStringLiteral("0,00") ? QStringLiteral("-R$ ")
                                                          : QStringLiteral("R$ ")) +
               digits;
    }
    case FieldFormat::Date:
        return shortDate(value.toDate());
    case FieldFormat::Plain:
        break;
    }
    switch (value.typeId()) {
    case QMetaType::QDate:
        return shortDate(value.toDate());
    case QMetaType::Double:
        return brazilWithoutGroups().toString(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

} // namespace

ListCopy::ListCopy(const QString& objectName, SqlQuery* source, std::vector<FieldDef> fields,
                   QObject* parent)
    : QAbstractTableModel(parent), sourceQuery(source), defs(std::move(fields)) {
    setObjectName(objectName);
}

void ListCopy::load(fb::ResultSet loaded) {
    std::vector<int> columns;
    columns.reserve(defs.size());
    for (const FieldDef& def : defs)
        columns.push_back(loaded.columnIndex(def.name));

    beginResetModel();
    rows = std::move(loaded);
    sourceColumn = std::move(columns);
    active = true;
    pending = false;
    endResetModel();
}

void ListCopy::Open() {
    sourceQuery->Open();
    Open(sourceQuery->takeResult());
}

void ListCopy::Open(fb::ResultSet made) {
    const int previous = current;
    load(std::move(made));
    const int count = rows.rowCount();
    current = count == 0 ? -1 : std::clamp(previous < 0 ? 0 : previous, 0, count - 1);
    emit currentRowChanged(current);
}

void ListCopy::OpenDeferred() {
    sourceQuery->connection()->database().prepare(sourceQuery->statement());
    active = true;
    pending = true;
}

void ListCopy::ensureLoaded() const {
    if (pending)
        const_cast<ListCopy*>(this)->Open();
}

void ListCopy::Close() {
    beginResetModel();
    rows = fb::ResultSet();
    sourceColumn.clear();
    active = false;
    pending = false;
    current = -1;
    endResetModel();
}

void ListCopy::Refresh() {
    Open();
}

void ListCopy::Reload(const QStringList& lines, const fb::Params& params) {
    sourceQuery->Close();
    sourceQuery->SQL = lines;
    sourceQuery->Params = params;
    Open();
}

int ListCopy::RecordCount() const {
    ensureLoaded();
    return rows.rowCount();
}

int ListCopy::RecNo() const {
    ensureLoaded();
    return current;
}

void ListCopy::setRecNo(int row) {
    ensureLoaded();
    if (row < 0 || row >= rows.rowCount() || row == current)
        return;
    current = row;
    emit currentRowChanged(current);
}

bool ListCopy::LocatePrefix(const QString& field, const QString& prefix) {
    ensureLoaded();
    const int index = fieldIndex(field);
    if (index < 0)
        throw DbError(QStringLiteral("%1: Field '%2' not found").arg(objectName(), field));
    const int column = sourceColumn[index];
    for (int row = 0; row < rows.rowCount(); ++row) {
        if (!rows.isNull(row, column) &&
            rows.value(row, column).toString().startsWith(prefix, Qt::CaseSensitive)) {
            setRecNo(row);
            return true;
        }
    }
    return false;
}

int ListCopy::fieldIndex(const QString& name) const {
    for (std::size_t i = 0; i < defs.size(); ++i)
        if (defs[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QVariant ListCopy::value(int row, const QString& name) const {
    ensureLoaded();
    const int field = fieldIndex(name);
    if (field < 0)
        throw DbError(QStringLiteral("%1: Field '%2' not found").arg(objectName(), name));
    return rows.value(row, sourceColumn[field]);
}

QVariant ListCopy::FieldValue(const QString& name) const {
    ensureLoaded();
    if (current < 0) {
        if (fieldIndex(name) < 0)
            throw DbError(QStringLiteral("%1: Field '%2' not found").arg(objectName(), name));
        return {};
    }
    return value(current, name);
}

QString ListCopy::FieldText(const QString& name) const {
    const QVariant v = FieldValue(name);
    return v.isValid() ? format(v, FieldFormat::Plain) : QString();
}

QString ListCopy::displayText(int row, int field) const {
    ensureLoaded();
    return format(rows.value(row, sourceColumn[field]), defs[field].format);
}

const QString* ListCopy::textAt(int row, int field) const {
    const int column = sourceColumn[field];
    if (!rows.isText(column) || rows.isNull(row, column))
        return nullptr;
    return &rows.text(row, column);
}

void ListCopy::RemoveRow(int row) {
    ensureLoaded();
    if (row < 0 || row >= rows.rowCount())
        return;
    beginRemoveRows({}, row, row);
    rows.removeRow(row);
    endRemoveRows();
    const int count = rows.rowCount();
    if (current > row)
        --current;
    current = count == 0 ? -1 : std::clamp(current, 0, count - 1);
    emit currentRowChanged(current);
}

// The model's view of the list never fetches: a deferred list shows no rows
// until a screen or report loads it, so no fetch runs inside a paint.
int ListCopy::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || pending ? 0 : rows.rowCount();
}

int ListCopy::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(defs.size());
}

QVariant ListCopy::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || pending)
        return {};
    const FieldDef& def = defs[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return displayText(index.row(), index.column());
    case ValueRole:
        return rows.value(index.row(), sourceColumn[index.column()]);
    case Qt::TextAlignmentRole: {
        const bool right = def.rightAligned || def.format == FieldFormat::Quantity ||
                           def.format == FieldFormat::Percent || def.format == FieldFormat::Money;
        return int((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

QVariant ListCopy::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= int(defs.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    return defs[section].title.isEmpty() ? defs[section].name : defs[section].title;
}
