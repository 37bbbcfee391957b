// How long the import screen takes to bring 10,000 products in from a CSV
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

namespace {

constexpr int ProductCount = 10000;
constexpr int GroupCount = 50;

void prepare(const QString& folder) {
    for (const char* name : {"qor.gdb", "config.gdb"}) {
        if (!QFile::exists(localPath(folder) + u'/' + QLatin1String(name)))
            continue;
        fb::Connection db;
        db.attach(ConexaoAdministrador(CaminhoBanco(folder, QLatin1String(name))));
        db.drop();
    }
    createDatabases(folder);
    fb::Connection db;
    db.attach(ConexaoAdministrador(CaminhoBanco(folder, QStringLiteral("qor.gdb"))));
    for (int i = 1; i <= GroupCount; ++i)
        db.executeImmediate(QStringLiteral("Insert into Grupos values ('%1', 'Grupo %2')")
                                .arg(QString::number(i).rightJustified(6, u'0'))
                                .arg(i));
}

// A spreadsheet as Calc saves it: UTF-8, semicolons, decimal commas.
QByteArray spreadsheet() {
    QByteArray csv = "Código;Descrição;Grupo;Unidade;Preço de Custo;Margem;Referência;Código "
                     "de Barras;Observações\n";
    for (int i = 1; i <= ProductCount; ++i)
        csv += QStringLiteral("%1;Produto número %1 de aço;%2;UN;%3,50;30%;REF-%1;789%1;Conferir\n")
                   .arg(i)
                   .arg(1 + i % GroupCount)
                   .arg(i % 500)
                   .toUtf8();
    return csv;
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
    const QString path = work.filePath(QStringLiteral("produtos.csv"));
    try {
        prepare(folder);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(spreadsheet());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvara-bench_importacao: %s\n", e.what());
        return 1;
    }
    if (!startProgramOn(folder, work))
        return 1;
    std::printf("Machine: load average %s\n", loadAverage().c_str());
    Arquivos::setHandler([path](const Arquivos::Pedido&) { return path; });
    TfImporta_Produtos* screen = fImporta_Produtos;
    screen->show();

    QElapsedTimer clock;
    clock.start();
    screen->btnEscolheArquivo->click();
    const double reading = clock.nsecsElapsed() / 1e6;
    std::printf("%s\n", qPrintable(screen->lbResumo->text()));
    clock.restart();
    screen->btnImportar->click(); // the confirmation answers yes
    const double writing = clock.nsecsElapsed() / 1e6;
    std::printf("%-52s %10s\n", "10,000 products from CSV, through the server", "ms");
    std::printf("%-52s %10.1f\n", "read, check and show the file", reading);
    std::printf("%-52s %10.1f\n", "write in one transaction (confirmed)", writing);
    std::printf("%-52s %10.1f\n", "whole import", reading + writing);
    std::printf("%s\n", qPrintable(screen->lbResumo->text()));
    screen->close();
    DestroyProgram();
    return 0;
}
