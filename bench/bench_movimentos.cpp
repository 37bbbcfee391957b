// What one stock movement costs through the entry screen's save path (the
// cleaning of the fields, the statements, the commit and the reset of the
// screen) against the same statements written directly on the Firebird
// client, each with the product row locked; and several workstations moving
// one product at once.
//
//   kelvara-bench_movimentos FOLDER
//
// FOLDER is "host:/path" on a server running on this machine (or a bare
// path, for the embedded engine), the folder writable by the server's user.
// The first run creates the databases there with a handful of products;
// later runs reuse them and add their movements to the ones already there.
// The single-movement figures are medians over many saves after a warm-up,
// the screen and the bare client taking turns so that a change in the
// machine's load touches both alike.

#include "BareFirebird.h"
#include "BenchProgram.h"
#include "Offscreen.h"
#include "data/ConfigIni.h"
#include "app/Startup.h"
#include "data/Conexao.h"
#include "data/DataModule_Conexao.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
#include "data/SqlConnection.h"
#include "data/SqlQuery.h"
#include "movements/Entrada_Estq.h"
#include "movements/Movimentacao.h"
#include "shell/Application.h"
#include "shell/Messages.h"

#include <ibase.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int Rounds = 400;
constexpr int Stations = 4;
constexpr int EachStation = 500;

const QString ScreenProduct = QStringLiteral("B1");
const QString BareProduct = QStringLiteral("B2");
const QString SharedProduct = QStringLiteral("B3");

void prepare(const QString& folder) {
    if (!createDatabases(folder))
        return;
    fb::Connection db;
    db.attach(ConexaoAdministrador(CaminhoBanco(folder, QStringLiteral("qor.gdb"))));
    db.execute(QStringLiteral("Insert into Grupos values ('000001', 'Ferragens')"));
    for (const QString& code : {ScreenProduct, BareProduct, SharedProduct}) {
        fb::Params p;
        p.setText(QStringLiteral("Codigo"), code.rightJustified(10, u' '));
        db.execute(QStringLiteral("Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_Unid, "
                                  "PRO_CodGRU, PRO_Local, PRO_Quant, PRO_Min, PRO_Margem, "
                                  "PRO_PCusto, PRO_PVenda, PRO_DCad, PRO_Obs, PRO_Refer, "
                                  "PRO_CodBar, PRO_EMax) values (:Codigo, 'Parafuso 6 mm', 'UN', "
                                  "'000001', 'A-01', 1000000, 5, 30, 10, 13, '2006-01-01', "
                                  "'Caixa azul', 'REF-1', '789', 100)"),
                   p);
    }
    std::printf("Created %s\n", qPrintable(folder));
}

// ---------------------------------------------------------------------------
// The bare write: the entry's statements on the Firebird client directly,
// prepared once, parameters bound in place.

class BareWriter : BareAttachment {
public:
    explicit BareWriter(const std::string& path) : BareAttachment(path, "bare write") {
        insert = prepare("Insert into MOV_ESTQ (MOV_CodPro,MOV_Oper, "
                         "MOV_Data,MOV_Valor,MOV_Quant,MOV_Doc) Values (?,?,?,?,?,?)");
        lock = prepare("Select PRO_Quant From PRODUTOS Where PRO_Codigo=? With Lock");
        update = prepare("Update Produtos SET PRO_Descricao=?,PRO_Unid=?,PRO_Local=?,PRO_Min=?,"
                         "PRO_Margem=?,PRO_PCusto=?,PRO_PVenda=?,PRO_Obs=?,PRO_Refer=?,"
                         "PRO_EMax=?,PRO_QUANT=?,PRO_UComp=? Where PRO_Codigo=?");
    }
    ~BareWriter() {
        for (Statement* s : {&insert, &lock, &update}) {
            isc_dsql_free_statement(status, &s->handle, DSQL_drop);
            std::free(s->in);
            std::free(s->out);
        }
    }

