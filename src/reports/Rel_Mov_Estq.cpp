#include "reports/Rel_Mov_Estq.h"

#include "data/DataModule_MovEstq.h"
#include "reports/Colunas.h"

using namespace report;

TfRel_Mov_Estq* fRel_Mov_Estq = nullptr;

TfRel_Mov_Estq::TfRel_Mov_Estq()
    : FormularioRelatorio(QStringLiteral("fRel_Mov_Estq"), QStringLiteral("qrMov_Estq"),
                          dmMovEstq->cds_MovEstq),
      qrMov_Estq(relatorio) {
    Band* header = cabecalho();
    lbTitulo = header->label(QStringLiteral("lbTitulo"),
                             QStringLiteral("Lista de Movimentação de Estoque Geral por Data"), 0,
                             0, Align::BandCenter, Style::Title, LinhaTitulo);
    const Periodo periodo = linhaPeriodo(header, LinhaPeriodo, QStringLiteral("lbDataIni"));
    lbDataIni = periodo.inicio;
    lbDataFim = periodo.fim;
    colunasMovimento(header, detalhe(), LinhaColunas, true);
    header->height = LinhaColunas + 14;
    header->ruleBottom = true;

    totais.monta(sumario());
    rodape()->label(QStringLiteral("lbLegenda"),
                    QStringLiteral("Legenda: EE=Entrada,  SS=Saída, TE=Estorno de Entrada, "
                                   "TS=Estorno de Saída"),
                    74, BandReport::BandWidth - 74 - 132, Align::Center, Style::Small, 4);

    qrMov_Estq->beforeGeneration = [this] { qrMov_EstqBeforePrint(); };
    detalhe()->beforePrint = [this](int row) { DetailBand1BeforePrint(row); };
    sumario()->beforePrint = [this](int) { totais.escreve(); };
    qrMov_Estq->afterPreview = [this] { totais.zera(); };
    qrMov_Estq->afterPrint = [this] { totais.zera(); };
}

void TfRel_Mov_Estq::qrMov_EstqBeforePrint() {
    cabecalhoEmpresa();
    totais.zera();
}

void TfRel_Mov_Estq::DetailBand1BeforePrint(int row) {
    if (row < 0)
        return;
    const ListCopy* list = qrMov_Estq->data();
    totais.soma(list->value(row, QStringLiteral("MOV_OPER")).toString(),
                list->value(row, QStringLiteral("MOV_QUANT")).toDouble(),
                list->value(row, QStringLiteral("MOV_VALOR")).toDouble());
}
