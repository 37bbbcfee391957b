#pragma once

#include "reports/Colunas.h"
#include "reports/FormularioRelatorio.h"

#include <vector>

class TotaisMovimento;

// What the eight movement reports share: the movement list; a page header
// of title, period, what was asked for and column headings over a rule;
// and totals that every output starts from zero and leaves at zero.
class RelatorioMovimento : public FormularioRelatorio {
    Q_OBJECT
public:
    report::Label* lbTitulo = nullptr;
    report::Label* lbDataFim = nullptr; // written by the dialog, as is the start date

protected:
    RelatorioMovimento(const QString& formName, const QString& reportName);

    // The rows of the page header, top to bottom. A title left empty is the
    // chooser's or the dialog's to write.
    void titulo(const QString& caption);
    // Answers the label of the start date.
    report::Label* periodo(const QString& nomeInicio);
    // "Produto:", "Grupo:" or "Tipo de Saída:" with lbCodPro "/" lbDescPro.
    Pedido pedido(const QString& rotulo, double recuo);
    // The headings under the rows above, closing the header.
    std::vector<report::Label*> colunas(ColunasMovimento conjunto);
    // The meaning of the operation codes, in the page footer.
    void legenda();

    // The report's hooks over its totals; call once the summary is laid out.
    void ligaTotais(TotaisMovimento* totais);
    // Captions a report sets itself before each generation.
    virtual void preparaCabecalho() {}

private:
    void antesDaGeracao();
    void antesDoDetalhe(int row);

    TotaisMovimento* totais = nullptr;
    double ultimaLinha = LinhaTitulo;
};
