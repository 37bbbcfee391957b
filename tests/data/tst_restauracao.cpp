#include "data/ArquivoNovo.h"
#include "data/Conexao.h"
#include "data/DbError.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
#include "data/FbService.h"
#include "data/Restauracao.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <memory>

// Restores as a shop meets them, on both engines: through the server, and
// the embedded engine on a database of this machine. Whatever a restore
// does, the safety copies made before it stay as they were.
class TestRestauracao : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabases> dbs;
    bool embutido = false;

    QString file(const QString& name) const { return dbs->localPath() + "/" + name; }
    // A database as the program names it on the engine under test.
    QString banco(const QString& name) const {
        return embutido ? file(name) : CaminhoBanco(dbs->folder(), name);
    }
    QStringList rows(const QString& database = "qor.gdb") {
        fb::Connection db;
        db.attach(ConexaoAdministrador(banco(database)));
        const fb::ResultSet r =
            db.select("Select trim(PRO_Codigo) || '|' || PRO_PCusto From Produtos Order By 1");
        QStringList all;
        for (int i = 0; i < r.rowCount(); ++i)
            all << r.value(i, 0).toString();
        return all;
    }
    void setCost(const QString& cost) {
        fb::Connection db;
        db.attach(ConexaoAdministrador(banco("qor.gdb")));
        db.executeImmediate("Update Produtos Set PRO_PCusto = " + cost);
    }
    void backup(const QString& database, const QString& to) {
        fb::Service service;
        service.attach(fb::Service::managerFor(banco(database)), UsuarioBanco, SenhaBanco);
        service.backup(banco(database), to);
    }
    QString restore(const QString& from, const QString& schema = "qor",
                    const QString& database = "qor.gdb") {
        return Restauracao::restaura({from, banco(database), schema});
    }
    // Every file of the folder with a digest of its contents: what must not
    // change.
    QStringList folderState() {
        QStringList state;
        const QDir dir(dbs->localPath());
        for (const QString& name :
             dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)) {
            if (name.endsWith(".gdb"))
                continue;
            QFile f(dir.filePath(name));
            state
                << name + " " +
                       (f.open(QIODevice::ReadOnly)
                            ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5).toHex()
                            : QByteArray("(folder)"));
        }
        return state;
    }
    void useEngine(const QString& engine) { embutido = engine == "embutido"; }
    void markVersion(const QString& version) {
        fb::Connection db;
        db.attach(ConexaoAdministrador(banco("qor.gdb")));
        db.executeImmediate("update Esquema set Versao = " + version);
    }

