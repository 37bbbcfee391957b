#include "movements/Balanco.h"

#include "data/DataModule_Conexao.h"
#include "data/FbConnection.h"
#include "data/FbResult.h"
#include "data/SqlConnection.h"
#include "entry/RegionalNumbers.h"
#include "movements/RelatoriosBalanco.h"
#include "shell/Cadastro.h"
#include "shell/Gravacao.h"
#include "shell/Messages.h"
#include "shell/Sessao.h"
#include "shell/Tela.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSysInfo>
#include <QTableWidget>

TfBalanco* fBalanco = nullptr;

namespace {

const QString AjusteDeBalanco = QStringLiteral("Ajuste de Balanço");

SqlConnection* conexao() {
    return dmConexao->SQLC_QOR;
}

// Who counts: the user logged in, else the computer.
QString quem() {
    return sessao().Usuario.isEmpty() ? QSysInfo::machineHostName() : sessao().Usuario;
}

QString quantidade(double valor) {
    return formatNumber(valor, 15, 3);
}

QString reais(double valor) {
    return QStringLiteral("R$ ") + formatNumber(valor, 15, 2);
}

QTableWidget* tabela(QWidget* tela, const QString& nome, const QStringList& titulos) {
    auto* t = new QTableWidget(tela);
    t->setObjectName(nome);
    t->setColumnCount(int(titulos.size()));
    t->setHorizontalHeaderLabels(titulos);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->setVisible(false);
    t->setMinimumSize(780, 150);
    t->setWordWrap(false);
    return t;
}

void celula(QTableWidget* t, int linha, int coluna, const QString& texto, bool direita = false) {
    auto* item = new QTableWidgetItem(texto);
    if (direita)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    t->setItem(linha, coluna, item);
}

} // namespace

