#pragma once

class QObject;

// The requests to end that a desktop sends at logout or shutdown (SIGTERM,
// SIGHUP) and a terminal sends with Ctrl+C (SIGINT) end the program as the
// menu command "Saída" does: screens close, an open transaction is rolled
// back, the connections are detached and the database files are free at
// once.
//
// ReservaSinais comes first in main, before any thread exists: the signals
// are then held back in every thread, the embedded engine's included, whose
// own handlers would otherwise take them. EncerraComSinais then reads them
// in the program's own event loop.
void ReservaSinais();
void EncerraComSinais(QObject* dono);
