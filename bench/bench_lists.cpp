// How long the product and movement lists take to load through our list
// copies, and how much memory they take, against a bare fetch loop written
// directly on the Firebird client into plain vectors; and how long start-up
// takes to the main window on a large database against an empty one.
//
//   kelvara-bench_lists FOLDER            lists and start-up
//   kelvara-bench_lists --startup FOLDER  start-up only
//
// FOLDER is "host:/path" on a server running on this machine, the folder
// writable by the server's user. The first run creates and fills the
// databases there (10,000 products in 50 groups, 200,000 movements over two
// years) and, in the sub-folders "vazio" and "produtos", an empty pair and a
// pair with the products only; later runs reuse them. A database left
// half-filled by an interrupted run is dropped and filled again.
//
// Every figure is the median of several repetitions after one warm-up round,
// the repetitions of different measurements interleaved so that a change in
// the machine's load touches all of them alike. Peak memory is the process's
// high-water mark (VmHWM), reset before each repetition through
// /proc/self/clear_refs, with the previous result released and the freed
// memory handed back to the system first.

#include "BareClient.h"
#include "BenchDatabase.h"
#include "Measure.h"
#include "Offscreen.h"
#include "app/Pricipal.h"
#include "app/Startup.h"
#include "data/Conexao.h"
#include "data/ConfigIni.h"
#include "data/DataModule_Conexao.h"
#include "data/DataModule_Config.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "data/DbError.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
#include "movements/FiltroTexto.h"
#include "shell/Application.h"
#include "shell/ListaFiltrada.h"
#include "shell/Messages.h"

#include <ibase.h>

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int ProductCount = 10000;
constexpr int GroupCount = 50;
constexpr int MovementCount = 200000;
constexpr int Repetitions = 7;
constexpr int StartupRepetitions = 5;

const QString MonthCondition = QStringLiteral("Where m.MOV_Data between :DataIni and :DataFim");
const char* const BareMonthCondition = "Where m.MOV_Data between ? and ?";

// ---------------------------------------------------------------------------
// Databases

QString localPath(const QString& folder) {
    // "host:/path" names a folder of this machine through the server; a
    // single letter before the colon is a drive, not a host.
    const int colon = folder.indexOf(u':');
    return colon > 1 ? folder.mid(colon + 1) : folder;
}

void makeServerFolder(const QString& folder) {
    const QString path = localPath(folder);
    if (!QDir().mkpath(path))
        fail("cannot create the folder " + path.toStdString());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                    QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                    QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
}

bool attachIfExists(fb::Connection& db, const QString& path) {
    try {
        db.attach(ConexaoAdministrador(path));
        return true;
    } catch (const DbError&) {
        return false;
    }
}

// A deterministic generator of plausible stock data.
class Generator {
public:
    explicit Generator(unsigned seed) : random(seed) {}

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; }
    template <typename T, std::size_t N> const T& pick(const T (&list)[N]) {
        return list[between(0, int(N) - 1)];
    }

private:
    std::mt19937 random;
};

QString padded(long number, int width) {
    return QString::number(number).rightJustified(width, u'0');
}

struct Product {
    QString code;
    bool byWeight = false;
    double cost = 0;
    double price = 0;
};

void insertGroupsAndTypes(fb::Connection& db) {
    static const char* const categories[] = {
        "Ferragens", "Material Elétrico", "Hidráulica", "Tintas e Vernizes", "Ferramentas",
        "Fixadores", "Limpeza",           "Papelaria",  "Embalagens",        "Utilidades"};
    static const char* const lines[] = {"Básica", "Profissional", "Industrial", "Doméstica",
                                        "Importada"};
    const QString insertGroup = QStringLiteral(
        "Insert into Grupos (GRU_Codigo, GRU_Descricao) values (:Codigo, :Descricao)");
    fb::Params p;
    for (int i = 0; i < GroupCount; ++i) {
        p.setText(QStringLiteral("Codigo"), padded(i + 1, 3));
        p.setText(QStringLiteral("Descricao"),
                  QString::fromUtf8(categories[i % 10]) + u' ' + QString::fromUtf8(lines[i / 10]));
        db.execute(insertGroup, p);
    }
    static const char* const exitTypes[] = {"Venda",  "Consumo Interno", "Perda",
                                            "Quebra", "Devolução",       "Amostra Grátis"};
    const QString insertType = QStringLiteral(
        "Insert into Tipos (TIP_Codigo, TIP_Descricao) values (:Codigo, :Descricao)");
    for (int i = 0; i < 6; ++i) {
        p.setText(QStringLiteral("Codigo"), padded(i + 1, 2));
        p.setText(QStringLiteral("Descricao"), QString::fromUtf8(exitTypes[i]));
        db.execute(insertType, p);
    }
}

