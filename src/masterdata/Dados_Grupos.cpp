#include "masterdata/Dados_Grupos.h"

#include "data/DataModule_Conexao.h"
#include "data/DataModule_Grupos.h"
#include "masterdata/Manut_Grupos.h"
#include "shell/Cadastro.h"
#include "shell/Conventions.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfDados_Grupos* fDados_Grupos = nullptr;

namespace {

const ApresentacaoModos modos = {
    {QStringLiteral("Inclui"), QStringLiteral("Inclusão de Grupos"), QStringLiteral("Salva"), true,
     true},
    {QStringLiteral("Altera"), QStringLiteral("Alteração de Grupos"), QStringLiteral("Altera")},
    {QStringLiteral("Exclui"), QStringLiteral("Exclusão de Grupos"), QStringLiteral("Exclui")},
};

const QString& modo() {
    return fManut_Grupos->Modo;
}

WriteSite site(const QString& falha) {
    return {dmConexao->SQLC_QOR, dmGrupos->cds_Grupos, Messages::Kind::Warning, falha};
}

} // namespace

TfDados_Grupos::TfDados_Grupos(QWidget* parent) : QDialog(parent, TelaSemBotoes) {
    setObjectName(QStringLiteral("fDados_Grupos"));
    setWindowTitle(QStringLiteral("Inclusão de Grupos"));

    TelaDeDados tela(this);
    lb_Titulo_DadosGRU = tela.titulo(QStringLiteral("lb_Titulo_DadosGRU"));
    edGRU_Codigo = tela.campo(QStringLiteral("edGRU_Codigo"), QStringLiteral("Código:"), 6, 8);
    edGRU_Descricao =
        tela.campo(QStringLiteral("edGRU_Descricao"), QStringLiteral("Descrição:"), 50, 40);
    btnGRU_Salva = tela.botao(QStringLiteral("btnGRU_Salva"), QStringLiteral("Salva"));
    btnGRU_Limpa = tela.botao(QStringLiteral("btnGRU_Limpa"), QStringLiteral("Limpa"));
    btnGRU_Fecha = tela.botao(QStringLiteral("btnGRU_Fecha"), QStringLiteral("Fecha"));
    tela.conclui();
    setupConnections();
}

void TfDados_Grupos::setupConnections() {
    onEnter(edGRU_Codigo, [this] { edGRU_CodigoEnter(); });
    onExit(edGRU_Descricao, [this] { edGRU_DescricaoExit(); });
    connect(btnGRU_Salva, &QPushButton::clicked, this, &TfDados_Grupos::btnGRU_SalvaClick);
    connect(btnGRU_Limpa, &QPushButton::clicked, this, &TfDados_Grupos::btnGRU_LimpaClick);
    connect(btnGRU_Fecha, &QPushButton::clicked, this, &QDialog::close);
}

void TfDados_Grupos::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Messages::guarded([this] { FormShow(); });
}

void TfDados_Grupos::FormShow() {
    ApresentaModo(modos, modo(), lb_Titulo_DadosGRU, btnGRU_Salva, btnGRU_Limpa);
    if (modo() == QStringLiteral("Inclui")) {
        edGRU_Descricao->clear();
        edGRU_Codigo->setFocus();
        return;
    }
    carregaGrupo();
    edGRU_Descricao->setFocus();
}

void TfDados_Grupos::carregaGrupo() {
    CodigoAtual = dmGrupos->cds_Grupos->FieldText(QStringLiteral("GRU_CODIGO"));
    SqlQuery* q = dmGrupos->SQLQ_Grupos;
    q->setStatement(
        {QStringLiteral("Select * From Grupos Where GRU_Codigo=:CodigoC order By GRU_Codigo")});
    q->ParamByName(QStringLiteral("CodigoC")).setAsString(CodigoAtual);
    q->Open();
    edGRU_Codigo->setText(q->FieldText(QStringLiteral("GRU_CODIGO")));
    edGRU_Descricao->setText(q->FieldText(QStringLiteral("GRU_DESCRICAO")));
    q->Close();
}

void TfDados_Grupos::edGRU_CodigoEnter() {
    if (modo() == QStringLiteral("Inclui")) {
        const QString proximo = ProximoCodigo(
            dmGrupos->SQLQ_Grupos,
            QStringLiteral("Select GRU_Codigo From Grupos order By GRU_Codigo Descending"),
            QStringLiteral("GRU_Codigo"));
        edGRU_Codigo->setText(CodigoEsgotado(proximo) ? QString() : proximo);
    }
    edGRU_Descricao->setFocus();
}