TfBalanco::TfBalanco(QWidget* parent) : QDialog(parent, TelaSemBotoes) {
    setObjectName(QStringLiteral("fBalanco"));
    setWindowTitle(QStringLiteral("Balanço"));
    TelaDeDados tela(this);
    tela.titulo(QStringLiteral("lbBal_Titulo"))->setText(QStringLiteral("Balanço do Estoque"));

    edBal_Descricao = tela.campo(QStringLiteral("edBal_Descricao"),
                                 QStringLiteral("Descrição do novo balanço:"), 50, 40);
    rbBal_Todos = Radio(this, QStringLiteral("rbBal_Todos"), QStringLiteral("Todos os produtos"));
    tela.linha(QStringLiteral("Produtos do balanço:"), rbBal_Todos);
    rbBal_Grupo = Radio(this, QStringLiteral("rbBal_Grupo"), QStringLiteral("Do grupo"));
    tela.aoLado(rbBal_Grupo);
    edBal_Grupo = tela.campoAoLado(QStringLiteral("edBal_Grupo"), QStringLiteral("Grupo:"), 6, 8);
    rbBal_NaoContados = Radio(this, QStringLiteral("rbBal_NaoContados"),
                              QStringLiteral("Não contados nos últimos"));
    tela.aoLado(rbBal_NaoContados);
    edBal_Dias = tela.campoAoLado(QStringLiteral("edBal_Dias"), QStringLiteral("Dias:"), 4, 5);
    btnBal_Abre = Botao(this, QStringLiteral("btnBal_Abre"), QStringLiteral("Abrir Balanço"));
    tela.aoLado(btnBal_Abre);
    auto* escolha = new QButtonGroup(this);
    for (QRadioButton* r : {rbBal_Todos, rbBal_Grupo, rbBal_NaoContados})
        escolha->addButton(r);
    rbBal_Todos->setChecked(true);
    edBal_Dias->setText(QStringLiteral("90"));

    cbBal_Balanco = new QComboBox(this);
    cbBal_Balanco->setObjectName(QStringLiteral("cbBal_Balanco"));
    cbBal_Balanco->setMinimumContentsLength(40);
    tela.linha(QStringLiteral("Balanço aberto:"), cbBal_Balanco);
    cbBal_Esperado = new QCheckBox(QStringLiteral("Com a quantidade esperada"), this);
    cbBal_Esperado->setObjectName(QStringLiteral("cbBal_Esperado"));
    tela.aoLado(cbBal_Esperado);
    btnBal_Folha = Botao(this, QStringLiteral("btnBal_Folha"), QStringLiteral("Folha de Contagem"));
    tela.aoLado(btnBal_Folha);
    btnBal_Cancela =
        Botao(this, QStringLiteral("btnBal_Cancela"), QStringLiteral("Cancelar Balanço"));
    tela.aoLado(btnBal_Cancela);

    edBal_Quant = tela.campo(QStringLiteral("edBal_Quant"), QStringLiteral("Quantidade:"), 14, 14);
    edBal_Quant->setPlaceholderText(QStringLiteral("1"));
    edBal_Codigo = tela.campo(QStringLiteral("edBal_Codigo"),
                              QStringLiteral("Código ou código de barras:"), 14, 16);
    lbBal_Total = Rotulo(this, QStringLiteral("lbBal_Total"), {});
    lbBal_Total->setMinimumWidth(420);
    tela.aoLado(lbBal_Total);
    dbgBal_Linhas =
        tabela(this, QStringLiteral("dbgBal_Linhas"),
               {QStringLiteral("Linha"), QStringLiteral("Código"), QStringLiteral("Descrição"),
                QStringLiteral("Quantidade"), QStringLiteral("Hora"), QStringLiteral("Quem"),
                QStringLiteral("Situação")});
    tela.linha(QStringLiteral("Linhas contadas:"), dbgBal_Linhas);
    // Lists are not named by their label's buddy: they say their names
    // themselves.
    dbgBal_Linhas->setAccessibleName(QStringLiteral("Linhas contadas"));
    btnBal_CancelaLinha =
        Botao(this, QStringLiteral("btnBal_CancelaLinha"), QStringLiteral("Cancelar Linha"));
    tela.aoLado(btnBal_CancelaLinha);

    rbBal_Manter = Radio(this, QStringLiteral("rbBal_Manter"), QStringLiteral("Ficam como estão"));
    tela.linha(QStringLiteral("Produtos não contados:"), rbBal_Manter);
    rbBal_Zerar = Radio(this, QStringLiteral("rbBal_Zerar"), QStringLiteral("Contam como zero"));
    tela.aoLado(rbBal_Zerar);
    auto* naoContados = new QButtonGroup(this);
    naoContados->addButton(rbBal_Manter);
    naoContados->addButton(rbBal_Zerar);
    rbBal_Manter->setChecked(true);
    cbBal_Tipo = new QComboBox(this);
    cbBal_Tipo->setObjectName(QStringLiteral("cbBal_Tipo"));
    cbBal_Tipo->setMinimumContentsLength(30);
    tela.linha(QStringLiteral("Tipo de saída das faltas:"), cbBal_Tipo);
    btnBal_Previa = Botao(this, QStringLiteral("btnBal_Previa"), QStringLiteral("Prévia"));
    tela.aoLado(btnBal_Previa);
    dbgBal_Previa =
        tabela(this, QStringLiteral("dbgBal_Previa"),
               {QStringLiteral("Código"), QStringLiteral("Descrição"), QStringLiteral("Esperado"),
                QStringLiteral("Contado"), QStringLiteral("Diferença"),
                QStringLiteral("Diferença (R$)"), QStringLiteral("Observação")});
    tela.linha(QStringLiteral("Prévia da aplicação:"), dbgBal_Previa);
    dbgBal_Previa->setAccessibleName(QStringLiteral("Prévia da aplicação"));
    lbBal_Previa = Rotulo(this, QStringLiteral("lbBal_Previa"), {});
    lbBal_Previa->setWordWrap(true);
    lbBal_Previa->setMinimumSize(780, 36);
    tela.linha(QStringLiteral("Totais:"), lbBal_Previa);

    btnBal_Aplica = tela.botao(QStringLiteral("btnBal_Aplica"), QStringLiteral("Aplicar Balanço"));
    btnBal_Diferencas =
        tela.botao(QStringLiteral("btnBal_Diferencas"), QStringLiteral("Diferenças do Balanço"));
    btnBal_Fecha = tela.botao(QStringLiteral("btnBal_Fecha"), QStringLiteral("Fechar"));
    // A scanner ends each code with Enter: it counts, and never presses a
    // button of the screen.
    tela.conclui(TelaDeDados::Enter::Fica);
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    setupConnections();
}

