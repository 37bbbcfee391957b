// How long the reports of the average cost take over 10,000 products and
// 200,000 movements through the server: each one computed (the products and
// every movement read in one snapshot, one pass per product, its rows made
// and put in its list) beside the bare fetch of the same rows on the
// Firebird client, in the same run and in turns; then how long from the
// dialog's print button until the preview shows the first page.
//
//   kelvara-bench_valorizacao FOLDER [KEEP]
//
// FOLDER is the one kelvara-bench_lists fills; run that first. Figures are
// medians of a few rounds after a warm-up. KEEP, a folder on this machine,
// receives each report as a PDF file to look at.

#include "BareClient.h"
#include "BenchDatabase.h"
#include "Measure.h"
#include "Offscreen.h"
#include "ReportBench.h"
#include "data/DbError.h"
#include "reportengine/RecordingDevice.h"
#include "reports/CustoMedio.h"
#include "reports/Rel_Conferencia_Estoque.h"
#include "reports/Rel_Estoque_Valorizado.h"
#include "reports/Rel_Margem_Saidas.h"
#include "shell/Application.h"

#include <QDir>
#include <QElapsedTimer>

namespace {

constexpr int Rounds = 7;

double msSince(const QElapsedTimer& clock) {
    return clock.nsecsElapsed() / 1e6;
}

struct Relatorio {
    const char* name;
    report::BandReport* component;
    std::function<void()> load; // what the dialog's print button does
};

} // namespace

int main(int argc, char** argv) {
    runOffscreenQuietly();
    Application app(argc, argv);
    QString folder, keep;
    try {
        if (!startReportBench("kelvara-bench_valorizacao", folder, keep))
            return 2;
        fRel_Estoque_Valorizado = new TfRel_Estoque_Valorizado;
        fRel_Margem_Saidas = new TfRel_Margem_Saidas;
        fRel_Conferencia_Estoque = new TfRel_Conferencia_Estoque;

        BareClient bare(CaminhoBanco(folder, QStringLiteral("qor.gdb")).toStdString());
        const int products = bare.prepare(custo::instrucaoDosProdutos().toStdString());
        const int movements = bare.prepare(custo::instrucaoDosMovimentos().toStdString());
        auto fetchBoth = [&] {
            const BareResult p = bare.fetch(products);
            const BareResult m = bare.fetch(movements);
            return std::pair{p.rows, m.rows};
        };
        const auto [productRows, movementRows] = fetchBoth();
        std::printf("%ld products, %ld movements\n", productRows, movementRows);

        const std::vector<Relatorio> reports = {
            {"valued stock, without zeros", fRel_Estoque_Valorizado->qrEstoque_Valorizado,
             [] { fRel_Estoque_Valorizado->carrega(LastDay, {}, false); }},
            {"valued stock, with zeros", fRel_Estoque_Valorizado->qrEstoque_Valorizado,
             [] { fRel_Estoque_Valorizado->carrega(LastDay, {}, true); }},
            {"margin of one month", fRel_Margem_Saidas->qrMargem_Saidas,
             [] { fRel_Margem_Saidas->carrega(MonthStart, MonthEnd, {}); }},
            {"margin of two years", fRel_Margem_Saidas->qrMargem_Saidas,
             [] { fRel_Margem_Saidas->carrega(FirstDay, LastDay, {}); }},
            {"conference", fRel_Conferencia_Estoque->qrConferencia_Estoque,
             [] { fRel_Conferencia_Estoque->carrega(); }},
        };

        std::printf("\n%-30s %8s %11s %11s %7s %11s %11s %7s\n", "report", "rows", "computed",
                    "bare fetch", "ratio", "preview", "from button", "pages");
        std::printf("%-30s %8s %11s %11s %7s %11s %11s\n", "", "", "ms", "ms", "", "ms", "ms");
        for (const Relatorio& r : reports) {
            std::fprintf(stderr, "\r%-60s", r.name);
            std::vector<double> computed, fetched, previews, fromButton;
            for (int round = 0; round <= Rounds; ++round) {
                // In turns, so that neither always finds the server warmer.
                double c = 0, f = 0;
                QElapsedTimer clock;
                for (int turn = 0; turn < 2; ++turn) {
                    clock.restart();
                    if ((round + turn) % 2 == 0) {
                        r.load();
                        c = msSince(clock);
                    } else {
                        fetchBoth();
                        f = msSince(clock);
                    }
                }
                clock.restart();
                const double p = firstPageMs(r.component, clock);
                clock.restart();
                r.load();
                const double b = firstPageMs(r.component, clock);
                if (round == 0)
                    continue; // warm-up
                computed.push_back(c);
                fetched.push_back(f);
                previews.push_back(p);
                fromButton.push_back(b);
            }
            report::RecordingDevice device;
            const std::size_t pages = r.component->generate(&device).pages.size();
            std::printf("%-30s %8d %11.1f %11.1f %6.2fx %11.1f %11.1f %7zu\n", r.name,
                        r.component->data()->RecordCount(), median(computed), median(fetched),
                        median(computed) / median(fetched), median(previews), median(fromButton),
                        pages);
            if (!keep.isEmpty()) {
                const QString kept =
                    QDir(keep).filePath(r.component->objectName() + QStringLiteral(".pdf"));
                if (!r.component->SavePdf(kept))
                    fail("the PDF was not written");
            }
        }
        std::fprintf(stderr, "\r%-60s\r", "");
        std::printf("\ncomputed: products and movements read and walked, rows in the list; "
                    "from button: that and the preview up to its first page\n");
        std::printf("Load average at the end: %s\n", loadAverage().c_str());
    } catch (const std::exception& e) {
        fail(errorText(e).toStdString());
    }
    return 0;
}
