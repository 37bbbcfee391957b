#include "app/Config_BancoDados.h"
#include "app/Pricipal.h"
#include "app/Startup.h"
#include "data/Conexao.h"
#include "data/ConfigIni.h"
#include "data/DbError.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
#include "data/FbService.h"
#include "shell/Contato.h"

#include "TestMain.h"
#include "TestSupport.h"

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
        db.attach(ConexaoAdministrador(CaminhoBanco(folder(), database)));
        db.executeImmediate(sql);
    }
    QStringList products(const QString& database = "qor.gdb") {
        fb::Connection db;
        db.attach(ConexaoAdministrador(CaminhoBanco(folder(), database)));
        const fb::ResultSet r = db.select(
            "Select trim(PRO_Codigo) || '|' || PRO_PCusto From Produtos Order By PRO_Codigo");
        QStringList all;
        for (int i = 0; i < r.rowCount(); ++i)
            all << r.value(i, 0).toString();
        return all;
    }
    void backup(const QString& file) {
        fb::Service service;
        service.attach(fb::Service::managerFor(folder()), UsuarioBanco, SenhaBanco);
        service.backup(CaminhoBanco(folder(), "qor.gdb"), file);
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
        CriaBancos(folder());
        QFile ini(folder() + "/Config.INI");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(("[PASTA]\r\nPATH=" + folder() + "\r\n").toUtf8());
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
