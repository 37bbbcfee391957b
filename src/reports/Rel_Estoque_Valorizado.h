#pragma once

#include "reports/RelatorioCalculado.h"

// The stock at the end of a day at its average cost: under each group its
// products with their quantity, average cost and value, and the group's
// total; the total of the stock at the end.
class TfRel_Estoque_Valorizado : public RelatorioCalculado {
    Q_OBJECT
public:
    TfRel_Estoque_Valorizado();

    // Values the stock at the end of `data`, every product's or one
    // group's, with or without the products at zero then, and writes what
    // was asked for.
    void carrega(const QDate& data, const GrupoDoPedido& grupo, bool comZerados);

    report::BandReport* const qrEstoque_Valorizado;
    report::Label* lbData;
    report::Label* lbGrupo;
    report::Label* lbZerados;
    report::Label* lbTotal;
};

extern TfRel_Estoque_Valorizado* fRel_Estoque_Valorizado;
