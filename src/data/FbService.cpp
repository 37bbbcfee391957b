#include "data/FbService.h"

#include "data/ArquivoNovo.h"
#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbStatus.h"

#include <ibase.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
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

    // Waits for a task that writes nothing to us: the engine answers a
    // question for its output once it has a line of it or the task has
    // ended. said hears of every line.
    void waitForEnd(const std::function<void()>& said) {
        const char line = isc_info_svc_line;
        for (;;) {
            const char* p = query({}, QByteArray(&line, 1)).constData();
            if (*p != isc_info_svc_line)
                throw DbError(QStringLiteral("Resposta inesperada do servidor"));
            if (readShort(p + 1) == 0 && p[3] != isc_info_truncated)
                return;
            if (said)
                said();
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
    bool embedded() const { return !manager.contains(u':'); }
    void backUpHere(const QString& database, const QString& file, const Progress& progress) const;
    void streamBackup(const QString& database, QFile& out, const Progress& progress) const;
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

} // namespace

bool throughServer(const QString& databasePath) {
    return hostEnd(databasePath) > 0;
}

QString onServer(const QString& databasePath) {
    return databasePath.mid(hostEnd(databasePath) + 1);
}

QString Service::managerFor(const QString& databasePath) {
    const qsizetype end = hostEnd(databasePath);
    return end > 0 ? databasePath.left(end) + QStringLiteral(":service_mgr")
                   : QStringLiteral("service_mgr");
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

const QString& Service::manager() const {
    return d->manager;
}

void Service::backup(const QString& database, const QString& file, const Progress& progress) {
    if (!d->attached)
        throw DbError(QStringLiteral("Service manager is not attached"));
    ArquivoNovo novo(file);
    if (d->embedded()) {
        d->backUpHere(database, novo.caminho(), progress);
    } else {
        QFile out(novo.caminho());
        if (!out.open(QIODevice::WriteOnly))
            throw DbError(
                QStringLiteral("Não consegui criar o arquivo %1: %2").arg(file, out.errorString()));
        d->streamBackup(database, out, progress);
        if (!out.flush())
            throw DbError(QStringLiteral("Não consegui gravar o arquivo %1: %2")
                              .arg(file, out.errorString()));
        out.close();
    }
    novo.poeNoLugar();
}

// The embedded engine runs in this process and writes the file itself.
void Service::Impl::backUpHere(const QString& database, const QString& file,
                               const Progress& progress) const {
    Buffer request(isc_action_svc_backup);
    request.text(isc_spb_dbname, onServer(database).toUtf8(), true)
        .text(isc_spb_bkp_file, file.toUtf8(), true)
        .number(isc_spb_options, 0)
        .tag(isc_spb_verbose);
    Attachment service = attachment();
    service.start(request.data());
    service.waitForEnd([&] {
        if (progress)
            progress(QFileInfo(file).size(), 0);
    });
    if (!QFile::exists(file))
        throw DbError(QStringLiteral("O backup não gravou o arquivo %1").arg(file));
}

// A server sends the backup as a stream of blocks until the task ends.
void Service::Impl::streamBackup(const QString& database, QFile& out,
                                 const Progress& progress) const {
    Buffer request(isc_action_svc_backup);
    request.text(isc_spb_dbname, onServer(database).toUtf8(), true)
        .text(isc_spb_bkp_file, QByteArrayLiteral("stdout"), true)
        .number(isc_spb_options, 0);
    Attachment service = attachment();
    service.start(request.data());
    const char toEof = isc_info_svc_to_eof;
    qint64 received = 0;
    for (;;) {
        const char* p = service.query({}, QByteArray(&toEof, 1)).constData();
        if (*p != isc_info_svc_to_eof)
            throw DbError(QStringLiteral("Resposta inesperada do servidor no backup"));
        const int length = readShort(p + 1);
        if (length > 0 && out.write(p + 3, length) != length)
            throw DbError(QStringLiteral("Não consegui gravar o arquivo %1: %2")
                              .arg(out.fileName(), out.errorString()));
        received += length;
        if (progress && length > 0)
            progress(received, 0);
        const char after = p[3 + length];
        if (length == 0 && after != isc_info_truncated)
            break;
    }
}

void Service::restore(const QString& file, const QString& database, const Progress& progress) {
    if (!d->attached)
        throw DbError(QStringLiteral("Service manager is not attached"));
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw DbError(
            QStringLiteral("Não consegui abrir o arquivo %1: %2").arg(file, in.errorString()));
    Buffer request(isc_action_svc_restore);
    request.text(isc_spb_bkp_file, QByteArrayLiteral("stdin"), true)
        .text(isc_spb_dbname, onServer(database).toUtf8(), true)
        .number(isc_spb_options, isc_spb_res_replace | isc_spb_res_create)
        .number(isc_spb_res_page_size, 4096);
    Attachment service = d->attachment();
    service.start(request.data());

    // The engine asks for the file a piece at a time and answers with the
    // task's output; the task has ended when it asks for nothing more and
    // has nothing more to say. A piece is as large as one question carries.
    const char receive[] = {isc_info_svc_stdin, isc_info_svc_line};
    constexpr quint32 largestPiece = 65535 - 3;
    const qint64 size = in.size();
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
            if (progress)
                progress(in.pos(), size);
        } else if (!said) {
            break;
        }
    }
}

// A database named by a bare path, reached through the server whose
// service manager runs the task ("host:service_mgr"), as the task itself
// reaches it; without a host the embedded engine serves both.
QString throughManager(const QString& manager, const QString& database) {
    const qsizetype colon = manager.lastIndexOf(u':');
    if (hostEnd(database) > 0 || colon < 0)
        return database;
    return manager.left(colon + 1) + database;
}

} // namespace fb
