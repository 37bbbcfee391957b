#pragma once

#include <QString>

namespace report {
class Band;
class Label;
} // namespace report

// Header rows the movement reports share.
struct Periodo {
    report::Label* inicio;
    report::Label* fim;
};

// "Período: " start "à" end, the two dates written by the period dialogs.
Periodo linhaPeriodo(report::Band* cabecalho, double y, const QString& nomeInicio);

// The headings "Código", "Descrição", "Data", ("Oper.",) "Quantidade",
// "Valor" at y of the page header and the fields under them in the detail.
void colunasMovimento(report::Band* cabecalho, report::Band* detalhe, double y, bool comOperacao);
