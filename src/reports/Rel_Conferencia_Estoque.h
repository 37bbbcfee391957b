#pragma once

#include "reports/RelatorioCalculado.h"

// The products whose quantity in stock differs from the signed sum of their
// movements, under their groups, with both figures and the difference: the
// opening the average cost starts from.
class TfRel_Conferencia_Estoque : public RelatorioCalculado {
    Q_OBJECT
public:
    TfRel_Conferencia_Estoque();

    // Reads every product and its movements.
    void carrega();

    report::BandReport* const qrConferencia_Estoque;
    report::Label* lbProdutos;
};

extern TfRel_Conferencia_Estoque* fRel_Conferencia_Estoque;
