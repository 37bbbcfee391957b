#pragma once

#include "utilities/LeitorPlanilha.h"

#include <QFile>
#include <QStringDecoder>
#include <functional>

namespace importacao {

// A spreadsheet saved as CSV, as Calc and Excel save it in Brazil: ";"
// between cells (also "," or a tab), decimal comma, UTF-8 with or without
// its mark, or Windows-1252.
//
// The separator is the one that splits the row of column names into names
// the import knows (ehCabecalho), looked for in the first rows, after a
// title and blank rows; when no row has them, the one the first row uses
// most. The cells come as a spreadsheet shows them: a code the export kept
// as text ("=""000123""") is its digits again, and the apostrophe the export
// put before a text that would start a formula is gone.
class LeitorCsv : public Leitor {
public:
    using EhCabecalho = std::function<bool(const QStringList& celulas)>;
    // Throws Ilegivel when the file cannot be read, or when its encoding is
    // mixed (the mark of UTF-8 over bytes of another encoding).
    LeitorCsv(const QString& caminho, const EhCabecalho& ehCabecalho);

    bool proxima(QStringList& celulas) override;
    qint64 linha() const override { return numero; }
    double lido() const override;
    QString leitura() const override;

    QString codificacao() const {
        return utf8 ? QStringLiteral("UTF-8") : QStringLiteral("Windows-1252");
    }
    QChar separador() const { return sep; }

private:
    void confereCodificacao();
    void escolheSeparador(const EhCabecalho& ehCabecalho);
    void volta(); // to the start of the text
    // Decodes the next piece of the file onto what is left of the text;
    // false at the end of the file.
    bool carrega();
    // Reads a row from pos into celulas; false when the text ends before
    // the row does and more of the file may follow.
    bool leLinha(QStringList& celulas, bool fim);

    QFile arquivo;
    qint64 inicio = 0; // bytes of the mark
    bool utf8 = true;
    QChar sep = u';';
    QStringDecoder decodificador;
    QString texto;
    qsizetype pos = 0;
    bool acabou = false;
    qint64 numero = 0;
};

} // namespace importacao
