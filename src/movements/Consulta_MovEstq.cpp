#include "movements/Consulta_MovEstq.h"

#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "masterdata/Busca_Produtos.h"
#include "masterdata/Dados_Produtos.h"
#include "movements/FiltroTexto.h"
#include "movements/Movimentacao.h"
#include "movements/TelaMovimento.h"
#include "shell/Cadastro.h"
#include "shell/Conventions.h"
#include "shell/Grid.h"
#include "shell/ListaFiltrada.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

TfConsulta_MovEstq* fConsulta_MovEstq = nullptr;

namespace {

// A text as an SQL string literal.
QString literal(const QString& texto) {
    return u'\'' + QString(texto).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString ligada(const QString& operacao) {
    return QStringLiteral("MOV_OPER=") + literal(operacao);
}

// An operation that is off compares with two blanks, which no row holds.
const QString desligada = QStringLiteral("MOV_OPER='  '");

QLineEdit* campo(QWidget* tela, const QString& nome, int letras) {
    auto* edit = new QLineEdit(tela);
    edit->setObjectName(nome);
    LarguraEmLetras(edit, letras);
    followFocusColour(edit);
    return edit;
}

} // namespace

TfConsulta_MovEstq::TfConsulta_MovEstq(QWidget* parent) : QDialog(parent, TelaSemBotoes) {
    setObjectName(QStringLiteral("fConsulta_MovEstq"));
    setWindowTitle(QStringLiteral("Consulta de Movimentação de Estoque"));

    auto check = [this](const char* nome, const QString& legenda) {
        auto* box = new QCheckBox(legenda, this);
        box->setObjectName(QString::fromLatin1(nome));
        return box;
    };
    cbEntradas = check("cbEntradas", QStringLiteral("Entradas"));
    cbSaidas = check("cbSaidas", QStringLiteral("Saídas"));
    cbEst_Entrada = check("cbEst_Entrada", QStringLiteral("Estorno de Entrada"));
    cbEst_Saida = check("cbEst_Saida", QStringLiteral("Estorno de Saída"));
    dtpData_Inicial = Data(this, QStringLiteral("dtpData_Inicial"));
    dtpData_Final = Data(this, QStringLiteral("dtpData_Final"));
    followFocusColour(dtpData_Inicial);
    followFocusColour(dtpData_Final);
    btnDatas_Filtrar = Botao(this, QStringLiteral("btnDatas_Filtrar"), QStringLiteral("Filtrar"));
    cbTodosProdutos =
        Radio(this, QStringLiteral("cbTodosProdutos"), QStringLiteral("Todos os Produtos"));
    cbDeterminado_Produto =
        Radio(this, QStringLiteral("cbDeterminado_Produto"), QStringLiteral("Determinado Produto"));
    edCodPro = campo(this, QStringLiteral("edCodPro"), 10);
    edCodPro->setMaxLength(10);
    edCodPro->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edCodBar = campo(this, QStringLiteral("edCodBar"), 14);
    edCodBar->setMaxLength(14);
    btnBusca_Produto = BotaoBusca(this, QStringLiteral("btnBusca_Produto"));
    edDescricao = campo(this, QStringLiteral("edDescricao"), 30);
    btnProduto_Filtrar =
        Botao(this, QStringLiteral("btnProduto_Filtrar"), QStringLiteral("Filtrar"));
    dbgConsulta_MovEstq = Grade(this, QStringLiteral("dbgConsulta_MovEstq"));
    btnConsulta_MovEstq_Fechar =
        Botao(this, QStringLiteral("btnConsulta_MovEstq_Fechar"), QStringLiteral("Fechar"));

    QGroupBox* mostrar =
        Caixa(this, QStringLiteral("Mostrar"), {cbEntradas, cbSaidas, cbEst_Entrada, cbEst_Saida});
    QGroupBox* datas =
        Caixa(this, QStringLiteral("Datas"),
              {RotuloDe(this, dtpData_Inicial, QStringLiteral("Data Inicial:")), dtpData_Inicial,
               RotuloDe(this, dtpData_Final, QStringLiteral("Data Final:")), dtpData_Final,
               btnDatas_Filtrar});
    QGroupBox* produto = Caixa(
        this, QStringLiteral("Produto"),
        {cbTodosProdutos, cbDeterminado_Produto, RotuloDe(this, edCodPro, QStringLiteral("Código")),
         edCodPro, btnBusca_Produto, RotuloDe(this, edCodBar, QStringLiteral("Código de Barras")),
         edCodBar, RotuloDe(this, edDescricao, QStringLiteral("Descrição")), edDescricao,
         btnProduto_Filtrar});

    auto* layout = new QVBoxLayout(this);
    auto* topo = new QHBoxLayout;
    topo->addWidget(mostrar);
    topo->addWidget(datas);
    layout->addLayout(topo);
    layout->addWidget(produto);
    layout->addWidget(dbgConsulta_MovEstq, 1);
    layout->addWidget(btnConsulta_MovEstq_Fechar, 0, Qt::AlignRight);

    linhas = new ListaFiltrada(dmMovEstq->cds_MovEstq, this);
    bindGrid(dbgConsulta_MovEstq, linhas,
             {{QStringLiteral("MOV_CODPRO"), QStringLiteral("Código")},
              {QStringLiteral("PRO_DESCRICAO"), QStringLiteral("Descrição")},
              {QStringLiteral("MOV_DATA"), QStringLiteral("Data")},
              {QStringLiteral("MOV_VALOR"), QStringLiteral("Valor")},
              {QStringLiteral("MOV_QUANT"), QStringLiteral("Quantidade")},
              {QStringLiteral("MOV_DOC"), QStringLiteral("Documento")},
              {QStringLiteral("DESCRICAO"), QStringLiteral("Operação")},
              {QStringLiteral("TIP_DESCRICAO"), QStringLiteral("Tipo de Saída")}});

    OrdemTab({cbEntradas, cbSaidas, cbEst_Entrada, cbEst_Saida, dtpData_Inicial, dtpData_Final,
              btnDatas_Filtrar, cbTodosProdutos, cbDeterminado_Produto, edCodPro, btnBusca_Produto,
              edCodBar, edDescricao, btnProduto_Filtrar, dbgConsulta_MovEstq,
              btnConsulta_MovEstq_Fechar});
    setupConnections();
}

void TfConsulta_MovEstq::setupConnections() {
    connect(cbEntradas, &QCheckBox::toggled, this,
            [this] { cbOperacaoClick(cbEntradas, fragEntradas, Operacao::Entrada); });
    connect(cbSaidas, &QCheckBox::toggled, this,
            [this] { cbOperacaoClick(cbSaidas, fragSaidas, Operacao::Saida); });
    connect(cbEst_Entrada, &QCheckBox::toggled, this,
            [this] { cbOperacaoClick(cbEst_Entrada, fragEstEntrada, Operacao::EstornoEntrada); });
    connect(cbEst_Saida, &QCheckBox::toggled, this,
            [this] { cbOperacaoClick(cbEst_Saida, fragEstSaida, Operacao::EstornoSaida); });
    connect(cbTodosProdutos, &QRadioButton::toggled, this, [this](bool marcado) {
        if (marcado)
            btnProduto_FiltrarClick();
    });
    onEnter(cbTodosProdutos, [this] { btnProduto_FiltrarClick(); });
    onEnter(cbDeterminado_Produto, [this] { btnProduto_FiltrarClick(); });
    connect(btnProduto_Filtrar, &QPushButton::clicked, this,
            &TfConsulta_MovEstq::btnProduto_FiltrarClick);
    connect(btnDatas_Filtrar, &QPushButton::clicked, this,
            &TfConsulta_MovEstq::btnDatas_FiltrarClick);
    onEnter(edCodPro, [this] { edCodPro->setText(edCodPro->text().trimmed()); });
    onExit(edCodPro, [this] { edCodProExit(); });
    onExit(edCodBar, [this] { edCodBarExit(); });
    AbreBuscaCom(edCodPro, btnBusca_Produto, fBusca_Produtos, QStringLiteral("Consulta MovEstq"));
    connect(btnConsulta_MovEstq_Fechar, &QPushButton::clicked, this, [this] {
        dmMovEstq->SQLQ_MovEstq2->Close();
        close();
    });
}

void TfConsulta_MovEstq::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fragEntradas = ligada(Operacao::Entrada);
    fragSaidas = ligada(Operacao::Saida);
    fragEstEntrada = ligada(Operacao::EstornoEntrada);
    fragEstSaida = ligada(Operacao::EstornoSaida);
    // Each box whose state changes here runs its click, so the filter ends
    // up matching the boxes.
    for (QCheckBox* box : {cbEntradas, cbSaidas, cbEst_Entrada, cbEst_Saida})
        box->setChecked(true);
    dtpData_Inicial->setDate(QDate::currentDate());
    dtpData_Final->setDate(QDate::currentDate());
    cbTodosProdutos->setChecked(true);
    edCodPro->clear();
    edCodBar->clear();
    edDescricao->clear();
    Messages::guarded([this] {
        fb::Params hoje;
        hoje.setDate(QStringLiteral("HojeD"), QDate::currentDate());
        dmMovEstq->cds_MovEstq->Reload(
            {TdmMovEstq::BaseMovEstq2 + QStringLiteral(" Where m.MOV_Data=:HojeD")}, hoje);
        montaFragmentoProduto();
        aplicaFiltro();
    });
}

