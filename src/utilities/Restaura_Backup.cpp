#include "utilities/Restaura_Backup.h"

#include "data/Conexao.h"
#include "data/ConfigIni.h"
#include "data/DataModule_Conexao.h"
#include "data/DataModule_Config.h"
#include "data/DbError.h"
#include "data/Esquema.h"
#include "data/FbService.h"
#include "data/SqlConnection.h"
#include "shell/Arquivos.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfRestaura_Backup* fRestaura_Backup = nullptr;

namespace {

struct Escolha {
    QString legenda;
    QLineEdit* campo;
    QPushButton* botao; // the picker beside the field, if any
};

QGroupBox* secao(QWidget* tela, const QString& titulo, std::initializer_list<Escolha> escolhas,
                 std::initializer_list<QPushButton*> botoes) {
    auto* caixa = new QGroupBox(titulo, tela);
    auto* layout = new QVBoxLayout(caixa);
    for (const Escolha& e : escolhas) {
        auto* rotulo = new QLabel(e.legenda, caixa);
        NomeiaPeloRotulo(rotulo, e.campo);
        e.campo->setParent(caixa);
        e.campo->setEnabled(false); // shows the file; only the dialog changes it
        e.campo->setMinimumWidth(420);
        layout->addWidget(rotulo);
        auto* linha = new QHBoxLayout;
        linha->addWidget(e.campo);
        if (e.botao) {
            e.botao->setParent(caixa);
            linha->addWidget(e.botao);
        }
        layout->addLayout(linha);
    }
    auto* linha = new QHBoxLayout;
    for (QPushButton* botao : botoes) {
        botao->setParent(caixa);
        linha->addWidget(botao);
    }
    layout->addLayout(linha);
    return caixa;
}

} // namespace

TfRestaura_Backup::TfRestaura_Backup(QWidget* parent)
    : QDialog(parent, TelaSemBotoes), ibRestaura(std::make_unique<fb::Service>()) {
    setObjectName(QStringLiteral("fRestaura_Backup"));
    setWindowTitle(QStringLiteral("fRestaura_Backup"));

    auto campo = [this](const QString& nome) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(nome);
        return edit;
    };
    edBackup1 = campo(QStringLiteral("edBackup1"));
    edPasta = campo(QStringLiteral("edPasta"));
    edBackup2 = campo(QStringLiteral("edBackup2"));
    edPasta2 = campo(QStringLiteral("edPasta2"));
    Button2 = Botao(this, QStringLiteral("Button2"), QStringLiteral("Procurar Backup"));
    btnGeraBackup = Botao(this, QStringLiteral("btnGeraBackup"), QStringLiteral("Restaura Backup"));
    btnEscolhePasta =
        Botao(this, QStringLiteral("btnEscolhePasta"), QStringLiteral("Escolher Pasta"));
    btnFechar = Botao(this, QStringLiteral("btnFechar"), QStringLiteral("Fechar"));
    Button1 = Botao(this, QStringLiteral("Button1"), QStringLiteral("Procurar Backup"));
    btnGeraBackup2 =
        Botao(this, QStringLiteral("btnGeraBackup2"), QStringLiteral("Restaura Backup"));
    btnEscolherPasta =
        Botao(this, QStringLiteral("btnEscolherPasta"), QStringLiteral("Escolher Pasta"));
    btnFechar2 = Botao(this, QStringLiteral("btnFechar2"), QStringLiteral("Fechar"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(secao(
        this, QStringLiteral("Restaura Backup dos Dados Cadastrados"),
        {{QStringLiteral("Local onde o Backup dos Dados foi Feito:"), edBackup1, Button2},
         {QStringLiteral("Local onde o Backup dos Dados Será Restaurado:"), edPasta, nullptr}},
        {btnGeraBackup, btnEscolhePasta, btnFechar}));
    layout->addWidget(
        secao(this, QStringLiteral("Restaura Backup do Arquivo de Configuração"),
              {{QStringLiteral("Escolha o Local onde o Backup das Configurações foi Feito:"),
                edBackup2, Button1},
               {QStringLiteral("Local onde o Backup das Configurações será Restaurado:"), edPasta2,
                nullptr}},
              {btnGeraBackup2, btnEscolherPasta, btnFechar2}));
    setupConnections();
}

TfRestaura_Backup::~TfRestaura_Backup() = default;

void TfRestaura_Backup::setupConnections() {
    struct Seletor {
        QPushButton* botao;
        QLineEdit* campo;
        QString* arquivo;
        Arquivos::Pedido pedido;
    };
    const Seletor seletores[] = {
        {Button2, edBackup1, &backupDados, {false, {}, "backup", "gbk", {}}},
        {btnEscolhePasta, edPasta, &bancoDados, {false, {}, "qor", "gdb", {}}},
        {Button1, edBackup2, &backupConfig, {false, {}, "config", "gbk", {}}},
        {btnEscolherPasta,
         edPasta2,
         &bancoConfig,
         {true, {}, "config", "gdb", "config (config.gdb)"}},
    };
    for (const Seletor& s : seletores)
        connect(s.botao, &QPushButton::clicked, this, [this, s] {
            Arquivos::Pedido pedido = s.pedido;
            pedido.pasta = QDir::currentPath();
            const QString escolhido = Arquivos::escolhe(this, pedido);
            if (escolhido.isEmpty())
                return;
            *s.arquivo = escolhido;
            s.campo->setText(escolhido);
        });
    connect(btnGeraBackup, &QPushButton::clicked, this, &TfRestaura_Backup::btnGeraBackupClick);
    connect(btnGeraBackup2, &QPushButton::clicked, this, &TfRestaura_Backup::btnGeraBackup2Click);
    for (QPushButton* fechar : {btnFechar, btnFechar2})
        connect(fechar, &QPushButton::clicked, this, &QDialog::close);
}

void TfRestaura_Backup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    dmConexao->SQLC_QOR->Close();
}

