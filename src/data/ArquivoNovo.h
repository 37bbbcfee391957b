#pragma once

#include <QString>

// A file that holds a shop's data (a backup, a safety copy), written where no
// one else can read it and put in its place only once it is whole: an older
// file of that name stays as it was until then, and a cut write leaves at
// most a private folder beside it, which the next write of that name removes.
//
// The file is written inside a folder of its own beside its final name,
// "NAME.gravando-PID-XXXXXX", readable by its owner only; put in place, it is
// readable by its owner only as well.
class ArquivoNovo {
public:
    explicit ArquivoNovo(const QString& destino);
    ~ArquivoNovo(); // removes what was not put in place
    ArquivoNovo(const ArquivoNovo&) = delete;
    ArquivoNovo& operator=(const ArquivoNovo&) = delete;

    // Where to write the file meanwhile.
    const QString& caminho() const { return temporario; }

    // Makes the file durable and puts it in place of destino in one step.
    void poeNoLugar();

    // Whether a file lies inside the folder of a write not finished (under
    // way, or cut): it is not a whole copy of anything.
    static bool emGravacao(const QString& arquivo);

    // Removes what writes of destino that were cut left beside it; writes
    // under way in a running process are left alone.
    static void limpaSobras(const QString& destino);

private:
    QString destino, pasta, temporario;
};
