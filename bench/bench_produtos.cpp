// How long the product browse screen takes, with 10,000 products, to open,
// to change its order (one statement, one reload of the shared list) and to
// search the loaded list by code, description and notes.
//
//   kelvara-bench_produtos FOLDER
//
// FOLDER is "host:/path" on a server running on this machine, the folder
// writable by the server's user. The first run creates the databases there
// and fills them with 10,000 products in 50 groups; later runs reuse them.
// Every figure is the median of several repetitions after one warm-up.

#include "BenchProgram.h"
#include "Offscreen.h"
#include "data/ConfigIni.h"
#include "app/Startup.h"
#include "data/Conexao.h"
#include "data/DataModule_Produtos.h"
#include "data/DbError.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
#include "masterdata/Manut_Produtos.h"
#include "shell/Application.h"
#include "shell/Messages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int ProductCount = 10000;
constexpr int GroupCount = 50;
constexpr int Repetitions = 9;

// Creates and fills the databases unless a filled pair is there already.
void prepare(const QString& folder) {
    if (!createDatabases(folder))
        return;
    fb::Connection db;
    db.attach(ConexaoAdministrador(CaminhoBanco(folder, QStringLiteral("qor.gdb"))));
    fb::Transaction transaction(db);
    fb::Params p;
    for (int i = 1; i <= GroupCount; ++i) {
        p.setText(QStringLiteral("Codigo"), QString::number(i).rightJustified(6, u'0'));
        p.setText(QStringLiteral("Descricao"), QStringLiteral("Grupo %1").arg(i * 37 % 101));
        db.execute(QStringLiteral("Insert into Grupos (GRU_Codigo, GRU_Descricao) values "
                                  "(:Codigo, :Descricao)"),
                   p);
    }
    static const char* const items[] = {"Parafuso", "Porca", "Arruela",  "Prego",  "Bucha",
                                        "Tomada",   "Cabo",  "Tinta",    "Lixa",   "Broca",
                                        "Martelo",  "Trena", "Torneira", "Pincel", "Serra"};
    const QString insert = QStringLiteral(
        "Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_Unid, PRO_CodGRU, PRO_Local, "
        "PRO_Quant, PRO_Min, PRO_Margem, PRO_PCusto, PRO_PVenda, PRO_DCad, PRO_Obs, PRO_Refer, "
        "PRO_CodBar, PRO_EMax) values (:Codigo, :Descricao, 'UN', :CodGru, 'A-01', :Quant, 5, "
        "30, :Custo, :Venda, '2006-01-01', :Obs, :Refer, :CodBar, 100)");
    for (int i = 1; i <= ProductCount; ++i) {
        const int mixed = i * 7919 % ProductCount;
        p = {};
        p.setText(QStringLiteral("Codigo"), QString::number(i).rightJustified(10, u' '));
        p.setText(
            QStringLiteral("Descricao"),
            QStringLiteral("%1 %2 mm").arg(QString::fromLatin1(items[mixed % 15])).arg(mixed));
        p.setText(QStringLiteral("CodGru"),
                  QString::number(1 + i % GroupCount).rightJustified(6, u'0'));
        p.setDouble(QStringLiteral("Quant"), mixed % 300);
        p.setDouble(QStringLiteral("Custo"), 1 + mixed % 500);
        p.setDouble(QStringLiteral("Venda"), 1.3 * (1 + mixed % 500));
        p.setText(QStringLiteral("Obs"), i % 5 ? QString() : QStringLiteral("Conferir validade"));
        p.setText(QStringLiteral("Refer"),
                  QStringLiteral("REF-") + QString::number(mixed).rightJustified(5, u'0'));
        p.setText(QStringLiteral("CodBar"),
                  QStringLiteral("789") + QString::number(mixed).rightJustified(10, u'0'));
        db.execute(insert, p);
    }
    transaction.commit();
    db.detach();
    std::printf("Filled %s with %d products\n", qPrintable(folder), ProductCount);
}

double medianMs(const std::function<void()>& action) {
    std::vector<double> samples;
    for (int round = 0; round <= Repetitions; ++round) {
        QElapsedTimer clock;
        clock.start();
        action();
        QCoreApplication::processEvents(); // the grid repaints
        if (round > 0)
            samples.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    runOffscreenQuietly();
    Application app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: kelvara-bench_produtos host:/folder\n");
        return 2;
    }
    const QString folder = app.arguments().at(1);
    try {
        prepare(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvara-bench_produtos: %s\n", e.what());
        return 1;
    }

    QTemporaryDir work;
    if (!startProgramOn(folder, work))
        return 1;

    TfManut_Produtos* screen = fManut_Produtos;
    ListCopy* list = dmProdutos->cds_Produtos;
    const double opening = medianMs([screen] {
        screen->close();
        screen->show();
        QApplication::setActiveWindow(screen);
    });
    std::printf("\n%d products listed\n\n", list->RecordCount());

    QRadioButton* orders[] = {screen->rbManut_Pro_Codigo, screen->rbManut_PRO_Refer,
                              screen->rbManut_PRO_Grupo, screen->rbManut_PRO_Descricao};
    int next = 0;
    const double ordering = medianMs([&] { orders[next++ % 4]->setFocus(Qt::MouseFocusReason); });

    const double reloadOnly = medianMs([&] {
        OrdenaProdutos(next++ % 2 ? QStringLiteral("p.PRO_Codigo") : QStringLiteral("p.PRO_Refer"));
    });

    auto searching = [&](QRadioButton* key, const QString& text) {
        return medianMs([&] {
            list->setRecNo(0);
            key->setFocus(Qt::MouseFocusReason);
            screen->edBusca_ManutPRO->setText(text);
            screen->btnBusca_ManutPro->click();
        });
    };
    screen->rbManut_PRO_Descricao->setFocus(Qt::MouseFocusReason);
    const double byCode = searching(screen->rbPRO_Busca_Codigo, QStringLiteral("9876"));
    const QString found = list->FieldText(QStringLiteral("PRO_CODIGO"));
    const double byDescription =
        searching(screen->rbPRO_Busca_Descricao, QStringLiteral("Trena 99"));
    const double missing = searching(screen->rbPRO_Busca_OBS, QStringLiteral("Nada"));

    std::printf("%-52s %8s\n", "browse screen, 10,000 products", "median ms");
    std::printf("%-52s %8.1f\n", "opening (order by description, grid painted)", opening);
    std::printf("%-52s %8.1f\n", "order change (one statement, one reload, repaint)", ordering);
    std::printf("%-52s %8.1f\n", "  of which the statement and list reload alone", reloadOnly);
    std::printf("%-52s %8.2f   found '%s'\n", "search by code 9876", byCode, qPrintable(found));
    std::printf("%-52s %8.2f\n", "search by description prefix \"Trena 99\"", byDescription);
    std::printf("%-52s %8.2f\n", "search by notes, no match (whole list)", missing);

    screen->close();
    DestroyProgram();
    return 0;
}
