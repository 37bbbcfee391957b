#include "utilities/Importa_Produtos.h"

#include "data/DataModule_Conexao.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_Produtos.h"
#include "data/FbConnection.h"
#include "data/FbResult.h"
#include "data/SqlConnection.h"
#include "data/SqlQuery.h"
#include "shell/Arquivos.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace importacao;

TfImporta_Produtos* fImporta_Produtos = nullptr;

namespace {

// The columns of the preview, with their headings.
QStringList titulosDe(Tipo tipo) {
    if (tipo == Tipo::Grupos)
        return {QStringLiteral("Código"), QStringLiteral("Descrição")};
    return {QStringLiteral("Código"),      QStringLiteral("Descrição"),
            QStringLiteral("Grupo"),       QStringLiteral("Unid."),
            QStringLiteral("Local"),       QStringLiteral("Preço de Custo"),
            QStringLiteral("Margem"),      QStringLiteral("Preço de Venda"),
            QStringLiteral("Mínimo"),      QStringLiteral("Máximo"),
            QStringLiteral("Referência"),  QStringLiteral("Código de Barras"),
            QStringLiteral("Observações"), QStringLiteral("Última Compra"),
            QStringLiteral("Cadastro")};
}

// A stored value as the screens show it.
QString mostrado(const QString& campo, const QVariant& valor) {
    if (!valor.isValid())
        return {};
    if (valor.typeId() == QMetaType::QDate)
        return valor.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    if (valor.typeId() != QMetaType::Double)
        return valor.toString();
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    if (campo == QLatin1String("PRO_PCUSTO") || campo == QLatin1String("PRO_PVENDA"))
        return QStringLiteral("R$ ") + brasil.toString(valor.toDouble(), 'f', 2);
    if (campo == QLatin1String("PRO_MARGEM"))
        return brasil.toString(valor.toDouble(), 'f', 2) + u'%';
    return brasil.toString(valor.toDouble(), 'f', 0);
}

QStringList codigosGuardados(const QString& sql) {
    const fb::ResultSet r = dmConexao->SQLC_QOR->database().select(sql);
    QStringList codigos;
    for (int row = 0; row < r.rowCount(); ++row)
        codigos << r.value(row, 0).toString();
    return codigos;
}

} // namespace

