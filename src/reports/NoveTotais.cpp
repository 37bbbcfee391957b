#include "reports/NoveTotais.h"

#include "entry/RegionalNumbers.h"
#include "reportengine/BandReport.h"

using namespace report;

namespace {

constexpr double Linha = 12;

} // namespace

void NoveTotais::monta(Band* sumario) {
    sumario->ruleTop = true;
    sumario->height = 4 + 5 * Linha + 2;
    struct Row {
        const char* tituloQuant;
        Label** quant;
        const char* nomeQuant;
        const char* tituloValor;
        Label** valor;
        const char* nomeValor;
    };
    const Row rows[] = {
        {"Total de Entradas(Quantidade):", &lbEEQ, "lbEEQ", "Total de Entradas(R$):", &lbEER,
         "lbEER"},
        {"Total de Saídas(Quantidade):", &lbSSQ, "lbSSQ", "Total de Saídas(R$):", &lbSSR, "lbSSR"},
        {"Total de Est.de Entradas(Quantidade):", &lbTEQ, "lbTEQ",
         "Total de Est.de Entradas(R$):", &lbTER, "lbTER"},
        {"Total de Est.de Saídas(Quantidade):", &lbTSQ, "lbTSQ",
         "Total de Est.de Saídas(R$):", &lbTSR, "lbTSR"},
        {nullptr, nullptr, nullptr, "Balanço do Período:", &lbTotal, "lbTotal"},
    };
    double y = 4;
    for (const Row& row : rows) {
        if (row.quant) {
            sumario->label(QStringLiteral("lbTit%1").arg(QLatin1String(row.nomeQuant + 2)),
                           QString::fromUtf8(row.tituloQuant), 0, 180, Align::Left, Style::Bold, y);
            *row.quant = sumario->label(QLatin1String(row.nomeQuant), {}, 180, 86, Align::Right,
                                        Style::Fixed, y);
        }
        sumario->label(QStringLiteral("lbTit%1").arg(QLatin1String(row.nomeValor + 2)),
                       QString::fromUtf8(row.tituloValor), 280, 140, Align::Left, Style::Bold, y);
        *row.valor = sumario->label(QLatin1String(row.nomeValor), {}, 420,
                                    BandReport::BandWidth - 420, Align::Right, Style::Fixed, y);
        y += Linha;
    }
}

void NoveTotais::zera() {
    EEQ = EER = SSQ = SSR = TEQ = TER = TSQ = TSR = Total = 0;
}

void NoveTotais::soma(const QString& oper, double quant, double valor) {
    if (oper == QLatin1String("EE") || oper == QLatin1String("TS"))
        Total += valor;
    else
        Total -= valor;
    if (oper == QLatin1String("EE")) {
        EEQ += quant;
        EER += valor;
    } else if (oper == QLatin1String("SS")) {
        SSQ += quant;
        SSR += valor;
    } else if (oper == QLatin1String("TE")) {
        TEQ += quant;
        TER += valor;
    } else if (oper == QLatin1String("TS")) {
        TSQ += quant;
        TSR += valor;
    }
}

void NoveTotais::escreve() {
    lbEEQ->setCaption(formatNumber(EEQ, 14, 3));
    lbSSQ->setCaption(formatNumber(SSQ, 14, 3));
    lbTEQ->setCaption(formatNumber(TEQ, 14, 3));
    lbTSQ->setCaption(formatNumber(TSQ, 14, 3));
    lbEER->setCaption(formatCurrency(EER, 14, 2));
    lbSSR->setCaption(formatCurrency(SSR, 14, 2));
    lbTER->setCaption(formatCurrency(TER, 14, 2));
    lbTSR->setCaption(formatCurrency(TSR, 14, 2));
    lbTotal->setCaption(formatCurrency(Total, 14, 2));
}