void TfConsulta_MovEstq::montaFragmentoProduto() {
    fragProduto = cbDeterminado_Produto->isChecked()
                      ? QStringLiteral("MOV_CodPRo=") + literal(edCodPro->text())
                      : QStringLiteral("MOV_CodPRo<>'      '");
}

void TfConsulta_MovEstq::aplicaFiltro() {
    Filtered = false;
    Filter = fragProduto + QStringLiteral(" and (") + fragEntradas + QStringLiteral(" or ") +
             fragSaidas + QStringLiteral(" or ") + fragEstEntrada + QStringLiteral(" or ") +
             fragEstSaida + u')';
    linhas->setCriterio(CompilaFiltro(Filter, dmMovEstq->cds_MovEstq));
    Filtered = true;
}

void TfConsulta_MovEstq::cbOperacaoClick(QCheckBox* box, QString& fragmento,
                                         const QString& operacao) {
    if (!edCodPro->text().trimmed().isEmpty())
        edCodPro->setText(CompletaCodigoProduto(edCodPro->text()));
    montaFragmentoProduto();
    fragmento = box->isChecked() ? ligada(operacao) : desligada;
    aplicaFiltro();
}

void TfConsulta_MovEstq::btnProduto_FiltrarClick() {
    // An empty code becomes ten blanks: a chosen product without a code
    // shows no rows.
    edCodPro->setText(CompletaCodigoProduto(edCodPro->text()));
    montaFragmentoProduto();
    aplicaFiltro();
}

