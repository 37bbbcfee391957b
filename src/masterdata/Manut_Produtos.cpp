#include "masterdata/Manut_Produtos.h"

#include "data/DataModule_Produtos.h"
#include "masterdata/Dados_Produtos.h"
#include "shell/Conventions.h"
#include "shell/Grid.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

TfManut_Produtos* fManut_Produtos = nullptr;

void OrdenaProdutos(const QString& coluna) {
    dmProdutos->cds_Produtos->Reload(
        {QStringLiteral("Select p.*,g.GRU_Descricao From Produtos p join Grupos g "
                        "on(p.PRO_CodGRU =g.GRU_Codigo) Order By ") +
         coluna});
}

TelaListaProdutos::TelaListaProdutos(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags) {
    lbTitulo_Busca = Rotulo(this, QStringLiteral("lbTitulo_Busca"), QStringLiteral("Descrição:"));
    rbPRO_Busca_Codigo =
        Radio(this, QStringLiteral("rbPRO_Busca_Codigo"), QStringLiteral("Código:"));
    rbPRO_Busca_Descricao =
        Radio(this, QStringLiteral("rbPRO_Busca_Descricao"), QStringLiteral("Descrição"));
    rbPRO_Busca_Refer =
        Radio(this, QStringLiteral("rbPRO_Busca_Refer"), QStringLiteral("Referência"));
    rbPRO_Busca_CodBar =
        Radio(this, QStringLiteral("rbPRO_Busca_CodBar"), QStringLiteral("Código de Barras"));
    rbPRO_Busca_OBS = Radio(this, QStringLiteral("rbPRO_Busca_OBS"), QStringLiteral("Observações"));
    rbPRO_Busca_Descricao->setChecked(true);

    const std::pair<QRadioButton*, QString> rotulos[] = {
        {rbPRO_Busca_Codigo, QStringLiteral("Código:")},
        {rbPRO_Busca_Descricao, QStringLiteral("Descrição:")},
        {rbPRO_Busca_Refer, QStringLiteral("Referência:")},
        {rbPRO_Busca_CodBar, QStringLiteral("Código de Barras:")},
        {rbPRO_Busca_OBS, QStringLiteral("Observações:")},
    };
    for (const auto& [chave, rotulo] : rotulos)
        onEnter(chave, [this, chave, rotulo] {
            chave->setChecked(true);
            lbTitulo_Busca->setText(rotulo);
        });
}

QLabel* TelaListaProdutos::titulo(const QString& texto) {
    auto* rotulo = new QLabel(texto, this);
    QFont fonte = rotulo->font();
    fonte.setPointSize(fonte.pointSize() + 4);
    fonte.setBold(true);
    rotulo->setFont(fonte);
    return rotulo;
}

QTableView* TelaListaProdutos::gradeProdutos(const QString& nome) {
    QTableView* grade = Grade(this, nome);
    bindGrid(grade, dmProdutos->cds_Produtos,
             {{QStringLiteral("PRO_CODIGO"), QStringLiteral("Código")},
              {QStringLiteral("PRO_DESCRICAO"), QStringLiteral("Descrição")},
              {QStringLiteral("PRO_UNID"), QStringLiteral("Unidade")},
              {QStringLiteral("PRO_CODGRU"), QStringLiteral("Cód.Grupo")},
              {QStringLiteral("GRU_DESCRICAO"), QStringLiteral("Descrição Grupo")},
              {QStringLiteral("PRO_LOCAL"), QStringLiteral("Localização")},
              {QStringLiteral("PRO_QUANT"), QStringLiteral("Quantidade")},
              {QStringLiteral("PRO_MIN"), QStringLiteral("Est.Mínimo")},
              {QStringLiteral("PRO_MARGEM"), QStringLiteral("Margem de Lucro")},
              {QStringLiteral("PRO_PCUSTO"), QStringLiteral("Preço de Custo")},
              {QStringLiteral("PRO_PVENDA"), QStringLiteral("Preço de Venda")},
              {QStringLiteral("PRO_UCOMP"), QStringLiteral("U.Compra")},
              {QStringLiteral("PRO_DCAD"), QStringLiteral("D.Cadastro")},
              {QStringLiteral("PRO_OBS"), QStringLiteral("Observações")},
              {QStringLiteral("PRO_REFER"), QStringLiteral("Referência")},
              {QStringLiteral("PRO_CODBAR"), QStringLiteral("Código de Barras")},
              {QStringLiteral("PRO_EMAX"), QStringLiteral("E.Máximo")}});
    return grade;
}

