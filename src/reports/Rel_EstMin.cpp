#include "reports/Rel_EstMin.h"

TfRelEstMin* fRelEstMin = nullptr;

TfRelEstMin::TfRelEstMin()
    : RelatorioProdutos(QStringLiteral("fRelEstMin"), QStringLiteral("qrEstMin")),
      qrEstMin(relatorio) {
    titulo(QStringLiteral("Lista de Itens Abaixo do Estoque Mínimo"), report::Align::BandCenter,
           report::Style::SmallTitle);
    colunas(ColunasProdutos::EstoqueMinimo);
}
