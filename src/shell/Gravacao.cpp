#include "shell/Gravacao.h"

#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/ListCopy.h"
#include "data/SqlConnection.h"

bool Grava(const WriteSite& site, const std::function<void()>& statements,
           const std::function<void()>& followUp) {
    fb::Connection& db = site.connection->database();
    try {
        db.startTransaction();
        statements();
        db.commit();
        if (site.list)
            site.list->Refresh();
        if (followUp)
            followUp();
        return true;
    } catch (const UnstorableText&) {
        // Like a number that does not convert: the action stops with the
        // error's own text, which names the character, and nothing is kept.
        try {
            db.rollback();
        } catch (const std::exception&) {
        }
        throw;
    } catch (const std::exception&) {
        auto rollback = [&db] {
            try {
                db.rollback();
            } catch (const std::exception&) {
                // The transaction is gone either way; the site's message says it all.
            }
        };
        if (site.rollbackBeforeMessage) {
            rollback();
            Messages::show(site.failureKind, site.failureMessage);
        } else {
            Messages::show(site.failureKind, site.failureMessage);
            rollback();
        }
        return false;
    }
}
