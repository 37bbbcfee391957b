#include "movements/ManutMovEstq.h"

#include "data/DataModule_Conexao.h"
#include "data/DataModule_MovEstq.h"
#include "data/DataModule_Produtos.h"
#include "data/ListCopy.h"
#include "data/SqlQuery.h"
#include "entry/EditH.h"
#include "masterdata/Busca_Produtos.h"
#include "masterdata/Dados_Produtos.h"
#include "movements/Movimentacao.h"
#include "movements/TelaMovimento.h"
#include "shell/Cadastro.h"
#include "shell/Gravacao.h"
#include "shell/Grid.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TfManutMovEstq* fManutMovEstq = nullptr;

namespace {

ListCopy* lista() {
    return dmMovEstq->cds_movEstq2;
}

// The movement table has no key of its own: the row is found by every column
// as read, nulls included, and only one of two identical rows goes.
void apagaLinha(int linha) {
    static const QStringList colunas = {QStringLiteral("MOV_CODPRO"), QStringLiteral("MOV_OPER"),
                                        QStringLiteral("MOV_DATA"),   QStringLiteral("MOV_VALOR"),
                                        QStringLiteral("MOV_QUANT"),  QStringLiteral("MOV_DOC"),
                                        QStringLiteral("MOV_TIPO")};
    QStringList condicoes;
    for (const QString& coluna : colunas)
        condicoes << coluna + QStringLiteral(" IS NOT DISTINCT FROM :") + coluna;
    SqlQuery* q = dmMovEstq->SQLQ_MovEstq;
    q->setStatement(
        {QStringLiteral("Delete From MOV_ESTQ Where ") + condicoes.join(QStringLiteral(" and ")),
         QStringLiteral("ROWS 1")});
    for (const QString& coluna : colunas)
        q->Params.setValue(coluna, lista()->value(linha, coluna));
    if (q->ExecSQL() != 1)
        throw Recusa(Messages::Kind::StandardError,
                     QStringLiteral("Este movimento não está mais no Banco de Dados: outra "
                                    "estação o alterou ou excluiu. Nada foi excluído."));
}

const QString listaVazia = QStringLiteral("Cannot perform this operation on an empty dataset");

} // namespace

TfManutMovEstq::TfManutMovEstq(QWidget* parent) : QDialog(parent, TelaSemBotoes) {
    setObjectName(QStringLiteral("fManutMovEstq"));
    setWindowTitle(QStringLiteral("Manutenção de Movimentação de Estoque"));

    dtpDataInicial = Data(this, QStringLiteral("dtpDataInicial"));
    dtpDataFinal = Data(this, QStringLiteral("dtpDataFinal"));
    edCodigo = new TEditH(this);
    edCodigo->setObjectName(QStringLiteral("edCodigo"));
    edCodigo->setTextAlignment(TEditH::taRightJustify);
    edCodigo->setMaxLength(10);
    LarguraEmLetras(edCodigo, 10);
    edDesc = new TEditH(this);
    edDesc->setObjectName(QStringLiteral("edDesc"));
    SoLeitura(edDesc);
    LarguraEmLetras(edDesc, 30);
    btnBusca = BotaoBusca(this, QStringLiteral("btnBusca"));
    btnFiltra = Botao(this, QStringLiteral("btnFiltra"), QStringLiteral("Filtrar"));
    dbgMovEstq = Grade(this, QStringLiteral("dbgMovEstq"));
    btnExcluir = Botao(this, QStringLiteral("btnExcluir"), QStringLiteral("Somente Excluir"));
    btnReverter = Botao(this, QStringLiteral("btnReverter"), QStringLiteral("Excluir e Reverter"));
    btnFechar = Botao(this, QStringLiteral("btnFechar"), QStringLiteral("Fechar"));

    QGroupBox* busca =
        Caixa(this, QStringLiteral("Busca"),
              {RotuloDe(this, dtpDataInicial, QStringLiteral("Data Inicial:")), dtpDataInicial,
               RotuloDe(this, dtpDataFinal, QStringLiteral("Data Final:")), dtpDataFinal,
               RotuloDe(this, edCodigo, QStringLiteral("Código")), edCodigo, btnBusca,
               RotuloDe(this, edDesc, QStringLiteral("Descrição")), edDesc, btnFiltra});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(busca);
    layout->addWidget(dbgMovEstq, 1);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    for (QPushButton* b : {btnExcluir, btnReverter, btnFechar})
        botoes->addWidget(b);
    layout->addLayout(botoes);

    bindGrid(dbgMovEstq, lista(),
             {{QStringLiteral("MOV_CODPRO"), QStringLiteral("Cód.Prod.")},
              {QStringLiteral("MOV_OPER"), QStringLiteral("Operação")},
              {QStringLiteral("MOV_TIPO"), QStringLiteral("Tipo de Saída")},
              {QStringLiteral("MOV_DATA"), QStringLiteral("Data")},
              {QStringLiteral("MOV_VALOR"), QStringLiteral("Valor")},
              {QStringLiteral("MOV_QUANT"), QStringLiteral("Quantidade")},
              {QStringLiteral("MOV_DOC"), QStringLiteral("Documento")}});
    OrdemTab({dtpDataInicial, dtpDataFinal, edCodigo, btnBusca, btnFiltra, dbgMovEstq, btnExcluir,
              btnReverter, btnFechar});
    setupConnections();
}