QRadioButton* TelaListaProdutos::ordem(const QString& nome, const QString& legenda,
                                       const QString& coluna) {
    QRadioButton* radio = Radio(this, nome, legenda);
    onEnter(radio, [radio, coluna] {
        radio->setChecked(true);
        Messages::guarded([&coluna] { OrdenaProdutos(coluna); });
    });
    return radio;
}

QGroupBox* TelaListaProdutos::caixaBusca(QLineEdit* busca, QPushButton* botao) {
    auto* caixa = new QGroupBox(QStringLiteral("Busca"), this);
    auto* chaves = new QHBoxLayout;
    for (QRadioButton* chave : {rbPRO_Busca_Codigo, rbPRO_Busca_Descricao, rbPRO_Busca_Refer,
                                rbPRO_Busca_CodBar, rbPRO_Busca_OBS}) {
        chave->setParent(caixa);
        chaves->addWidget(chave);
    }
    auto* texto = new QHBoxLayout;
    for (QWidget* controle : std::initializer_list<QWidget*>{lbTitulo_Busca, busca, botao}) {
        controle->setParent(caixa);
        texto->addWidget(controle);
    }
    auto* layout = new QVBoxLayout(caixa);
    layout->addLayout(chaves);
    layout->addLayout(texto);
    return caixa;
}

void TelaListaProdutos::ordemInicial(QRadioButton* porDescricao, const QString& rotulo) {
    porDescricao->setChecked(true);
    rbPRO_Busca_Descricao->setChecked(true);
    lbTitulo_Busca->setText(rotulo);
    OrdenaProdutos(QStringLiteral("p.PRO_Descricao"));
}

void TelaListaProdutos::busca(QLineEdit* texto) {
    if (rbPRO_Busca_Codigo->isChecked()) {
        texto->setText(CompletaCodigoProduto(texto->text()));
        dmProdutos->cds_Produtos->LocatePrefix(QStringLiteral("PRO_CODIGO"), texto->text());
        return;
    }
    const std::pair<QRadioButton*, const char*> campos[] = {
        {rbPRO_Busca_Descricao, "PRO_DESCRICAO"},
        {rbPRO_Busca_Refer, "PRO_REFER"},
        {rbPRO_Busca_CodBar, "PRO_CODBAR"},
        {rbPRO_Busca_OBS, "PRO_OBS"},
    };
    for (const auto& [chave, campo] : campos)
        if (chave->isChecked())
            dmProdutos->cds_Produtos->LocatePrefix(QString::fromLatin1(campo), texto->text());
}

