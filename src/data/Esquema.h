#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "data/DbError.h"

// The statements of one of the schema scripts kept in the program's
// resources (":/schema/qor.sql", ":/schema/config.sql"), in order.
QStringList ComandosEsquema(const QString& recurso);

// The tables every database made from one of the schema scripts has, by
// name in capitals: those the script creates, less those a numbered step
// adds (a backup of an older database has not got them yet).
QStringList TabelasEsquema(const QString& recurso);

// Creates qor.gdb and config.gdb in the database folder (a local folder for
// the embedded engine, "host:folder" through a server), with their tables and
// required rows. Refuses, before creating anything, when either exists.
void CriaBancos(const QString& pasta);

// The schema version this program writes and reads. A database keeps its
// version in the one row of its table ESQUEMA; one without that table is of
// version 2 when it has the domain step 2 creates, otherwise of version 1.
// The database's description, which other tools write, is not read.
inline constexpr int VersaoEsquema = 4;

// How long an upgrade waits for what another workstation holds (a row it
// is changing in a table the step alters) before it gives up.
inline constexpr int EsperaAtualizacaoSegundos = 10;

// A database the program will not open: made by a newer version of the
// program, one whose upgrade failed (and was undone), or one another
// workstation kept busy while it was to be upgraded.
class EsquemaRecusado : public DbError {
public:
    using DbError::DbError;
};

// The folder's databases older than the program, by file name ("qor.gdb");
// refuses (EsquemaRecusado) when one is newer than the program.
QStringList BancosDesatualizados(const QString& pasta);

// Brings qor.gdb and config.gdb in the database folder up to VersaoEsquema,
// one numbered step at a time, each in its own transaction (the scripts
// ":/schema/qor-N.sql", ":/schema/config-N.sql" take a database from N-1 to
// N; a line "COMMIT;" in one ends its transaction and starts the next);
// progress hears of each step before it runs. Refuses a database newer
// than the program, and one that another workstation keeps busy for longer
// than esperaSegundos, leaving it as it was. Answers whether anything was
// upgraded.
using ProgressoAtualizacao = std::function<void(const QString& arquivo, int passo)>;
bool AtualizaBancos(const QString& pasta, const ProgressoAtualizacao& progresso = {},
                    int esperaSegundos = EsperaAtualizacaoSegundos);

// The same for one database, the path as connections name it; nome is the
// schema it was made from ("qor" or "config").
bool AtualizaBanco(const QString& caminho, const QString& nome,
                   const ProgressoAtualizacao& progresso = {},
                   int esperaSegundos = EsperaAtualizacaoSegundos);

// Refuses (EsquemaRecusado) a database newer than the program; oQue names
// it in the message ("O backup escolhido").
void ConfereVersao(const QString& caminho, const QString& oQue);

// Whether both databases are already in the folder.
bool BancosExistem(const QString& pasta);