void TfDados_Grupos::edGRU_DescricaoExit() {
    if (modo() != QStringLiteral("Inclui"))
        return;
    SqlQuery* q = dmGrupos->SQLQ_Grupos;
    q->setStatement(
        {QStringLiteral("Select GRU_Descricao From Grupos Where GRU_DESCRICAO=:DescricaoC")});
    q->ParamByName(QStringLiteral("DescricaoC")).setAsString(edGRU_Descricao->text());
    q->Open();
    const bool existe = !q->IsEmpty();
    q->Close();
    if (existe && !Messages::confirm(QStringLiteral("Grupo já Cadastrado, deseja Cadastrar outro "
                                                    "Grupo com a mesma Descrição ?"))) {
        edGRU_Descricao->clear();
        edGRU_Descricao->setFocus();
    }
}

void TfDados_Grupos::btnGRU_SalvaClick() {
    if (modo() == QStringLiteral("Inclui"))
        inclui();
    else if (modo() == QStringLiteral("Altera"))
        altera();
    else if (modo() == QStringLiteral("Exclui"))
        exclui();
}

void TfDados_Grupos::inclui() {
    if (edGRU_Descricao->text().trimmed().isEmpty()) {
        Messages::information(QStringLiteral("O Campo da Descrição Precisa ser Preenchido"));
        edGRU_Descricao->setFocus();
        return;
    }
    if (edGRU_Codigo->text().isEmpty()) {
        Messages::warning(MensagemCodigosEsgotados);
        return;
    }
    SqlQuery* q = dmGrupos->SQLQ_Grupos;
    q->setStatement({QStringLiteral("Select GRU_Codigo From GRUPOS where GRU_Codigo=:CodigoC")});
    q->ParamByName(QStringLiteral("CodigoC")).setAsString(edGRU_Codigo->text());
    q->Open();
    const bool tomado = !q->IsEmpty();
    q->Close();
    if (tomado) {
        const QString novo = ProximoCodigo(
            q, QStringLiteral("Select GRU_Codigo From Grupos order By GRU_Codigo Descending"),
            QStringLiteral("GRU_Codigo"));
        if (CodigoEsgotado(novo)) {
            Messages::warning(MensagemCodigosEsgotados);
            return;
        }
        CodigoAtual = novo;
        edGRU_Codigo->setText(novo);
        Messages::information(QStringLiteral("Novo Código:") + novo);
    }
    Grava(
        site(QStringLiteral("Não Consegui Incluir, Tente Novamente !")),
        [this, q] {
            q->setStatement(InsereGrupo);
            q->ParamByName(QStringLiteral("CodigoC")).setAsString(edGRU_Codigo->text());
            q->ParamByName(QStringLiteral("DescricaoC")).setAsString(edGRU_Descricao->text());
            q->ExecSQL();
        },
        [this] {
            edGRU_Codigo->clear();
            edGRU_Descricao->clear();
            edGRU_Codigo->setFocus();
        });
}

void TfDados_Grupos::altera() {
    if (edGRU_Descricao->text().trimmed().isEmpty()) {
        Messages::warning(QStringLiteral("O Campo da Descrição do Grupo deve ser Preenchido"));
        edGRU_Descricao->setFocus();
        return;
    }
    SqlQuery* q = dmGrupos->SQLQ_Grupos;
    Grava(
        site(QStringLiteral("Não Consegui Alterar, Tente Novamente !")),
        [this, q] {
            q->setStatement({QStringLiteral("Update GRUPOS SET GRU_Descricao=:DescricaoC"),
                             QStringLiteral("Where GRU_Codigo=:CodigoC")});
            q->ParamByName(QStringLiteral("DescricaoC")).setAsString(edGRU_Descricao->text());
            q->ParamByName(QStringLiteral("CodigoC")).setAsString(CodigoAtual);
            q->ExecSQL();
        },
        [this] { close(); });
}

void TfDados_Grupos::exclui() {
    SqlQuery* q = dmGrupos->SQLQ_Grupos;
    Grava(
        site(QStringLiteral("Não Consegui Excluir, Tente Novamente !")),
        [this, q] {
            q->setStatement({QStringLiteral("Delete FROM GRUPOS"),
                             QStringLiteral("Where GRU_Codigo=:CodigoC")});
            q->ParamByName(QStringLiteral("CodigoC")).setAsString(CodigoAtual);
            q->ExecSQL();
        },
        [this] { close(); });
}

void TfDados_Grupos::btnGRU_LimpaClick() {
    edGRU_Codigo->clear();
    edGRU_Descricao->clear();
    edGRU_Codigo->setFocus();
}
