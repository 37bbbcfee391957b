#include "data/Esquema.h"

#include "data/Conexao.h"
#include "data/DbError.h"
#include "data/FbConnection.h"

#include <QFile>
#include <QRegularExpression>
#include <optional>

static void carregaRecursos() {
    Q_INIT_RESOURCE(schema);
}

QStringList ComandosEsquema(const QString& recurso) {
    carregaRecursos();
    QFile file(recurso);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw DbError(QStringLiteral("Cannot read %1").arg(recurso));
    QStringList comandos;
    QString atual;
    const QStringList linhas = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& linha : linhas) {
        if (linha.trimmed().startsWith(QStringLiteral("--")))
            continue;
        atual += linha + u'\n';
        if (linha.trimmed().endsWith(u';')) {
            QString comando = atual.trimmed();
            comando.chop(1);
            comandos << comando;
            atual.clear();
        }
    }
    return comandos;
}

namespace {

QStringList tabelasCriadas(const QString& recurso) {
    static const QRegularExpression criaTabela(QStringLiteral("^(?:RE)?CREATE TABLE (\\w+)"),
                                               QRegularExpression::CaseInsensitiveOption);
    QStringList tabelas;
    for (const QString& comando : ComandosEsquema(recurso)) {
        const QRegularExpressionMatch m = criaTabela.match(comando);
        if (m.hasMatch())
            tabelas << m.captured(1).toUpper();
    }
    return tabelas;
}

// The script of a numbered step beside the schema's whole script
// (":/schema/qor.sql" to ":/schema/qor-3.sql").
QString recursoDoPasso(const QString& recurso, int passo) {
    return QStringLiteral("%1-%2.sql")
        .arg(recurso.chopped(QStringLiteral(".sql").size()))
        .arg(passo);
}

} // namespace

QStringList TabelasEsquema(const QString& recurso) {
    QStringList tabelas = tabelasCriadas(recurso);
    for (int passo = 2; passo <= VersaoEsquema; ++passo)
        for (const QString& nova : tabelasCriadas(recursoDoPasso(recurso, passo)))
            tabelas.removeAll(nova);
    return tabelas;
}

