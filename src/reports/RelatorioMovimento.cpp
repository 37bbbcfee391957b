#include "reports/RelatorioMovimento.h"

#include "data/DataModule_MovEstq.h"
#include "reports/Totais.h"

using namespace report;

namespace {

constexpr double EntreLinhas = 14;

} // namespace

RelatorioMovimento::RelatorioMovimento(const QString& formName, const QString& reportName)
    : FormularioRelatorio(formName, reportName, dmMovEstq->cds_MovEstq) {}

void RelatorioMovimento::titulo(const QString& caption) {
    lbTitulo = cabecalho()->label(QStringLiteral("lbTitulo"), caption, 0, 0, Align::BandCenter,
                                  Style::Title, LinhaTitulo);
}

Label* RelatorioMovimento::periodo(const QString& nomeInicio) {
    ultimaLinha = LinhaPeriodo;
    const Periodo linha = linhaPeriodo(cabecalho(), ultimaLinha, nomeInicio);
    lbDataFim = linha.fim;
    return linha.inicio;
}

Pedido RelatorioMovimento::pedido(const QString& rotulo, double recuo) {
    ultimaLinha += EntreLinhas;
    return linhaPedido(cabecalho(), ultimaLinha, rotulo, recuo, QStringLiteral("lbCodPro"),
                       QStringLiteral("lbDescPro"));
}

std::vector<Label*> RelatorioMovimento::colunas(ColunasMovimento conjunto) {
    const double y = ultimaLinha + LinhaColunas - LinhaPeriodo;
    Band* header = cabecalho();
    header->height = y + EntreLinhas;
    header->ruleBottom = true;
    return ::colunas(header, detalhe(), y, conjunto);
}

void RelatorioMovimento::legenda() {
    rodape()->label(QStringLiteral("lbLegenda"),
                    QStringLiteral("Legenda: EE=Entrada,  SS=Saída, TE=Estorno de Entrada, "
                                   "TS=Estorno de Saída"),
                    74, BandReport::BandWidth - 74 - 132, Align::Center, Style::Small, 4);
}

void RelatorioMovimento::ligaTotais(TotaisMovimento* t) {
    totais = t;
    relatorio->beforeGeneration = [this] { antesDaGeracao(); };
    detalhe()->beforePrint = [this](int row) { antesDoDetalhe(row); };
    sumario()->beforePrint = [this](int) { totais->escreve(); };
    relatorio->afterPreview = [this] { totais->zera(); };
    relatorio->afterPrint = [this] { totais->zera(); };
}

void RelatorioMovimento::antesDaGeracao() {
    cabecalhoEmpresa();
    totais->zera();
    preparaCabecalho();
}

void RelatorioMovimento::antesDoDetalhe(int row) {
    if (row < 0)
        return; // the blank line of an empty list
    const ListCopy* list = relatorio->data();
    totais->soma(list->value(row, QStringLiteral("MOV_OPER")).toString(),
                 list->value(row, QStringLiteral("MOV_QUANT")).toDouble(),
                 list->value(row, QStringLiteral("MOV_VALOR")).toDouble());
}
