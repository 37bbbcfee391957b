#pragma once

#include "shell/LeituraProduto.h"

#include <QString>
#include <functional>

class QDateEdit;
class QLineEdit;
class QPushButton;
class QWidget;
class SqlQuery;
class TelaDeDados;

// The product fields every movement screen opens with, in this order: code,
// description, the lookup button, bar code, unit and the quantity on hand.
// A screen that asks only for the product has no unit or quantity.
struct CamposProduto {
    QLineEdit* codigo;
    QLineEdit* descricao;
    QPushButton* busca;
    QLineEdit* codBar;
    QLineEdit* unidade;
    QLineEdit* quantAtual;
};

struct NomesCamposProduto {
    const char* codigo;
    const char* descricao;
    const char* busca;
    const char* codBar;
    const char* unidade;
    const char* quantAtual;
    const char* legendaQuantAtual;
};

CamposProduto CriaCamposProduto(TelaDeDados& tela, QWidget* dono, const NomesCamposProduto& nomes);

// The date of a movement.
QDateEdit* CampoData(TelaDeDados& tela, QWidget* dono, const QString& nome);

// How a screen's code and bar code fields behave.
struct LeituraProduto {
    // The code field is trimmed of blanks when the operator enters it.
    bool aparaAoEntrar = true;
    // A code or bar code that names no product is emptied.
    bool apagaAusente = false;
    // A bar code that names no product sends the focus to the code field
    // rather than back to the bar code.
    bool codBarAusenteVaiAoCodigo = false;
    // The parameter of the bar-code statement.
    QString parametroCodBar = QStringLiteral("CodBarC");
    // Runs when the operator enters the code field.
    std::function<void()> aoEntrarNoCodigo;
    // The screen's price field and the product's price it shows
    // ("PRO_PVENDA" or "PRO_PCUSTO"), when it has one.
    QLineEdit* preco = nullptr;
    std::function<QString()> colunaPreco;
    // Fills the screen's other fields from the product row the query holds.
    std::function<void(SqlQuery*)> carrega;
};

// Leaving the code field with a code, or the bar code field with a bar code,
// reads the product and loads its fields; "Produto não Encontrado !" and the
// focus back to the field when there is none. The code is padded to ten
// characters first.
void InstalaLeituraProduto(const CamposProduto& campos, LeituraProduto regras);

// Whether a product is stored under the code, as a screen about to save
// checks it; when none is, the operator reads "Produto não Encontrado !" and
// the focus goes to the code field.
bool ConfereProduto(QLineEdit* codigo);
