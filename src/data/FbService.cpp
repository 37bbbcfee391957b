#include "data/FbService.h"

#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbStatus.h"

#include <ibase.h>

#include <QByteArray>
#include <QFile>
#include <cstring>

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

} // namespace

struct Service::Impl {
    isc_svc_handle handle = 0;
    QString user, password;
    ISC_STATUS_ARRAY status{};

    void start(const QByteArray& request) {
        isc_service_start(status, &handle, nullptr, ushort(request.size()), request.constData());
        check(status);
    }

    // One round of questions to the running task.
    QByteArray query(const QByteArray& send, const QByteArray& receive) {
        QByteArray answer(32000, '\0');
        isc_service_query(status, &handle, nullptr, ushort(send.size()), send.constData(),
                          ushort(receive.size()), receive.constData(), ushort(answer.size()),
                          answer.data());
        check(status);
        return answer;
    }
};

Service::Service() : d(std::make_unique<Impl>()) {}

Service::~Service() {
    detach();
}

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

} // namespace

QString Service::managerFor(const QString& databasePath) {
    const qsizetype end = hostEnd(databasePath);
    return end > 0 ? databasePath.left(end) + QStringLiteral(":service_mgr")
                   : QStringLiteral("service_mgr");
}

void Service::attach(const QString& manager, const QString& user, const QString& password) {
    detach();
    Buffer spb(isc_spb_version);
    spb.tag(isc_spb_current_version)
        .text(isc_spb_user_name, user.toLatin1(), false)
        .text(isc_spb_password, password.toLatin1(), false)
        .text(isc_spb_utf8_filename, {}, false);
    d->user = user;
    d->password = password;
    const QByteArray name = manager.toUtf8();
    isc_service_attach(d->status, ushort(name.size()), name.constData(), &d->handle,
                       ushort(spb.data().size()), spb.data().constData());
    check(d->status);
}

bool Service::isAttached() const {
    return d->handle != 0;
}

void Service::detach() noexcept {
    if (!d->handle)
        return;
    ISC_STATUS_ARRAY ignored;
    isc_service_detach(ignored, &d->handle);
    d->handle = 0;
}

void Service::backup(const QString& database, const QString& file) {
    if (!d->handle)
        throw DbError(QStringLiteral("Service manager is not attached"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw DbError(
            QStringLiteral("Não consegui criar o arquivo %1: %2").arg(file, out.errorString()));
    Buffer request(isc_action_svc_backup);
    request.text(isc_spb_dbname, onServer(database), true)
        .text(isc_spb_bkp_file, QByteArrayLiteral("stdout"), true)
        .number(isc_spb_options, 0);
    try {
        d->start(request.data());
        // The backup arrives as a stream of blocks until the task ends.
        const char toEof = isc_info_svc_to_eof;
        for (;;) {
            const QByteArray answer = d->query({}, QByteArray(&toEof, 1));
            const char* p = answer.constData();
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
        if (!out.flush())
            throw DbError(out.errorString());
    } catch (...) {
        out.close();
        out.remove(); // half a backup is no backup
        throw;
    }
}

void Service::restoreInto(const QString& file, const QString& database) {
    if (!d->handle)
        throw DbError(QStringLiteral("Service manager is not attached"));
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw DbError(
            QStringLiteral("Não consegui abrir o arquivo %1: %2").arg(file, in.errorString()));
    Buffer request(isc_action_svc_restore);
    request.text(isc_spb_bkp_file, QByteArrayLiteral("stdin"), true)
        .text(isc_spb_dbname, onServer(database), true)
        .number(isc_spb_options, isc_spb_res_replace | isc_spb_res_create)
        .number(isc_spb_res_page_size, 4096);
    d->start(request.data());

    // The server asks for the file a piece at a time and answers with the
    // task's output; the task has ended when it asks for nothing more and
    // has nothing more to say.
    const char receive[] = {isc_info_svc_stdin, isc_info_svc_line};
    QByteArray send;
    for (;;) {
        const QByteArray answer = d->query(send, QByteArray(receive, sizeof receive));
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
            const QByteArray piece = in.read(qint64(std::min<quint32>(wanted, 32000)));
            send.append(char(isc_info_svc_line));
            send.append(char(piece.size() & 0xff));
            send.append(char((piece.size() >> 8) & 0xff));
            send.append(piece);
        } else if (!said) {
            break;
        }
    }
}

// A backup that does not restore whole must never replace a database: it
// is restored first beside the target, and only once that went through over
// the target itself.
void Service::restore(const QString& file, const QString& database) {
    ConnectionSettings scratch;
    scratch.database = database + QStringLiteral(".restauracao");
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
    try {
        restoreInto(file, scratch.database);
    } catch (...) {
        drop();
        throw;
    }
    drop();
    restoreInto(file, database);
}

} // namespace fb
