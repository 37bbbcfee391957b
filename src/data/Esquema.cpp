#include "data/Esquema.h"

#include "data/Conexao.h"
#include "data/DbError.h"
#include "data/FbConnection.h"

#include <QFile>
#include <QRegularExpression>

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

QStringList TabelasEsquema(const QString& recurso) {
    static const QRegularExpression criaTabela(QStringLiteral("^CREATE TABLE (\\w+)"),
                                               QRegularExpression::CaseInsensitiveOption);
    QStringList tabelas;
    for (const QString& comando : ComandosEsquema(recurso)) {
        const QRegularExpressionMatch m = criaTabela.match(comando);
        if (m.hasMatch())
            tabelas << m.captured(1).toUpper();
    }
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
    static const QRegularExpression marca(QStringLiteral("^Kelvara: esquema (\\d+)$"));
    const fb::ResultSet r =
        db.select(QStringLiteral("SELECT CAST(RDB$DESCRIPTION AS VARCHAR(100)) FROM RDB$DATABASE"));
    const QRegularExpressionMatch m = marca.match(r.value(0, 0).toString().trimmed());
    return m.hasMatch() ? m.captured(1).toInt() : 1;
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

bool AtualizaBanco(const QString& caminho, const QString& nome,
                   const ProgressoAtualizacao& progresso) {
    fb::Connection db;
    db.attach(ConexaoAdministrador(caminho));
    const int versao = versaoDe(db);
    if (versao > VersaoEsquema)
        recusaMaisNovo(QStringLiteral("O Banco de Dados %1").arg(caminho), versao);
    for (int passo = versao + 1; passo <= VersaoEsquema; ++passo) {
        if (progresso)
            progresso(caminho.section(QRegularExpression(QStringLiteral("[/\\\\]")), -1), passo);
        try {
            // Data definition is transactional in Firebird: the step takes
            // effect whole at the commit, or not at all.
            fb::Transaction transacao(db);
            for (const QString& comando :
                 ComandosEsquema(QStringLiteral(":/schema/%1-%2.sql").arg(nome).arg(passo)))
                db.executeImmediate(comando);
            transacao.commit();
        } catch (const DbError& e) {
            throw EsquemaRecusado(
                QStringLiteral("Não foi possível atualizar o Banco de Dados %1 para o esquema %2: "
                               "%3\nO Banco de Dados ficou como estava.")
                    .arg(caminho)
                    .arg(passo)
                    .arg(e.message()));
        }
    }
    db.detach();
    return versao < VersaoEsquema;
}

bool AtualizaBancos(const QString& pasta, const ProgressoAtualizacao& progresso) {
    // A newer database refuses the folder before anything is changed.
    BancosDesatualizados(pasta);
    bool atualizou = false;
    for (const Banco& banco : Bancos)
        atualizou =
            AtualizaBanco(CaminhoBanco(pasta, banco.arquivo), banco.nome, progresso) || atualizou;
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
