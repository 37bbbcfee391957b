// How long the general movement report takes to reach a PDF file, and how
// much memory it takes, for one month and for every movement, beside the
// bare fetch of the same rows; how soon the preview of every movement shows
// its first page; then every layout to a PDF file: the eight movement
// layouts over the movements of one month and over all of them, the four
// product lists over every product.
//
//   kelvara-bench_reports FOLDER [KEEP]
//
// FOLDER is the one kelvara-bench_lists fills (10,000 products, 200,000
// movements over 2005 and 2006); run that first. Figures are medians of a
// few repetitions after one warm-up round of the month. KEEP, a folder on
// this machine, receives the PDF file of each layout (a month's for the
// movement layouts) to look at.

#include "BareClient.h"
#include "BenchDatabase.h"
#include "Measure.h"
#include "Offscreen.h"
#include "ReportBench.h"
#include "data/Conexao.h"
#include "data/DataModule_Conexao.h"
#include "data/DataModule_Config.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "data/DbError.h"
#include "reportengine/RecordingDevice.h"
#include "reportengine/ReportPreview.h"
#include "reports/Rel_EstMin.h"
#include "reports/Rel_Itens_Estoque.h"
#include "reports/Rel_Itens_Estoque_Grupo.h"
#include "reports/Rel_Listas_Precos.h"
#include "reports/Rel_MovEstq_EST2.h"
#include "reports/Rel_MovEstq_Produto_Geral.h"
#include "reports/Rel_Mov_Estq.h"
#include "reports/Rel_Mov_Estq_EST.h"
#include "reports/Rel_Mov_Estq_Grupo.h"
#include "reports/Rel_Mov_Estq_Grupo_ES.h"
#include "reports/Rel_Mov_Estq_Produto_ES.h"
#include "reports/Rel_Mov_Estq_Tipo.h"
#include "reports/Tela_Impressora.h"
#include "shell/Application.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

