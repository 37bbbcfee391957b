#include "reports/NoveTotais.h"

#include "entry/RegionalNumbers.h"

using namespace report;

void NoveTotais::monta(Band* sumario) {
    struct Linha {
        const char* quantidade;
        Label** quant;
        const char* nomeQuant;
        const char* valor;
        Label** reais;
        const char* nomeValor;
    };
    const Linha linhas[] = {
        {"Total de Entradas(Quantidade):", &lbEEQ, "EEQ", "Total de Entradas(R$):", &lbEER, "EER"},
        {"Total de Saídas(Quantidade):", &lbSSQ, "SSQ", "Total de Saídas(R$):", &lbSSR, "SSR"},
        {"Total de Est.de Entradas(Quantidade):", &lbTEQ, "TEQ",
         "Total de Est.de Entradas(R$):", &lbTER, "TER"},
        {"Total de Est.de Saídas(Quantidade):", &lbTSQ, "TSQ",
         "Total de Est.de Saídas(R$):", &lbTSR, "TSR"},
        {nullptr, nullptr, nullptr, "Balanço do Período:", &lbTotal, "Total"},
    };
    auto rotulo = [](const char* legenda, const char* nome) {
        return Rotulo{QStringLiteral("lbTit%1").arg(QLatin1String(nome)),
                      QString::fromUtf8(legenda), QStringLiteral("lb%1").arg(QLatin1String(nome))};
    };
    int n = 0;
    for (const Linha& linha : linhas) {
        if (linha.quant)
            *linha.quant =
                total(sumario, n, Quantidades, rotulo(linha.quantidade, linha.nomeQuant)).valor;
        *linha.reais = total(sumario, n, Valores, rotulo(linha.valor, linha.nomeValor)).valor;
        ++n;
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
