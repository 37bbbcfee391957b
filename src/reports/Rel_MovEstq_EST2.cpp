#include "reports/Rel_MovEstq_EST2.h"

TfRelMovEstq_EST2* fRelMovEstq_EST2 = nullptr;

TfRelMovEstq_EST2::TfRelMovEstq_EST2()
    : RelatorioMovimento(QStringLiteral("fRelMovEstq_EST2"), QStringLiteral("qrMovEstq_EST2")),
      qrMovEstq_EST2(relatorio) {
    titulo({});
    lbDataIni = periodo(QStringLiteral("lbDataIni"));
    colunas(ColunasMovimento::Completas);
    totais.monta(sumario());
    lbTotalQuantidadeEE = totais.movimentoQuant.legenda;
    lbTotal_ReaisEE = totais.movimentoReais.legenda;
    lbTotalQuantidadeTT = totais.estornoQuant.legenda;
    lbTotal_ReaisTT = totais.estornoReais.legenda;
    lbTotalTEQ = totais.saldoQuant.legenda;
    lbTotalTER = totais.saldoReais.legenda;
    ligaTotais(&totais);
}
