#pragma once

#include <QList>
#include <QString>

// A cell of an .xlsx workbook as a spreadsheet program reads it.
struct SheetCell {
    bool number = false;
    double value = 0;
    QString text;   // a text cell's text
    QString format; // the number format, "General" when none
};

// The first worksheet of an .xlsx file, row by row from the first (an empty
// row as an empty list), each row's cells from column A. Unpacked with
// unzip and read with the XML reader; an unreadable file fails the test.
QList<QList<SheetCell>> readWorkbook(const QString& path);
