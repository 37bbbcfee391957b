#pragma once

#include "reports/RelatorioEstoque.h"

// Every product in stock with the value of the stock, by code or by
// description as the menu command ordered the list.
class TfRel_Itens_Estoque : public RelatorioEstoque {
    Q_OBJECT
public:
    TfRel_Itens_Estoque();

    report::BandReport* const qrItens_Estoque;
};

extern TfRel_Itens_Estoque* fRel_Itens_Estoque;
