#include "reportengine/Planilha.h"

#include "data/ArquivoNovo.h"
#include "data/DbError.h"

#include "entry/RegionalNumbers.h"

#include <QDateTime>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace report {

const QString Planilha::Filtros =
    QStringLiteral("Planilha do Excel (*.xlsx);;Planilha em texto CSV (*.csv)");
const QString Planilha::Extensao = QStringLiteral("xlsx");

namespace {

// What one worksheet of Excel holds.
constexpr std::size_t MaxRows = 1048576;
constexpr int MaxText = 32767;

bool isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
        return true;
    default:
        return false;
    }
}

bool isWhole(const QVariant& value) {
    return isNumber(value) && value.typeId() != QMetaType::Double &&
           value.typeId() != QMetaType::Float;
}

int decimalsOf(const Cell& cell) {
    switch (cell.format) {
    case FieldFormat::Money:
    case FieldFormat::Percent:
        return 2;
    case FieldFormat::Quantity:
        return 3;
    case FieldFormat::Plain:
    case FieldFormat::Date:
        break;
    }
    return cell.decimals;
}

// A number as Excel in Brazil reads it from a CSV file: a decimal comma and
// no thousands separator, rounded the way the program shows it.
QString csvNumber(const Cell& cell) {
    if (isWhole(cell.value))
        return cell.value.toString();
    const double v = cell.value.toDouble();
    if (!std::isfinite(v))
        return {};
    const int decimals = decimalsOf(cell);
    if (decimals < 0)
        return QString::number(v, 'g', 15).replace(u'.', u',');
    const RoundedDecimal rounded = roundDecimal(v, decimals);
    QString text = QString::fromStdString((rounded.negative ? "-" : "") + rounded.integral);
    if (!rounded.fraction.empty())
        text += u',' + QString::fromStdString(rounded.fraction);
    return text;
}

QString dateText(const QVariant& value) {
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
}

bool isDate(const QVariant& value) {
    return value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime;
}

// Digits Excel and Calc would make a number of, losing what makes them a
// code: leading zeros ("000123"), or the digits past the fifteenth and the
// way a long one is shown ("7,89123E+12").
bool codeAsNumber(const QString& text) {
    if (text.size() < 2 ||
        !std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    return text.front() == u'0' || text.size() >= 12;
}

QString csvText(QString text) {
    static const QString formulaStart = QStringLiteral("=+-@\t\r");
    if (codeAsNumber(text)) {
        // Such digits go as a formula that gives the text: both programs
        // show the code as it is, and the import reads it back.
        text = QStringLiteral("=\"%1\"").arg(text);
    } else if (!text.isEmpty() && (formulaStart.contains(text.front()) ||
                                   (text.size() > 1 && text.front() == u'\'' &&
                                    (formulaStart.contains(text[1]) || text[1] == u'\'')))) {
        // Excel runs a text that starts like a formula; a description is
        // never meant to, so an apostrophe keeps it the text it is. A text
        // that already starts with an apostrophe before such a sign gets one
        // more, so that the import, which takes exactly one away, gives it
        // back whole.
        text.prepend(u'\'');
    }
    static const QRegularExpression needsQuotes(QStringLiteral("[;\"\\r\\n]"));
    if (text.contains(needsQuotes))
        return u'"' + text.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return text;
}

QString csvCell(const Cell& cell) {
    if (!cell.value.isValid() || cell.value.isNull())
        return {};
    if (isNumber(cell.value))
        return csvNumber(cell);
    if (isDate(cell.value))
        return dateText(cell.value);
    return csvText(cell.value.toString());
}

// Roughly how many letters a cell shows, for the column widths.
int shownLength(const Cell& cell) {
    if (isDate(cell.value))
        return cell.value.typeId() == QMetaType::QDateTime ? 19 : 10;
    const int length = int(csvCell(cell).size());
    if (!isNumber(cell.value))
        return length;
    return length + length / 3 + (cell.format == FieldFormat::Money ? 3 : 0);
}

// A worksheet's name: at most 31 letters, none of []:*?/\ and no apostrophe
// at either end.
QString sheetName(QString title) {
    static const QRegularExpression refused(QStringLiteral("[\\[\\]:*?/\\\\]"));
    title.replace(refused, QStringLiteral(" "));
    title = title.simplified().left(31);
    while (title.startsWith(u'\''))
        title.remove(0, 1);
    while (title.endsWith(u'\''))
        title.chop(1);
    title = title.trimmed();
    return title.isEmpty() ? QStringLiteral("Planilha1") : title;
}

// The number formats of the workbook, made once each.
class Formats {
public:
    explicit Formats(lxw_workbook* book) : book(book) {
        bold = workbook_add_format(book);
        format_set_bold(bold);
    }
    lxw_format* bold;

    lxw_format* forNumber(const Cell& cell) {
        switch (cell.format) {
        case FieldFormat::Money:
            return named("\"R$ \"#,##0.00;-\"R$ \"#,##0.00");
        case FieldFormat::Quantity:
            return named("#,##0.000");
        case FieldFormat::Percent:
            // The list keeps 30 for 30 %: the value stays, the sign is text.
            return named("0.00\"%\"");
        case FieldFormat::Plain:
        case FieldFormat::Date:
            break;
        }
        if (cell.decimals < 0)
            return nullptr;
        return named(cell.decimals == 0 ? std::string("#,##0")
                                        : "#,##0." + std::string(std::size_t(cell.decimals), '0'));
    }
    lxw_format* forDate(const QVariant& value) {
        return named(value.typeId() == QMetaType::QDateTime ? "dd/mm/yyyy hh:mm:ss" : "dd/mm/yyyy");
    }

private:
    lxw_format* named(const std::string& code) {
        auto found = made.find(code);
        if (found != made.end())
            return found->second;
        lxw_format* format = workbook_add_format(book);
        format_set_num_format(format, code.c_str());
        made.emplace(code, format);
        return format;
    }

    lxw_workbook* book;
    std::map<std::string, lxw_format*> made;
};

lxw_error writeCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const Cell& cell,
                    Formats& formats, lxw_format* textFormat) {
    const QVariant& v = cell.value;
    if (!v.isValid() || v.isNull())
        return LXW_NO_ERROR;
    if (isNumber(v) && std::isfinite(v.toDouble()))
        return worksheet_write_number(sheet, row, column, v.toDouble(), formats.forNumber(cell));
    if (isDate(v)) {
        const QDateTime when = v.typeId() == QMetaType::QDateTime
                                   ? v.toDateTime()
                                   : QDateTime(v.toDate(), QTime(0, 0));
        // Excel counts days from 1900; an older date stays a text.
        if (when.isValid() && when.date().year() >= 1900 && when.date().year() <= 9999) {
            lxw_datetime date{when.date().year(),   when.date().month(),
                              when.date().day(),    when.time().hour(),
                              when.time().minute(), double(when.time().second())};
            return worksheet_write_datetime(sheet, row, column, &date, formats.forDate(v));
        }
        return worksheet_write_string(sheet, row, column, dateText(v).toUtf8().constData(),
                                      textFormat);
    }
    const QString text = v.toString().left(MaxText);
    if (text.isEmpty())
        return LXW_NO_ERROR;
    return worksheet_write_string(sheet, row, column, text.toUtf8().constData(), textFormat);
}

} // namespace

