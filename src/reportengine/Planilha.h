#pragma once

#include "data/ListCopy.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

// A list written as a spreadsheet for other programs (an accountant's
// Excel): an .xlsx workbook or a CSV text the way Excel reads it in Brazil.
// The report preview and every browse grid write through here.
namespace report {

// One cell: a text, a number or a date, and how a number or date reads.
struct Cell {
    QVariant value;                          // null: an empty cell
    FieldFormat format = FieldFormat::Plain; // Money, Quantity, Percent, Date
    int decimals = -1;                       // of a plain number; -1: as it comes

    // A value as a list stores it, shown the way its field is.
    static Cell of(const QVariant& stored, FieldFormat format);
    // A caption a report printed: a number when it reads as one in Brazilian
    // writing ("R$ 1.234,50", "-R$ 12,00", "12,500"), else the text.
    static Cell fromCaption(const QString& caption);
};

class Planilha {
public:
    // The file dialog's choices; a name with neither extension is an .xlsx.
    static const QString Filtros;
    static const QString Extensao;
    static QString withExtension(const QString& chosen);

    // A bold line of text at the top, such as the window's or report's title.
    void addTitle(const QString& text);
    // A line of text over the whole sheet ("Período: 01/03/2006 à 31/03/2006").
    void addLine(const QString& text);
    void addBlank();
    // The column headings, in bold; the rows under them stay in view while
    // the sheet scrolls.
    void addHeadings(const QStringList& headings);
    void addRow(std::vector<Cell> cells);

    // Writes the rows to path, as CSV when its extension is .csv and as an
    // .xlsx workbook otherwise, whole or not at all: an existing file stays
    // as it was unless the new one is complete. Answers what went wrong as
    // the operator reads it, or an empty text.
    QString write(const QString& path) const;

    enum class RowKind { Title, Line, Blank, Headings, Data };
    struct Row {
        RowKind kind;
        std::vector<Cell> cells;
    };
    const std::vector<Row>& rows() const { return rowList; }

private:
    QByteArray csv() const;
    // The workbook, made in a temporary file and read back; on failure
    // empty, with what failed in failure.
    QByteArray xlsx(QString* failure) const;

    std::vector<Row> rowList;
};

} // namespace report
