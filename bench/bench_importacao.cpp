// How long the import screen takes, and how much memory it holds, to read a
// spreadsheet at Excel's limit (1,048,576 lines) until its preview shows;
// then how long it takes to bring 20,000 products in from a CSV
// spreadsheet through the server: reading and checking the file (what the
// screen shows), and writing it in one transaction once confirmed.
//
//   kelvara-bench_importacao FOLDER
//
// FOLDER is "host:/path" on a server running on this machine, the folder
// writable by the server's user. Every run creates the databases afresh
// there (an existing pair is removed first) with 50 groups.

#include "BenchProgram.h"
#include "Offscreen.h"
#include "data/Conexao.h"
#include "data/FbConnection.h"
#include "shell/Application.h"
#include "shell/Arquivos.h"
#include "utilities/Importa_Produtos.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <sys/resource.h>

namespace {

constexpr int ProductCount = 20000;
constexpr int ExcelLines = 1048576;
constexpr int GroupCount = 50;

void prepare(const QString& folder) {
    recreateDatabases(folder);
    fb::Connection db;
    db.attach(ConexaoAdministrador(CaminhoBanco(folder, QStringLiteral("qor.gdb"))));
    for (int i = 1; i <= GroupCount; ++i)
        db.executeImmediate(QStringLiteral("Insert into Grupos values ('%1', 'Grupo %2')")
                                .arg(QString::number(i).rightJustified(6, u'0'))
                                .arg(i));
}

// A spreadsheet as Calc saves it: UTF-8, semicolons, decimal commas; about
// 105 bytes a line. Written a line at a time: the benchmark's own memory
// stays out of the figures.
void spreadsheet(const QString& path, int lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + path.toStdString());
    file.write("Código;Descrição;Grupo;Unidade;Preço de Custo;Margem;Referência;Código de "
               "Barras;Observações\n");
    for (int i = 1; i < lines; ++i)
        file.write(
            QStringLiteral("%1;Produto número %1 de aço inox;%2;UN;%3,50;30%;REF-%1;789%4;Conferir "
                           "na entrega\n")
                .arg(i)
                .arg(1 + i % GroupCount)
                .arg(i % 500)
                .arg(i, 10, 10, QLatin1Char('0'))
                .toUtf8());
}

// The most memory the process has held so far, in MB.
double peakMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double chooseFile(TfImporta_Produtos* screen, const QString& path) {
    Arquivos::setHandler([path](const Arquivos::Pedido&) { return path; });
    QElapsedTimer clock;
    clock.start();
    screen->btnEscolheArquivo->click();
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    runOffscreenQuietly();
    Application app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: kelvara-bench_importacao host:/folder\n");
        return 2;
    }
    const QString folder = app.arguments().at(1);
    QTemporaryDir work;
    const QString big = work.filePath(QStringLiteral("limite do Excel.csv"));
    const QString products = work.filePath(QStringLiteral("produtos.csv"));
    try {
        prepare(folder);
        spreadsheet(big, ExcelLines);
        spreadsheet(products, ProductCount + 1);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvara-bench_importacao: %s\n", e.what());
        return 1;
    }
    if (!startProgramOn(folder, work))
        return 1;
    std::printf("Machine: load average %s\n", loadAverage().c_str());
    TfImporta_Produtos* screen = fImporta_Produtos;
    screen->show();

    // The file is the first large thing the process holds: its peak is the
    // reading's.
    const double before = peakMb();
    const double preview = chooseFile(screen, big);
    std::printf("%s\n", qPrintable(screen->lbResumo->text()));
    std::printf("%-52s %10s %10s\n", "1,048,576 lines (Excel's limit), CSV", "ms", "peak MB");
    std::printf("%-52s %10.1f %10.1f\n", "read and check until the preview shows", preview,
                peakMb());
    std::printf("%-52s %10s %10.1f\n", "  peak before reading", "", before);

    const double reading = chooseFile(screen, products);
    std::printf("%s\n", qPrintable(screen->lbResumo->text()));
    QElapsedTimer clock;
    clock.start();
    screen->btnImportar->click(); // the confirmation answers yes
    const double writing = clock.nsecsElapsed() / 1e6;
    std::printf("%-52s %10s\n", "20,000 products from CSV, through the server", "ms");
    std::printf("%-52s %10.1f\n", "read, check and show the file", reading);
    std::printf("%-52s %10.1f\n", "write in one transaction (confirmed)", writing);
    std::printf("%-52s %10.1f\n", "whole import", reading + writing);
    std::printf("%s\n", qPrintable(screen->lbResumo->text()));
    screen->close();
    DestroyProgram();
    return 0;
}
