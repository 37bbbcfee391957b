#pragma once

#include "reports/RelatorioMovimento.h"

// The movement reports of one product, group or exit type: under the title
// the period, from lbDataInicial to lbDataFim, and a line with the code and
// the description of what was asked for, all written by the dialog.
class RelatorioPedido : public RelatorioMovimento {
    Q_OBJECT
public:
    report::Label* lbDataInicial;
    report::Label* lbCodPro;
    report::Label* lbDescPro;

protected:
    // `rotulo` heads the request line; its code starts `recuo` points in.
    RelatorioPedido(const QString& formName, const QString& reportName, const QString& caption,
                    const QString& rotulo, double recuo);
};
