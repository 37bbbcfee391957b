#include "reports/RelatorioEstoque.h"

#include "data/ListCopy.h"
#include "entry/RegionalNumbers.h"

using namespace report;

RelatorioEstoque::RelatorioEstoque(const QString& formName, const QString& reportName, bool umGrupo)
    : RelatorioProdutos(formName, reportName) {
    titulo(QStringLiteral("Lista de Itens no Estoque"), Align::BandCenter, Style::Title);
    if (umGrupo)
        grupo = linhaGrupo();
    colunas(ColunasProdutos::Estoque);

    Band* band = sumario();
    band->ruleTop = true;
    band->height = 4 + 2 * 12 + 2;
    constexpr double Legenda = 196;
    band->label(QStringLiteral("lbTit_PVenda"),
                QStringLiteral("Total em Estoque pelo Preço de Venda:"), 0, Legenda, Align::Left,
                Style::Bold, 4);
    lbTotal_PVenda = band->label(QStringLiteral("lbTotal_PVenda"), {}, Legenda, 200, Align::Left,
                                 Style::Fixed, 4);
    band->label(QStringLiteral("lbTit_PCusto"),
                QStringLiteral("Total em Estoque pelo Preço de Custo:"), 0, Legenda, Align::Left,
                Style::Bold, 16);
    lbTotal_PCusto = band->label(QStringLiteral("lbTotal_PCusto"), {}, Legenda, 200, Align::Left,
                                 Style::Fixed, 16);

    relatorio->beforeGeneration = [this] { antesDaGeracao(); };
    detalhe()->beforePrint = [this](int row) { antesDoDetalhe(row); };
    band->beforePrint = [this](int) { antesDoSumario(); };
}

void RelatorioEstoque::antesDaGeracao() {
    cabecalhoEmpresa();
    preparaCabecalho();
    ValorCusto = ValorVenda = 0;
}

void RelatorioEstoque::antesDoDetalhe(int row) {
    if (row < 0)
        return; // the blank line of an empty list
    const ListCopy* list = relatorio->data();
    const double quant = list->value(row, QStringLiteral("PRO_QUANT")).toDouble();
    ValorCusto += list->value(row, QStringLiteral("PRO_PCUSTO")).toDouble() * quant;
    ValorVenda += list->value(row, QStringLiteral("PRO_PVENDA")).toDouble() * quant;
}

void RelatorioEstoque::antesDoSumario() {
    lbTotal_PVenda->setCaption(formatCurrency(ValorVenda, 14, 2));
    lbTotal_PCusto->setCaption(formatCurrency(ValorCusto, 14, 2));
}
