#include "data/FbService.h"

#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbStatus.h"

#include <ibase.h>

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <cstring>
#include <exception>
#include <thread>

namespace fb {

namespace {

// A parameter buffer: tag, then a length and the bytes.
class Buffer {
public:
    explicit Buffer(char first) { bytes.append(first); }
    Buffer& tag(char t) {
        bytes.append(t);
        return *this;
    }
    // Attach buffers give one byte of length, start buffers two.
    Buffer& text(char t, const QByteArray& value, bool wideLength) {
        bytes.append(t);
        bytes.append(char(value.size() & 0xff));
        if (wideLength)
            bytes.append(char((value.size() >> 8) & 0xff));
        bytes.append(value);
        return *this;
    }
    Buffer& number(char t, quint32 value) {
        bytes.append(t);
        for (int i = 0; i < 4; ++i)
            bytes.append(char((value >> (8 * i)) & 0xff));
        return *this;
    }
    const QByteArray& data() const { return bytes; }

private:
    QByteArray bytes;
};

int readShort(const char* p) {
    return int(quint8(p[0])) | (int(quint8(p[1])) << 8);
}

quint32 readLong(const char* p) {
    return quint32(quint8(p[0])) | (quint32(quint8(p[1])) << 8) | (quint32(quint8(p[2])) << 16) |
           (quint32(quint8(p[3])) << 24);
}

// One attachment to the service manager, for one task.
class Attachment {
public:
    Attachment(const QString& manager, const QString& user, const QString& password) {
        Buffer spb(isc_spb_version);
        spb.tag(isc_spb_current_version)
            .text(isc_spb_user_name, user.toLatin1(), false)
            .text(isc_spb_password, password.toLatin1(), false)
            .text(isc_spb_utf8_filename, {}, false);
        const QByteArray name = manager.toUtf8();
        isc_service_attach(status, ushort(name.size()), name.constData(), &handle,
                           ushort(spb.data().size()), spb.data().constData());
        check(status);
    }
    ~Attachment() {
        ISC_STATUS_ARRAY ignored;
        if (handle)
            isc_service_detach(ignored, &handle);
    }
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

    void start(const QByteArray& request) {
        isc_service_start(status, &handle, nullptr, ushort(request.size()), request.constData());
        check(status);
    }

    // One round of questions to the running task. The answer is as large as
    // a query allows, so a backup arrives in as few rounds as possible.
    const QByteArray& query(const QByteArray& send, const QByteArray& receive) {
        answer.resize(65535);
        isc_service_query(status, &handle, nullptr, ushort(send.size()), send.constData(),
                          ushort(receive.size()), receive.constData(), ushort(answer.size()),
                          answer.data());
        check(status);
        return answer;
    }

    // Waits for a task that writes nothing to us: the server answers a
    // question for its output once it has some or the task has ended.
    void waitForEnd() {
        const char line = isc_info_svc_line;
        for (;;) {
            const char* p = query({}, QByteArray(&line, 1)).constData();
            if (*p != isc_info_svc_line)
                throw DbError(QStringLiteral("Resposta inesperada do servidor"));
            if (readShort(p + 1) == 0 && p[3] != isc_info_truncated)
                return;
        }
    }

private:
    isc_svc_handle handle = 0;
    ISC_STATUS_ARRAY status{};
    QByteArray answer;
};

} // namespace

struct Service::Impl {
    QString manager, user, password;
    bool attached = false;

