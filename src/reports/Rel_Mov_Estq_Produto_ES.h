#pragma once

#include "reports/DoisTotais.h"
#include "reports/RelatorioPedido.h"

// The entries only or the exits only of one product in a period; exits show
// their exit type. The dialog writes the title and the two captions.
class TfRel_Mov_Estq_Produto_ES : public RelatorioPedido {
    Q_OBJECT
public:
    TfRel_Mov_Estq_Produto_ES();

    report::BandReport* const qrMov_Estq_Produto_ES;
    report::Label* lbTit_TipoSaida; // printed for exits only
    report::Label* lbTit_EEQ;
    report::Label* lbTIT_EER;
    DoisTotais totais;

protected:
    void preparaCabecalho() override;
};

extern TfRel_Mov_Estq_Produto_ES* fRel_Mov_Estq_Produto_ES;
