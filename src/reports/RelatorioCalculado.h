#pragma once

#include "data/FbResult.h"
#include "data/ListCopy.h"
#include "reportengine/Formulario.h"
#include "reports/CargaRelatorio.h"
#include "reports/CustoMedio.h"
#include "reports/FormularioRelatorio.h"

#include <span>
#include <vector>

// Rows of a list written field by field, in any order; a field not written
// is null.
class NovasLinhas {
public:
    explicit NovasLinhas(const std::vector<FieldDef>& campos);

    void texto(int campo, const QString& valor);
    void numero(int campo, double valor);
    void data(int campo, const QDate& valor);
    // Ends the row being written.
    void fim();
    fb::ResultSet feitas() { return std::move(linhas); }

private:
    fb::ResultSet linhas;
    std::vector<QVariant> atual;
};

// What the reports of rows the program computes from the movements share: a
// list of their own, filled before each output; a page header, on every page,
// of the title, what was asked for and the column headings over a rule; the
// products under their groups, with the group's lines in bold; and totals
// that are the sums of the lines as printed.
class RelatorioCalculado : public FormularioRelatorio {
    Q_OBJECT
public:
    report::Label* lbTitulo;
    ListCopy* lista() const { return relatorio->data(); }

protected:
    // The list's fields; the group's lines are written in its field GRUPO.
    RelatorioCalculado(const QString& formName, const QString& reportName, const QString& titulo,
                       std::vector<FieldDef> campos);

    // A caption and the label after it on the line under the title, the
    // label's text the program's to write.
    report::Label* pedido(const QString& nome, const QString& legenda, double x, double largura,
                          double larguraLegenda);
    // A line of its own under the request, in small letters.
    void nota(const QString& texto);
    // The headings, closing the header, over the fields; the group's lines
    // take the room of the columns before `fimDoGrupo`.
    void colunas(std::span<const report::Coluna> colunas, double fimDoGrupo);

    // Runs cada on each run of lines of one group, in the order read.
    template <typename Linha, typename Cada>
    static void porGrupo(const std::vector<Linha>& linhas, Cada&& cada) {
        std::size_t inicio = 0;
        for (std::size_t i = 1; i <= linhas.size(); ++i)
            if (i == linhas.size() || linhas[i].produto->grupo != linhas[inicio].produto->grupo) {
                cada(std::span<const Linha>(linhas).subspan(inicio, i - inicio));
                inicio = i;
            }
    }
    // The group's own lines: its name above its products, and the caption
    // of its totals under them.
    static QString tituloDoGrupo(const custo::Produto& produto);
    static QString totalDoGrupo(const custo::Produto& produto);
    // "000001 - Ferragens", or "Todos" for every group.
    static QString grupoPedido(const GrupoDoPedido& grupo);

    NovasLinhas novasLinhas() const { return NovasLinhas(lista()->fields()); }
    void mostra(fb::ResultSet linhas);

    static double reais(custo::Centavos valor) { return double(valor) / 100; }
    static double quantidade(custo::Milesimos valor) { return double(valor) / 1000; }

private:
    double ultimaLinha;
};
