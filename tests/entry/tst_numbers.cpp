#include "data/FbDecimal.h"
#include "entry/Funcoes.h"
#include "entry/RegionalNumbers.h"

#include "TestMain.h"

#include <limits>

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void limpaNumeroKeepsCommaMinusAndDigits_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("clean");
        QTest::newRow("money") << "R$ 1.234,50"
                               << "1234,50";
        QTest::newRow("percentage") << "12,50%"
                                    << "12,50";
        QTest::newRow("negative quantity") << "-3,000"
                                           << "-3,000";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("minus inside") << "1-2"
                                      << "1-2";
        QTest::newRow("two commas") << "1,2,3"
                                    << "1,2,3";
        QTest::newRow("letters and blanks") << " a1b 2\t%"
                                            << "12";
        QTest::newRow("negative money") << "-R$ 12,00"
                                        << "-12,00";
    }
    void limpaNumeroKeepsCommaMinusAndDigits() {
        QFETCH(QString, text);
        QFETCH(QString, clean);
        QCOMPARE(LimpaNumero(text), clean);
    }

    void readsRegionalNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("whole") << "1234" << 1234.0;
        QTest::newRow("decimal comma") << "1234,5" << 1234.5;
        QTest::newRow("blanks and sign") << "  -3,25 " << -3.25;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("comma first") << ",5" << 0.5;
        QTest::newRow("comma last") << "5," << 5.0;
        QTest::newRow("exponent") << "1,5E3" << 1500.0;
        QTest::newRow("negative exponent") << "25e-2" << 0.25;
    }
    void readsRegionalNumbers() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(toNumber(text), value);
    }

    void refusesOtherTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("full stop") << "12.5";
        QTest::newRow("thousands") << "1.234,50";
        QTest::newRow("money") << "R$ 1,00";
        QTest::newRow("percentage") << "12,50%";
        QTest::newRow("minus inside") << "1-2";
        QTest::newRow("two commas") << "1,2,3";
        QTest::newRow("lone comma") << ",";
        QTest::newRow("lone sign") << "-";
        QTest::newRow("bare exponent") << "1E";
        QTest::newRow("out of range") << "1E999";
    }
    void refusesOtherTexts() {
        QFETCH(QString, text);
        try {
            toNumber(text);
            QFAIL("converted");
        } catch (const ConversionError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QString("'%1' não é um número válido").arg(text));
        }
    }

    void readsFieldTextsInEitherForm() {
        QCOMPARE(fieldValue("R$ 1.234,50"), 1234.5);
        QCOMPARE(fieldValue("12,50%"), 12.5);
        QVERIFY_THROWS_EXCEPTION(ConversionError, fieldValue("R$"));
    }

    void formatsNumbers_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("quantity") << 2.5 << 14 << 3 << "2,500";
        QTest::newRow("zero") << 0.0 << 14 << 2 << "0,00";
        QTest::newRow("no decimals") << 12.0 << 10 << 0 << "12";
        QTest::newRow("three digits") << 999.0 << 14 << 2 << "999,00";
        QTest::newRow("four digits") << 1000.0 << 14 << 2 << "1.000,00";
        QTest::newRow("millions") << 1234567.891 << 14 << 2 << "1.234.567,89";
        QTest::newRow("exact half away from zero") << 0.125 << 14 << 2 << "0,13";
        QTest::newRow("negative half") << -0.125 << 14 << 2 << "-0,13";
        QTest::newRow("whole half") << 2.5 << 10 << 0 << "3";
        QTest::newRow("below half") << 0.4999 << 10 << 0 << "0";
        QTest::newRow("carry into thousands") << 999.995 << 14 << 2 << "1.000,00";
        QTest::newRow("precision before decimals")
            << 123456789012.3456 << 14 << 3 << "123.456.789.012,350";
        QTest::newRow("small value precision") << 0.000123456 << 2 << 6 << "0,000120";
        QTest::newRow("rounds to zero") << 0.004 << 14 << 2 << "0,00";
        QTest::newRow("negative to zero") << -0.004 << 14 << 2 << "0,00";
        QTest::newRow("negative grouped") << -1234.5 << 14 << 2 << "-1.234,50";
        QTest::newRow("integer part at precision") << 12345678.0 << 8 << 2 << "12.345.678,00";
        QTest::newRow("past precision") << 123456789.0 << 8 << 2 << "1,2345679E+8";
        QTest::newRow("carried past precision") << 99999999.6 << 8 << 0 << "1E+8";
        QTest::newRow("huge") << 1e20 << 14 << 2 << "1E+20";
        QTest::newRow("huge negative") << -1.5e16 << 14 << 3 << "-1,5E+16";
        QTest::newRow("money limit") << 99999999999.99 << 14 << 2 << "99.999.999.999,99";
    }
    void formatsNumbers() {
        QFETCH(double, value);
        QFETCH(int, precision);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(formatNumber(value, precision, decimals), text);
    }

    // The operator's decimal rounding, for what is shown and what is stored
    // alike: products whose true value ends in a half come out as doubles
    // just below it, and must still round up.
    void roundsHalvesAsTheOperatorDoes_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<qint64>("stored");
        QTest::newRow("1,05 x 1,90") << 1.05 * 1.90 << "2,00" << qint64(200);
        QTest::newRow("1,15 x 10,10") << 1.15 * 10.10 << "11,62" << qint64(1162);
        QTest::newRow("1,05 x 4,10") << 1.05 * 4.10 << "4,31" << qint64(431);
        QTest::newRow("1,005") << 1.005 << "1,01" << qint64(101);
        QTest::newRow("2,675") << 2.675 << "2,68" << qint64(268);
        QTest::newRow("0,125") << 0.125 << "0,13" << qint64(13);
        QTest::newRow("-1,005") << -1.005 << "-1,01" << qint64(-101);
        QTest::newRow("1,15 x 3") << 1.15 * 3 << "3,45" << qint64(345);
        QTest::newRow("0,1 + 0,2") << 0.1 + 0.2 << "0,30" << qint64(30);
    }
    void roundsHalvesAsTheOperatorDoes() {
        QFETCH(double, value);
        QFETCH(QString, shown);
        QFETCH(qint64, stored);
        QCOMPARE(formatNumber(value, 14, 2), shown);
        QCOMPARE(formatCurrency(value, 14, 2),
                 shown.startsWith('-') ? "-R$ " + shown.mid(1) : "R$ " + shown);
        QCOMPARE(fb::scaledFromDouble(value, 2), stored);
    }

    void formatsCurrency_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("amount") << 1234.5 << 2 << "R$ 1.234,50";
        QTest::newRow("zero") << 0.0 << 2 << "R$ 0,00";
        QTest::newRow("negative") << -1234.5 << 2 << "-R$ 1.234,50";
        QTest::newRow("negative to zero") << -0.001 << 2 << "R$ 0,00";
        QTest::newRow("no decimals") << 1234.5 << 0 << "R$ 1.235";
        QTest::newRow("huge") << 1.5e15 << 2 << "R$ 1,5E+15";
    }
    void formatsCurrency() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(formatCurrency(value, 14, decimals), text);
    }

    void formatsWhatComputationsCanYield() {
        const double inf = std::numeric_limits<double>::infinity();
        QCOMPARE(formatNumber(inf, 8, 2), QString("INF"));
        QCOMPARE(formatNumber(-inf, 8, 2), QString("-INF"));
        QCOMPARE(formatNumber(std::nan(""), 8, 2), QString("NAN"));
        QCOMPARE(formatNumber(5e-324, 14, 3), QString("0,000"));
    }
};

KELVARA_TEST_MAIN(TestNumbers)
#include "tst_numbers.moc"
