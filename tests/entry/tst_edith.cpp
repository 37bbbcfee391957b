#include "entry/EditH.h"
#include "entry/Funcoes.h"

#include "TestMain.h"
#include "TestSupport.h"

#include "FieldWindow.h"

namespace {

struct Settings {
    bool numero = true;
    bool moeda = false;
    bool porcentagem = false;
    int casas = 2;
};

struct Screen : FieldWindow {
    TEditH* edit = new TEditH(&window);

    explicit Screen(Settings settings = {}) {
        edit->setNumero(settings.numero);
        edit->setMoeda(settings.moeda);
        edit->setPorcentagem(settings.porcentagem);
        edit->setCasaDecimal(settings.casas);
        show({edit});
    }

    void type(const QString& keys) { FieldWindow::type(edit, keys); }
    void leave() { other->setFocus(); }
};

} // namespace

class TestEditH : public QObject {
    Q_OBJECT
private slots:
    void startsPlainAndLeftJustified() {
        TEditH edit;
        QCOMPARE(edit.property("Alignment").value<TEditH::TAlignment>(), TEditH::taLeftJustify);
        QCOMPARE(edit.property("Numero").toBool(), false);
        QCOMPARE(edit.property("Moeda").toBool(), false);
        QCOMPARE(edit.property("Porcentagem").toBool(), false);
        QCOMPARE(edit.property("CasaDecimal").toInt(), 0);
        QCOMPARE(edit.text(), QString());
        QCOMPARE(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
        for (const char* name : {"Alignment", "Numero", "Moeda", "Porcentagem", "CasaDecimal"}) {
            const QMetaObject* meta = edit.metaObject();
            QVERIFY2(meta->property(meta->indexOfProperty(name)).isStored(), name);
        }
    }

    void alignmentTakesEffectWhenChanged() {
        TEditH edit;
        QVERIFY(edit.setProperty("Alignment", TEditH::taRightJustify));
        QCOMPARE(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        edit.setTextAlignment(TEditH::taCenter);
        QCOMPARE(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        edit.setTextAlignment(TEditH::taLeftJustify);
        QCOMPARE(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }

    void filtersKeysInNumericMode_data() {
        QTest::addColumn<bool>("numero");
        QTest::addColumn<int>("casas");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("decimals") << true << 2 << "1.5a,-x"
                                  << "1,5,";
        QTest::newRow("whole digits") << true << 0 << "1,2.3a-"
                                      << "123";
        QTest::newRow("not numeric") << false << 2 << "a.b,1-%"
                                     << "a.b,1-%";
    }
    void filtersKeysInNumericMode() {
        QFETCH(bool, numero);
        QFETCH(int, casas);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        Screen s({.numero = numero, .casas = casas});
        QVERIFY(s.active());
        s.type(keys);
        QCOMPARE(s.edit->text(), text);
        QTest::keyClick(s.edit, Qt::Key_Backspace);
        QCOMPARE(s.edit->text(), text.chopped(1));
        QSignalSpy returns(s.edit, &QLineEdit::returnPressed);
        QTest::keyClick(s.edit, Qt::Key_Return);
        QCOMPARE(returns.size(), 1);
    }

    void formatsOnExit_data() {
        QTest::addColumn<bool>("moeda");
        QTest::addColumn<bool>("porcentagem");
        QTest::addColumn<int>("casas");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("number") << false << false << 2 << "1234,5"
                                << "1.234,50";
        QTest::newRow("number, 4 decimals") << false << false << 4 << "1,23456"
                                            << "1,2346";
        QTest::newRow("whole") << false << false << 0 << "1234"
                               << "1.234";
        QTest::newRow("money") << true << false << 2 << "1234,5"
                               << "R$ 1.234,50";
        QTest::newRow("money, its own decimals") << true << false << 0 << "1234"
                                                 << "R$ 1.234";
        QTest::newRow("percentage") << false << true << 2 << "12,5"
                                    << "12,50%";
        QTest::newRow("percentage past 10 digits") << false << true << 0 << "12345678901"
                                                   << "1,23456789E+10%";
        QTest::newRow("percentage written last") << true << true << 2 << "12,5"
                                                 << "12,50%";
    }
    void formatsOnExit() {
        QFETCH(bool, moeda);
        QFETCH(bool, porcentagem);
        QFETCH(int, casas);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        Screen s({.moeda = moeda, .porcentagem = porcentagem, .casas = casas});
        QVERIFY(s.active());
        s.type(keys);
        QCOMPARE(s.edit->palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::ToolTipBase));
        s.leave();
        QCOMPARE(s.edit->text(), text);
        QVERIFY(s.other->hasFocus());
        QCOMPARE(s.edit->palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Base));
        s.edit->setFocus();
        QCOMPARE(s.edit->selectedText(), LimpaNumero(text));
    }

    void writesZeroTextWhenTheTextDoesNotRead_data() {
        QTest::addColumn<bool>("moeda");
        QTest::addColumn<bool>("porcentagem");
        QTest::addColumn<int>("casas");
        QTest::addColumn<QString>("zero");
        QTest::newRow("money") << true << false << 2 << "0,00";
        QTest::newRow("money ignores decimals") << true << false << 4 << "0,00";
        QTest::newRow("money and percentage") << true << true << 0 << "0,00";
        QTest::newRow("0") << false << false << 0 << "0";
        QTest::newRow("1") << false << false << 1 << "0,0";
        QTest::newRow("2") << false << false << 2 << "0,00";
        QTest::newRow("3") << false << false << 3 << "0,000";
        QTest::newRow("4 falls back to 3") << false << false << 4 << "0,000";
        QTest::newRow("0%") << false << true << 0 << "0%";
        QTest::newRow("1%") << false << true << 1 << "0,0%";
        QTest::newRow("2%") << false << true << 2 << "0,00%";
        QTest::newRow("3%") << false << true << 3 << "0,000%";
        QTest::newRow("4% falls back to 3") << false << true << 4 << "0,000%";
        QTest::newRow("above 4 unchanged") << false << false << 5 << "1,,";
        QTest::newRow("above 4 unchanged %") << false << true << 6 << "1,,";
    }
    void writesZeroTextWhenTheTextDoesNotRead() {
        QFETCH(bool, moeda);
        QFETCH(bool, porcentagem);
        QFETCH(int, casas);
        QFETCH(QString, zero);
        MessageRecorder recorder;
        Screen s({.moeda = moeda, .porcentagem = porcentagem, .casas = casas});
        QVERIFY(s.active());
        s.edit->setFocus();
        s.edit->insert("1,,");
        s.leave();
        QCOMPARE(s.edit->text(), zero);
        QVERIFY(s.edit->hasFocus());
        QCOMPARE(s.edit->selectedText(), zero);
        QVERIFY(recorder.messages.isEmpty());
    }

    void notNumericIsNeverCleanedNorFormatted() {
        Screen s({.numero = false});
        QVERIFY(s.active());
        s.edit->setText("R$ 1.234,50");
        s.edit->setFocus();
        QCOMPARE(s.edit->text(), QString("R$ 1.234,50"));
        QCOMPARE(s.edit->selectedText(), QString("R$ 1.234,50"));
        QTest::keyClicks(s.edit, "abc");
        s.leave();
        QCOMPARE(s.edit->text(), QString("abc"));
        QVERIFY(s.other->hasFocus());
    }

    // The owner's handlers see the result of the built-in behaviour.
    void ownerHandlersRunAfterTheBuiltInBehaviour() {
        Screen s({.moeda = true});
        QStringList seen;
        s.edit->OnEnter = [&] { seen << "enter " + s.edit->selectedText(); };
        s.edit->OnExit = [&] { seen << "exit " + s.edit->text(); };
        s.edit->OnKeyPress = [&](QChar& key) {
            seen << "key " + (key.isNull() ? QString("none") : QString(key));
            if (key == u'9')
                key = QChar(); // the owner drops nines
        };
        QVERIFY(s.active());
        s.edit->setText("R$ 1.000,00");
        s.edit->setFocus();
        QTest::keyClicks(s.edit, "2.x95");
        s.leave();
        s.edit->setFocus();
        s.edit->clear();
        s.leave();
        QCOMPARE(seen, QStringList({"enter 1000,00", "key 2", "key ,", "key none", "key 9", "key 5",
                                    "exit R$ 2,50", "enter 2,50", "exit 0,00"}));
        QVERIFY(s.edit->hasFocus());
    }

    void ownerCanKeepTheFocusWithoutANewEntry() {
        Screen s({.numero = false});
        int entries = 0;
        s.edit->OnEnter = [&] { ++entries; };
        s.edit->OnExit = [&] {
            if (s.edit->text().trimmed().isEmpty())
                s.edit->keepFocus();
        };
        QVERIFY(s.active());
        s.type(" ");
        s.leave();
        QVERIFY(s.edit->hasFocus());
        QCOMPARE(entries, 1);
        QTest::keyClicks(s.edit, "12");
        s.leave();
        QVERIFY(s.other->hasFocus());
        QCOMPARE(s.edit->text(), QString("12"));
    }
};

KELVARA_TEST_MAIN(TestEditH)
#include "tst_edith.moc"
