#include "reports/Colunas.h"

#include "reportengine/Formulario.h"

using namespace report;

namespace {

constexpr double Fim = BandReport::BandWidth;

// Quantities and values stand at the same place in every movement report.
constexpr Coluna Quantidade{"Quantidade", "MOV_QUANT", 376, 72, Align::Right};
constexpr Coluna Valor{"Valor", "MOV_VALOR", 452, Fim - 452, Align::Right};
constexpr Coluna Codigo{"Código", "MOV_CODPRO", 0, 56, Align::Right};
constexpr Coluna Descricao{"Descrição", "PRO_DESCRICAO", 64, 214};
constexpr Coluna Data{"Data", "MOV_DATA", 284, 54};
constexpr Coluna DataProduto{"Data", "MOV_DATA", 0, 54};

constexpr Coluna Completas[] = {Codigo,     Descricao, Data, {"Oper.", "MOV_OPER", 344, 30},
                                Quantidade, Valor};
constexpr Coluna SemOperacao[] = {Codigo, Descricao, Data, Quantidade, Valor};
constexpr Coluna Produto[] = {DataProduto, {"Oper.", "DESCRICAO", 64, 60}, Quantidade, Valor};
constexpr Coluna ProdutoTipo[] = {
    DataProduto,
    {"Tipo de Saída", "MOV_TIPO", 64, 30, Align::Right, false, "lbTit_TipoSaida"},
    {nullptr, "TIP_DESCRICAO", 100, 160, Align::Left, true},
    Quantidade,
    Valor};

// Ten letters of the fixed font take a little over 48 points.
constexpr Coluna ProCodigo{"Código", "PRO_CODIGO", 0, 52, Align::Right};
constexpr Coluna ProDescricao{"Descrição", "PRO_DESCRICAO", 58, 206};
constexpr Coluna ProUnidade{"Unid.", "PRO_UNID", 270, 24};
constexpr Coluna ProQuantidade{"Quantidade", "PRO_QUANT", 298, 72, Align::Right};

// The price list prints the description whole: 50 letters of the fixed font.
constexpr Coluna Precos[] = {ProCodigo,
                             {"Descrição", "PRO_DESCRICAO", 58, 250},
                             {"Unid.", "PRO_UNID", 314, 24},
                             {"Preço de Venda", "PRO_PVENDA", 420, Fim - 420, Align::Right}};
constexpr Coluna Estoque[] = {ProCodigo,
                              ProDescricao,
                              ProUnidade,
                              ProQuantidade,
                              {"P.Custo", "PRO_PCUSTO", 374, 80, Align::Right},
                              {"P. Venda", "PRO_PVENDA", 458, Fim - 458, Align::Right}};
constexpr Coluna EstoqueMinimo[] = {ProCodigo,
                                    ProDescricao,
                                    ProUnidade,
                                    ProQuantidade,
                                    {"Est.Min.", "PRO_MIN", 374, 80, Align::Right}};

} // namespace

Periodo linhaPeriodo(Band* cabecalho, double y, const QString& nomeInicio) {
    cabecalho->label(QStringLiteral("lbPeriodo"), QStringLiteral("Período: "), 0, 40, Align::Left,
                     Style::Bold, y);
    Label* inicio = cabecalho->label(nomeInicio, {}, 40, 52, Align::Left, Style::Normal, y);
    cabecalho->label(QStringLiteral("lbA"), QStringLiteral("à"), 94, 10, Align::Center,
                     Style::Normal, y);
    Label* fim =
        cabecalho->label(QStringLiteral("lbDataFim"), {}, 106, 52, Align::Left, Style::Normal, y);
    return {inicio, fim};
}

Pedido linhaPedido(Band* banda, double y, const QString& rotulo, double recuo,
                   const QString& nomeCodigo, const QString& nomeDescricao) {
    banda->label(QStringLiteral("lbPedido"), rotulo, 0, recuo, Align::Left, Style::Bold, y);
    Label* codigo = banda->label(nomeCodigo, {}, recuo, 50, Align::Right, Style::Normal, y);
    banda->label(QStringLiteral("lbBarra"), QStringLiteral("/"), recuo + 52, 8, Align::Center,
                 Style::Normal, y);
    Label* descricao = banda->label(nomeDescricao, {}, recuo + 62, Fim - recuo - 62, Align::Left,
                                    Style::Normal, y);
    return {codigo, descricao};
}

std::vector<Label*> colunas(Band* titulos, Band* detalhe, double y, ColunasMovimento conjunto) {
    switch (conjunto) {
    case ColunasMovimento::Completas:
        return report::colunas(titulos, detalhe, y, Completas);
    case ColunasMovimento::SemOperacao:
        return report::colunas(titulos, detalhe, y, SemOperacao);
    case ColunasMovimento::Produto:
        return report::colunas(titulos, detalhe, y, Produto);
    case ColunasMovimento::ProdutoTipo:
        return report::colunas(titulos, detalhe, y, ProdutoTipo);
    }
    return {};
}

std::vector<Label*> colunas(Band* titulos, Band* detalhe, double y, ColunasProdutos conjunto) {
    switch (conjunto) {
    case ColunasProdutos::Precos:
        return report::colunas(titulos, detalhe, y, Precos);
    case ColunasProdutos::Estoque:
        return report::colunas(titulos, detalhe, y, Estoque);
    case ColunasProdutos::EstoqueMinimo:
        return report::colunas(titulos, detalhe, y, EstoqueMinimo);
    }
    return {};
}
