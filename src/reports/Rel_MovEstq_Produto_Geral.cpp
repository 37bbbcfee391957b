#include "reports/Rel_MovEstq_Produto_Geral.h"

TfRel_MovEstq_Produto_Geral* fRel_MovEstq_Produto_Geral = nullptr;

TfRel_MovEstq_Produto_Geral::TfRel_MovEstq_Produto_Geral()
    : RelatorioPedido(QStringLiteral("fRel_MovEstq_Produto_Geral"),
                      QStringLiteral("qrMovEstq_Produto_Geral"),
                      QStringLiteral("Lista de Movimentação de Estoque por Produto"),
                      QStringLiteral("Produto:"), 40),
      qrMovEstq_Produto_Geral(relatorio) {
    colunas(ColunasMovimento::Produto);
    totais.monta(sumario());
    ligaTotais(&totais);
}
