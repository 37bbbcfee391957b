#include "reports/Rel_Mov_Estq.h"

TfRel_Mov_Estq* fRel_Mov_Estq = nullptr;

TfRel_Mov_Estq::TfRel_Mov_Estq()
    : RelatorioMovimento(QStringLiteral("fRel_Mov_Estq"), QStringLiteral("qrMov_Estq")),
      qrMov_Estq(relatorio) {
    titulo(QStringLiteral("Lista de Movimentação de Estoque Geral por Data"));
    lbDataIni = periodo(QStringLiteral("lbDataIni"));
    colunas(ColunasMovimento::Completas);
    legenda();
    totais.monta(sumario());
    ligaTotais(&totais);
}
