// How long a backup and a restore take through the program's own path (the
// service manager streaming the backup to and from a file on this machine;
// the restore proved beside the database while the server keeps a copy of
// the database it replaces, then the replace) against Firebird's own gbak on
// the same database: the backup against gbak as a client, the restore
// against one restore by gbak inside the server.
//
//   kelvara-bench_backup host:/folder
//
// FOLDER is the one kelvara-bench_lists fills (10,000 products, 200,000
// movements); run that first. The restores go into "restauro.gdb" in the
// same folder, never into the benchmark's own database.

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
    try {
        {
            fb::Connection db;
            db.attach(ConexaoAdministrador(qor));
            std::printf("Database: %lld movements\n",
                        db.select(QStringLiteral("Select count(*) From Mov_Estq"))
                            .value(0, 0)
                            .toLongLong());
        }
        fb::Service service;
        service.attach(fb::Service::managerFor(qor), UsuarioBanco, SenhaBanco);
        // Firebird's own restore inside the server reads a backup the server
        // can reach: one beside the database.
        const QString onServer = QString(target).section(u':', 1) + QStringLiteral(".gbak.gbk");
        const QString manager = fb::Service::managerFor(qor);
        gbak(
            {QStringLiteral("-b"), QStringLiteral("-se"), manager, qor.section(u':', 1), onServer});
        std::vector<double> backupOurs, backupGbak, restoreOurs, restoreGbak;
        for (int i = 0; i <= Repetitions; ++i) { // the first round warms up
            const double a = seconds([&] { service.backup(qor, ours); });
            const double b = seconds([&] { gbak({QStringLiteral("-b"), qor, theirs}); });
            const double c = seconds([&] {
                Restauracao::restaura({ours, target, QStringLiteral("qor")});
            });
            const double d = seconds([&] {
                gbak({QStringLiteral("-c"), QStringLiteral("-rep"), QStringLiteral("-se"), manager,
                      onServer, QString(target).section(u':', 1)});
            });
            if (i == 0)
                continue;
            backupOurs.push_back(a);
            backupGbak.push_back(b);
            restoreOurs.push_back(c);
            restoreGbak.push_back(d);
        }
        fb::Connection db;
        db.attach(ConexaoAdministrador(target));
        db.drop();
        QFile::remove(onServer);
        for (const Restauracao::Copia& copia : Restauracao::copias(target))
            QFile::remove(copia.arquivo);
        std::printf("Backup file: %.1f MB\n", QFile(ours).size() / 1e6);
        std::printf("%-10s %14s %24s %8s\n", "", "program (s)", "gbak (s)", "ratio");
        std::printf("%-10s %14.3f %24.3f %8.2f\n", "backup", median(backupOurs), median(backupGbak),
                    median(backupOurs) / median(backupGbak));
        std::printf("%-10s %14s %24s\n", "", "", "(as a client)");
        std::printf("%-10s %14.3f %24.3f %8.2f\n", "restore", median(restoreOurs),
                    median(restoreGbak), median(restoreOurs) / median(restoreGbak));
        std::printf("%-10s %14s %24s\n", "", "(proof, safety copy, replace)",
                    "(inside the server)");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", qPrintable(errorText(e)));
        return 1;
    }
    return 0;
}
