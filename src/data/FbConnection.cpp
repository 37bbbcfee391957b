#include "data/FbConnection.h"

#include "data/DbError.h"
#include "data/FbDecimal.h"
#include "data/FbStatus.h"

#include <ibase.h>

#include <QByteArray>
#include <QLatin1String>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <utility>

namespace fb {

namespace {

const QDate firebirdEpoch(1858, 11, 17);
constexpr int charsetIso8859_1 = 21;

// Text for the server, in the connection's ISO 8859-1. A pasted "e" with a
// combining accent is brought to its composed "é" first, so it is stored as
// typed; a character with no place in ISO 8859-1 (a euro sign, typographic
// quotes) refuses the statement rather than reaching the database as "?".
QByteArray encode(const QString& text) {
    const QString composed = text.normalized(QString::NormalizationForm_C);
    for (qsizetype i = 0; i < composed.size(); ++i) {
        if (composed.at(i).unicode() <= 0xff)
            continue;
        const char32_t code =
            QChar::isSurrogate(composed.at(i).unicode()) && i + 1 < composed.size()
                ? QChar::surrogateToUcs4(composed.at(i), composed.at(i + 1))
                : composed.at(i).unicode();
        const QString character = QString::fromUcs4(&code, 1);
        // A long text (a pasted page of notes) is quoted around the character.
        constexpr qsizetype around = 20;
        const qsizetype from = std::max<qsizetype>(0, i - around);
        const qsizetype to = std::min<qsizetype>(composed.size(), i + 1 + around);
        const QString excerpt = (from > 0 ? QStringLiteral("…") : QString()) +
                                composed.mid(from, to - from) +
                                (to < composed.size() ? QStringLiteral("…") : QString());
        throw UnstorableText(
            QStringLiteral("O caractere \"%1\" (U+%2) do texto \"%3\" não pode ser gravado: o "
                           "banco de dados não tem lugar para ele. Troque ou apague esse "
                           "caractere e grave de novo; nada foi gravado.")
                .arg(character, QStringLiteral("%1").arg(uint(code), 4, 16, QChar(u'0')).toUpper(),
                     excerpt));
    }
    return composed.toLatin1();
}

struct SqlDa {
    XSQLDA* da = nullptr;

    explicit SqlDa(int count) { resize(count); }
    ~SqlDa() { std::free(da); }
    SqlDa(const SqlDa&) = delete;
    SqlDa& operator=(const SqlDa&) = delete;

    void resize(int count) {
        std::free(da);
        const int n = count < 1 ? 1 : count;
        da = static_cast<XSQLDA*>(std::calloc(1, XSQLDA_LENGTH(n)));
        da->version = SQLDA_VERSION1;
        da->sqln = short(n);
    }
    int count() const { return da->sqld; }
    XSQLVAR& var(int i) { return da->sqlvar[i]; }
};

// A value of the client's wire layout, which need not be aligned.
template <typename T> T load(const char* data) {
    T value;
    std::memcpy(&value, data, sizeof value);
    return value;
}

ColumnType columnType(const XSQLVAR& v) {
    switch (v.sqltype & ~1) {
    case SQL_TEXT:
        return ColumnType::FixedText;
    case SQL_VARYING:
        return ColumnType::Text;
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        return v.sqlscale < 0 ? ColumnType::Numeric : ColumnType::Integer;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return ColumnType::Float;
    case SQL_TYPE_DATE:
        return ColumnType::Date;
    case SQL_TYPE_TIME:
        return ColumnType::Time;
    case SQL_TIMESTAMP:
        return ColumnType::Timestamp;
    case SQL_BLOB:
        return ColumnType::Blob;
    case SQL_BOOLEAN:
        return ColumnType::Boolean;
    default:
        return ColumnType::Text;
    }
}

// Texts repeat down a column of a long list: product codes, operations,
// descriptions joined in from another table. Within one result, a text equal
// to one read earlier into the same column shares that one's storage, which
// spares most of the memory and allocations of such a list. A column that
// keeps bringing new texts (document numbers) stops collecting them at a
// limit.
class TextPool {
public:
    // The text read for the row being filled, from the server's bytes.
    QString text(const ResultSet& result, int column, const char* data, qsizetype size) {
        if (size == 0)
            return QString::fromLatin1(data, size);
        const QLatin1String raw(data, size);
        const std::uint32_t tag = hashOf(data, size);
        std::size_t i = tag & mask;
        if (!table.empty()) {
            for (; table[i].row != 0; i = (i + 1) & mask) {
                if (table[i].tag != tag)
                    continue;
                const QString& earlier = result.text(int(table[i].row - 1), column);
                if (earlier == raw)
                    return earlier;
            }
        }
        QString text = QString::fromLatin1(data, size);
        if (count < Limit) {
            if (2 * (count + 1) > table.size()) {
                grow();
                i = freeEntry(tag);
            }
            table[i] = {tag, std::uint32_t(result.rowCount() + 1)};
            ++count;
        }
        return text;
    }

private:
    static constexpr std::size_t Limit = 16384;