std::vector<Product> insertProducts(fb::Connection& db, Generator& g) {
    static const char* const items[] = {
        "Parafuso",   "Porca",   "Arruela",      "Prego",        "Bucha",     "Dobradiça",
        "Fechadura",  "Cadeado", "Tomada",       "Interruptor",  "Disjuntor", "Lâmpada",
        "Fio",        "Cabo",    "Cano",         "Joelho",       "Luva",      "Registro",
        "Torneira",   "Tinta",   "Verniz",       "Pincel",       "Rolo",      "Lixa",
        "Broca",      "Serra",   "Martelo",      "Alicate",      "Chave",     "Trena",
        "Detergente", "Caderno", "Fita Adesiva", "Saco Plástico"};
    static const char* const kinds[] = {"Sextavado", "Galvanizado", "Inox",   "Zincado",
                                        "Reforçado", "Simples",     "Duplo",  "Branco",
                                        "Preto",     "Cromado",     "de PVC", "de Latão"};
    static const char* const sizes[] = {"1/4\"", "3/8\"", "1/2\"",  "3/4\"",   "1\"",
                                        "6 mm",  "8 mm",  "10 mm",  "2,5 mm²", "4 mm²",
                                        "18 L",  "3,6 L", "100 W",  "60 W",    "20 A",
                                        "25 mm", "50 mm", "500 ml", "5 kg",    "Grande"};
    static const char* const brands[] = {"Tramontina", "Vonder",  "Tigre",  "Pial", "Suvinil",
                                         "Bosch",      "Stanley", "Gerdau", "Fame", "Docol"};
    static const char* const units[] = {"UN", "UN", "UN", "PC", "CX", "KG", "MT", "LT"};
    static const char* const notes[] = {"Conferir validade", "Produto frágil",
                                        "Manter em local seco", "Pedido mínimo de 10 unidades",
                                        "Fornecedor alternativo em São Paulo"};

    const QString insert = QStringLiteral(
        "Insert into Produtos (PRO_Codigo, PRO_Descricao, PRO_Unid, PRO_CodGRU, PRO_Local, "
        "PRO_Quant, PRO_Min, PRO_Margem, PRO_PCusto, PRO_PVenda, PRO_UComp, PRO_DCad, PRO_Obs, "
        "PRO_Refer, PRO_CodBar, PRO_EMax) values (:Codigo, :Descricao, :Unid, :CodGru, :Local, "
        ":Quant, :Min, :Margem, :PCusto, :PVenda, :UComp, :DCad, :Obs, :Refer, :CodBar, :EMax)");
    std::vector<Product> products;
    products.reserve(ProductCount);
    fb::Params p;
    for (int i = 0; i < ProductCount; ++i) {
        Product product;
        product.code = padded(i + 1, 6);
        const QString unit = QString::fromLatin1(g.pick(units));
        product.byWeight = unit == u"KG" || unit == u"MT" || unit == u"LT";
        product.cost = g.between(50, 250000) / 100.0;
        const double margin = g.between(10, 120);
        product.price = std::round(product.cost * (100 + margin)) / 100.0;

        const QString description =
            QString::fromUtf8(g.pick(items)) + u' ' + QString::fromUtf8(g.pick(kinds)) + u' ' +
            QString::fromUtf8(g.pick(sizes)) + u' ' + QString::fromUtf8(g.pick(brands));
        const QString location = QChar(u'A' + g.between(0, 7)) + QStringLiteral("-") +
                                 padded(g.between(1, 40), 2) + u'-' +
                                 QString::number(g.between(1, 6));
        const QDate registered = FirstDay.addDays(-g.between(30, 1500));

        p.setText(QStringLiteral("Codigo"), product.code);
        p.setText(QStringLiteral("Descricao"), description.left(50));
        p.setText(QStringLiteral("Unid"), unit);
        p.setText(QStringLiteral("CodGru"), padded(g.between(1, GroupCount), 3));
        p.setText(QStringLiteral("Local"), location);
        p.setDouble(QStringLiteral("Quant"),
                    product.byWeight ? g.between(0, 500000) / 1000.0 : g.between(0, 800));
        p.setDouble(QStringLiteral("Min"), g.between(0, 50));
        p.setDouble(QStringLiteral("Margem"), margin);
        p.setDouble(QStringLiteral("PCusto"), product.cost);
        p.setDouble(QStringLiteral("PVenda"), product.price);
        p.setDate(QStringLiteral("UComp"), LastDay.addDays(-g.between(0, 700)));
        p.setDate(QStringLiteral("DCad"), registered);
        if (g.chance(0.2))
            p.setText(QStringLiteral("Obs"), QString::fromUtf8(g.pick(notes)));
        else
            p.setNull(QStringLiteral("Obs"));
        p.setText(QStringLiteral("Refer"), QStringLiteral("REF-") + padded(g.between(1, 99999), 5));
        p.setText(QStringLiteral("CodBar"),
                  QStringLiteral("789") + padded(g.between(0, 999999), 6) + padded(i, 4));
        p.setDouble(QStringLiteral("EMax"), g.between(100, 2000));
        db.execute(insert, p);
        products.push_back(product);
    }
    return products;
}

