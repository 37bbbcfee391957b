#include "reports/Rel_Mov_Estq_Grupo_ES.h"

TfRel_Mov_Estq_Grupo_ES* fRel_Mov_Estq_Grupo_ES = nullptr;

TfRel_Mov_Estq_Grupo_ES::TfRel_Mov_Estq_Grupo_ES()
    : RelatorioPedido(QStringLiteral("fRel_Mov_Estq_Grupo_ES"),
                      QStringLiteral("qrMov_Estq_Grupo_ES"), {}, QStringLiteral("Grupo:"), 40),
      qrMov_Estq_Grupo_ES(relatorio) {
    colunas(ColunasMovimento::SemOperacao);
    totais.monta(sumario(), {QStringLiteral("lbTit_EEQ"), {}, QStringLiteral("lbEEQ")},
                 {QStringLiteral("lbTIT_EER"), {}, QStringLiteral("lbEER")}, 16);
    lbTit_EEQ = totais.quantidade.legenda;
    lbTIT_EER = totais.reais.legenda;
    ligaTotais(&totais);
}
