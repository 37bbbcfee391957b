#pragma once

#include "data/FbParams.h"
#include "data/FbResult.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

class SqlQuery;

// How a field of a list shows its value, wherever the list is shown.
enum class FieldFormat {
    Plain,
    Quantity, // "#0.000": 2,500
    Percent,  // "#0.00%": 30,00%
    Money,    // R$ 1.234,50
    Date,     // dd/MM/yyyy
};

struct FieldDef {
    QString name; // column of the source query
    QString title = {};
    FieldFormat format = FieldFormat::Plain;
    bool rightAligned = false;
};

// The in-memory copy of every row of one source query, shared by every grid
// and report that shows it: one model, so the order and the current row are
// the same wherever the list appears. Its fields, their order and their
// display rules are fixed by its definition.
class ListCopy : public QAbstractTableModel {
    Q_OBJECT
public:
    // The raw value of a cell, for code that computes with it.
    static constexpr int ValueRole = Qt::UserRole + 1;

    ListCopy(const QString& objectName, SqlQuery* source, std::vector<FieldDef> fields,
             QObject* parent);

    SqlQuery* source() const { return sourceQuery; }
    const std::vector<FieldDef>& fields() const { return defs; }

    // Runs the source query with its statement and loads every row.
    void Open();
    // Shows rows the program made instead of a query's: a list of what was
    // computed, whose source may be null, as nothing runs it again.
    void Open(fb::ResultSet made);
    // Checks the statement against the database now and loads the rows the
    // first time code asks for them (a count, the current row, a field); a
    // view asking the model sees no rows until then.
    void OpenDeferred();
    void Close();
    bool Active() const { return active; }

    // Re-runs the current statement and parameters; the n-th row stays current.
    void Refresh();
    // Replaces the statement (and parameters) and reloads.
    void Reload(const QStringList& lines, const fb::Params& params = {});

    int RecordCount() const;
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecNo() const; // the current row, -1 when the list is empty
    void setRecNo(int row);

    // Makes current the first row, in the list's order, whose field begins
    // with prefix (letter case counts). Answers whether one was found; when
    // none is, the current row stays.
    bool LocatePrefix(const QString& field, const QString& prefix);

    // A field of the current row: null for an empty list.
    QVariant FieldValue(const QString& name) const;
    // A field of the current row as text (CHAR untrimmed), empty when null.
    QString FieldText(const QString& name) const;
    QVariant value(int row, const QString& name) const;
    QString displayText(int row, int field) const;
    // A text field of a row as stored, for code that compares many rows:
    // null when the value is null or the field does not hold text.
    const QString* textAt(int row, int field) const;

    // Takes the row out of the list (not out of the database); the row after
    // a removed current row becomes current, or the last row when it was the
    // last.
    void RemoveRow(int row);
    int fieldIndex(const QString& name) const; // -1 when the list has no such field

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    void currentRowChanged(int row);

private:
    void load(fb::ResultSet loaded);
    void ensureLoaded() const;

    SqlQuery* sourceQuery;
    std::vector<FieldDef> defs;
    std::vector<int> sourceColumn; // field index -> column of rows
    fb::ResultSet rows;
    int current = -1;
    bool active = false;
    bool pending = false;
};
