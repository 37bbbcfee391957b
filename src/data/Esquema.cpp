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

} // namespace

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
