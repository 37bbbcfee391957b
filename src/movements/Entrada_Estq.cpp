#include "movements/Entrada_Estq.h"

#include "data/SqlQuery.h"
#include "entry/Funcoes.h"
#include "entry/NumericField.h"
#include "entry/Precos.h"
#include "entry/RegionalNumbers.h"
#include "masterdata/Busca_Produtos.h"
#include "movements/Movimentacao.h"
#include "movements/TelaMovimento.h"
#include "shell/Cadastro.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

TfEntrada_Estq* fEntrada_Estq = nullptr;

TfEntrada_Estq::TfEntrada_Estq(QWidget* parent) : QDialog(parent, TelaSemBotoes) {
    setObjectName(QStringLiteral("fEntrada_Estq"));
    setWindowTitle(QStringLiteral("Entrada de Estoque"));

    TelaDeDados tela(this);
    lbEntrada_Titulo = tela.titulo(QStringLiteral("lbEntrada_Titulo"));
    lbEntrada_Titulo->setText(QStringLiteral("Entrada no Estoque"));
    const CamposProduto produto = CriaCamposProduto(
        tela, this,
        {"edENT_CodPRO", "edEnt_DescPro", "btnENT_Estoque_BuscaPRO", "edENT_CodBar", "edENT_Unid",
         "edEnt_QuantAtual", "Quantidade atual em Estoque:"});
    edENT_CodPRO = produto.codigo;
    edEnt_DescPro = produto.descricao;
    btnENT_Estoque_BuscaPRO = produto.busca;
    edENT_CodBar = produto.codBar;
    edENT_Unid = produto.unidade;
    edEnt_QuantAtual = produto.quantAtual;
    edEnt_Quant =
        tela.campo(QStringLiteral("edEnt_Quant"), QStringLiteral("Quantidade:"), 32767, 14);
    dtpEnt_Data = CampoData(tela, this, QStringLiteral("dtpEnt_Data"));
    edEnt_Documento =
        tela.campo(QStringLiteral("edEnt_Documento"), QStringLiteral("Documento:"), 32767, 20);
    edEnt_PCusto =
        tela.campo(QStringLiteral("edEnt_PCusto"), QStringLiteral("Preço de Custo:"), 32767, 16);
    edEnt_Margem = tela.campoAoLado(QStringLiteral("edEnt_Margem"),
                                    QStringLiteral("Margem de Lucro:"), 32767, 10);
    edEnt_PVenda = tela.campoAoLado(QStringLiteral("edEnt_PVenda"),
                                    QStringLiteral("Preço de Venda:"), 32767, 16);
    edENT_Local = tela.campo(QStringLiteral("edENT_Local"),
                             QStringLiteral("Localização no Estoque:"), 32767, 12);
    edENT_Min =
        tela.campo(QStringLiteral("edENT_Min"), QStringLiteral("Estoque Mínimo:"), 32767, 12);
    edENT_Max =
        tela.campoAoLado(QStringLiteral("edENT_Max"), QStringLiteral("Estoque Máximo:"), 32767, 12);
    edEnt_Refer =
        tela.campo(QStringLiteral("edEnt_Refer"), QStringLiteral("Referência:"), 32767, 20);
    edENT_Obs = tela.caixaTexto(QStringLiteral("edENT_Obs"),
                                QStringLiteral("Observações do Produto:"), 32767);
    btnEntrada_Grava = tela.botao(QStringLiteral("btnEntrada_Grava"), QStringLiteral("Grava"));
    btnEntrada_Limpa = tela.botao(QStringLiteral("btnEntrada_Limpa"), QStringLiteral("Limpa"));
    btnEntrada_Fechar = tela.botao(QStringLiteral("btnEntrada_Fechar"), QStringLiteral("Fechar"));
    tela.conclui();
    // The code field ends the tab order, though the screen opens in it.
    OrdemTab({edEnt_DescPro,     btnENT_Estoque_BuscaPRO,
              edENT_CodBar,      edENT_Unid,
              edEnt_QuantAtual,  edEnt_Quant,
              dtpEnt_Data,       edEnt_Documento,
              edEnt_PCusto,      edEnt_Margem,
              edEnt_PVenda,      edENT_Local,
              edENT_Min,         edENT_Max,
              edEnt_Refer,       edENT_Obs,
              btnEntrada_Grava,  btnEntrada_Limpa,
              btnEntrada_Fechar, edENT_CodPRO});
    setupConnections(produto);
}

void TfEntrada_Estq::setupConnections(const CamposProduto& produto) {
    LeituraProduto regras;
    regras.aoEntrarNoCodigo = [this] { btnEntrada_Grava->setEnabled(false); };
    regras.carrega = [this](SqlQuery* q) { carrega(q); };
    InstalaLeituraProduto(produto, regras);
    AbreBuscaCom(edENT_CodPRO, btnENT_Estoque_BuscaPRO, fBusca_Produtos,
                 QStringLiteral("Entrada Estoque"));
    NumericField::attach(edEnt_QuantAtual, NumericField::Quantity);
    NumericField::attach(edEnt_Quant, NumericField::Quantity, NumericField::CleanFirst);
    AcoplaPrecos(edEnt_PCusto, edEnt_Margem, edEnt_PVenda, NumericField::Plain);
    NumericField::attach(edENT_Min, NumericField::WholeNumber, NumericField::ColourOnly);
    NumericField::attach(edENT_Max, NumericField::WholeNumber, NumericField::ColourOnly);
    connect(btnEntrada_Grava, &QPushButton::clicked, this, &TfEntrada_Estq::btnEntrada_GravaClick);
    connect(btnEntrada_Limpa, &QPushButton::clicked, this, &TfEntrada_Estq::limpa);
    connect(btnEntrada_Fechar, &QPushButton::clicked, this, &QDialog::close);
}

