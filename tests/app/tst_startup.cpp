#include "app/Config_BancoDados.h"
#include "app/Pricipal.h"
#include "app/Startup.h"
#include "data/Conexao.h"
#include "data/ConfigIni.h"
#include "data/DataModule_Conexao.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

namespace {

const QString notFound = QStringLiteral(
    "Não Consegui encontrar o Banco de Dados as Possíveis causas podem ser:\n"
    " 1 - verifique se o FireBird está Ativo\n"
    " 2 - Verique no arquivo Config.ini se o Path dos Dados está correto\n"
    " Caso não consiga resolver entre em Contato Através do Email suporte@kelvara.example ou "
    "pelo Telefone: (11) 5555-0100\n"
    " E diga o Código de Erro:");

void type(QLineEdit* field, const QString& text) {
    field->clear();
    typeText(field, text);
}

void click(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabases> dbs;
    std::unique_ptr<MessageRecorder> recorder;

    void verifyNotFound(int index, const QString& errorPart) {
        QVERIFY(recorder->messages.size() > index);
        const RecordedMessage& m = recorder->messages[index];
        QCOMPARE(m.kind, Messages::Kind::Error);
        QVERIFY2(m.text.startsWith(notFound), qPrintable(m.text));
        QVERIFY2(m.text.mid(notFound.size()).contains(errorPart), qPrintable(m.text));
    }

private slots:
    void init() {
        dbs = std::make_unique<TestDatabases>();
        recorder = std::make_unique<MessageRecorder>();
    }
    void cleanup() {
        DestroyProgram();
        recorder.reset();
        dbs.reset();
        QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
                std::none_of(QApplication::topLevelWidgets().cbegin(),
                             QApplication::topLevelWidgets().cend(),
                             [](QWidget* w) { return w->isVisible(); }));
    }

    void firstRunSavesTheFolderAndOpensTheMainWindow() {
        whenModal([this](QWidget* w) {
            auto* screen = qobject_cast<TfConfig_BancoDados*>(w);
            QVERIFY(screen);
            QCOMPARE(screen->windowTitle(), QString("Configurações do Banco de Dados"));
            QCOMPARE(screen->edPathDados->text(), QDir::currentPath());
            QCOMPARE(screen->focusWidget(), screen->edPathDados);
            type(screen->edPathDados, dbs->folder());
            click(screen->btnSalvar_Dados);
        });
        QVERIFY(StartProgram());
        QVERIFY(recorder->messages.isEmpty());
        QCOMPARE(recorder->endRequests, 0);
        QCOMPARE(ConfigIni::readFolder(), dbs->folder());
        QVERIFY(fPrincipal);
        QCOMPARE(fPrincipal->windowTitle(), QString("Kelvara"));
        QVERIFY(!fConfig_BancoDados);
        QVERIFY(dmConexao->SQLC_QOR->Connected());
    }

    void badFolderIsReportedAndForgottenThenTheOperatorLeaves() {
        whenModal([this](QWidget* w) {
            auto* screen = qobject_cast<TfConfig_BancoDados*>(w);
            type(screen->edPathDados, dbs->folder() + "/nowhere");
            click(screen->btnSalvar_Dados);
            verifyNotFound(0, dbs->localPath() + "/nowhere"); // the folder as it is named
            QVERIFY(!ConfigIni::exists());
            QCOMPARE(screen->edPathDados->text(), QString());
            QCOMPARE(screen->focusWidget(), screen->edPathDados);
            QVERIFY(screen->isVisible());

            type(screen->edPathDados, dbs->folder() + "/nowhere");
            click(screen->btnTestar_Dados);
            verifyNotFound(1, "nowhere");
            QCOMPARE(screen->edPathDados->text(), QString());

            click(screen->btnSair_Programa);
        });
        QVERIFY(!StartProgram());
        QCOMPARE(recorder->messages.size(), 2);
        QCOMPARE(recorder->endRequests, 1);
        QVERIFY(!fPrincipal);
    }

