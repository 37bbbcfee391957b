#pragma once

#include "data/Conexao.h"

#include <ibase.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

// An attachment on the Firebird client directly, with nothing of ours or of
// Qt in between: what the benchmarks measure the program against.
class BareAttachment {
public:
    BareAttachment(const std::string& path, const char* what) : what(what) {
        std::string dpb(1, char(isc_dpb_version1));
        auto add = [&dpb](char tag, const std::string& value) {
            dpb += tag;
            dpb += char(value.size());
            dpb += value;
        };
        add(isc_dpb_user_name, UsuarioBanco.toStdString());
        add(isc_dpb_password, SenhaBanco.toStdString());
        add(isc_dpb_lc_ctype, "ISO8859_1");
        dpb += char(isc_dpb_sql_dialect);
        dpb += char(1);
        dpb += char(3);
        isc_attach_database(status, 0, path.c_str(), &db, short(dpb.size()), dpb.data());
        check("attach");
    }
    ~BareAttachment() { isc_detach_database(status, &db); }
    BareAttachment(const BareAttachment&) = delete;
    BareAttachment& operator=(const BareAttachment&) = delete;

    // A read-committed transaction that waits on locks, as the program's.
    isc_tr_handle begin() {
        static const char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                   isc_tpb_rec_version, isc_tpb_wait};
        isc_tr_handle tr = 0;
        isc_start_transaction(status, &tr, 1, &db, short(sizeof tpb), tpb);
        check("start transaction");
        return tr;
    }

    // Throws the client's own text when the last call failed.
    void check(const char* step) {
        if (status[0] == 1 && status[1] != 0) {
            char buffer[512];
            const ISC_STATUS* vector = status;
            std::string text = what + ", " + step + ":";
            while (fb_interpret(buffer, sizeof buffer, &vector))
                text += std::string(" ") + buffer;
            throw std::runtime_error(text);
        }
    }

    static XSQLDA* allocate(int count) {
        auto* da = static_cast<XSQLDA*>(std::calloc(1, XSQLDA_LENGTH(count)));
        da->version = SQLDA_VERSION1;
        da->sqln = short(count);
        return da;
    }

    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;

private:
    std::string what;
};
