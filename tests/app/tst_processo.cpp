#include "app/Config_BancoDados.h"
#include "app/Pricipal.h"
#include "app/Startup.h"
#include "data/Conexao.h"
#include "data/ConfigIni.h"
#include "data/DbError.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
#include "data/FbService.h"
#include "data/Restauracao.h"
#include "shell/Contato.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <csignal>
#include <memory>

// The program as the desktop runs it: a process of its own on the
// single-machine default, the embedded engine.
class TestProcesso : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> pasta;
    std::unique_ptr<QProcess> programa;

    QString folder() const { return pasta->path() + "/Estoque São Paulo"; }
    // The folder as the program names it: bare for the embedded engine,
    // "localhost:..." once the test has moved to the server.
    QString dbFolder;

    // Whether another process has the stock database open.
    bool heldElsewhere() {
        fb::Connection db;
        try {
            db.attach(ConexaoAdministrador(CaminhoBanco(folder(), "qor.gdb")));
            return false;
        } catch (const DbError& e) {
            return AbertoEmOutroPrograma(e);
        }
    }

    // Whether the program has both database files open. Asking through an
    // attachment of our own would itself take the files from the program.
    bool programHoldsTheDatabases() const {
        const QDir fds(QString("/proc/%1/fd").arg(programa->processId()));
        int open = 0;
        for (const QFileInfo& fd : fds.entryInfoList(QDir::Files | QDir::System))
            if (fd.symLinkTarget().startsWith(folder() + "/") &&
                fd.symLinkTarget().endsWith(".gdb"))
                ++open;
        return open >= 2;
    }

    QString local(const QString& name) const { return folder() + "/" + name; }

    void run(const QString& sql, const QString& database = "qor.gdb") {
        fb::Connection db;
        db.attach(ConexaoAdministrador(CaminhoBanco(dbFolder, database)));
        db.executeImmediate(sql);
    }
    QStringList products(const QString& database = "qor.gdb") {
        fb::Connection db;
        db.attach(ConexaoAdministrador(CaminhoBanco(dbFolder, database)));
        const fb::ResultSet r = db.select(
            "Select trim(PRO_Codigo) || '|' || PRO_PCusto From Produtos Order By PRO_Codigo");
        QStringList all;
        for (int i = 0; i < r.rowCount(); ++i)
            all << r.value(i, 0).toString();
        return all;
    }
    void backup(const QString& file) {
        fb::Service service;
        service.attach(fb::Service::managerFor(dbFolder), UsuarioBanco, SenhaBanco);
        service.backup(CaminhoBanco(dbFolder, "qor.gdb"), file);
    }

    void writeConfigIni() {
        QFile ini(folder() + "/Config.INI");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(("[PASTA]\r\nPATH=" + dbFolder + "\r\n").toUtf8());
    }

    // The databases made anew through the local server, which the folder
    // is opened to, and Config.INI pointed at it.
    void useServer() {
        for (const QString& dir : {pasta->path(), folder()})
            QFile::setPermissions(dir, QFileDevice::Permissions(0x7777));
        for (const char* name : {"qor.gdb", "config.gdb"})
            QFile::remove(local(name));
        dbFolder = "localhost:" + folder();
        CriaBancos(dbFolder);
        writeConfigIni();
    }

    // Starts the program in this process, as the next start after a cut
    // does, answering its questions; answers what it said.
    QList<RecordedMessage> startAgain(QList<bool> answers) {
        const QString previous = QDir::currentPath();
        QDir::setCurrent(folder());
        MessageRecorder recorder;
        recorder.answers = answers;
        const bool started = StartProgram();
        DestroyProgram();
        QDir::setCurrent(previous);
        [&] { QVERIFY2(started, qPrintable(recorder.texts().join("\n"))); }();
        return recorder.messages;
    }

    static QByteArray digest(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly)
                   ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5)
                   : QByteArray();
    }

    // Whether the process holds the requests to end back, as the program
    // does from the first line of main on.
    static bool holdsEndRequests(qint64 pid) {
        QFile status(QString("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("SigBlk:"))
                return line.mid(7).trimmed().toULongLong(nullptr, 16) & (1ULL << (SIGTERM - 1));
        return false;
    }

    // Runs the program with an operator of its own (programa_conduzido.cpp)
    // until it ends; answers what it said.
    QString runDriven(const QString& task) {
        QProcess driven;
        launch(driven, KELVARA_DRIVEN, folder(), task);
        const bool ended = driven.waitForFinished(120000);
        const QString said = QString::fromUtf8(driven.readAllStandardOutput());
        [&] {
            QVERIFY2(ended, qPrintable(said));
            QCOMPARE(driven.exitStatus(), QProcess::NormalExit);
            QCOMPARE(driven.exitCode(), 0);
            QVERIFY2(said.contains("tarefa iniciada"), qPrintable(said));
        }();
        return said;
    }

    // Starts a program in the database folder, as the desktop starts it.
    static void launch(QProcess& process, const QString& program, const QString& folder,
                       const QString& task = {}) {
        process.setWorkingDirectory(folder);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        if (!task.isEmpty())
            env.insert("KELVARA_CONDUZ", task);
        process.setProcessEnvironment(env);
        process.start(program, {});
    }

    void startProgram() {
        programa = std::make_unique<QProcess>();
        launch(*programa, KELVARA_PROGRAM, folder());
        QVERIFY(programa->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(programHoldsTheDatabases(), 30000);
        QVERIFY(heldElsewhere());
    }

private slots:
    void init() {
        pasta = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(folder()));
        dbFolder = folder();
        CriaBancos(folder());
        writeConfigIni();
    }
    void cleanup() {
        if (programa && programa->state() != QProcess::NotRunning) {
            programa->kill();
            programa->waitForFinished();
        }
        programa.reset();
        pasta.reset();
    }

    // The requests to end that a desktop or a terminal sends end the program
    // at once, from the first screen on, and leave the database free for the
    // next process; at the database folder screen of a first start nothing
    // is written.
    void endRequestsEndTheProgramAndFreeTheDatabase_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("atFolderScreen");
        QTest::newRow("SIGTERM") << SIGTERM << false;
        QTest::newRow("SIGINT") << SIGINT << false;
        QTest::newRow("SIGHUP") << SIGHUP << false;
        QTest::newRow("SIGTERM at the folder screen") << SIGTERM << true;
        QTest::newRow("SIGINT at the folder screen") << SIGINT << true;
    }
    void endRequestsEndTheProgramAndFreeTheDatabase() {
        QFETCH(int, signal);
        QFETCH(bool, atFolderScreen);
        if (atFolderScreen) {
            QVERIFY(QFile::remove(folder() + "/Config.INI"));
            programa = std::make_unique<QProcess>();
            launch(*programa, KELVARA_PROGRAM, folder());
            QVERIFY(programa->waitForStarted());
            QTRY_VERIFY(holdsEndRequests(programa->processId()));
        } else {
            startProgram();
        }
        ::kill(pid_t(programa->processId()), signal);
        QVERIFY(programa->waitForFinished(5000));
        QCOMPARE(programa->exitStatus(), QProcess::NormalExit);
        QCOMPARE(programa->exitCode(), 0);
        QVERIFY(!heldElsewhere());
        QCOMPARE(QFile::exists(folder() + "/Config.INI"), !atFolderScreen);
    }

    // A logout in the middle of a backup waits for it: the program ends once
    // the new backup is whole, in place of the old one.
    void endWaitsForTheBackupUnderWay() {
        run("Insert Into Grupos Values ('000001', 'Geral')");
        run("Insert Into Produtos (PRO_Codigo, PRO_CodGRU, PRO_PCusto) "
            "Values ('         1', '000001', 1)");
        backup(local("backup.gbk"));
        run("Insert Into Produtos (PRO_Codigo, PRO_CodGRU, PRO_PCusto) "
            "Values ('         2', '000001', 2)");
        const QString said = runDriven("backup|" + local("backup.gbk"));
        QVERIFY2(said.contains("Backup dos Dados Realizado com Sucesso !"), qPrintable(said));

        fb::Service service;
        service.attach(fb::Service::managerFor(folder()), UsuarioBanco, SenhaBanco);
        service.restore(local("backup.gbk"), CaminhoBanco(folder(), "verifica.gdb"));
        QCOMPARE(products("verifica.gdb"), (QStringList{"1|1.00", "2|2.00"}));
    }

    // A logout in the middle of a restore waits for it: the program ends
    // once the database holds the restored data, and the next start opens it.
    void endWaitsForTheRestoreUnderWay() {
        run("Insert Into Grupos Values ('000001', 'Geral')");
        run("Insert Into Produtos (PRO_Codigo, PRO_CodGRU, PRO_PCusto) "
            "Values ('         1', '000001', 1)");
        backup(local("backup.gbk"));
        run("Update Produtos Set PRO_PCusto = 99");
        const QString said = runDriven("restaura|" + local("backup.gbk") + "|" + local("qor.gdb"));
        QVERIFY2(!said.contains("Não consegui"), qPrintable(said));
        QCOMPARE(products(), QStringList{"1|1.00"});
        startProgram();
    }

    // The program is killed (as by a power cut) at each step of a restore,
    // on the embedded engine and through the server. The next start opens
    // the old data or the new whole, or asks whether to finish the restore
    // or go back, and either works; an earlier safety copy never changes,
    // and nothing of the restore is left behind.
    void cutRestoreIsFinishedOrUndoneAtTheNextStart_data() {
        QTest::addColumn<bool>("server");
        QTest::addColumn<QString>("cut");
        QTest::addColumn<QList<bool>>("answers"); // empty: no question
        QTest::addColumn<bool>("restored");
        for (bool server : {false, true}) {
            const char* engine = server ? "servidor" : "embutido";
            auto row = [&](const char* name, const QString& cut, QList<bool> answers,
                           bool restored) {
                QTest::addRow("%s, %s", engine, name) << server << cut << answers << restored;
            };
            // Through the server the replace is a restore: cut it half-way.
            const QString replace = server ? "Substituindo|5" : "Substituindo|1";
            row("antes da prova", "Conferindo o backup|1", {}, false);
            row("durante a prova", "Restaurando o backup à parte|5", {}, false);
            row("durante a cópia", "Guardando uma cópia|3", {}, false);
            row("durante a substituição, concluída", replace, {true}, true);
            row("durante a substituição, desfeita", replace, {false}, false);
            row("depois da substituição", "Abrindo o Banco de Dados restaurado|1", {}, true);
        }
    }
    void cutRestoreIsFinishedOrUndoneAtTheNextStart() {
        QFETCH(bool, server);
        QFETCH(QString, cut);
        QFETCH(QList<bool>, answers);
        QFETCH(bool, restored);
        if (server)
            useServer();
        // Enough movements for every step to take a while.
        run("Insert Into Grupos Values ('000001', 'Geral')");
        run("Insert Into Produtos (PRO_Codigo, PRO_CodGRU, PRO_PCusto) "
            "Values ('         1', '000001', 1)");
        run("execute block as declare i integer = 0; begin while (i < 20000) do begin "
            "insert into Mov_Estq (MOV_CodPro, MOV_Oper, MOV_Data, MOV_Valor, MOV_Quant, MOV_Doc) "
            "values ('         1', 'EE', current_date, 1, 1, 'NF ' || :i); i = i + 1; end end");
        backup(local("backup.gbk"));
        run("Update Produtos Set PRO_PCusto = 99");
        const QString earlier = local("qor.gdb.anterior-20250101-120000.gbk");
        QVERIFY(QFile::copy(local("backup.gbk"), earlier));
        const QByteArray earlierDigest = digest(earlier);

        QProcess driven;
        qputenv("KELVARA_CORTE", cut.toUtf8());
        launch(driven, KELVARA_DRIVEN, folder(),
               "restaura|" + local("backup.gbk") + "|" + local("qor.gdb"));
        qunsetenv("KELVARA_CORTE");
        QVERIFY(driven.waitForFinished(120000));
        QCOMPARE(driven.exitStatus(), QProcess::CrashExit);

        if (server && !answers.isEmpty()) {
            // Another workstation, which has not the record, is told that a
            // restore runs or was cut, not that the server is missing.
            const QString record = local("qor.gdb.restauracao.ini");
            QVERIFY(QFile::rename(record, record + ".longe"));
            const QString previous = QDir::currentPath();
            QDir::setCurrent(folder());
            MessageRecorder recorder;
            QVERIFY(!StartProgram());
            DestroyProgram();
            QDir::setCurrent(previous);
            QVERIFY(QFile::rename(record + ".longe", record));
            QCOMPARE(recorder.messages.size(), 1);
            QVERIFY2(recorder.messages[0].text.startsWith(MensagemEmRestauracao),
                     qPrintable(recorder.messages[0].text));
        }

        const QList<RecordedMessage> said = startAgain(answers);
        const bool asked = std::any_of(said.begin(), said.end(), [](const RecordedMessage& m) {
            return m.kind == Messages::Kind::Confirmation;
        });
        QCOMPARE(asked, !answers.isEmpty());
        if (asked)
            QVERIFY2(said[0].text.contains("foi interrompida antes de terminar") &&
                         said[0].text.contains(local("backup.gbk")),
                     qPrintable(said[0].text));
        QCOMPARE(products(), QStringList{restored ? "1|1.00" : "1|99.00"});
        QCOMPARE(digest(earlier), earlierDigest);
        QCOMPARE(QDir(folder()).entryList({"*.restauracao*", "*.gravando-*"},
                                          QDir::AllEntries | QDir::Hidden),
                 QStringList());
        // And the start after that just opens.
        QCOMPARE(startAgain({}).size(), 0);
    }

    // A second start on the same machine says so, ends and keeps the
    // configuration, from Config.INI and from the folder screen alike.
    void secondStartSaysSoAndKeepsTheConfiguration_data() {
        QTest::addColumn<bool>("fromFolderScreen");
        QTest::newRow("Config.INI") << false;
        QTest::newRow("folder screen") << true;
    }
    void secondStartSaysSoAndKeepsTheConfiguration() {
        QFETCH(bool, fromFolderScreen);
        startProgram();
        QTemporaryDir outra;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(fromFolderScreen ? outra.path() : folder());
        const QString ini = ConfigIni::fileName();
        MessageRecorder recorder;
        if (fromFolderScreen)
            whenModal([this](QWidget* w) {
                auto* screen = qobject_cast<TfConfig_BancoDados*>(w);
                screen->edPathDados->clear();
                typeText(screen->edPathDados, folder());
                QTest::mouseClick(screen->btnSalvar_Dados, Qt::LeftButton);
            });
        QVERIFY(!StartProgram());
        QCOMPARE(recorder.texts(), QStringList{MensagemJaAberto});
        QCOMPARE(recorder.messages[0].kind, Messages::Kind::Information);
        QCOMPARE(recorder.endRequests, 1);
        QVERIFY(!fPrincipal);
        QCOMPARE(ConfigIni::readFolder(), folder());
        DestroyProgram();
        QDir::setCurrent(previous);
        QCOMPARE(programa->state(), QProcess::Running); // the first goes on
    }

    void createDatabasesReadsItsArguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("none") << QStringList{} << 2;
        QTest::newRow("--help") << QStringList{"--help"} << 2;
        QTest::newRow("-h") << QStringList{"-h"} << 2;
        QTest::newRow("an option-like folder") << QStringList{"-pasta"} << 2;
        QTest::newRow("empty") << QStringList{""} << 2;
        QTest::newRow("two folders") << QStringList{"a", "b"} << 2;
        QTest::newRow("a folder") << QStringList{"./nova"} << 0;
    }
    void createDatabasesReadsItsArguments() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QDir(pasta->path()).mkdir("nova");
        QProcess tool;
        tool.setWorkingDirectory(pasta->path());
        tool.start(KELVARA_CREATE_DATABASES, arguments);
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), status);
        if (status != 0) {
            QVERIFY(tool.readAllStandardError().startsWith("usage: kelvara-create-databases"));
            // Nothing named after an option, nothing in the folder.
            QCOMPARE(QDir(pasta->path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 0);
            QVERIFY(QDir(pasta->path() + "/nova").isEmpty());
        } else {
            QVERIFY(QFile::exists(pasta->path() + "/nova/qor.gdb"));
        }
    }
};

KELVARA_TEST_MAIN(TestProcesso)
#include "tst_processo.moc"
