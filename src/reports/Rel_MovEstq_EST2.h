#pragma once

#include "reports/RelatorioMovimento.h"
#include "reports/TotaisEstorno.h"

// The entries and their reversals, or the exits and theirs, of a period by
// date; the chooser writes the title and the six captions of the totals.
class TfRelMovEstq_EST2 : public RelatorioMovimento {
    Q_OBJECT
public:
    TfRelMovEstq_EST2();

    report::BandReport* const qrMovEstq_EST2;
    report::Label* lbDataIni; // written by the period dialog
    report::Label* lbTotalQuantidadeEE;
    report::Label* lbTotalQuantidadeTT;
    report::Label* lbTotal_ReaisEE;
    report::Label* lbTotal_ReaisTT;
    report::Label* lbTotalTER;
    report::Label* lbTotalTEQ;
    TotaisEstorno totais;
};

extern TfRelMovEstq_EST2* fRelMovEstq_EST2;