void TfEntrada_Estq::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    limpa();
    btnEntrada_Grava->setEnabled(false);
}

void TfEntrada_Estq::limpa() {
    for (QLineEdit* campo :
         {edENT_CodPRO, edEnt_DescPro, edENT_CodBar, edENT_Unid, edEnt_Documento, edENT_Local})
        campo->clear();
    edEnt_QuantAtual->setText(QStringLiteral("0,000"));
    edEnt_Quant->setText(QStringLiteral("0,000"));
    dtpEnt_Data->setDate(QDate::currentDate());
    edEnt_PCusto->setText(QStringLiteral("R$ 0,00"));
    edEnt_Margem->setText(QStringLiteral("0,00%"));
    edEnt_PVenda->setText(QStringLiteral("R$ 0,00"));
    edENT_Min->setText(QStringLiteral("0"));
    edENT_Max->setText(QStringLiteral("0"));
    edEnt_Refer->setText(QStringLiteral("0"));
    edENT_Obs->clear();
    edENT_CodPRO->setFocus();
}

void TfEntrada_Estq::carrega(SqlQuery* q) {
    auto mostra = [q](QLineEdit* campo, NumericField::Kind kind, const char* coluna) {
        campo->setText(
            NumericField::displayText(kind, NumeroProduto(q, QString::fromLatin1(coluna))));
    };
    mostra(edEnt_PCusto, NumericField::Money, "PRO_PCUSTO");
    mostra(edEnt_PVenda, NumericField::Money, "PRO_PVENDA");
    mostra(edEnt_Margem, NumericField::Percentage, "PRO_MARGEM");
    mostra(edENT_Min, NumericField::WholeNumber, "PRO_MIN");
    mostra(edENT_Max, NumericField::WholeNumber, "PRO_EMAX");
    edEnt_Refer->setText(q->FieldText(QStringLiteral("PRO_REFER")));
    edENT_Obs->setPlainText(q->FieldText(QStringLiteral("PRO_OBS")));
    edENT_Local->setText(q->FieldText(QStringLiteral("PRO_LOCAL")));
    btnEntrada_Grava->setEnabled(true);
}

void TfEntrada_Estq::btnEntrada_GravaClick() {
    if (!LimpaNumerosParaGravar(
            {edEnt_Quant, edEnt_PCusto, edEnt_Margem, edEnt_PVenda, edENT_Min, edENT_Max},
            edEnt_Quant))
        return;
    const double quantidade = toNumber(edEnt_Quant->text());
    const double valor = toNumber(edEnt_PCusto->text()) * quantidade;
    const Movimento movimento{edENT_CodPRO->text(),
                              Operacao::Entrada,
                              dtpEnt_Data->date(),
                              valor,
                              quantidade,
                              edEnt_Documento->text(),
                              {}};
    if (GravaMovimento(BaseMovimentos::programa(), movimento,
                       QStringLiteral("Não Consegui Gravar, tente novamente !"),
                       [this](SqlQuery* q, double total) { gravaProduto(q, total); }))
        limpa();
}

// The product as the screen shows it, with its new quantity on hand and the
// entry's date as its last purchase; the bar code stays as stored.
void TfEntrada_Estq::gravaProduto(SqlQuery* q, double quantidadeTotal) {
    q->setStatement(
        {QStringLiteral("Update Produtos SET PRO_Descricao=:DescricaoC,PRO_Unid=:UnidC,"),
         QStringLiteral("PRO_Local=:LocalC,"),
         QStringLiteral(
             "PRO_Min=:MinC,PRO_Margem=:MargemC,PRO_PCusto=:PCustoC,PRO_PVenda=:PVendaC,"),
         QStringLiteral("PRO_Obs=:ObsC,PRO_Refer=:ReferC,PRO_EMax=:EMaxC,PRO_QUANT=:"
                        "QuantidadeTotalC,PRO_UComp=:DataC"),
         QStringLiteral("Where PRO_Codigo=:CodigoC")});
    q->ParamByName(QStringLiteral("DescricaoC")).setAsString(edEnt_DescPro->text());
    q->ParamByName(QStringLiteral("CodigoC")).setAsString(edENT_CodPRO->text());
    q->ParamByName(QStringLiteral("UnidC")).setAsString(edENT_Unid->text());
    q->ParamByName(QStringLiteral("LocalC")).setAsString(edENT_Local->text());
    q->ParamByName(QStringLiteral("ObsC")).setAsString(edENT_Obs->toPlainText());
    q->ParamByName(QStringLiteral("ReferC")).setAsString(edEnt_Refer->text());
    q->ParamByName(QStringLiteral("MinC")).setAsFloat(toNumber(edENT_Min->text()));
    q->ParamByName(QStringLiteral("MargemC")).setAsFloat(toNumber(edEnt_Margem->text()));
    q->ParamByName(QStringLiteral("PCustoC")).setAsFloat(toNumber(edEnt_PCusto->text()));
    q->ParamByName(QStringLiteral("PVendaC")).setAsFloat(toNumber(edEnt_PVenda->text()));
    q->ParamByName(QStringLiteral("EMaxC")).setAsFloat(toNumber(edENT_Max->text()));
    q->ParamByName(QStringLiteral("QuantidadeTotalC")).setAsFloat(quantidadeTotal);
    q->ParamByName(QStringLiteral("DataC")).setAsDate(dtpEnt_Data->date());
    q->Run();
}
