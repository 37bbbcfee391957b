#include "reports/Colunas.h"

#include "reportengine/BandReport.h"

using namespace report;

Periodo linhaPeriodo(Band* cabecalho, double y, const QString& nomeInicio) {
    cabecalho->label(QStringLiteral("lbPeriodo"), QStringLiteral("Período: "), 0, 40, Align::Left,
                     Style::Bold, y);
    Label* inicio = cabecalho->label(nomeInicio, {}, 40, 52, Align::Left, Style::Normal, y);
    cabecalho->label(QStringLiteral("lbA"), QStringLiteral("à"), 94, 10, Align::Center,
                     Style::Normal, y);
    Label* fim =
        cabecalho->label(QStringLiteral("lbDataFim"), {}, 106, 52, Align::Left, Style::Normal, y);
    return {inicio, fim};
}

void colunasMovimento(Band* cabecalho, Band* detalhe, double y, bool comOperacao) {
    struct Coluna {
        const char* titulo;
        const char* campo;
        double x, largura;
        Align align;
    };
    const Coluna colunas[] = {
        {"Código", "MOV_CODPRO", 0, 56, Align::Right},
        {"Descrição", "PRO_DESCRICAO", 64, 214, Align::Left},
        {"Data", "MOV_DATA", 284, 54, Align::Left},
        {"Oper.", "MOV_OPER", 344, 30, Align::Left},
        {"Quantidade", "MOV_QUANT", 376, 72, Align::Right},
        {"Valor", "MOV_VALOR", 452, BandReport::BandWidth - 452, Align::Right},
    };
    for (const Coluna& c : colunas) {
        const QString campo = QLatin1String(c.campo);
        if (!comOperacao && campo == QLatin1String("MOV_OPER"))
            continue;
        cabecalho->label(QStringLiteral("lbTit_%1").arg(campo), QString::fromUtf8(c.titulo), c.x,
                         c.largura, c.align, Style::Bold, y);
        detalhe->field(campo, c.x, c.largura, c.align);
    }
}
