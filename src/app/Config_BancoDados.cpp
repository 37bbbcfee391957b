#include "app/Config_BancoDados.h"

#include "data/Conexao.h"
#include "data/ConfigIni.h"
#include "data/DbError.h"
#include "shell/Contato.h"
#include "shell/Conventions.h"
#include "shell/Messages.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfConfig_BancoDados* fConfig_BancoDados = nullptr;

TfConfig_BancoDados::TfConfig_BancoDados(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fConfig_BancoDados"));
    setWindowTitle(QStringLiteral("Configurações do Banco de Dados"));

    auto label = [this](const QString& name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        return l;
    };
    QLabel* title =
        label(QStringLiteral("Label1"), QStringLiteral("Configuração do Banco de Dados"));
    QFont font = title->font();
    font.setPointSize(font.pointSize() + 4);
    font.setBold(true);
    title->setFont(font);

    edPathDados = new QLineEdit(this);
    edPathDados->setObjectName(QStringLiteral("edPathDados"));
    followFocusColour(edPathDados);

    btnSalvar_Dados = new QPushButton(QStringLiteral("Salvar"), this);
    btnSalvar_Dados->setObjectName(QStringLiteral("btnSalvar_Dados"));
    btnTestar_Dados = new QPushButton(QStringLiteral("Testar"), this);
    btnTestar_Dados->setObjectName(QStringLiteral("btnTestar_Dados"));
    btnSair_Programa = new QPushButton(QStringLiteral("Sair do Programa"), this);
    btnSair_Programa->setObjectName(QStringLiteral("btnSair_Programa"));
    for (QPushButton* button : {btnSalvar_Dados, btnTestar_Dados, btnSair_Programa})
        button->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(
        label(QStringLiteral("Label2"),
              QStringLiteral("Caminho do Banco de Dados no Servidor(Local onde está o "
                             "arquivo QOR.GDB):")));
    layout->addWidget(edPathDados);
    layout->addWidget(
        label(QStringLiteral("Label3"),
              QStringLiteral("Caso Seja o Servidor deixe como está e clique em Salvar.")));
    layout->addWidget(label(QStringLiteral("Label4"),
                            QStringLiteral("Caso seja uma estação, digite por Exemplo: "
                                           "192.168.0.0.2:c:\\programas\\qor, ou seja,")));
    layout->addWidget(
        label(QStringLiteral("Label5"),
              QStringLiteral(" o IP do servidor :(dois pontos) e o caminho onde está o "
                             "arquivo QOR.GDB")));
    layout->addWidget(label(QStringLiteral("Label6"),
                            QStringLiteral("Caso não consiga resolver entre em contato com o nosso "
                                           "suporte pelo email:") +
                                Contato::EmailSuporte));
    layout->addSpacing(8);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSalvar_Dados);
    buttons->addWidget(btnTestar_Dados);
    buttons->addWidget(btnSair_Programa);
    layout->addLayout(buttons);

    setTabOrder(edPathDados, btnSalvar_Dados);
    setTabOrder(btnSalvar_Dados, btnTestar_Dados);
    setTabOrder(btnTestar_Dados, btnSair_Programa);
    setupConnections();
}

void TfConfig_BancoDados::setupConnections() {
    connect(btnSalvar_Dados, &QPushButton::clicked, this,
            &TfConfig_BancoDados::btnSalvar_DadosClick);
    connect(btnTestar_Dados, &QPushButton::clicked, this,
            &TfConfig_BancoDados::btnTestar_DadosClick);
    connect(btnSair_Programa, &QPushButton::clicked, this,
            &TfConfig_BancoDados::btnSair_ProgramaClick);
}

void TfConfig_BancoDados::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfConfig_BancoDados::FormShow() {
    edPathDados->setText(QDir::currentPath());
    edPathDados->setFocus();
}

void TfConfig_BancoDados::btnSalvar_DadosClick() {
    try {
        ConfigIni::writeFolder(edPathDados->text());
        ConectaBancos(ConfigIni::readFolder());
        accept();
    } catch (const std::exception& e) {
        falhouConexao(e);
    }
}

void TfConfig_BancoDados::btnTestar_DadosClick() {
    try {
        ConectaBancos(edPathDados->text());
        Messages::information(QStringLiteral("Banco de Dados Encontrado"));
    } catch (const std::exception& e) {
        falhouConexao(e);
    }
}

void TfConfig_BancoDados::btnSair_ProgramaClick() {
    SairPrograma = true;
    reject();
    Process::end();
}

void TfConfig_BancoDados::falhouConexao(const std::exception& e) {
    // The folder is right: another Kelvara has it open. The configuration
    // stays, and this second start ends.
    if (AbertoEmOutroPrograma(e)) {
        Messages::information(MensagemJaAberto);
        btnSair_ProgramaClick();
        return;
    }
    Messages::error(MensagemBancoNaoEncontrado(errorText(e)));
    ConfigIni::remove();
    edPathDados->clear();
    edPathDados->setFocus();
}
