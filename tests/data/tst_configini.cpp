#include "data/ConfigIni.h"
#include "data/Conexao.h"

#include "TestMain.h"

#include <QTemporaryDir>

class TestConfigIni : public QObject {
    Q_OBJECT

    QTemporaryDir* dir = nullptr;
    QString previous;

    void writeFile(const QString& name, const QByteArray& content) {
        QFile f(dir->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QByteArray readFile(const QString& name) {
        QFile f(dir->filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void init() {
        dir = new QTemporaryDir;
        previous = QDir::currentPath();
        QDir::setCurrent(dir->path());
    }
    void cleanup() {
        QDir::setCurrent(previous);
        delete dir;
    }

    void missingFileSectionOrKeyReadsEmpty() {
        QVERIFY(!ConfigIni::exists());
        QCOMPARE(ConfigIni::readFolder(), QString());
        writeFile("Config.INI", "[OUTRA]\r\nPATH=x\r\n");
        QCOMPARE(ConfigIni::readFolder(), QString());
        writeFile("Config.INI", "[PASTA]\r\nCAMINHO=x\r\n");
        QCOMPARE(ConfigIni::readFolder(), QString());
    }

    void findsFileWhateverItsCaseAndKeepsBackslashes() {
        writeFile("config.ini", "[pasta]\r\npath=c:\\programas\\qor\r\n");
        QVERIFY(ConfigIni::exists());
        QCOMPARE(ConfigIni::readFolder(), QString("c:\\programas\\qor"));

        ConfigIni::writeFolder("192.168.0.2:c:\\dados\\");
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{"config.ini"});
        QCOMPARE(ConfigIni::readFolder(), QString("192.168.0.2:c:\\dados\\"));
        ConfigIni::remove();
        QVERIFY(!ConfigIni::exists());
    }

    void writeCreatesTheSectionAndKeepsOtherLines() {
        ConfigIni::writeFolder("/srv/kelvara");
        QCOMPARE(readFile("Config.INI"), QByteArray("[PASTA]\r\nPATH=/srv/kelvara\r\n"));

        writeFile("Config.INI", "[OUTRA]\nX=1\n[PASTA]\nOUTRO=2\n");
        ConfigIni::writeFolder("d");
        QCOMPARE(readFile("Config.INI"),
                 QByteArray("[OUTRA]\r\nX=1\r\n[PASTA]\r\nOUTRO=2\r\nPATH=d\r\n"));
    }

    void databasePathJoinsFolderAsTyped_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("path");
        QTest::newRow("linux") << "/home/ana/Kelvara"
                               << "/home/ana/Kelvara/qor.gdb";
        QTest::newRow("server") << "srv:/var/kelvara"
                                << "srv:/var/kelvara/qor.gdb";
        QTest::newRow("windows") << "c:\\programas\\qor"
                                 << "c:\\programas\\qor\\qor.gdb";
        QTest::newRow("trailing backslash") << "c:\\qor\\"
                                            << "c:\\qor\\\\qor.gdb";
        QTest::newRow("trailing slash") << "/srv/qor/"
                                        << "/srv/qor//qor.gdb";
        QTest::newRow("empty") << ""
                               << "\\qor.gdb";
    }
    void databasePathJoinsFolderAsTyped() {
        QFETCH(QString, folder);
        QFETCH(QString, path);
        QCOMPARE(CaminhoBanco(folder, "qor.gdb"), path);
    }
};

KELVARA_TEST_MAIN(TestConfigIni)
#include "tst_configini.moc"
