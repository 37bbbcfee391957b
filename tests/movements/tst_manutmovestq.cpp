#include "data/DataModule_MovEstq.h"
#include "data/ListCopy.h"
#include "entry/EditH.h"
#include "movements/ManutMovEstq.h"

#include "MovementFixture.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QDateEdit>
#include <QTableView>

class TestManutMovEstq : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    QStringList messages() const { return program->recorder.texts(); }
    static void onMaintenance(std::function<void(TfManutMovEstq*)> action) {
        fromMenu<TfManutMovEstq>("Utilitários/Manutenção de Mov.Estoque", action);
    }
    void movement(const QString& code, const QString& oper, int quantity, int daysAgo = 0) {
        program->dbs.exec("qor.gdb", QString("Insert Into Mov_Estq (MOV_CodPro, MOV_Oper, "
                                             "MOV_Data, MOV_Valor, MOV_Quant) Values ('%1', "
                                             "'%2', current_date - %3, 12.35, %4)")
                                         .arg(code.rightJustified(10, ' '), oper)
                                         .arg(daysAgo)
                                         .arg(quantity));
    }
    static int storedMovements() { return movementRows().size(); }
    static int shownRows(TfManutMovEstq* s) { return s->dbgMovEstq->model()->rowCount(); }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        addProduct(program->dbs, "42", "10");
    }
    void cleanup() { program.reset(); }

    void revertUndoesTheMovementsEffect_data() {
        QTest::addColumn<QString>("oper");
        QTest::addColumn<QString>("stock");
        QTest::addColumn<double>("expected");
        QTest::newRow("entry") << "EE"
                               << "10" << 6.0;
        QTest::newRow("exit") << "SS"
                              << "10" << 14.0;
        QTest::newRow("exit reversal subtracts") << "TS"
                                                 << "10" << 6.0;
        QTest::newRow("entry reversal adds") << "TE"
                                             << "10" << 14.0;
        QTest::newRow("below zero is accepted") << "EE"
                                                << "1" << -3.0;
        QTest::newRow("no quantity reads as none") << "SS"
                                                   << "null" << 4.0;
    }
    void revertUndoesTheMovementsEffect() {
        QFETCH(QString, oper);
        QFETCH(QString, stock);
        QFETCH(double, expected);
        program->dbs.exec("qor.gdb", "Update Produtos Set PRO_Quant=" + stock);
        movement("42", oper, 4);
        onMaintenance([&](TfManutMovEstq* s) {
            QCOMPARE(shownRows(s), 1);
            s->btnReverter->click();
            QCOMPARE(shownRows(s), 0);
        });
        QCOMPARE(messages(), QStringList{"Tem certeza que deseja Excluir e Reverter essa "
                                         "Movimentação ?"});
        QCOMPARE(storedQuantity("42").toDouble(), expected);
        QCOMPARE(storedMovements(), 0);
    }

    void plainDeletionKeepsTheQuantityAndNoChangesNothing_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<int>("left");
        QTest::addColumn<double>("quantity");
        QTest::newRow("delete only") << "btnExcluir" << true << 0 << 10.0;
        QTest::newRow("delete only, no") << "btnExcluir" << false << 1 << 10.0;
        QTest::newRow("delete and revert, no") << "btnReverter" << false << 1 << 10.0;
    }
    void plainDeletionKeepsTheQuantityAndNoChangesNothing() {
        QFETCH(QString, button);
        QFETCH(bool, yes);
        QFETCH(int, left);
        QFETCH(double, quantity);
        movement("42", "EE", 4);
        program->recorder.answers = {yes};
        onMaintenance([&](TfManutMovEstq* s) {
            s->findChild<QPushButton*>(button)->click();
            QCOMPARE(shownRows(s), left);
        });
        QCOMPARE(storedMovements(), left);
        QCOMPARE(storedQuantity("42").toDouble(), quantity);
        QCOMPARE(program->recorder.messages.size(), 1);
    }

    // The table has no key: of two identical rows exactly one goes.
    void identicalRowsGoOneAtATime_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<double>("quantity");
        QTest::newRow("delete only") << "btnExcluir" << 10.0;
        QTest::newRow("delete and revert") << "btnReverter" << 6.0;
    }
    void identicalRowsGoOneAtATime() {
        QFETCH(QString, button);
        QFETCH(double, quantity);
        movement("42", "EE", 4);
        movement("42", "EE", 4);
        onMaintenance([&](TfManutMovEstq* s) {
            s->findChild<QPushButton*>(button)->click();
            QCOMPARE(shownRows(s), 1);
        });
        QCOMPARE(storedMovements(), 1);
        QCOMPARE(storedQuantity("42").toDouble(), quantity);
    }

    void aRowGoneElsewhereIsReportedAndNothingChanges_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("delete only") << "btnExcluir";
        QTest::newRow("delete and revert") << "btnReverter";
    }
    void aRowGoneElsewhereIsReportedAndNothingChanges() {
        QFETCH(QString, button);
        movement("42", "SS", 4);
        onMaintenance([&](TfManutMovEstq* s) {
            program->dbs.exec("qor.gdb", "Delete From Mov_Estq");
            s->findChild<QPushButton*>(button)->click();
            QCOMPARE(shownRows(s), 1);
        });
        QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::StandardError);
        QCOMPARE(program->recorder.messages.last().text,
                 QString("Este movimento não está mais no Banco de Dados: outra estação o "
                         "alterou ou excluiu. Nada foi excluído."));
        QCOMPARE(storedQuantity("42").toDouble(), 10.0);
    }

    void aRefusedDeletionShowsTheDatabasesTextAndKeepsTheRow() {
        movement("42", "EE", 4);
        program->dbs.exec("qor.gdb", "Create Exception MOV_GUARDADA 'Movimento guardado'");
        program->dbs.exec("qor.gdb", "Create Trigger MOV_NAO_APAGA For Mov_Estq Before Delete As "
                                     "Begin Exception MOV_GUARDADA; End");
        onMaintenance([&](TfManutMovEstq* s) {
            s->btnExcluir->click();
            QCOMPARE(shownRows(s), 1);
        });
        QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::StandardError);
        QVERIFY2(program->recorder.messages.last().text.contains("Movimento guardado"),
                 qPrintable(program->recorder.messages.last().text));
        QCOMPARE(storedMovements(), 1);
    }

    void anEmptyGridRefusesBothDeletions() {
        onMaintenance([](TfManutMovEstq* s) {
            s->btnExcluir->click();
            s->btnReverter->click();
        });
        const QList<RecordedMessage>& m = program->recorder.messages;
        QCOMPARE(m.size(), 4);
        QCOMPARE(m[1].kind, Messages::Kind::StandardError);
        QCOMPARE(m[1].text, QString("Cannot perform this operation on an empty dataset"));
        QCOMPARE(m[3].kind, Messages::Kind::Error);
        QCOMPARE(m[3].text, QString("Não Consegui Realizar a Operação, Tente Novamente"));
        QCOMPARE(storedQuantity("42").toDouble(), 10.0);
    }

    void filtraLoadsThePeriodAndProduct() {
        addProduct(program->dbs, "7", "1");
        movement("42", "EE", 1);
        movement("7", "EE", 2);
        movement("7", "SS", 3, 5);
        movement("7", "TS", 4, 40);
        onMaintenance([this](TfManutMovEstq* s) {
            QCOMPARE(s->windowTitle(), QString("Manutenção de Movimentação de Estoque"));
            QCOMPARE(s->focusWidget(), s->dtpDataInicial);
            QCOMPARE(shownRows(s), 2);
            s->dtpDataInicial->setDate(QDate::currentDate().addDays(-10));
            enter(s->edCodigo, "7");
            QCOMPARE(s->edDesc->text(), QString("Parafuso 7"));
            QCOMPARE(s->focusWidget(), s->btnFiltra);
            s->btnFiltra->click();
            QCOMPARE(dmMovEstq->SQLQ_MovEstq3->SQL,
                     (QStringList{"SElect * From Mov_Estq Where",
                                  "MOV_Data Between :DataInicialD and :DataFinalD and "
                                  "MOV_CodPro=:CodigoC"}));
            QCOMPARE(dmMovEstq->SQLQ_MovEstq3->Params.value("CodigoC").toString(),
                     QString("         7"));
            QCOMPARE(shownRows(s), 2);
            s->edCodigo->clear();
            s->btnFiltra->click();
            QCOMPARE(dmMovEstq->SQLQ_MovEstq3->SQL.first(),
                     QString("SElect * From Mov_Estq  Where"));
            QCOMPARE(shownRows(s), 3);
            enter(s->edCodigo, "55");
            QCOMPARE(messages(), QStringList{"Produto não Cadastrado"});
            QCOMPARE(s->edCodigo->text(), QString());
            QCOMPARE(s->focusWidget(), s->edCodigo);
        });
    }

    void productLookupWritesTheChosenCode() {
        program->dbs.exec("qor.gdb", "Insert Into Grupos Values ('000001', 'Ferragens')");
        onMaintenance([](TfManutMovEstq* s) {
            QCOMPARE(chooseInProductLookup([&] { s->btnBusca->click(); }), QString("ManutMovEstq"));
            QCOMPARE(s->edCodigo->text(), QString("        42"));
            QCOMPARE(s->focusWidget(), s->edCodigo);
        });
    }
};

KELVARA_TEST_MAIN(TestManutMovEstq)
#include "tst_manutmovestq.moc"