private slots:
    void init() {
        dbs = std::make_unique<TestDatabases>();
        dbs->exec("qor.gdb", "Insert Into Grupos Values ('000001', 'Geral')");
        dbs->exec("qor.gdb", "Insert Into Produtos (PRO_Codigo, PRO_CodGRU, PRO_PCusto) Values "
                             "('         7', '000001', 1)");
    }
    void cleanup() { dbs.reset(); }

    void engines_data() {
        QTest::addColumn<QString>("engine");
        QTest::newRow("servidor") << "servidor";
        QTest::newRow("embutido") << "embutido";
    }

    // The operator restores the wrong backup, then its safety copy: the
    // data comes back, and the first copy is still there, unchanged, beside
    // the new one. Copies are readable by their owner only.
    void wrongBackupThenItsSafetyCopyBringsTheDataBack_data() { engines_data(); }
    void wrongBackupThenItsSafetyCopyBringsTheDataBack() {
        QFETCH(QString, engine);
        useEngine(engine);
        backup("qor.gdb", file("errado.gbk"));
        setCost("2");
        const QString first = restore(file("errado.gbk"));
        QCOMPARE(rows(), QStringList{"7|1.00"});
        QVERIFY(first.startsWith(file("qor.gdb.anterior-")));
        QCOMPARE(QFile::permissions(first) & 0x0777, QFile::ReadUser | QFile::WriteUser);
        if (embutido) // the database itself is the operator's alone
            QCOMPARE(QFile::permissions(file("qor.gdb")) & 0x0077, 0);
        QFile f(first);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray kept = f.readAll();
        f.close();

        QTest::qWait(1100); // a copy of another second
        const QString second = restore(first);
        QCOMPARE(rows(), QStringList{"7|2.00"});
        QVERIFY(second != first);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), kept);
        const QList<Restauracao::Copia> copies = Restauracao::copias(banco("qor.gdb"));
        QCOMPARE(copies.size(), 2);
        QCOMPARE(copies[0].arquivo, second);
        QCOMPARE(copies[1].arquivo, first);
        // Nothing of the restores is left beside the database.
        QCOMPARE(QDir(dbs->localPath()).entryList({"*.restauracao*", "*.gravando-*"}),
                 QStringList());
    }

    // A restore refused or failed before the replace changes neither the
    // database nor any file beside it, and says that nothing was changed.
    void refusedRestoresChangeNothing_data() {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("told");
        for (const char* engine : {"servidor", "embutido"}) {
            auto row = [engine](const char* fault, const char* told) {
                QTest::addRow("%s, %s", engine, fault) << engine << fault << told;
            };
            row("damaged backup", "backup file");
            row("configuration backup", "não é um backup deste Banco de Dados");
            row("newer version", "foi feito por uma versão mais nova do Kelvara");
            row("database in use", "Feche o Kelvara nas outras estações e restaure de novo; nada "
                                   "foi alterado.");
            row("copy being written", "ainda está sendo gravado");
            row("no backup chosen", "Não encontrei o arquivo de backup");
        }
    }
    void refusedRestoresChangeNothing() {
        QFETCH(QString, engine);
        QFETCH(QString, fault);
        QFETCH(QString, told);
        useEngine(engine);
        // An earlier restore left a safety copy.
        backup("qor.gdb", file("bom.gbk"));
        setCost("2");
        restore(file("bom.gbk"));
        setCost("3");
        QString chosen = file("bom.gbk");
        fb::Connection other;
        if (fault == "damaged backup") {
            QFile::copy(file("bom.gbk"), file("ruim.gbk"));
            QFile f(file("ruim.gbk"));
            QVERIFY(f.resize(f.size() / 2));
            chosen = file("ruim.gbk");
        } else if (fault == "configuration backup") {
            backup("config.gdb", file("config.gbk"));
            chosen = file("config.gbk");
        } else if (fault == "newer version") {
            markVersion("99");
            backup("qor.gdb", file("novo.gbk"));
            markVersion(QString::number(VersaoEsquema));
            chosen = file("novo.gbk");
        } else if (fault == "database in use") {
            other.attach(ConexaoAdministrador(banco("qor.gdb")));
        } else if (fault == "copy being written") {
            ArquivoNovo partial(file("qor.gdb.anterior-20990101-000000.gbk"));
            QVERIFY(QFile::copy(file("bom.gbk"), partial.caminho()));
            chosen = partial.caminho();
            const QStringList before = folderState();
            QVERIFY_THROWS_EXCEPTION(Restauracao::Recusada, restore(chosen));
            QCOMPARE(folderState(), before);
            return;
        } else if (fault == "no backup chosen") {
            chosen.clear();
        }
        const QStringList before = folderState();
        try {
            restore(chosen);
            QFAIL("restored");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains(told), qPrintable(e.message()));
        }
        other.detach();
        QCOMPARE(rows(), QStringList{"7|3.00"});
        QCOMPARE(folderState(), before);
    }

    // While a restore of the database runs in another process of this
    // machine, a start is told so and touches nothing; a second restore is
    // refused the same way.
    void aRestoreUnderWayIsLeftAlone() {
        backup("qor.gdb", file("b.gbk"));
        const QString record = file("qor.gdb.restauracao.ini");
        QFile f(record);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(("banco=" + banco("qor.gdb") + "\npasso=substituicao\n").toUtf8());
        f.close();
        QLockFile running(file("qor.gdb.restauracao.trava"));
        QVERIFY(running.tryLock(0));
        QVERIFY_THROWS_EXCEPTION(Restauracao::EmAndamento,
                                 Restauracao::procuraInterrompida(banco("qor.gdb")));
        QVERIFY_THROWS_EXCEPTION(Restauracao::EmAndamento, restore(file("b.gbk")));
        QVERIFY(QFile::exists(record));
        QCOMPARE(rows(), QStringList{"7|1.00"});
    }

    // Safety copies and the record stay on this machine: beside the database
    // when its folder is here, otherwise in a folder of the operator's named
    // after the server and its folder.
    void safetyCopiesStayOnThisMachine_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("folder");
        QTest::newRow("embedded") << "HERE/qor.gdb"
                                  << "HERE";
        QTest::newRow("server, folder here") << "localhost:HERE/qor.gdb"
                                             << "HERE";
        QTest::newRow("server elsewhere") << "192.0.2.1:/srv/não existe/qor.gdb"
                                          << "DATA/kelvara/192.0.2.1_srv_não existe_";
        QTest::newRow("windows server") << "servidor:c:\\programas\\qor\\qor.gdb"
                                        << "DATA/kelvara/servidor_c_programas_qor_";
    }
    void safetyCopiesStayOnThisMachine() {
        QFETCH(QString, database);
        QFETCH(QString, folder);
        QStandardPaths::setTestModeEnabled(true);
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        const QString expected =
            QString(folder).replace("HERE", dbs->localPath()).replace("DATA", data);
        QCOMPARE(Restauracao::pastaLocal(QString(database).replace("HERE", dbs->localPath())),
                 expected);
        QVERIFY(QFileInfo(expected).isDir());
        if (expected.startsWith(data))
            QDir(expected).removeRecursively();
        QStandardPaths::setTestModeEnabled(false);
    }

    // Only the newest copies are kept, the one just made among them; copies
    // of another database and the single copy of earlier versions stay.
    void onlyTheNewestCopiesAreKept() {
        backup("qor.gdb", file("b.gbk"));
        QStringList old;
        for (int month = 1; month <= Restauracao::CopiasGuardadas; ++month) {
            old << file(QString("qor.gdb.anterior-2025%1-120000.gbk")
                            .arg(month * 100 + 1, 4, 10, QChar('0')));
            QVERIFY(QFile::copy(file("b.gbk"), old.last()));
        }
        for (const QString& other :
             {file("config.gdb.anterior-20200101-120000.gbk"), file("qor.gdb.anterior.gbk")})
            QVERIFY(QFile::copy(file("b.gbk"), other));
        const QString made = restore(file("b.gbk"));
        QVERIFY(QFile::exists(made));
        QVERIFY(!QFile::exists(old[0]));
        for (const QString& kept : old.mid(1))
            QVERIFY2(QFile::exists(kept), qPrintable(kept));
        QVERIFY(QFile::exists(file("config.gdb.anterior-20200101-120000.gbk")));
        QVERIFY(QFile::exists(file("qor.gdb.anterior.gbk")));
    }
};

KELVARA_TEST_MAIN(TestRestauracao)
#include "tst_restauracao.moc"
