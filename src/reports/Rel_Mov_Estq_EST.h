#pragma once

#include "reports/DoisTotais.h"
#include "reports/RelatorioMovimento.h"

// The entries only or the exits only of a period by date, with their total
// quantity and value; the chooser writes the title and the two captions.
class TfRel_Mov_ESTQ_EST : public RelatorioMovimento {
    Q_OBJECT
public:
    TfRel_Mov_ESTQ_EST();

    report::BandReport* const qrMov_Estq_EST;
    report::Label* lbDataIni; // written by the period dialog
    report::Label* lbTotal_Quantidade;
    report::Label* lbTotal_Reais;
    DoisTotais totais;
};

extern TfRel_Mov_ESTQ_EST* fRel_Mov_ESTQ_EST;
