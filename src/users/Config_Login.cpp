#include "users/Config_Login.h"

#include "data/DataModule_Config.h"
#include "data/DataModule_Configuracoes.h"
#include "data/DataModule_Usuarios.h"
#include "entry/FocusColour.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfConfig_Login* fConfig_Login = nullptr;

bool LoginExigido() {
    SqlQuery* q = dmConfiguracoes->SQLQ_Configuracoes;
    q->setStatement({QStringLiteral("Select LOGIN From Configuracoes")});
    q->Open();
    const bool exigido = q->FieldText(QStringLiteral("LOGIN")) == QStringLiteral("S");
    q->Close();
    return exigido;
}

bool AlguemAtivo(const QString& excetoCodigo) {
    SqlQuery* q = dmUsuarios->SQLQ_Usuarios;
    q->setStatement({QStringLiteral(
        "Select USU_Codigo From Usuarios Where USU_Ativo='A' and USU_Codigo<>:CodigoC")});
    q->ParamByName(QStringLiteral("CodigoC")).setAsString(excetoCodigo);
    q->Open();
    const bool alguem = !q->IsEmpty();
    q->Close();
    return alguem;
}

TfConfig_Login::TfConfig_Login(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fConfig_Login"));
    setWindowTitle(QStringLiteral("Configurações de Login de Usuário"));

    Label1 = new QLabel(QStringLiteral("Deseja ter Login de Usuários no Programa ?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    cbLoginSN = new QComboBox(this);
    cbLoginSN->setObjectName(QStringLiteral("cbLoginSN"));
    cbLoginSN->addItems({QStringLiteral("Não"), QStringLiteral("Sim")});
    Label1->setBuddy(cbLoginSN);
    followFocusColour(cbLoginSN);
    btnGravarLogin = new QPushButton(QStringLiteral("Gravar"), this);
    btnGravarLogin->setObjectName(QStringLiteral("btnGravarLogin"));
    btnFecharLogin = new QPushButton(QStringLiteral("Fechar"), this);
    btnFecharLogin->setObjectName(QStringLiteral("btnFecharLogin"));
    for (QPushButton* botao : {btnGravarLogin, btnFecharLogin})
        botao->setAutoDefault(false);

    auto* linha = new QHBoxLayout;
    linha->addWidget(Label1);
    linha->addWidget(cbLoginSN);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btnGravarLogin);
    botoes->addWidget(btnFecharLogin);
    botoes->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(linha);
    layout->addLayout(botoes);
    setTabOrder(btnGravarLogin, btnFecharLogin);
    setTabOrder(btnFecharLogin, cbLoginSN);
    setupConnections();
}

void TfConfig_Login::setupConnections() {
    connect(btnGravarLogin, &QPushButton::clicked, this, &TfConfig_Login::btnGravarLoginClick);
    connect(btnFecharLogin, &QPushButton::clicked, this, &QDialog::close);
}

void TfConfig_Login::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Messages::guarded([this] { FormShow(); });
}

void TfConfig_Login::FormShow() {
    cbLoginSN->setCurrentText(LoginExigido() ? QStringLiteral("Sim") : QStringLiteral("Não"));
}

void TfConfig_Login::btnGravarLoginClick() {
    const bool sim = cbLoginSN->currentText() == QStringLiteral("Sim");
    // With nobody active, a login at start would keep everybody out.
    if (sim && !AlguemAtivo()) {
        Messages::warning(QStringLiteral(
            "Não há nenhum usuário ativo cadastrado: com o Login ligado ninguém conseguiria "
            "entrar no programa. Cadastre um usuário ativo antes. Nada foi gravado."));
        return;
    }
    SqlQuery* q = dmConfiguracoes->SQLQ_Configuracoes;
    Grava({dmConfig->SQLC_Config, nullptr, Messages::Kind::Warning,
           QStringLiteral("Não Consegui Alterar, Tente Novamente")},
          [q, sim] {
              q->setStatement({QStringLiteral("Update CONFIGURACOES SET LOGIN=:LoginC")});
              q->ParamByName(QStringLiteral("LoginC"))
                  .setAsString(sim ? QStringLiteral("S") : QStringLiteral("N"));
              q->ExecSQL();
          });
}
