#include "data/Conexao.h"
#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbService.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QFile>
#include <memory>

class TestServicos : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabases> dbs;

    QString path(const QString& name) const { return CaminhoBanco(dbs->folder(), name); }
    QString file(const QString& name) const { return dbs->localPath() + "/" + name; }
    QStringList rows(const QString& database) {
        fb::Connection db;
        db.attach(ConexaoAdministrador(path(database)));
        const fb::ResultSet r = db.select("Select PRO_Codigo, PRO_PCusto From Produtos");
        QStringList all;
        for (int i = 0; i < r.rowCount(); ++i)
            all << r.value(i, 0).toString() + "|" + r.value(i, 1).toString();
        return all;
    }

private slots:
    void init() {
        dbs = std::make_unique<TestDatabases>();
        dbs->exec("qor.gdb", "Insert Into Grupos Values ('000001', 'Geral')");
        dbs->exec("qor.gdb", "Insert Into Produtos (PRO_Codigo, PRO_CodGRU, PRO_PCusto) Values "
                             "('         7', '000001', 12.35)");
    }
    void cleanup() { dbs.reset(); }

    void managerFollowsTheDatabaseFolder_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("manager");
        QTest::newRow("local folder") << "/srv/kelvara/qor.gdb"
                                      << "service_mgr";
        QTest::newRow("server") << "192.168.0.2:/srv/kelvara/qor.gdb"
                                << "192.168.0.2:service_mgr";
        QTest::newRow("windows drive") << "c:\\programas\\qor\\qor.gdb"
                                       << "service_mgr";
        QTest::newRow("windows server") << "servidor:c:\\programas\\qor\\qor.gdb"
                                        << "servidor:service_mgr";
    }
    void managerFollowsTheDatabaseFolder() {
        QFETCH(QString, database);
        QFETCH(QString, manager);
        QCOMPARE(fb::Service::managerFor(database), manager);
    }

    void backupAndRestoreRoundTripThroughALocalFile() {
        fb::Service service;
        service.attach(fb::Service::managerFor(dbs->folder()), UsuarioBanco, SenhaBanco);
        service.backup(path("qor.gdb"), file("cópia São Paulo.gbk"));
        QVERIFY(QFile(file("cópia São Paulo.gbk")).size() > 0);
        service.restore(file("cópia São Paulo.gbk"), path("restaurado.gdb"));
        QCOMPARE(rows("restaurado.gdb"), QStringList{"         7|12.35"});
    }

    // A damaged backup fails with the server's text and leaves the database
    // it was to replace whole, with nothing beside it.
    void damagedBackupNeverReplacesTheDatabase() {
        fb::Service service;
        service.attach(fb::Service::managerFor(dbs->folder()), UsuarioBanco, SenhaBanco);
        service.backup(path("qor.gdb"), file("b.gbk"));
        QFile f(file("b.gbk"));
        QVERIFY(f.resize(f.size() / 2));
        dbs->exec("qor.gdb", "Update Produtos Set PRO_PCusto = 99");
        try {
            service.restore(file("b.gbk"), path("qor.gdb"));
            QFAIL("restored");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains("backup file"), qPrintable(e.message()));
        }
        QCOMPARE(rows("qor.gdb"), QStringList{"         7|99"});
        QVERIFY(!QFile::exists(file("qor.gdb.restauracao")));
    }
};

KELVARA_TEST_MAIN(TestServicos)
#include "tst_servicos.moc"
