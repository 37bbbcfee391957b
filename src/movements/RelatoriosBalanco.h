#pragma once

#include <memory>

class QWidget;
class SqlConnection;

namespace report {
class BandReport;
} // namespace report

// The printed reports of a stock count. Each report owns the list it prints,
// read when it is made; the preview, the print, the PDF file and the
// spreadsheet all come from it, as for every other report.
namespace balanco {

// "Folha de Contagem do Balanço N": the count's products by location, then
// description, with a ruled blank column to write the count by hand. Only
// with comEsperado does it print the quantity on hand; the blind sheet shows
// no quantity at all.
std::unique_ptr<report::BandReport> folhaDeContagem(SqlConnection* conexao, int numero,
                                                    bool comEsperado);

// "Diferenças do Balanço N" of an applied count: what its apply found for
// each product, in quantity and at the cost price, the uncounted ones
// marked, and the surplus, the shortfall and the balance at the end.
std::unique_ptr<report::BandReport> relatorioDeDiferencas(SqlConnection* conexao, int numero);

} // namespace balanco

// The reports in the modal preview, for the count screen. The differences of
// a count not applied are refused with a warning.
void MostraFolhaDeContagem(QWidget* pai, SqlConnection* conexao, int numero, bool comEsperado);
void MostraDiferencas(QWidget* pai, SqlConnection* conexao, int numero);
