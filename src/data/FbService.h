#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace fb {

// Backup and restore through a Firebird service manager.
//
// The backup file lives on the machine that runs the program, wherever the
// database is: a server streams a backup to us and a restore from us, and
// the embedded engine, which runs inside the program, reads and writes the
// file itself. Each call returns once the task has ended; a failure carries
// the engine's own text, and a lost server the database layer's
// ConnectionLost. Every task attaches to the service manager afresh and
// detaches at its end, so a failed task or a lost server leaves nothing to
// the next one.
class Service {
public:
    // How far a task has come: done of total bytes, total 0 when unknown.
    using Progress = std::function<void(qint64 done, qint64 total)>;

    Service();
    ~Service();
    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;

    // The service manager that serves a database path: "host:service_mgr"
    // for "host:path", the embedded engine's own for a bare path.
    static QString managerFor(const QString& databasePath);

    // Tries the service manager now, and keeps what the tasks attach with.
    void attach(const QString& manager, const QString& user, const QString& password);
    bool isAttached() const;
    void detach() noexcept;
    const QString& manager() const;

    // Backs the database up into file. The database is named as the
    // connections name it ("host:path" or a bare path). The file is put in
    // place whole, readable by its owner only, once the task has finished:
    // a failed or cut backup leaves an older file as it was.
    void backup(const QString& database, const QString& file, const Progress& progress = {});

    // Restores file into the database (named as for backup), creating it or
    // replacing an existing one, with 4096-byte pages. Nothing more: a
    // restore that keeps what it replaces is Restauracao's.
    void restore(const QString& file, const QString& database, const Progress& progress = {});

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A database named by a bare path, reached through the server whose
// service manager ("host:service_mgr") runs a task on it, as the task
// itself reaches it; a path with a host, or a manager without one, is
// answered unchanged.
QString throughManager(const QString& manager, const QString& database);

// Whether a database path names a host ("host:path"); a Windows drive
// ("c:\...") is not one.
bool throughServer(const QString& databasePath);

// The path as the server's own file system names it, without "host:".
QString onServer(const QString& databasePath);

} // namespace fb