    void testarWritesNoFileButItsConnectionsServeTheStart() {
        whenModal([this](QWidget* w) {
            auto* screen = qobject_cast<TfConfig_BancoDados*>(w);
            type(screen->edPathDados, dbs->folder());
            click(screen->btnTestar_Dados);
            QCOMPARE(recorder->messages.size(), 1);
            QCOMPARE(recorder->messages[0].kind, Messages::Kind::Information);
            QCOMPARE(recorder->messages[0].text, QString("Banco de Dados Encontrado"));
            QVERIFY(screen->isVisible());
            screen->close(); // the title-bar close box
        });
        QVERIFY(StartProgram());
        QVERIFY(!ConfigIni::exists());
        QCOMPARE(recorder->messages.size(), 1);
        QVERIFY(fPrincipal);
    }

    void closingTheFolderScreenUnconnectedEndsWithOneMessage() {
        whenModal([](QWidget* w) { w->close(); });
        QVERIFY(!StartProgram());
        QCOMPARE(recorder->messages.size(), 1);
        verifyNotFound(0, "");
        QCOMPARE(recorder->endRequests, 1);
        QVERIFY(!fPrincipal);
    }

    void wrongFolderInConfigIniShowsTwoMessagesThenEnds() {
        dbs->writeConfigIni(dbs->folder() + "/missing");
        QVERIFY(!StartProgram());
        QCOMPARE(recorder->messages.size(), 2);
        verifyNotFound(0, "missing");  // the connection attempt
        verifyNotFound(1, "not open"); // the first query
        QCOMPARE(recorder->endRequests, 1);
        QVERIFY(!fPrincipal);
    }

    void missingTableEndsWithOneMessageCarryingTheServerText() {
        dbs->exec("qor.gdb", "DROP TABLE GRUPOS");
        dbs->writeConfigIni();
        QVERIFY(!StartProgram());
        QCOMPARE(recorder->messages.size(), 1);
        verifyNotFound(0, "GRUPOS");
        QCOMPARE(recorder->endRequests, 1);
    }

    // A folder named with accents and blanks opens through the server and
    // with the embedded engine alike, from the folder screen and from then
    // on from Config.INI.
    void accentedFolderStartsThroughTheFolderScreen_data() {
        QTest::addColumn<bool>("embedded");
        QTest::newRow("through the server") << false;
        QTest::newRow("embedded") << true;
    }
    void accentedFolderStartsThroughTheFolderScreen() {
        QFETCH(bool, embedded);
        const QString local = dbs->localPath() + "/Área de Trabalho/Estoque Pão & Açúcar";
        QVERIFY(QDir().mkpath(local));
        QFile::setPermissions(local, QFileDevice::Permissions(0x7777));
        const QString folder = embedded ? local : "localhost:" + local;
        CriaBancos(folder);

        whenModal([&](QWidget* w) {
            auto* screen = qobject_cast<TfConfig_BancoDados*>(w);
            type(screen->edPathDados, folder);
            click(screen->btnSalvar_Dados);
        });
        QVERIFY(StartProgram());
        QCOMPARE(recorder->texts(), QStringList());
        QCOMPARE(ConfigIni::readFolder(), folder);
        DestroyProgram();

        QVERIFY(StartProgram()); // from Config.INI
        QCOMPARE(recorder->texts(), QStringList());
        QVERIFY(dmConexao->SQLC_QOR->Connected());
        DestroyProgram();
        for (const char* name : {"qor.gdb", "config.gdb"}) {
            fb::Connection db;
            db.attach(ConexaoAdministrador(CaminhoBanco(folder, name)));
            db.drop();
        }
    }

