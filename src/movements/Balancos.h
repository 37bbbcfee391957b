#pragma once

#include "movements/Movimentacao.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

class SqlConnection;

// Stock counts (balanços): a count is opened over some products, counted
// into line by line from any number of workstations, then applied as
// ordinary entries and exits. Every write here goes through the write
// pattern, which shows the operator a refusal or a failure; the writes
// answer nothing when it was not made.
namespace balanco {

enum class Situacao { Aberto, Aplicado, Cancelado };

struct Contagem {
    int numero = 0;
    QString descricao;
    QDateTime abertura;
    Situacao situacao = Situacao::Aberto;
    int produtos = 0;
};

// Which products a count takes.
enum class Escolha { Todos, Grupo, NaoContados };

// Opens a count, with all products, those of one group, or those not counted
// in an applied count within the last `dias` days (never counted included).
// Refuses a count with no product, and one that would take a product another
// open count has, naming that count. Answers the new count's number.
std::optional<int> abre(SqlConnection* conexao, const QString& descricao, Escolha escolha,
                        const QString& grupo = {}, int dias = 0);

// Cancels an open count: its products are free for another, its lines stay.
bool cancelaBalanco(SqlConnection* conexao, int numero);

// The counts still open, the newest first.
QList<Contagem> abertos(SqlConnection* conexao);
Contagem contagem(SqlConnection* conexao, int numero);

// One line counted: the product, how many, and the product's total counted
// so far in the count (its lines less the cancelled ones).
struct Contado {
    qint64 linha = 0;
    QString codigo;
    QString descricao;
    double quantidade = 0;
    double total = 0;
};

// Counts quantidade of the product whose code or bar code was typed or
// scanned, recording the on-hand quantity read in the same transaction, the
// time and who counted. Refuses an unknown product, one outside the count,
// and a count no longer open.
std::optional<Contado> conta(SqlConnection* conexao, int numero, const QString& codigoOuBarras,
                             double quantidade, const QString& quem);

// Cancels a line by a line of the opposite quantity that names it; a line
// is cancelled once.
std::optional<Contado> cancela(SqlConnection* conexao, int numero, qint64 linha,
                               const QString& quem);

// The count's lines, the newest first.
struct Linha {
    qint64 id = 0;
    QString codigo;
    QString descricao;
    double quantidade = 0;
    QDateTime momento;
    QString quem;
    qint64 cancela = 0; // the line this one cancels
    bool cancelada = false;
};
QList<Linha> linhas(SqlConnection* conexao, int numero);

// A product of the count as the apply sees it. Money in reais, rounded
// to the cent as shown.
struct Diferenca {
    QString codigo;
    QString descricao;
    QString unidade;
    double esperado = 0; // on hand at its first count line (now, when uncounted)
    double contado = 0;
    double custo = 0; // the product's cost price
    bool contadoAlgo = false;
    bool mexeu = false; // moved between its first and last count line
    double quantidade() const { return contado - esperado; }
    double valor() const;
};

struct Previa {
    std::vector<Diferenca> produtos; // by description
    double valorSobra = 0;           // the differences above zero, in R$
    double valorFalta = 0;           // below zero, as a positive amount
    int naoContados = 0;
    int mexidos = 0;
};

// What the apply will write, reading nothing but committed rows and writing
// nothing. Uncounted products are kept as they are, or counted as zero.
Previa previa(SqlConnection* conexao, int numero, bool zeraNaoContados);

// Applies the count in one transaction: each difference becomes an entry
// "EE" or an exit "SS" of tipoSaida through the movement write, dated
// today, document "Balanço N", valued at the cost price; what the apply
// found is kept for the differences report. Refuses a count not open
// (another workstation applied or cancelled it), and an exit that would
// take a product below zero, naming every such product, writing nothing.
std::optional<Previa> aplica(const BaseMovimentos& base, int numero, bool zeraNaoContados,
                             const QString& tipoSaida);

// What an applied count found, for its differences report.
Previa diferencas(SqlConnection* conexao, int numero);

// The document of a count's movements.
QString documento(int numero);

} // namespace balanco