Cell Cell::of(const QVariant& stored, FieldFormat format) {
    Cell cell;
    if (!stored.isValid() || stored.isNull())
        return cell;
    if (isNumber(stored)) {
        cell.value = stored;
        cell.format = format == FieldFormat::Date ? FieldFormat::Plain : format;
    } else if (isDate(stored)) {
        cell.value = stored;
        cell.format = FieldFormat::Date;
    } else {
        // Codes are kept right-justified in their columns and CHAR columns
        // come padded: the spreadsheet aligns its cells itself.
        const QString text = stored.toString().trimmed();
        if (!text.isEmpty())
            cell.value = text;
    }
    return cell;
}

Cell Cell::fromCaption(const QString& caption) {
    Cell cell;
    const QString text = caption.trimmed();
    if (text.isEmpty())
        return cell;
    cell.value = text;
    static const QRegularExpression number(
        QStringLiteral("^(-)?(R\\$ ?)?(\\d{1,3}(?:\\.\\d{3})+|\\d+)(?:,(\\d+))?$"));
    const QRegularExpressionMatch m = number.match(text);
    // A leading zero makes a code ("000001"), not a number.
    if (!m.hasMatch() || (m.captured(3).size() > 1 && m.captured(3).startsWith(u'0')))
        return cell;
    const QString digits = m.captured(3).remove(u'.') + u'.' +
                           (m.captured(4).isEmpty() ? QStringLiteral("0") : m.captured(4));
    bool ok = false;
    const double v = digits.toDouble(&ok);
    if (!ok)
        return cell;
    cell.value = m.captured(1).isEmpty() ? v : -v;
    cell.decimals = int(m.captured(4).size());
    if (!m.captured(2).isEmpty())
        cell.format = FieldFormat::Money;
    else if (cell.decimals == 3)
        cell.format = FieldFormat::Quantity;
    return cell;
}

QString Planilha::withExtension(const QString& chosen) {
    const QString suffix = QFileInfo(chosen).suffix();
    if (suffix.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0 ||
        suffix.compare(Extensao, Qt::CaseInsensitive) == 0)
        return chosen;
    return chosen + u'.' + Extensao;
}