namespace {

constexpr int MonthRepetitions = 5;
constexpr int AllRepetitions = 2;

// The period statement of the general movement report.
const QString Select = QStringLiteral(
    "SElect m.*,p.PRO_Descricao, c.DESCRICAO,t.TIP_Descricao From Mov_Estq m join Produtos p on "
    "(m.MOV_CodPro = p.PRO_Codigo) join CodMOV c on (m.MOV_Oper=c.CODIGO)  Left Outer join Tipos "
    "t on");
const QString Period = QStringLiteral("(m.MOV_Tipo=t.TIP_CODIGO) Where m.MOV_DAta Between "
                                      ":DataIniD and :DataFimD Order By m.MOV_Data ");

void loadPeriod(const QDate& from, const QDate& to) {
    fb::Params params;
    params.setDate(QStringLiteral("DataIniD"), from);
    params.setDate(QStringLiteral("DataFimD"), to);
    dmMovEstq->cds_MovEstq->Reload({Select, Period}, params);
}

void printRow(const Figures& f, const char* note = "") {
    char range[32], memory[32];
    std::snprintf(range, sizeof range, "(%.0f-%.0f)", f.minMs(), f.maxMs());
    std::snprintf(memory, sizeof memory, "%.1f (+%.1f)", f.peak(), f.growth());
    std::printf("%-46s %8ld %10.1f %14s %16s %s\n", f.name.c_str(), f.rows, f.ms(), range, memory,
                note);
}

// The floor: rows of six short text columns written straight to a PDF file,
// A4 with 10 mm margins in an 8 pt fixed-pitch font, with nothing of the
// report engine in the way.
void floorPdf(const QString& path, int rows) {
    QPdfWriter writer(path);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    QPainter painter(&writer);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPointSizeF(8);
    painter.setFont(font);
    const QFontMetricsF metrics(painter.font(), &writer);
    const double line = metrics.lineSpacing();
    const double height = painter.viewport().height();
    const QString columns[] = {QStringLiteral("      1234"), QStringLiteral("Parafuso sextavado"),
                               QStringLiteral("01/03/2006"), QStringLiteral("EE"),
                               QStringLiteral("10,000"),     QStringLiteral("R$ 100,00")};
    const double step = painter.viewport().width() / 6;
    double y = 0;
    for (int row = 0; row < rows; ++row) {
        if (y + line > height) {
            writer.newPage();
            y = 0;
        }
        for (int c = 0; c < 6; ++c)
            painter.drawText(QPointF(c * step, y + metrics.ascent()), columns[c]);
        y += line;
    }
}

// The layouts, each with the report form that holds it.
struct Layout {
    const char* name;
    report::BandReport* component;
};

std::vector<Layout> movementLayouts() {
    return {{"general by date", fRel_Mov_Estq->qrMov_Estq},
            {"entries or exits", fRel_Mov_ESTQ_EST->qrMov_Estq_EST},
            {"with their reversals", fRelMovEstq_EST2->qrMovEstq_EST2},
            {"by product", fRel_MovEstq_Produto_Geral->qrMovEstq_Produto_Geral},
            {"by product, exits (types wrap)", fRel_Mov_Estq_Produto_ES->qrMov_Estq_Produto_ES},
            {"by group", fRel_Mov_Estq_Grupo->qrMov_Estq_Grupos},
            {"by group, entries or exits", fRel_Mov_Estq_Grupo_ES->qrMov_Estq_Grupo_ES},
            {"by exit type", fRel_Mov_Estq_Tipo->qrMov_Estq_Tipo}};
}

std::vector<Layout> productLayouts() {
    return {{"price list", fRel_Listas_Precos->qp_Listas_Precos},
            {"stock list", fRel_Itens_Estoque->qrItens_Estoque},
            {"stock list of a group", fRel_Itens_Estoque_Grupo->qrItens_Estoque_Grupo},
            {"below minimum stock", fRelEstMin->qrEstMin}};
}

// The product list by code, as the menu commands load it.
void loadProducts() {
    dmProdutos->cds_Produtos->Reload(
        {QStringLiteral("Select p.*,g.GRU_Descricao From Produtos p join Grupos g on(p.PRO_CodGRU "
                        "=g.GRU_Codigo) Order By p.PRO_Codigo")});
}

// Every layout over one loaded list: the median time to its PDF file and
// its pages, one line each; the PDF is kept when a folder is named.
void timeLayouts(const char* over, const std::vector<Layout>& layouts, int repetitions,
                 const QString& pdf, const QString& keep) {
    const long rows = layouts.front().component->data()->RecordCount();
    // The floor over as many rows, measured beside the layouts.
    std::vector<double> floorTimes;
    for (int round = 0; round < repetitions; ++round) {
        QElapsedTimer clock;
        clock.start();
        floorPdf(pdf, int(rows));
        floorTimes.push_back(clock.nsecsElapsed() / 1e6);
    }
    const double floorMs = median(floorTimes);
    std::printf("%-22s %-30s %8ld %10.1f\n", over, "floor, rows straight to PDF", rows, floorMs);
    for (const Layout& layout : layouts) {
        std::fprintf(stderr, "\r%-60s", layout.name);
        std::vector<double> times;
        for (int round = 0; round < repetitions; ++round) {
            QElapsedTimer clock;
            clock.start();
            if (!layout.component->SavePdf(pdf))
                fail("the PDF was not written");
            times.push_back(clock.nsecsElapsed() / 1e6);
        }
        report::RecordingDevice device;
        const std::size_t pages = layout.component->generate(&device).pages.size();
        std::printf("%-22s %-30s %8ld %10.1f %8zu %7.2fx\n", over, layout.name, rows, median(times),
                    pages, median(times) / floorMs);
        if (!keep.isEmpty()) {
            const QString kept =
                QDir(keep).filePath(layout.component->objectName() + QStringLiteral(".pdf"));
            QFile::remove(kept);
            QFile::copy(pdf, kept);
        }
    }
    std::fprintf(stderr, "\r%-60s\r", "");
}

} // namespace

