#include "reports/Rel_Mov_Estq_Tipo.h"

TfRel_Mov_Estq_Tipo* fRel_Mov_Estq_Tipo = nullptr;

TfRel_Mov_Estq_Tipo::TfRel_Mov_Estq_Tipo()
    : RelatorioPedido(QStringLiteral("fRel_Mov_Estq_Tipo"), QStringLiteral("qrMov_Estq_Tipo"),
                      QStringLiteral("Lista de Movimentação de Estoque por Tipo de Saída"),
                      QStringLiteral("Tipo de Saída:"), 66),
      qrMov_Estq_Tipo(relatorio) {
    colunas(ColunasMovimento::SemOperacao);
    totais.monta(sumario(),
                 {QStringLiteral("lbTitSSQ"), QStringLiteral("Total de Saídas(Quantidade):"),
                  QStringLiteral("lbSSQ")},
                 {QStringLiteral("lbTitSSR"), QStringLiteral("Total de Saídas(R$):"),
                  QStringLiteral("lbSSR")},
                 16);
    ligaTotais(&totais);
}
