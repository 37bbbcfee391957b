#include "shell/Gravacao.h"

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
    } catch (const std::exception& e) {
        const auto* recusa = dynamic_cast<const Recusa*>(&e);
        const Messages::Kind kind = recusa ? recusa->kind : site.failureKind;
        const QString text = recusa ? recusa->text : site.failureMessage;
        auto rollback = [&db] {
            try {
                db.rollback();
            } catch (const std::exception&) {
                // The transaction is gone either way; the site's message says it all.
            }
        };
        if (site.rollbackBeforeMessage) {
            rollback();
            Messages::show(kind, text);
        } else {
            Messages::show(kind, text);
            rollback();
        }
        return false;
    }
}
