#include "data/Conexao.h"
#include "data/DbError.h"
#include "data/FbConnection.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <memory>

class TestFirebird : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabases> dbs;
    fb::Connection db;

    fb::ConnectionSettings settings(const QString& file) const {
        fb::ConnectionSettings s = ConexaoAdministrador(CaminhoBanco(dbs->folder(), file));
        s.role = QStringLiteral("RoleName");
        return s;
    }

    // The server's own rendering of a value, to see what was stored.
    QString stored(const QString& expression, const QString& where) {
        const fb::ResultSet r =
            db.select(QStringLiteral("Select cast(%1 as varchar(40)) as V From Produtos Where %2")
                          .arg(expression, where));
        return r.value(0, "V").toString();
    }

private slots:
    void init() {
        dbs = std::make_unique<TestDatabases>();
        db.attach(settings("qor.gdb"));
        db.execute("Insert Into Grupos (GRU_Codigo, GRU_Descricao) Values ('000001', 'Geral')");
    }
    void cleanup() {
        db.detach();
        dbs.reset();
    }

    void bindsValuesByNameAndStoresNumericsExactly() {
        fb::Params p;
        p.setText("CodigoC", "       123");
        p.setText("DescricaoC", "Açúcar & Café");
        p.setText("CodGruC", "000001");
        p.setDouble("QuantC", 2.5);
        p.setDouble("PCustoC", 1.005);
        p.setDouble("MinC", 10);
        p.setDate("DCadC", QDate(2006, 11, 24));
        p.setNull("UCompC");
        const int changed = db.execute(
            "Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGRU, PRO_Quant, PRO_PCusto, "
            "PRO_Min, PRO_DCad, PRO_UComp)\nValues (:CodigoC, :DescricaoC, :codgruc, :QuantC, "
            ":PCustoC, :MinC, :DCadC, :UCompC)",
            p);
        QCOMPARE(changed, 1);

        QCOMPARE(stored("PRO_Quant", "1=1"), QString("2.500"));
        QCOMPARE(stored("PRO_PCusto", "1=1"), QString("1.01"));
        QCOMPARE(stored("PRO_Min", "1=1"), QString("10"));

        fb::Params key;
        key.setText("CODIGOC", "       123");
        const fb::ResultSet r = db.select("Select * From Produtos Where PRO_Codigo=:CodigoC", key);
        QCOMPARE(r.rowCount(), 1);
        QCOMPARE(r.value(0, "pro_codigo").toString(), QString("       123"));
        QCOMPARE(r.value(0, "PRO_Descricao").toString(), QString("Açúcar & Café"));
        QCOMPARE(r.value(0, "PRO_QUANT").toDouble(), 2.5);
        QCOMPARE(r.value(0, "PRO_PCUSTO").toDouble(), 1.01);
        QCOMPARE(r.value(0, "PRO_DCAD").toDate(), QDate(2006, 11, 24));
        QVERIFY(r.value(0, "PRO_UCOMP").isNull());
        QCOMPARE(r.columns()[r.columnIndex("PRO_QUANT")].scale, 3);
        QVERIFY_THROWS_EXCEPTION(DbError, r.value(0, "NO_SUCH_COLUMN"));
    }

    void readsFixedTextUntrimmedAndCodesFromSchema() {
        fb::Params p;
        p.setText("DocC", "123");
        p.setDate("DataC", QDate(2001, 11, 11));
        db.execute("Insert Into Mov_Estq (MOV_CodPro, MOV_Oper, MOV_Data, MOV_Doc) "
                   "Values ('         1', 'EE', :DataC, :DocC)",
                   p);
        const fb::ResultSet r = db.select("Select * From Mov_Estq Where MOV_Data='11/11/2001'");
        QCOMPARE(r.rowCount(), 1);
        QCOMPARE(r.value(0, "MOV_DOC").toString(), QString("123").leftJustified(20));
        QCOMPARE(r.value(0, "MOV_OPER").toString(), QString("EE"));

        const fb::ResultSet codes = db.select("Select * From CodMov order By Codigo");
        QCOMPARE(codes.rowCount(), 4);
        QCOMPARE(codes.value(1, "DESCRICAO").toString(), QString("Saída"));
        QCOMPARE(db.select("Select * From Versao").value(0, "Numero").toString(),
                 QString("1.1.1-24112006"));
    }

    void explicitTransactionCommitsOrRollsBack() {
        {
            fb::Transaction t(db);
            db.execute("Insert Into Grupos Values ('000002', 'Some')");
            // Reads inside the transaction see its own writes.
            QCOMPARE(db.select("Select * From Grupos").rowCount(), 2);
        } // not committed: rolled back
        QVERIFY(!db.inTransaction());
        QCOMPARE(db.select("Select * From Grupos").rowCount(), 1);

        fb::Transaction t(db);
        db.execute("Insert Into Grupos Values ('000002', 'Fica')");
        t.commit();
        QCOMPARE(db.select("Select * From Grupos").rowCount(), 2);
    }

    // Reads through a snapshot agree with one another: a write another
    // workstation commits meanwhile shows only once the snapshot is over. In
    // a transaction already open the snapshot is that transaction.
    void snapshotReadsTheDatabaseAsItStoodWhenItBegan() {
        fb::Connection other;
        other.attach(settings("qor.gdb"));
        {
            fb::Snapshot snapshot(db);
            QCOMPARE(db.select("Select * From Grupos").rowCount(), 1);
            other.execute("Insert Into Grupos Values ('000002', 'Outra estação')");
            QCOMPARE(db.select("Select * From Grupos").rowCount(), 1);
            QVERIFY_THROWS_EXCEPTION(DbError, db.execute("Delete From Grupos"));
        }
        QVERIFY(!db.inTransaction());
        QCOMPARE(db.select("Select * From Grupos").rowCount(), 2);

        fb::Transaction t(db);
        db.execute("Insert Into Grupos Values ('000003', 'Desta estação')");
        {
            fb::Snapshot inside(db);
            QCOMPARE(db.select("Select * From Grupos").rowCount(), 3);
        }
        QVERIFY(db.inTransaction());
        t.commit();
        QCOMPARE(db.select("Select * From Grupos").rowCount(), 3);
        other.detach();
    }

    void failuresCarryFirebirdsOwnText() {
        try {
            db.select("Select * From Grupox");
            QFAIL("no error");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains("Table unknown") && e.message().contains("GRUPOX"),
                     qPrintable(e.message()));
        }
        try {
            db.execute("Insert Into Grupos Values ('000001', 'Twice')");
            QFAIL("no error");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains("PRIMARY or UNIQUE KEY"), qPrintable(e.message()));
        }
        try {
            fb::Params p;
            p.setText("D", QString(51, 'x'));
            db.execute("Update Grupos Set GRU_Descricao=:D", p);
            QFAIL("no error");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains("string truncation"), qPrintable(e.message()));
        }
        try {
            fb::Params p; // a pasted page of notes with one character not in ISO 8859-1
            p.setText("O", QString(3000, 'a') + "bc€de" + QString(3000, 'f'));
            db.execute("Update Produtos Set PRO_Obs=:O", p);
            QFAIL("no error");
        } catch (const UnstorableText& e) {
            QVERIFY2(e.message().contains("\"…" + QString(18, 'a') + "bc€de" + QString(18, 'f') +
                                          "…\"") &&
                         e.message().size() < 400,
                     qPrintable(e.message()));
        }
        fb::Connection missing;
        try {
            missing.attach(settings("nothing.gdb"));
            QFAIL("no error");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains("nothing.gdb"), qPrintable(e.message()));
        }
    }

    void misuseFailsLoudly() {
        fb::Params extra;
        extra.setText("CodigoC", "000001");
        extra.setText("Unknown", "x");
        QVERIFY_THROWS_EXCEPTION(
            DbError, db.select("Select * From Grupos Where GRU_Codigo=:CodigoC", extra));
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 db.select("Select * From Grupos Where GRU_Codigo=:CodigoC"));
        QVERIFY_THROWS_EXCEPTION(DbError, db.execute("Select * From Grupos"));
        fb::Connection closed;
        QVERIFY_THROWS_EXCEPTION(DbError, closed.select("Select * From Grupos"));
    }

    void repeatedTextsReadBackAsStored() {
        // Texts that repeat down a column share storage while fetched; every
        // cell must still read back as its own value.
        QStringList docs;
        {
            fb::Transaction t(db);
            fb::Params p;
            for (int i = 0; i < 17000; ++i) {
                const QString doc = i % 5 == 0   ? QString()
                                    : i % 5 == 1 ? QString("NF %1").arg(i)
                                    : i % 5 == 2 ? QString("igual")
                                    : i % 5 == 3 ? QString("")
                                                 : QString("  lado  ");
                p.setText("CodC", QString::number(i % 3).rightJustified(10));
                p.setDouble("OrdemC", i);
                if (doc.isNull())
                    p.setNull("DocC");
                else
                    p.setText("DocC", doc);
                db.execute(
                    "Insert Into Mov_Estq (MOV_CodPro, MOV_Doc, MOV_Quant) Values (:CodC, :DocC, "
                    ":OrdemC)",
                    p);
                docs << doc;
            }
            t.commit();
        }
        const fb::ResultSet r =
            db.select("Select MOV_CodPro, MOV_Doc, cast(MOV_Doc as varchar(20)) as V From Mov_Estq "
                      "order by MOV_Quant");
        QCOMPARE(r.rowCount(), 17000);
        int checked = 0;
        for (int i = 0; i < r.rowCount(); ++i) {
            const QString doc = docs[i];
            if (doc.isNull()) {
                QVERIFY(r.value(i, "MOV_DOC").isNull());
                continue;
            }
            QCOMPARE(r.value(i, "MOV_DOC").toString(), doc.leftJustified(20));
            QCOMPARE(r.value(i, "V").toString(), doc.leftJustified(20));
            QCOMPARE(r.value(i, "MOV_CODPRO").toString(),
                     QString::number(i % 3).rightJustified(10));
            ++checked;
        }
        QCOMPARE(checked, 17000 - 3400);
    }

    void reportsRowsChanged() {
        db.execute("Insert Into Grupos Values ('000002', 'B')");
        QCOMPARE(db.execute("Update Grupos Set GRU_Descricao='C'"), 2);
        QCOMPARE(db.execute("Delete From Grupos Where GRU_Codigo='999999'"), 0);
    }
};

KELVARA_TEST_MAIN(TestFirebird)
#include "tst_firebird.moc"
