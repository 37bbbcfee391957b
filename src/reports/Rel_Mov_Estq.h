#pragma once

#include "reports/NoveTotais.h"
#include "reports/RelatorioMovimento.h"

// Every movement of a period by date, with the totals per operation and the
// legend of the operation codes in the footer.
class TfRel_Mov_Estq : public RelatorioMovimento {
    Q_OBJECT
public:
    TfRel_Mov_Estq();

    report::BandReport* const qrMov_Estq;
    report::Label* lbDataIni; // written by the period dialog
    NoveTotais totais;
};

extern TfRel_Mov_Estq* fRel_Mov_Estq;