TfImporta_Produtos::TfImporta_Produtos(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fImporta_Produtos"));
    setWindowTitle(QStringLiteral("Importar Produtos"));
    resize(900, 620);
    auto* layout = new QVBoxLayout(this);

    auto* tipo = new QHBoxLayout;
    tipo->addWidget(new QLabel(QStringLiteral("Importar:"), this));
    rbProdutos = Radio(this, QStringLiteral("rbProdutos"), QStringLiteral("Produtos"));
    rbGrupos = Radio(this, QStringLiteral("rbGrupos"), QStringLiteral("Grupos"));
    rbProdutos->setChecked(true);
    tipo->addWidget(rbProdutos);
    tipo->addWidget(rbGrupos);
    tipo->addStretch();
    layout->addLayout(tipo);

    auto* arquivo = new QHBoxLayout;
    edArquivo = SoLeitura(new QLineEdit(this));
    edArquivo->setObjectName(QStringLiteral("edArquivo"));
    arquivo->addWidget(RotuloDe(this, edArquivo, QStringLiteral("Arquivo:")));
    arquivo->addWidget(edArquivo, 1);
    btnEscolheArquivo =
        Botao(this, QStringLiteral("btnEscolheArquivo"), QStringLiteral("Escolher Arquivo..."));
    arquivo->addWidget(btnEscolheArquivo);
    layout->addLayout(arquivo);

    lbLeitura = Rotulo(this, QStringLiteral("lbLeitura"), {});
    lbColunas = Rotulo(this, QStringLiteral("lbColunas"), {});
    lbColunas->setWordWrap(true);
    layout->addWidget(lbLeitura);
    layout->addWidget(lbColunas);

    dbgPrevia = new QTableWidget(this);
    dbgPrevia->setObjectName(QStringLiteral("dbgPrevia"));
    dbgPrevia->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbgPrevia->verticalHeader()->setVisible(false);
    layout->addWidget(RotuloDe(this, dbgPrevia, QStringLiteral("Como serão gravados:")));
    // Lists are not named by their label's buddy: they say their names
    // themselves.
    dbgPrevia->setAccessibleName(QStringLiteral("Como serão gravados"));
    layout->addWidget(dbgPrevia, 2);

    lstRecusas = new QListWidget(this);
    lstRecusas->setObjectName(QStringLiteral("lstRecusas"));
    layout->addWidget(RotuloDe(this, lstRecusas, QStringLiteral("Linhas recusadas:")));
    lstRecusas->setAccessibleName(QStringLiteral("Linhas recusadas"));
    layout->addWidget(lstRecusas, 1);

    lstAvisos = new QListWidget(this);
    lstAvisos->setObjectName(QStringLiteral("lstAvisos"));
    layout->addWidget(RotuloDe(this, lstAvisos, QStringLiteral("Linhas gravadas com correção:")));
    lstAvisos->setAccessibleName(QStringLiteral("Linhas gravadas com correção"));
    layout->addWidget(lstAvisos, 1);
    // A line's reasons are read whole, not scrolled to.
    for (QListWidget* lista : {lstRecusas, lstAvisos}) {
        lista->setWordWrap(true);
        lista->setResizeMode(QListView::Adjust);
        lista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

    lbResumo = Rotulo(this, QStringLiteral("lbResumo"), {});
    layout->addWidget(lbResumo);
    auto* botoes = new QHBoxLayout;
    btnImportar = Botao(this, QStringLiteral("btnImportar"), QStringLiteral("Importar"));
    btnFechar = Botao(this, QStringLiteral("btnFechar"), QStringLiteral("&Fechar"));
    botoes->addStretch();
    botoes->addWidget(btnImportar);
    botoes->addWidget(btnFechar);
    layout->addLayout(botoes);
    OrdemTab({rbProdutos, rbGrupos, btnEscolheArquivo, dbgPrevia, lstRecusas, lstAvisos,
              btnImportar, btnFechar});
    mostra();
    setupConnections();
}

void TfImporta_Produtos::setupConnections() {
    connect(btnEscolheArquivo, &QPushButton::clicked, this,
            &TfImporta_Produtos::btnEscolheArquivoClick);
    connect(btnImportar, &QPushButton::clicked, this, &TfImporta_Produtos::btnImportarClick);
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::close);
    for (QRadioButton* r : {rbProdutos, rbGrupos})
        connect(r, &QRadioButton::toggled, this, [this](bool marcado) {
            if (marcado)
                planeja();
        });
}

void TfImporta_Produtos::btnEscolheArquivoClick() {
    Arquivos::Pedido pedido;
    pedido.pasta = QDir::homePath();
    pedido.filtro = QStringLiteral("Planilhas (*.xlsx *.csv *.txt);;Planilha do Excel (*.xlsx);;"
                                   "Planilha em texto CSV (*.csv *.txt)");
    const QString escolhido = Arquivos::escolhe(this, pedido);
    if (escolhido.isEmpty())
        return;
    edArquivo->setText(escolhido);
    planeja();
}

