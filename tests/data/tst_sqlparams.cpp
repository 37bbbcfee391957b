#include "data/DbError.h"
#include "data/FbDecimal.h"
#include "data/FbParams.h"

#include "TestMain.h"

class TestSqlParams : public QObject {
    Q_OBJECT
private slots:
    void parsesNamedParameters_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("plain") << "Select * From Grupos Where GRU_Codigo=:CodigoC"
                               << "Select * From Grupos Where GRU_Codigo=?"
                               << QStringList{"CODIGOC"};
        QTest::newRow("date literal untouched")
            << "Select * From Mov_Estq Where MOV_Data='11/11/2001' and x=:a"
            << "Select * From Mov_Estq Where MOV_Data='11/11/2001' and x=?" << QStringList{"A"};
        QTest::newRow("colon inside literal")
            << "Select ':NotAParam', :P From X"
            << "Select ':NotAParam', ? From X" << QStringList{"P"};
        QTest::newRow("escaped quote") << "Where d='it''s :x' and e=:E"
                                       << "Where d='it''s :x' and e=?" << QStringList{"E"};
        QTest::newRow("comments") << "-- :A\nSelect /* :B */ :C From X"
                                  << "-- :A\nSelect /* :B */ ? From X" << QStringList{"C"};
        QTest::newRow("repeated, lines kept")
            << "Select *\nFrom M Where d>=:DataIniD\n and d<=:DataFimD or d=:dataIniD"
            << "Select *\nFrom M Where d>=?\n and d<=? or d=?"
            << QStringList{"DATAINID", "DATAFIMD", "DATAINID"};
    }
    void parsesNamedParameters() {
        QFETCH(QString, sql);
        QFETCH(QString, server);
        QFETCH(QStringList, names);
        const fb::ParsedSql parsed = fb::parseNamedParameters(sql);
        QCOMPARE(parsed.serverText, server);
        QCOMPARE(parsed.names, names);
    }

    void paramsMatchNamesWithoutCase() {
        fb::Params p;
        p.setText("NumeroC", "1");
        p.setText("Numeroc", "2");
        QCOMPARE(p.all().size(), std::size_t(1));
        QCOMPARE(p.value("NUMEROC").toString(), QString("2"));
        QVERIFY_THROWS_EXCEPTION(DbError, p.value("Other"));
    }

    void roundsToScaleFromDecimalText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<qint64>("scaled");
        QTest::newRow("2.5 at 3") << 2.5 << 3 << qint64(2500);
        QTest::newRow("1.005 at 2") << 1.005 << 2 << qint64(101);
        QTest::newRow("0.125 at 2") << 0.125 << 2 << qint64(13);
        QTest::newRow("-0.125 at 2") << -0.125 << 2 << qint64(-13);
        QTest::newRow("1234.5 at 2") << 1234.5 << 2 << qint64(123450);
        QTest::newRow("0.1+0.2 at 2") << (0.1 + 0.2) << 2 << qint64(30);
        QTest::newRow("9.9995 at 3") << 9.9995 << 3 << qint64(10000);
        QTest::newRow("whole") << 7.5 << 0 << qint64(8);
        QTest::newRow("big money") << 9999999999999.99 << 2 << qint64(999999999999999);
    }
    void roundsToScaleFromDecimalText() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(qint64, scaled);
        QCOMPARE(fb::scaledFromDouble(value, decimals), scaled);
    }

    void refusesValuesBeyondRange() {
        QVERIFY_THROWS_EXCEPTION(DbError, fb::scaledFromDouble(1e300, 2));
        QVERIFY_THROWS_EXCEPTION(DbError, fb::scaledFromDouble(qQNaN(), 2));
    }
};

KELVARA_TEST_MAIN(TestSqlParams)
#include "tst_sqlparams.moc"
