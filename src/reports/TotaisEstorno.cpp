#include "reports/TotaisEstorno.h"

#include "entry/RegionalNumbers.h"

namespace {

// The captions are longer than those of the other summaries.
constexpr Posicao QuantidadesLongas{0, 196, 270};
constexpr Posicao ValoresLongos{278, 446, report::BandReport::BandWidth};

Rotulo rotulo(const char* legenda, const char* nome) {
    return {QLatin1String(legenda), {}, QLatin1String(nome)};
}

} // namespace

void TotaisEstorno::monta(report::Band* sumario) {
    movimentoQuant = total(sumario, 0, QuantidadesLongas, rotulo("lbTotalQuantidadeEE", "lbEEQ"));
    movimentoReais = total(sumario, 0, ValoresLongos, rotulo("lbTotal_ReaisEE", "lbEER"));
    estornoQuant = total(sumario, 1, QuantidadesLongas, rotulo("lbTotalQuantidadeTT", "lbTTQ"));
    estornoReais = total(sumario, 1, ValoresLongos, rotulo("lbTotal_ReaisTT", "lbTTR"));
    saldoQuant = total(sumario, 2, QuantidadesLongas, rotulo("lbTotalTEQ", "lbTEQ"));
    saldoReais = total(sumario, 2, ValoresLongos, rotulo("lbTotalTER", "lbTER"));
}

void TotaisEstorno::zera() {
    MovQ = MovR = EstQ = EstR = 0;
}

void TotaisEstorno::soma(const QString& oper, double quant, double valor) {
    if (oper == QLatin1String("SS") || oper == QLatin1String("EE")) {
        MovQ += quant;
        MovR += valor;
    } else {
        EstQ += quant;
        EstR += valor;
    }
}

void TotaisEstorno::escreve() {
    movimentoQuant.valor->setCaption(formatNumber(MovQ, 14, 3));
    movimentoReais.valor->setCaption(formatCurrency(MovR, 14, 2));
    estornoQuant.valor->setCaption(formatNumber(EstQ, 14, 3));
    estornoReais.valor->setCaption(formatCurrency(EstR, 14, 2));
    saldoQuant.valor->setCaption(formatNumber(MovQ - EstQ, 14, 3));
    saldoReais.valor->setCaption(formatCurrency(MovR - EstR, 14, 2));
}
