#include "data/DataModule_Conexao.h"
#include "movements/Movimentacao.h"
#include "shell/Gravacao.h"

#include "MovementFixture.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <atomic>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

class TestMovimentacao : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    static Movimento movement(const QString& operation, double quantity, double value = 0,
                              const QString& type = {}) {
        return {QString("42").rightJustified(10, ' '),
                operation,
                QDate(2024, 3, 15),
                value,
                quantity,
                "NF 7",
                type};
    }
    QStringList messages() const { return program->recorder.texts(); }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        program->dbs.exec("qor.gdb", "Insert Into Tipos Values ('000001', 'Venda')");
    }
    void cleanup() { program.reset(); }

    void eachOperationWritesItsRowAndQuantity_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<double>("quantity");
        QTest::addColumn<QString>("type");
        QTest::addColumn<double>("expected");
        QTest::newRow("entry adds") << "EE"
                                    << "10" << 2.5 << "" << 12.5;
        QTest::newRow("exit of all there is") << "SS"
                                              << "10" << 10.0 << "000001" << 0.0;
        QTest::newRow("entry reversal may go negative") << "TE"
                                                        << "3" << 5.0 << "" << -2.0;
        QTest::newRow("exit reversal adds") << "TS"
                                            << "3" << 1.25 << "" << 4.25;
        QTest::newRow("null on hand is none") << "TS"
                                              << "null" << 4.0 << "" << 4.0;
    }
    void eachOperationWritesItsRowAndQuantity() {
        QFETCH(QString, operation);
        QFETCH(QString, initial);
        QFETCH(double, quantity);
        QFETCH(QString, type);
        QFETCH(double, expected);
        addProduct(program->dbs, "42", initial);
        QVERIFY(GravaMovimento(BaseMovimentos::programa(),
                               movement(operation, quantity, quantity * 10, type), "falhou"));
        QCOMPARE(messages(), QStringList());
        QCOMPARE(storedQuantity("42").toDouble(), expected);
        // Only an exit names its type; the other rows leave the column null.
        QCOMPARE(movementRows(), QStringList{QString("        42|%1|2024-03-15|%2|%3|NF 7|%4")
                                                 .arg(operation)
                                                 .arg(quantity * 10)
                                                 .arg(quantity)
                                                 .arg(type)});
        const QVariant storedType =
            dmConexao->SQLC_QOR->database().select("Select MOV_Tipo From Mov_Estq").value(0, 0);
        QCOMPARE(storedType.isValid(), operation == "SS");
    }

    // The exit screen checks what it showed; the write checks what it reads
    // under the lock, and refuses after rolling back.
    void exitAboveTheLockedQuantityIsRefused() {
        addProduct(program->dbs, "42", "10");
        bool inTransaction = true;
        program->recorder.onMessage = [&](const RecordedMessage&) {
            inTransaction = dmConexao->SQLC_QOR->database().inTransaction();
        };
        QVERIFY(!GravaMovimento(BaseMovimentos::programa(), movement("SS", 10.001, 0, "000001"),
                                "falhou"));
        QCOMPARE(messages(),
                 QStringList{"Quantidade tem que ser igual ou menor que a Quantidade Atual em "
                             "Estoque"});
        QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::Error);
        QVERIFY(!inTransaction);
        QCOMPARE(storedQuantity("42").toDouble(), 10.0);
        QCOMPARE(movementRows(), QStringList());
    }

    void noMovementForAProductThatDoesNotExist_data() {
        QTest::addColumn<QString>("code");
        QTest::newRow("empty") << "";
        QTest::newRow("unknown") << QString("99").rightJustified(10, ' ');
    }
    void noMovementForAProductThatDoesNotExist() {
        QFETCH(QString, code);
        addProduct(program->dbs, "42", "10");
        Movimento m = movement("EE", 1);
        m.codigo = code;
        QVERIFY(!GravaMovimento(BaseMovimentos::programa(), m, "falhou"));
        QCOMPARE(messages(), QStringList{"Produto não Encontrado !"});
        QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::Information);
        QCOMPARE(movementRows(), QStringList());
    }

    void failureAfterTheInsertLeavesNothing() {
        addProduct(program->dbs, "42", "10");
        bool inTransaction = true;
        program->recorder.onMessage = [&](const RecordedMessage&) {
            inTransaction = dmConexao->SQLC_QOR->database().inTransaction();
        };
        QVERIFY(!GravaMovimento(BaseMovimentos::programa(), movement("EE", 2), "falhou",
                                [](SqlQuery* q, double) {
                                    q->setStatement({"Update Produtos Set PRO_Min='x'"});
                                    q->ExecSQL();
                                }));
        QCOMPARE(messages(), QStringList{"falhou"});
        QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::Warning);
        QVERIFY(!inTransaction);
        QCOMPARE(storedQuantity("42").toDouble(), 10.0);
        QCOMPARE(movementRows(), QStringList());
    }

    // Workstations moving one product at once each wait for the row lock and
    // build on the quantity the other committed.
    void concurrentMovementsLoseNoQuantity() {
        addProduct(program->dbs, "42", "1000");
        constexpr int stations = 4, each = 60;
        std::vector<std::unique_ptr<Workstation>> ws;
        for (int i = 0; i < stations; ++i)
            ws.push_back(std::make_unique<Workstation>(program->dbs));
        std::atomic<int> written{0}, conflicts{0};
        std::vector<std::thread> threads;
        const QString operations[] = {"EE", "SS", "TE", "TS"};
        for (int i = 0; i < stations; ++i)
            threads.emplace_back([&, i] {
                int mine = 0;
                for (int n = 0; n < each; ++n) {
                    if (GravaMovimento(ws[i]->base(),
                                       movement(operations[(i + n) % 4], 1 + n % 3, 0, "000001"),
                                       "falhou", {}, &mine))
                        ++written;
                }
                conflicts += mine;
            });
        for (auto& t : threads)
            t.join();
        QCOMPARE(messages(), QStringList());
        QCOMPARE(written.load(), stations * each);
        const double sum = dmConexao->SQLC_QOR->database()
                               .select("Select sum(case when MOV_Oper in ('EE', 'TS') then "
                                       "MOV_Quant else -MOV_Quant end), count(*) From Mov_Estq")
                               .value(0, 0)
                               .toDouble();
        QCOMPARE(movementRows().size(), stations * each);
        QCOMPARE(storedQuantity("42").toDouble(), 1000 + sum);
        qInfo("conflicts tried again: %d", conflicts.load());
    }

    // The lock is gone by the time the operator reads why the write failed.
    void anotherWorkstationMovesWhileTheFailureIsOnScreen() {
        addProduct(program->dbs, "42", "10");
        Workstation other(program->dbs);
        bool otherWent = false;
        std::future<bool> pending;
        program->recorder.onMessage = [&](const RecordedMessage&) {
            pending = std::async(std::launch::async, [&] {
                return GravaMovimento(other.base(), movement("EE", 5), "falhou");
            });
            otherWent = pending.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
        };
        QVERIFY(!GravaMovimento(BaseMovimentos::programa(), movement("EE", 2), "falhou",
                                [](SqlQuery*, double) { throw std::runtime_error("falha"); }));
        QVERIFY(otherWent);
        QVERIFY(pending.get());
        QCOMPARE(storedQuantity("42").toDouble(), 15.0);
        QCOMPARE(movementRows().size(), 1);
    }

    void revertUndoesTheMovement_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<double>("expected");
        QTest::newRow("entry") << "EE" << 7.5;
        QTest::newRow("exit reversal") << "TS" << 7.5;
        QTest::newRow("exit") << "SS" << 12.5;
        QTest::newRow("entry reversal") << "TE" << 12.5;
    }
    void revertUndoesTheMovement() {
        QFETCH(QString, operation);
        QFETCH(double, expected);
        addProduct(program->dbs, "42", "10");
        program->dbs.exec("qor.gdb", "Insert Into Mov_Estq (MOV_CodPro, MOV_Oper, MOV_Quant) "
                                     "Values ('        42', '" +
                                         operation + "', 2.5)");
        const auto erase = [] { dmConexao->SQLC_QOR->database().execute("Delete From Mov_Estq"); };
        QVERIFY(ReverteMovimento(BaseMovimentos::programa(), QString("42").rightJustified(10),
                                 operation, 2.5, erase));
        QCOMPARE(storedQuantity("42").toDouble(), expected);
        QCOMPARE(movementRows(), QStringList());
    }

    void failedRevertChangesNothing() {
        addProduct(program->dbs, "42", "10");
        program->dbs.exec("qor.gdb", "Insert Into Mov_Estq (MOV_CodPro, MOV_Oper, MOV_Quant) "
                                     "Values ('        42', 'EE', 2.5)");
        bool inTransaction = true;
        program->recorder.onMessage = [&](const RecordedMessage&) {
            inTransaction = dmConexao->SQLC_QOR->database().inTransaction();
        };
        QVERIFY(!ReverteMovimento(
            BaseMovimentos::programa(), QString("42").rightJustified(10), "EE", 2.5, [] {
                dmConexao->SQLC_QOR->database().execute("Delete From Mov_Estq");
                throw std::runtime_error("the row changed meanwhile");
            }));
        QCOMPARE(messages(), QStringList{"Não Consegui Realizar a Operação, Tente Novamente"});
        QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::Error);
        QVERIFY(!inTransaction);
        QCOMPARE(storedQuantity("42").toDouble(), 10.0);
        QCOMPARE(movementRows().size(), 1);
    }
};

KELVARA_TEST_MAIN(TestMovimentacao)
#include "tst_movimentacao.moc"