void TfConsulta_MovEstq::btnDatas_FiltrarClick() {
    Messages::guarded([this] {
        Filtered = false;
        linhas->setCriterio({});
        fb::Params periodo;
        periodo.setDate(QStringLiteral("DataInicialD"), dtpData_Inicial->date());
        periodo.setDate(QStringLiteral("DataFinalD"), dtpData_Final->date());
        dmMovEstq->cds_MovEstq->Reload(
            {TdmMovEstq::BaseMovEstq2 + QStringLiteral(" Where"),
             QStringLiteral("m.MOV_Data Between :DataInicialD and :DataFinalD")},
            periodo);
        linhas->setCriterio(CompilaFiltro(Filter, dmMovEstq->cds_MovEstq));
        Filtered = true;
    });
}

bool TfConsulta_MovEstq::mostraProduto(bool achou) {
    SqlQuery* q = dmProdutos->SQLQ_Produtos;
    if (achou) {
        edCodPro->setText(q->FieldText(QStringLiteral("PRO_Codigo")));
        edCodBar->setText(q->FieldText(QStringLiteral("PRO_CodBar")));
        edDescricao->setText(q->FieldText(QStringLiteral("PRO_Descricao")));
    }
    q->Close();
    if (!achou) {
        Messages::warning(QStringLiteral("Produto não Cadastrado !, tente outro código"));
        edCodPro->clear();
        edCodPro->setFocus();
    }
    return achou;
}

void TfConsulta_MovEstq::edCodProExit() {
    if (edCodPro->text().trimmed().isEmpty())
        return;
    edCodPro->setText(CompletaCodigoProduto(edCodPro->text()));
    Messages::guarded([this] { mostraProduto(LeProdutoPorCodigo(edCodPro->text())); });
}

void TfConsulta_MovEstq::edCodBarExit() {
    if (edCodBar->text().trimmed().isEmpty())
        return;
    Messages::guarded([this] { mostraProduto(LeProdutoPorCodBar(edCodBar->text())); });
}
