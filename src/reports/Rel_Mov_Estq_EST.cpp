#include "reports/Rel_Mov_Estq_EST.h"

TfRel_Mov_ESTQ_EST* fRel_Mov_ESTQ_EST = nullptr;

TfRel_Mov_ESTQ_EST::TfRel_Mov_ESTQ_EST()
    : RelatorioMovimento(QStringLiteral("fRel_Mov_ESTQ_EST"), QStringLiteral("qrMov_Estq_EST")),
      qrMov_Estq_EST(relatorio) {
    titulo({});
    lbDataIni = periodo(QStringLiteral("lbDataIni"));
    colunas(ColunasMovimento::SemOperacao);
    totais.monta(sumario(), {QStringLiteral("lbTotal_Quantidade"), {}, QStringLiteral("lbEEQ")},
                 {QStringLiteral("lbTotal_Reais"), {}, QStringLiteral("lbEER")}, 14);
    lbTotal_Quantidade = totais.quantidade.legenda;
    lbTotal_Reais = totais.reais.legenda;
    ligaTotais(&totais);
}
