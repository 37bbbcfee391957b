#pragma once

#include "data/DbError.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QLockFile;

// Restoring a database from a backup so that, whatever happens to the
// program or the machine meanwhile, the data before the restore or the data
// of the backup is whole somewhere, and a restore cut half-way is finished or
// undone at the next start.
//
// A restore runs in steps, each its own function:
//   confere   the backup can be read and nobody else uses the database;
//   prova     the backup is restored whole on this machine by the embedded
//             engine ("qor.gdb.restauracao", beside the database when it is
//             here, beside the safety copies otherwise), must hold the tables
//             of its schema and is brought up to this version of the
//             program; meanwhile
//   copia     a safety copy of the database about to be replaced is written
//             on this machine under a name of its own with the date and
//             time; earlier copies are never touched;
//   substitui the proven copy takes the database's place: renamed over it
//             when the database lives on this machine (the embedded engine),
//             restored over it through a server;
//   abre      the database opens, upgraded if need be;
//   limpa     what the restore left beside the database goes, and only the
//             newest safety copies are kept.
// A record beside the safety copies tells, from the check on, which backup
// is being restored into which database, with which safety copy and at which
// step; it goes once the database has opened after the replace.
namespace Restauracao {

struct Pedido {
    QString backup;  // the backup file, on this machine
    QString banco;   // the database as connections name it ("host:path" or a bare path)
    QString esquema; // the schema it was made from: "qor" or "config"
};

// What the operator is shown as the restore goes on: the step, and how far
// it has come (0 to 100), or -1 when that is not known.
using Progresso = std::function<void(const QString& texto, int porcento)>;

// Refused or failed before the database was touched: nothing was changed.
class Recusada : public DbError {
public:
    using DbError::DbError;
};

// The replace failed half-way: the database may be neither the old one nor
// the new; the record stays for the next start to finish or undo it.
class Cortada : public DbError {
public:
    using DbError::DbError;
};

// Another process of this machine is restoring that database right now.
class EmAndamento : public DbError {
public:
    using DbError::DbError;
};

// Runs a whole restore. Answers the safety copy it wrote, or an empty text
// when there was no database to keep.
QString restaura(const Pedido& pedido, const Progresso& progresso = {});

// How many safety copies of each database are kept: the newest ones.
inline constexpr int CopiasGuardadas = 5;

// Where this machine keeps the safety copies and the record of a database's
// restores: the database's own folder when it is on this machine, otherwise
// a folder of the operator's ("~/.local/share/kelvara/...").
QString pastaLocal(const QString& banco);

struct Copia {
    QString arquivo;
    QDateTime feita;
};

// The safety copies of a database, newest first.
QList<Copia> copias(const QString& banco);

// A restore of one database that was cut before it ended.
struct Interrompida {
    QString banco, esquema, backup, copia;
    QDateTime inicio;
    // The backup's data is whole in the database: only the last steps are
    // left, and there is nothing to choose.
    bool dadosNovosNoLugar = false;
    // The data before the restore can be brought back.
    bool podeDesfazer = false;
    std::shared_ptr<QLockFile> trava;

    // What happened, in the operator's words.
    QString descricao() const;
};

// Looks for a restore of the database that was cut. One cut before it
// changed anything is cleaned up and not answered. Throws EmAndamento when
// a restore of the database runs in another process of this machine.
std::optional<Interrompida> procuraInterrompida(const QString& banco);

// Finishes a cut restore: the database ends with the backup's data.
void conclui(const Interrompida& cortada, const Progresso& progresso = {});

// Undoes a cut restore: the database ends with the data it had before.
void desfaz(const Interrompida& cortada, const Progresso& progresso = {});

// Whether a database could not be opened because a restore is replacing it,
// or was cut while doing so.
bool emRestauracao(const std::exception& e);

} // namespace Restauracao
