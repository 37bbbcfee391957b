// How long a backup and a restore take through the program's own path
// against Firebird's own gbak on the same database, in one run, on both
// engines:
//   through the server: the backup streamed to this machine against gbak as
//   a client; the restore (proved beside the database, a safety copy of the
//   database it replaces streamed here, then restored over it) against one
//   restore by gbak inside the server;
//   the embedded engine, on a copy of the database in a folder of this
//   machine: the backup the engine writes itself against gbak as a client
//   of the server; the restore (proved beside it, the safety copy, then the
//   proven copy renamed into place) against the same restore by gbak inside
//   the server.
//
//   kelvara-bench_backup host:/folder
//
// FOLDER is the one kelvara-bench_lists fills (10,000 products, 200,000
// movements); run that first. The restores go into "restauro.gdb" in the
// same folder and into a temporary folder of this machine, never into the
// benchmark's own database.

#include "data/Conexao.h"
#include "data/DbError.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
#include "data/FbService.h"
#include "data/Restauracao.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Repetitions = 5;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double seconds(const std::function<void()>& work) {
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed() / 1e9;
}

void gbak(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("gbak"), QStringList{QStringLiteral("-user"), UsuarioBanco,
                                                      QStringLiteral("-password"), SenhaBanco} +
                                              arguments);
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        throw DbError(QString::fromLocal8Bit(process.readAllStandardError()));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: kelvara-bench_backup host:/folder\n");
        return 2;
    }
    const QString qor = CaminhoBanco(args[0], QStringLiteral("qor.gdb"));
    const QString target = CaminhoBanco(args[0], QStringLiteral("restauro.gdb"));
    QTemporaryDir files;
    const QString ours = files.filePath(QStringLiteral("programa.gbk"));
    const QString theirs = files.filePath(QStringLiteral("gbak.gbk"));
    const QString here = files.filePath(QStringLiteral("qor.gdb")); // embedded engine
    try {
        {
            fb::Connection db;
            db.attach(ConexaoAdministrador(qor));
            std::printf("Database: %lld movements\n",
                        db.select(QStringLiteral("Select count(*) From Mov_Estq"))
                            .value(0, 0)
                            .toLongLong());
        }
        fb::Service server;
        server.attach(fb::Service::managerFor(qor), UsuarioBanco, SenhaBanco);
        fb::Service embedded;
        embedded.attach(fb::Service::managerFor(here), UsuarioBanco, SenhaBanco);
        server.backup(qor, ours);
        embedded.restore(ours, here);
        // Firebird's own restore inside the server reads a backup the server
        // can reach: one beside the database.
        const QString onServer = QString(target).section(u':', 1) + QStringLiteral(".gbak.gbk");
        const QString manager = fb::Service::managerFor(qor);
        gbak(
            {QStringLiteral("-b"), QStringLiteral("-se"), manager, qor.section(u':', 1), onServer});
        const QString restoreByGbak = QString(target).section(u':', 1);
        std::vector<double> backupServer, backupHere, backupGbak, restoreServer, restoreHere,
            restoreGbak;
        for (int i = 0; i <= Repetitions; ++i) { // the first round warms up
            const double a = seconds([&] { server.backup(qor, ours); });
            const double b = seconds([&] { embedded.backup(here, ours); });
            const double c = seconds([&] { gbak({QStringLiteral("-b"), qor, theirs}); });
            const double d = seconds([&] {
                Restauracao::restaura({ours, target, QStringLiteral("qor")});
            });
            const double e = seconds([&] {
                Restauracao::restaura({ours, here, QStringLiteral("qor")});
            });
            const double f = seconds([&] {
                gbak({QStringLiteral("-c"), QStringLiteral("-rep"), QStringLiteral("-se"), manager,
                      onServer, restoreByGbak});
            });
            if (i == 0)
                continue;
            backupServer.push_back(a);
            backupHere.push_back(b);
            backupGbak.push_back(c);
            restoreServer.push_back(d);
            restoreHere.push_back(e);
            restoreGbak.push_back(f);
        }
        fb::Connection db;
        db.attach(ConexaoAdministrador(target));
        db.drop();
        QFile::remove(onServer);
        for (const QString& database : {target, here})
            for (const Restauracao::Copia& copia : Restauracao::copias(database))
                QFile::remove(copia.arquivo);
        std::printf("Backup file: %.1f MB\n", QFile(ours).size() / 1e6);
        std::printf("%-28s %12s %12s %8s\n", "", "program (s)", "gbak (s)", "ratio");
        auto line = [](const char* what, const std::vector<double>& program,
                       const std::vector<double>& reference) {
            std::printf("%-28s %12.3f %12.3f %8.2f\n", what, median(program), median(reference),
                        median(program) / median(reference));
        };
        line("backup, server", backupServer, backupGbak);
        line("backup, embedded engine", backupHere, backupGbak);
        std::printf("%-28s %12s %12s\n", "", "", "(client)");
        line("restore, server", restoreServer, restoreGbak);
        line("restore, embedded engine", restoreHere, restoreGbak);
        std::printf("%-28s %12s %12s\n", "", "", "(in server)");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", qPrintable(errorText(e)));
        return 1;
    }
    return 0;
}
