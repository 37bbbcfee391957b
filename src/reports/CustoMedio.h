#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <span>
#include <vector>

class SqlConnection;

// What the stock is worth and what its exits cost at the average cost,
// computed from the movements as they stand and never stored: a movement
// entered, reversed or deleted with any date counts at once. Each product is
// one pass over its movements in date order, by the rule the README writes
// out ("Custo médio").
namespace custo {

// Quantities in thousandths and money in cents, as the database keeps them,
// so that a stock brought back to zero is zero and not a rounding error that
// an average would be divided by.
using Milesimos = qint64;
using Centavos = qint64;

// The operations in the order they count within one day.
enum Operacao { Entrada, EstornoEntrada, EstornoSaida, Saida, Operacoes };

// A product's movements of one day, those of each operation taken as one:
// the table has no key to order them by within the day.
struct Dia {
    qint64 data = 0; // Julian day; movements without a date come first
    Milesimos quantidade[Operacoes] = {};
    Centavos valor[Operacoes] = {};
};

struct Produto {
    QString codigo;
    QString descricao;
    QString unidade;
    QString grupo;          // its group's code, when the group exists
    QString descricaoGrupo; // empty when it does not
    Milesimos emEstoque = 0;
    double precoCusto = 0;
    QDate cadastro;              // from when the opening is there; none: always
    std::size_t primeiroDia = 0; // its days in Leitura::dias
    std::size_t quantosDias = 0;
};

// Products and their movements, read in one snapshot: the products by group
// (the groups by description, products of a group that no longer exists
// last), then by description; each one's movements summed by day.
struct Leitura {
    std::vector<Produto> produtos;
    std::vector<Dia> dias;

    std::span<const Dia> diasDe(const Produto& produto) const {
        return std::span<const Dia>(dias).subspan(produto.primeiroDia, produto.quantosDias);
    }
};

// Every product, or those of one group when its code is given.
Leitura le(SqlConnection* conexao, const QString& grupo = {});
// The two statements it runs, the group's code bound as GrupoC.
QString instrucaoDosProdutos(const QString& grupo = {});
QString instrucaoDosMovimentos(const QString& grupo = {});

// What on-hand quantity the movements do not explain (today's less their
// signed sum), and the cost it opens at: the unit cost of the first entry,
// else the cost price. A cost is known when there is either.
struct Abertura {
    Milesimos quantidade = 0;
    double custo = 0;
    bool custoConhecido = false;
};
Abertura abertura(const Produto& produto, std::span<const Dia> dias);

// The signed sum of the movements: entries and reversals of exits add.
Milesimos somaDosMovimentos(std::span<const Dia> dias);

// Where a product stands: its quantity and its average cost, at full
// precision. The value held is always quantity x average, negative for a
// stock below zero.
struct Posicao {
    Milesimos quantidade = 0;
    double medio = 0;
    double valor() const { return double(quantidade) / 1000 * medio; }
};

// What one day's exits and reversals of exits cost at the average of the
// moment.
struct CustoDoDia {
    double saidas = 0;
    double estornos = 0;
};

// Walks a product's days (all of them: the opening needs every one) up to
// the end of day `ate`, the opening counting from the registration date;
// `cada`, when given, sees each day walked with the cost of its exits.
// Answers where the product stands then.
Posicao percorre(const Produto& produto, std::span<const Dia> dias, const QDate& ate,
                 const std::function<void(const Dia&, const CustoDoDia&)>& cada = {});

// The stock of each product read at the end of a day, in the reading's order.
struct Valorizado {
    const Produto* produto;
    Posicao posicao;
};
std::vector<Valorizado> estoqueEm(const Leitura& leitura, const QDate& data);

// What went out in a period, per product with an exit or a reversal of an
// exit in it: the exits less their reversals, in quantity, in sale value and
// at the average cost of each moment.
struct Margem {
    const Produto* produto;
    Milesimos quantidade = 0;
    Centavos venda = 0;
    double custo = 0;
    bool custoConhecido = false;
};
std::vector<Margem> margemDasSaidas(const Leitura& leitura, const QDate& inicio, const QDate& fim);

// The products whose on-hand quantity differs from the signed sum of their
// movements, with that sum.
struct Diferenca {
    const Produto* produto;
    Milesimos movimentos = 0;
};
std::vector<Diferenca> conferencia(const Leitura& leitura);

// An amount as the reports print it: in cents, halves away from zero.
Centavos centavos(double reais);

} // namespace custo
