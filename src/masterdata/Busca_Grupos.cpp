#include "masterdata/Busca_Grupos.h"

#include "data/DataModule_Grupos.h"
#include "masterdata/Manut_Grupos.h"
#include "shell/Cadastro.h"
#include "shell/Conventions.h"
#include "shell/Grid.h"
#include "shell/Tela.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

TfBusca_Grupos* fBusca_Grupos = nullptr;

TfBusca_Grupos::TfBusca_Grupos(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fBusca_Grupos"));
    setWindowTitle(QStringLiteral("Consulta de Grupos de Produtos"));

    rbBusca_Grupos_Codigo =
        Radio(this, QStringLiteral("rbBusca_Grupos_Codigo"), QStringLiteral("Código"));
    rbBusca_GRupos_Descricao =
        Radio(this, QStringLiteral("rbBusca_GRupos_Descricao"), QStringLiteral("Descrição"));
    rbBusca_GRupos_Descricao->setChecked(true);
    lbBusca_Grupos_Busca =
        Rotulo(this, QStringLiteral("lbBusca_Grupos_Busca"), QStringLiteral("Código:"));
    edBusca_Grupos_Busca = CampoBusca(this, QStringLiteral("edBusca_Grupos_Busca"), 50);
    btnBusca_Grupos = Botao(this, QStringLiteral("btnBusca_Grupos"), QStringLiteral("Busca"));
    dbg_BuscaGrupos = Grade(this, QStringLiteral("dbg_BuscaGrupos"));
    btnBusca_GRU_Fechar =
        Botao(this, QStringLiteral("btnBusca_GRU_Fechar"), QStringLiteral("Fechar"));
    btnBusca_Seleciona =
        Botao(this, QStringLiteral("btnBusca_Seleciona"), QStringLiteral("Seleciona"));

    auto* topo = new QHBoxLayout;
    topo->addWidget(Caixa(this, QStringLiteral("Ordenado por:"),
                          {rbBusca_Grupos_Codigo, rbBusca_GRupos_Descricao}));
    topo->addWidget(Caixa(this, QStringLiteral("Busca Rápida"),
                          {lbBusca_Grupos_Busca, edBusca_Grupos_Busca, btnBusca_Grupos}),
                    1);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btnBusca_GRU_Fechar);
    botoes->addWidget(btnBusca_Seleciona);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(dbg_BuscaGrupos, 1);
    layout->addLayout(botoes);
    OrdemTab({rbBusca_Grupos_Codigo, rbBusca_GRupos_Descricao, edBusca_Grupos_Busca,
              btnBusca_Grupos, dbg_BuscaGrupos, btnBusca_GRU_Fechar, btnBusca_Seleciona});

    bindGrid(dbg_BuscaGrupos, dmGrupos->cds_Grupos);
    setupConnections();
    // The screen opens on its checked order button, as a tab stop would.
    rbBusca_GRupos_Descricao->setFocus();
}

void TfBusca_Grupos::setupConnections() {
    onEnter(rbBusca_Grupos_Codigo, [this] {
        OrdenaGrupos(QStringLiteral("Order by GRU_Codigo"), lbBusca_Grupos_Busca,
                     QStringLiteral("Código:"));
    });
    onEnter(rbBusca_GRupos_Descricao, [this] {
        OrdenaGrupos(QStringLiteral("Order by GRU_Descricao"), lbBusca_Grupos_Busca,
                     QStringLiteral("Descrição:"));
    });
    connect(btnBusca_Grupos, &QPushButton::clicked, this, &TfBusca_Grupos::btnBusca_GruposClick);
    connect(btnBusca_Seleciona, &QPushButton::clicked, this,
            &TfBusca_Grupos::btnBusca_SelecionaClick);
    connect(btnBusca_GRU_Fechar, &QPushButton::clicked, this, &QDialog::close);
}

void TfBusca_Grupos::btnBusca_GruposClick() {
    BuscaRapida(dmGrupos->cds_Grupos, edBusca_Grupos_Busca, rbBusca_GRupos_Descricao->isChecked(),
                QStringLiteral("GRU_CODIGO"), QStringLiteral("GRU_DESCRICAO"));
}

void TfBusca_Grupos::btnBusca_SelecionaClick() {
    EntregaCodigo(Chamador, dmGrupos->cds_Grupos->FieldText(QStringLiteral("GRU_CODIGO")));
    close();
}