    struct Entry {
        std::uint32_t tag = 0; // hash of the text
        std::uint32_t row = 0; // one past the row that holds it; 0 for a free entry
    };

    static std::uint32_t hashOf(const char* data, qsizetype size) {
        constexpr std::uint64_t k = 0xff51afd7ed558ccdull;
        std::uint64_t h = 0x9e3779b97f4a7c15ull ^ std::uint64_t(size);
        auto mix = [&h](std::uint64_t word) {
            h = (h ^ word) * k;
            h ^= h >> 32;
        };
        qsizetype at = 0;
        for (; at + 8 <= size; at += 8) {
            std::uint64_t word;
            std::memcpy(&word, data + at, sizeof word);
            mix(word);
        }
        if (at < size) {
            std::uint64_t tail = 0;
            for (; at < size; ++at)
                tail = tail << 8 | uchar(data[at]);
            mix(tail);
        }
        h *= k;
        return std::uint32_t(h >> 32);
    }

    // The free entry where a text of that hash goes.
    std::size_t freeEntry(std::uint32_t tag) const {
        std::size_t i = tag & mask;
        while (table[i].row != 0)
            i = (i + 1) & mask;
        return i;
    }

    void grow() {
        std::vector<Entry> old =
            std::exchange(table, std::vector<Entry>(std::max<std::size_t>(256, 2 * table.size())));
        mask = table.size() - 1;
        for (const Entry& e : old)
            if (e.row != 0)
                table[freeEntry(e.tag)] = e;
    }

    std::vector<Entry> table; // open addressing; the size is a power of two
    std::size_t mask = 0;
    std::size_t count = 0;
};

} // namespace

struct Prepared {
    isc_stmt_handle handle = 0;
    SqlDa in{1};
    SqlDa out{1};
    QStringList names;
    int type = 0;
    std::vector<Column> columns;
    std::vector<char> outBuffer;
    std::vector<short> outNulls;
};

struct Connection::Impl {
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    ConnectionSettings settings;
    std::unordered_map<QString, std::unique_ptr<Prepared>> cache;
    ISC_STATUS_ARRAY status{};
    // The attachment was lost; the next use attaches again.
    bool lost = false;

    // Every call into the client library is checked here, so a lost
    // attachment is noticed whatever call met it.
    void check(const ISC_STATUS* result) {
        try {
            fb::check(result);
        } catch (const ConnectionLost&) {
            lost = true;
            throw;
        }
    }

