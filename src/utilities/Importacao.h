#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

// Groups and products brought in from a spreadsheet saved as CSV, as Calc
// and Excel save it in Brazil: a header row naming the columns in
// Portuguese, ";" between cells (also "," or a tab, found from the header),
// decimal comma, UTF-8 with or without its mark or Windows-1252.
namespace importacao {

enum class Tipo { Grupos, Produtos };

// The cells of a CSV text, row by row, and how it was read.
struct Planilha {
    QString codificacao; // "UTF-8" or "Windows-1252"
    QChar separador;
    QList<QStringList> linhas; // the header first
};
Planilha leCsv(const QByteArray& bytes);

// A column of the table a header names, or none.
struct Coluna {
    QString cabecalho; // as the file has it
    QString campo;     // the column it fills, empty when it is left out
    QString nota;      // why it is left out
};

// A row as it will be stored: the values by column name.
struct Registro {
    int linha = 0; // in the file, from 1 (the header)
    QVariantMap valores;
};

struct Recusa {
    int linha = 0;
    QString motivo;
};

// What an import will do: nothing is written until it is confirmed.
struct Plano {
    Tipo tipo = Tipo::Produtos;
    QString codificacao;
    QChar separador;
    QList<Coluna> colunas;
    std::vector<Registro> registros;
    QList<Recusa> recusas;
    QString erro; // the file cannot be imported at all
};

// What is already stored, for the checks that need it.
struct Existentes {
    QStringList codigos; // of the table imported into, as stored
    QStringList grupos;  // group codes, as stored
};

// Reads the file's cells into the rows that will be stored and those that
// will be refused, each with its reason, by the rules of the edit screens:
// codes padded as they pad them, the sale price made from cost and margin
// (or the margin from cost and sale price) as the product screen makes it.
Plano planeja(Tipo tipo, const Planilha& planilha, const Existentes& existentes);

// The columns stored, in the order a preview shows them.
QStringList camposDe(Tipo tipo);
// How the screens call a stored column ("Preço de Custo" for PRO_PCUSTO).
QString rotuloDe(const QString& campo);

} // namespace importacao
