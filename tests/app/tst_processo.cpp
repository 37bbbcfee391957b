#include "app/Config_BancoDados.h"
#include "app/Pricipal.h"
#include "app/Startup.h"
#include "data/Conexao.h"
#include "data/ConfigIni.h"
#include "data/DbError.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
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

    void startProgram() {
        programa = std::make_unique<QProcess>();
        programa->setWorkingDirectory(folder());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        programa->setProcessEnvironment(env);
        programa->start(KELVARA_PROGRAM, {});
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
    // at once, and leave the database free for the next process.
    void endRequestsEndTheProgramAndFreeTheDatabase_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void endRequestsEndTheProgramAndFreeTheDatabase() {
        QFETCH(int, signal);
        startProgram();
        ::kill(pid_t(programa->processId()), signal);
        QVERIFY(programa->waitForFinished(3000));
        QCOMPARE(programa->exitStatus(), QProcess::NormalExit);
        QVERIFY(!heldElsewhere());
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