void TfManutMovEstq::setupConnections() {
    edCodigo->OnEnter = [this] { edDesc->clear(); };
    edCodigo->OnExit = [this] { edCodigoExit(); };
    AbreBuscaCom<TfBusca_Produtos>(edCodigo, btnBusca, fBusca_Produtos,
                                   QStringLiteral("ManutMovEstq"));
    connect(btnFiltra, &QPushButton::clicked, this, &TfManutMovEstq::btnFiltraClick);
    connect(btnExcluir, &QPushButton::clicked, this, &TfManutMovEstq::btnExcluirClick);
    connect(btnReverter, &QPushButton::clicked, this, &TfManutMovEstq::btnReverterClick);
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::close);
}

void TfManutMovEstq::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    dtpDataInicial->setDate(QDate::currentDate());
    dtpDataFinal->setDate(QDate::currentDate());
    edCodigo->clear();
    edDesc->clear();
    dtpDataInicial->setFocus();
    Messages::guarded([] {
        fb::Params hoje;
        hoje.setDate(QStringLiteral("HojeD"), QDate::currentDate());
        lista()->Reload(
            {QStringLiteral("SElect * From Mov_Estq"), QStringLiteral("Where MOV_Data=:HojeD")},
            hoje);
    });
}

void TfManutMovEstq::edCodigoExit() {
    if (edCodigo->text().trimmed().isEmpty())
        return;
    edCodigo->setText(CompletaCodigoProduto(edCodigo->text()));
    Messages::guarded([this] {
        const bool achou = LeProdutoPorCodigo(edCodigo->text());
        SqlQuery* q = dmProdutos->SQLQ_Produtos;
        const QString descricao = achou ? q->FieldText(QStringLiteral("PRO_Descricao")) : QString();
        q->Close();
        if (!achou) {
            Messages::error(QStringLiteral("Produto não Cadastrado"));
            edCodigo->clear();
            edDesc->clear();
            edCodigo->keepFocus();
            return;
        }
        edDesc->setText(descricao);
        btnFiltra->setFocus();
    });
}

void TfManutMovEstq::btnFiltraClick() {
    Messages::guarded([this] {
        fb::Params p;
        p.setDate(QStringLiteral("DataInicialD"), dtpDataInicial->date());
        p.setDate(QStringLiteral("DataFinalD"), dtpDataFinal->date());
        if (!edCodigo->text().trimmed().isEmpty()) {
            edCodigo->setText(CompletaCodigoProduto(edCodigo->text()));
            p.setText(QStringLiteral("CodigoC"), edCodigo->text());
            lista()->Reload({QStringLiteral("SElect * From Mov_Estq Where"),
                             QStringLiteral("MOV_Data Between :DataInicialD and :DataFinalD and "
                                            "MOV_CodPro=:CodigoC")},
                            p);
        } else {
            lista()->Reload({QStringLiteral("SElect * From Mov_Estq  Where"),
                             QStringLiteral("MOV_Data Between :DataInicialD and :DataFinalD")},
                            p);
        }
    });
}

void TfManutMovEstq::btnExcluirClick() {
    if (!Messages::confirm(QStringLiteral("Tem certeza que deseja Excluir essa Movimentação ?")))
        return;
    if (lista()->IsEmpty()) {
        Messages::standardError(listaVazia);
        return;
    }
    const int linha = lista()->RecNo();
    // A deletion the database refuses is reported with its own text; the row
    // stays in the table and in the grid.
    const WriteSite site{dmConexao->SQLC_QOR, nullptr, Messages::Kind::StandardError, {}, true};
    Grava(
        site, [linha] { apagaLinha(linha); }, [linha] { lista()->RemoveRow(linha); });
}

void TfManutMovEstq::btnReverterClick() {
    if (!Messages::confirm(
            QStringLiteral("Tem certeza que deseja Excluir e Reverter essa Movimentação ?")))
        return;
    const int linha = lista()->RecNo();
    if (linha < 0) {
        Messages::error(QStringLiteral("Não Consegui Realizar a Operação, Tente Novamente"));
        return;
    }
    if (ReverteMovimento(BaseMovimentos::programa(),
                         lista()->FieldText(QStringLiteral("MOV_CODPRO")),
                         lista()->FieldText(QStringLiteral("MOV_OPER")),
                         lista()->FieldValue(QStringLiteral("MOV_QUANT")).toDouble(),
                         [linha] { apagaLinha(linha); }))
        lista()->RemoveRow(linha);
}
