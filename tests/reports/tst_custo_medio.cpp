#include "data/DataModule_Conexao.h"
#include "data/SqlConnection.h"
#include "reports/CustoMedio.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <cmath>
#include <memory>

using namespace custo;

namespace {

fb::Connection& db() {
    return dmConexao->SQLC_QOR->database();
}

Centavos cents(double reais) {
    return std::llround(reais * 100);
}

} // namespace

// The average cost worked out by hand on small ledgers, each a product of
// its own in one database, read and walked as the reports do.
class TestCustoMedio : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabases> dbs;
    int products = 0;

    // A product whose movements of March 2006 are "day OPER quantity value";
    // on hand is what they add up to and the opening. Answers its code.
    QString addLedger(const QStringList& movements, double opening = 0, double costPrice = 0,
                      const QDate& registered = {}) {
        const QString code = QString::number(++products).rightJustified(10);
        double sum = opening;
        for (const QString& m : movements) {
            const QStringList part = m.split(' ');
            const double quantity = part[2].toDouble();
            sum += part[1] == "EE" || part[1] == "TS" ? quantity : -quantity;
            fb::Params p;
            p.setText("CodigoC", code);
            p.setText("OperC", part[1]);
            p.setDate("DataC", QDate(2006, 3, part[0].toInt()));
            p.setDouble("QuantC", quantity);
            p.setDouble("ValorC", part[3].toDouble());
            db().execute("Insert Into Mov_Estq (MOV_CodPro, MOV_Oper, MOV_Data, MOV_Quant, "
                         "MOV_Valor) Values (:CodigoC, :OperC, :DataC, :QuantC, :ValorC)",
                         p);
        }
        fb::Params p;
        p.setText("CodigoC", code);
        p.setText("DescricaoC", "Produto " + code.trimmed());
        p.setDouble("QuantC", sum);
        p.setDouble("PCustoC", costPrice);
        p.setDate("DCadC", registered);
        db().execute("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGru, PRO_Quant, "
                     "PRO_PCusto, PRO_DCad) Values (:CodigoC, :DescricaoC, '000001', :QuantC, "
                     ":PCustoC, :DCadC)",
                     p);
        return code;
    }

    static const Produto& productOf(const Leitura& read, const QString& code) {
        for (const Produto& p : read.produtos)
            if (p.codigo == code)
                return p;
        qFatal("no product %s", qPrintable(code));
    }

