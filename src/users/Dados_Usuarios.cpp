#include "users/Dados_Usuarios.h"

#include "data/DataModule_Conexao.h"
#include "data/DataModule_Usuarios.h"
#include "shell/Cadastro.h"
#include "shell/Conventions.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"
#include "shell/Tela.h"
#include "users/Config_Login.h"
#include "users/Manut_Usuarios.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfDados_Usuarios* fDados_Usuarios = nullptr;

namespace {

const ApresentacaoModos modos = {
    {QStringLiteral("Inclui"), QStringLiteral("Inclusão de Usuários"), QStringLiteral("Grava"),
     true, true},
    {QStringLiteral("Altera"), QStringLiteral("Alteração de Usuários"), QStringLiteral("Alterar")},
    {QStringLiteral("Consulta"), QStringLiteral("Consulta de Usuários"), std::nullopt, false},
    {QStringLiteral("Exclui"), QStringLiteral("Exclusão de Usuários"), QStringLiteral("Excluir")},
};

const QString& modo() {
    return fManut_Usuarios->Modo;
}

const QString proximoCodigo =
    QStringLiteral("Select USU_Codigo From Usuarios Order By USU_CODIGO DESCENDING");

WriteSite site(Messages::Kind tipo, const QString& falha) {
    return {dmConexao->SQLC_QOR, dmUsuarios->cds_Usuarios, tipo, falha};
}

} // namespace

TfDados_Usuarios::TfDados_Usuarios(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fDados_Usuarios"));
    setWindowTitle(QStringLiteral("Inclusão de Usuários"));

    TelaDeDados tela(this);
    lbTitulo_Dados_Usuarios = tela.titulo(QStringLiteral("lbTitulo_Dados_Usuarios"));
    edUSU_Codigo = tela.campo(QStringLiteral("edUSU_Codigo"), QStringLiteral("Código:"), 6, 8);
    edUSU_Nome = tela.campo(QStringLiteral("edUSU_Nome"),
                            QStringLiteral("Nome Completo do Usuário:"), 50, 40);
    edUSU_Login = tela.campo(QStringLiteral("edUSU_Login"), QStringLiteral("Login:"), 10, 12);
    edUSU_Senha = tela.campo(QStringLiteral("edUSU_Senha"), QStringLiteral("Senha:"), 10, 12);
    edUSU_Senha2 =
        tela.campo(QStringLiteral("edUSU_Senha2"), QStringLiteral("Redigite a Senha:"), 10, 12);
    for (QLineEdit* senha : {edUSU_Senha, edUSU_Senha2})
        senha->setEchoMode(QLineEdit::Password);
    cbUSU_Ativo = new QComboBox(this);
    cbUSU_Ativo->setObjectName(QStringLiteral("cbUSU_Ativo"));
    cbUSU_Ativo->addItems({QStringLiteral("Ativo"), QStringLiteral("Inativo")});
    tela.linha(QStringLiteral("Ativo:"), cbUSU_Ativo);
    dtpUSU_DCad = new QDateEdit(this);
    dtpUSU_DCad->setObjectName(QStringLiteral("dtpUSU_DCad"));
    dtpUSU_DCad->setCalendarPopup(true);
    dtpUSU_DCad->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    tela.linha(QStringLiteral("D.Cadastramento"), dtpUSU_DCad);
    btnUSU_Grava = tela.botao(QStringLiteral("btnUSU_Grava"), QStringLiteral("Grava"));
    btnUSU_Limpa = tela.botao(QStringLiteral("btnUSU_Limpa"), QStringLiteral("Limpa"));
    btnDados_USU_Fecha = tela.botao(QStringLiteral("btnDados_USU_Fecha"), QStringLiteral("Fechar"));
    tela.conclui();
    setupConnections();
}

void TfDados_Usuarios::setupConnections() {
    onEnter(edUSU_Codigo, [this] { edUSU_CodigoEnter(); });
    connect(btnUSU_Grava, &QPushButton::clicked, this, &TfDados_Usuarios::btnUSU_GravaClick);
    connect(btnUSU_Limpa, &QPushButton::clicked, this, &TfDados_Usuarios::btnUSU_LimpaClick);
    connect(btnDados_USU_Fecha, &QPushButton::clicked, this, &QDialog::close);
}

