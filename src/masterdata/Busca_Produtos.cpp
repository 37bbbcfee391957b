#include "masterdata/Busca_Produtos.h"

#include "data/DataModule_Produtos.h"
#include "entry/EditH.h"
#include "shell/Cadastro.h"
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

TfBusca_Produtos* fBusca_Produtos = nullptr;

TfBusca_Produtos::TfBusca_Produtos(QWidget* parent)
    : TelaListaProdutos(parent, Qt::Dialog | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("fBusca_Produtos"));
    setWindowTitle(QStringLiteral("Busca de Produtos"));

    rbCon_Pro_Codigo = ordem(QStringLiteral("rbCon_Pro_Codigo"), QStringLiteral("Código"),
                             QStringLiteral("p.PRO_Codigo"));
    rbCon_PRO_Descricao = ordem(QStringLiteral("rbCon_PRO_Descricao"), QStringLiteral("Descrição"),
                                QStringLiteral("p.PRO_Descricao"));
    rbCon_PRO_Refer = ordem(QStringLiteral("rbCon_PRO_Refer"), QStringLiteral("Referência"),
                            QStringLiteral("p.PRO_Refer"));
    rbManut_Con_Grupo = ordem(QStringLiteral("rbManut_Con_Grupo"), QStringLiteral("Grupo"),
                              QStringLiteral("g.GRU_Descricao"));
    rbCon_PRO_Descricao->setChecked(true);
    edBusca_ConPRO = CampoBusca(this, QStringLiteral("edBusca_ConPRO"), 0);
    btnBusca_ConPro = Botao(this, QStringLiteral("btnBusca_ConPro"), QStringLiteral("Busca"));
    dbg_Con_PRO = gradeProdutos(QStringLiteral("dbg_Con_PRO"));
    btnCon_PRO_Fecha = Botao(this, QStringLiteral("btnCon_PRO_Fecha"), QStringLiteral("Fecha"));
    btnCon_PRO_Seleciona =
        Botao(this, QStringLiteral("btnCon_PRO_Seleciona"), QStringLiteral("Seleciona"));

    auto* topo = new QHBoxLayout;
    topo->addWidget(
        Caixa(this, QStringLiteral("Ordenado por:"),
              {rbCon_Pro_Codigo, rbCon_PRO_Descricao, rbCon_PRO_Refer, rbManut_Con_Grupo}));
    topo->addWidget(caixaBusca(edBusca_ConPRO, btnBusca_ConPro), 1);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(btnCon_PRO_Fecha);
    botoes->addWidget(btnCon_PRO_Seleciona);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo(QStringLiteral("Consulta de Produtos")), 0, Qt::AlignHCenter);
    layout->addLayout(topo);
    layout->addWidget(dbg_Con_PRO, 1);
    layout->addLayout(botoes);
    OrdemTab({rbCon_Pro_Codigo, rbCon_PRO_Descricao, rbCon_PRO_Refer, rbManut_Con_Grupo,
              rbPRO_Busca_Codigo, rbPRO_Busca_Descricao, rbPRO_Busca_Refer, rbPRO_Busca_CodBar,
              rbPRO_Busca_OBS, edBusca_ConPRO, btnBusca_ConPro, dbg_Con_PRO, btnCon_PRO_Fecha,
              btnCon_PRO_Seleciona});
    resize(900, 560);

    connect(btnBusca_ConPro, &QPushButton::clicked, this, [this] { busca(edBusca_ConPRO); });
    connect(btnCon_PRO_Seleciona, &QPushButton::clicked, this,
            &TfBusca_Produtos::btnCon_PRO_SelecionaClick);
    connect(btnCon_PRO_Fecha, &QPushButton::clicked, this, &QDialog::close);
}

void TfBusca_Produtos::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The label is written without its tilde here.
    Messages::guarded([this] { ordemInicial(rbCon_PRO_Descricao, QStringLiteral("Descriçao:")); });
    // Opens ready for the search text, not on an order button that would
    // re-order the list as it took the focus back.
    edBusca_ConPRO->setFocus();
}

void TfBusca_Produtos::btnCon_PRO_SelecionaClick() {
    EntregaCodigo(Chamador, dmProdutos->cds_Produtos->FieldText(QStringLiteral("PRO_CODIGO")));
    close();
}
