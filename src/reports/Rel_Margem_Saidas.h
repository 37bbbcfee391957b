#pragma once

#include "reports/RelatorioCalculado.h"

// What the exits of a period were sold for and what they cost at the
// average cost of their moment: per product under its group the quantity
// gone out (exits less their reversals), the sale value, the cost and the
// margin in R$ and in %; each group's total and the total of the period.
// A product whose cost is not known is marked, its sale counted apart.
class TfRel_Margem_Saidas : public RelatorioCalculado {
    Q_OBJECT
public:
    TfRel_Margem_Saidas();

    // Reads the exits from inicio to fim, both included, every product's or
    // one group's, and writes what was asked for.
    void carrega(const QDate& inicio, const QDate& fim, const GrupoDoPedido& grupo);

    report::BandReport* const qrMargem_Saidas;
    report::Label* lbDataInicial;
    report::Label* lbDataFim;
    report::Label* lbGrupo;
    report::Label* lbTotalVenda;
    report::Label* lbTotalCusto;
    report::Label* lbTotalMargem;
    report::Label* lbTotalPercentual;
    report::Label* lbTit_SemCusto;
    report::Label* lbSemCusto;
};

extern TfRel_Margem_Saidas* fRel_Margem_Saidas;
