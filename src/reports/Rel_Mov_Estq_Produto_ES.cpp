#include "reports/Rel_Mov_Estq_Produto_ES.h"

#include "reports/Tela_Impressora.h"

TfRel_Mov_Estq_Produto_ES* fRel_Mov_Estq_Produto_ES = nullptr;

TfRel_Mov_Estq_Produto_ES::TfRel_Mov_Estq_Produto_ES()
    : RelatorioPedido(QStringLiteral("fRel_Mov_Estq_Produto_ES"),
                      QStringLiteral("qrMov_Estq_Produto_ES"), {}, QStringLiteral("Produto:"), 40),
      qrMov_Estq_Produto_ES(relatorio) {
    lbTit_TipoSaida = colunas(ColunasMovimento::ProdutoTipo)[1];
    totais.monta(sumario(), {QStringLiteral("lbTit_EEQ"), {}, QStringLiteral("lbEEQ")},
                 {QStringLiteral("lbTIT_EER"), {}, QStringLiteral("lbEER")}, 14);
    lbTit_EEQ = totais.quantidade.legenda;
    lbTIT_EER = totais.reais.legenda;
    ligaTotais(&totais);
}

// Entries carry no exit type, so the heading of the type stands only over
// the exits.
void TfRel_Mov_Estq_Produto_ES::preparaCabecalho() {
    lbTit_TipoSaida->setEnabled(fTela_Impressora && fTela_Impressora->Relatorio ==
                                                        QLatin1String("Mov Estq Produto Saida"));
}