void TfBalanco::setupConnections() {
    connect(btnBal_Abre, &QPushButton::clicked, this, &TfBalanco::btnBal_AbreClick);
    connect(btnBal_Folha, &QPushButton::clicked, this, &TfBalanco::btnBal_FolhaClick);
    connect(btnBal_Cancela, &QPushButton::clicked, this, &TfBalanco::btnBal_CancelaClick);
    connect(edBal_Codigo, &QLineEdit::returnPressed, this, &TfBalanco::edBal_CodigoEnter);
    connect(btnBal_CancelaLinha, &QPushButton::clicked, this, &TfBalanco::btnBal_CancelaLinhaClick);
    connect(btnBal_Previa, &QPushButton::clicked, this, &TfBalanco::btnBal_PreviaClick);
    connect(btnBal_Aplica, &QPushButton::clicked, this, &TfBalanco::btnBal_AplicaClick);
    connect(btnBal_Diferencas, &QPushButton::clicked, this, &TfBalanco::btnBal_DiferencasClick);
    connect(btnBal_Fecha, &QPushButton::clicked, this, &QDialog::close);
    connect(cbBal_Balanco, &QComboBox::currentIndexChanged, this, [this] {
        lbBal_Total->clear();
        previaDe = 0;
        dbgBal_Previa->setRowCount(0);
        lbBal_Previa->clear();
        Messages::guarded([this] { mostraLinhas(); });
    });
}

void TfBalanco::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Messages::guarded([this] {
        carregaBalancos();
        carregaTipos();
    });
    btnBal_Diferencas->setEnabled(ultimoAplicado != 0);
    edBal_Codigo->setFocus();
}

int TfBalanco::numero() const {
    return cbBal_Balanco->currentData().toInt();
}

void TfBalanco::carregaBalancos(int escolher) {
    const int atual = escolher ? escolher : numero();
    const QSignalBlocker bloqueio(cbBal_Balanco);
    cbBal_Balanco->clear();
    for (const balanco::Contagem& c : balanco::abertos(conexao()))
        cbBal_Balanco->addItem(QStringLiteral("%1 - %2 (%3 produtos, aberto em %4)")
                                   .arg(c.numero)
                                   .arg(c.descricao)
                                   .arg(c.produtos)
                                   .arg(c.abertura.toString(QStringLiteral("dd/MM/yyyy hh:mm"))),
                               c.numero);
    const int indice = cbBal_Balanco->findData(atual);
    cbBal_Balanco->setCurrentIndex(indice >= 0 ? indice : 0);
    previaDe = 0;
    dbgBal_Previa->setRowCount(0);
    lbBal_Previa->clear();
    mostraLinhas();
}

void TfBalanco::carregaTipos() {
    const QString atual = cbBal_Tipo->currentData().toString();
    cbBal_Tipo->clear();
    const fb::ResultSet r = conexao()->database().select(
        QStringLiteral("Select TIP_Codigo, TIP_Descricao From Tipos Order By TIP_Descricao"));
    int ajuste = -1;
    for (int i = 0; i < r.rowCount(); ++i) {
        const QString descricao = r.value(i, 1).toString().trimmed();
        cbBal_Tipo->addItem(
            QStringLiteral("%1 - %2").arg(r.value(i, 0).toString().trimmed(), descricao),
            r.value(i, 0).toString());
        if (descricao.compare(AjusteDeBalanco, Qt::CaseInsensitive) == 0)
            ajuste = i;
    }
    const int indice = cbBal_Tipo->findData(atual);
    cbBal_Tipo->setCurrentIndex(indice >= 0 ? indice : ajuste);
}

void TfBalanco::mostraLinhas() {
    dbgBal_Linhas->setRowCount(0);
    if (numero() == 0)
        return;
    const QList<balanco::Linha> linhas = balanco::linhas(conexao(), numero());
    dbgBal_Linhas->setRowCount(int(linhas.size()));
    for (int i = 0; i < linhas.size(); ++i) {
        const balanco::Linha& l = linhas[i];
        celula(dbgBal_Linhas, i, 0, QString::number(l.id), true);
        dbgBal_Linhas->item(i, 0)->setData(Qt::UserRole, l.id);
        celula(dbgBal_Linhas, i, 1, l.codigo.trimmed(), true);
        celula(dbgBal_Linhas, i, 2, l.descricao);
        celula(dbgBal_Linhas, i, 3, quantidade(l.quantidade), true);
        celula(dbgBal_Linhas, i, 4, l.momento.toString(QStringLiteral("dd/MM hh:mm:ss")));
        celula(dbgBal_Linhas, i, 5, l.quem);
        celula(dbgBal_Linhas, i, 6,
               l.cancela     ? QStringLiteral("cancela a linha %1").arg(l.cancela)
               : l.cancelada ? QStringLiteral("cancelada")
                             : QString());
    }
    dbgBal_Linhas->resizeColumnsToContents();
}

