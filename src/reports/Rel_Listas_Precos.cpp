#include "reports/Rel_Listas_Precos.h"

TfRel_Listas_Precos* fRel_Listas_Precos = nullptr;

TfRel_Listas_Precos::TfRel_Listas_Precos()
    : RelatorioProdutos(QStringLiteral("fRel_Listas_Precos"), QStringLiteral("qp_Listas_Precos")),
      qp_Listas_Precos(relatorio) {
    titulo(QStringLiteral("Lista de Preços "), report::Align::Left, report::Style::Title);
    colunas(ColunasProdutos::Precos);
}