private slots:
    void initTestCase() {
        dbs = std::make_unique<TestDatabases>();
        dbs->connect();
        db().execute("Insert Into Grupos Values ('000001', 'Ferragens')");
    }
    void cleanupTestCase() {
        dmConexao->SQLC_QOR->Close();
        dbs.reset();
    }

    void ledgerGivesQuantityAverageAndValue_data() {
        QTest::addColumn<QStringList>("movements"); // "day OPER quantity value", March 2006
        QTest::addColumn<double>("opening");
        QTest::addColumn<double>("costPrice");
        QTest::addColumn<QDate>("registered");
        QTest::addColumn<QDate>("at");
        QTest::addColumn<double>("quantity");
        QTest::addColumn<double>("average");
        QTest::addColumn<double>("value");
        const QDate none, end(2006, 3, 31);
        // Entered after the exit with an earlier date, the second entry
        // counts before it: 10 at 10 and 10 at 20 average 15; in the order
        // entered it would be 16,25.
        const QStringList backdated{"1 EE 10 100", "5 SS 4 60", "3 EE 10 200"};
        QTest::newRow("backdated entry")
            << backdated << 0.0 << 0.0 << none << end << 16.0 << 15.0 << 240.0;
        QTest::newRow("before the backdated entry")
            << backdated << 0.0 << 0.0 << none << QDate(2006, 3, 2) << 10.0 << 10.0 << 100.0;
        // 10 at 10 and 10 at 30; the second undone at its own 30 leaves 100
        // for 10, then the first undone leaves nothing at the last average.
        const QStringList reversed{"1 EE 10 100", "2 EE 10 300", "3 TE 10 300", "4 TE 10 100"};
        QTest::newRow("reversal of an entry, stock left")
            << reversed << 0.0 << 0.0 << none << QDate(2006, 3, 3) << 10.0 << 10.0 << 100.0;
        QTest::newRow("reversal of an entry down to zero")
            << reversed << 0.0 << 0.0 << none << end << 0.0 << 10.0 << 0.0;
        // Undone at more than the stock is worth: nothing is left, not less.
        QTest::newRow("reversal worth more than what is held")
            << QStringList{"1 EE 10 100", "2 SS 8 200", "3 TE 1 50"} << 0.0 << 0.0 << none << end
            << 1.0 << 0.0 << 0.0;
        // Below zero the stock is worth quantity x average; the entry that
        // brings it back above zero sets the average.
        const QStringList negative{"1 EE 5 50", "2 SS 8 120", "6 EE 10 150"};
        QTest::newRow("exits into negative stock")
            << negative << 0.0 << 0.0 << none << QDate(2006, 3, 5) << -3.0 << 10.0 << -30.0;
        QTest::newRow("and back by an entry")
            << negative << 0.0 << 0.0 << none << end << 7.0 << 15.0 << 105.0;
        QTest::newRow("and back by a reversal of the exit")
            << QStringList{"1 EE 5 50", "2 SS 8 120", "3 TS 8 120"} << 0.0 << 0.0 << none << end
            << 5.0 << 10.0 << 50.0;
        QTest::newRow("an entry below zero keeps the average")
            << QStringList{"1 EE 5 50", "2 SS 8 120", "3 EE 1 30"} << 0.0 << 0.0 << none << end
            << -2.0 << 10.0 << -20.0;
        QTest::newRow("entry at zero cost") << QStringList{"1 EE 10 100", "2 EE 10 0", "3 SS 5 60"}
                                            << 0.0 << 0.0 << none << end << 15.0 << 5.0 << 75.0;
        // Without entries the opening is valued at the cost price.
        const QStringList noEntries{"10 SS 4 40"};
        QTest::newRow("without entries, before the exit")
            << noEntries << 10.0 << 7.5 << none << QDate(2006, 3, 9) << 10.0 << 7.5 << 75.0;
        QTest::newRow("without entries")
            << noEntries << 10.0 << 7.5 << none << end << 6.0 << 7.5 << 45.0;
        // 5 at the first entry's 8, then 10 at 8, 10 at 12 and 3 out.
        const QStringList opened{"5 EE 10 80", "8 EE 10 120", "10 SS 3 45"};
        const QDate february(2006, 2, 1);
        QTest::newRow("opening quantity, before any movement")
            << opened << 5.0 << 99.0 << february << QDate(2006, 3, 1) << 5.0 << 8.0 << 40.0;
        QTest::newRow("opening quantity")
            << opened << 5.0 << 99.0 << february << end << 22.0 << 9.6 << 211.2;
        QTest::newRow("opening quantity, before registration")
            << opened << 5.0 << 99.0 << february << QDate(2006, 1, 15) << 0.0 << 8.0 << 0.0;
        // Registered in the middle of its movements: the opening comes in
        // at the opening cost on that day, as an entry.
        QTest::newRow("opening quantity after movements")
            << QStringList{"5 EE 10 80", "8 SS 10 150", "20 EE 10 120"} << 5.0 << 0.0
            << QDate(2006, 3, 10) << QDate(2006, 3, 15) << 5.0 << 8.0 << 40.0;
        QTest::newRow("more movements than stock: the opening takes out")
            << QStringList{"5 EE 10 80"} << -4.0 << 0.0 << none << end << 6.0 << 8.0 << 48.0;
        // Within a day entries come before exits: 20 at 15, then 10 out.
        QTest::newRow("one day, entry before exit")
            << QStringList{"1 EE 10 100", "2 SS 10 150", "2 EE 10 200"} << 0.0 << 0.0 << none << end
            << 10.0 << 15.0 << 150.0;
        // Two entries of one day are one: from -5, 7 at 110/7 brings the
        // stock to 2; one after the other the second alone would.
        QTest::newRow("two entries of one day count as one")
            << QStringList{"1 SS 5 50", "2 EE 3 30", "2 EE 4 80"} << 0.0 << 10.0 << none << end
            << 2.0 << 15.71 << 31.43;
        // 10 for 3 averages 3,333...: each figure is rounded from the exact
        // one, the value of 2 being 6,67 and not 2 x 3,33.
        QTest::newRow("cents from full precision") << QStringList{"1 EE 3 10", "2 SS 1 5"} << 0.0
                                                   << 0.0 << none << end << 2.0 << 3.33 << 6.67;
        QTest::newRow("half a cent below zero") << QStringList{"1 EE 1 0.01", "2 SS 1.5 1"} << 0.0
                                                << 0.0 << none << end << -0.5 << 0.01 << -0.01;
    }
    void ledgerGivesQuantityAverageAndValue() {
        QFETCH(QStringList, movements);
        QFETCH(double, opening);
        QFETCH(double, costPrice);
        QFETCH(QDate, registered);
        QFETCH(QDate, at);
        QFETCH(double, quantity);
        QFETCH(double, average);
        QFETCH(double, value);
        const QString code = addLedger(movements, opening, costPrice, registered);
        const Leitura read = le(dmConexao->SQLC_QOR);
        const Produto& product = productOf(read, code);
        const Posicao where = percorre(product, read.diasDe(product), at);
        QCOMPARE(where.quantidade, std::llround(quantity * 1000));
        QCOMPARE(centavos(where.medio), cents(average));
        QCOMPARE(centavos(where.valor()), cents(value));
        // The valued stock reads the same.
        for (const Valorizado& v : estoqueEm(read, at))
            if (v.produto == &product)
                QCOMPARE(centavos(v.posicao.valor()), cents(value));
    }

    // The exits of a period at the average of their moment, less the
    // reversals of exits at theirs; exits outside the period count for the
    // average only.
    void exitsCostTheAverageOfTheirMoment() {
        const QString code = addLedger(
            {"1 EE 10 100", "2 SS 4 60", "3 EE 6 120", "10 TS 1 15", "12 SS 2 40", "20 SS 1 25"});
        const Leitura read = le(dmConexao->SQLC_QOR);
        std::vector<Margem> lines = margemDasSaidas(read, QDate(2006, 3, 3), QDate(2006, 3, 15));
        const auto line = std::find_if(lines.begin(), lines.end(),
                                       [&](const Margem& m) { return m.produto->codigo == code; });
        QVERIFY(line != lines.end());
        // After the 3rd: 6 at 10 and 6 at 20 make 12 at 15.
        QCOMPARE(line->quantidade, 1000);
        QCOMPARE(line->venda, 2500);
        QCOMPARE(centavos(line->custo), 1500);
        QVERIFY(line->custoConhecido);
    }

    // A product that went out without any cost to go by is listed with its
    // exits, its cost unknown; one without exits in the period is not.
    void exitsWithoutCostAreKept() {
        const QString unknown = addLedger({"5 SS 2 30"}, 2);
        const QString priced = addLedger({"5 SS 2 30"}, 2, 4);
        const QString quiet = addLedger({"1 EE 2 30"});
        const Leitura read = le(dmConexao->SQLC_QOR);
        QMap<QString, const Margem*> byCode;
        const std::vector<Margem> lines =
            margemDasSaidas(read, QDate(2006, 3, 1), QDate(2006, 3, 31));
        for (const Margem& m : lines)
            byCode[m.produto->codigo] = &m;
        QVERIFY(byCode.contains(unknown));
        QVERIFY(!byCode[unknown]->custoConhecido);
        QCOMPARE(byCode[unknown]->venda, 3000);
        QVERIFY(byCode[priced]->custoConhecido);
        QCOMPARE(centavos(byCode[priced]->custo), 800);
        QVERIFY(!byCode.contains(quiet));
    }

    // The products whose quantity the movements do not explain, with the
    // signed sum of their movements.
    void conferenceListsWhatTheMovementsDoNotExplain() {
        const QString even = addLedger({"1 EE 10 100", "2 SS 3 45", "3 TE 1 10", "4 TS 1 15"});
        const QString more = addLedger({"1 EE 10 100"}, 2.5);
        const Leitura read = le(dmConexao->SQLC_QOR);
        QMap<QString, Milesimos> listed;
        for (const Diferenca& d : conferencia(read))
            listed[d.produto->codigo] = d.movimentos;
        QVERIFY(!listed.contains(even));
        QCOMPARE(listed.value(more), 10000);
        QCOMPARE(productOf(read, more).emEstoque, 12500);
    }

    // A product of a group that no longer exists is read with its
    // movements, after those of the groups; one group's reading has only
    // that group's.
    void productsOfAGroupThatIsGoneAreReadLast() {
        const QString gone = addLedger({"1 EE 1 10"});
        db().execute("Update Produtos Set PRO_CodGru='000099' Where PRO_Codigo='" + gone + "'");
        const Leitura all = le(dmConexao->SQLC_QOR);
        QCOMPARE(all.produtos.back().codigo, gone);
        QVERIFY(all.produtos.back().descricaoGrupo.isEmpty());
        QCOMPARE(all.diasDe(all.produtos.back()).size(), std::size_t(1));
        const Leitura one = le(dmConexao->SQLC_QOR, "000001");
        QCOMPARE(one.produtos.size(), all.produtos.size() - 1);
        for (const Produto& p : one.produtos)
            QCOMPARE(p.grupo, QString("000001"));
    }
};

KELVARA_TEST_MAIN(TestCustoMedio)
#include "tst_custo_medio.moc"
