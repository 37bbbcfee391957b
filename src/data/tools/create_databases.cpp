// Creates the two empty databases of an installation:
//   kelvara-create-databases FOLDER
// FOLDER is a local folder (embedded engine) or "host:folder" (a server).

#include "data/DbError.h"
#include "data/Esquema.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    // An option is never a folder: "--help" must not create "--help\qor.gdb".
    if (argc != 2 || argv[1][0] == '-' || argv[1][0] == '\0') {
        err << "usage: kelvara-create-databases FOLDER\n"
               "  Creates qor.gdb and config.gdb in FOLDER: a local folder (embedded engine)\n"
               "  or host:folder (through a Firebird server). Existing databases are kept\n"
               "  and brought up to this version's schema.\n";
        return 2;
    }
    const QString pasta = QString::fromLocal8Bit(argv[1]);
    try {
        if (BancosExistem(pasta)) {
            // Existing databases are kept, and brought up to this version.
            QTextStream(stdout) << (AtualizaBancos(pasta) ? "Upgraded" : "Kept")
                                << " qor.gdb and config.gdb in " << pasta << '\n';
            return 0;
        }
        CriaBancos(pasta);
    } catch (const DbError& e) {
        err << e.message() << '\n';
        return 1;
    }
    QTextStream(stdout) << "Created qor.gdb and config.gdb in " << pasta << '\n';
    return 0;
}
