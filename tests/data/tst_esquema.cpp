#include "data/Conexao.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
#include "data/FbResult.h"

#include "TestMain.h"
#include "TestSupport.h"

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
    // The folder's databases, made again by the previous schema's scripts.
    void makeOld() {
        for (const QString& name : {QString("qor"), QString("config")}) {
            const QString file = name + ".gdb";
            {
                fb::Connection old;
                old.attach(ConexaoAdministrador(path(file)));
                old.drop();
            }
            fb::Connection db;
            db.create(ConexaoAdministrador(path(file)));
            for (const QString& statement :
                 ComandosEsquema(QString(FIXTURES_DIR "/%1-esquema1.sql").arg(name)))
                db.executeImmediate(statement);
            db.detach();
        }
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
        makeOld();
        addNames();
        dbs->exec("config.gdb", "Update Empresa Set EMP_Nome = 'Óleos Ltda'");
        QCOMPARE(column("qor.gdb", "select PRO_Descricao from Produtos order by 1").first(),
                 QString("AGUA")); // byte order, before
        const QStringList before = indexes();

        QVERIFY(AtualizaBancos(dbs->folder()));
        checkDictionaryOrder();
        QCOMPARE(indexes(), before);
        QCOMPARE(column("config.gdb", "select EMP_Nome from Empresa"), QStringList{"Óleos Ltda"});
        QCOMPARE(column("qor.gdb", "select count(*) from Produtos"), QStringList{"8"});
        QVERIFY(!AtualizaBancos(dbs->folder())); // once is enough
    }

    void failedUpgradeLeavesTheDatabaseAsItWas() {
        makeOld();
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

    void newerDatabaseIsRefused() {
        dbs->exec("qor.gdb", "comment on database is 'Kelvara: esquema 99'");
        try {
            AtualizaBancos(dbs->folder());
            QFAIL("a newer database was accepted");
        } catch (const EsquemaRecusado& e) {
            QVERIFY2(e.message().contains("versão mais nova do Kelvara (esquema 99"),
                     qPrintable(e.message()));
        }
    }
};

KELVARA_TEST_MAIN(TestEsquema)
#include "tst_esquema.moc"
