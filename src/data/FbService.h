#pragma once

#include <QString>
#include <memory>

namespace fb {

// One attachment to a Firebird service manager, for backup and restore.
//
// The backup file lives on the machine that runs the program, wherever the
// database is: the server streams a backup to us and a restore from us, so
// the file the operator chose is the file used in every set-up. Each call
// returns once the server has finished the task; a failure carries the
// server's own text.
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

    void attach(const QString& manager, const QString& user, const QString& password);
    bool isAttached() const;
    void detach() noexcept;

    // Backs the database up into file. The database is named as the
    // connections name it ("host:path" or a bare path).
    void backup(const QString& database, const QString& file);

    // Restores file into the database (named as for backup), creating it
    // or replacing an existing one, with 4096-byte pages. The backup is
    // restored beside the database first, so a damaged file fails before
    // the database it would replace is touched.
    void restore(const QString& file, const QString& database);

private:
    void restoreInto(const QString& file, const QString& database);

    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace fb
