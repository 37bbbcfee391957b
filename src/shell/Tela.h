#pragma once

#include <QList>
#include <QString>
#include <Qt>

class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

// Edit and browse screens have no title-bar buttons: they close only through
// their own button.
inline constexpr Qt::WindowFlags TelaSemBotoes =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// Lays out an edit screen: a title, one labelled field a row, and a row of
// buttons. Tab order follows the order of creation; fields follow the focus
// convention and the whole screen the Enter-key convention.
class TelaDeDados {
public:
    explicit TelaDeDados(QDialog* tela);

    QLabel* titulo(const QString& nome);
    // A field of maxLength characters shown about larguraEmLetras wide.
    QLineEdit* campo(const QString& nome, const QString& legenda, int maxLength,
                     int larguraEmLetras);
    // A field on the row of the previous one.
    QLineEdit* campoAoLado(const QString& nome, const QString& legenda, int maxLength,
                           int larguraEmLetras);
    // A multi-line box of at most maxLength characters.
    QPlainTextEdit* caixaTexto(const QString& nome, const QString& legenda, int maxLength);
    // Any control on its own labelled row, or beside the previous one.
    void linha(const QString& legenda, QWidget* controle);
    void aoLado(QWidget* controle);
    // The label of the last labelled row, for a screen that changes it.
    QLabel* ultimoRotulo() const { return rotuloAtual; }
    QPushButton* botao(const QString& nome, const QString& legenda);
    // Sets the tab order and the conventions; call once every control exists.
    // A screen where Enter only presses the default button passes Enter::Fica.
    enum class Enter { Avanca, Fica };
    void conclui(Enter enter = Enter::Avanca);

private:
    QDialog* tela;
    QVBoxLayout* layout;
    QGridLayout* grade;
    QHBoxLayout* botoes;
    QHBoxLayout* linhaAtual = nullptr;
    QLabel* rotuloAtual = nullptr;
    int linhas = 0;
    QList<QWidget*> ordem;
};

// The label names the control, for screen readers and for messages: the
// control's accessible name is the label's text, its inner text box (a date
// picker's) included.
void NomeiaPeloRotulo(QLabel* rotulo, QWidget* controle);

// A field the screen writes and the operator only reads; Tab passes it by.
QLineEdit* SoLeitura(QLineEdit* campo);

// A multi-line box that takes no more than maximo characters, typed or
// pasted.
void LimitaTexto(QPlainTextEdit* caixa, int maximo);

// The operator may type no more than maximo characters into the field; a
// text the screen writes itself (the display text of an amount, which its
// full stops and "R$" make longer) is shown whole.
void LimitaDigitacao(QLineEdit* campo, int maximo);

class QDateEdit;
class QGroupBox;
class QRadioButton;
class QTableView;

// Pieces of browse and lookup screens.
QPushButton* Botao(QWidget* tela, const QString& nome, const QString& legenda);
// The narrow "..." button beside a code field that opens its lookup.
QPushButton* BotaoBusca(QWidget* tela, const QString& nome);
QRadioButton* Radio(QWidget* tela, const QString& nome, const QString& legenda);
QLabel* Rotulo(QWidget* tela, const QString& nome, const QString& texto);
QLineEdit* CampoBusca(QWidget* tela, const QString& nome, int maxLength);
QTableView* Grade(QWidget* tela, const QString& nome);
QGroupBox* Caixa(QWidget* tela, const QString& titulo, std::initializer_list<QWidget*> controles);
// A date picker with its calendar, showing dd/MM/yyyy.
QDateEdit* Data(QWidget* tela, const QString& nome);
// A field of a browse screen's search box at least wide enough for that many
// digits, the longest text its column holds.
void LarguraEmLetras(QLineEdit* campo, int letras);
// A label that names the control, named lb plus the control's name.
QLabel* RotuloDe(QWidget* tela, QWidget* controle, const QString& texto);
// The tab order, in the order given.
void OrdemTab(std::initializer_list<QWidget*> controles);
