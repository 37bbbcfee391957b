#include "utilities/Backup.h"

#include "data/Conexao.h"
#include "data/ConfigIni.h"
#include "data/DbError.h"
#include "data/FbService.h"
#include "shell/Arquivos.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfBackup* fBackup = nullptr;

namespace {

// One section of the screen: a label over the file field and three buttons.
QGroupBox* secao(QWidget* tela, const QString& titulo, const QString& legenda, QLineEdit* campo,
                 std::initializer_list<QPushButton*> botoes) {
    auto* caixa = new QGroupBox(titulo, tela);
    auto* layout = new QVBoxLayout(caixa);
    auto* rotulo = new QLabel(legenda, caixa);
    NomeiaPeloRotulo(rotulo, campo);
    campo->setParent(caixa);
    campo->setEnabled(false); // shows the file; only the dialog changes it
    campo->setMinimumWidth(420);
    layout->addWidget(rotulo);
    layout->addWidget(campo);
    auto* linha = new QHBoxLayout;
    for (QPushButton* botao : botoes) {
        botao->setParent(caixa);
        botao->setAutoDefault(false);
        linha->addWidget(botao);
    }
    layout->addLayout(linha);
    return caixa;
}

} // namespace

TfBackup::TfBackup(QWidget* parent) : QDialog(parent), ibbackup(std::make_unique<fb::Service>()) {
    setObjectName(QStringLiteral("fBackup"));
    setWindowTitle(QStringLiteral("Backup dos Dados do Sistema"));

    auto campo = [this](const QString& nome) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(nome);
        return edit;
    };
    edPasta = campo(QStringLiteral("edPasta"));
    edPasta2 = campo(QStringLiteral("edPasta2"));
    btnGeraBackup = Botao(this, QStringLiteral("btnGeraBackup"), QStringLiteral("Gerar Backup"));
    btnEscolhePasta =
        Botao(this, QStringLiteral("btnEscolhePasta"), QStringLiteral("Escolher nova Pasta"));
    btnFechar = Botao(this, QStringLiteral("btnFechar"), QStringLiteral("Fechar"));
    btnGeraBackup2 = Botao(this, QStringLiteral("btnGeraBackup2"), QStringLiteral("Gerar Backup"));
    btnEscolherPasta =
        Botao(this, QStringLiteral("btnEscolherPasta"), QStringLiteral("Escolhar nova Pasta"));
    btnFechar2 = Botao(this, QStringLiteral("btnFechar2"), QStringLiteral("Fechar"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(secao(this, QStringLiteral("Backup dos Dados Cadastrados"),
                            QStringLiteral("Local onde o Backup dos Dados Será Feito:"), edPasta,
                            {btnGeraBackup, btnEscolhePasta, btnFechar}));
    layout->addWidget(secao(this, QStringLiteral("Backup do Arquivo de Configuração"),
                            QStringLiteral("Local onde o Backup das Configurações será Feito:"),
                            edPasta2, {btnGeraBackup2, btnEscolherPasta, btnFechar2}));
    setupConnections();
}

TfBackup::~TfBackup() = default;

void TfBackup::setupConnections() {
    connect(btnEscolhePasta, &QPushButton::clicked, this,
            [this] { escolhe(edPasta, arquivoDados, QStringLiteral("backup.gbk")); });
    connect(btnEscolherPasta, &QPushButton::clicked, this,
            [this] { escolhe(edPasta2, arquivoConfig, QStringLiteral("config.gbk")); });
    connect(btnGeraBackup, &QPushButton::clicked, this, [this] {
        geraBackup(QStringLiteral("qor.gdb"), arquivoDados,
                   QStringLiteral("Backup dos Dados Realizado com Sucesso !"),
                   QStringLiteral("Não consegui gerar o Backup"));
    });
    connect(btnGeraBackup2, &QPushButton::clicked, this, [this] {
        geraBackup(QStringLiteral("config.gdb"), arquivoConfig,
                   QStringLiteral("Backup das Configurações Realizado com Sucesso !"),
                   QStringLiteral("Não consegui gerar o Backup das Configurações"));
    });
    for (QPushButton* fechar : {btnFechar, btnFechar2})
        connect(fechar, &QPushButton::clicked, this, &QDialog::close);
}

void TfBackup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfBackup::FormShow() {
    PastaInicial = QDir::currentPath();
    arquivoDados = CaminhoBanco(PastaInicial, QStringLiteral("backup.gbk"));
    arquivoConfig = CaminhoBanco(PastaInicial, QStringLiteral("config.gbk"));
    edPasta->setText(arquivoDados);
    edPasta2->setText(arquivoConfig);
}

void TfBackup::closeEvent(QCloseEvent* event) {
    QDir::setCurrent(PastaInicial);
    QDialog::closeEvent(event);
}

void TfBackup::escolhe(QLineEdit* campo, QString& arquivo, const QString& nome) {
    const QString escolhido =
        Arquivos::escolhe(this, {true, PastaInicial, nome, QStringLiteral("gbk"), {}});
    if (escolhido.isEmpty())
        return;
    arquivo = escolhido;
    campo->setText(escolhido);
}

// The message of success comes once the server has written the whole file.
void TfBackup::geraBackup(const QString& banco, const QString& arquivo, const QString& sucesso,
                          const QString& falha) {
    const QString caminho = CaminhoBanco(ConfigIni::readFolder(), banco);
    try {
        EmSegundoPlano(this, QStringLiteral("Gerando o Backup..."), [this, caminho, arquivo] {
            if (!ibbackup->isAttached())
                ibbackup->attach(fb::Service::managerFor(caminho), UsuarioBanco, SenhaBanco);
            ibbackup->backup(caminho, arquivo);
        });
        Messages::information(sucesso);
    } catch (const std::exception& e) {
        Messages::warning(falha + u'\n' + QStringLiteral("Mensagem de Erro:") +
                          Messages::errorMessage(e));
    }
    QDir::setCurrent(PastaInicial);
}
