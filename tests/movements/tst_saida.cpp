#include "data/DataModule_Conexao.h"
#include "masterdata/Busca_Tipos.h"
#include "movements/Saida_Estq.h"

#include "MovementFixture.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

class TestSaida : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    QStringList messages() const { return program->recorder.texts(); }
    static void onExit(std::function<void(TfSaida_Estq*)> action) {
        fromMenu<TfSaida_Estq>("Movimentação no Estoque/Saída no Estoque", action);
    }
    // Product 42 loaded, exit type 5 chosen, quantity and sale price typed.
    static void fill(TfSaida_Estq* s, const QString& quantity, const QString& price = "20") {
        enter(s->edSaida_CodPro, "42");
        enter(s->edSaida_CodTipo, "5");
        enter(s->EdSaida_Quant, quantity);
        enter(s->edSaida_PVenda, price);
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        program->dbs.exec("qor.gdb", "Insert Into Tipos Values ('000005', 'Venda')");
        addProduct(program->dbs, "42", "10", "7891234");
    }
    void cleanup() { program.reset(); }

    void anExitOfAllThereIsLeavesNoneAndKeepsTheSalePrice() {
        onExit([this](TfSaida_Estq* s) {
            QCOMPARE(s->windowTitle(), QString("Saída do Estoque"));
            QCOMPARE(s->lbSaida_Titulo->text(), QString("Saída do Estoque"));
            QCOMPARE(s->focusWidget(), s->edSaida_CodPro);
            QCOMPARE(tabCycle(s),
                     (QStringList{"edSaida_DescPro", "btnSaida_Estoque_BuscaPRO", "edSaida_CodBar",
                                  "edSaida_Unid", "dtpSaida_Data", "edSaida_CodTipo",
                                  "btnSaida_Estoque_BuscaTipo", "EdSaida_Quant", "edSaida_PVenda",
                                  "edSaida_Doc", "btnSaida_Estq_Grava", "btnSaida_Estq_Limpa",
                                  "btnSaida_Estq_Fecha"}));
            fill(s, "10");
            QCOMPARE(s->edSaida_QuantAtual->text(), QString("10,000"));
            QVERIFY(s->edSaida_QuantAtual->isReadOnly());
            QCOMPARE(s->edSaida_CodTipo->text(), QString("000005"));
            QCOMPARE(s->edSaida_DescTipo->text(), QString("Venda"));
            QCOMPARE(s->edSaida_PVenda->text(), QString("R$ 20,00"));
            s->dtpSaida_Data->setDate(QDate(2024, 1, 31));
            enter(s->edSaida_Doc, "Pedido 9");
            s->btnSaida_Estq_Grava->click();
            QCOMPARE(messages(), QStringList());
            QCOMPARE(s->edSaida_CodPro->text(), QString());
            QCOMPARE(s->edSaida_QuantAtual->text(), QString("0,000"));
            QCOMPARE(s->focusWidget(), s->edSaida_CodPro);
        });
        QCOMPARE(movementRows(), QStringList{"        42|SS|2024-01-31|200|10|Pedido 9|000005"});
        QCOMPARE(storedQuantity("42").toDouble(), 0.0);
        QCOMPARE(dmConexao->SQLC_QOR->database()
                     .select("Select PRO_PVenda From Produtos")
                     .value(0, 0)
                     .toDouble(),
                 13.5);
    }

    void moreThanShownIsRefused() {
        onExit([this](TfSaida_Estq* s) {
            fill(s, "10,001");
            s->btnSaida_Estq_Grava->click();
            QCOMPARE(messages(), QStringList{"Quantidade tem que ser igual ou menor que a "
                                             "Quantidade Atual em Estoque"});
            QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::Error);
            QCOMPARE(s->EdSaida_Quant->text(), QString("10,001"));
            QCOMPARE(s->edSaida_PVenda->text(), QString("20,00"));
        });
        QCOMPARE(movementRows(), QStringList());
        QCOMPARE(storedQuantity("42").toDouble(), 10.0);
    }

    // The screen showed 10; another workstation issued 5 since.
    void moreThanStoredSinceIsRefusedToo() {
        onExit([this](TfSaida_Estq* s) {
            fill(s, "8");
            Workstation other(program->dbs);
            QVERIFY(GravaMovimento(
                other.base(),
                {QString("42").rightJustified(10), "SS", QDate(2024, 1, 2), 0, 5, "", "000005"},
                "falhou"));
            s->btnSaida_Estq_Grava->click();
            QCOMPARE(messages(), QStringList{"Quantidade tem que ser igual ou menor que a "
                                             "Quantidade Atual em Estoque"});
            QCOMPARE(s->edSaida_CodPro->text(), QString("        42"));
        });
        QCOMPARE(movementRows().size(), 1);
        QCOMPARE(storedQuantity("42").toDouble(), 5.0);
    }

    void anExitNeedsAStoredProductAndType_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no product") << ""
                                    << "000005"
                                    << "Produto não Encontrado !"
                                    << "edSaida_CodPro";
        QTest::newRow("no type") << "        42"
                                 << ""
                                 << "Tipo de Saída não Encontrada !"
                                 << "edSaida_CodTipo";
        QTest::newRow("type gone") << "        42"
                                   << "000007"
                                   << "Tipo de Saída não Encontrada !"
                                   << "edSaida_CodTipo";
    }
    void anExitNeedsAStoredProductAndType() {
        QFETCH(QString, code);
        QFETCH(QString, type);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        onExit([&](TfSaida_Estq* s) {
            s->edSaida_CodPro->setText(code);
            s->edSaida_CodTipo->setText(type);
            s->edSaida_QuantAtual->setText("10,000");
            s->EdSaida_Quant->setText("1");
            s->btnSaida_Estq_Grava->click();
            QCOMPARE(messages(), QStringList{message});
            QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::Information);
            QCOMPARE(s->focusWidget()->objectName(), focus);
        });
        QCOMPARE(movementRows(), QStringList());
    }

    void typeFieldLooksTheTypeUp() {
        onExit([this](TfSaida_Estq* s) {
            enter(s->edSaida_CodTipo, "5");
            QCOMPARE(s->edSaida_CodTipo->text(), QString("000005"));
            QCOMPARE(s->edSaida_DescTipo->text(), QString("Venda"));
            enter(s->edSaida_CodTipo, "7");
            QCOMPARE(messages(), QStringList{"Tipo de Saída não Encontrada !"});
            QCOMPARE(s->edSaida_CodTipo->text(), QString());
            QCOMPARE(s->focusWidget(), s->edSaida_CodTipo);

            QString caller;
            whenModal([&](QWidget*) {
                caller = fBusca_Tipos->Chamador;
                fBusca_Tipos->btnBusca_Seleciona->click();
            });
            s->btnSaida_Estoque_BuscaTipo->click();
            QCOMPARE(caller, QString("Saida"));
            QCOMPARE(s->edSaida_CodTipo->text(), QString("000005"));
            QCOMPARE(s->focusWidget(), s->edSaida_CodTipo);
        });
    }

    void productLookupWritesTheChosenCode() {
        program->dbs.exec("qor.gdb", "Insert Into Grupos Values ('000001', 'Ferragens')");
        onExit([](TfSaida_Estq* s) {
            QCOMPARE(chooseInProductLookup([&] { QTest::keyClick(s->edSaida_CodPro, Qt::Key_F5); }),
                     QString("Saída Estoque"));
            QCOMPARE(s->edSaida_CodPro->text(), QString("        42"));
            QCOMPARE(s->focusWidget(), s->edSaida_CodPro);
        });
    }

    void limpaEmptiesTheFields() {
        onExit([](TfSaida_Estq* s) {
            fill(s, "3");
            s->btnSaida_Estq_Limpa->click();
            const QStringList texts = {s->edSaida_CodPro->text(),     s->edSaida_DescPro->text(),
                                       s->edSaida_QuantAtual->text(), s->edSaida_CodTipo->text(),
                                       s->edSaida_DescTipo->text(),   s->EdSaida_Quant->text(),
                                       s->edSaida_PVenda->text()};
            QCOMPARE(texts, (QStringList{"", "", "0,000", "", "", "0,000", "R$ 0,00"}));
            QCOMPARE(s->focusWidget(), s->edSaida_CodPro);
        });
        QCOMPARE(movementRows(), QStringList());
    }
};

KELVARA_TEST_MAIN(TestSaida)
#include "tst_saida.moc"