    // Databases of an earlier version are upgraded at start-up, the operator
    // told before. The version is the program's own: what another tool wrote
    // in a database's description changes nothing, and a step that stopped
    // half-way runs again.
    void olderDatabasesAreUpgradedAfterAWord_data() {
        QTest::addColumn<int>("schema");
        QTest::addColumn<QString>("statement"); // on both databases, before the start
        QTest::newRow("schema 1") << 1 << QString();
        QTest::newRow("schema 2 described by another tool")
            << 2 << "comment on database is 'Estoque da loja'";
        QTest::newRow("schema 2 whose description was cleared")
            << 2 << "comment on database is null";
        QTest::newRow("schema 2 whose upgrade stopped before the version's row")
            << 2 << "create table Esquema (Versao integer not null)";
        QTest::newRow("schema 3, before the stock counts") << 3 << QString();
        QTest::newRow("schema 4 described by another tool")
            << 4 << "comment on database is 'Kelvara: esquema 1'";
        QTest::newRow("schema 4 described as a newer one")
            << 4 << "comment on database is 'Kelvara: esquema 99'";
    }
    void olderDatabasesAreUpgradedAfterAWord() {
        QFETCH(int, schema);
        QFETCH(QString, statement);
        if (schema == 1)
            dbs->makeSchema1();
        if (schema == 2)
            dbs->makeSchema2();
        if (schema == 3)
            dbs->makeSchema3();
        dbs->exec("qor.gdb", "Insert Into Grupos Values ('000001', 'Água')");
        for (const char* file : {"qor.gdb", "config.gdb"})
            if (!statement.isEmpty())
                dbs->exec(file, statement);
        dbs->writeConfigIni();
        QVERIFY(StartProgram());
        if (schema < VersaoEsquema) {
            QCOMPARE(recorder->messages.size(), 1);
            QCOMPARE(recorder->messages[0].kind, Messages::Kind::Information);
            QVERIFY2(recorder->messages[0].text.startsWith(
                         "Os Bancos de Dados qor.gdb e config.gdb são de uma versão anterior"),
                     qPrintable(recorder->messages[0].text));
        } else {
            QCOMPARE(recorder->texts(), QStringList());
        }
        QVERIFY(fPrincipal);
        QCOMPARE(BancosDesatualizados(dbs->folder()), QStringList());
        fb::Connection qor;
        qor.attach(ConexaoAdministrador(CaminhoBanco(dbs->folder(), "qor.gdb")));
        QCOMPARE(qor.select("select GRU_Descricao from Grupos").value(0, 0).toString(),
                 QString("Água"));
        const fb::ResultSet version = qor.select("select Versao from Esquema");
        QCOMPARE(version.rowCount(), 1);
        QCOMPARE(version.value(0, 0).toInt(), VersaoEsquema);
        // The stock counts' tables are there, and their numbers start at 1.
        QCOMPARE(qor.select("select count(*) from Balanco_Linha").value(0, 0).toInt(), 0);
        QCOMPARE(
            qor.select("select next value for Gen_Balanco from rdb$database").value(0, 0).toInt(),
            1);
    }
    // A newer database ends the start with nothing changed.
    void newerDatabaseEndsTheStart() {
        dbs->exec("qor.gdb", "update Esquema set Versao = 99");
        dbs->writeConfigIni();
        QVERIFY(!StartProgram());
        QCOMPARE(recorder->messages.size(), 1);
        QCOMPARE(recorder->messages[0].kind, Messages::Kind::Error);
        QVERIFY2(recorder->messages[0].text.contains("versão mais nova do Kelvara (esquema 99"),
                 qPrintable(recorder->messages[0].text));
        QCOMPARE(recorder->endRequests, 1);
        QVERIFY(!fPrincipal);
    }

    // Another workstation is writing to a table the upgrade alters (a long
    // import, say): after a bounded wait the operator is told which database
    // is busy, nothing is changed and the start ends.
    void busyDatabaseEndsTheStartAfterAWait() {
        dbs->makeSchema1();
        dbs->writeConfigIni();
        const QString qor = CaminhoBanco(dbs->folder(), "qor.gdb");
        fb::Connection other;
        other.attach(ConexaoAdministrador(qor));
        other.startTransaction();
        other.execute("Insert Into Produtos (PRO_Codigo) Values ('         1')");
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!StartProgram());
        QVERIFY(clock.elapsed() < (EsperaAtualizacaoSegundos + 5) * 1000);
        QCOMPARE(recorder->messages.size(), 2); // the word before the upgrade, then this
        QCOMPARE(recorder->messages[1].kind, Messages::Kind::Error);
        QCOMPARE(recorder->messages[1].text,
                 QString("O Banco de Dados %1 está sendo usado por outra estação e não pôde ser "
                         "atualizado. Feche o Kelvara nas outras estações e abra-o de novo; o "
                         "Banco de Dados ficou como estava.")
                     .arg(qor));
        QCOMPARE(recorder->endRequests, 1);
        QVERIFY(!fPrincipal);
        other.rollback();
        QCOMPARE(BancosDesatualizados(dbs->folder()), QStringList({"qor.gdb", "config.gdb"}));
    }

    void goodConfigIniStartsWithoutAWord() {
        dbs->writeConfigIni();
        QVERIFY(StartProgram());
        QVERIFY(recorder->messages.isEmpty());
        QVERIFY(fPrincipal);
    }
};

KELVARA_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