void TfBalanco::btnBal_AbreClick() {
    const balanco::Escolha escolha = rbBal_Grupo->isChecked() ? balanco::Escolha::Grupo
                                     : rbBal_NaoContados->isChecked()
                                         ? balanco::Escolha::NaoContados
                                         : balanco::Escolha::Todos;
    const QString grupo = edBal_Grupo->text().trimmed().isEmpty()
                              ? QString()
                              : CompletaCodigo(edBal_Grupo->text().trimmed());
    if (escolha == balanco::Escolha::Grupo && grupo.isEmpty()) {
        Messages::warning(QStringLiteral("Digite o código do grupo."));
        edBal_Grupo->setFocus();
        return;
    }
    bool dias = true;
    const int numeroDias = edBal_Dias->text().trimmed().toInt(&dias);
    if (escolha == balanco::Escolha::NaoContados && (!dias || numeroDias < 0)) {
        Messages::warning(QStringLiteral("Digite em \"Dias\" quantos dias, um número inteiro."));
        edBal_Dias->setFocus();
        return;
    }
    const std::optional<int> aberto =
        balanco::abre(conexao(), edBal_Descricao->text(), escolha, grupo, numeroDias);
    if (!aberto)
        return;
    edBal_Descricao->clear();
    Messages::guarded([&] { carregaBalancos(*aberto); });
    Messages::information(QStringLiteral("Balanço %1 aberto.").arg(*aberto));
    edBal_Codigo->setFocus();
}

void TfBalanco::btnBal_FolhaClick() {
    if (numero() == 0)
        return;
    Messages::guarded(
        [this] { MostraFolhaDeContagem(this, conexao(), numero(), cbBal_Esperado->isChecked()); });
}

void TfBalanco::btnBal_CancelaClick() {
    if (numero() == 0)
        return;
    if (!Messages::confirm(QStringLiteral("Cancelar o balanço %1? Nada do que foi contado nele "
                                          "muda o estoque.")
                               .arg(numero())))
        return;
    if (balanco::cancelaBalanco(conexao(), numero()))
        Messages::guarded([this] { carregaBalancos(); });
}

void TfBalanco::edBal_CodigoEnter() {
    if (numero() == 0) {
        Messages::warning(QStringLiteral("Abra um balanço antes de contar."));
        return;
    }
    double contada = 1;
    if (!edBal_Quant->text().trimmed().isEmpty()) {
        if (!LimpaNumerosParaGravar({edBal_Quant}, edBal_Quant))
            return;
        contada = toNumber(edBal_Quant->text());
    }
    const std::optional<balanco::Contado> contado =
        balanco::conta(conexao(), numero(), edBal_Codigo->text(), contada, quem());
    edBal_Codigo->selectAll();
    if (!contado) {
        edBal_Codigo->setFocus();
        return;
    }
    edBal_Quant->clear();
    edBal_Codigo->clear();
    lbBal_Total->setText(QStringLiteral("%1: %2 contados")
                             .arg(contado->descricao.trimmed(), quantidade(contado->total)));
    // The new line on top, without reading every line again.
    dbgBal_Linhas->insertRow(0);
    celula(dbgBal_Linhas, 0, 0, QString::number(contado->linha), true);
    dbgBal_Linhas->item(0, 0)->setData(Qt::UserRole, contado->linha);
    celula(dbgBal_Linhas, 0, 1, contado->codigo.trimmed(), true);
    celula(dbgBal_Linhas, 0, 2, contado->descricao);
    celula(dbgBal_Linhas, 0, 3, quantidade(contado->quantidade), true);
    celula(dbgBal_Linhas, 0, 4,
           QDateTime::currentDateTime().toString(QStringLiteral("dd/MM hh:mm:ss")));
    celula(dbgBal_Linhas, 0, 5, quem());
    celula(dbgBal_Linhas, 0, 6, QString());
    edBal_Codigo->setFocus();
}

void TfBalanco::btnBal_CancelaLinhaClick() {
    const int linha = dbgBal_Linhas->currentRow();
    if (numero() == 0 || linha < 0) {
        Messages::warning(QStringLiteral("Escolha na lista a linha a cancelar."));
        return;
    }
    const qint64 id = dbgBal_Linhas->item(linha, 0)->data(Qt::UserRole).toLongLong();
    if (!Messages::confirm(
            QStringLiteral("Cancelar a linha %1 (%2 de %3)?")
                .arg(id)
                .arg(dbgBal_Linhas->item(linha, 3)->text(), dbgBal_Linhas->item(linha, 2)->text())))
        return;
    const std::optional<balanco::Contado> feito = balanco::cancela(conexao(), numero(), id, quem());
    if (!feito)
        return;
    lbBal_Total->setText(QStringLiteral("%1: %2 contados")
                             .arg(feito->descricao.trimmed(), quantidade(feito->total)));
    Messages::guarded([this] { mostraLinhas(); });
}

