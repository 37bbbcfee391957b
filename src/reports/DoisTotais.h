#pragma once

#include "reports/Totais.h"

// One quantity and one value over every movement listed, on one summary
// row: the reports whose statement already chose the operation.
class DoisTotais : public TotaisMovimento {
public:
    // The quantity keeps `precisao` significant digits.
    void monta(report::Band* sumario, const Rotulo& quantidade, const Rotulo& valor, int precisao);

    void zera() override;
    void soma(const QString& oper, double quant, double valor) override;
    void escreve() override;

    double Quant = 0, Valor = 0;
    Total quantidade, reais;

private:
    int precisaoQuant = 14;
};
