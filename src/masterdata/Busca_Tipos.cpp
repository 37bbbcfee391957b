#include "masterdata/Busca_Tipos.h"

#include "data/DataModule_Tipos.h"
#include "masterdata/Manut_Tipos.h"
#include "shell/Cadastro.h"
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

TfBusca_Tipos* fBusca_Tipos = nullptr;

TfBusca_Tipos::TfBusca_Tipos(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fBusca_Tipos"));
    setWindowTitle(QStringLiteral("Busca de Tipos de Saídas"));

    rbBusca_Tipos_Codigo =
        Radio(this, QStringLiteral("rbBusca_Tipos_Codigo"), QStringLiteral("Código"));
    rbBusca_Tipos_Descricao =
        Radio(this, QStringLiteral("rbBusca_Tipos_Descricao"), QStringLiteral("Descrição"));
    lbBusca_Tipos_Busca =
        Rotulo(this, QStringLiteral("lbBusca_Tipos_Busca"), QStringLiteral("Descrição:"));
    edBusca_Tipos_Busca = CampoBusca(this, QStringLiteral("edBusca_Tipos_Busca"), 50);
    btnBusca_Tipos = Botao(this, QStringLiteral("btnBusca_Tipos"), QStringLiteral("Busca"));
    dbg_BuscaTipos = Grade(this, QStringLiteral("dbg_BuscaTipos"));
    btnBusca_TIP_Fechar =
        Botao(this, QStringLiteral("btnBusca_TIP_Fechar"), QStringLiteral("Fechar"));
    btnBusca_Seleciona =
        Botao(this, QStringLiteral("btnBusca_Seleciona"), QStringLiteral("Seleciona"));

    auto* topo = new QHBoxLayout;
    topo->addWidget(Caixa(this, QStringLiteral("Ordenado por:"),
                          {rbBusca_Tipos_Codigo, rbBusca_Tipos_Descricao}));
    topo->addWidget(Caixa(this, QStringLiteral("Busca Rápida"),
                          {lbBusca_Tipos_Busca, edBusca_Tipos_Busca, btnBusca_Tipos}),
                    1);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btnBusca_TIP_Fechar);
    botoes->addWidget(btnBusca_Seleciona);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(topo);
    layout->addWidget(dbg_BuscaTipos, 1);
    layout->addLayout(botoes);
    OrdemTab({rbBusca_Tipos_Codigo, rbBusca_Tipos_Descricao, edBusca_Tipos_Busca, btnBusca_Tipos,
              dbg_BuscaTipos, btnBusca_TIP_Fechar, btnBusca_Seleciona});

    bindGrid(dbg_BuscaTipos, dmTipos->cds_Tipos, RowShading::None);
    setupConnections();
}

void TfBusca_Tipos::setupConnections() {
    connect(rbBusca_Tipos_Codigo, &QRadioButton::toggled, this, [this](bool marcado) {
        if (!marcado)
            return;
        OrdenaTipos(QStringLiteral("Order by TIP_Codigo"));
        lbBusca_Tipos_Busca->setText(QStringLiteral("Código:"));
    });
    connect(rbBusca_Tipos_Descricao, &QRadioButton::toggled, this, [this](bool marcado) {
        if (!marcado)
            return;
        OrdenaTipos(QStringLiteral("Order by TIP_Descricao"));
        lbBusca_Tipos_Busca->setText(QStringLiteral("Descrição:"));
    });
    connect(btnBusca_Tipos, &QPushButton::clicked, this, &TfBusca_Tipos::btnBusca_TiposClick);
    connect(btnBusca_Seleciona, &QPushButton::clicked, this,
            &TfBusca_Tipos::btnBusca_SelecionaClick);
    connect(btnBusca_TIP_Fechar, &QPushButton::clicked, this, &QDialog::close);
}

void TfBusca_Tipos::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Messages::guarded([this] { FormShow(); });
}

void TfBusca_Tipos::FormShow() {
    edBusca_Tipos_Busca->clear();
    lbBusca_Tipos_Busca->setText(QStringLiteral("Descrição:"));
    rbBusca_Tipos_Descricao->setChecked(true);
    OrdenaTipos(QStringLiteral("Order by TIP_Descricao"));
}

void TfBusca_Tipos::btnBusca_TiposClick() {
    BuscaRapida(dmTipos->cds_Tipos, edBusca_Tipos_Busca, rbBusca_Tipos_Descricao->isChecked(),
                QStringLiteral("TIP_CODIGO"), QStringLiteral("TIP_DESCRICAO"));
}

void TfBusca_Tipos::btnBusca_SelecionaClick() {
    EntregaCodigo(Chamador, dmTipos->cds_Tipos->FieldText(QStringLiteral("TIP_CODIGO")));
    close();
}
