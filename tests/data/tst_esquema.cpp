#include "data/Conexao.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
#include "data/FbResult.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <memory>

// The schema's order of names and its upgrade of databases made by the
// previous schema (kept among the fixtures as the scripts that made them).
class TestEsquema : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabases> dbs;

    QString path(const QString& file) const { return CaminhoBanco(dbs->folder(), file); }

    QStringList column(const QString& file, const QString& sql) {
        fb::Connection db;
        db.attach(ConexaoAdministrador(path(file)));
        const fb::ResultSet r = db.select(sql);
        QStringList values;
        for (int row = 0; row < r.rowCount(); ++row)
            values << r.value(row, 0).toString().trimmed();
        return values;
    }
    void addNames() {
        const QStringList names = {"Zebra", "Água", "abacaxi", "Óleo",
                                   "AGUA",  "Agua", "Açúcar",  "Ovo"};
        for (int i = 0; i < names.size(); ++i) {
            const QString code = QString::number(i + 1);
            dbs->exec("qor.gdb", QString("Insert Into Grupos Values ('%1', '%2')")
                                     .arg(code.rightJustified(6, '0'), names[i]));
            dbs->exec("qor.gdb", QString("Insert Into Tipos Values ('%1', '%2')")
                                     .arg(code.rightJustified(6, '0'), names[i]));
            dbs->exec(
                "qor.gdb",
                QString("Insert Into Produtos (PRO_Codigo, PRO_Descricao) Values ('%1', '%2')")
                    .arg(code.rightJustified(10), names[i]));
            dbs->exec("qor.gdb", QString("Insert Into Usuarios (USU_Codigo, USU_Nome) Values "
                                         "('%1', '%2')")
                                     .arg(code.rightJustified(6, '0'), names[i]));
        }
    }
    QStringList dictionary() const {
        return {"abacaxi", "Açúcar", "Agua", "AGUA", "Água", "Óleo", "Ovo", "Zebra"};
    }
    void checkDictionaryOrder() {
        for (const char* sql : {"select GRU_Descricao from Grupos order by 1",
                                "select TIP_Descricao from Tipos order by 1",
                                "select PRO_Descricao from Produtos order by 1",
                                "select USU_Nome from Usuarios order by 1"})
            QCOMPARE(column("qor.gdb", sql), dictionary());
        // Equality and beginnings stay exact.
        QCOMPARE(column("qor.gdb", "select PRO_Codigo from Produtos where PRO_Descricao = 'agua'"),
                 QStringList());
        QCOMPARE(column("qor.gdb", "select PRO_Descricao from Produtos where PRO_Descricao "
                                   "starting with 'Ag' order by 1"),
                 QStringList({"Agua"}));
    }
    QStringList indexes() {
        return column("qor.gdb",
                      "select trim(RDB$INDEX_NAME) || ' ' || trim(RDB$RELATION_NAME) "
                      "from RDB$INDICES where coalesce(RDB$SYSTEM_FLAG, 0) = 0 order by 1");
    }

