#pragma once

#include <QDate>
#include <QString>
#include <functional>

class SqlConnection;
class SqlQuery;

// The operation codes of stock movements.
namespace Operacao {
inline const QString Entrada = QStringLiteral("EE");
inline const QString Saida = QStringLiteral("SS");
inline const QString EstornoEntrada = QStringLiteral("TE");
inline const QString EstornoSaida = QStringLiteral("TS");
} // namespace Operacao

inline const QString MensagemProdutoNaoEncontrado = QStringLiteral("Produto não Encontrado !");
inline const QString MensagemQuantidadeSaida =
    QStringLiteral("Quantidade tem que ser igual ou menor que a Quantidade Atual em Estoque");

// One row of MOV_ESTQ as a screen fills it. Only an exit carries a type.
struct Movimento {
    QString codigo; // as stored: ten characters, right-aligned
    QString operacao;
    QDate data;
    double valor = 0;
    double quantidade = 0;
    QString documento;
    QString tipo;
};

// Where movements are written: the movement and product command queries,
// both on the stock connection, so that they share its transaction.
struct BaseMovimentos {
    SqlConnection* conexao;
    SqlQuery* movimentos;
    SqlQuery* produtos;

    // The program's own: dmMovEstq and dmProdutos on dmConexao.
    static BaseMovimentos programa();
};

// Rewrites the product with its new on-hand quantity; the entry rewrites the
// rest of the product with it. Runs on the product query, in the transaction.
using GravaQuantidade = std::function<void(SqlQuery* produtos, double quantidadeTotal)>;

// The movement write: in one transaction the movement row, the on-hand
// quantity read under a lock on the product row and the product rewritten
// with the quantity the operation gives, then commit. Another workstation
// moving the same product waits for the lock and reads the committed
// quantity; a conflict on the lock is tried again. A product that is gone
// refuses the write ("Produto não Encontrado !"), and so does an exit above
// the quantity read ("Quantidade tem que ser ..."). On any failure the
// transaction is rolled back first and then the screen's warning (or the
// refusal) shown, so no workstation waits on this one's message box. Answers
// whether the movement was written; conflitos, when given, counts the
// conflicts tried again.
bool GravaMovimento(const BaseMovimentos& base, const Movimento& movimento,
                    const QString& mensagemFalha, const GravaQuantidade& gravaProduto = {},
                    int* conflitos = nullptr);

// The statements of that write, for a caller that writes several movements
// in its own transaction (a stock count's apply): refuses (Recusa) a product
// that is gone and an exit above the quantity read.
void EscreveMovimento(const BaseMovimentos& base, const Movimento& movimento,
                      const GravaQuantidade& gravaProduto = {}, int* conflitos = nullptr);

// The revert of one movement: the on-hand quantity of its product loses what
// the movement added (or gets back what it took), under the same lock, and
// apagaMovimento removes the row, all in one transaction. On failure the
// transaction is rolled back and the error box shown. Answers whether it
// went through.
bool ReverteMovimento(const BaseMovimentos& base, const QString& codigo, const QString& operacao,
                      double quantidade, const std::function<void()>& apagaMovimento);
