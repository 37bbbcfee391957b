#include "reports/RelatorioProdutos.h"

#include "data/DataModule_Produtos.h"

using namespace report;

namespace {

// Rows of the title band; the title stands where it does in the movement
// reports, whose page header has the company line above it too.
constexpr double LinhaTituloLista = 2;
constexpr double EntreLinhas = 18;

} // namespace

RelatorioProdutos::RelatorioProdutos(const QString& formName, const QString& reportName)
    : FormularioRelatorio(formName, reportName, dmProdutos->cds_Produtos) {}

void RelatorioProdutos::titulo(const QString& caption, Align align, Style style) {
    ultimaLinha = LinhaTituloLista;
    lbTitulo = titulos()->label(QStringLiteral("lbTitulo"), caption, 0, BandReport::BandWidth,
                                align, style, ultimaLinha);
}

Pedido RelatorioProdutos::linhaGrupo() {
    ultimaLinha += EntreLinhas;
    return linhaPedido(titulos(), ultimaLinha, QStringLiteral("Grupo:"), 40,
                       QStringLiteral("lbCodGrupo"), QStringLiteral("lbDescGrupo"));
}

void RelatorioProdutos::colunas(ColunasProdutos conjunto) {
    const double y = ultimaLinha + EntreLinhas;
    Band* band = titulos();
    band->height = y + 14;
    band->ruleBottom = true;
    ::colunas(band, detalhe(), y, conjunto);
}
