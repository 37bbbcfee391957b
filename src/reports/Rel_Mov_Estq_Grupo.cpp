#include "reports/Rel_Mov_Estq_Grupo.h"

TfRel_Mov_Estq_Grupo* fRel_Mov_Estq_Grupo = nullptr;

TfRel_Mov_Estq_Grupo::TfRel_Mov_Estq_Grupo()
    : RelatorioPedido(QStringLiteral("fRel_Mov_Estq_Grupo"), QStringLiteral("qrMov_Estq_Grupos"),
                      QStringLiteral("Lista de Movimentação de Estoque por Grupo"),
                      QStringLiteral("Grupo:"), 40),
      qrMov_Estq_Grupos(relatorio) {
    colunas(ColunasMovimento::Completas);
    legenda();
    totais.monta(sumario());
    ligaTotais(&totais);
}
