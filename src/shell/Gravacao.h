#pragma once

#include "shell/Messages.h"

#include <QString>
#include <functional>

class ListCopy;
class SqlConnection;

// One place that writes to a database, and what it does when that fails.
struct WriteSite {
    SqlConnection* connection;
    ListCopy* list = nullptr; // refreshed after the commit, when the site has one
    Messages::Kind failureKind = Messages::Kind::Warning;
    QString failureMessage;
    // Most sites warn first and roll back once the operator has read it.
    bool rollbackBeforeMessage = false;
};

// Every insert, update and delete: a read-committed transaction on the
// site's connection, the statements, commit, refresh of the site's list and
// the site's follow-up. When any of it fails the site's message is shown and
// the transaction rolled back (in the site's order); nothing is retried and
// the screen keeps the operator's input. A text the database cannot hold
// rolls back and leaves as UnstorableText, for the standard error dialog.
// Answers whether it all went through.
bool Grava(const WriteSite& site, const std::function<void()>& statements,
           const std::function<void()>& followUp = {});
