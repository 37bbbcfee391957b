#pragma once

#include "reportengine/BandReport.h"

#include <QString>

// What a movement report does with its totals: zero them before and after
// every output, add each movement to them, and write them into its summary.
class TotaisMovimento {
public:
    virtual ~TotaisMovimento() = default;
    virtual void zera() = 0;
    virtual void soma(const QString& oper, double quant, double valor) = 0;
    virtual void escreve() = 0;
};

// A total on a summary row: its caption and the label its value goes into.
struct Total {
    report::Label* legenda = nullptr;
    report::Label* valor = nullptr;
};

// The names of a total's two labels and the caption; a caption left empty
// is the chooser's or a dialog's to write.
struct Rotulo {
    QString nomeLegenda;
    QString legenda;
    QString nome;
};

// Where a total stands on its row: the caption from `legenda`, the value
// right-aligned between `valor` and `fim`.
struct Posicao {
    double legenda, valor, fim;
};

// Quantities on the left half of a row, money on the right.
inline constexpr Posicao Quantidades{0, 180, 266};
inline constexpr Posicao Valores{280, 420, report::BandReport::BandWidth};

// Lays out a total on row `linha` of the summary, which grows to hold it
// under its rule.
Total total(report::Band* sumario, int linha, const Posicao& onde, const Rotulo& rotulo);
