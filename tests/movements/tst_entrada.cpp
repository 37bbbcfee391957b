#include "data/DataModule_Conexao.h"
#include "data/DataModule_Produtos.h"
#include "movements/Entrada_Estq.h"

#include "MovementFixture.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QAccessible>
#include <QDateEdit>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

Q_DECLARE_METATYPE(Messages::Kind)

class TestEntrada : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    QStringList messages() const { return program->recorder.texts(); }
    fb::ResultSet product() {
        return dmConexao->SQLC_QOR->database().select(
            "Select * From Produtos Where PRO_Codigo='        42'");
    }
    static void onEntry(std::function<void(TfEntrada_Estq*)> action) {
        fromMenu<TfEntrada_Estq>("Movimentação no Estoque/Entrada no Estoque", action);
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        program->dbs.exec("qor.gdb", "Insert Into Grupos Values ('000001', 'Ferragens')");
        addProduct(program->dbs, "42", "10", "7891234");
    }
    void cleanup() { program.reset(); }

    void opensEmptyInTheCodeFieldWithTheCodeLastInTabOrder() {
        onEntry([](TfEntrada_Estq* s) {
            QCOMPARE(s->windowTitle(), QString("Entrada de Estoque"));
            QCOMPARE(s->lbEntrada_Titulo->text(), QString("Entrada no Estoque"));
            QVERIFY(!(s->windowFlags() & Qt::WindowCloseButtonHint));
            QCOMPARE(s->focusWidget(), s->edENT_CodPRO);
            QVERIFY(!s->btnEntrada_Grava->isEnabled());
            const QStringList shown = {s->edEnt_QuantAtual->text(), s->edEnt_Quant->text(),
                                       s->edEnt_PCusto->text(),     s->edEnt_Margem->text(),
                                       s->edEnt_PVenda->text(),     s->edENT_Min->text(),
                                       s->edENT_Max->text(),        s->edEnt_Refer->text()};
            QCOMPARE(shown,
                     (QStringList{"0,000", "0,000", "R$ 0,00", "0,00%", "R$ 0,00", "0", "0", "0"}));
            QCOMPARE(s->dtpEnt_Data->date(), QDate::currentDate());
            QCOMPARE(
                QAccessible::queryAccessibleInterface(s->edEnt_PCusto)->text(QAccessible::Name),
                QString("Preço de Custo:"));
            // Grava is passed by while no product is loaded.
            QCOMPARE(tabCycle(s),
                     (QStringList{"edEnt_DescPro", "btnENT_Estoque_BuscaPRO", "edENT_CodBar",
                                  "edENT_Unid", "edEnt_QuantAtual", "edEnt_Quant", "dtpEnt_Data",
                                  "edEnt_Documento", "edEnt_PCusto", "edEnt_Margem", "edEnt_PVenda",
                                  "edENT_Local", "edENT_Min", "edENT_Max", "edEnt_Refer",
                                  "edENT_Obs", "btnEntrada_Limpa", "btnEntrada_Fechar"}));
        });
    }

    void anEntryRewritesTheProductAndAddsItsQuantity() {
        onEntry([this](TfEntrada_Estq* s) {
            enter(s->edENT_CodPRO, "42");
            QCOMPARE(s->edENT_CodPRO->text(), QString("        42"));
            QVERIFY(s->btnEntrada_Grava->isEnabled());
            QCOMPARE(s->edEnt_DescPro->text(), QString("Parafuso 42"));
            QCOMPARE(s->edEnt_QuantAtual->text(), QString("10,000"));
            QCOMPARE(s->edEnt_PCusto->text(), QString("R$ 10,00"));
            QCOMPARE(s->edEnt_Margem->text(), QString("35,00%"));
            QCOMPARE(s->edEnt_PVenda->text(), QString("R$ 13,50"));
            QCOMPARE(s->edENT_Max->text(), QString("50"));
            QCOMPARE(s->edENT_CodBar->text(), QString("7891234"));
            QCOMPARE(s->edENT_Obs->toPlainText(), QString("Caixa azul"));

            enter(s->edEnt_Quant, "2.5");
            QCOMPARE(s->edEnt_Quant->text(), QString("2,500"));
            s->dtpEnt_Data->setDate(QDate(2024, 2, 29));
            enter(s->edEnt_Documento, "NF 123");
            enter(s->edEnt_DescPro, "Parafuso Sextavado");
            enter(s->edEnt_PCusto, "12");
            s->edEnt_Documento->setFocus();
            QCOMPARE(s->edEnt_Margem->text(), QString("12,50%"));
            enter(s->edEnt_Margem, "50");
            s->edEnt_Documento->setFocus();
            QCOMPARE(s->edEnt_PVenda->text(), QString("R$ 18,00"));
            enter(s->edENT_Min, "60");       // no check against the maximum here
            s->edENT_CodBar->setText("999"); // shown, but never written
            s->btnEntrada_Grava->setFocus();
            QTest::keyClick(s->btnEntrada_Grava, Qt::Key_Return);

            QCOMPARE(messages(), QStringList());
            QCOMPARE(s->edENT_CodPRO->text(), QString());
            QCOMPARE(s->edEnt_PCusto->text(), QString("R$ 0,00"));
            QCOMPARE(s->focusWidget(), s->edENT_CodPRO);
            QVERIFY(!s->btnEntrada_Grava->isEnabled());
        });
        QCOMPARE(movementRows(), QStringList{"        42|EE|2024-02-29|30|2.5|NF 123|"});
        const fb::ResultSet r = product();
        QCOMPARE(r.value(0, "PRO_QUANT").toDouble(), 12.5);
        QCOMPARE(r.value(0, "PRO_DESCRICAO").toString(), QString("Parafuso Sextavado"));
        QCOMPARE(r.value(0, "PRO_PCUSTO").toDouble(), 12.0);
        QCOMPARE(r.value(0, "PRO_MARGEM").toDouble(), 50.0);
        QCOMPARE(r.value(0, "PRO_PVENDA").toDouble(), 18.0);
        QCOMPARE(r.value(0, "PRO_MIN").toDouble(), 60.0);
        QCOMPARE(r.value(0, "PRO_EMAX").toDouble(), 50.0);
        QCOMPARE(r.value(0, "PRO_UCOMP").toDate(), QDate(2024, 2, 29));
        QCOMPARE(r.value(0, "PRO_CODBAR").toString(), QString("7891234"));
    }

    void productFoundByBarCodeOrLookup() {
        onEntry([](TfEntrada_Estq* s) {
            enter(s->edENT_CodBar, "7891234");
            QCOMPARE(s->edENT_CodPRO->text(), QString("        42"));
            QVERIFY(s->btnEntrada_Grava->isEnabled());

            s->btnEntrada_Limpa->click();
            QVERIFY(!s->btnEntrada_Grava->isEnabled());
            QCOMPARE(chooseInProductLookup([&] { QTest::keyClick(s->edENT_CodPRO, Qt::Key_F5); }),
                     QString("Entrada Estoque"));
            QCOMPARE(s->edENT_CodPRO->text(), QString("        42"));
            QCOMPARE(s->focusWidget(), s->edENT_CodPRO);
            QApplication::setActiveWindow(s);
            QVERIFY(QTest::qWaitForWindowActive(s));
            QTest::keyClick(s->edENT_CodPRO, Qt::Key_Tab);
            QCOMPARE(s->edEnt_DescPro->text(), QString("Parafuso 42"));
            QVERIFY(s->btnEntrada_Grava->isEnabled());
        });
    }

    void unknownCodeOrBarCodeKeepsTheFocus_data() {
        QTest::addColumn<QString>("field");
        QTest::newRow("code") << "edENT_CodPRO";
        QTest::newRow("bar code") << "edENT_CodBar";
    }
    void unknownCodeOrBarCodeKeepsTheFocus() {
        QFETCH(QString, field);
        onEntry([&](TfEntrada_Estq* s) {
            auto* edit = s->findChild<QLineEdit*>(field);
            enter(edit, "77");
            QCOMPARE(messages(), QStringList{"Produto não Encontrado !"});
            QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::Information);
            QCOMPARE(s->focusWidget(), edit);
            QVERIFY(!s->btnEntrada_Grava->isEnabled());
        });
    }

    // A field that does not read stops the save before anything starts, with
    // a warning that names it; no field is cleaned.
    void unreadableNumbersWriteNothing_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("label");
        QTest::newRow("quantity") << "edEnt_Quant"
                                  << "Quantidade";
        QTest::newRow("cost") << "edEnt_PCusto"
                              << "Preço de Custo";
        QTest::newRow("minimum") << "edENT_Min"
                                 << "Estoque Mínimo";
        QTest::newRow("sale") << "edEnt_PVenda"
                              << "Preço de Venda";
    }
    void unreadableNumbersWriteNothing() {
        QFETCH(QString, field);
        QFETCH(QString, label);
        onEntry([&](TfEntrada_Estq* s) {
            enter(s->edENT_CodPRO, "42");
            s->edEnt_Quant->setText("3");
            s->findChild<QLineEdit*>(field)->setText("R$ 1,2,3");
            QTest::mouseClick(s->btnEntrada_Grava, Qt::LeftButton);
            QCOMPARE(messages(), QStringList{"O valor \"R$ 1,2,3\" do campo \"" + label +
                                             "\" não é um número. Corrija o valor e grave de "
                                             "novo; nada foi gravado."});
            QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::Warning);
            QCOMPARE(s->focusWidget(), s->findChild<QLineEdit*>(field));
            QCOMPARE(s->edENT_CodPRO->text(), QString("        42"));
        });
        QCOMPARE(movementRows(), QStringList());
        QCOMPARE(product().value(0, "PRO_QUANT").toDouble(), 10.0);
        QVERIFY(!dmConexao->SQLC_QOR->database().inTransaction());
    }
};

KELVARA_TEST_MAIN(TestEntrada)
#include "tst_entrada.moc"
