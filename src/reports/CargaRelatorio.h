#pragma once

#include <QDate>
#include <QString>

namespace fb {
class Params;
}
namespace report {
class Label;
}

// The statements the report commands and dialogs load, and the steps every
// one of them ends with.

// The product list, in the order of its statement.
inline const QString ProdutosPorCodigo = QStringLiteral(
    "Select p.*,g.GRU_Descricao From Produtos p join Grupos g on(p.PRO_CodGRU =g.GRU_Codigo) "
    "Order By p.PRO_Codigo");
inline const QString ProdutosPorDescricao = QStringLiteral(
    "Select p.*,g.GRU_Descricao From Produtos p join Grupos g on(p.PRO_CodGRU =g.GRU_Codigo) "
    "Order By p.PRO_Descricao");
inline const QString ProdutosAbaixoDoMinimo = QStringLiteral(
    "Select p.*,g.GRU_Descricao From Produtos p join Grupos g on(p.PRO_CodGRU =g.GRU_Codigo) "
    "Where p.PRO_Quant <= p.PRO_Min Order By p.PRO_Descricao");
inline const QString ProdutosDoGrupo = QStringLiteral(
    "Select p.*,g.GRU_Descricao From Produtos p join Grupos g on(p.PRO_CodGRU =g.GRU_Codigo) "
    "Where p.PRO_CodGru=:CodGru Order By p.PRO_Descricao");

// Reloads the product list with the statement.
void CarregaProdutos(const QString& sql, const fb::Params& parametros);

// The movements of a period: the first line selects the movement with its
// product, operation and exit type (and, for a group, the product's group);
// the condition after the period and the order make the second.
enum class ComGrupo { Nao, Sim };
struct Movimentos {
    QString condicao; // after the period, empty or starting with " and"
    ComGrupo grupo = ComGrupo::Nao;
};

// Reloads the movement list with the period from inicio to fim, both
// included, and the further parameters.
void CarregaMovimentos(const Movimentos& movimentos, const QDate& inicio, const QDate& fim,
                       fb::Params parametros);

// The period into the report's two labels, in the short date format.
void EscrevePeriodo(report::Label* inicio, report::Label* fim, const QDate& de, const QDate& ate);

// The group a report was asked for: its code and description, or no code
// for every product.
struct GrupoDoPedido {
    QString codigo;
    QString descricao;
};

// Names the report to the output chooser and shows it.
void EscolheSaida(const QString& relatorio);
