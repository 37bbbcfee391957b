// How a stock count of 2,000 products behaves through the server: four
// workstations scanning into it at once, one line per scan (the time of each
// scan until its product's running total is read back, and whether any line
// is lost); then the apply of its 2,000 differences in one transaction
// against 2,000 movement writes one by one.
//
//   kelvara-bench_balanco FOLDER
//
// FOLDER is "host:/path" on a server running on this machine, the folder
// writable by the server's user. Every run creates the databases afresh
// there (an existing pair is removed first).

#include "BenchProgram.h"
#include "Offscreen.h"
#include "data/Conexao.h"
#include "data/DataModule_Conexao.h"
#include "data/FbConnection.h"
#include "data/FbResult.h"
#include "data/SqlConnection.h"
#include "data/SqlQuery.h"
#include "movements/Balancos.h"
#include "shell/Application.h"

#include <QElapsedTimer>
#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr int ProductCount = 2000;
constexpr int Workstations = 4;

QString code(int i) {
    return QString::number(i).rightJustified(10, u' ');
}

void prepare(const QString& folder) {
    recreateDatabases(folder);
    fb::Connection db;
    db.attach(ConexaoAdministrador(CaminhoBanco(folder, QStringLiteral("qor.gdb"))));
    db.executeImmediate(QStringLiteral("Insert into Grupos values ('000001', 'Geral')"));
    db.executeImmediate(QStringLiteral("Insert into Tipos values ('000001', 'Ajuste de Balanço')"));
    fb::Transaction t(db);
    for (int i = 1; i <= ProductCount; ++i) {
        fb::Params p;
        p.setText(QStringLiteral("CodigoC"), code(i));
        p.setText(QStringLiteral("BarrasC"),
                  QStringLiteral("789%1").arg(i, 10, 10, QLatin1Char('0')));
        db.run(QStringLiteral("Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGRU, "
                              "PRO_Unid, PRO_Quant, PRO_PCusto, PRO_PVenda, PRO_CodBar) Values "
                              "(:CodigoC, 'Produto', '000001', 'UN', 100, 2.5, 4, :BarrasC)"),
               p);
    }
    t.commit();
}

// A workstation of its own: a connection and the movement write's queries.
struct Estacao {
    explicit Estacao(const QString& folder)
        : conexao(QStringLiteral("SQLC_QOR")),
          movimentos(QStringLiteral("SQLQ_MovEstq"), &conexao, nullptr),
          produtos(QStringLiteral("SQLQ_Produtos"), &conexao, nullptr) {
        ConfiguraConexao(conexao, QStringLiteral("QOR"),
                         CaminhoBanco(folder, QStringLiteral("qor.gdb")));
        conexao.Open();
    }
    SqlConnection conexao;
    SqlQuery movimentos;
    SqlQuery produtos;
};

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[std::size_t(p * double(values.size() - 1))];
}

} // namespace

int main(int argc, char** argv) {
    runOffscreenQuietly();
    Application app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: kelvara-bench_balanco host:/folder\n");
        return 2;
    }
    const QString folder = app.arguments().at(1);
    QTemporaryDir work;
    try {
        prepare(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvara-bench_balanco: %s\n", e.what());
        return 1;
    }
    if (!startProgramOn(folder, work))
        return 1;
    std::printf("Machine: load average %s\n", loadAverage().c_str());

    const std::optional<int> numero =
        balanco::abre(dmConexao->SQLC_QOR, QStringLiteral("Bench"), balanco::Escolha::Todos);
    if (!numero)
        return 1;

    // Each workstation scans its share of the products by bar code, once each.
    std::vector<std::unique_ptr<Estacao>> estacoes;
    for (int w = 0; w < Workstations; ++w)
        estacoes.push_back(std::make_unique<Estacao>(folder));
    std::mutex guarda;
    std::vector<double> tempos;
    std::atomic<int> contados = 0;
    QElapsedTimer relogio;
    relogio.start();
    std::vector<std::thread> threads;
    for (int w = 0; w < Workstations; ++w)
        threads.emplace_back([&, w] {
            std::vector<double> meus;
            for (int i = 1 + w; i <= ProductCount; i += Workstations) {
                QElapsedTimer scan;
                scan.start();
                const auto c =
                    balanco::conta(&estacoes[std::size_t(w)]->conexao, *numero,
                                   QStringLiteral("789%1").arg(i, 10, 10, QLatin1Char('0')), 1,
                                   QStringLiteral("estação %1").arg(w + 1));
                meus.push_back(scan.nsecsElapsed() / 1e6);
                if (c)
                    ++contados;
            }
            const std::lock_guard<std::mutex> l(guarda);
            tempos.insert(tempos.end(), meus.begin(), meus.end());
        });
    for (std::thread& t : threads)
        t.join();
    const double total = relogio.nsecsElapsed() / 1e6;
    const int linhas = int(balanco::linhas(dmConexao->SQLC_QOR, *numero).size());
    std::printf("%-56s %10s\n", "2,000 scans from 4 workstations at once", "ms");
    std::printf("%-56s %10.2f\n", "scan with its running total, median", percentile(tempos, 0.5));
    std::printf("%-56s %10.2f\n", "scan with its running total, 95th percentile",
                percentile(tempos, 0.95));
    std::printf("%-56s %10.1f\n", "all scans", total);
    std::printf("%-56s %10d\n", "lines told counted", contados.load());
    std::printf("%-56s %10d\n", "lines stored (lost: told less stored)", linhas);

    relogio.restart();
    const auto aplicado =
        balanco::aplica(BaseMovimentos::programa(), *numero, false, QStringLiteral("000001"));
    const double aplica = relogio.nsecsElapsed() / 1e6;
    if (!aplicado)
        return 1;

    Estacao uma(folder);
    relogio.restart();
    for (int i = 1; i <= ProductCount; ++i)
        GravaMovimento({&uma.conexao, &uma.movimentos, &uma.produtos},
                       {code(i), Operacao::Saida, QDate::currentDate(), 2.5, 1,
                        QStringLiteral("NF 1"), QStringLiteral("000001")},
                       QStringLiteral("falhou"));
    const double umaAUma = relogio.nsecsElapsed() / 1e6;
    std::printf("%-56s %10.1f\n", "apply of 2,000 differences (one transaction)", aplica);
    std::printf("%-56s %10.1f\n", "2,000 movement writes one by one", umaAUma);
    std::printf("%-56s %10.2f\n", "ratio", aplica / umaAUma);
    DestroyProgram();
    return 0;
}
