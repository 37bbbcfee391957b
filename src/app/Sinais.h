#pragma once

class QObject;

// The requests to end that a desktop sends at logout or shutdown (SIGTERM,
// SIGHUP) and a terminal sends with Ctrl+C (SIGINT) end the program as the
// menu command "Saída" does: screens close, a backup or restore under way is
// waited for, the connections are detached and the database files are free.
//
// ReservaSinais comes first in main, before any thread exists: the signals
// are then held back in every thread, the embedded engine's included, whose
// own handlers would otherwise take them. EncerraComSinais then reads them
// in every event loop from the first screen on, the database folder screen
// included.
void ReservaSinais();
void EncerraComSinais(QObject* dono);