void TfBalanco::btnBal_PreviaClick() {
    if (numero() == 0)
        return;
    Messages::guarded([this] {
        const balanco::Previa previa =
            balanco::previa(conexao(), numero(), rbBal_Zerar->isChecked());
        dbgBal_Previa->setRowCount(int(previa.produtos.size()));
        for (int i = 0; i < int(previa.produtos.size()); ++i) {
            const balanco::Diferenca& d = previa.produtos[std::size_t(i)];
            celula(dbgBal_Previa, i, 0, d.codigo.trimmed(), true);
            celula(dbgBal_Previa, i, 1, d.descricao);
            celula(dbgBal_Previa, i, 2, quantidade(d.esperado), true);
            celula(dbgBal_Previa, i, 3,
                   d.contadoAlgo || rbBal_Zerar->isChecked() ? quantidade(d.contado) : QString(),
                   true);
            celula(dbgBal_Previa, i, 4, quantidade(d.quantidade()), true);
            celula(dbgBal_Previa, i, 5, reais(d.valor()), true);
            celula(dbgBal_Previa, i, 6,
                   !d.contadoAlgo
                       ? (rbBal_Zerar->isChecked() ? QStringLiteral("não contado: conta como zero")
                                                   : QStringLiteral("não contado: fica como está"))
                   : d.mexeu ? QStringLiteral("movimentado durante a contagem: reconte ou aceite")
                             : QString());
        }
        dbgBal_Previa->resizeColumnsToContents();
        lbBal_Previa->setText(QStringLiteral("Sobras: %1; faltas: %2; saldo: %3. %4 produtos não "
                                             "contados; %5 movimentados durante a contagem.")
                                  .arg(reais(previa.valorSobra), reais(previa.valorFalta),
                                       reais(previa.valorSobra - previa.valorFalta))
                                  .arg(previa.naoContados)
                                  .arg(previa.mexidos));
        previaDe = numero();
    });
}

QString TfBalanco::tipoDeSaida() {
    if (cbBal_Tipo->currentIndex() >= 0)
        return cbBal_Tipo->currentData().toString();
    if (!Messages::confirm(QStringLiteral("As faltas saem do estoque com um tipo de saída. Criar "
                                          "o tipo \"%1\"?")
                               .arg(AjusteDeBalanco)))
        return {};
    QString codigo;
    const WriteSite site{conexao(), nullptr, Messages::Kind::Warning,
                         QStringLiteral("Não foi possível criar o tipo de saída."), true};
    const bool criado = Grava(site, [&] {
        fb::Connection& db = conexao()->database();
        const fb::ResultSet r = db.select(QStringLiteral(
            "Select Max(Cast(TIP_Codigo As Integer)) From Tipos Where TIP_Codigo Similar To "
            "'[0-9]+'"));
        codigo = CompletaCodigo(QString::number(r.value(0, 0).toInt() + 1));
        fb::Params p;
        p.setText(QStringLiteral("CodigoC"), codigo);
        p.setText(QStringLiteral("DescricaoC"), AjusteDeBalanco);
        db.run(QStringLiteral("Insert into Tipos (TIP_Codigo,TIP_Descricao) Values (:CodigoC,"
                              ":DescricaoC)"),
               p);
    });
    if (!criado)
        return {};
    Messages::guarded([this] { carregaTipos(); });
    return codigo;
}

void TfBalanco::btnBal_AplicaClick() {
    if (numero() == 0)
        return;
    if (previaDe != numero()) {
        Messages::warning(QStringLiteral("Veja a prévia antes de aplicar o balanço."));
        return;
    }
    const QString tipo = tipoDeSaida();
    if (tipo.isEmpty())
        return;
    const int aplicar = numero();
    if (!Messages::confirm(QStringLiteral("Aplicar o balanço %1? As diferenças viram entradas e "
                                          "saídas no estoque, com o documento \"%2\".")
                               .arg(aplicar)
                               .arg(balanco::documento(aplicar))))
        return;
    const std::optional<balanco::Previa> feito =
        balanco::aplica(BaseMovimentos::programa(), aplicar, rbBal_Zerar->isChecked(), tipo);
    Messages::guarded([this] { carregaBalancos(); });
    if (!feito)
        return;
    ultimoAplicado = aplicar;
    btnBal_Diferencas->setEnabled(true);
    Messages::information(QStringLiteral("Balanço %1 aplicado: sobras de %2, faltas de %3.")
                              .arg(aplicar)
                              .arg(reais(feito->valorSobra), reais(feito->valorFalta)));
}

void TfBalanco::btnBal_DiferencasClick() {
    if (ultimoAplicado == 0)
        return;
    Messages::guarded([this] { MostraDiferencas(this, conexao(), ultimoAplicado); });
}
