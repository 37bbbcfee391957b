#include "SheetReader.h"

#include <QHash>
#include <QProcess>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

QByteArray unpacked(const QString& path, const QString& member) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, member});
    if (!unzip.waitForFinished() || unzip.exitCode() != 0)
        qWarning("unzip could not read %s from %s", qPrintable(member), qPrintable(path));
    return unzip.readAllStandardOutput();
}

QStringList sharedStrings(const QByteArray& xml) {
    QStringList strings;
    QXmlStreamReader reader(xml);
    QString current;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("si"))
            current.clear();
        else if (reader.isStartElement() && reader.name() == QLatin1String("t"))
            current += reader.readElementText();
        else if (reader.isEndElement() && reader.name() == QLatin1String("si"))
            strings << current;
    }
    return strings;
}

// The number format of each cell style, by the style's index.
QStringList styleFormats(const QByteArray& xml) {
    QHash<int, QString> codes{{0, QStringLiteral("General")},
                              {1, QStringLiteral("0")},
                              {2, QStringLiteral("0.00")},
                              {3, QStringLiteral("#,##0")},
                              {4, QStringLiteral("#,##0.00")}};
    QStringList formats;
    QXmlStreamReader reader(xml);
    bool inCellStyles = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("numFmt"))
            codes.insert(reader.attributes().value(QLatin1String("numFmtId")).toInt(),
                         reader.attributes().value(QLatin1String("formatCode")).toString());
        else if (reader.name() == QLatin1String("cellXfs"))
            inCellStyles = reader.isStartElement();
        else if (inCellStyles && reader.isStartElement() && reader.name() == QLatin1String("xf"))
            formats << codes.value(reader.attributes().value(QLatin1String("numFmtId")).toInt());
    }
    return formats;
}

// "C12" as (11, 2), from 0.
QPair<int, int> position(QStringView reference) {
    int column = 0, i = 0;
    for (; i < reference.size() && reference[i].isLetter(); ++i)
        column = column * 26 + (reference[i].unicode() - u'A' + 1);
    return {reference.mid(i).toInt() - 1, column - 1};
}

} // namespace

QList<QList<SheetCell>> readWorkbook(const QString& path) {
    const QStringList strings =
        sharedStrings(unpacked(path, QStringLiteral("xl/sharedStrings.xml")));
    const QStringList formats = styleFormats(unpacked(path, QStringLiteral("xl/styles.xml")));
    QXmlStreamReader reader(unpacked(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    QList<QList<SheetCell>> rows;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement() || reader.name() != QLatin1String("c"))
            continue;
        const auto [row, column] = position(reader.attributes().value(QLatin1String("r")));
        const QString type = reader.attributes().value(QLatin1String("t")).toString();
        SheetCell cell;
        cell.format = formats.value(reader.attributes().value(QLatin1String("s")).toInt(),
                                    QStringLiteral("General"));
        while (reader.readNextStartElement()) {
            const QString content = reader.readElementText(QXmlStreamReader::IncludeChildElements);
            if (type == QLatin1String("s"))
                cell.text = strings.value(content.toInt());
            else if (type == QLatin1String("str") || type == QLatin1String("inlineStr"))
                cell.text = content;
            else {
                cell.number = true;
                cell.value = content.toDouble();
            }
        }
        while (rows.size() <= row)
            rows.append(QList<SheetCell>());
        while (rows[row].size() < column)
            rows[row].append(SheetCell());
        rows[row].append(cell);
    }
    if (reader.hasError())
        qWarning("%s: %s", qPrintable(path), qPrintable(reader.errorString()));
    return rows;
}
