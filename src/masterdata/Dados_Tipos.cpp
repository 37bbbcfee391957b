#include "masterdata/Dados_Tipos.h"

#include "data/DataModule_Conexao.h"
#include "data/DataModule_Tipos.h"
#include "masterdata/Manut_Tipos.h"
#include "shell/Cadastro.h"
#include "shell/Conventions.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfDados_Tipos* fDados_Tipos = nullptr;

namespace {

const ApresentacaoModos modos = {
    {QStringLiteral("Inclui"), QStringLiteral("Inclusão de Tipos de Saídas"),
     QStringLiteral("Salva"), true, true},
    {QStringLiteral("Altera"), QStringLiteral("Alteração de Tipos de Saídas"),
     QStringLiteral("Altera")},
    {QStringLiteral("Exclui"), QStringLiteral("Exclusão de Tipos de Saídas"),
     QStringLiteral("Exclui")},
};

const QString& modo() {
    return fManut_Tipos->Modo;
}

WriteSite site(const QString& falha) {
    return {dmConexao->SQLC_QOR, dmTipos->cds_Tipos, Messages::Kind::Warning, falha};
}

} // namespace

TfDados_Tipos::TfDados_Tipos(QWidget* parent) : QDialog(parent, TelaSemBotoes) {
    setObjectName(QStringLiteral("fDados_Tipos"));
    setWindowTitle(QStringLiteral("Inclusão de Tipos de Saídas"));

    TelaDeDados tela(this);
    lbTIP_Titulo = tela.titulo(QStringLiteral("lbTIP_Titulo"));
    edTIP_Codigo = tela.campo(QStringLiteral("edTIP_Codigo"), QStringLiteral("Código:"), 6, 8);
    edTIP_Descricao =
        tela.campo(QStringLiteral("edTIP_Descricao"), QStringLiteral("Descrição:"), 50, 40);
    btnTIP_Salva = tela.botao(QStringLiteral("btnTIP_Salva"), QStringLiteral("Salva"));
    btnTIP_Limpa = tela.botao(QStringLiteral("btnTIP_Limpa"), QStringLiteral("Limpa"));
    btnTIP_Fechar = tela.botao(QStringLiteral("btnTIP_Fechar"), QStringLiteral("Fechar"));
    tela.conclui();
    setupConnections();
}

void TfDados_Tipos::setupConnections() {
    onEnter(edTIP_Codigo, [this] { edTIP_CodigoEnter(); });
    onExit(edTIP_Descricao, [this] { edTIP_DescricaoExit(); });
    connect(btnTIP_Salva, &QPushButton::clicked, this, &TfDados_Tipos::btnTIP_SalvaClick);
    connect(btnTIP_Limpa, &QPushButton::clicked, this, &TfDados_Tipos::btnTIP_LimpaClick);
    connect(btnTIP_Fechar, &QPushButton::clicked, this, &QDialog::close);
}

void TfDados_Tipos::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Messages::guarded([this] { FormShow(); });
}

void TfDados_Tipos::FormShow() {
    edTIP_Codigo->clear();
    edTIP_Descricao->clear();
    ApresentaModo(modos, modo(), lbTIP_Titulo, btnTIP_Salva, btnTIP_Limpa);
    if (modo() == QStringLiteral("Inclui")) {
        edTIP_Codigo->setFocus();
        return;
    }
    CodigoAtual = dmTipos->cds_Tipos->FieldText(QStringLiteral("TIP_CODIGO"));
    SqlQuery* q = dmTipos->SQLQ_Tipos;
    q->setStatement(
        {QStringLiteral("Select * From Tipos Where TIP_Codigo=:CodigoC order By TIP_Codigo")});
    q->ParamByName(QStringLiteral("CodigoC")).setAsString(CodigoAtual);
    q->Open();
    edTIP_Codigo->setText(q->FieldText(QStringLiteral("TIP_CODIGO")));
    edTIP_Descricao->setText(q->FieldText(QStringLiteral("TIP_DESCRICAO")));
    q->Close();
    edTIP_Descricao->setFocus();
}

