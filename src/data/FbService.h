#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace fb {

// Backup and restore through a Firebird service manager.
//
// The backup file lives on the machine that runs the program, wherever the
// database is: the server streams a backup to us and a restore from us, so
// the file the operator chose is the file used in every set-up. Each call
// returns once the server has finished the task; a failure carries the
// server's own text, and a lost server the database layer's ConnectionLost.
// Every task attaches to the service manager afresh and detaches at its end,
// so a failed task or a lost server leaves nothing to the next one.
class Service {
public:
    Service();
    ~Service();
    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;

    // The service manager that serves a database path: "host:service_mgr"
    // for "host:path", the local one (the embedded engine when no server
    // runs) for a bare path.
    static QString managerFor(const QString& databasePath);

    // Where a restore keeps the database it replaces: a backup beside it,
    // named after it, which the next restore of that database replaces.
    static QString safetyCopyFor(const QString& databasePath);

    // Tries the service manager now, and keeps what the tasks attach with.
    void attach(const QString& manager, const QString& user, const QString& password);
    bool isAttached() const;
    void detach() noexcept;

    // Backs the database up into file. The database is named as the
    // connections name it ("host:path" or a bare path). The file is written
    // beside its name and put in its place, readable by its owner only, once
    // the server has finished: a failed backup leaves an older file as it
    // was.
    void backup(const QString& database, const QString& file);

    // Restores file into the database (named as for backup), creating it or
    // replacing an existing one, with 4096-byte pages. The backup is first
    // restored whole beside the database and must hold every table of
    // requiredTables, so a damaged file or a backup of another database
    // fails before the database it would replace is touched. The database it
    // replaces is backed up first into safetyCopyFor(database); when the
    // replace itself fails, the error says where that copy is. check, when
    // given, is shown the restored copy (named as connections name it) before
    // it replaces anything, and refuses it by throwing.
    void restore(const QString& file, const QString& database,
                 const QStringList& requiredTables = {},
                 const std::function<void(const QString& restored)>& check = {});

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// A database named by a bare path, reached through the server whose
// service manager ("host:service_mgr") runs a task on it, as the task
// itself reaches it; a path with a host, or a manager without one, is
// answered unchanged.
QString throughManager(const QString& manager, const QString& database);

} // namespace fb