namespace {

bool exists(const QString& caminho) {
    fb::Connection probe;
    try {
        probe.attach(ConexaoAdministrador(caminho));
        return true;
    } catch (const DbError&) {
        return false;
    }
}

int versaoDe(fb::Connection& db) {
    const fb::ResultSet tabela = db.select(
        QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'ESQUEMA'"));
    if (tabela.value(0, 0).toInt() > 0) {
        const fb::ResultSet versao = db.select(QStringLiteral("SELECT MAX(VERSAO) FROM ESQUEMA"));
        // Empty when step 3 stopped between its two transactions.
        if (!versao.value(0, 0).isNull())
            return versao.value(0, 0).toInt();
    }
    // The domains step 2 creates: DM_TEXTO50 in qor.gdb, DM_TEXTO80 in
    // config.gdb.
    const fb::ResultSet dominio =
        db.select(QStringLiteral("SELECT COUNT(*) FROM RDB$FIELDS "
                                 "WHERE RDB$FIELD_NAME IN ('DM_TEXTO50', 'DM_TEXTO80')"));
    return dominio.value(0, 0).toInt() > 0 ? 2 : 1;
}

struct Banco {
    QString arquivo, nome;
};

const Banco Bancos[] = {{QStringLiteral("qor.gdb"), QStringLiteral("qor")},
                        {QStringLiteral("config.gdb"), QStringLiteral("config")}};

[[noreturn]] void recusaMaisNovo(const QString& oQue, int versao) {
    throw EsquemaRecusado(QStringLiteral("%1 foi feito por uma versão mais nova do Kelvara "
                                         "(esquema %2; esta versão conhece até o esquema %3). "
                                         "Instale a versão mais nova do programa para abri-lo; "
                                         "nada foi alterado.")
                              .arg(oQue)
                              .arg(versao)
                              .arg(VersaoEsquema));
}

int versaoDe(const QString& caminho) {
    fb::Connection db;
    db.attach(ConexaoAdministrador(caminho));
    return versaoDe(db);
}

} // namespace

bool BancosExistem(const QString& pasta) {
    for (const Banco& banco : Bancos)
        if (!exists(CaminhoBanco(pasta, banco.arquivo)))
            return false;
    return true;
}

void ConfereVersao(const QString& caminho, const QString& oQue) {
    const int versao = versaoDe(caminho);
    if (versao > VersaoEsquema)
        recusaMaisNovo(oQue, versao);
}

QStringList BancosDesatualizados(const QString& pasta) {
    QStringList antigos;
    for (const Banco& banco : Bancos) {
        const QString caminho = CaminhoBanco(pasta, banco.arquivo);
        const int versao = versaoDe(caminho);
        if (versao > VersaoEsquema)
            recusaMaisNovo(QStringLiteral("O Banco de Dados %1").arg(caminho), versao);
        if (versao < VersaoEsquema)
            antigos << banco.arquivo;
    }
    return antigos;
}

namespace {

void executaPasso(fb::Connection& db, const QString& recurso, int esperaSegundos) {
    // Data definition is transactional in Firebird: what each transaction of
    // the step does takes effect whole at its commit, or not at all.
    std::optional<fb::Transaction> transacao(std::in_place, db, esperaSegundos);
    for (const QString& comando : ComandosEsquema(recurso)) {
        if (comando.compare(QLatin1String("COMMIT"), Qt::CaseInsensitive) == 0) {
            transacao->commit();
            transacao.emplace(db, esperaSegundos);
        } else {
            db.executeImmediate(comando);
        }
    }
    transacao->commit();
}

} // namespace

bool AtualizaBanco(const QString& caminho, const QString& nome,
                   const ProgressoAtualizacao& progresso, int esperaSegundos) {
    // Read on an attachment of its own: a statement prepared on ESQUEMA would
    // keep the table in use, and step 3 may have to replace it.
    const int versao = versaoDe(caminho);
    if (versao > VersaoEsquema)
        recusaMaisNovo(QStringLiteral("O Banco de Dados %1").arg(caminho), versao);
    if (versao == VersaoEsquema)
        return false;
    fb::Connection db;
    db.attach(ConexaoAdministrador(caminho));
    for (int passo = versao + 1; passo <= VersaoEsquema; ++passo) {
        if (progresso)
            progresso(caminho.section(QRegularExpression(QStringLiteral("[/\\\\]")), -1), passo);
        try {
            executaPasso(db, recursoDoPasso(QStringLiteral(":/schema/%1.sql").arg(nome), passo),
                         esperaSegundos);
        } catch (const DbError& e) {
            if (e.busy())
                throw EsquemaRecusado(
                    QStringLiteral("O Banco de Dados %1 está sendo usado por outra estação e não "
                                   "pôde ser atualizado. Feche o Kelvara nas outras estações e "
                                   "abra-o de novo; o Banco de Dados ficou como estava.")
                        .arg(caminho));
            throw EsquemaRecusado(
                QStringLiteral("Não foi possível atualizar o Banco de Dados %1 para o esquema %2: "
                               "%3\nO Banco de Dados ficou como estava.")
                    .arg(caminho)
                    .arg(passo)
                    .arg(e.message()));
        }
    }
    db.detach();
    return true;
}

bool AtualizaBancos(const QString& pasta, const ProgressoAtualizacao& progresso,
                    int esperaSegundos) {
    // A newer database refuses the folder before anything is changed.
    BancosDesatualizados(pasta);
    bool atualizou = false;
    for (const Banco& banco : Bancos)
        atualizou = AtualizaBanco(CaminhoBanco(pasta, banco.arquivo), banco.nome, progresso,
                                  esperaSegundos) ||
                    atualizou;
    return atualizou;
}

void CriaBancos(const QString& pasta) {
    const struct {
        QString arquivo, recurso;
    } bancos[] = {{QStringLiteral("qor.gdb"), QStringLiteral(":/schema/qor.sql")},
                  {QStringLiteral("config.gdb"), QStringLiteral(":/schema/config.sql")}};

    for (const auto& banco : bancos) {
        const QString caminho = CaminhoBanco(pasta, banco.arquivo);
        if (exists(caminho))
            throw DbError(QStringLiteral("%1 already exists; nothing was created").arg(caminho));
    }
    for (const auto& banco : bancos) {
        const QStringList comandos = ComandosEsquema(banco.recurso);
        fb::Connection db;
        db.create(ConexaoAdministrador(CaminhoBanco(pasta, banco.arquivo)));
        try {
            // Each statement commits on its own: a table must exist before
            // the rows that follow it can go in.
            for (const QString& comando : comandos)
                db.executeImmediate(comando);
        } catch (...) {
            db.drop(); // leave no half-made database behind
            throw;
        }
        db.detach();
    }
}