    void entrada(const std::string& code, double quantity) {
        isc_tr_handle tr = begin();
        const ISC_DATE today = ISC_DATE(QDate(1858, 11, 17).daysTo(QDate::currentDate()));

        Values v;
        v.text(code).text("EE").date(today).number(quantity * 10).number(quantity).text("NF 1");
        v.bind(insert.in);
        isc_dsql_execute(status, &tr, &insert.handle, 1, insert.in);
        check("insert");

        Values key;
        key.text(code).bind(lock.in);
        isc_dsql_execute(status, &tr, &lock.handle, 1, lock.in);
        check("lock");
        double onHand = 0;
        short null = 0;
        XSQLVAR& out = lock.out->sqlvar[0];
        out.sqltype = SQL_DOUBLE | 1;
        out.sqlscale = 0;
        out.sqllen = sizeof(double);
        out.sqldata = reinterpret_cast<char*>(&onHand);
        out.sqlind = &null;
        while (isc_dsql_fetch(status, &lock.handle, 1, lock.out) == 0) {
        }
        check("fetch");
        isc_dsql_free_statement(status, &lock.handle, DSQL_close);
        check("close");

        Values u;
        u.text("Parafuso 6 mm").text("UN").text("A-01").number(5).number(30).number(10).number(13);
        u.text("Caixa azul").text("REF-1").number(100).number((null ? 0 : onHand) + quantity);
        u.date(today).text(code).bind(update.in);
        isc_dsql_execute(status, &tr, &update.handle, 1, update.in);
        check("update");
        isc_commit_transaction(status, &tr);
        check("commit");
    }

private:
    struct Statement {
        isc_stmt_handle handle = 0;
        XSQLDA* in = nullptr;
        XSQLDA* out = nullptr;
    };

    // Parameter values in order, each kept where the client reads it.
    class Values {
    public:
        Values& text(const std::string& s) { return add(SQL_TEXT, s.data(), s.size()); }
        Values& number(double d) { return add(SQL_DOUBLE, &d, sizeof d); }
        Values& date(ISC_DATE d) { return add(SQL_TYPE_DATE, &d, sizeof d); }
        void bind(XSQLDA* da) {
            for (std::size_t i = 0; i < items.size(); ++i) {
                XSQLVAR& v = da->sqlvar[i];
                v.sqltype = short(items[i].type | 1);
                v.sqlscale = 0;
                v.sqlsubtype = 0;
                v.sqllen = short(items[i].bytes.size());
                v.sqldata = items[i].bytes.data();
                v.sqlind = &notNull;
            }
        }

    private:
        struct Item {
            int type;
            std::string bytes;
        };
        Values& add(int type, const void* data, std::size_t size) {
            items.push_back({type, std::string(static_cast<const char*>(data), size)});
            return *this;
        }
        std::vector<Item> items;
        short notNull = 0;
    };

    Statement prepare(const char* sql) {
        Statement s;
        isc_tr_handle tr = begin();
        isc_dsql_allocate_statement(status, &db, &s.handle);
        check("allocate");
        s.out = allocate(4);
        isc_dsql_prepare(status, &tr, &s.handle, 0, sql, 3, s.out);
        check("prepare");
        s.in = allocate(16);
        isc_dsql_describe_bind(status, &s.handle, 1, s.in);
        check("describe bind");
        isc_commit_transaction(status, &tr);
        check("commit");
        return s;
    }

    Statement insert, lock, update;
};

double threadCpuMs() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// ---------------------------------------------------------------------------
// Several workstations, each its own connection and queries, moving one
// product at once through the program's movement write.

struct Concurrent {
    double seconds = 0;
    int written = 0;
    int conflicts = 0;
    double lost = 0;
};

Concurrent concurrent(const QString& folder) {
    const QString path = CaminhoBanco(folder, QStringLiteral("qor.gdb"));
    const QString code = SharedProduct.rightJustified(10, u' ');
    fb::Connection check;
    check.attach(ConexaoAdministrador(path));
    const QString onHand = QStringLiteral("Select PRO_Quant From Produtos Where PRO_Codigo='") +
                           code + QStringLiteral("'");
    const double before = check.select(onHand).value(0, 0).toDouble();

    struct Station {
        SqlConnection connection{QStringLiteral("SQLC_QOR")};
        SqlQuery movements{QStringLiteral("SQLQ_MovEstq"), &connection, nullptr};
        SqlQuery products{QStringLiteral("SQLQ_Produtos"), &connection, nullptr};
    };
    std::vector<std::unique_ptr<Station>> stations;
    for (int i = 0; i < Stations; ++i) {
        stations.push_back(std::make_unique<Station>());
        ConfiguraConexao(stations.back()->connection, QStringLiteral("QOR"), path);
        stations.back()->connection.Open();
    }
    std::atomic<int> written{0}, conflicts{0};
    std::atomic<double> signedSum{0};
    const QString operations[] = {Operacao::Entrada, Operacao::Saida, Operacao::EstornoSaida,
                                  Operacao::EstornoEntrada};
    QElapsedTimer clock;
    clock.start();
    std::vector<std::thread> threads;
    for (int i = 0; i < Stations; ++i)
        threads.emplace_back([&, i] {
            Station& s = *stations[i];
            int mine = 0;
            double sum = 0;
            for (int n = 0; n < EachStation; ++n) {
                const QString& operation = operations[(i + n) % 4];
                const double quantity = 1 + n % 5;
                const Movimento m{code,     operation, QDate::currentDate(),    quantity,
                                  quantity, QString(), QStringLiteral("000001")};
                if (GravaMovimento({&s.connection, &s.movements, &s.products}, m,
                                   QStringLiteral("falhou"), {}, &mine)) {
                    ++written;
                    const bool adds =
                        operation == Operacao::Entrada || operation == Operacao::EstornoSaida;
                    sum += adds ? quantity : -quantity;
                }
            }
            conflicts += mine;
            double expected = signedSum.load();
            while (!signedSum.compare_exchange_weak(expected, expected + sum)) {
            }
        });
    for (auto& t : threads)
        t.join();
    Concurrent result;
    result.seconds = clock.nsecsElapsed() / 1e9;
    result.written = written;
    result.conflicts = conflicts;
    result.lost = before + signedSum.load() - check.select(onHand).value(0, 0).toDouble();
    return result;
}

} // namespace