void insertMovements(fb::Connection& db, Generator& g, const std::vector<Product>& products,
                     int count) {
    const QString insert =
        QStringLiteral("Insert into Mov_Estq (MOV_CodPro, MOV_Oper, MOV_Data, MOV_Valor, "
                       "MOV_Quant, MOV_Doc, MOV_Tipo) values (:CodPro, :Oper, :Data, :Valor, "
                       ":Quant, :Doc, :Tipo)");
    const int days = int(FirstDay.daysTo(LastDay)) + 1;
    long invoice = 12000, order = 48000, adjustment = 0;
    constexpr int PerTransaction = 25000;
    fb::Params p;
    for (int done = 0; done < count;) {
        fb::Transaction transaction(db);
        for (int n = 0; n < PerTransaction && done < count; ++n, ++done) {
            // Entered day by day, as a shop would.
            const QDate day = FirstDay.addDays(qint64(done) * days / count);
            const Product& product = products[g.between(0, int(products.size()) - 1)];
            const int roll = g.between(1, 100);
            const char* oper = roll <= 35 ? "EE" : roll <= 90 ? "SS" : roll <= 95 ? "TE" : "TS";
            const double quantity =
                product.byWeight ? g.between(500, 50000) / 1000.0 : double(g.between(1, 48));
            const bool sale = oper[0] == 'S';
            const double value =
                std::round((sale ? product.price : product.cost) * quantity * 100) / 100.0;
            QString document;
            if (oper[0] == 'E')
                document = QStringLiteral("NF ") + padded(invoice += g.between(0, 1), 6);
            else if (sale)
                document = QStringLiteral("PED ") + padded(++order, 6);
            else
                document = QStringLiteral("AJUSTE ") + padded(++adjustment, 5);

            p.setText(QStringLiteral("CodPro"), product.code);
            p.setText(QStringLiteral("Oper"), QString::fromLatin1(oper));
            p.setDate(QStringLiteral("Data"), day);
            p.setDouble(QStringLiteral("Valor"), value);
            p.setDouble(QStringLiteral("Quant"), quantity);
            p.setText(QStringLiteral("Doc"), document);
            if (sale)
                p.setText(QStringLiteral("Tipo"),
                          g.chance(0.8) ? QStringLiteral("01") : padded(g.between(2, 6), 2));
            else
                p.setNull(QStringLiteral("Tipo"));
            db.execute(insert, p);
        }
        transaction.commit();
    }
}

void dropIfExists(const QString& path) {
    fb::Connection db;
    if (attachIfExists(db, path))
        db.drop();
}

