#include "movements/Balancos.h"

#include "data/DbError.h"
#include "data/FbConnection.h"
#include "data/FbResult.h"
#include "data/SqlConnection.h"
#include "shell/Cadastro.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"

#include <QLocale>
#include <cmath>
#include <map>

namespace balanco {

namespace {

const QString FalhaAoGravar = QStringLiteral("Não foi possível gravar no balanço; tente de novo.");

fb::Connection& banco(SqlConnection* conexao) {
    return conexao->database();
}

fb::Params parametros(std::initializer_list<std::pair<const char*, QVariant>> valores) {
    fb::Params p;
    for (const auto& [nome, valor] : valores)
        p.setValue(QString::fromLatin1(nome), valor);
    return p;
}

// A write of the counts: the write pattern, reads waiting for what other
// workstations have written and not yet committed, so that a count line and
// an apply never miss each other.
bool grava(SqlConnection* conexao, const std::function<void()>& comandos) {
    WriteSite site{conexao, nullptr, Messages::Kind::Warning, FalhaAoGravar, true};
    site.esperaPendentes = true;
    return Grava(site, comandos);
}

Situacao situacaoDe(const QString& letra) {
    return letra == QLatin1String("P")   ? Situacao::Aplicado
           : letra == QLatin1String("C") ? Situacao::Cancelado
                                         : Situacao::Aberto;
}

// A count that cannot take lines any more, said as the operator reads it.
QString naoAberto(int numero, Situacao situacao) {
    return QStringLiteral("O balanço %1 já foi %2; não se pode mais contar nele.")
        .arg(numero)
        .arg(situacao == Situacao::Aplicado ? QStringLiteral("aplicado")
                                            : QStringLiteral("cancelado"));
}

Situacao situacaoLida(fb::Connection& db, int numero) {
    const fb::ResultSet r =
        db.select(QStringLiteral("Select BAL_Situacao From Balanco Where BAL_Numero=:NumeroC"),
                  parametros({{"NumeroC", numero}}));
    if (r.rowCount() == 0)
        throw Recusa(Messages::Kind::Warning,
                     QStringLiteral("O balanço %1 não existe.").arg(numero));
    return situacaoDe(r.value(0, 0).toString().trimmed());
}

double totalContado(fb::Connection& db, int numero, const QString& codigo) {
    return db
        .select(QStringLiteral("Select Sum(BLI_Quant) From Balanco_Linha Where BLI_Numero=:NumeroC "
                               "and BLI_CodPro=:CodigoC"),
                parametros({{"NumeroC", numero}, {"CodigoC", codigo}}))
        .value(0, 0)
        .toDouble();
}

double centavos(double valor) {
    return std::llround(valor * 100) / 100.0;
}

// A product of the count into the preview, its value into the surplus or
// the shortage. Each value is rounded to the cent, so the sums are exact
// to the cent too.
void acrescenta(Previa& previa, Diferenca d) {
    const double valor = d.valor();
    if (valor > 0)
        previa.valorSobra = centavos(previa.valorSobra + valor);
    else
        previa.valorFalta = centavos(previa.valorFalta - valor);
    previa.produtos.push_back(std::move(d));
}

// The products of a count with what its lines say: the first line's on-hand
// quantity, the last one's, the total counted. Uncounted products have the
// on-hand quantity of now.
Previa le(fb::Connection& db, int numero, bool zeraNaoContados) {
    const fb::ResultSet r = db.select(
        QStringLiteral(
            "Select p.PRO_Codigo, p.PRO_Descricao, p.PRO_Unid, p.PRO_Quant, p.PRO_PCusto, "
            "(Select Sum(l.BLI_Quant) From Balanco_Linha l Where l.BLI_Numero=b.BAP_Numero and "
            "l.BLI_CodPro=b.BAP_CodPro) As CONTADO, "
            "(Select First 1 l.BLI_Estoque From Balanco_Linha l Where l.BLI_Numero=b.BAP_Numero "
            "and l.BLI_CodPro=b.BAP_CodPro Order By l.BLI_Id) As PRIMEIRO, "
            "(Select First 1 l.BLI_Estoque From Balanco_Linha l Where l.BLI_Numero=b.BAP_Numero "
            "and l.BLI_CodPro=b.BAP_CodPro Order By l.BLI_Id Desc) As ULTIMO "
            "From Balanco_Produto b Join Produtos p On p.PRO_Codigo=b.BAP_CodPro "
            "Where b.BAP_Numero=:NumeroC Order By p.PRO_Descricao, p.PRO_Codigo"),
        parametros({{"NumeroC", numero}}));
    Previa previa;
    for (int i = 0; i < r.rowCount(); ++i) {
        Diferenca d;
        d.codigo = r.value(i, 0).toString();
        d.descricao = r.value(i, 1).toString();
        d.unidade = r.value(i, 2).toString();
        d.custo = r.value(i, 4).toDouble();
        d.contadoAlgo = !r.value(i, 6).isNull();
        if (d.contadoAlgo) {
            d.esperado = r.value(i, 6).toDouble();
            d.contado = r.value(i, 5).toDouble();
            d.mexeu = r.value(i, 6).toDouble() != r.value(i, 7).toDouble();
        } else {
            d.esperado = r.value(i, 3).toDouble();
            d.contado = zeraNaoContados ? 0 : d.esperado;
            ++previa.naoContados;
        }
        if (d.mexeu)
            ++previa.mexidos;
        acrescenta(previa, std::move(d));
    }
    return previa;
}

// Takes an open count out of the open ones, applied ("P") or cancelled
// ("C"), freeing its products; refuses, with recusa, a count another
// workstation closed first.
void fecha(fb::Connection& db, int numero, const QString& situacao, const QString& recusa) {
    int mudou = 0;
    try {
        mudou = db.execute(QStringLiteral("Update Balanco Set BAL_Situacao=:SituacaoC, "
                                          "BAL_Fechamento=Current_Timestamp Where "
                                          "BAL_Numero=:NumeroC and BAL_Situacao='A'"),
                           parametros({{"SituacaoC", situacao}, {"NumeroC", numero}}));
    } catch (const DbError& e) {
        if (!e.updateConflict())
            throw;
    }
    if (mudou == 0)
        throw Recusa(Messages::Kind::Warning, recusa);
    db.run(QStringLiteral("Delete From Balanco_Aberto Where BAA_Numero=:NumeroC"),
           parametros({{"NumeroC", numero}}));
}

QString nomeDe(const Diferenca& d) {
    return QStringLiteral("%1 (%2)").arg(d.codigo.trimmed(), d.descricao.trimmed());
}

} // namespace

double Diferenca::valor() const {
    return centavos(quantidade() * custo);
}

QString documento(int numero) {
    return QStringLiteral("Balanço %1").arg(numero);
}

std::optional<int> abre(SqlConnection* conexao, const QString& descricao, Escolha escolha,
                        const QString& grupo, int dias) {
    int numero = 0;
    const bool feito = grava(conexao, [&] {
        if (descricao.trimmed().isEmpty())
            throw Recusa(Messages::Kind::Warning, QStringLiteral("Descreva o balanço."));
        fb::Connection& db = banco(conexao);
        numero = db.select(QStringLiteral("Select Next Value For GEN_Balanco From RDB$Database"))
                     .value(0, 0)
                     .toInt();
        db.run(QStringLiteral("Insert into Balanco (BAL_Numero,BAL_Descricao,BAL_Abertura,"
                              "BAL_Situacao) Values (:NumeroC,:DescricaoC,Current_Timestamp,'A')"),
               parametros({{"NumeroC", numero}, {"DescricaoC", descricao.trimmed()}}));
        QString quais = QStringLiteral("Insert into Balanco_Produto (BAP_Numero,BAP_CodPro) "
                                       "Select :NumeroC, p.PRO_Codigo From Produtos p");
        fb::Params p = parametros({{"NumeroC", numero}});
        if (escolha == Escolha::Grupo) {
            quais += QStringLiteral(" Where p.PRO_CodGRU=:GrupoC");
            p.setText(QStringLiteral("GrupoC"), grupo);
        } else if (escolha == Escolha::NaoContados) {
            quais += QStringLiteral(
                " Where Not Exists (Select 1 From Balanco_Linha l Join Balanco b On "
                "b.BAL_Numero=l.BLI_Numero Where l.BLI_CodPro=p.PRO_Codigo and b.BAL_Situacao='P' "
                "and l.BLI_Momento >= DateAdd(-:DiasC Day To Current_Timestamp))");
            p.setInteger(QStringLiteral("DiasC"), dias);
        }
        if (db.execute(quais, p) == 0)
            throw Recusa(Messages::Kind::Warning,
                         QStringLiteral("Nenhum produto atende a essa escolha; o balanço não foi "
                                        "aberto."));
        const fb::ResultSet outro = db.select(
            QStringLiteral(
                "Select First 1 a.BAA_Numero, b.BAL_Descricao, a.BAA_CodPro From "
                "Balanco_Produto x Join Balanco_Aberto a On a.BAA_CodPro=x.BAP_CodPro "
                "Join Balanco b On b.BAL_Numero=a.BAA_Numero Where x.BAP_Numero=:NumeroC"),
            parametros({{"NumeroC", numero}}));
        if (outro.rowCount() > 0)
            throw Recusa(Messages::Kind::Warning,
                         QStringLiteral("O produto %1 já está no balanço %2 (\"%3\"), que está "
                                        "aberto; um produto fica em um balanço aberto por vez. "
                                        "Aplique ou cancele aquele balanço, ou escolha outros "
                                        "produtos.")
                             .arg(outro.value(0, 2).toString().trimmed())
                             .arg(outro.value(0, 0).toInt())
                             .arg(outro.value(0, 1).toString()));
        // Another workstation opening a count of the same products at this
        // moment: the key of Balanco_Aberto lets one of the two in.
        db.run(
            QStringLiteral("Insert into Balanco_Aberto (BAA_CodPro,BAA_Numero) Select "
                           "BAP_CodPro, BAP_Numero From Balanco_Produto Where BAP_Numero=:NumeroC"),
            parametros({{"NumeroC", numero}}));
    });
    return feito ? std::optional<int>(numero) : std::nullopt;
}

bool cancelaBalanco(SqlConnection* conexao, int numero) {
    return grava(conexao, [&] {
        fecha(banco(conexao), numero, QStringLiteral("C"),
              QStringLiteral("O balanço %1 já foi aplicado ou cancelado em outra estação.")
                  .arg(numero));
    });
}

QList<Contagem> abertos(SqlConnection* conexao) {
    const fb::ResultSet r = banco(conexao).select(QStringLiteral(
        "Select b.BAL_Numero, b.BAL_Descricao, b.BAL_Abertura, (Select Count(*) From "
        "Balanco_Produto p Where p.BAP_Numero=b.BAL_Numero) From Balanco b Where "
        "b.BAL_Situacao='A' Order By b.BAL_Numero Desc"));
    QList<Contagem> lista;
    for (int i = 0; i < r.rowCount(); ++i)
        lista << Contagem{r.value(i, 0).toInt(), r.value(i, 1).toString(),
                          r.value(i, 2).toDateTime(), Situacao::Aberto, r.value(i, 3).toInt()};
    return lista;
}

Contagem contagem(SqlConnection* conexao, int numero) {
    const fb::ResultSet r = banco(conexao).select(
        QStringLiteral("Select b.BAL_Numero, b.BAL_Descricao, b.BAL_Abertura, b.BAL_Situacao, "
                       "(Select Count(*) From Balanco_Produto p Where p.BAP_Numero=b.BAL_Numero) "
                       "From Balanco b Where b.BAL_Numero=:NumeroC"),
        parametros({{"NumeroC", numero}}));
    if (r.rowCount() == 0)
        throw Recusa(Messages::Kind::Warning,
                     QStringLiteral("O balanço %1 não existe.").arg(numero));
    return {r.value(0, 0).toInt(), r.value(0, 1).toString(), r.value(0, 2).toDateTime(),
            situacaoDe(r.value(0, 3).toString().trimmed()), r.value(0, 4).toInt()};
}

std::optional<Contado> conta(SqlConnection* conexao, int numero, const QString& codigoOuBarras,
                             double quantidade, const QString& quem) {
    const QString digitado = codigoOuBarras.trimmed();
    Contado contado;
    const bool feito = grava(conexao, [&] {
        if (digitado.isEmpty())
            throw Recusa(Messages::Kind::Warning,
                         QStringLiteral("Digite ou leia o código do produto."));
        fb::Connection& db = banco(conexao);
        const Situacao situacao = situacaoLida(db, numero);
        if (situacao != Situacao::Aberto)
            throw Recusa(Messages::Kind::Warning, naoAberto(numero, situacao));
        // A code has at most ten characters; a longer one is a bar code.
        fb::ResultSet produto;
        if (digitado.size() <= 10)
            produto = db.select(
                QStringLiteral("Select PRO_Codigo, PRO_Descricao, PRO_Quant From Produtos Where "
                               "PRO_Codigo=:CodigoC"),
                parametros({{"CodigoC", CompletaCodigoProduto(digitado)}}));
        if (produto.rowCount() == 0 && digitado.size() <= 14)
            produto = db.select(QStringLiteral("Select First 1 PRO_Codigo, PRO_Descricao, "
                                               "PRO_Quant From Produtos Where PRO_CodBar=:CodBarC"),
                                parametros({{"CodBarC", digitado}}));
        if (produto.rowCount() == 0)
            throw Recusa(Messages::Kind::Warning,
                         QStringLiteral("Nenhum produto tem o código ou o código de barras "
                                        "\"%1\".")
                             .arg(digitado));
        contado.codigo = produto.value(0, 0).toString();
        contado.descricao = produto.value(0, 1).toString();
        const fb::ResultSet noBalanco =
            db.select(QStringLiteral("Select 1 From Balanco_Produto Where BAP_Numero=:NumeroC and "
                                     "BAP_CodPro=:CodigoC"),
                      parametros({{"NumeroC", numero}, {"CodigoC", contado.codigo}}));
        if (noBalanco.rowCount() == 0)
            throw Recusa(Messages::Kind::Warning,
                         QStringLiteral("O produto %1 (%2) não faz parte do balanço %3.")
                             .arg(contado.codigo.trimmed(), contado.descricao.trimmed())
                             .arg(numero));
        contado.linha =
            db.select(QStringLiteral("Select Next Value For GEN_Balanco_Linha From RDB$Database"))
                .value(0, 0)
                .toLongLong();
        contado.quantidade = quantidade;
        db.run(QStringLiteral("Insert into Balanco_Linha (BLI_Id,BLI_Numero,BLI_CodPro,BLI_Quant,"
                              "BLI_Estoque,BLI_Momento,BLI_Quem) Values (:LinhaC,:NumeroC,:CodigoC,"
                              ":QuantC,:EstoqueC,Current_Timestamp,:QuemC)"),
               parametros({{"LinhaC", contado.linha},
                           {"NumeroC", numero},
                           {"CodigoC", contado.codigo},
                           {"QuantC", quantidade},
                           {"EstoqueC", produto.value(0, 2).toDouble()},
                           {"QuemC", quem.left(30)}}));
    });
    if (!feito)
        return std::nullopt;
    contado.total = totalContado(banco(conexao), numero, contado.codigo);
    return contado;
}

std::optional<Contado> cancela(SqlConnection* conexao, int numero, qint64 linha,
                               const QString& quem) {
    Contado contado;
    const bool feito = grava(conexao, [&] {
        fb::Connection& db = banco(conexao);
        const Situacao situacao = situacaoLida(db, numero);
        if (situacao != Situacao::Aberto)
            throw Recusa(Messages::Kind::Warning, naoAberto(numero, situacao));
        const fb::ResultSet r = db.select(
            QStringLiteral("Select l.BLI_CodPro, l.BLI_Quant, l.BLI_Cancela, p.PRO_Descricao, "
                           "p.PRO_Quant, (Select Count(*) From Balanco_Linha c Where "
                           "c.BLI_Cancela=l.BLI_Id) From Balanco_Linha l Join Produtos p On "
                           "p.PRO_Codigo=l.BLI_CodPro Where l.BLI_Id=:LinhaC and "
                           "l.BLI_Numero=:NumeroC"),
            parametros({{"LinhaC", linha}, {"NumeroC", numero}}));
        if (r.rowCount() == 0 || !r.value(0, 2).isNull() || r.value(0, 5).toInt() > 0)
            throw Recusa(Messages::Kind::Warning,
                         QStringLiteral("Essa linha já foi cancelada, ou cancela outra."));
        contado.codigo = r.value(0, 0).toString();
        contado.descricao = r.value(0, 3).toString();
        contado.quantidade = -r.value(0, 1).toDouble();
        contado.linha =
            db.select(QStringLiteral("Select Next Value For GEN_Balanco_Linha From RDB$Database"))
                .value(0, 0)
                .toLongLong();
        // The unique index on BLI_Cancela lets one of two workstations
        // cancelling the same line at once through.
        db.run(QStringLiteral("Insert into Balanco_Linha (BLI_Id,BLI_Numero,BLI_CodPro,BLI_Quant,"
                              "BLI_Estoque,BLI_Momento,BLI_Quem,BLI_Cancela) Values (:LinhaC,"
                              ":NumeroC,:CodigoC,:QuantC,:EstoqueC,Current_Timestamp,:QuemC,"
                              ":CancelaC)"),
               parametros({{"LinhaC", contado.linha},
                           {"NumeroC", numero},
                           {"CodigoC", contado.codigo},
                           {"QuantC", contado.quantidade},
                           {"EstoqueC", r.value(0, 4).toDouble()},
                           {"QuemC", quem.left(30)},
                           {"CancelaC", linha}}));
    });
    if (!feito)
        return std::nullopt;
    contado.total = totalContado(banco(conexao), numero, contado.codigo);
    return contado;
}

QList<Linha> linhas(SqlConnection* conexao, int numero) {
    const fb::ResultSet r = banco(conexao).select(
        QStringLiteral("Select l.BLI_Id, l.BLI_CodPro, p.PRO_Descricao, l.BLI_Quant, "
                       "l.BLI_Momento, l.BLI_Quem, l.BLI_Cancela, (Select Count(*) From "
                       "Balanco_Linha c Where c.BLI_Cancela=l.BLI_Id) From Balanco_Linha l Left "
                       "Join Produtos p On p.PRO_Codigo=l.BLI_CodPro Where l.BLI_Numero=:NumeroC "
                       "Order By l.BLI_Id Desc"),
        parametros({{"NumeroC", numero}}));
    QList<Linha> lista;
    for (int i = 0; i < r.rowCount(); ++i)
        lista << Linha{r.value(i, 0).toLongLong(), r.value(i, 1).toString(),
                       r.value(i, 2).toString(),   r.value(i, 3).toDouble(),
                       r.value(i, 4).toDateTime(), r.value(i, 5).toString(),
                       r.value(i, 6).toLongLong(), r.value(i, 7).toInt() > 0};
    return lista;
}

Previa previa(SqlConnection* conexao, int numero, bool zeraNaoContados) {
    return le(banco(conexao), numero, zeraNaoContados);
}

std::optional<Previa> aplica(const BaseMovimentos& base, int numero, bool zeraNaoContados,
                             const QString& tipoSaida) {
    Previa feita;
    const bool aplicado = grava(base.conexao, [&] {
        fb::Connection& db = banco(base.conexao);
        // Taking the count out of the open ones first: a workstation counting
        // now waits for this transaction, and one that counted before is
        // waited for by the reads below.
        fecha(db, numero, QStringLiteral("P"),
              QStringLiteral("O balanço %1 já foi aplicado ou cancelado em outra estação; nada "
                             "foi gravado.")
                  .arg(numero));
        feita = le(db, numero, zeraNaoContados);
        QStringList abaixoDeZero;
        for (const Diferenca& d : feita.produtos) {
            db.run(QStringLiteral("Update Balanco_Produto Set BAP_Esperado=:EsperadoC, "
                                  "BAP_Contado=:ContadoC, BAP_PCusto=:CustoC Where "
                                  "BAP_Numero=:NumeroC and BAP_CodPro=:CodigoC"),
                   parametros({{"EsperadoC", d.esperado},
                               {"ContadoC", d.contado},
                               {"CustoC", d.custo},
                               {"NumeroC", numero},
                               {"CodigoC", d.codigo}}));
            const double diferenca = d.quantidade();
            if (std::fabs(diferenca) < 0.0005)
                continue;
            const Movimento movimento{d.codigo,
                                      diferenca > 0 ? Operacao::Entrada : Operacao::Saida,
                                      QDate::currentDate(),
                                      std::fabs(d.valor()),
                                      std::fabs(diferenca),
                                      documento(numero),
                                      diferenca > 0 ? QString() : tipoSaida};
            try {
                EscreveMovimento(base, movimento);
            } catch (const Recusa& r) {
                if (r.text != MensagemQuantidadeSaida)
                    throw;
                abaixoDeZero << nomeDe(d);
            }
        }
        if (!abaixoDeZero.isEmpty())
            throw Recusa(Messages::Kind::Error,
                         QStringLiteral("O balanço %1 não foi aplicado: as saídas deixariam "
                                        "abaixo de zero o estoque de %2, que se movimentou "
                                        "depois da contagem. Conte-os de novo; nada foi gravado.")
                             .arg(numero)
                             .arg(abaixoDeZero.join(QStringLiteral(", "))));
    });
    return aplicado ? std::optional<Previa>(feita) : std::nullopt;
}

Previa diferencas(SqlConnection* conexao, int numero) {
    const fb::ResultSet r = banco(conexao).select(
        QStringLiteral("Select b.BAP_CodPro, p.PRO_Descricao, p.PRO_Unid, b.BAP_Esperado, "
                       "b.BAP_Contado, b.BAP_PCusto, (Select Count(*) From Balanco_Linha l Where "
                       "l.BLI_Numero=b.BAP_Numero and l.BLI_CodPro=b.BAP_CodPro) From "
                       "Balanco_Produto b Left Join Produtos p On p.PRO_Codigo=b.BAP_CodPro Where "
                       "b.BAP_Numero=:NumeroC Order By p.PRO_Descricao, b.BAP_CodPro"),
        parametros({{"NumeroC", numero}}));
    Previa previa;
    for (int i = 0; i < r.rowCount(); ++i) {
        Diferenca d;
        d.codigo = r.value(i, 0).toString();
        d.descricao = r.value(i, 1).toString();
        d.unidade = r.value(i, 2).toString();
        d.esperado = r.value(i, 3).toDouble();
        d.contado = r.value(i, 4).toDouble();
        d.custo = r.value(i, 5).toDouble();
        d.contadoAlgo = r.value(i, 6).toInt() > 0;
        if (!d.contadoAlgo)
            ++previa.naoContados;
        acrescenta(previa, std::move(d));
    }
    return previa;
}

} // namespace balanco
