#pragma once

#include "utilities/LeitorPlanilha.h"

#include <memory>

namespace importacao {

// The first worksheet of an Excel workbook (.xlsx), as Excel, Calc and
// libxlsxwriter save it. The worksheet is decompressed and parsed a piece at
// a time; only the workbook's table of shared texts is kept whole.
//
// A number in a date format comes as its date, counted from the workbook's
// epoch (1900, with Excel's 29/02/1900, or 1904); a true or false cell as
// "VERDADEIRO" or "FALSO"; an error as Excel shows it ("#N/A"); a formula as
// the value Excel last saved with it, or empty when there is none.
class LeitorXlsx : public Leitor {
public:
    // Opens the workbook and reads what the rows need. Throws Ilegivel when
    // the file is not a workbook (an .xls, a protected workbook, an .ods),
    // has no worksheet or is damaged.
    explicit LeitorXlsx(const QString& caminho);
    ~LeitorXlsx() override;
    LeitorXlsx(const LeitorXlsx&) = delete;
    LeitorXlsx& operator=(const LeitorXlsx&) = delete;

    // Throws Ilegivel when the worksheet turns out damaged on the way.
    bool proxima(QStringList& celulas) override;
    qint64 linha() const override;
    double lido() const override;
    QString leitura() const override;

    // The name of the worksheet read ("Produtos").
    QString planilha() const;

private:
    // Keeps minizip's header out of the files that include this one.
    struct Dados;
    std::unique_ptr<Dados> d;
};

} // namespace importacao