void TfDados_Tipos::edTIP_CodigoEnter() {
    if (modo() == QStringLiteral("Inclui")) {
        CodigoAtual = ProximoCodigo(
            dmTipos->SQLQ_Tipos,
            QStringLiteral("Select TIP_Codigo From Tipos order By TIP_Codigo Descending"),
            QStringLiteral("TIP_Codigo"));
        edTIP_Codigo->setText(CodigoEsgotado(CodigoAtual) ? QString() : CodigoAtual);
    }
    edTIP_Descricao->setFocus();
}

void TfDados_Tipos::edTIP_DescricaoExit() {
    if (modo() != QStringLiteral("Inclui"))
        return;
    SqlQuery* q = dmTipos->SQLQ_Tipos;
    q->setStatement(
        {QStringLiteral("Select TIP_Descricao From Tipos Where TIP_Descricao=:DescricaoC")});
    q->ParamByName(QStringLiteral("DescricaoC")).setAsString(edTIP_Descricao->text());
    q->Open();
    const bool existe = !q->IsEmpty();
    q->Close();
    if (existe && !Messages::confirm(QStringLiteral("Tipo de Saída já Cadastrado, Deseja Cadastrar "
                                                    "outro com a mesma Descrição ?"))) {
        edTIP_Descricao->clear();
        edTIP_Descricao->setFocus();
    }
}

bool TfDados_Tipos::descricaoPreenchida() {
    if (!edTIP_Descricao->text().trimmed().isEmpty())
        return true;
    Messages::warning(QStringLiteral("O Campo Descrição Precisa ser Preenchido"));
    edTIP_Descricao->setFocus();
    return false;
}

void TfDados_Tipos::btnTIP_SalvaClick() {
    SqlQuery* q = dmTipos->SQLQ_Tipos;
    if (modo() == QStringLiteral("Inclui")) {
        if (!descricaoPreenchida())
            return;
        if (edTIP_Codigo->text().isEmpty()) {
            Messages::warning(MensagemCodigosEsgotados);
            return;
        }
        Grava(
            site(QStringLiteral("Não Consegui Incluir, tente Novamente")),
            [this, q] {
                q->setStatement({QStringLiteral("Insert into Tipos (TIP_Codigo,TIP_Descricao)"),
                                 QStringLiteral("Values (:CodigoC,:DescricaoC)")});
                q->ParamByName(QStringLiteral("CodigoC")).setAsString(edTIP_Codigo->text());
                q->ParamByName(QStringLiteral("DescricaoC")).setAsString(edTIP_Descricao->text());
                q->ExecSQL();
            },
            [this] {
                edTIP_Codigo->clear();
                edTIP_Descricao->clear();
                edTIP_Codigo->setFocus();
            });
    } else if (modo() == QStringLiteral("Altera")) {
        if (!descricaoPreenchida())
            return;
        Grava(
            site(QStringLiteral("Não Consegui Alterar, Tente Novamente")),
            [this, q] {
                q->setStatement({QStringLiteral("Update TIPOS SET TIP_Descricao=:DescricaoC"),
                                 QStringLiteral("Where TIP_Codigo=:CodigoC")});
                q->ParamByName(QStringLiteral("DescricaoC")).setAsString(edTIP_Descricao->text());
                q->ParamByName(QStringLiteral("CodigoC")).setAsString(CodigoAtual);
                q->ExecSQL();
            },
            [this] { close(); });
    } else if (modo() == QStringLiteral("Exclui")) {
        Grava(
            site(QStringLiteral("Não consegui Excluir, tente novamente")),
            [this, q] {
                q->setStatement({QStringLiteral("Delete FROM TIPOS"),
                                 QStringLiteral("Where TIP_Codigo=:CodigoC")});
                q->ParamByName(QStringLiteral("CodigoC")).setAsString(CodigoAtual);
                q->ExecSQL();
            },
            [this] { close(); });
    }
}

void TfDados_Tipos::btnTIP_LimpaClick() {
    edTIP_Descricao->clear();
    edTIP_Descricao->setFocus();
}