// Makes sure the folder holds qor.gdb and config.gdb with exactly the given
// amounts of products and movements, filling them when they do not.
void prepareDatabases(const QString& folder, int products, int movements) {
    makeServerFolder(folder);
    const QString qor = CaminhoBanco(folder, QStringLiteral("qor.gdb"));
    const QString config = CaminhoBanco(folder, QStringLiteral("config.gdb"));
    {
        fb::Connection db;
        if (attachIfExists(db, qor)) {
            const fb::ResultSet counts =
                db.select(QStringLiteral("Select (Select count(*) From Produtos), (Select "
                                         "count(*) From Mov_Estq) From RDB$Database"));
            fb::Connection configDb;
            if (counts.value(0, 0).toLongLong() == products &&
                counts.value(0, 1).toLongLong() == movements && attachIfExists(configDb, config)) {
                std::printf("Reusing %s (%d products, %d movements)\n", qPrintable(folder),
                            products, movements);
                return;
            }
        }
    }
    dropIfExists(qor);
    dropIfExists(config);

    std::printf("Filling %s with %d products and %d movements...\n", qPrintable(folder), products,
                movements);
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    CriaBancos(folder);
    fb::Connection db;
    db.attach(ConexaoAdministrador(qor));
    Generator g(20061124);
    if (products > 0) {
        fb::Transaction transaction(db);
        insertGroupsAndTypes(db);
        const std::vector<Product> list = insertProducts(db, g);
        transaction.commit();
        if (movements > 0)
            insertMovements(db, g, list, movements);
    }
    db.detach();
    std::printf("  filled in %.1f s\n", clock.elapsed() / 1000.0);
}

// ---------------------------------------------------------------------------
// The measurements

// Fails unless every field of every row of the list holds what the bare
// fetch read, in the same order: the figures compare equal work only then.
void compareContents(const char* what, const ListCopy& list, const BareResult& bare) {
    if (list.RecordCount() != bare.rows)
        fail(std::string(what) + ": the list copy and the bare fetch disagree on the rows");
    const QDate epoch(1858, 11, 17);
    for (const FieldDef& field : list.fields()) {
        const auto column =
            std::find_if(bare.columns.begin(), bare.columns.end(), [&](const BareColumn& c) {
                return field.name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0;
            });
        if (column == bare.columns.end())
            fail(std::string(what) + ": no column " + field.name.toStdString());
        for (long row = 0; row < bare.rows; ++row) {
            const QVariant v = list.value(int(row), field.name);
            bool same;
            if (column->nulls[row])
                same = !v.isValid();
            else if (column->text)
                same = v.toString() == QLatin1String(column->texts[row]);
            else if (v.typeId() == QMetaType::QDate)
                same = epoch.daysTo(v.toDate()) == qint64(column->numbers[row]);
            else
                same = v.toDouble() == column->numbers[row];
            if (!same)
                fail(std::string(what) + ": " + field.name.toStdString() + " differs at row " +
                     std::to_string(row));
        }
    }
}

void printTable(const std::vector<Figures>& figures) {
    std::printf("\n%-40s %8s %10s %14s %16s %9s %9s\n", "measurement", "rows", "median ms",
                "(min-max)", "peak MB (+grow)", "t ratio", "mem ratio");
    for (std::size_t i = 0; i < figures.size(); ++i) {
        const Figures& f = figures[i];
        char range[32], memory[32];
        std::snprintf(range, sizeof range, "(%.0f-%.0f)", f.minMs(), f.maxMs());
        std::snprintf(memory, sizeof memory, "%.1f (+%.1f)", f.peak(), f.growth());
        std::printf("%-40s %8ld %10.1f %14s %16s", f.name.c_str(), f.rows, f.ms(), range, memory);
        // Rows come in pairs: list copy, then the bare fetch of the same statement.
        if (i % 2 == 0 && i + 1 < figures.size() && figures[i + 1].ms() > 0)
            std::printf(" %9.2f %9.2f", f.ms() / figures[i + 1].ms(),
                        f.growth() / std::max(figures[i + 1].growth(), 0.1));
        std::printf("\n");
    }
}

