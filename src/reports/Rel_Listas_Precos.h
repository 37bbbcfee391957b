#pragma once

#include "reports/RelatorioProdutos.h"

// Every product with its sale price, by code or by description as the menu
// command ordered the list.
class TfRel_Listas_Precos : public RelatorioProdutos {
    Q_OBJECT
public:
    TfRel_Listas_Precos();

    report::BandReport* const qp_Listas_Precos;
};

extern TfRel_Listas_Precos* fRel_Listas_Precos;
