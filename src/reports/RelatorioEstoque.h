#pragma once

#include "reports/RelatorioProdutos.h"

// The stock lists: every product's quantity with its cost and sale price,
// and the value of the stock at both prices in the summary.
class RelatorioEstoque : public RelatorioProdutos {
    Q_OBJECT
public:
    report::Label* lbTotal_PVenda;
    report::Label* lbTotal_PCusto;
    double ValorCusto = 0, ValorVenda = 0;

protected:
    // A list of one group has the group's line under its title.
    RelatorioEstoque(const QString& formName, const QString& reportName, bool umGrupo);

    // Captions a list sets itself before each generation.
    virtual void preparaCabecalho() {}

    Pedido grupo{};

private:
    void antesDaGeracao();
    void antesDoDetalhe(int row);
    void antesDoSumario();
};
