#include "data/Conexao.h"
#include "data/DbError.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
#include "data/FbService.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <arpa/inet.h>
#include <atomic>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// A TCP relay to the local server (port 3050) that cuts every connection
// through it once the server has sent a given number of bytes, as a server
// restart or a failed network does in the middle of a task.
class Relay {
public:
    Relay() {
        listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (bind(listener, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            listen(listener, 8) != 0 ||
            getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0)
            qFatal("cannot listen");
        port = ntohs(address.sin_port);
        worker = std::thread([this] { relay(); });
    }
    ~Relay() {
        stop = true;
        worker.join();
        cut();
        close(listener);
    }

    // "127.0.0.1/port:path": a database of the local server reached through
    // the relay.
    QString through(const QString& localPath) const {
        return QStringLiteral("127.0.0.1/%1:%2").arg(port).arg(localPath);
    }

    // Counts from now; negative lets everything through.
    void cutAfter(qint64 bytes) {
        fromServer = 0;
        limit = bytes;
    }

private:
    void cut() {
        for (int fd : sockets)
            close(fd);
        sockets.clear();
    }

    void relay() {
        while (!stop) {
            std::vector<pollfd> watched{{listener, POLLIN, 0}};
            for (int fd : sockets)
                watched.push_back({fd, POLLIN, 0});
            if (poll(watched.data(), watched.size(), 50) <= 0)
                continue;
            if (watched[0].revents & POLLIN) {
                const int client = accept(listener, nullptr, nullptr);
                const int server = socket(AF_INET, SOCK_STREAM, 0);
                sockaddr_in address{};
                address.sin_family = AF_INET;
                address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
                address.sin_port = htons(3050);
                if (::connect(server, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
                    qFatal("cannot reach the server");
                sockets.push_back(client); // even: client, odd: server
                sockets.push_back(server);
                continue;
            }
            for (size_t i = 1; i < watched.size(); ++i) {
                if (!watched[i].revents)
                    continue;
                const size_t index = i - 1;
                const int peer = sockets[index ^ 1];
                char buffer[65536];
                const ssize_t n = read(watched[i].fd, buffer, sizeof buffer);
                if (n <= 0) { // one side ended: so does its pair, and only its pair
                    const size_t pair = index & ~size_t(1);
                    close(sockets[pair]);
                    close(sockets[pair + 1]);
                    sockets.erase(sockets.begin() + pair, sockets.begin() + pair + 2);
                    break;
                }
                if (index % 2 == 1)
                    fromServer += n;
                const qint64 until = limit;
                if (until >= 0 && fromServer >= until) {
                    cut();
                    break;
                }
                for (ssize_t sent = 0; sent < n;) {
                    const ssize_t m = write(peer, buffer + sent, size_t(n - sent));
                    if (m <= 0)
                        break;
                    sent += m;
                }
            }
        }
    }

    int listener = -1;
    int port = 0;
    std::thread worker;
    std::atomic<bool> stop{false};
    std::atomic<qint64> fromServer{0}, limit{-1};
    std::vector<int> sockets; // owned by the relay's thread while it runs
};

} // namespace

class TestServicos : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabases> dbs;

    QString path(const QString& name) const { return CaminhoBanco(dbs->folder(), name); }
    QString file(const QString& name) const { return dbs->localPath() + "/" + name; }
    QStringList rows(const QString& database) {
        fb::Connection db;
        db.attach(ConexaoAdministrador(path(database)));
        const fb::ResultSet r = db.select("Select PRO_Codigo, PRO_PCusto From Produtos");
        QStringList all;
        for (int i = 0; i < r.rowCount(); ++i)
            all << r.value(i, 0).toString() + "|" + r.value(i, 1).toString();
        return all;
    }

private slots:
    void init() {
        dbs = std::make_unique<TestDatabases>();
        dbs->exec("qor.gdb", "Insert Into Grupos Values ('000001', 'Geral')");
        dbs->exec("qor.gdb", "Insert Into Produtos (PRO_Codigo, PRO_CodGRU, PRO_PCusto) Values "
                             "('         7', '000001', 12.35)");
    }
    void cleanup() { dbs.reset(); }

    std::unique_ptr<fb::Service> attached() {
        auto service = std::make_unique<fb::Service>();
        service->attach(fb::Service::managerFor(dbs->folder()), UsuarioBanco, SenhaBanco);
        return service;
    }
    QByteArray contents(const QString& name) {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void managerFollowsTheDatabaseFolder_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("manager");
        QTest::newRow("local folder") << "/srv/kelvara/qor.gdb"
                                      << "service_mgr";
        QTest::newRow("server") << "192.168.0.2:/srv/kelvara/qor.gdb"
                                << "192.168.0.2:service_mgr";
        QTest::newRow("windows drive") << "c:\\programas\\qor\\qor.gdb"
                                       << "service_mgr";
        QTest::newRow("windows server") << "servidor:c:\\programas\\qor\\qor.gdb"
                                        << "servidor:service_mgr";
    }
    void managerFollowsTheDatabaseFolder() {
        QFETCH(QString, database);
        QFETCH(QString, manager);
        QCOMPARE(fb::Service::managerFor(database), manager);
    }

    void backupAndRestoreRoundTripThroughALocalFile() {
        fb::Service service;
        service.attach(fb::Service::managerFor(dbs->folder()), UsuarioBanco, SenhaBanco);
        service.backup(path("qor.gdb"), file("cópia São Paulo.gbk"));
        QVERIFY(QFile(file("cópia São Paulo.gbk")).size() > 0);
        service.restore(file("cópia São Paulo.gbk"), path("restaurado.gdb"));
        QCOMPARE(rows("restaurado.gdb"), QStringList{"         7|12.35"});
    }

    // A backup holds every row, the users' passwords included: only its
    // owner reads it, also where it replaces a file others could read, from
    // the server and from the embedded engine alike.
    void backupIsReadableByItsOwnerOnly_data() {
        QTest::addColumn<bool>("embedded");
        QTest::newRow("servidor") << false;
        QTest::newRow("embutido") << true;
    }
    void backupIsReadableByItsOwnerOnly() {
        QFETCH(bool, embedded);
        const QString database = embedded ? file("qor.gdb") : path("qor.gdb");
        QFile old(file("b.gbk"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();
        QVERIFY(old.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                   QFile::ReadOther));
        fb::Service service;
        service.attach(fb::Service::managerFor(database), UsuarioBanco, SenhaBanco);
        // While it is written, it lies in a folder only its owner enters.
        const QStringList before = QDir(dbs->localPath()).entryList(QDir::Dirs);
        service.backup(database, file("b.gbk"), [&](qint64, qint64) {
            for (const QString& dir : QDir(dbs->localPath()).entryList(QDir::Dirs))
                if (!before.contains(dir))
                    QCOMPARE(QFile::permissions(file(dir)) & 0x0077, 0);
        });
        QCOMPARE(QFile::permissions(file("b.gbk")) & 0x0777, QFile::ReadUser | QFile::WriteUser);
        QVERIFY(QFile(file("b.gbk")).size() > 0);
        QCOMPARE(QDir(dbs->localPath()).entryList(QDir::Dirs), before);
    }

    // What a cut backup left beside its file goes with the next backup of
    // that name; a write under way in a running process stays.
    void cutBackupLeavesNothingToTheNext() {
        QProcess ended;
        ended.start("sleep", {"0.1"});
        QVERIFY(ended.waitForStarted());
        const qint64 gone = ended.processId();
        QVERIFY(ended.waitForFinished());
        const QString cut = file(QString("b.gbk.gravando-%1-abcdef").arg(gone));
        const QString running =
            file(QString("b.gbk.gravando-%1-ghijkl").arg(QCoreApplication::applicationPid()));
        for (const QString& dir : {cut, running}) {
            QVERIFY(QDir().mkpath(dir));
            QFile half(dir + "/b.gbk");
            QVERIFY(half.open(QIODevice::WriteOnly));
        }
        attached()->backup(path("qor.gdb"), file("b.gbk"));
        QVERIFY(!QFile::exists(cut));
        QVERIFY(QFile::exists(running));
    }

    // A backup that fails leaves the previous backup as it was, and nothing
    // half-written beside it; a lost server is told as such, and the next
    // backup on the same service attaches again and goes through.
    void failedBackupKeepsThePreviousOne_data() {
        QTest::addColumn<QString>("failure");
        QTest::newRow("no such database") << "database";
        QTest::newRow("connection cut mid-stream") << "connection";
    }
    void failedBackupKeepsThePreviousOne() {
        QFETCH(QString, failure);
        Relay relay;
        const QString qor = relay.through(dbs->localPath() + "/qor.gdb");
        fb::Service service;
        service.attach(fb::Service::managerFor(qor), UsuarioBanco, SenhaBanco);
        service.backup(qor, file("b.gbk"));
        const QByteArray previous = contents("b.gbk");
        QVERIFY(previous.size() > 1000);
        const QStringList before = QDir(dbs->localPath()).entryList(QDir::Files);
        try {
            if (failure == "database") {
                service.backup(relay.through(dbs->localPath() + "/não existe.gdb"), file("b.gbk"));
            } else {
                relay.cutAfter(previous.size() / 2);
                service.backup(qor, file("b.gbk"));
            }
            QFAIL("backed up");
        } catch (const DbError& e) {
            QVERIFY2(!e.message().isEmpty(), "no reason given");
            QCOMPARE(dynamic_cast<const ConnectionLost*>(&e) != nullptr, failure == "connection");
        }
        QCOMPARE(contents("b.gbk"), previous);
        QCOMPARE(QDir(dbs->localPath()).entryList(QDir::Files), before);

        relay.cutAfter(-1);
        dbs->exec("qor.gdb", "Update Produtos Set PRO_PCusto = 99");
        service.backup(qor, file("b.gbk"));
        service.restore(file("b.gbk"), path("r.gdb"));
        QCOMPARE(rows("r.gdb"), QStringList{"         7|99"});
    }

    // A damaged file refused does not spoil the next restore, on the same
    // service: each task attaches afresh.
    void failedRestoreLeavesNothingToTheNext() {
        auto service = attached();
        service->backup(path("qor.gdb"), file("bom.gbk"));
        QFile::copy(file("bom.gbk"), file("ruim.gbk"));
        QFile ruim(file("ruim.gbk"));
        QVERIFY(ruim.resize(ruim.size() / 2));
        QVERIFY_THROWS_EXCEPTION(DbError, service->restore(file("ruim.gbk"), path("r.gdb")));
        service->restore(file("bom.gbk"), path("r.gdb"));
        QCOMPARE(rows("r.gdb"), QStringList{"         7|12.35"});
    }
};

KELVARA_TEST_MAIN(TestServicos)
#include "tst_servicos.moc"
