#include "utilities/Restaura_Backup.h"

#include "data/Conexao.h"
#include "data/ConfigIni.h"
#include "data/DataModule_Conexao.h"
#include "data/DataModule_Config.h"
#include "data/DbError.h"
#include "data/FbService.h"
#include "data/Restauracao.h"
#include "data/SqlConnection.h"
#include "shell/Arquivos.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
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
                 std::initializer_list<QPushButton*> botoes, QComboBox* copias) {
    auto* caixa = new QGroupBox(titulo, tela);
    auto* layout = new QVBoxLayout(caixa);
    auto* rotuloCopias = new QLabel(
        QStringLiteral("Cópias de segurança dos dados de antes de cada restauração:"), caixa);
    NomeiaPeloRotulo(rotuloCopias, copias);
    copias->setParent(caixa);
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
    layout->addWidget(rotuloCopias);
    layout->addWidget(copias);
    auto* linha = new QHBoxLayout;
    for (QPushButton* botao : botoes) {
        botao->setParent(caixa);
        linha->addWidget(botao);
    }
    layout->addLayout(linha);
    return caixa;
}

} // namespace

TfRestaura_Backup::TfRestaura_Backup(QWidget* parent) : QDialog(parent, TelaSemBotoes) {
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
    cbCopias = new QComboBox(this);
    cbCopias->setObjectName(QStringLiteral("cbCopias"));
    cbCopias2 = new QComboBox(this);
    cbCopias2->setObjectName(QStringLiteral("cbCopias2"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(secao(
        this, QStringLiteral("Restaura Backup dos Dados Cadastrados"),
        {{QStringLiteral("Local onde o Backup dos Dados foi Feito:"), edBackup1, Button2},
         {QStringLiteral("Local onde o Backup dos Dados Será Restaurado:"), edPasta, nullptr}},
        {btnGeraBackup, btnEscolhePasta, btnFechar}, cbCopias));
    layout->addWidget(
        secao(this, QStringLiteral("Restaura Backup do Arquivo de Configuração"),
              {{QStringLiteral("Escolha o Local onde o Backup das Configurações foi Feito:"),
                edBackup2, Button1},
               {QStringLiteral("Local onde o Backup das Configurações será Restaurado:"), edPasta2,
                nullptr}},
              {btnGeraBackup2, btnEscolherPasta, btnFechar2}, cbCopias2));
    setupConnections();
}

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
            listaCopias();
        });
    // Choosing a safety copy chooses it as the backup, and its database as
    // the one to restore into.
    struct Copias {
        QComboBox* lista;
        QLineEdit *backup, *banco;
        QString *arquivoBackup, *arquivoBanco;
    };
    for (const Copias& c : {Copias{cbCopias, edBackup1, edPasta, &backupDados, &bancoDados},
                            Copias{cbCopias2, edBackup2, edPasta2, &backupConfig, &bancoConfig}})
        connect(c.lista, &QComboBox::activated, this, [c](int indice) {
            const QStringList escolha = c.lista->itemData(indice).toStringList();
            if (escolha.size() != 2)
                return;
            *c.arquivoBackup = escolha[0];
            c.backup->setText(escolha[0]);
            *c.arquivoBanco = escolha[1];
            c.banco->setText(escolha[1]);
        });
    connect(btnGeraBackup, &QPushButton::clicked, this, &TfRestaura_Backup::btnGeraBackupClick);
    connect(btnGeraBackup2, &QPushButton::clicked, this, &TfRestaura_Backup::btnGeraBackup2Click);
    for (QPushButton* fechar : {btnFechar, btnFechar2})
        connect(fechar, &QPushButton::clicked, this, &QDialog::close);
}

void TfRestaura_Backup::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    dmConexao->SQLC_QOR->Close();
    Messages::guarded([this] { listaCopias(); });
}

void TfRestaura_Backup::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    Messages::guarded([] { dmConexao->SQLC_QOR->Open(); });
}

// Runs the whole restore, waiting for it to end, with the service manager
// that serves the configured database folder. A backup that is not one of
// that database, or made by a newer version of the program, replaces
// nothing; one made by an older version is brought up to this one.
void TfRestaura_Backup::restaura(const QString& backup, const QString& banco,
                                 const QString& esquema) {
    const Restauracao::Pedido pedido{backup, bancoPeloServidor(banco), esquema};
    EmSegundoPlano(
        this, QStringLiteral("Restaurando o Backup..."),
        [&pedido](const InformaProgresso& informa) { Restauracao::restaura(pedido, informa); });
}

// A database chosen in the dialog, as the server of the configured folder
// names it.
QString TfRestaura_Backup::bancoPeloServidor(const QString& banco) const {
    if (banco.isEmpty())
        return banco;
    const QString gerente =
        fb::Service::managerFor(CaminhoBanco(ConfigIni::readFolder(), QStringLiteral("qor.gdb")));
    return fb::throughManager(gerente, banco);
}

// Lists the safety copies of the database chosen (or, before one is chosen,
// of the configured one), newest first: choosing one undoes a restore.
void TfRestaura_Backup::listaCopias() {
    listaCopias(cbCopias, bancoDados, QStringLiteral("qor.gdb"));
    listaCopias(cbCopias2, bancoConfig, QStringLiteral("config.gdb"));
}

void TfRestaura_Backup::listaCopias(QComboBox* lista, const QString& escolhido,
                                    const QString& arquivo) {
    const QString banco = escolhido.isEmpty()
                              ? fb::onServer(CaminhoBanco(ConfigIni::readFolder(), arquivo))
                              : escolhido;
    const QList<Restauracao::Copia> copias = Restauracao::copias(bancoPeloServidor(banco));
    lista->clear();
    lista->setPlaceholderText(
        copias.isEmpty()
            ? QStringLiteral("Nenhuma cópia: ainda não houve restauração deste Banco de Dados")
            : QStringLiteral("Escolha uma cópia para voltar aos dados de antes de uma "
                             "restauração"));
    for (const Restauracao::Copia& copia : copias)
        lista->addItem(QStringLiteral("%1 - %2").arg(
                           copia.feita.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")),
                           QFileInfo(copia.arquivo).fileName()),
                       QStringList{copia.arquivo, banco});
}

void TfRestaura_Backup::btnGeraBackupClick() {
    dmConexao->SQLC_QOR->Close();
    try {
        restaura(backupDados, bancoDados, QStringLiteral("qor"));
        listaCopias();
    } catch (const std::exception& e) {
        if (!falhou(QStringLiteral("Não consegui Restaurar o Backup dos Dados\nMensagem de Erro:"),
                    e))
            return;
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
        if (!falhou(QStringLiteral("Não consegui Restaurar o Backup das Configurações\n"
                                   "Mensagem de Erro:"),
                    e))
            return;
    }
    dmConfig->SQLC_Config->Open();
}

// A restore cut while it replaced the database leaves it for the next start
// to finish or undo: the program ends for that. Any other failure changed
// nothing, and the program goes on with the database it had. Answers
// whether it goes on.
bool TfRestaura_Backup::falhou(const QString& titulo, const std::exception& e) {
    if (dynamic_cast<const Restauracao::Cortada*>(&e)) {
        Messages::error(
            titulo + Messages::errorMessage(e) +
            QStringLiteral("\nA substituição do Banco de Dados não terminou. O "
                           "Kelvara será encerrado; ao abri-lo de novo, ele oferece "
                           "concluir a restauração ou voltar aos dados de antes dela."));
        Process::end();
        return false;
    }
    Messages::warning(titulo + Messages::errorMessage(e));
    return true;
}