// The movement query screen narrows the loaded list through its own view:
// each tick or clearing of a box filters every loaded row again.
void benchQueryFilter(ListCopy* movements) {
    const QString all = QStringLiteral("MOV_CodPRo<>'      ' and (MOV_OPER='EE' or "
                                       "MOV_OPER='SS' or MOV_OPER='TE' or MOV_OPER='TS')");
    const QString noExits = QStringLiteral("MOV_CodPRo<>'      ' and (MOV_OPER='EE' or "
                                           "MOV_OPER='  ' or MOV_OPER='TE' or MOV_OPER='TS')");
    const QString oneProduct = QStringLiteral("MOV_CodPRo='000042    ' and (MOV_OPER='EE' or "
                                              "MOV_OPER='SS' or MOV_OPER='TE' or MOV_OPER='TS')");
    ListaFiltrada view(movements, nullptr);
    std::printf("\n%-40s %8s %10s %14s\n", "query screen filter over all movements", "shown",
                "median ms", "(min-max)");
    for (const auto& [name, text] :
         {std::pair{"every operation", all}, std::pair{"exits cleared", noExits},
          std::pair{"one product", oneProduct}}) {
        std::vector<double> times;
        for (int round = 0; round <= Repetitions * 3; ++round) {
            const auto start = std::chrono::steady_clock::now();
            view.setCriterio(CompilaFiltro(text, movements));
            const auto end = std::chrono::steady_clock::now();
            if (round > 0)
                times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
        std::sort(times.begin(), times.end());
        char range[32];
        std::snprintf(range, sizeof range, "(%.1f-%.1f)", times.front(), times.back());
        std::printf("%-40s %8d %10.1f %14s\n", name, view.rowCount(), times[times.size() / 2],
                    range);
    }
}

void benchLists(const QString& folder) {
    dmConexao = new TdmConexao;
    dmConfig = new TdmConfig;
    ConectaBancos(folder);
    dmProdutos = new TdmProdutos;
    dmMovEstq = new TdmMovEstq;
    ListCopy* products = dmProdutos->cds_Produtos;
    ListCopy* movements = dmMovEstq->cds_MovEstq;
    const QStringList allLines = dmMovEstq->SQLQ_MovEstq2->SQL;
    const QStringList monthLines = QStringList(allLines) << MonthCondition;
    fb::Params monthParams;
    monthParams.setDate(QStringLiteral("DataIni"), MonthStart);
    monthParams.setDate(QStringLiteral("DataFim"), MonthEnd);
    products->Close();

    BareClient bare(CaminhoBanco(folder, QStringLiteral("qor.gdb")).toStdString());
    const int bareProducts = bare.prepare(dmProdutos->SQLQ_Produtos2->statement().toStdString());
    const int bareAll = bare.prepare(allLines.join(u'\n').toStdString());
    const int bareMonth =
        bare.prepare((allLines.join(u'\n') + u'\n').toStdString() + BareMonthCondition);
    const std::vector<ISC_DATE> monthDates = {iscDate(MonthStart), iscDate(MonthEnd)};
    BareResult held;

    struct Case {
        const char* name;
        std::function<void()> load;
        std::function<long()> rows;
        std::function<void()> release;
    };
    const std::vector<Case> cases = {
        {"a  products, list copy (Refresh)", [&] { products->Refresh(); },
         [&] { return long(products->RecordCount()); }, [&] { products->Close(); }},
        {"   products, bare fetch", [&] { held = bare.fetch(bareProducts); },
         [&] { return held.rows; }, [&] { held = {}; }},
        {"b1 movements one month, list copy", [&] { movements->Reload(monthLines, monthParams); },
         [&] { return long(movements->RecordCount()); }, [&] { movements->Close(); }},
        {"   movements one month, bare fetch", [&] { held = bare.fetch(bareMonth, monthDates); },
         [&] { return held.rows; }, [&] { held = {}; }},
        {"b2 movements all, list copy (Reload)", [&] { movements->Reload(allLines); },
         [&] { return long(movements->RecordCount()); }, [&] { movements->Close(); }},
        {"   movements all, bare fetch", [&] { held = bare.fetch(bareAll); },
         [&] { return held.rows; }, [&] { held = {}; }},
    };

    std::vector<Figures> figures(cases.size());
    for (int round = 0; round <= Repetitions; ++round) {
        std::printf("\rround %d of %d (the first is a warm-up)", round + 1, Repetitions + 1);
        std::fflush(stdout);
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const Case& c = cases[i];
            long rows = 0;
            const Sample s = measure(c.load, [&] {
                rows = c.rows();
                c.release();
            });
            if (round == 0)
                continue;
            figures[i].name = c.name;
            if (figures[i].rows && figures[i].rows != rows)
                fail(std::string(c.name) + ": the row count changed between repetitions");
            figures[i].rows = rows;
            figures[i].samples.push_back(s);
        }
    }
    std::printf("\n");
    products->Refresh();
    compareContents("products", *products, bare.fetch(bareProducts));
    products->Close();
    movements->Reload(monthLines, monthParams);
    compareContents("one month of movements", *movements, bare.fetch(bareMonth, monthDates));
    movements->Reload(allLines);
    compareContents("all movements", *movements, bare.fetch(bareAll));
    benchQueryFilter(movements);
    movements->Close();
    std::printf("The lists hold exactly what the bare fetch reads.\n");
    printTable(figures);

    delete dmMovEstq;
    dmMovEstq = nullptr;
    delete dmProdutos;
    dmProdutos = nullptr;
    delete dmConfig;
    dmConfig = nullptr;
    delete dmConexao;
    dmConexao = nullptr;
}

