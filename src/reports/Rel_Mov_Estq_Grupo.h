#pragma once

#include "reports/NoveTotais.h"
#include "reports/RelatorioPedido.h"

// Every movement of the products of one group in a period, with the totals
// per operation and the legend of the operation codes in the footer.
class TfRel_Mov_Estq_Grupo : public RelatorioPedido {
    Q_OBJECT
public:
    TfRel_Mov_Estq_Grupo();

    report::BandReport* const qrMov_Estq_Grupos;
    NoveTotais totais;
};

extern TfRel_Mov_Estq_Grupo* fRel_Mov_Estq_Grupo;
