#pragma once

#include "reports/Totais.h"

// The movements of one direction (entries or exits) beside their reversals,
// and what is left of them: three summary rows whose captions the chooser
// writes, since they name the direction.
class TotaisEstorno : public TotaisMovimento {
public:
    void monta(report::Band* sumario);

    void zera() override;
    void soma(const QString& oper, double quant, double valor) override;
    void escreve() override;

    double MovQ = 0, MovR = 0, EstQ = 0, EstR = 0;
    Total movimentoQuant, movimentoReais, estornoQuant, estornoReais, saldoQuant, saldoReais;
};
