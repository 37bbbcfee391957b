#pragma once

#include "reports/DoisTotais.h"
#include "reports/RelatorioPedido.h"

// The entries only or the exits only of the products of one group in a
// period; the dialog writes the title and the two captions.
class TfRel_Mov_Estq_Grupo_ES : public RelatorioPedido {
    Q_OBJECT
public:
    TfRel_Mov_Estq_Grupo_ES();

    report::BandReport* const qrMov_Estq_Grupo_ES;
    report::Label* lbTit_EEQ;
    report::Label* lbTIT_EER;
    DoisTotais totais;
};

extern TfRel_Mov_Estq_Grupo_ES* fRel_Mov_Estq_Grupo_ES;
