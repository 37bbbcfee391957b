#pragma once

#include "reports/DoisTotais.h"
#include "reports/RelatorioPedido.h"

// The exits of one exit type in a period, with their total quantity and
// value.
class TfRel_Mov_Estq_Tipo : public RelatorioPedido {
    Q_OBJECT
public:
    TfRel_Mov_Estq_Tipo();

    report::BandReport* const qrMov_Estq_Tipo;
    DoisTotais totais;
};

extern TfRel_Mov_Estq_Tipo* fRel_Mov_Estq_Tipo;