void TfImporta_Produtos::planeja() {
    plano = {};
    const Tipo tipo = rbGrupos->isChecked() ? Tipo::Grupos : Tipo::Produtos;
    plano.tipo = tipo;
    const QString caminho = edArquivo->text();
    if (caminho.isEmpty()) {
        mostra();
        return;
    }
    try {
        Existentes existentes;
        existentes.grupos = codigosGuardados(QStringLiteral("Select GRU_Codigo From Grupos"));
        existentes.codigos =
            tipo == Tipo::Grupos
                ? existentes.grupos
                : codigosGuardados(QStringLiteral("Select PRO_Codigo From Produtos"));
        const QString lendo = QStringLiteral("Lendo a planilha...");
        EmSegundoPlanoCancelavel(
            this, lendo, [&](const InformaProgresso& informa, const PedidoDeParada& pedeParada) {
                const std::unique_ptr<Leitor> leitor = abre(tipo, caminho);
                int mostrado = -1;
                plano = importacao::planeja(tipo, *leitor, existentes, [&](double lido) {
                    const int porcento = int(lido * 100);
                    if (porcento != mostrado)
                        informa(lendo, mostrado = porcento);
                    return !pedeParada();
                });
            });
    } catch (const std::exception& e) {
        plano = {};
        plano.tipo = tipo;
        plano.erro = Messages::errorMessage(e);
    }
    if (plano.cancelado)
        edArquivo->clear();
    mostra();
}

void TfImporta_Produtos::mostra() {
    const bool grupos = plano.tipo == Tipo::Grupos;
    lbLeitura->setText(
        plano.linhaCabecalho == 0
            ? plano.leitura
            : plano.leitura +
                  QStringLiteral(" Nomes das colunas na linha %1.").arg(plano.linhaCabecalho));
    QStringList colunas;
    for (const Coluna& c : plano.colunas)
        if (!c.cabecalho.isEmpty())
            colunas << QStringLiteral("%1 → %2").arg(
                c.cabecalho, c.campo.isEmpty() ? c.nota : rotuloDe(c.campo));
    lbColunas->setText(colunas.isEmpty() ? QString()
                                         : QStringLiteral("Colunas: ") + colunas.join(u"; "));
    // Box layouts do not ask a wrapping label for its height at the width it
    // gets: the whole matching must show.
    lbColunas->setMinimumHeight(lbColunas->heightForWidth(std::max(width(), 600) - 24));
    layout()->activate();

    const QStringList campos = camposDe(plano.tipo);
    dbgPrevia->clear();
    dbgPrevia->setColumnCount(int(campos.size()));
    dbgPrevia->setHorizontalHeaderLabels(titulosDe(plano.tipo));
    const int linhas = int(std::min<std::size_t>(plano.registros.size(), LinhasPrevia));
    dbgPrevia->setRowCount(linhas);
    for (int row = 0; row < linhas; ++row)
        for (int col = 0; col < campos.size(); ++col)
            dbgPrevia->setItem(
                row, col,
                new QTableWidgetItem(mostrado(
                    campos[col], plano.registros[std::size_t(row)].valores.value(campos[col]))));
    dbgPrevia->resizeColumnsToContents();

    auto lista = [](QListWidget* lista, const QList<importacao::Recusa>& linhas, qint64 total) {
        lista->clear();
        for (const importacao::Recusa& r : linhas)
            lista->addItem(QStringLiteral("Linha %1: %2").arg(r.linha).arg(r.motivo));
        if (total > linhas.size())
            lista->addItem(QStringLiteral("... e mais %1 linhas.").arg(total - linhas.size()));
    };
    lista(lstRecusas, plano.recusas, plano.recusadas);
    lista(lstAvisos, plano.avisos, plano.avisadas);

    const QString nome = grupos ? QStringLiteral("grupos") : QStringLiteral("produtos");
    if (!plano.erro.isEmpty())
        lbResumo->setText(plano.erro);
    else if (plano.cancelado)
        lbResumo->setText(QStringLiteral("A leitura da planilha foi cancelada; nada foi "
                                         "importado."));
    else if (plano.colunas.isEmpty())
        lbResumo->setText(QStringLiteral("Escolha o arquivo da planilha (do Excel ou CSV, com "
                                         "uma linha com os nomes das colunas)."));
    else
        lbResumo->setText(QStringLiteral("%1 %2 serão gravados; %3 linhas recusadas.")
                              .arg(plano.registros.size())
                              .arg(nome)
                              .arg(plano.recusadas));
    btnImportar->setEnabled(!plano.registros.empty());
}

