#pragma once

#include "reports/CargaRelatorio.h"
#include "shell/Cadastro.h"

#include <QDialog>
#include <QPushButton>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class QDateEdit;
class QLabel;
class QLineEdit;
class QRadioButton;
class SqlQuery;
class TelaDeDados;

// What the report dialogs share: the key their menu command writes, the
// print button that acts on it and then closes the dialog, and the period
// they load.
class DialogoRelatorio : public QDialog {
    Q_OBJECT
public:
    QString Relatorio;

protected:
    using QDialog::QDialog;

    // A movement report of the dialog: its key, its condition, the operation
    // it keeps to (empty for every one), the request it writes into the
    // report and the key it names to the output chooser.
    struct Caso {
        QString chave;
        Movimentos movimentos;
        QString operacao;
        std::function<void(const QDate& inicio, const QDate& fim)> cabecalho;
        QString saida;
    };

    // Runs the case of the dialog key: loads the period of the two pickers
    // with the parameters, writes the request and shows the output chooser,
    // then closes. A key of no case only closes; a failure to load keeps the
    // dialog open after the standard error dialog.
    void imprime(const std::vector<Caso>& casos, QDateEdit* inicio, QDateEdit* fim,
                 const fb::Params& parametros);
    // Runs work and closes once it ran through.
    void imprimeEFecha(const std::function<void()>& work);

    // The dialog's name, caption and heading.
    QLabel* apresenta(TelaDeDados& tela, const QString& nome, const QString& legenda,
                      const QString& titulo);
    // A date picker on its own labelled row.
    QDateEdit* data(TelaDeDados& tela, const QString& nome, const QString& legenda);
    // The print button runs imprime; the other button only closes.
    template <typename Dialogo>
    void botoes(QPushButton* imprimir, QPushButton* fechar, void (Dialogo::*imprime)()) {
        connect(imprimir, &QPushButton::clicked, static_cast<Dialogo*>(this), imprime);
        connect(fechar, &QPushButton::clicked, this, &QDialog::close);
    }

    // Every show empties the fields and puts the focus in the first, and
    // sets the pickers to today.
    void aoMostrar(QList<QLineEdit*> campos, QDateEdit* inicio = nullptr, QDateEdit* fim = nullptr);
    void showEvent(QShowEvent* event) override;

    // The row of a group or exit-type code: "Código:", "Descrição:" and the
    // "..." button, the code read back on leaving its field and looked up
    // with the dialog's key.
    struct LinhaCodigo {
        QLineEdit* codigo;
        QLineEdit* descricao;
        QPushButton* busca;
    };
    LinhaCodigo linhaCodigo(TelaDeDados& tela, const QString& sufixo, const QString& nomeBusca);
    void confereCodigo(const LinhaCodigo& linha, SqlQuery* query, const LeituraCodigo& leitura);
    template <typename Busca>
    void buscaCodigo(const LinhaCodigo& linha, Busca*& busca, const QString& chamador) {
        AbreBuscaCom(linha.codigo, linha.busca, busca, chamador);
    }

    // "Produtos:" every one or those of a group, and the group's code row,
    // which only the group's choice opens; every show chooses every product
    // again. Call liga once the screen is concluded.
    struct EscolhaGrupo {
        QRadioButton* todos;
        QRadioButton* grupo;
        LinhaCodigo linha;
    };
    EscolhaGrupo escolhaGrupo(TelaDeDados& tela);
    void liga(const EscolhaGrupo& escolha, const QString& chamador);
    // The group chosen, read back as it stands; a code that names no group
    // is told to the operator and answers nothing.
    std::optional<GrupoDoPedido> grupoEscolhido(const EscolhaGrupo& escolha);

private:
    QRadioButton* todosAoMostrar = nullptr;
    QList<QLineEdit*> limpos;
    QDateEdit* hojeInicio = nullptr;
    QDateEdit* hojeFim = nullptr;
};

// A report form's request line: the period, the code and the description.
template <typename Form>
std::function<void(const QDate&, const QDate&)> EscrevePedido(Form* form, const QString& codigo,
                                                              const QString& descricao) {
    return [=](const QDate& inicio, const QDate& fim) {
        EscrevePeriodo(form->lbDataInicial, form->lbDataFim, inicio, fim);
        form->lbCodPro->setCaption(codigo);
        form->lbDescPro->setCaption(descricao);
    };
}

// The title and total captions of a report of only entries or only exits.
struct LegendasOperacao {
    const char* titulo;
    const char* quantidade;
    const char* reais;
};

template <typename Form>
std::function<void(const QDate&, const QDate&)> EscrevePedido(Form* form, const QString& codigo,
                                                              const QString& descricao,
                                                              const LegendasOperacao& legendas) {
    return [=, pedido = EscrevePedido(form, codigo, descricao)](const QDate& inicio,
                                                                const QDate& fim) {
        pedido(inicio, fim);
        form->lbTitulo->setCaption(QString::fromUtf8(legendas.titulo));
        form->lbTit_EEQ->setCaption(QString::fromUtf8(legendas.quantidade));
        form->lbTIT_EER->setCaption(QString::fromUtf8(legendas.reais));
    };
}
