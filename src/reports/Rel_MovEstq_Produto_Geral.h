#pragma once

#include "reports/NoveTotais.h"
#include "reports/RelatorioPedido.h"

// Every movement of one product in a period, each with the description of
// its operation, and the totals per operation.
class TfRel_MovEstq_Produto_Geral : public RelatorioPedido {
    Q_OBJECT
public:
    TfRel_MovEstq_Produto_Geral();

    report::BandReport* const qrMovEstq_Produto_Geral;
    NoveTotais totais;
};

extern TfRel_MovEstq_Produto_Geral* fRel_MovEstq_Produto_Geral;
