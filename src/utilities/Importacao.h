#pragma once

#include "utilities/LeitorPlanilha.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

// Groups and products brought in from a spreadsheet: a CSV text as Calc and
// Excel save it in Brazil, or an Excel workbook (.xlsx). A row names the
// columns in Portuguese, under a title and blank rows or not; every row
// under it is a group or a product.
namespace importacao {

enum class Tipo { Grupos, Produtos };

// Opens the file by its kind: an .xlsx as a workbook, anything else as a
// CSV text. Throws Ilegivel when it cannot be read.
std::unique_ptr<Leitor> abre(Tipo tipo, const QString& caminho);

// A column of the file and the column of the table it fills, or none.
struct Coluna {
    QString cabecalho; // as the file has it
    QString campo;     // the column it fills, empty when it is left out
    QString nota;      // why it is left out
};

// A row as it will be stored: the values by column name.
struct Registro {
    qint64 linha = 0; // the spreadsheet's row number
    QVariantMap valores;
};

// A line left out, with every reason it has; or a line stored with a value
// the import changed (aviso).
struct Recusa {
    qint64 linha = 0;
    QString motivo;
};

// The rows to be stored, kept packed, their texts in the single bytes of
// ISO 8859-1 that the database keeps them in, in blocks that never need to
// be copied to grow: a file of a million lines fits.
class Registros {
public:
    Registros() = default;
    explicit Registros(Tipo tipo) : tipo(tipo) {}
    void acrescenta(qint64 linha, const std::vector<QVariant>& valores);
    std::size_t size() const { return inicios.size(); }
    bool empty() const { return inicios.empty(); }
    Registro operator[](std::size_t i) const;

private:
    struct Inicio {
        quint32 bloco, posicao;
    };
    Tipo tipo = Tipo::Produtos;
    std::vector<QByteArray> blocos;
    std::vector<Inicio> inicios;
};

// What an import will do: nothing is written until it is confirmed.
struct Plano {
    // The lines a plan keeps to show; the others are only counted.
    static constexpr int MotivosGuardados = 1000;

    Tipo tipo = Tipo::Produtos;
    QString leitura;           // how the file was read
    qint64 linhaCabecalho = 0; // the row naming the columns
    QList<Coluna> colunas;
    Registros registros;
    QList<Recusa> recusas; // the first MotivosGuardados
    qint64 recusadas = 0;
    QList<Recusa> avisos; // the first MotivosGuardados
    qint64 avisadas = 0;
    QString erro;           // the file cannot be imported at all
    bool cancelado = false; // the operator stopped the reading
};

// What is already stored, for the checks that need it.
struct Existentes {
    QStringList codigos; // of the table imported into, as stored
    QStringList grupos;  // group codes, as stored
};

// Told how much of the file has been read (0 to 1); answers false to stop.
using Andamento = std::function<bool(double lido)>;

// Reads the file's rows into those that will be stored and those that will
// be refused, each with all its reasons, by the rules of the edit screens:
// codes padded as they pad them, the sale price made from cost and margin
// (or the margin from cost and sale price) as the product screen makes it.
Plano planeja(Tipo tipo, Leitor& leitor, const Existentes& existentes,
              const Andamento& andamento = {});

// Whether the cells are a row of column names: the code and the description.
bool ehCabecalho(Tipo tipo, const QStringList& celulas);

// The stored columns, in the order a preview shows them.
QStringList camposDe(Tipo tipo);
// How the screens call a stored column ("Preço de Custo" for PRO_PCUSTO).
QString rotuloDe(const QString& campo);
// The stored column a heading names, or an empty text.
QString campoDoCabecalho(Tipo tipo, const QString& cabecalho);

} // namespace importacao
