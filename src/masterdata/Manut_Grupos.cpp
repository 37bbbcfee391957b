#include "masterdata/Manut_Grupos.h"

#include "data/DataModule_Grupos.h"
#include "masterdata/Dados_Grupos.h"
#include "shell/Cadastro.h"
#include "shell/Conventions.h"
#include "shell/Grid.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

TfManut_Grupos* fManut_Grupos = nullptr;

void OrdenaGrupos(const QString& ordem, QLabel* rotulo, const QString& textoRotulo) {
    dmGrupos->cds_Grupos->Reload({QStringLiteral("Select * From Grupos ") + ordem});
    rotulo->setText(textoRotulo);
}

TfManut_Grupos::TfManut_Grupos(QWidget* parent) : QDialog(parent, TelaSemBotoes) {
    setObjectName(QStringLiteral("fManut_Grupos"));
    setWindowTitle(QStringLiteral("Manutenção de Grupos"));

    rbManut_Grupos_Codigo =
        Radio(this, QStringLiteral("rbManut_Grupos_Codigo"), QStringLiteral("Código"));
    rbManut_GRupos_Descricao =
        Radio(this, QStringLiteral("rbManut_GRupos_Descricao"), QStringLiteral("Descrição"));
    rbManut_Grupos_Codigo->setChecked(true);
    lbManut_Grupos_Busca =
        Rotulo(this, QStringLiteral("lbManut_Grupos_Busca"), QStringLiteral("Código:"));
    edManut_Grupos_Busca = CampoBusca(this, QStringLiteral("edManut_Grupos_Busca"), 50);
    Button1 = Botao(this, QStringLiteral("Button1"), QStringLiteral("Busca"));
    dbg_ManutGrupos = Grade(this, QStringLiteral("dbg_ManutGrupos"));
    btn_Manut_GRU_Novo = Botao(this, QStringLiteral("btn_Manut_GRU_Novo"), QStringLiteral("Novo"));
    btnManut_GRU_Altera =
        Botao(this, QStringLiteral("btnManut_GRU_Altera"), QStringLiteral("Altera"));
    btnManut_GRU_Exclui =
        Botao(this, QStringLiteral("btnManut_GRU_Exclui"), QStringLiteral("Exclui"));
    btnManut_GRU_Fechar =
        Botao(this, QStringLiteral("btnManut_GRU_Fechar"), QStringLiteral("Fechar"));

    auto* topo = new QHBoxLayout;
    topo->addWidget(Caixa(this, QStringLiteral("Ordenado por:"),
                          {rbManut_Grupos_Codigo, rbManut_GRupos_Descricao}));
    topo->addWidget(Caixa(this, QStringLiteral("Busca Rápida"),
                          {lbManut_Grupos_Busca, edManut_Grupos_Busca, Button1}),
                    1);
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b :
         {btn_Manut_GRU_Novo, btnManut_GRU_Altera, btnManut_GRU_Exclui, btnManut_GRU_Fechar})
        botoes->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(dbg_ManutGrupos, 1);
    layout->addLayout(botoes);
    OrdemTab({rbManut_Grupos_Codigo, rbManut_GRupos_Descricao, edManut_Grupos_Busca, Button1,
              dbg_ManutGrupos, btn_Manut_GRU_Novo, btnManut_GRU_Altera, btnManut_GRU_Exclui,
              btnManut_GRU_Fechar});

    bindGrid(dbg_ManutGrupos, dmGrupos->cds_Grupos);
    setupConnections();
    FormCreate();
}

void TfManut_Grupos::setupConnections() {
    onEnter(rbManut_Grupos_Codigo, [this] {
        ordena(rbManut_Grupos_Codigo, QStringLiteral("Order by GRU_Codigo"),
               QStringLiteral("Código:"));
    });
    onEnter(rbManut_GRupos_Descricao, [this] {
        ordena(rbManut_GRupos_Descricao, QStringLiteral("Order by GRU_DESCRICAO"),
               QStringLiteral("Descrição:"));
    });
    connect(Button1, &QPushButton::clicked, this, &TfManut_Grupos::Button1Click);
    connect(btn_Manut_GRU_Novo, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("Inclui")); });
    connect(btnManut_GRU_Altera, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("Altera")); });
    connect(btnManut_GRU_Exclui, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("Exclui")); });
    connect(btnManut_GRU_Fechar, &QPushButton::clicked, this, &QDialog::close);
}

void TfManut_Grupos::FormCreate() {
    if (rbManut_Grupos_Codigo->isChecked())
        OrdenaGrupos(QStringLiteral("Order By GRU_Codigo"), lbManut_Grupos_Busca,
                     QStringLiteral("Código:"));
    else
        OrdenaGrupos(QStringLiteral("Order By GRU_Descricao"), lbManut_Grupos_Busca,
                     QStringLiteral("Descrição:"));
}

void TfManut_Grupos::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Messages::guarded([] { dmGrupos->cds_Grupos->Refresh(); });
}

void TfManut_Grupos::ordena(QRadioButton* botao, const QString& ordem, const QString& rotulo) {
    botao->setChecked(true);
    OrdenaGrupos(ordem, lbManut_Grupos_Busca, rotulo);
}

void TfManut_Grupos::Button1Click() {
    BuscaRapida(dmGrupos->cds_Grupos, edManut_Grupos_Busca, rbManut_GRupos_Descricao->isChecked(),
                QStringLiteral("GRU_CODIGO"), QStringLiteral("GRU_DESCRICAO"));
}

void TfManut_Grupos::abreDados(const QString& modo) {
    Modo = modo;
    fDados_Grupos->exec();
}
