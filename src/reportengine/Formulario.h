#pragma once

#include "reportengine/BandReport.h"

#include <span>
#include <vector>

// What the program's report forms are made of: the frame of every page and
// columns of headings over the fields of the detail.
namespace report {

// The company's name and telephone on the top line of the page header, and
// at the foot, under a rule, the page number and the date and time of the
// generation. The company is the program's to write into its two labels
// before each generation.
struct Moldura {
    Label* empresa;
    Label* fone;
};
Moldura moldura(BandReport* relatorio);

// A column: its heading (none for a field that shares the heading before
// it), the field under it, where it stands and how the field is written.
struct Coluna {
    const char* titulo;
    const char* campo;
    double x, largura;
    Align align = Align::Left;
    bool quebra = false;              // wraps and makes the line taller
    const char* nomeTitulo = nullptr; // lbTit_ and the field when not given
};

// The headings at y of `titulos` and the fields under them in `detalhe`.
// Answers the headings, left to right.
std::vector<Label*> colunas(Band* titulos, Band* detalhe, double y, std::span<const Coluna> lista);

} // namespace report
