#pragma once

#include "reports/RelatorioProdutos.h"

// The products whose quantity is at or below their minimum stock.
class TfRelEstMin : public RelatorioProdutos {
    Q_OBJECT
public:
    TfRelEstMin();

    report::BandReport* const qrEstMin;
};

extern TfRelEstMin* fRelEstMin;
