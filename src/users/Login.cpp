#include "users/Login.h"

#include "data/DataModule_Usuarios.h"
#include "entry/FocusColour.h"
#include "shell/Messages.h"
#include "shell/Sessao.h"
#include "shell/Tela.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfLogin* fLogin = nullptr;

TfLogin::TfLogin(QWidget* parent) : QDialog(parent, TelaSemBotoes) {
    setObjectName(QStringLiteral("fLogin"));
    setWindowTitle(QStringLiteral("Login"));

    Label3 = new QLabel(QStringLiteral("Por Favor, identifique-se"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label1 = new QLabel(QStringLiteral("Login"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    edLogin = new QLineEdit(this);
    edLogin->setObjectName(QStringLiteral("edLogin"));
    Label2 = new QLabel(QStringLiteral("Senha"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    edSenha = new QLineEdit(this);
    edSenha->setObjectName(QStringLiteral("edSenha"));
    edSenha->setEchoMode(QLineEdit::Password);
    NomeiaPeloRotulo(Label1, edLogin);
    NomeiaPeloRotulo(Label2, edSenha);
    for (QLineEdit* campo : {edLogin, edSenha})
        followFocusColour(campo);
    fLoginEntrar = new QPushButton(QStringLiteral("Entrar"), this);
    fLoginEntrar->setObjectName(QStringLiteral("fLoginEntrar"));
    fLoginCancela = new QPushButton(QStringLiteral("Cancelar"), this);
    fLoginCancela->setObjectName(QStringLiteral("fLoginCancela"));
    // Enter in either field logs in.
    fLoginEntrar->setDefault(true);
    fLoginCancela->setAutoDefault(false);

    auto* grade = new QGridLayout;
    grade->addWidget(Label1, 0, 0, Qt::AlignRight);
    grade->addWidget(edLogin, 0, 1);
    grade->addWidget(Label2, 1, 0, Qt::AlignRight);
    grade->addWidget(edSenha, 1, 1);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(fLoginEntrar);
    botoes->addWidget(fLoginCancela);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label3, 0, Qt::AlignHCenter);
    layout->addLayout(grade);
    layout->addLayout(botoes);
    setTabOrder(edLogin, edSenha);
    setTabOrder(edSenha, fLoginEntrar);
    setTabOrder(fLoginEntrar, fLoginCancela);
    setupConnections();

    // The main window asks for the login through here when the
    // configuration requires it.
    sessao().mostraLogin = [this] { exec(); };
}

TfLogin::~TfLogin() {
    sessao().mostraLogin = nullptr;
}

void TfLogin::setupConnections() {
    connect(fLoginEntrar, &QPushButton::clicked, this, &TfLogin::fLoginEntrarClick);
    connect(fLoginCancela, &QPushButton::clicked, this, &TfLogin::fLoginCancelaClick);
}

// The login of the user the fields name: the first active row whose login
// and password equal the texts as typed. An inactive account is refused as
// an unknown one is, so the screen tells nothing about which accounts exist.
std::optional<QString> TfLogin::usuarioDosCampos() {
    SqlQuery* q = dmUsuarios->SQLQ_Usuarios;
    q->setStatement(
        {QStringLiteral("Select * From Usuarios Where USU_Login=:LoginC and USU_Senha =:SenhaC")});
    q->ParamByName(QStringLiteral("LoginC")).setAsString(edLogin->text());
    q->ParamByName(QStringLiteral("SenhaC")).setAsString(edSenha->text());
    q->Open();
    std::optional<QString> usuario;
    const fb::ResultSet& linhas = q->result();
    for (int i = 0; i < linhas.rowCount() && !usuario; ++i)
        if (linhas.value(i, QStringLiteral("USU_ATIVO")).toString() == QStringLiteral("A"))
            usuario = linhas.value(i, QStringLiteral("USU_LOGIN")).toString();
    q->Close();
    return usuario;
}

void TfLogin::fLoginEntrarClick() {
    const std::optional<QString> usuario = usuarioDosCampos();
    if (!usuario) {
        Messages::warning(QStringLiteral("Login ou Senha não Cadastrados, Tente Novamente"));
        return;
    }
    sessao().Usuario = *usuario;
    if (sessao().mostraStatus)
        sessao().mostraStatus(1, QStringLiteral("Usuario:") + *usuario);
    close();
}

void TfLogin::fLoginCancelaClick() {
    cancelado = true;
    Process::end();
    close();
}

// However the screen closes, only a user the fields name goes on into the
// program.
void TfLogin::closeEvent(QCloseEvent* event) {
    if (cancelado) {
        cancelado = false;
        event->accept();
        return;
    }
    if (!Messages::guarded([this] {
            if (!usuarioDosCampos()) {
                Messages::warning(
                    QStringLiteral("Login ou Senha não Cadastrados, o Sistema será Fechado !"));
                Process::end();
            }
        })) {
        event->ignore(); // the query itself failed: its error was shown, try again
        return;
    }
    event->accept();
}