void TfRestaura_Backup::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    Messages::guarded([] { dmConexao->SQLC_QOR->Open(); });
}

// Runs the whole restore, waiting for the server to finish it. The service
// manager is the one that serves the configured database folder. A backup
// that lacks a table of the schema the database was made from (the other
// database's backup, say) replaces nothing.
// A backup made by a newer version of the program is refused before it
// replaces anything; one made by an older version is brought up to this one
// once restored.
void TfRestaura_Backup::restaura(const QString& backup, const QString& banco,
                                 const QString& esquema) {
    const QString gerente =
        fb::Service::managerFor(CaminhoBanco(ConfigIni::readFolder(), QStringLiteral("qor.gdb")));
    const QStringList tabelas = TabelasEsquema(QStringLiteral(":/schema/%1.sql").arg(esquema));
    EmSegundoPlano(this, QStringLiteral("Restaurando o Backup..."),
                   [this, gerente, backup, banco, tabelas, esquema] {
                       if (!ibRestaura->isAttached())
                           ibRestaura->attach(gerente, UsuarioBanco, SenhaBanco);
                       ibRestaura->restore(backup, banco, tabelas, [](const QString& copia) {
                           ConfereVersao(copia, QStringLiteral("O backup escolhido"));
                       });
                       AtualizaBanco(fb::throughManager(gerente, banco), esquema);
                   });
}

void TfRestaura_Backup::btnGeraBackupClick() {
    dmConexao->SQLC_QOR->Close();
    try {
        restaura(backupDados, bancoDados, QStringLiteral("qor"));
    } catch (const std::exception& e) {
        Messages::warning(QStringLiteral("Não consegui Restaurar o Backup dos Dados\n"
                                         "Mensagem de Erro:") +
                          Messages::errorMessage(e));
    }
    dmConexao->SQLC_QOR->Open();
}

void TfRestaura_Backup::btnGeraBackup2Click() {
    dmConfig->SQLC_Config->Close();
    try {
        restaura(backupConfig, bancoConfig, QStringLiteral("config"));
        Messages::information(QStringLiteral("Restauração do Backup das Configurações Realizado "
                                             "com Sucesso ! A Aplicação será Finalizada !"));
        Process::end();
    } catch (const std::exception& e) {
        Messages::warning(QStringLiteral("Não consegui Restaurar o Backup das Configurações\n"
                                         "Mensagem de Erro:") +
                          Messages::errorMessage(e));
    }
    dmConfig->SQLC_Config->Open();
}