    // The attachment's parameters. File names travel in UTF-8, as Linux
    // names its files, so a folder such as "Área de Trabalho" opens; the
    // data itself travels in the connection's character set.
    QByteArray parameterBlock(int pageSizeToCreate = 0, int connectTimeout = 0) const {
        QByteArray dpb;
        dpb.append(char(isc_dpb_version1));
        auto add = [&dpb](char tag, const QByteArray& value) {
            dpb.append(tag);
            dpb.append(char(value.size()));
            dpb.append(value);
        };
        auto addNumber = [&dpb](char tag, int value) {
            dpb.append(tag);
            dpb.append(char(4));
            for (int i = 0; i < 4; ++i)
                dpb.append(char((value >> (8 * i)) & 0xff));
        };
        add(isc_dpb_user_name, encode(settings.user));
        add(isc_dpb_password, encode(settings.password));
        if (!settings.role.isEmpty())
            add(isc_dpb_sql_role_name, encode(settings.role));
        add(isc_dpb_lc_ctype, encode(settings.charset));
        addNumber(isc_dpb_sql_dialect, settings.dialect);
        add(isc_dpb_utf8_filename, {});
        if (connectTimeout)
            addNumber(isc_dpb_connect_timeout, connectTimeout);
        if (pageSizeToCreate) {
            addNumber(isc_dpb_page_size, pageSizeToCreate);
            add(isc_dpb_set_db_charset, encode(settings.charset));
        }
        return dpb;
    }

    void requireAttached() {
        if (lost)
            reattach();
        if (!db)
            throw DbError(QStringLiteral("Connection is not open"));
    }

    void attach(int connectTimeout = 0) {
        const QByteArray path = settings.database.toUtf8();
        const QByteArray dpb = parameterBlock(0, connectTimeout);
        isc_attach_database(status, short(path.size()), path.constData(), &db, short(dpb.size()),
                            dpb.constData());
        check(status);
    }

    // After a lost attachment: the dead one's statements, transaction and
    // handle are let go first, so none of them is ever used or freed against
    // the new one, and every statement is prepared anew. While the server is
    // still away each use fails here, quickly and as a lost connection.
    void reattach() {
        release(false);
        lost = true;
        try {
            attach(ReattachTimeoutSeconds);
        } catch (const DbError& e) {
            db = 0;
            throw ConnectionLost(e);
        }
        lost = false;
    }
    static constexpr int ReattachTimeoutSeconds = 10;

    isc_tr_handle beginSnapshot() {
        const char tpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_concurrency, isc_tpb_nowait};
        isc_tr_handle handle = 0;
        isc_start_transaction(status, &handle, 1, &db, short(sizeof tpb), tpb);
        check(status);
        return handle;
    }

    isc_tr_handle begin(int lockTimeoutSeconds = 0, bool esperaPendentes = false) {
        char tpb[11] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                        esperaPendentes ? char(isc_tpb_no_rec_version) : char(isc_tpb_rec_version),
                        isc_tpb_wait};
        short length = 5;
        if (lockTimeoutSeconds > 0) {
            // The value's length, then the value least significant byte first.
            tpb[length++] = isc_tpb_lock_timeout;
            tpb[length++] = 4;
            for (int shift = 0; shift < 32; shift += 8)
                tpb[length++] = char((uint32_t(lockTimeoutSeconds) >> shift) & 0xff);
        }
        isc_tr_handle handle = 0;
        isc_start_transaction(status, &handle, 1, &db, length, tpb);
        check(status);
        return handle;
    }

    // Runs work in the explicit transaction, or in one of its own that
    // commits when the work succeeds.
    template <typename Work> auto inTransaction(Work&& work) {
        requireAttached();
        if (tr)
            return work(tr);
        isc_tr_handle own = begin();
        try {
            if constexpr (std::is_void_v<decltype(work(own))>) {
                work(own);
                isc_commit_transaction(status, &own);
                check(status);
            } else {
                auto result = work(own);
                isc_commit_transaction(status, &own);
                check(status);
                return result;
            }
        } catch (...) {
            ISC_STATUS_ARRAY ignored;
            if (own)
                isc_rollback_transaction(ignored, &own);
            throw;
        }
    }

    Prepared& prepare(isc_tr_handle& transaction, const QString& sql);
    Prepared& executeWrite(isc_tr_handle& transaction, const QString& sql, const Params& params) {
        Prepared& p = prepare(transaction, sql);
        if (p.type == isc_info_sql_stmt_select)
            throw DbError(QStringLiteral("Statement returns rows; open it instead"));
        std::vector<QByteArray> storage;
        bind(p, params, storage);
        isc_dsql_execute(status, &transaction, &p.handle, 1, p.in.count() ? p.in.da : nullptr);
        check(status);
        return p;
    }
    void bind(Prepared& p, const Params& params, std::vector<QByteArray>& storage);
    void layoutOutput(Prepared& p);
    void readInto(ResultSet& result, int column, isc_tr_handle& transaction, const XSQLVAR& v,
                  TextPool& texts);
    int rowsAffected(Prepared& p);
    void freeAll() noexcept;
    void release(bool dropFile) noexcept;
};