void TfDados_Usuarios::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Messages::guarded([this] { FormShow(); });
}

void TfDados_Usuarios::FormShow() {
    edUSU_Codigo->clear();
    limpaCampos();
    ApresentaModo(modos, modo(), lbTitulo_Dados_Usuarios, btnUSU_Grava, btnUSU_Limpa);
    if (modo() != QStringLiteral("Inclui"))
        carregaUsuario();
    edUSU_Codigo->setFocus();
}

// Everything but the code, which the system hands out.
void TfDados_Usuarios::limpaCampos() {
    for (QLineEdit* campo : {edUSU_Nome, edUSU_Login, edUSU_Senha, edUSU_Senha2})
        campo->clear();
    cbUSU_Ativo->setCurrentIndex(0);
    dtpUSU_DCad->setDate(QDate::currentDate());
}

void TfDados_Usuarios::carregaUsuario() {
    edUSU_Codigo->setText(dmUsuarios->cds_Usuarios->FieldText(QStringLiteral("USU_CODIGO")));
    SqlQuery* q = dmUsuarios->SQLQ_Usuarios;
    q->setStatement({QStringLiteral("Select * From Usuarios Where USU_Codigo=:CodigoC")});
    q->ParamByName(QStringLiteral("CodigoC")).setAsString(edUSU_Codigo->text());
    q->Open();
    edUSU_Nome->setText(q->FieldText(QStringLiteral("USU_NOME")));
    edUSU_Login->setText(q->FieldText(QStringLiteral("USU_LOGIN")));
    edUSU_Senha->setText(q->FieldText(QStringLiteral("USU_SENHA")));
    edUSU_Senha2->setText(q->FieldText(QStringLiteral("USU_SENHA")));
    cbUSU_Ativo->setCurrentIndex(q->FieldText(QStringLiteral("USU_ATIVO")) == u'A' ? 0 : 1);
    if (!q->IsEmpty())
        dtpUSU_DCad->setDate(q->result().value(0, QStringLiteral("USU_DCAD")).toDate());
    q->Close();
}

void TfDados_Usuarios::edUSU_CodigoEnter() {
    if (modo() == QStringLiteral("Inclui")) {
        const QString proximo =
            ProximoCodigo(dmUsuarios->SQLQ_Usuarios, proximoCodigo, QStringLiteral("USU_Codigo"));
        edUSU_Codigo->setText(CodigoEsgotado(proximo) ? QString() : proximo);
    }
    edUSU_Nome->setFocus();
}

void TfDados_Usuarios::btnUSU_GravaClick() {
    if (modo() == QStringLiteral("Inclui") || modo() == QStringLiteral("Altera")) {
        if (!camposPreenchidos())
            return;
        if (modo() == QStringLiteral("Inclui"))
            inclui();
        else
            altera();
    } else if (modo() == QStringLiteral("Exclui")) {
        exclui();
    }
}

// Leaves the fields as they are, the code included; the next save still
// checks everything.
void TfDados_Usuarios::btnUSU_LimpaClick() {
    limpaCampos();
    edUSU_Nome->setFocus();
}

bool TfDados_Usuarios::camposPreenchidos() {
    const struct {
        QLineEdit* campo;
        const char* mensagem;
    } exigidos[] = {
        {edUSU_Nome, "O Campo Nome Completo do Usuários Precisa ser Preenchido !"},
        {edUSU_Login, "O Campo Login Precisa ser Preenchido !"},
        {edUSU_Senha, "O Campo Senha Precisa ser Preenchido !"},
    };
    for (const auto& exigido : exigidos) {
        if (exigido.campo->text().trimmed().isEmpty()) {
            Messages::warning(QString::fromUtf8(exigido.mensagem));
            exigido.campo->setFocus();
            return false;
        }
    }
    if (edUSU_Senha->text() != edUSU_Senha2->text()) {
        Messages::warning(
            QStringLiteral("Redigite a Senha Novamente as Senhas estão diferentes !"));
        edUSU_Senha->setFocus();
        return false;
    }
    return true;
}