private slots:
    void init() { dbs = std::make_unique<TestDatabases>(); }
    void cleanup() { dbs.reset(); }

    void namesSortAsADictionary() {
        addNames();
        checkDictionaryOrder();
        QVERIFY(!AtualizaBancos(dbs->folder()));
    }

    void olderDatabasesUpgradeKeepingEveryRowAndIndex() {
        dbs->makeSchema1();
        addNames();
        dbs->exec("config.gdb", "Update Empresa Set EMP_Nome = 'Óleos Ltda'");
        QCOMPARE(column("qor.gdb", "select PRO_Descricao from Produtos order by 1").first(),
                 QString("AGUA")); // byte order, before
        const QStringList before = indexes();

        QCOMPARE(BancosDesatualizados(dbs->folder()), QStringList({"qor.gdb", "config.gdb"}));
        QStringList steps;
        QVERIFY(AtualizaBancos(dbs->folder(), [&steps](const QString& file, int step) {
            steps << QString("%1 %2").arg(file).arg(step);
        }));
        QCOMPARE(steps, QStringList({"qor.gdb 2", "qor.gdb 3", "qor.gdb 4", "config.gdb 2",
                                     "config.gdb 3", "config.gdb 4"}));
        QCOMPARE(BancosDesatualizados(dbs->folder()), QStringList());
        for (const char* file : {"qor.gdb", "config.gdb"})
            QCOMPARE(column(file, "select Versao from Esquema"), QStringList{"4"});
        checkDictionaryOrder();
        // Every index kept; the new ones are the stock counts' own.
        QStringList after = indexes();
        after.removeIf([](const QString& index) { return index.contains(" BALANCO"); });
        QCOMPARE(after, before);
        QCOMPARE(column("config.gdb", "select EMP_Nome from Empresa"), QStringList{"Óleos Ltda"});
        QCOMPARE(column("qor.gdb", "select count(*) from Produtos"), QStringList{"8"});
        QVERIFY(!AtualizaBancos(dbs->folder())); // once is enough
    }

    // The installer's tool brings existing databases up to date and keeps
    // them.
    void createToolUpgradesExistingDatabases() {
        dbs->makeSchema1();
        addNames();
        for (const char* said : {"Upgraded", "Kept"}) {
            QProcess tool;
            tool.start(KELVARA_CREATE_DATABASES, {dbs->folder()});
            QVERIFY(tool.waitForFinished(60000));
            QCOMPARE(tool.exitCode(), 0);
            QVERIFY(tool.readAllStandardOutput().startsWith(said));
        }
        checkDictionaryOrder();
    }

    void failedUpgradeLeavesTheDatabaseAsItWas() {
        dbs->makeSchema1();
        addNames();
        // The step's last table is gone, so the step fails after it changed
        // the others: everything it did must be undone.
        dbs->exec("qor.gdb", "drop table Usuarios");
        try {
            AtualizaBancos(dbs->folder());
            QFAIL("the upgrade went through");
        } catch (const EsquemaRecusado& e) {
            QVERIFY2(e.message().contains("O Banco de Dados ficou como estava."),
                     qPrintable(e.message()));
        }
        QCOMPARE(column("qor.gdb", "select PRO_Descricao from Produtos order by 1").first(),
                 QString("AGUA"));
        QCOMPARE(column("qor.gdb", "select count(*) from RDB$FIELDS where RDB$FIELD_NAME = "
                                   "'DM_TEXTO50'"),
                 QStringList{"0"});
    }

    // A newer database refuses the folder before the older one beside it is
    // changed.
    void newerDatabaseIsRefused() {
        dbs->makeSchema1();
        dbs->exec("config.gdb", "create table Esquema (Versao integer not null)");
        dbs->exec("config.gdb", "insert into Esquema values (99)");
        try {
            AtualizaBancos(dbs->folder());
            QFAIL("a newer database was accepted");
        } catch (const EsquemaRecusado& e) {
            QVERIFY2(e.message().contains("versão mais nova do Kelvara (esquema 99"),
                     qPrintable(e.message()));
        }
        QCOMPARE(column("qor.gdb", "select count(*) from RDB$FIELDS where RDB$FIELD_NAME = "
                                   "'DM_TEXTO50'"),
                 QStringList{"0"});
    }

    // Another workstation in the middle of a write to a table the upgrade
    // alters: the upgrade waits a bounded time, names the database and
    // leaves it as it was, then goes through once that write is done. The
    // installer's tool waits the program's own time.
    void busyDatabaseIsLeftAsItWas_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("write");
        QTest::addColumn<bool>("tool");
        QTest::newRow("product being added")
            << "qor.gdb"
            << "Insert Into Produtos (PRO_Codigo) Values ('        99')" << false;
        QTest::newRow("group being renamed")
            << "qor.gdb"
            << "Update Grupos Set GRU_Descricao = 'Outro' Where GRU_Codigo = '000001'" << false;
        QTest::newRow("company being renamed") << "config.gdb"
                                               << "Update Empresa Set EMP_Nome = 'Outra'" << false;
        QTest::newRow("installer's tool")
            << "qor.gdb"
            << "Insert Into Produtos (PRO_Codigo) Values ('        99')" << true;
    }
    void busyDatabaseIsLeftAsItWas() {
        QFETCH(QString, file);
        QFETCH(QString, write);
        QFETCH(bool, tool);
        dbs->makeSchema1();
        addNames();
        fb::Connection other;
        other.attach(ConexaoAdministrador(path(file)));
        other.startTransaction();
        other.execute(write);

        QElapsedTimer clock;
        clock.start();
        QString told;
        if (tool) {
            QProcess process;
            process.start(KELVARA_CREATE_DATABASES, {dbs->folder()});
            QVERIFY(process.waitForFinished(60000));
            QCOMPARE(process.exitCode(), 1);
            told = QString::fromUtf8(process.readAllStandardError());
        } else {
            try {
                AtualizaBancos(dbs->folder(), {}, 1);
                QFAIL("the upgrade went through");
            } catch (const EsquemaRecusado& e) {
                told = e.message();
            }
        }
        const int bound = tool ? EsperaAtualizacaoSegundos : 1;
        QVERIFY2(clock.elapsed() < (bound + 5) * 1000,
                 qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(told.startsWith(QString("O Banco de Dados %1 está sendo usado por outra estação")
                                     .arg(path(file))) &&
                     told.contains("o Banco de Dados ficou como estava."),
                 qPrintable(told));
        QCOMPARE(column(file, "select count(*) from RDB$FIELDS where RDB$FIELD_NAME starting with "
                              "'DM_TEXTO'"),
                 QStringList{"0"});
        QVERIFY(BancosDesatualizados(dbs->folder()).contains(file));

        other.rollback();
        other.detach();
        QVERIFY(AtualizaBancos(dbs->folder()));
        checkDictionaryOrder();
    }
};

KELVARA_TEST_MAIN(TestEsquema)
#include "tst_esquema.moc"