Prepared& Connection::Impl::prepare(isc_tr_handle& transaction, const QString& sql) {
    if (auto it = cache.find(sql); it != cache.end())
        return *it->second;

    auto p = std::make_unique<Prepared>();
    const ParsedSql parsed = parseNamedParameters(sql);
    p->names = parsed.names;
    const QByteArray text = encode(parsed.serverText);

    isc_dsql_allocate_statement(status, &db, &p->handle);
    check(status);
    try {
        p->out.resize(1);
        isc_dsql_prepare(status, &transaction, &p->handle, 0, text.constData(),
                         ushort(settings.dialect), p->out.da);
        check(status);
        if (p->out.da->sqld > p->out.da->sqln) {
            p->out.resize(p->out.da->sqld);
            isc_dsql_describe(status, &p->handle, 1, p->out.da);
            check(status);
        }
        isc_dsql_describe_bind(status, &p->handle, 1, p->in.da);
        check(status);
        if (p->in.da->sqld > p->in.da->sqln) {
            p->in.resize(p->in.da->sqld);
            isc_dsql_describe_bind(status, &p->handle, 1, p->in.da);
            check(status);
        }

        static const char request[] = {isc_info_sql_stmt_type};
        char answer[16];
        isc_dsql_sql_info(status, &p->handle, sizeof request, request, sizeof answer, answer);
        check(status);
        if (answer[0] == isc_info_sql_stmt_type) {
            const short len = short(isc_vax_integer(answer + 1, 2));
            p->type = int(isc_vax_integer(answer + 3, len));
        }
    } catch (...) {
        ISC_STATUS_ARRAY ignored;
        isc_dsql_free_statement(ignored, &p->handle, DSQL_drop);
        throw;
    }
    layoutOutput(*p);
    return *cache.emplace(sql, std::move(p)).first->second;
}

void Connection::Impl::layoutOutput(Prepared& p) {
    const int n = p.out.count();
    p.columns.clear();
    std::size_t size = 0;
    std::vector<std::size_t> offsets(n);
    for (int i = 0; i < n; ++i) {
        XSQLVAR& v = p.out.var(i);
        Column c;
        c.name = QString::fromLatin1(v.aliasname, v.aliasname_length);
        c.type = columnType(v);
        c.scale = -v.sqlscale;
        c.length = v.sqllen;
        p.columns.push_back(c);
        size = (size + 7) & ~std::size_t(7);
        offsets[i] = size;
        size += v.sqllen + ((v.sqltype & ~1) == SQL_VARYING ? 2 : 0);
    }
    p.outBuffer.assign(size + 8, 0);
    p.outNulls.assign(n, 0);
    for (int i = 0; i < n; ++i) {
        p.out.var(i).sqldata = p.outBuffer.data() + offsets[i];
        p.out.var(i).sqlind = &p.outNulls[i];
    }
}