int main(int argc, char** argv) {
    runOffscreenQuietly();
    Application app(argc, argv);
    QString folder, keep;
    try {
        if (!startReportBench("kelvara-bench_reports", folder, keep))
            return 2;
        dmMovEstq = new TdmMovEstq;
        dmProdutos = new TdmProdutos;
        fTela_Impressora = new TfTela_Impressora;
        fRel_Mov_Estq = new TfRel_Mov_Estq;
        fRel_Mov_ESTQ_EST = new TfRel_Mov_ESTQ_EST;
        fRelMovEstq_EST2 = new TfRelMovEstq_EST2;
        fRel_MovEstq_Produto_Geral = new TfRel_MovEstq_Produto_Geral;
        fRel_Mov_Estq_Produto_ES = new TfRel_Mov_Estq_Produto_ES;
        fRel_Mov_Estq_Grupo = new TfRel_Mov_Estq_Grupo;
        fRel_Mov_Estq_Grupo_ES = new TfRel_Mov_Estq_Grupo_ES;
        fRel_Mov_Estq_Tipo = new TfRel_Mov_Estq_Tipo;
        fRel_Listas_Precos = new TfRel_Listas_Precos;
        fRel_Itens_Estoque = new TfRel_Itens_Estoque;
        fRel_Itens_Estoque_Grupo = new TfRel_Itens_Estoque_Grupo;
        fRelEstMin = new TfRelEstMin;
        // The exits variant: its type column has its heading.
        fTela_Impressora->Relatorio = QStringLiteral("Mov Estq Produto Saida");
        report::BandReport* report = fRel_Mov_Estq->qrMov_Estq;
        ListCopy* list = dmMovEstq->cds_MovEstq;
        QTemporaryDir work;
        const QString pdf = work.filePath(QStringLiteral("relatorio.pdf"));

        BareClient bare(CaminhoBanco(folder, QStringLiteral("qor.gdb")).toStdString());
        QString bareText = Select + u'\n' + Period;
        bareText.replace(QStringLiteral(":DataIniD"), QStringLiteral("?"))
            .replace(QStringLiteral(":DataFimD"), QStringLiteral("?"));
        const int statement = bare.prepare(bareText.toStdString());

        struct Size {
            const char* name;
            QDate from, to;
            int repetitions;
        };
        const Size sizes[] = {{"one month", MonthStart, MonthEnd, MonthRepetitions},
                              {"all movements", FirstDay, LastDay, AllRepetitions}};
        std::printf("\n%-46s %8s %10s %14s %16s\n", "measurement", "rows", "median ms", "(min-max)",
                    "peak MB (+grow)");
        for (const Size& size : sizes) {
            Figures whole;
            whole.name = std::string(size.name) + ": list load + report to PDF";
            Figures pdfOnly;
            pdfOnly.name = std::string(size.name) + ": report to PDF (list loaded)";
            Figures floor;
            floor.name = std::string(size.name) + ": floor, rows straight to QPdfWriter";
            Figures fetch;
            fetch.name = std::string(size.name) + ": bare fetch";
            const bool month = size.from == MonthStart;
            for (int round = month ? 0 : 1; round <= size.repetitions; ++round) {
                std::fprintf(stderr, "\r%s, round %d of %d", size.name, round + 1,
                             size.repetitions + 1);
                const Sample w = measure(
                    [&] {
                        loadPeriod(size.from, size.to);
                        if (!report->SavePdf(pdf))
                            fail("the PDF was not written");
                    },
                    [&] { list->Close(); });
                loadPeriod(size.from, size.to);
                const Sample p = measure(
                    [&] {
                        if (!report->SavePdf(pdf))
                            fail("the PDF was not written");
                    },
                    [] {});
                whole.rows = pdfOnly.rows = list->RecordCount();
                list->Close();
                BareResult held;
                const std::vector<ISC_DATE> dates = {iscDate(size.from), iscDate(size.to)};
                const Sample f =
                    measure([&] { held = bare.fetch(statement, dates); }, [&] { held = {}; });
                fetch.rows = floor.rows = whole.rows;
                const Sample bottom = measure([&] { floorPdf(pdf, int(floor.rows)); }, [] {});
                if (round == 0)
                    continue;
                floor.samples.push_back(bottom);
                whole.samples.push_back(w);
                pdfOnly.samples.push_back(p);
                fetch.samples.push_back(f);
            }
            std::fprintf(stderr, "\n");
            loadPeriod(size.from, size.to);
            report::RecordingDevice device;
            const std::size_t pages = report->generate(&device).pages.size();
            char note[64];
            std::snprintf(note, sizeof note, "%zu pages, %.1f MB file", pages,
                          QFileInfo(pdf).size() / 1048576.0);
            printRow(whole, note);
            printRow(pdfOnly);
            printRow(floor);
            printRow(fetch);
        }

        std::vector<double> firsts;
        for (int round = 0; round < 3; ++round)
            firsts.push_back(firstPageMs(report));
        std::printf("%-46s %8d %10.1f\n", "all movements: preview to its first page",
                    list->RecordCount(), median(firsts));

        // Each movement layout over the same list, so that what differs is
        // the layout: the list of the period as the general report loads it.
        std::printf("\nEvery layout to a PDF file (list loaded)\n%-22s %-30s %8s %10s %8s %8s\n",
                    "over", "layout", "rows", "median ms", "pages", "/ floor");
        loadPeriod(MonthStart, MonthEnd);
        timeLayouts("one month", movementLayouts(), MonthRepetitions, pdf, keep);
        loadPeriod(FirstDay, LastDay);
        timeLayouts("all movements", movementLayouts(), AllRepetitions, pdf, {});
        list->Close();
        loadProducts();
        timeLayouts("all products", productLayouts(), AllRepetitions + 1, pdf, keep);
        std::vector<double> productFirsts;
        for (int round = 0; round < 3; ++round)
            productFirsts.push_back(firstPageMs(fRel_Itens_Estoque->qrItens_Estoque));
        std::printf("%-46s %8d %10.1f\n", "all products: stock list preview to its first page",
                    dmProdutos->cds_Produtos->RecordCount(), median(productFirsts));
        std::printf("\nLoad average at the end: %s\n", loadAverage().c_str());
    } catch (const std::exception& e) {
        fail(errorText(e).toStdString());
    }
    return 0;
}
