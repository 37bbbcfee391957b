#pragma once

#include "BareFirebird.h"
#include "Measure.h"
#include "data/Conexao.h"

#include <ibase.h>

#include <QDate>

// ---------------------------------------------------------------------------
// The bare fetch: the same statements on the Firebird client directly, into
// plain vectors, with nothing of ours or of Qt in the loop.

struct BareColumn {
    std::string name;
    bool text = false;
    std::vector<std::string> texts;
    std::vector<double> numbers; // NUMERIC scaled, dates as days
    std::vector<char> nulls;
};

struct BareResult {
    std::vector<BareColumn> columns;
    long rows = 0;
};

class BareClient : BareAttachment {
public:
    explicit BareClient(const std::string& path) : BareAttachment(path, "bare fetch") {}
    ~BareClient() {
        for (Statement& s : statements) {
            isc_dsql_free_statement(status, &s.handle, DSQL_drop);
            std::free(s.in);
            std::free(s.out);
        }
    }
    BareClient(const BareClient&) = delete;
    BareClient& operator=(const BareClient&) = delete;

    // Prepares a statement once; answers its number for fetch().
    int prepare(const std::string& sql) {
        Statement s;
        isc_tr_handle tr = begin();
        isc_dsql_allocate_statement(status, &db, &s.handle);
        check("allocate");
        s.out = allocate(1);
        isc_dsql_prepare(status, &tr, &s.handle, 0, sql.c_str(), 3, s.out);
        check("prepare");
        if (s.out->sqld > s.out->sqln) {
            const short n = s.out->sqld;
            std::free(s.out);
            s.out = allocate(n);
            isc_dsql_describe(status, &s.handle, 1, s.out);
            check("describe");
        }
        s.in = allocate(4);
        isc_dsql_describe_bind(status, &s.handle, 1, s.in);
        check("describe bind");
        isc_commit_transaction(status, &tr);
        check("commit");

        const int n = s.out->sqld;
        std::size_t size = 0;
        std::vector<std::size_t> offsets(n);
        for (int i = 0; i < n; ++i) {
            const XSQLVAR& v = s.out->sqlvar[i];
            size = (size + 7) & ~std::size_t(7);
            offsets[i] = size;
            size += v.sqllen + ((v.sqltype & ~1) == SQL_VARYING ? 2 : 0);
        }
        s.buffer.assign(size + 8, 0);
        s.indicators.assign(n, 0);
        for (int i = 0; i < n; ++i) {
            s.out->sqlvar[i].sqldata = s.buffer.data() + offsets[i];
            s.out->sqlvar[i].sqlind = &s.indicators[i];
        }
        statements.push_back(std::move(s));
        return int(statements.size()) - 1;
    }

    // Runs a prepared statement with date parameters and fetches every row.
    BareResult fetch(int statement, const std::vector<ISC_DATE>& dates = {}) {
        Statement& s = statements[statement];
        std::vector<ISC_DATE> values = dates;
        short notNull = 0;
        if (int(values.size()) != s.in->sqld)
            fail("bare fetch: wrong number of parameters");
        for (int i = 0; i < s.in->sqld; ++i) {
            XSQLVAR& v = s.in->sqlvar[i];
            v.sqltype = SQL_TYPE_DATE | 1;
            v.sqllen = sizeof(ISC_DATE);
            v.sqldata = reinterpret_cast<char*>(&values[i]);
            v.sqlind = &notNull;
        }

        const int n = s.out->sqld;
        BareResult result;
        result.columns.resize(n);
        for (int i = 0; i < n; ++i) {
            const int type = s.out->sqlvar[i].sqltype & ~1;
            result.columns[i].text = type == SQL_TEXT || type == SQL_VARYING;
            result.columns[i].name.assign(s.out->sqlvar[i].aliasname,
                                          std::size_t(s.out->sqlvar[i].aliasname_length));
        }

        isc_tr_handle tr = begin();
        isc_dsql_execute(status, &tr, &s.handle, 1, s.in->sqld ? s.in : nullptr);
        check("execute");
        ISC_STATUS rc;
        while ((rc = isc_dsql_fetch(status, &s.handle, 1, s.out)) == 0) {
            for (int i = 0; i < n; ++i) {
                const XSQLVAR& v = s.out->sqlvar[i];
                BareColumn& c = result.columns[i];
                if ((v.sqltype & 1) && *v.sqlind < 0) {
                    c.nulls.push_back(1);
                    if (c.text)
                        c.texts.emplace_back();
                    else
                        c.numbers.push_back(0);
                    continue;
                }
                c.nulls.push_back(0);
                const char* data = v.sqldata;
                switch (v.sqltype & ~1) {
                case SQL_TEXT:
                    c.texts.emplace_back(data, v.sqllen);
                    break;
                case SQL_VARYING: {
                    short length;
                    std::memcpy(&length, data, sizeof length);
                    c.texts.emplace_back(data + 2, length);
                    break;
                }
                case SQL_SHORT:
                case SQL_LONG:
                case SQL_INT64: {
                    ISC_INT64 raw;
                    if ((v.sqltype & ~1) == SQL_SHORT) {
                        short x;
                        std::memcpy(&x, data, sizeof x);
                        raw = x;
                    } else if ((v.sqltype & ~1) == SQL_LONG) {
                        ISC_LONG x;
                        std::memcpy(&x, data, sizeof x);
                        raw = x;
                    } else {
                        std::memcpy(&raw, data, sizeof raw);
                    }
                    double divisor = 1;
                    for (int k = v.sqlscale; k < 0; ++k)
                        divisor *= 10;
                    c.numbers.push_back(double(raw) / divisor);
                    break;
                }
                case SQL_DOUBLE: {
                    double x;
                    std::memcpy(&x, data, sizeof x);
                    c.numbers.push_back(x);
                    break;
                }
                case SQL_TYPE_DATE: {
                    ISC_DATE x;
                    std::memcpy(&x, data, sizeof x);
                    c.numbers.push_back(x);
                    break;
                }
                default:
                    fail("bare fetch: unexpected column type " + std::to_string(v.sqltype));
                }
            }
            ++result.rows;
        }
        if (rc != 100)
            check("fetch");
        isc_dsql_free_statement(status, &s.handle, DSQL_close);
        check("close");
        isc_commit_transaction(status, &tr);
        check("commit");
        return result;
    }

private:
    struct Statement {
        isc_stmt_handle handle = 0;
        XSQLDA* in = nullptr;
        XSQLDA* out = nullptr;
        std::vector<char> buffer;
        std::vector<short> indicators;
    };

    std::vector<Statement> statements;
};

inline ISC_DATE iscDate(const QDate& date) {
    return ISC_DATE(QDate(1858, 11, 17).daysTo(date));
}
