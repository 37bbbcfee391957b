#include "reports/DialogoRelatorio.h"

#include "data/DataModule_Grupos.h"
#include "data/FbParams.h"
#include "masterdata/Busca_Grupos.h"
#include "shell/Conventions.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

void DialogoRelatorio::imprime(const std::vector<Caso>& casos, QDateEdit* inicio, QDateEdit* fim,
                               const fb::Params& parametros) {
    imprimeEFecha([&] {
        for (const Caso& caso : casos) {
            if (caso.chave != Relatorio)
                continue;
            fb::Params todos = parametros;
            if (!caso.operacao.isEmpty())
                todos.setText(QStringLiteral("Oper"), caso.operacao);
            CarregaMovimentos(caso.movimentos, inicio->date(), fim->date(), todos);
            caso.cabecalho(inicio->date(), fim->date());
            EscolheSaida(caso.saida.isEmpty() ? caso.chave : caso.saida);
        }
    });
}

void DialogoRelatorio::imprimeEFecha(const std::function<void()>& work) {
    if (Messages::guarded(work))
        close();
}

QLabel* DialogoRelatorio::apresenta(TelaDeDados& tela, const QString& nome, const QString& legenda,
                                    const QString& titulo) {
    setObjectName(nome);
    setWindowTitle(legenda);
    QLabel* rotulo = tela.titulo(QStringLiteral("Label1"));
    rotulo->setText(titulo);
    return rotulo;
}

QDateEdit* DialogoRelatorio::data(TelaDeDados& tela, const QString& nome, const QString& legenda) {
    QDateEdit* picker = Data(this, nome);
    tela.linha(legenda, picker);
    return picker;
}

void DialogoRelatorio::aoMostrar(QList<QLineEdit*> campos, QDateEdit* inicio, QDateEdit* fim) {
    limpos = std::move(campos);
    hojeInicio = inicio;
    hojeFim = fim;
}

void DialogoRelatorio::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    for (QLineEdit* campo : limpos)
        campo->clear();
    if (todosAoMostrar)
        todosAoMostrar->setChecked(true);
    for (QDateEdit* data : {hojeInicio, hojeFim})
        if (data)
            data->setDate(QDate::currentDate());
    if (!limpos.isEmpty())
        limpos.first()->setFocus();
}

DialogoRelatorio::LinhaCodigo
DialogoRelatorio::linhaCodigo(TelaDeDados& tela, const QString& sufixo, const QString& nomeBusca) {
    LinhaCodigo linha;
    linha.codigo = tela.campo(QStringLiteral("edCod") + sufixo, QStringLiteral("Código:"), 6, 8);
    linha.descricao =
        tela.campo(QStringLiteral("edDesc") + sufixo, QStringLiteral("Descrição:"), 32767, 40);
    linha.busca = BotaoBusca(this, nomeBusca);
    tela.aoLado(linha.busca);
    return linha;
}

void DialogoRelatorio::confereCodigo(const LinhaCodigo& linha, SqlQuery* query,
                                     const LeituraCodigo& leitura) {
    onExit(linha.codigo,
           [linha, query, leitura] { LeCodigo(query, leitura, linha.codigo, linha.descricao); });
}

DialogoRelatorio::EscolhaGrupo DialogoRelatorio::escolhaGrupo(TelaDeDados& tela) {
    EscolhaGrupo escolha;
    escolha.todos = Radio(this, QStringLiteral("rbTodos"), QStringLiteral("Todos"));
    tela.linha(QStringLiteral("Produtos:"), escolha.todos);
    escolha.grupo = Radio(this, QStringLiteral("rbGrupo"), QStringLiteral("Do grupo"));
    tela.aoLado(escolha.grupo);
    escolha.linha = linhaCodigo(tela, QStringLiteral("Grupo"), QStringLiteral("btnBusca_Grupo"));
    SoLeitura(escolha.linha.descricao);
    todosAoMostrar = escolha.todos;
    return escolha;
}

void DialogoRelatorio::liga(const EscolhaGrupo& escolha, const QString& chamador) {
    confereCodigo(escolha.linha, dmGrupos->SQLQ_Grupos, LeituraGrupo);
    buscaCodigo(escolha.linha, fBusca_Grupos, chamador);
    const LinhaCodigo linha = escolha.linha;
    auto abre = [linha](bool grupo) {
        for (QWidget* w :
             std::initializer_list<QWidget*>{linha.codigo, linha.descricao, linha.busca})
            w->setEnabled(grupo);
    };
    connect(escolha.grupo, &QRadioButton::toggled, this, abre);
    escolha.todos->setChecked(true);
    abre(false);
}

std::optional<GrupoDoPedido> DialogoRelatorio::grupoEscolhido(const EscolhaGrupo& escolha) {
    if (escolha.todos->isChecked())
        return GrupoDoPedido{};
    QLineEdit* codigo = escolha.linha.codigo;
    codigo->setText(CompletaCodigo(codigo->text()));
    if (!ConfereCodigo(dmGrupos->SQLQ_Grupos, LeituraGrupo, codigo, escolha.linha.descricao))
        return std::nullopt;
    return GrupoDoPedido{codigo->text(), escolha.linha.descricao->text()};
}