void TfImporta_Produtos::btnImportarClick() {
    if (plano.registros.empty())
        return;
    const bool grupos = plano.tipo == Tipo::Grupos;
    const QString nome = grupos ? QStringLiteral("grupos") : QStringLiteral("produtos");
    QString pergunta =
        QStringLiteral("Gravar os %1 %2 da planilha?").arg(plano.registros.size()).arg(nome);
    if (plano.recusadas > 0)
        pergunta += QStringLiteral(" As %1 linhas recusadas ficam de fora.").arg(plano.recusadas);
    if (!Messages::confirm(pergunta))
        return;
    const std::size_t gravados = plano.registros.size();
    if (!grava())
        return;
    const QString feito = QStringLiteral("%1 %2 importados.").arg(gravados).arg(nome);
    Messages::information(feito);
    // The file is done with: chosen again, every line would be refused as
    // already stored.
    edArquivo->clear();
    planeja();
    lbResumo->setText(feito);
}

bool TfImporta_Produtos::grava() {
    const bool grupos = plano.tipo == Tipo::Grupos;
    QProgressDialog progresso(QStringLiteral("Gravando..."), QString(), 0,
                              int(plano.registros.size()), this);
    progresso.setWindowTitle(windowTitle());
    progresso.setWindowModality(Qt::ApplicationModal);
    progresso.setMinimumDuration(300);
    const WriteSite site{
        dmConexao->SQLC_QOR, grupos ? dmGrupos->cds_Grupos : dmProdutos->cds_Produtos,
        Messages::Kind::Warning,
        QStringLiteral("Não foi possível importar a planilha; nada foi gravado."), true};
    return Grava(site, [this, grupos, &progresso] {
        SqlQuery* q = grupos ? dmGrupos->SQLQ_Grupos : dmProdutos->SQLQ_Produtos;
        q->setStatement(grupos ? InsereGrupo : InsereProdutoImportado);
        const QDate hoje = QDate::currentDate();
        for (std::size_t i = 0; i < plano.registros.size(); ++i) {
            const QVariantMap v = plano.registros[i].valores;
            auto texto = [&](const char* parametro, const char* campo) {
                q->ParamByName(QString::fromLatin1(parametro))
                    .setAsString(v.value(QString::fromLatin1(campo)).toString());
            };
            auto numero = [&](const char* parametro, const char* campo) {
                q->ParamByName(QString::fromLatin1(parametro))
                    .setAsFloat(v.value(QString::fromLatin1(campo)).toDouble());
            };
            if (grupos) {
                texto("CodigoC", "GRU_CODIGO");
                texto("DescricaoC", "GRU_DESCRICAO");
            } else {
                texto("CodigoC", "PRO_CODIGO");
                texto("DescricaoC", "PRO_DESCRICAO");
                texto("UnidC", "PRO_UNID");
                texto("CodGRUC", "PRO_CODGRU");
                texto("LocalC", "PRO_LOCAL");
                numero("MinC", "PRO_MIN");
                numero("MargemC", "PRO_MARGEM");
                numero("PCustoC", "PRO_PCUSTO");
                numero("PVendaC", "PRO_PVENDA");
                q->ParamByName(QStringLiteral("DCadC"))
                    .setAsDate(v.value(QStringLiteral("PRO_DCAD"), hoje).toDate());
                texto("ObsC", "PRO_OBS");
                texto("ReferC", "PRO_REFER");
                texto("CodBarC", "PRO_CODBAR");
                numero("EMaxC", "PRO_EMAX");
                q->ParamByName(QStringLiteral("QuantC")).setAsFloat(0);
                const QVariant compra = v.value(QStringLiteral("PRO_UCOMP"));
                if (compra.isValid())
                    q->ParamByName(QStringLiteral("UCompC")).setAsDate(compra.toDate());
                else
                    q->ParamByName(QStringLiteral("UCompC")).clear();
            }
            q->Run();
            if (i % 200 == 0)
                progresso.setValue(int(i));
        }
        progresso.setValue(int(plano.registros.size()));
    });
}