    Attachment attachment() const { return Attachment(manager, user, password); }
    void restoreInto(const QString& file, const QString& database) const;
    void backUpOnServer(const QString& database, const QString& file) const;
    void requireTables(const QString& database, const QStringList& tables) const;
};

Service::Service() : d(std::make_unique<Impl>()) {}

Service::~Service() = default;

namespace {

// Where "host:" ends in a database path; "c:\..." is a Windows drive, not
// a host, so a host names two or more characters before its colon.
qsizetype hostEnd(const QString& databasePath) {
    const qsizetype colon = databasePath.indexOf(u':');
    return colon > 1 ? colon : -1;
}

// The path as the server's own file system names it.
QByteArray onServer(const QString& databasePath) {
    return databasePath.mid(hostEnd(databasePath) + 1).toUtf8();
}

const QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

QString Service::managerFor(const QString& databasePath) {
    const qsizetype end = hostEnd(databasePath);
    return end > 0 ? databasePath.left(end) + QStringLiteral(":service_mgr")
                   : QStringLiteral("service_mgr");
}

QString Service::safetyCopyFor(const QString& databasePath) {
    return databasePath + QStringLiteral(".anterior.gbk");
}

void Service::attach(const QString& manager, const QString& user, const QString& password) {
    d->manager = manager;
    d->user = user;
    d->password = password;
    d->attachment(); // a wrong manager or password is told now
    d->attached = true;
}

bool Service::isAttached() const {
    return d->attached;
}

void Service::detach() noexcept {
    d->attached = false;
}

void Service::backup(const QString& database, const QString& file) {
    if (!d->attached)
        throw DbError(QStringLiteral("Service manager is not attached"));
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || !out.setPermissions(OwnerOnly))
        throw DbError(
            QStringLiteral("Não consegui criar o arquivo %1: %2").arg(file, out.errorString()));
    Buffer request(isc_action_svc_backup);
    request.text(isc_spb_dbname, onServer(database), true)
        .text(isc_spb_bkp_file, QByteArrayLiteral("stdout"), true)
        .number(isc_spb_options, 0);
    Attachment service = d->attachment();
    service.start(request.data());
    // The backup arrives as a stream of blocks until the task ends.
    const char toEof = isc_info_svc_to_eof;
    for (;;) {
        const char* p = service.query({}, QByteArray(&toEof, 1)).constData();
        if (*p != isc_info_svc_to_eof)
            throw DbError(QStringLiteral("Resposta inesperada do servidor no backup"));
        const int length = readShort(p + 1);
        if (length > 0 && out.write(p + 3, length) != length)
            throw DbError(QStringLiteral("Não consegui gravar o arquivo %1: %2")
                              .arg(file, out.errorString()));
        const char after = p[3 + length];
        if (length == 0 && after != isc_info_truncated)
            break;
    }
    if (!out.commit())
        throw DbError(
            QStringLiteral("Não consegui gravar o arquivo %1: %2").arg(file, out.errorString()));
}

void Service::Impl::restoreInto(const QString& file, const QString& database) const {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw DbError(
            QStringLiteral("Não consegui abrir o arquivo %1: %2").arg(file, in.errorString()));
    Buffer request(isc_action_svc_restore);
    request.text(isc_spb_bkp_file, QByteArrayLiteral("stdin"), true)
        .text(isc_spb_dbname, onServer(database), true)
        .number(isc_spb_options, isc_spb_res_replace | isc_spb_res_create)
        .number(isc_spb_res_page_size, 4096);
    Attachment service = attachment();
    service.start(request.data());

    // The server asks for the file a piece at a time and answers with the
    // task's output; the task has ended when it asks for nothing more and
    // has nothing more to say. A piece is as large as one question carries.
    const char receive[] = {isc_info_svc_stdin, isc_info_svc_line};
    constexpr quint32 largestPiece = 65535 - 3;
    QByteArray send;
    for (;;) {
        const QByteArray& answer = service.query(send, QByteArray(receive, sizeof receive));
        send.clear();
        quint32 wanted = 0;
        bool said = false;
        for (const char* p = answer.constData(); *p != isc_info_end;) {
            if (*p == isc_info_svc_stdin) {
                wanted = readLong(p + 1);
                p += 5;
            } else if (*p == isc_info_svc_line) {
                const int length = readShort(p + 1);
                said = said || length > 0;
                p += 3 + length;
            } else if (*p == isc_info_truncated || *p == isc_info_data_not_ready) {
                said = true;
                ++p;
            } else {
                throw DbError(QStringLiteral("Resposta inesperada do servidor na restauração"));
            }
        }
        if (wanted > 0) {
            const QByteArray piece = in.read(qint64(std::min(wanted, largestPiece)));
            send.append(char(isc_info_svc_line));
            send.append(char(piece.size() & 0xff));
            send.append(char((piece.size() >> 8) & 0xff));
            send.append(piece);
        } else if (!said) {
            break;
        }
    }
}

// A backup written by the server into a file of its own file system.
void Service::Impl::backUpOnServer(const QString& database, const QString& file) const {
    Buffer request(isc_action_svc_backup);
    request.text(isc_spb_dbname, onServer(database), true)
        .text(isc_spb_bkp_file, onServer(file), true)
        .number(isc_spb_options, isc_spb_bkp_no_garbage_collect);
    Attachment service = attachment();
    service.start(request.data());
    service.waitForEnd();
    // On this machine, the copy is kept from other accounts like any backup.
    QFile::setPermissions(QString::fromUtf8(onServer(file)), OwnerOnly);
}

void Service::Impl::requireTables(const QString& database, const QStringList& tables) const {
    if (tables.isEmpty())
        return;
    ConnectionSettings settings;
    settings.database = database;
    settings.user = user;
    settings.password = password;
    Connection db;
    db.attach(settings);
    const ResultSet found = db.select(QStringLiteral(
        "Select trim(RDB$RELATION_NAME) From RDB$RELATIONS Where RDB$SYSTEM_FLAG = 0"));
    QStringList present;
    for (int i = 0; i < found.rowCount(); ++i)
        present << found.value(i, 0).toString();
    QStringList missing;
    for (const QString& table : tables)
        if (!present.contains(table))
            missing << table;
    if (!missing.isEmpty())
        throw DbError(QStringLiteral("O arquivo escolhido não é um backup deste Banco de Dados: "
                                     "faltam nele as tabelas %1. Nada foi restaurado.")
                          .arg(missing.join(QStringLiteral(", "))));
}

namespace {

// The server cannot open the database: there is none yet, so nothing to keep.
bool noDatabase(const DbError& e) {
    return e.has(isc_io_open_err);
}

// The same error, told with more: a lost server stays a lost server.
[[noreturn]] void rethrowWith(const DbError& e, const QString& message) {
    DbError told(message, e.codes());
    if (told.connectionLost())
        throw ConnectionLost(std::move(told));
    throw told;
}

} // namespace

// A database named by a bare path, reached through the server whose
// service manager runs the task ("host:service_mgr"), as the task itself
// reaches it; without a host the embedded engine serves both.
QString throughManager(const QString& manager, const QString& database) {
    const qsizetype colon = manager.lastIndexOf(u':');
    if (hostEnd(database) > 0 || colon < 0)
        return database;
    return manager.left(colon + 1) + database;
}

// A backup must never replace a database unless it restores whole and is a
// backup of that kind of database: it is restored first beside the target.
// Meanwhile the server keeps a backup of the database it will replace. The
// restored copy beside the target stays until the target is replaced, so at
// every moment either the old data or the new is whole in a database.
void Service::restore(const QString& file, const QString& database,
                      const QStringList& requiredTables,
                      const std::function<void(const QString& restored)>& check) {
    if (!d->attached)
        throw DbError(QStringLiteral("Service manager is not attached"));
    ConnectionSettings scratch;
    const QString scratchName = database + QStringLiteral(".restauracao");
    scratch.database = throughManager(d->manager, scratchName);
    scratch.user = d->user;
    scratch.password = d->password;
    auto drop = [&scratch] {
        Connection db;
        try {
            db.attach(scratch);
            db.drop();
        } catch (const DbError&) {
            // Nothing was left behind.
        }
    };
    const QString safetyCopy = safetyCopyFor(database);
    std::exception_ptr safetyFailed;
    bool kept = true;
    std::thread keep([&] {
        try {
            d->backUpOnServer(database, safetyCopy);
        } catch (const DbError& e) {
            if (noDatabase(e))
                kept = false;
            else
                safetyFailed = std::current_exception();
        } catch (...) {
            safetyFailed = std::current_exception();
        }
    });
    try {
        d->restoreInto(file, scratch.database);
        d->requireTables(scratch.database, requiredTables);
        if (check)
            check(scratch.database);
    } catch (...) {
        keep.join();
        drop();
        throw;
    }
    keep.join();
    if (safetyFailed) {
        drop();
        try {
            std::rethrow_exception(safetyFailed);
        } catch (const DbError& e) {
            rethrowWith(e, QStringLiteral("Não consegui guardar uma cópia do Banco de Dados atual "
                                          "antes de substituí-lo; nada foi restaurado.\n") +
                               e.message());
        }
    }
    try {
        d->restoreInto(file, database);
    } catch (const DbError& e) {
        if (!kept)
            throw;
        rethrowWith(e, e.message() +
                           QStringLiteral("\nO Banco de Dados anterior foi guardado em %1, e os "
                                          "dados restaurados em %2.")
                               .arg(safetyCopy, scratchName));
    }
    drop();
}

} // namespace fb