TfManut_Produtos::TfManut_Produtos(QWidget* parent) : TelaListaProdutos(parent, TelaSemBotoes) {
    setObjectName(QStringLiteral("fManut_Produtos"));
    setWindowTitle(QStringLiteral("Manutenção de Produtos"));

    dbg_Manut_PRO = gradeProdutos(QStringLiteral("dbg_Manut_PRO"));
    btnManut_PRO_Novo = Botao(this, QStringLiteral("btnManut_PRO_Novo"), QStringLiteral("Novo"));
    btnManut_PRO_Altera =
        Botao(this, QStringLiteral("btnManut_PRO_Altera"), QStringLiteral("Altera"));
    btnManut_PRO_Exclui =
        Botao(this, QStringLiteral("btnManut_PRO_Exclui"), QStringLiteral("Exclui"));
    btnManut_PRO_Consulta =
        Botao(this, QStringLiteral("btnManut_PRO_Consulta"), QStringLiteral("Consulta"));
    btnManut_PRO_Fecha = Botao(this, QStringLiteral("btnManut_PRO_Fecha"), QStringLiteral("Fecha"));
    rbManut_Pro_Codigo = ordem(QStringLiteral("rbManut_Pro_Codigo"), QStringLiteral("Código"),
                               QStringLiteral("p.PRO_Codigo"));
    rbManut_PRO_Descricao = ordem(QStringLiteral("rbManut_PRO_Descricao"),
                                  QStringLiteral("Descrição"), QStringLiteral("p.PRO_Descricao"));
    rbManut_PRO_Refer = ordem(QStringLiteral("rbManut_PRO_Refer"), QStringLiteral("Referência"),
                              QStringLiteral("p.PRO_Refer"));
    rbManut_PRO_Grupo = ordem(QStringLiteral("rbManut_PRO_Grupo"), QStringLiteral("Grupo"),
                              QStringLiteral("g.GRU_Descricao"));
    rbManut_PRO_Descricao->setChecked(true);
    edBusca_ManutPRO = new QLineEdit(this);
    edBusca_ManutPRO->setObjectName(QStringLiteral("edBusca_ManutPRO"));
    btnBusca_ManutPro = Botao(this, QStringLiteral("btnBusca_ManutPro"), QStringLiteral("Busca"));

    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {btnManut_PRO_Novo, btnManut_PRO_Altera, btnManut_PRO_Exclui,
                           btnManut_PRO_Consulta, btnManut_PRO_Fecha})
        botoes->addWidget(b);
    botoes->addStretch();
    auto* baixo = new QHBoxLayout;
    baixo->addWidget(
        Caixa(this, QStringLiteral("Ordenado por:"),
              {rbManut_Pro_Codigo, rbManut_PRO_Descricao, rbManut_PRO_Refer, rbManut_PRO_Grupo}));
    baixo->addWidget(caixaBusca(edBusca_ManutPRO, btnBusca_ManutPro), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo(QStringLiteral("Manutenção de Produtos")), 0, Qt::AlignHCenter);
    layout->addWidget(dbg_Manut_PRO, 1);
    layout->addLayout(botoes);
    layout->addLayout(baixo);
    OrdemTab({dbg_Manut_PRO, btnManut_PRO_Novo, btnManut_PRO_Altera, btnManut_PRO_Exclui,
              btnManut_PRO_Consulta, btnManut_PRO_Fecha, rbManut_Pro_Codigo, rbManut_PRO_Descricao,
              rbManut_PRO_Refer, rbManut_PRO_Grupo, rbPRO_Busca_Codigo, rbPRO_Busca_Descricao,
              rbPRO_Busca_Refer, rbPRO_Busca_CodBar, rbPRO_Busca_OBS, edBusca_ManutPRO,
              btnBusca_ManutPro});
    resize(900, 560);

    connect(btnBusca_ManutPro, &QPushButton::clicked, this, [this] { busca(edBusca_ManutPRO); });
    connect(btnManut_PRO_Novo, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("Inclui")); });
    connect(btnManut_PRO_Altera, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("Altera")); });
    connect(btnManut_PRO_Exclui, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("Exclui")); });
    connect(btnManut_PRO_Consulta, &QPushButton::clicked, this,
            [this] { abreDados(QStringLiteral("Consulta")); });
    connect(btnManut_PRO_Fecha, &QPushButton::clicked, this, &QDialog::close);
}

void TfManut_Produtos::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Messages::guarded([this] {
        edBusca_ManutPRO->clear();
        ordemInicial(rbManut_PRO_Descricao, QStringLiteral("Descrição:"));
    });
    // A showing starts on the grid, not on an order button that would
    // re-order the list as it took the focus back.
    dbg_Manut_PRO->setFocus();
}

void TfManut_Produtos::abreDados(const QString& modo) {
    Modo = modo;
    fDados_Produtos->exec();
}
