#include "reports/CustoMedio.h"

#include "data/FbConnection.h"
#include "data/SqlConnection.h"
#include "entry/RegionalNumbers.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <limits>

namespace custo {

namespace {

const QString ProdutosLidos = QStringLiteral(
    "Select p.PRO_Codigo, p.PRO_Descricao, p.PRO_Unid, g.GRU_Codigo, g.GRU_Descricao, "
    "p.PRO_Quant, p.PRO_PCusto, p.PRO_DCad From Produtos p Left Join Grupos g On "
    "g.GRU_Codigo=p.PRO_CodGru");
const QString OrdemDosProdutos =
    QStringLiteral(" Order By Iif(g.GRU_Codigo Is Null, 1, 0), g.GRU_Descricao, g.GRU_Codigo, "
                   "p.PRO_Descricao, p.PRO_Codigo");
const QString MovimentosLidos = QStringLiteral(
    "Select m.MOV_CodPro, m.MOV_Data, m.MOV_Oper, m.MOV_Quant, m.MOV_Valor From Mov_Estq m");
const QString DoGrupo = QStringLiteral(" Where p.PRO_CodGru=:GrupoC");
const QString OrdemDosMovimentos = QStringLiteral(" Order By m.MOV_CodPro, m.MOV_Data");

constexpr qint64 SemData = std::numeric_limits<qint64>::min();

// A code as the movement's CHAR keeps it and the product's VARCHAR does:
// Firebird compares them without the blanks at the end.
QString chave(const QString& codigo) {
    qsizetype fim = codigo.size();
    while (fim > 0 && codigo[fim - 1] == u' ')
        --fim;
    return codigo.left(fim);
}

int operacao(const QString& codigo) {
    if (codigo.size() < 2)
        return -1;
    const QChar a = codigo[0], b = codigo[1];
    if (a == u'E' && b == u'E')
        return Entrada;
    if (a == u'S' && b == u'S')
        return Saida;
    if (a == u'T' && b == u'E')
        return EstornoEntrada;
    if (a == u'T' && b == u'S')
        return EstornoSaida;
    return -1;
}

qint64 diaDe(const QDate& data) {
    return data.isValid() ? data.toJulianDay() : SemData;
}

double unitario(Milesimos quantidade, Centavos valor) {
    return double(valor) / 100 / (double(quantidade) / 1000);
}

// The pass over one product: the rule, one operation at a time.
class Razao {
public:
    explicit Razao(double custoAbertura) { posicao.medio = custoAbertura; }

    const Posicao& onde() const { return posicao; }

    // The opening is an entry at the opening cost, or taken out at it when
    // the movements explain more than there is.
    void abre(Milesimos quantidade, double custo) {
        if (quantidade > 0)
            entra(quantidade, double(quantidade) / 1000 * custo);
        else if (quantidade < 0)
            estornaEntrada(-quantidade, double(-quantidade) / 1000 * custo);
    }

    CustoDoDia aplica(const Dia& dia) {
        entra(dia.quantidade[Entrada], double(dia.valor[Entrada]) / 100);
        estornaEntrada(dia.quantidade[EstornoEntrada], double(dia.valor[EstornoEntrada]) / 100);
        // Exits go out, and their reversals come back, at the average.
        CustoDoDia custo;
        custo.estornos = double(dia.quantidade[EstornoSaida]) / 1000 * posicao.medio;
        custo.saidas = double(dia.quantidade[Saida]) / 1000 * posicao.medio;
        posicao.quantidade += dia.quantidade[EstornoSaida] - dia.quantidade[Saida];
        return custo;
    }

private:
    void entra(Milesimos quantidade, double valor) {
        if (quantidade == 0 && valor == 0)
            return;
        const Milesimos antes = posicao.quantidade;
        posicao.quantidade += quantidade;
        // Held at zero or below, the average stays until the stock is back.
        if (posicao.quantidade <= 0)
            return;
        posicao.medio = antes <= 0 ? valor / (double(quantidade) / 1000)
                                   : (double(antes) / 1000 * posicao.medio + valor) /
                                         (double(posicao.quantidade) / 1000);
    }

    // Undoes a wrong entry at its own unit cost.
    void estornaEntrada(Milesimos quantidade, double valor) {
        if (quantidade == 0 && valor == 0)
            return;
        const double tinha = posicao.valor();
        posicao.quantidade -= quantidade;
        if (posicao.quantidade <= 0)
            return;
        posicao.medio = std::max(0.0, tinha - valor) / (double(posicao.quantidade) / 1000);
    }

