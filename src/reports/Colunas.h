#pragma once

#include <QString>
#include <vector>

namespace report {
class Band;
class Label;
} // namespace report

// Header rows the report forms share.
struct Periodo {
    report::Label* inicio;
    report::Label* fim;
};

// "Período: " start "à" end, the two dates written by the period dialogs.
Periodo linhaPeriodo(report::Band* cabecalho, double y, const QString& nomeInicio);

// What a report was asked for: a caption such as "Produto:", then the code
// and the description the dialog wrote, separated by "/". The code starts
// `recuo` points in, so that longer captions keep clear of it.
struct Pedido {
    report::Label* codigo;
    report::Label* descricao;
};
Pedido linhaPedido(report::Band* banda, double y, const QString& rotulo, double recuo,
                   const QString& nomeCodigo, const QString& nomeDescricao);

// The column sets of the movement reports: every operation by code and
// description ("Código", "Descrição", "Data", "Oper.", "Quantidade",
// "Valor"); the same without "Oper."; one product's movements with the
// operation's description; and one product's movements with the exit type.
enum class ColunasMovimento { Completas, SemOperacao, Produto, ProdutoTipo };

// The column sets of the product lists.
enum class ColunasProdutos { Precos, Estoque, EstoqueMinimo };

// The headings at y of `titulos` and the fields under them in `detalhe`.
// Answers the headings, left to right.
std::vector<report::Label*> colunas(report::Band* titulos, report::Band* detalhe, double y,
                                    ColunasMovimento conjunto);
std::vector<report::Label*> colunas(report::Band* titulos, report::Band* detalhe, double y,
                                    ColunasProdutos conjunto);