// With the login required, the last active user may be neither deleted nor
// made inactive: nobody could enter the program any more.
bool TfDados_Usuarios::deixaAlguemEntrar() {
    const bool sai =
        modo() == QStringLiteral("Exclui") || cbUSU_Ativo->currentText() != QStringLiteral("Ativo");
    if (!sai || !LoginExigido() || AlguemAtivo(edUSU_Codigo->text()))
        return true;
    Messages::warning(QStringLiteral(
        "Este é o último usuário ativo e o Login de Usuários está ligado: sem ele ninguém mais "
        "conseguiria entrar no programa. Cadastre outro usuário ativo ou desligue o Login antes. "
        "Nada foi gravado."));
    return false;
}

void TfDados_Usuarios::passaCampos() {
    SqlQuery* q = dmUsuarios->SQLQ_Usuarios;
    q->ParamByName(QStringLiteral("CodigoC")).setAsString(edUSU_Codigo->text());
    q->ParamByName(QStringLiteral("NomeC")).setAsString(edUSU_Nome->text());
    q->ParamByName(QStringLiteral("LoginC")).setAsString(edUSU_Login->text());
    q->ParamByName(QStringLiteral("SenhaC")).setAsString(edUSU_Senha->text());
    q->ParamByName(QStringLiteral("AtivoC"))
        .setAsString(cbUSU_Ativo->currentText() == QStringLiteral("Ativo") ? QStringLiteral("A")
                                                                           : QStringLiteral("I"));
    q->ParamByName(QStringLiteral("DCadC")).setAsDate(dtpUSU_DCad->date());
}

void TfDados_Usuarios::inclui() {
    if (edUSU_Codigo->text().isEmpty()) {
        Messages::warning(MensagemCodigosEsgotados);
        return;
    }
    SqlQuery* q = dmUsuarios->SQLQ_Usuarios;
    q->setStatement({QStringLiteral("Select USU_Codigo From Usuarios Where USU_Codigo=:CodigoC")});
    q->ParamByName(QStringLiteral("CodigoC")).setAsString(edUSU_Codigo->text());
    q->Open();
    const bool tomado = !q->IsEmpty();
    q->Close();
    if (tomado) {
        const QString novo = ProximoCodigo(q, proximoCodigo, QStringLiteral("USU_Codigo"));
        if (CodigoEsgotado(novo)) {
            Messages::warning(MensagemCodigosEsgotados);
            return;
        }
        edUSU_Codigo->setText(novo);
        Messages::information(QStringLiteral("Novo Código:") + novo);
    }
    Grava(
        site(Messages::Kind::Warning, QStringLiteral("Não Consegui Grava, tente novamente !")),
        [this, q] {
            q->setStatement({QStringLiteral("Insert into Usuarios (USU_Codigo,USU_Nome, "
                                            "USU_Login, USU_Senha, USU_Ativo, USU_DCad)"),
                             QStringLiteral("Values (:CodigoC,:NomeC,:LoginC, "
                                            ":SenhaC,:AtivoC,:DCadC)")});
            passaCampos();
            q->ExecSQL();
        },
        [this] {
            edUSU_Codigo->clear();
            limpaCampos();
            edUSU_Codigo->setFocus();
        });
}

void TfDados_Usuarios::altera() {
    if (!deixaAlguemEntrar())
        return;
    SqlQuery* q = dmUsuarios->SQLQ_Usuarios;
    Grava(
        site(Messages::Kind::Information, QStringLiteral("Deu Erro, tente novamente")),
        [this, q] {
            q->setStatement(
                {QStringLiteral("Update USUARIOS SET USU_Nome=:NomeC,USU_Login=:LoginC, "
                                "USU_Senha=:SenhaC, USU_Ativo=:AtivoC, "
                                "USU_DCad=:DCadC"),
                 QStringLiteral("Where USU_Codigo=:CodigoC")});
            passaCampos();
            q->ExecSQL();
        },
        [this] { close(); });
}

void TfDados_Usuarios::exclui() {
    if (!deixaAlguemEntrar())
        return;
    SqlQuery* q = dmUsuarios->SQLQ_Usuarios;
    Grava(
        site(Messages::Kind::Information, QStringLiteral("Deu Erro, tente novamente")),
        [this, q] {
            q->setStatement({QStringLiteral("Delete From USUARIOS"),
                             QStringLiteral("Where USU_Codigo=:CodigoC")});
            q->ParamByName(QStringLiteral("CodigoC")).setAsString(edUSU_Codigo->text());
            q->ExecSQL();
        },
        [this] { close(); });
}
