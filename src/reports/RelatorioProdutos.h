#pragma once

#include "reports/Colunas.h"
#include "reports/FormularioRelatorio.h"

// What the four product lists share: the product list, a page header of
// the company alone, and a title band, printed once at the top of the
// first page, with the title, the column headings and a rule under them.
class RelatorioProdutos : public FormularioRelatorio {
    Q_OBJECT
public:
    report::Label* lbTitulo = nullptr;

protected:
    RelatorioProdutos(const QString& formName, const QString& reportName);

    // The rows of the title band, top to bottom.
    void titulo(const QString& caption, report::Align align, report::Style style);
    // "Grupo:" lbCodGrupo "/" lbDescGrupo.
    Pedido linhaGrupo();
    // The headings under the rows above, closing the title band.
    void colunas(ColunasProdutos conjunto);

    report::Band* titulos() const { return relatorio->band(report::BandKind::Title); }

private:
    double ultimaLinha = 0;
};
