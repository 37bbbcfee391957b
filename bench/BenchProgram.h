#pragma once

#include "app/Startup.h"
#include "data/Conexao.h"
#include "data/ConfigIni.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
#include "shell/Messages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>

// The machine's load average over 1, 5 and 15 minutes: figures taken while
// other work runs are worth less.
inline std::string loadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string a, b, c;
    in >> a >> b >> c;
    return a + " " + b + " " + c;
}

// The folder of "host:/path" as this machine sees it; a single letter
// before the colon is a drive, not a host.
inline QString localPath(const QString& folder) {
    const int colon = folder.indexOf(u':');
    return colon > 1 ? folder.mid(colon + 1) : folder;
}

// Creates the databases in the folder unless they are there already;
// answers whether it created them, for the caller to fill.
inline bool createDatabases(const QString& folder) {
    if (QFile::exists(localPath(folder) + QStringLiteral("/qor.gdb"))) {
        std::printf("Reusing %s\n", qPrintable(folder));
        return false;
    }
    QDir().mkpath(localPath(folder));
    QFile::setPermissions(localPath(folder), QFileDevice::Permissions(0x7777));
    CriaBancos(folder);
    return true;
}

// Creates the databases in the folder afresh: an existing pair is removed
// first.
inline void recreateDatabases(const QString& folder) {
    for (const char* name : {"qor.gdb", "config.gdb"}) {
        if (!QFile::exists(localPath(folder) + u'/' + QLatin1String(name)))
            continue;
        fb::Connection db;
        db.attach(ConexaoAdministrador(CaminhoBanco(folder, QLatin1String(name))));
        db.drop();
    }
    createDatabases(folder);
}

// Starts the whole program on the databases of the folder, from a working
// directory of its own, every message it would show printed instead.
inline bool startProgramOn(const QString& folder, const QTemporaryDir& work) {
    QDir::setCurrent(work.path());
    ConfigIni::writeFolder(folder);
    Messages::setHandler([](Messages::Kind, const QString& text) {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return true;
    });
    return StartProgram();
}
