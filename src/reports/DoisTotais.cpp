#include "reports/DoisTotais.h"

#include "entry/RegionalNumbers.h"

void DoisTotais::monta(report::Band* sumario, const Rotulo& quant, const Rotulo& valor,
                       int precisao) {
    quantidade = total(sumario, 0, Quantidades, quant);
    reais = total(sumario, 0, Valores, valor);
    precisaoQuant = precisao;
}

void DoisTotais::zera() {
    Quant = Valor = 0;
}

void DoisTotais::soma(const QString&, double quant, double valor) {
    Quant += quant;
    Valor += valor;
}

void DoisTotais::escreve() {
    quantidade.valor->setCaption(formatNumber(Quant, precisaoQuant, 3));
    reais.valor->setCaption(formatCurrency(Valor, 14, 2));
}