void Connection::Impl::bind(Prepared& p, const Params& params, std::vector<QByteArray>& storage) {
    for (const auto& [name, value] : params.all())
        if (!p.names.contains(name))
            throw DbError(QStringLiteral("Parameter '%1' not found").arg(name));

    static short nullFlag = -1, notNull = 0;
    storage.clear();
    storage.reserve(p.names.size());
    for (int i = 0; i < p.in.count(); ++i) {
        XSQLVAR& v = p.in.var(i);
        const QString& name = p.names.value(i);
        if (!params.contains(name))
            throw DbError(QStringLiteral("No value for parameter '%1'").arg(name));
        const QVariant& value = params.value(name);
        const int expected = v.sqltype & ~1;

        if (!value.isValid() || value.isNull()) {
            v.sqltype = short(expected | 1);
            v.sqlind = &nullFlag;
            continue;
        }
        v.sqlind = &notNull;
        QByteArray bytes;
        switch (value.typeId()) {
        case QMetaType::QString: {
            bytes = encode(value.toString());
            v.sqltype = SQL_TEXT | 1;
            v.sqlsubtype = charsetIso8859_1;
            v.sqlscale = 0;
            v.sqllen = short(bytes.size());
            break;
        }
        case QMetaType::QDate: {
            ISC_DATE date = ISC_DATE(firebirdEpoch.daysTo(value.toDate()));
            bytes = QByteArray(reinterpret_cast<const char*>(&date), sizeof date);
            v.sqltype = SQL_TYPE_DATE | 1;
            v.sqlscale = 0;
            v.sqllen = sizeof date;
            break;
        }
        case QMetaType::Double: {
            const bool exact =
                expected == SQL_SHORT || expected == SQL_LONG || expected == SQL_INT64;
            if (exact) {
                // Round to the column's scale ourselves, from the decimal text
                // of the value, so 2.5 goes in as 2.500 and money as cents.
                const int decimals = -v.sqlscale;
                ISC_INT64 scaled = scaledFromDouble(value.toDouble(), decimals);
                bytes = QByteArray(reinterpret_cast<const char*>(&scaled), sizeof scaled);
                v.sqltype = SQL_INT64 | 1;
                v.sqllen = sizeof scaled;
            } else {
                double d = value.toDouble();
                bytes = QByteArray(reinterpret_cast<const char*>(&d), sizeof d);
                v.sqltype = SQL_DOUBLE | 1;
                v.sqlscale = 0;
                v.sqllen = sizeof d;
            }
            break;
        }
        default: {
            ISC_INT64 whole = value.toLongLong();
            bytes = QByteArray(reinterpret_cast<const char*>(&whole), sizeof whole);
            v.sqltype = SQL_INT64 | 1;
            v.sqlscale = 0;
            v.sqllen = sizeof whole;
            break;
        }
        }
        storage.push_back(bytes);
        v.sqldata = storage.back().data();
    }
}

