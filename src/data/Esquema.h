#pragma once

#include <QString>
#include <QStringList>

// The statements of one of the schema scripts kept in the program's
// resources (":/schema/qor.sql", ":/schema/config.sql"), in order.
QStringList ComandosEsquema(const QString& recurso);

// The tables one of the schema scripts creates, by name in capitals.
QStringList TabelasEsquema(const QString& recurso);

// Creates qor.gdb and config.gdb in the database folder (a local folder for
// the embedded engine, "host:folder" through a server), with their tables and
// required rows. Refuses, before creating anything, when either exists.
void CriaBancos(const QString& pasta);
