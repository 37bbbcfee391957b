#pragma once

#include "reports/Totais.h"

// The totals per operation of the movement reports that list every
// operation: quantity and value of entries, exits and both reversals, and
// the balance of the period, with the five summary rows that print them.
class NoveTotais : public TotaisMovimento {
public:
    // Lays out the summary rows on the band.
    void monta(report::Band* sumario);

    void zera() override;
    void soma(const QString& oper, double quant, double valor) override;
    void escreve() override;

    double EEQ = 0, EER = 0, SSQ = 0, SSR = 0, TEQ = 0, TER = 0, TSQ = 0, TSR = 0, Total = 0;

    report::Label* lbEEQ = nullptr;
    report::Label* lbEER = nullptr;
    report::Label* lbSSQ = nullptr;
    report::Label* lbSSR = nullptr;
    report::Label* lbTEQ = nullptr;
    report::Label* lbTER = nullptr;
    report::Label* lbTSQ = nullptr;
    report::Label* lbTSR = nullptr;
    report::Label* lbTotal = nullptr;
};