void Connection::Impl::readInto(ResultSet& result, int column, isc_tr_handle& transaction,
                                const XSQLVAR& v, TextPool& texts) {
    if ((v.sqltype & 1) && *v.sqlind < 0) {
        result.addNull(column);
        return;
    }
    const char* data = v.sqldata;
    switch (v.sqltype & ~1) {
    case SQL_TEXT:
        result.addText(column, texts.text(result, column, data, v.sqllen));
        return;
    case SQL_VARYING: {
        short len;
        std::memcpy(&len, data, sizeof len);
        result.addText(column, texts.text(result, column, data + 2, len));
        return;
    }
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64: {
        const int type = v.sqltype & ~1;
        const ISC_INT64 raw = type == SQL_SHORT  ? load<short>(data)
                              : type == SQL_LONG ? load<ISC_LONG>(data)
                                                 : load<ISC_INT64>(data);
        if (v.sqlscale < 0)
            result.addNumber(column, doubleFromScaled(raw, -v.sqlscale));
        else
            result.addWhole(column, raw);
        return;
    }
    case SQL_FLOAT:
        result.addNumber(column, load<float>(data));
        return;
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        result.addNumber(column, load<double>(data));
        return;
    case SQL_TYPE_DATE:
        result.addWhole(column, load<ISC_DATE>(data));
        return;
    case SQL_TYPE_TIME:
        result.addWhole(column, load<ISC_TIME>(data) / 10);
        return;
    case SQL_TIMESTAMP: {
        const auto ts = load<ISC_TIMESTAMP>(data);
        result.addWhole(column, qint64(ts.timestamp_date) * 86400000 + ts.timestamp_time / 10);
        return;
    }
    case SQL_BOOLEAN:
        result.addWhole(column, *data != 0);
        return;
    case SQL_BLOB: {
        ISC_QUAD id = load<ISC_QUAD>(data);
        isc_blob_handle blob = 0;
        isc_open_blob2(status, &db, &transaction, &blob, &id, 0, nullptr);
        check(status);
        QByteArray bytes;
        char segment[8192];
        unsigned short got = 0;
        for (;;) {
            const ISC_STATUS rc = isc_get_segment(status, &blob, &got, sizeof segment, segment);
            if (rc != 0 && rc != isc_segment)
                break;
            bytes.append(segment, got);
        }
        ISC_STATUS_ARRAY ignored;
        isc_close_blob(ignored, &blob);
        if (status[1] != isc_segstr_eof)
            check(status);
        if (v.sqlsubtype == 1)
            result.addOther(column, QString::fromLatin1(bytes));
        else
            result.addOther(column, bytes);
        return;
    }
    default:
        throw DbError(QStringLiteral("Unsupported column type %1").arg(v.sqltype & ~1));
    }
}

int Connection::Impl::rowsAffected(Prepared& p) {
    static const char request[] = {isc_info_sql_records};
    char answer[64];
    isc_dsql_sql_info(status, &p.handle, sizeof request, request, sizeof answer, answer);
    check(status);
    if (answer[0] != isc_info_sql_records)
        return 0;
    int total = 0;
    const char* pos = answer + 3;
    while (*pos != isc_info_end) {
        const char item = *pos++;
        const short len = short(isc_vax_integer(pos, 2));
        pos += 2;
        const int count = int(isc_vax_integer(pos, len));
        pos += len;
        if (item == isc_info_req_update_count || item == isc_info_req_delete_count ||
            item == isc_info_req_insert_count)
            total += count;
    }
    return total;
}

void Connection::Impl::freeAll() noexcept {
    ISC_STATUS_ARRAY ignored;
    for (auto& [text, p] : cache)
        isc_dsql_free_statement(ignored, &p->handle, DSQL_drop);
    cache.clear();
}

void Connection::Impl::release(bool dropFile) noexcept {
    lost = false;
    if (!db)
        return;
    ISC_STATUS_ARRAY ignored;
    freeAll();
    if (tr)
        isc_rollback_transaction(ignored, &tr);
    tr = 0;
    if (dropFile)
        isc_drop_database(ignored, &db);
    else
        isc_detach_database(ignored, &db);
    db = 0;
}

Connection::Connection() : d(std::make_unique<Impl>()) {}

Connection::~Connection() {
    detach();
}

void Connection::attach(const ConnectionSettings& settings) {
    detach();
    d->settings = settings;
    d->attach();
}

void Connection::create(const ConnectionSettings& settings, int pageSize) {
    detach();
    d->settings = settings;
    const QByteArray path = settings.database.toUtf8();
    const QByteArray dpb = d->parameterBlock(pageSize);
    isc_create_database(d->status, short(path.size()), path.constData(), &d->db, short(dpb.size()),
                        dpb.constData(), 0);
    d->check(d->status);
}

void Connection::detach() noexcept {
    d->release(false);
}

void Connection::drop() noexcept {
    d->release(true);
}

bool Connection::isAttached() const {
    return d->db != 0 || d->lost;
}

