#include "reports/Totais.h"

#include <algorithm>

using namespace report;

namespace {

constexpr double Topo = 4;
constexpr double Linha = 12;

} // namespace

Total total(Band* sumario, int linha, const Posicao& onde, const Rotulo& rotulo) {
    sumario->ruleTop = true;
    const double y = Topo + Linha * linha;
    sumario->height = std::max(sumario->height, y + Linha + 2);
    Total feito;
    feito.legenda = sumario->label(rotulo.nomeLegenda, rotulo.legenda, onde.legenda,
                                   onde.valor - onde.legenda, Align::Left, Style::Bold, y);
    feito.valor = sumario->label(rotulo.nome, {}, onde.valor, onde.fim - onde.valor, Align::Right,
                                 Style::Fixed, y);
    return feito;
}
