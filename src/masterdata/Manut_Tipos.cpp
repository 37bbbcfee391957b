#include "masterdata/Manut_Tipos.h"

#include "data/DataModule_Tipos.h"
#include "masterdata/Dados_Tipos.h"
#include "shell/Cadastro.h"
#include "shell/Conventions.h"
#include "shell/Grid.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

TfManut_Tipos* fManut_Tipos = nullptr;

void OrdenaTipos(const QString& ordem) {
    dmTipos->cds_Tipos->Reload({QStringLiteral("Select * From Tipos ") + ordem});
}

TfManut_Tipos::TfManut_Tipos(QWidget* parent) : QDialog(parent, TelaSemBotoes) {
    setObjectName(QStringLiteral("fManut_Tipos"));
    setWindowTitle(QStringLiteral("Manutenção de Tipos de Saídas"));

    btnTip_Inclui = Botao(this, QStringLiteral("btnTip_Inclui"), QStringLiteral("Novo"));
    btnTIP_Altera = Botao(this, QStringLiteral("btnTIP_Altera"), QStringLiteral("Altera"));
    btnTIP_Exclui = Botao(this, QStringLiteral("btnTIP_Exclui"), QStringLiteral("Exclui"));
    btnTIP_Fecha = Botao(this, QStringLiteral("btnTIP_Fecha"), QStringLiteral("Fechar"));
    rbTIP_Codigo = Radio(this, QStringLiteral("rbTIP_Codigo"), QStringLiteral("Código"));
    rbTIP_Descricao = Radio(this, QStringLiteral("rbTIP_Descricao"), QStringLiteral("Descrição"));
    lbTIP_Busca = Rotulo(this, QStringLiteral("lbTIP_Busca"), QStringLiteral("Descrição:"));
    edManut_TIP_Busca = CampoBusca(this, QStringLiteral("edManut_TIP_Busca"), 0);
    btnTIP_Busca = Botao(this, QStringLiteral("btnTIP_Busca"), QStringLiteral("Busca"));
    dbg_Manut_Tip = Grade(this, QStringLiteral("dbg_Manut_Tip"));

    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {btnTip_Inclui, btnTIP_Altera, btnTIP_Exclui, btnTIP_Fecha})
        botoes->addWidget(b);
    botoes->addStretch();
    auto* topo = new QHBoxLayout;
    topo->addWidget(Caixa(this, QStringLiteral("Ordenado por"), {rbTIP_Codigo, rbTIP_Descricao}));
    topo->addWidget(
        Caixa(this, QStringLiteral("Busca Rápida"), {lbTIP_Busca, edManut_TIP_Busca, btnTIP_Busca}),
        1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(botoes);
    layout->addLayout(topo);
    layout->addWidget(dbg_Manut_Tip, 1);
    OrdemTab({btnTip_Inclui, btnTIP_Altera, btnTIP_Exclui, btnTIP_Fecha, rbTIP_Codigo,
              rbTIP_Descricao, edManut_TIP_Busca, btnTIP_Busca, dbg_Manut_Tip});

    bindGrid(dbg_Manut_Tip, dmTipos->cds_Tipos);
    setupConnections();
}

void TfManut_Tipos::setupConnections() {
    connect(btnTip_Inclui, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("Inclui")); });
    connect(btnTIP_Altera, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("Altera")); });
    connect(btnTIP_Exclui, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("Exclui")); });
    connect(btnTIP_Fecha, &QPushButton::clicked, this, &QDialog::close);
    onEnter(rbTIP_Codigo, [] { OrdenaTipos(QStringLiteral("Order by TIP_Codigo")); });
    onEnter(rbTIP_Descricao, [] { OrdenaTipos(QStringLiteral("Order by TIP_Descricao")); });
    connect(btnTIP_Busca, &QPushButton::clicked, this, &TfManut_Tipos::btnTIP_BuscaClick);
}

void TfManut_Tipos::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Messages::guarded([this] { FormShow(); });
}

void TfManut_Tipos::FormShow() {
    rbTIP_Descricao->setChecked(true);
    OrdenaTipos(QStringLiteral("order By TIP_Descricao"));
}

void TfManut_Tipos::btnTIP_BuscaClick() {
    BuscaRapida(dmTipos->cds_Tipos, edManut_TIP_Busca, rbTIP_Descricao->isChecked(),
                QStringLiteral("TIP_CODIGO"), QStringLiteral("TIP_DESCRICAO"));
}

void TfManut_Tipos::abreDados(const QString& modo) {
    Modo = modo;
    fDados_Tipos->exec();
}