int main(int argc, char** argv) {
    runOffscreenQuietly();
    Application app(argc, argv);
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: kelvara-bench_movimentos host:/folder\n");
        return 2;
    }
    const QString folder = app.arguments().at(1);
    try {
        prepare(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvara-bench_movimentos: %s\n", e.what());
        return 1;
    }

    QTemporaryDir work;
    if (!startProgramOn(folder, work))
        return 1;

    try {
        BareWriter bare(CaminhoBanco(folder, QStringLiteral("qor.gdb")).toStdString());
        const std::string bareCode = BareProduct.rightJustified(10, u' ').toStdString();

        TfEntrada_Estq* s = fEntrada_Estq;
        s->show();
        QApplication::setActiveWindow(s);
        auto loadProduct = [s] {
            s->edENT_CodPRO->setFocus();
            s->edENT_CodPRO->setText(ScreenProduct);
            s->edEnt_Quant->setFocus(); // leaving the code loads the product
            s->edEnt_Quant->setText(QStringLiteral("2,5"));
            s->edEnt_Documento->setFocus();
            if (!s->btnEntrada_Grava->isEnabled())
                throw std::runtime_error("the entry screen did not load the product");
        };

        // Wall time and this thread's processor time of each: under load the
        // wall times stretch, the processor times much less.
        std::vector<double> screenMs, bareMs, screenCpu, bareCpu;
        for (int round = 0; round < Rounds + 20; ++round) {
            loadProduct();
            const double cpu0 = threadCpuMs();
            QElapsedTimer clock;
            clock.start();
            s->btnEntrada_Grava->click();
            const double screen = clock.nsecsElapsed() / 1e6;
            const double cpu1 = threadCpuMs();
            if (!s->edENT_CodPRO->text().isEmpty())
                throw std::runtime_error("the entry screen did not save");

            clock.restart();
            bare.entrada(bareCode, 2.5);
            const double direct = clock.nsecsElapsed() / 1e6;
            const double cpu2 = threadCpuMs();
            if (round >= 20) {
                screenMs.push_back(screen);
                bareMs.push_back(direct);
                screenCpu.push_back(cpu1 - cpu0);
                bareCpu.push_back(cpu2 - cpu1);
            }
        }
        s->close();

        const double screen = median(screenMs), direct = median(bareMs);
        std::printf("\n%-56s %9s\n", "one entry movement (EE), row lock", "median ms");
        std::printf("%-56s %9.3f\n", "through the entry screen's save path", screen);
        std::printf("%-56s %9.3f\n", "bare client, the same statements", direct);
        std::printf("%-56s %9.2f\n", "ratio (goal: at most 1.10)", screen / direct);
        std::printf("%-56s %9.3f\n", "  processor time, entry screen", median(screenCpu));
        std::printf("%-56s %9.3f\n", "  processor time, bare client", median(bareCpu));

        const Concurrent c = concurrent(folder);
        std::printf("\n%d workstations x %d movements on one product\n", Stations, EachStation);
        std::printf("%-56s %9d\n", "movements written", c.written);
        std::printf("%-56s %9.0f\n", "movements per second", c.written / c.seconds);
        std::printf("%-56s %9d\n", "conflicts tried again", c.conflicts);
        std::printf("%-56s %9g\n", "quantity lost (must be 0)", c.lost);
        std::printf("\nLoad average at the end: %s\n", loadAverage().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kelvara-bench_movimentos: %s\n", e.what());
        DestroyProgram();
        return 1;
    }
    DestroyProgram();
    return 0;
}
