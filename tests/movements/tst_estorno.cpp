#include "app/Pricipal.h"
#include "data/DataModule_Conexao.h"
#include "movements/Estorno_Estq.h"

#include "MovementFixture.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

class TestEstorno : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    QStringList messages() const { return program->recorder.texts(); }
    static void onReversal(const QString& command, std::function<void(TfEstorno_Estq*)> action) {
        fromMenu<TfEstorno_Estq>("Movimentação no Estoque/" + command, action);
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        addProduct(program->dbs, "42", "3", "7891234");
    }
    void cleanup() { program.reset(); }

    void eachModeShowsItsWordingAndPrice_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("price");
        // Entry first: the exit reversal after it shows its own wording.
        QTest::newRow("entry") << "Estorno de Entrada"
                               << "Preço de Custo"
                               << "R$ 10,00";
        QTest::newRow("exit") << "Estorno de Saída"
                              << "Preço de Venda"
                              << "R$ 13,50";
    }
    void eachModeShowsItsWordingAndPrice() {
        QFETCH(QString, command);
        QFETCH(QString, label);
        QFETCH(QString, price);
        onReversal("Estorno de Entrada", [](TfEstorno_Estq*) {});
        onReversal(command, [&](TfEstorno_Estq* s) {
            QCOMPARE(s->windowTitle(), command);
            QCOMPARE(s->lEstorno_Titulo->text(), command);
            QCOMPARE(s->lEst_Preco->text(), label);
            QCOMPARE(s->focusWidget(), s->edEST_CodPro);
            QCOMPARE(tabCycle(s),
                     (QStringList{"edEst_DescPro", "btnEST_BuscaPro", "edEST_CodBar", "edEst_Unid",
                                  "dtpEst_Data", "EdEst_Quant", "edEst_Preco", "edEst_Doc",
                                  "btnEst_Grava", "btnEst_Limpa", "btnEst_Fecha"}));
            enter(s->edEST_CodPro, "42");
            QCOMPARE(s->edEst_Preco->text(), price);
            QCOMPARE(s->edEst_QuantAtual->text(), QString("3,000"));
        });
    }

    void reversalsMoveTheQuantityEitherWay_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("row");
        QTest::addColumn<double>("expected");
        QTest::newRow("entry reversal below zero") << "Estorno de Entrada"
                                                   << "5"
                                                   << "        42|TE|2024-05-06|10|5||" << -2.0;
        QTest::newRow("exit reversal, formatted thousands")
            << "Estorno de Saída"
            << "1.234,000"
            << "        42|TS|2024-05-06|2468|1234||" << 1237.0;
    }
    void reversalsMoveTheQuantityEitherWay() {
        QFETCH(QString, command);
        QFETCH(QString, quantity);
        QFETCH(QString, row);
        QFETCH(double, expected);
        onReversal(command, [&](TfEstorno_Estq* s) {
            enter(s->edEST_CodPro, "42");
            s->dtpEst_Data->setDate(QDate(2024, 5, 6));
            s->EdEst_Quant->setText(quantity);
            enter(s->edEst_Preco, "2");
            s->btnEst_Grava->click();
            QCOMPARE(messages(), QStringList());
            QCOMPARE(s->edEST_CodPro->text(), QString());
            QCOMPARE(s->lEstorno_Titulo->text(), command);
        });
        QCOMPARE(movementRows(), QStringList{row});
        QCOMPARE(storedQuantity("42").toDouble(), expected);
    }

    void productLookupWritesTheChosenCode() {
        program->dbs.exec("qor.gdb", "Insert Into Grupos Values ('000001', 'Ferragens')");
        onReversal("Estorno de Saída", [](TfEstorno_Estq* s) {
            QCOMPARE(chooseInProductLookup([&] { s->btnEST_BuscaPro->click(); }),
                     QString("Estorno Estoque"));
            QCOMPARE(s->edEST_CodPro->text(), QString("        42"));
            QCOMPARE(s->focusWidget(), s->edEST_CodPro);
        });
    }

    void aReversalNeedsAStoredProduct() {
        onReversal("Estorno de Entrada", [this](TfEstorno_Estq* s) {
            enter(s->edEST_CodPro, "77");
            QCOMPARE(messages(), QStringList{"Produto não Encontrado !"});
            QCOMPARE(s->edEST_CodPro->text(), QString());
            QCOMPARE(s->focusWidget(), s->edEST_CodPro);

            s->EdEst_Quant->setText("1");
            s->btnEst_Grava->click();
            QCOMPARE(messages().size(), 2);
            QCOMPARE(messages().last(), QString("Produto não Encontrado !"));
            QCOMPARE(s->focusWidget(), s->edEST_CodPro);
        });
        QCOMPARE(movementRows(), QStringList());
    }
};

KELVARA_TEST_MAIN(TestEstorno)
#include "tst_estorno.moc"