const ConnectionSettings& Connection::settings() const {
    return d->settings;
}

void Connection::startTransaction(int lockTimeoutSeconds, bool esperaPendentes) {
    d->requireAttached();
    if (d->tr)
        throw DbError(QStringLiteral("Transaction is already active"));
    d->tr = d->begin(lockTimeoutSeconds, esperaPendentes);
}

void Connection::startSnapshot() {
    d->requireAttached();
    if (d->tr)
        throw DbError(QStringLiteral("Transaction is already active"));
    d->tr = d->beginSnapshot();
}

void Connection::commit() {
    if (!d->tr)
        throw DbError(QStringLiteral("No transaction is active"));
    isc_commit_transaction(d->status, &d->tr);
    try {
        d->check(d->status);
    } catch (const ConnectionLost& e) {
        // The request went out and no answer came back: the server may have
        // committed before it went away.
        throw ConnectionLost(e, e.has(isc_net_read_err));
    }
    d->tr = 0;
}

void Connection::rollback() {
    if (!d->tr)
        return;
    if (d->lost) {
        // The server has rolled it back with the attachment. Nothing is
        // sent: a request on a dead connection can wait for an answer that
        // never comes.
        d->tr = 0;
        return;
    }
    isc_rollback_transaction(d->status, &d->tr);
    // A failed rollback still leaves no usable transaction behind.
    d->tr = 0;
    d->check(d->status);
}

bool Connection::inTransaction() const {
    return d->tr != 0;
}

ResultSet Connection::select(const QString& sql, const Params& params) {
    return d->inTransaction([&](isc_tr_handle& tr) {
        Prepared& p = d->prepare(tr, sql);
        std::vector<QByteArray> storage;
        d->bind(p, params, storage);
        isc_dsql_execute(d->status, &tr, &p.handle, 1, p.in.count() ? p.in.da : nullptr);
        d->check(d->status);

        ResultSet result(p.columns);
        const int n = p.out.count();
        std::vector<TextPool> texts(n);
        try {
            if (p.type == isc_info_sql_stmt_select || p.type == isc_info_sql_stmt_select_for_upd) {
                for (;;) {
                    const ISC_STATUS rc = isc_dsql_fetch(d->status, &p.handle, 1, p.out.da);
                    if (rc == 100)
                        break;
                    d->check(d->status);
                    for (int i = 0; i < n; ++i)
                        d->readInto(result, i, tr, p.out.var(i), texts[i]);
                    result.endRow();
                }
            }
        } catch (...) {
            ISC_STATUS_ARRAY ignored;
            isc_dsql_free_statement(ignored, &p.handle, DSQL_close);
            throw;
        }
        if (p.type == isc_info_sql_stmt_select || p.type == isc_info_sql_stmt_select_for_upd) {
            isc_dsql_free_statement(d->status, &p.handle, DSQL_close);
            d->check(d->status);
        }
        return result;
    });
}

int Connection::execute(const QString& sql, const Params& params) {
    return d->inTransaction([&](isc_tr_handle& tr) {
        Prepared& p = d->executeWrite(tr, sql, params);
        return d->rowsAffected(p);
    });
}

void Connection::run(const QString& sql, const Params& params) {
    d->inTransaction([&](isc_tr_handle& tr) { d->executeWrite(tr, sql, params); });
}

void Connection::prepare(const QString& sql) {
    d->inTransaction([&](isc_tr_handle& tr) { d->prepare(tr, sql); });
}

void Connection::executeImmediate(const QString& sql) {
    d->inTransaction([&](isc_tr_handle& tr) {
        const QByteArray text = encode(sql);
        isc_dsql_execute_immediate(d->status, &d->db, &tr, 0, text.constData(),
                                   ushort(d->settings.dialect), nullptr);
        d->check(d->status);
    });
}

void shutdownClient() noexcept {
    fb_shutdown(0, fb_shutrsn_app_stopped);
}

} // namespace fb
