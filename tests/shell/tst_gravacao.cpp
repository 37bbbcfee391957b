#include "data/Conexao.h"
#include "data/DataModule_Conexao.h"
#include "data/DataModule_Config.h"
#include "data/DataModule_Grupos.h"
#include "data/DbError.h"
#include "data/ListCopy.h"
#include "data/SqlConnection.h"
#include "shell/Gravacao.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <memory>

class TestGravacao : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    fb::Connection& qor() { return dmConexao->SQLC_QOR->database(); }
    void run(const QString& sql) { qor().execute(sql); }
    int groups() { return qor().select("Select * From Grupos").rowCount(); }

    // Ends the connection's attachment from another one, as a server restart
    // would: Firebird ends an attachment whose MON$ATTACHMENTS row is deleted.
    // Only that one row, found by its id.
    static void cut(SqlConnection* connection) {
        fb::Connection& db = connection->database();
        fb::Params own;
        own.setInteger("IdC", db.select("Select CURRENT_CONNECTION as ID From RDB$DATABASE")
                                  .value(0, "ID")
                                  .toLongLong());
        fb::Connection other;
        other.attach(ConexaoAdministrador(db.settings().database));
        QCOMPARE(other.execute("Delete From MON$ATTACHMENTS Where MON$ATTACHMENT_ID=:IdC", own), 1);
    }

    // Rows with that code, read through a connection of its own.
    static int stored(SqlConnection* connection, const QString& sql, const QString& code) {
        fb::Connection other;
        other.attach(ConexaoAdministrador(connection->database().settings().database));
        fb::Params p;
        p.setText("CodigoC", code);
        return other.select(sql, p).rowCount();
    }

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

    void lostConnectionIsSaidAndTheNextActionAttachesAgain_data() {
        QTest::addColumn<bool>("stock");
        QTest::addColumn<QString>("cutAt");
        for (const bool stock : {true, false}) {
            const char* name = stock ? "stock" : "configuration";
            for (const char* moment :
                 {"before the write", "inside the transaction", "after the commit"})
                QTest::addRow("%s, %s", name, moment) << stock << QString(moment);
        }
    }
    void lostConnectionIsSaidAndTheNextActionAttachesAgain() {
        QFETCH(bool, stock);
        QFETCH(QString, cutAt);
        SqlConnection* connection = stock ? dmConexao->SQLC_QOR : dmConfig->SQLC_Config;
        const QString insert =
            stock ? "Insert Into Grupos (GRU_Codigo, GRU_Descricao) Values (:CodigoC, 'Perdido')"
                  : "Insert Into Empresa (EMP_Codigo, EMP_Nome) Values (:CodigoC, 'Perdida')";
        const QString count = stock ? "Select * From Grupos Where GRU_Codigo=:CodigoC"
                                    : "Select * From Empresa Where EMP_Codigo=:CodigoC";
        const QString first = stock ? "000901" : "901", second = stock ? "000902" : "902";
        fb::Connection& db = connection->database();
        auto write = [&](const QString& code, const std::function<void()>& midway,
                         const std::function<void()>& followUp) {
            return Grava(
                {connection, nullptr, Messages::Kind::Warning, "Deu Erro"},
                [&] {
                    fb::Params p;
                    p.setText("CodigoC", code);
                    db.execute(insert, p);
                    midway();
                    db.select(count, p);
                },
                followUp);
        };
        auto noCut = [] {};
        auto cutHere = [connection] { cut(connection); };
        // The statements are prepared on the first attachment.
        QVERIFY(write(stock ? "000900" : "900", noCut, noCut));

        const bool ran = Messages::guarded([&] {
            if (cutAt == "before the write") {
                cut(connection);
                write(first, noCut, noCut);
            } else if (cutAt == "inside the transaction") {
                write(first, cutHere, noCut);
            } else {
                write(first, noCut, [&] {
                    cut(connection);
                    db.select("Select * From RDB$DATABASE");
                });
            }
        });
        QVERIFY(!ran);
        QCOMPARE(program->recorder.messages.size(), 1);
        const RecordedMessage said = program->recorder.messages[0];
        QCOMPARE(said.kind, Messages::Kind::StandardError);
        const bool kept = cutAt == "after the commit";
        const QString expected =
            (kept ? Messages::MensagemConexaoPerdidaAoGravar : Messages::MensagemConexaoPerdida) +
            u'\n';
        QVERIFY2(said.text.startsWith(expected) && said.text.size() > expected.size(),
                 qPrintable(said.text));
        QVERIFY(!db.inTransaction());
        QCOMPARE(stored(connection, count, first), kept ? 1 : 0);

        // The next action attaches again and runs; nothing was repeated.
        QVERIFY(write(second, noCut, noCut));
        QCOMPARE(stored(connection, count, second), 1);
        QCOMPARE(stored(connection, count, first), kept ? 1 : 0);
        QCOMPARE(program->recorder.messages.size(), 1);
    }

    void whileTheDatabaseIsAwayEveryActionFailsFastAlike_data() {
        QTest::addColumn<bool>("stock");
        QTest::newRow("stock") << true;
        QTest::newRow("configuration") << false;
    }
    void whileTheDatabaseIsAwayEveryActionFailsFastAlike() {
        QFETCH(bool, stock);
        const QString gfix = QStandardPaths::findExecutable("gfix");
        if (gfix.isEmpty())
            QSKIP("gfix is not installed");
        SqlConnection* connection = stock ? dmConexao->SQLC_QOR : dmConfig->SQLC_Config;
        fb::Connection& db = connection->database();
        const QString read = stock ? "Select * From Grupos" : "Select * From Configuracoes";
        db.select(read);
        // This test's own database goes away, as the server would: its
        // attachments end and no new one is let in until it is back.
        auto gfixOn = [&](const QStringList& arguments) {
            QCOMPARE(QProcess::execute(gfix,
                                       arguments + QStringList{"-user", UsuarioBanco, "-password",
                                                               SenhaBanco, db.settings().database}),
                     0);
        };
        const QStringList online{"-online", "normal"};
        gfixOn({"-shut", "full", "-force", "0"});
        auto back = qScopeGuard([&] { gfixOn(online); });
        QElapsedTimer clock;
        clock.start();
        for (int action = 0; action < 3; ++action)
            QVERIFY(!Messages::guarded([&] { db.select(read); }));
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(program->recorder.messages.size(), 3);
        for (const RecordedMessage& said : program->recorder.messages)
            QVERIFY2(said.kind == Messages::Kind::StandardError &&
                         said.text.startsWith(Messages::MensagemConexaoPerdida + u'\n'),
                     qPrintable(said.text));

        back.dismiss();
        gfixOn(online);
        QVERIFY(Messages::guarded([&] { db.select(read); }));
        QCOMPARE(program->recorder.messages.size(), 3);
    }
};

KELVARA_TEST_MAIN(TestGravacao)
#include "tst_gravacao.moc"