    Posicao posicao;
};

} // namespace

Leitura le(SqlConnection* conexao, const QString& grupo) {
    fb::Connection& db = conexao->database();
    fb::Params parametros;
    if (!grupo.isEmpty())
        parametros.setText(QStringLiteral("GrupoC"), grupo);
    fb::ResultSet produtos, movimentos;
    {
        fb::Snapshot snapshot(db);
        produtos = db.select(instrucaoDosProdutos(grupo), parametros);
        movimentos = db.select(instrucaoDosMovimentos(grupo), parametros);
    }

    Leitura lida;
    lida.produtos.reserve(produtos.rowCount());
    QHash<QString, std::size_t> porCodigo;
    porCodigo.reserve(produtos.rowCount());
    for (int i = 0; i < produtos.rowCount(); ++i) {
        Produto p;
        p.codigo = produtos.text(i, 0);
        p.descricao = produtos.text(i, 1);
        p.unidade = produtos.text(i, 2);
        if (!produtos.isNull(i, 3)) {
            p.grupo = produtos.text(i, 3);
            p.descricaoGrupo = produtos.text(i, 4);
        }
        p.emEstoque = std::llround(produtos.number(i, 5) * 1000);
        p.precoCusto = produtos.number(i, 6);
        p.cadastro = produtos.value(i, 7).toDate();
        porCodigo.insert(chave(p.codigo), lida.produtos.size());
        lida.produtos.push_back(std::move(p));
    }

    lida.dias.reserve(movimentos.rowCount());
    Produto* atual = nullptr;
    QString codigoAtual;
    for (int i = 0; i < movimentos.rowCount(); ++i) {
        const QString& codigo = movimentos.text(i, 0);
        if (i == 0 || codigo != codigoAtual) {
            codigoAtual = codigo;
            const auto achado = porCodigo.constFind(chave(codigo));
            // Movements of a product that no longer exists value nothing.
            atual = achado == porCodigo.cend() ? nullptr : &lida.produtos[*achado];
            if (atual)
                atual->primeiroDia = lida.dias.size();
        }
        const int op = operacao(movimentos.text(i, 2));
        if (!atual || op < 0)
            continue;
        const qint64 data = movimentos.isNull(i, 1) ? SemData : movimentos.julianDay(i, 1);
        if (atual->quantosDias == 0 || lida.dias.back().data != data) {
            lida.dias.push_back(Dia{data, {}, {}});
            ++atual->quantosDias;
        }
        Dia& dia = lida.dias.back();
        dia.quantidade[op] += std::llround(movimentos.number(i, 3) * 1000);
        dia.valor[op] += std::llround(movimentos.number(i, 4) * 100);
    }
    return lida;
}

QString instrucaoDosProdutos(const QString& grupo) {
    return ProdutosLidos + (grupo.isEmpty() ? QString() : DoGrupo) + OrdemDosProdutos;
}

QString instrucaoDosMovimentos(const QString& grupo) {
    return MovimentosLidos +
           (grupo.isEmpty()
                ? QString()
                : QStringLiteral(" Join Produtos p On p.PRO_Codigo=m.MOV_CodPro") + DoGrupo) +
           OrdemDosMovimentos;
}

Milesimos somaDosMovimentos(std::span<const Dia> dias) {
    Milesimos soma = 0;
    for (const Dia& d : dias)
        soma += d.quantidade[Entrada] - d.quantidade[EstornoEntrada] + d.quantidade[EstornoSaida] -
                d.quantidade[Saida];
    return soma;
}

Abertura abertura(const Produto& produto, std::span<const Dia> dias) {
    Abertura a;
    a.quantidade = produto.emEstoque - somaDosMovimentos(dias);
    a.custo = produto.precoCusto;
    a.custoConhecido = produto.precoCusto > 0;
    for (const Dia& d : dias) {
        if (d.quantidade[Entrada] > 0) {
            a.custo = unitario(d.quantidade[Entrada], d.valor[Entrada]);
            a.custoConhecido = true;
            break;
        }
    }
    return a;
}

Posicao percorre(const Produto& produto, std::span<const Dia> dias, const QDate& ate,
                 const std::function<void(const Dia&, const CustoDoDia&)>& cada) {
    const Abertura inicio = abertura(produto, dias);
    Razao razao(inicio.custo);
    const qint64 fim = ate.toJulianDay();
    const qint64 cadastro = diaDe(produto.cadastro);
    bool aberto = false;
    auto abreAte = [&](qint64 dia) {
        if (!aberto && cadastro <= dia) {
            razao.abre(inicio.quantidade, inicio.custo);
            aberto = true;
        }
    };
    for (const Dia& dia : dias) {
        if (dia.data > fim)
            break;
        abreAte(dia.data);
        const CustoDoDia custo = razao.aplica(dia);
        if (cada)
            cada(dia, custo);
    }
    abreAte(fim);
    return razao.onde();
}

std::vector<Valorizado> estoqueEm(const Leitura& leitura, const QDate& data) {
    std::vector<Valorizado> linhas;
    linhas.reserve(leitura.produtos.size());
    for (const Produto& p : leitura.produtos)
        linhas.push_back({&p, percorre(p, leitura.diasDe(p), data)});
    return linhas;
}

std::vector<Margem> margemDasSaidas(const Leitura& leitura, const QDate& inicio, const QDate& fim) {
    const qint64 primeiro = inicio.toJulianDay();
    std::vector<Margem> linhas;
    for (const Produto& p : leitura.produtos) {
        Margem m{&p};
        bool saiu = false;
        const std::span<const Dia> dias = leitura.diasDe(p);
        percorre(p, dias, fim, [&](const Dia& dia, const CustoDoDia& custo) {
            if (dia.data < primeiro ||
                (dia.quantidade[Saida] == 0 && dia.quantidade[EstornoSaida] == 0 &&
                 dia.valor[Saida] == 0 && dia.valor[EstornoSaida] == 0))
                return;
            saiu = true;
            m.quantidade += dia.quantidade[Saida] - dia.quantidade[EstornoSaida];
            m.venda += dia.valor[Saida] - dia.valor[EstornoSaida];
            m.custo += custo.saidas - custo.estornos;
        });
        if (!saiu)
            continue;
        m.custoConhecido = abertura(p, dias).custoConhecido;
        linhas.push_back(m);
    }
    return linhas;
}

std::vector<Diferenca> conferencia(const Leitura& leitura) {
    std::vector<Diferenca> linhas;
    for (const Produto& p : leitura.produtos) {
        const Milesimos soma = somaDosMovimentos(leitura.diasDe(p));
        if (soma != p.emEstoque)
            linhas.push_back({&p, soma});
    }
    return linhas;
}

Centavos centavos(double reais) {
    const RoundedDecimal r = roundDecimal(reais, 2);
    const Centavos valor = std::stoll(r.integral) * 100 + std::stoll(r.fraction);
    return r.negative ? -valor : valor;
}

} // namespace custo
