#include "users/Manut_Usuarios.h"

#include "data/DataModule_Usuarios.h"
#include "shell/Cadastro.h"
#include "shell/Conventions.h"
#include "shell/Grid.h"
#include "shell/Messages.h"
#include "shell/Tela.h"
#include "users/Dados_Usuarios.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

TfManut_Usuarios* fManut_Usuarios = nullptr;

TfManut_Usuarios::TfManut_Usuarios(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fManut_Usuarios"));
    setWindowTitle(QStringLiteral("Manutencao de Usuários"));

    rbUSU_Codigo = Radio(this, QStringLiteral("rbUSU_Codigo"), QStringLiteral("Código"));
    rbUSU_Nome = Radio(this, QStringLiteral("rbUSU_Nome"), QStringLiteral("Nome"));
    rbUSU_Login = Radio(this, QStringLiteral("rbUSU_Login"), QStringLiteral("Login"));
    rbUSU_Nome->setChecked(true);
    lbUSU_Busca = Rotulo(this, QStringLiteral("lbUSU_Busca"), QStringLiteral("Nome:"));
    edUSU_Busca = CampoBusca(this, QStringLiteral("edUSU_Busca"), 0);
    lbUSU_Busca->setBuddy(edUSU_Busca);
    btnUSU_Busca = Botao(this, QStringLiteral("btnUSU_Busca"), QStringLiteral("Busca"));
    dbgManut_Usuarios = Grade(this, QStringLiteral("dbgManut_Usuarios"));
    btnUSU_Inclui = Botao(this, QStringLiteral("btnUSU_Inclui"), QStringLiteral("Inclui"));
    btnUSU_Altera = Botao(this, QStringLiteral("btnUSU_Altera"), QStringLiteral("Altera"));
    btnUSU_Exclui = Botao(this, QStringLiteral("btnUSU_Exclui"), QStringLiteral("Exclui"));
    btnUSU_Consulta = Botao(this, QStringLiteral("btnUSU_Consulta"), QStringLiteral("Consulta"));
    btnUSU_Fecha = Botao(this, QStringLiteral("btnUSU_Fecha"), QStringLiteral("Fecha"));

    auto* topo = new QHBoxLayout;
    topo->addWidget(
        Caixa(this, QStringLiteral("Ordenado por:"), {rbUSU_Codigo, rbUSU_Nome, rbUSU_Login}));
    topo->addWidget(
        Caixa(this, QStringLiteral("Busca Rápida"), {lbUSU_Busca, edUSU_Busca, btnUSU_Busca}), 1);
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b :
         {btnUSU_Inclui, btnUSU_Altera, btnUSU_Exclui, btnUSU_Consulta, btnUSU_Fecha})
        botoes->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(dbgManut_Usuarios, 1);
    layout->addLayout(botoes);
    OrdemTab({rbUSU_Codigo, rbUSU_Nome, rbUSU_Login, edUSU_Busca, btnUSU_Busca, dbgManut_Usuarios,
              btnUSU_Inclui, btnUSU_Altera, btnUSU_Exclui, btnUSU_Consulta, btnUSU_Fecha});

    // The password stays out of the grid.
    bindGrid(dbgManut_Usuarios, dmUsuarios->cds_Usuarios,
             {{QStringLiteral("USU_CODIGO"), QStringLiteral("Código")},
              {QStringLiteral("USU_NOME"), QStringLiteral("Nome")},
              {QStringLiteral("USU_LOGIN"), QStringLiteral("Login")},
              {QStringLiteral("USU_ATIVO"), QStringLiteral("Ativo")},
              {QStringLiteral("USU_DCAD"), QStringLiteral("D.Cadastramento")}});
    setupConnections();
}

void TfManut_Usuarios::setupConnections() {
    onEnter(rbUSU_Codigo, [this] {
        ordena(rbUSU_Codigo, QStringLiteral("Código:"), QStringLiteral("USU_Codigo"));
    });
    onEnter(rbUSU_Nome,
            [this] { ordena(rbUSU_Nome, QStringLiteral("Nome:"), QStringLiteral("USU_Nome")); });
    onEnter(rbUSU_Login,
            [this] { ordena(rbUSU_Login, QStringLiteral("Login:"), QStringLiteral("USU_Login")); });
    connect(btnUSU_Busca, &QPushButton::clicked, this, &TfManut_Usuarios::btnUSU_BuscaClick);
    connect(btnUSU_Inclui, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("Inclui"), {}); });
    connect(btnUSU_Altera, &QPushButton::clicked, this, [this] {
        abreDados(QStringLiteral("Altera"), QStringLiteral("Nenhum Usuário para Alterar !"));
    });
    connect(btnUSU_Exclui, &QPushButton::clicked, this, [this] {
        abreDados(QStringLiteral("Exclui"), QStringLiteral("Nenhum Usuário para Excluir !"));
    });
    connect(btnUSU_Consulta, &QPushButton::clicked, this, [this] {
        abreDados(QStringLiteral("Consulta"), QStringLiteral("Nenhum Usuário para Consulta !"));
    });
    connect(btnUSU_Fecha, &QPushButton::clicked, this, &QDialog::close);
}

void TfManut_Usuarios::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Messages::guarded([this] { FormShow(); });
}

void TfManut_Usuarios::FormShow() {
    rbUSU_Nome->setChecked(true);
    lbUSU_Busca->setText(QStringLiteral("Nome:"));
    dmUsuarios->cds_Usuarios->Reload({QStringLiteral("Select * From Usuarios order By USU_Nome")});
}

void TfManut_Usuarios::ordena(QRadioButton* escolha, const QString& rotulo, const QString& coluna) {
    escolha->setChecked(true);
    lbUSU_Busca->setText(rotulo);
    dmUsuarios->cds_Usuarios->Reload({QStringLiteral("Select * From Usuarios order By ") + coluna});
}

void TfManut_Usuarios::btnUSU_BuscaClick() {
    ListCopy* lista = dmUsuarios->cds_Usuarios;
    if (rbUSU_Codigo->isChecked()) {
        edUSU_Busca->setText(CompletaCodigo(edUSU_Busca->text()));
        lista->LocatePrefix(QStringLiteral("USU_CODIGO"), edUSU_Busca->text());
    } else {
        lista->LocatePrefix(rbUSU_Login->isChecked() ? QStringLiteral("USU_LOGIN")
                                                     : QStringLiteral("USU_NOME"),
                            edUSU_Busca->text());
    }
    lista->Refresh();
}

void TfManut_Usuarios::abreDados(const QString& modo, const QString& listaVazia) {
    if (!listaVazia.isEmpty() && dmUsuarios->cds_Usuarios->IsEmpty()) {
        Messages::information(listaVazia);
        return;
    }
    Modo = modo;
    fDados_Usuarios->exec();
}
