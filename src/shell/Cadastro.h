#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class SqlQuery;

// How an edit screen presents itself in one edit mode ("Inclui", "Altera",
// "Exclui", "Consulta"). A save caption left empty keeps the caption of the
// last mode shown.
struct ApresentacaoModo {
    QString modo;
    QString titulo;
    std::optional<QString> legendaSalva;
    bool salvaVisivel = true;
    bool limpaVisivel = false;
};

using ApresentacaoModos = std::vector<ApresentacaoModo>;

// Sets the title, the save button and the clear button for the mode.
void ApresentaModo(const ApresentacaoModos& modos, const QString& modo, QLabel* titulo,
                   QPushButton* salva, QPushButton* limpa);

// The next code of a table: the highest stored code (the first row of the
// descending statement) plus one, written with leading zeros to six digits;
// "000001" when the table is empty. A stored code that is not a whole number
// fails with the platform's conversion message.
QString ProximoCodigo(SqlQuery* query, const QString& descendente, const QString& coluna);

// Whether a code no longer fits the six-digit code columns: after 999999
// there is no code left to hand out.
bool CodigoEsgotado(const QString& codigo);
inline const QString MensagemCodigosEsgotados = QStringLiteral(
    "Não há mais códigos disponíveis: o código 999999 já foi usado. Nada foi gravado.");

// A typed code padded on the left with "0" to six characters.
QString CompletaCodigo(const QString& codigo);

// A typed product code as it is stored: padded on the left with blanks to
// ten characters.
QString CompletaCodigoProduto(const QString& codigo);

// A group or exit-type code read back on leaving its field: an empty field
// is left alone; otherwise the code is padded to six characters and read
// with the statement (one parameter, CodigoC). A stored row writes its code
// and description into the fields; none tells the operator the message and
// puts the focus back in the code field, the description as it was. A code
// longer than the column names nothing and is not sent.
struct LeituraCodigo {
    QString sql;
    QString colunaCodigo;
    QString colunaDescricao;
    QString naoEncontrado;
    // A code that names nothing is emptied for another.
    bool apagaAusente = false;
};
inline const LeituraCodigo LeituraGrupo{
    QStringLiteral("Select * FROM GRUPOS Where GRU_Codigo=:CodigoC"), QStringLiteral("GRU_CODIGO"),
    QStringLiteral("GRU_DESCRICAO"), QStringLiteral("Grupo não Encontrado !")};
inline const LeituraCodigo LeituraTipo{
    QStringLiteral("Select * FROM Tipos Where TIP_Codigo=:CodigoC"), QStringLiteral("TIP_CODIGO"),
    QStringLiteral("TIP_DESCRICAO"), QStringLiteral("Tipo de Saída não Encontrado !")};
void LeCodigo(SqlQuery* query, const LeituraCodigo& leitura, QLineEdit* codigo,
              QLineEdit* descricao);
// The same reading, as a screen about to save checks the code as it stands
// (empty or not padded); answers whether it names a stored row.
bool ConfereCodigo(SqlQuery* query, const LeituraCodigo& leitura, QLineEdit* codigo,
                   QLineEdit* descricao);

class ListCopy;

// The quick search of browse and lookup screens: by description, the first
// row whose description begins with the text; by code, the text first padded
// with "0" to six characters (and written back into the search box). Letter
// case counts; nothing found leaves the current row where it was.
void BuscaRapida(ListCopy* lista, QLineEdit* busca, bool porDescricao, const QString& campoCodigo,
                 const QString& campoDescricao);

// What each caller of a lookup does with the code chosen there, by the
// caller's key ("Entrada Estoque"): the caller registers it, so a lookup
// knows none of the screens that open it. A key registered again replaces
// what it did.
void RegistraDestino(const QString& chamador, std::function<void(const QString& codigo)> recebe);

// "Seleciona": hands the code to the caller whose key is chamador. An
// unknown key touches nothing.
void EntregaCodigo(const QString& chamador, const QString& codigo);

// Opens a lookup from a caller's code field: F5 in the field or a click on
// the "..." button writes the caller's key and shows the lookup modally.
void InstalaBusca(QLineEdit* campo, QPushButton* botao, std::function<void()> abre);

// The lookup's chosen code comes back into campo, which takes the focus.
void RecebeNoCampo(const QString& chamador, QLineEdit* campo);

template <typename Busca>
void AbreBuscaCom(QLineEdit* campo, QPushButton* botao, Busca*& busca, const QString& chamador) {
    RecebeNoCampo(chamador, campo);
    InstalaBusca(campo, botao, [&busca, chamador] {
        busca->Chamador = chamador;
        busca->exec();
    });
}