void benchStartup(const std::vector<std::pair<std::string, QString>>& databases) {
    // Start-up reads Config.INI from the working directory: use one of our own.
    QTemporaryDir work;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());

    QStringList messages;
    Messages::setHandler([&messages](Messages::Kind, const QString& text) {
        messages << text;
        return true;
    });
    Process::setEndHandler([] {});

    std::vector<Figures> figures(databases.size());
    for (int round = 0; round <= StartupRepetitions; ++round) {
        std::printf("\rstart-up round %d of %d (the first is a warm-up)", round + 1,
                    StartupRepetitions + 1);
        std::fflush(stdout);
        for (std::size_t i = 0; i < databases.size(); ++i) {
            ConfigIni::writeFolder(databases[i].second);
            bool started = false;
            const Sample s = measure(
                [&] {
                    started = StartProgram();
                    if (started)
                        fPrincipal->show();
                },
                [] {
                    QCoreApplication::processEvents();
                    DestroyProgram();
                    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                });
            if (!started)
                fail("start-up failed on " + databases[i].second.toStdString() + ": " +
                     messages.join(u' ').toStdString());
            if (round == 0)
                continue;
            figures[i].name = databases[i].first;
            figures[i].samples.push_back(s);
        }
    }
    std::printf("\n\n%-40s %10s %14s %16s\n", "start-up to the main window", "median ms",
                "(min-max)", "peak MB (+grow)");
    for (const Figures& f : figures) {
        char range[32], memory[32];
        std::snprintf(range, sizeof range, "(%.0f-%.0f)", f.minMs(), f.maxMs());
        std::snprintf(memory, sizeof memory, "%.1f (+%.1f)", f.peak(), f.growth());
        std::printf("%-40s %10.1f %14s %16s\n", f.name.c_str(), f.ms(), range, memory);
    }

    Messages::setHandler({});
    Process::setEndHandler({});
    QDir::setCurrent(previous);
}

} // namespace

int main(int argc, char** argv) {
    runOffscreenQuietly();
    Application app(argc, argv);

    const QStringList args = app.arguments().mid(1);
    const bool startupOnly = args.size() == 2 && args[0] == u"--startup";
    if (args.size() != 1 && !startupOnly) {
        std::fprintf(stderr, "usage: kelvara-bench_lists [--startup] host:/folder\n");
        return 2;
    }
    const QString folder = args.last();
    const QString empty = CaminhoBanco(folder, QStringLiteral("vazio"));
    const QString productsOnly = CaminhoBanco(folder, QStringLiteral("produtos"));

    try {
        std::printf("Machine: %d processors, load average %s\n",
                    std::max(1, QThread::idealThreadCount()), loadAverage().c_str());
        prepareDatabases(folder, ProductCount, MovementCount);
        prepareDatabases(empty, 0, 0);
        prepareDatabases(productsOnly, ProductCount, 0);

        if (!startupOnly)
            benchLists(folder);
        benchStartup({{"empty databases", empty},
                      {"10,000 products, no movements", productsOnly},
                      {"10,000 products, 200,000 movements", folder}});
        std::printf("\nLoad average at the end: %s\n", loadAverage().c_str());
    } catch (const std::exception& e) {
        fail(errorText(e).toStdString());
    }
    return 0;
}
