#include "data/DataModule_Conexao.h"
#include "data/DataModule_Grupos.h"
#include "data/ListCopy.h"
#include "data/SqlConnection.h"
#include "shell/Gravacao.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <memory>

class TestGravacao : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    fb::Connection& qor() { return dmConexao->SQLC_QOR->database(); }
    void run(const QString& sql) { qor().execute(sql); }
    int groups() { return qor().select("Select * From Grupos").rowCount(); }

private slots:
    void init() { program = std::make_unique<RunningProgram>(); }
    void cleanup() { program.reset(); }

    void writePatternCommitsAndRefreshesTheSiteList() {
        ListCopy* list = dmGrupos->cds_Grupos;
        bool followed = false;
        const bool ok = Grava(
            {dmConexao->SQLC_QOR, list, Messages::Kind::Warning, "falhou"},
            [this] {
                run("Insert Into Grupos Values ('000001', 'A')");
                QVERIFY(qor().inTransaction());
            },
            [&followed] { followed = true; });
        QVERIFY(ok);
        QVERIFY(followed);
        QVERIFY(!qor().inTransaction());
        QCOMPARE(list->RecordCount(), 1);
        QVERIFY(program->recorder.messages.isEmpty());
    }

    void failedWriteShowsOnlyTheSiteMessageAndRollsBack_data() {
        QTest::addColumn<bool>("rollbackFirst");
        QTest::newRow("message, then rollback") << false;
        QTest::newRow("rollback, then message") << true;
    }
    void failedWriteShowsOnlyTheSiteMessageAndRollsBack() {
        QFETCH(bool, rollbackFirst);
        bool openDuringMessage = false;
        program->recorder.onMessage = [&](const RecordedMessage&) {
            openDuringMessage = qor().inTransaction();
        };
        bool followed = false;
        const bool ok = Grava(
            {dmConexao->SQLC_QOR, dmGrupos->cds_Grupos, Messages::Kind::Warning,
             "Deu Erro, tente novamente !", rollbackFirst},
            [this] {
                run("Insert Into Grupos Values ('000001', 'A')");
                run("Insert Into Grupos Values ('000001', 'duplicate key')");
            },
            [&followed] { followed = true; });
        QVERIFY(!ok);
        QVERIFY(!followed);
        QCOMPARE(program->recorder.texts(), QStringList{"Deu Erro, tente novamente !"});
        QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Warning);
        QCOMPARE(openDuringMessage, !rollbackFirst);
        QVERIFY(!qor().inTransaction());
        QCOMPARE(groups(), 0);
    }
};

KELVARA_TEST_MAIN(TestGravacao)
#include "tst_gravacao.moc"