void Planilha::addTitle(const QString& text) {
    rowList.push_back({RowKind::Title, {Cell{text.simplified()}}});
}

void Planilha::addLine(const QString& text) {
    rowList.push_back({RowKind::Line, {Cell{text.simplified()}}});
}

void Planilha::addBlank() {
    rowList.push_back({RowKind::Blank, {}});
}

void Planilha::addHeadings(const QStringList& headings) {
    Row row{RowKind::Headings, {}};
    for (const QString& heading : headings)
        row.cells.push_back(Cell{heading.simplified()});
    rowList.push_back(std::move(row));
}

void Planilha::addRow(std::vector<Cell> cells) {
    rowList.push_back({RowKind::Data, std::move(cells)});
}

QByteArray Planilha::csv() const {
    // The mark tells Excel the text is UTF-8, so accents read right.
    QByteArray out("\xEF\xBB\xBF");
    for (const Row& row : rowList) {
        QStringList cells;
        for (const Cell& cell : row.cells)
            cells << csvCell(cell);
        out += cells.join(u';').toUtf8();
        out += "\r\n";
    }
    return out;
}

QByteArray Planilha::xlsx(QString* failure) const {
    if (rowList.size() > MaxRows) {
        *failure = QStringLiteral("uma planilha do Excel comporta no máximo 1.048.576 linhas; "
                                  "grave-a como CSV");
        return {};
    }
    // The library writes to a file it names itself: a temporary one, read
    // back so that the file the operator chose is written in one piece.
    QTemporaryFile scratch;
    if (!scratch.open()) {
        *failure = scratch.errorString();
        return {};
    }
    scratch.close();
    lxw_workbook_options options{};
    lxw_workbook* book =
        workbook_new_opt(QFile::encodeName(scratch.fileName()).constData(), &options);
    if (!book) {
        *failure = QStringLiteral("sem memória para a planilha");
        return {};
    }
    QString title;
    for (const Row& row : rowList)
        if (row.kind == RowKind::Title && !row.cells.empty()) {
            title = row.cells.front().value.toString();
            break;
        }
    QByteArray name = sheetName(title).toUtf8();
    if (workbook_validate_sheet_name(book, name.constData()) != LXW_NO_ERROR)
        name = "Planilha1";
    lxw_worksheet* sheet = workbook_add_worksheet(book, name.constData());
    Formats formats(book);

    lxw_error error = LXW_NO_ERROR;
    std::vector<int> widths;
    int headingsRow = -1;
    for (std::size_t r = 0; r < rowList.size() && error == LXW_NO_ERROR; ++r) {
        const Row& row = rowList[r];
        const bool bold = row.kind == RowKind::Title || row.kind == RowKind::Headings;
        if (row.kind == RowKind::Headings)
            headingsRow = int(r);
        for (std::size_t c = 0; c < row.cells.size() && error == LXW_NO_ERROR; ++c) {
            error = writeCell(sheet, lxw_row_t(r), lxw_col_t(c), row.cells[c], formats,
                              bold ? formats.bold : nullptr);
            // Lines of text run over the empty cells beside them.
            if (row.kind == RowKind::Headings || row.kind == RowKind::Data) {
                widths.resize(std::max(widths.size(), c + 1), 0);
                widths[c] = std::max(widths[c], shownLength(row.cells[c]));
            }
        }
    }
    for (std::size_t c = 0; c < widths.size(); ++c)
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::clamp(widths[c] + 2, 10, 60),
                             nullptr);
    if (headingsRow >= 0)
        worksheet_freeze_panes(sheet, lxw_row_t(headingsRow + 1), 0);

    const lxw_error closed = workbook_close(book);
    if (error == LXW_NO_ERROR)
        error = closed;
    if (error != LXW_NO_ERROR) {
        *failure = QString::fromUtf8(lxw_strerror(error));
        return {};
    }
    if (!scratch.open()) {
        *failure = scratch.errorString();
        return {};
    }
    return scratch.readAll();
}

QString Planilha::write(const QString& path) const {
    const bool asCsv =
        QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
    QString failure;
    const QByteArray bytes = asCsv ? csv() : xlsx(&failure);
    if (failure.isEmpty()) {
        try {
            // A list of the shop's products or movements: its owner's alone.
            ArquivoNovo novo(path);
            QFile file(novo.caminho());
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                failure = file.errorString();
            file.close();
            if (failure.isEmpty())
                novo.poeNoLugar();
        } catch (const std::exception& e) {
            failure = errorText(e);
        }
    }
    if (failure.isEmpty())
        return {};
    return QStringLiteral("Não foi possível gravar a planilha em %1: %2.").arg(path, failure);
}

} // namespace report
