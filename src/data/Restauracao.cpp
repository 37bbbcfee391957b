#include "data/Restauracao.h"

#include "data/ArquivoNovo.h"
#include "data/Conexao.h"
#include "data/Esquema.h"
#include "data/FbConnection.h"
#include "data/FbService.h"

#include <ibase.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMap>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>

namespace Restauracao {

namespace {

const QString DataHora = QStringLiteral("yyyyMMdd-HHmmss");

// The file name of a database path, whichever separator its folder uses.
QString arquivoDe(const QString& banco) {
    return fb::onServer(banco).section(QRegularExpression(QStringLiteral("[/\\\\]")), -1);
}

// The proven copy is always restored on this machine, by the embedded
// engine: beside the database when it is here (it then takes the database's
// place), otherwise beside the safety copies, so that the server does no
// more than stream the safety copy meanwhile.
QString provadoDe(const QString& banco) {
    if (!fb::throughServer(banco))
        return banco + QStringLiteral(".restauracao");
    return pastaLocal(banco) + u'/' + arquivoDe(banco) + QStringLiteral(".restauracao");
}

QString registroDe(const QString& banco) {
    return pastaLocal(banco) + u'/' + arquivoDe(banco) + QStringLiteral(".restauracao.ini");
}

QString travaDe(const QString& banco) {
    return pastaLocal(banco) + u'/' + arquivoDe(banco) + QStringLiteral(".restauracao.trava");
}

QString emTexto(const QDateTime& quando) {
    return quando.toString(QStringLiteral("dd/MM/yyyy 'às' HH:mm"));
}

QString mensagemEmUso(const QString& banco) {
    return QStringLiteral("O Banco de Dados %1 está aberto em outra estação (ou em outro "
                          "programa). Feche o Kelvara nas outras estações e restaure de novo; "
                          "nada foi alterado.")
        .arg(banco);
}

// Holds the restores of one database on this machine to one at a time.
std::shared_ptr<QLockFile> trava(const QString& banco) {
    auto lock = std::make_shared<QLockFile>(travaDe(banco));
    lock->setStaleLockTime(0); // stale only when its process is gone
    if (!lock->tryLock(0)) {
        if (lock->error() == QLockFile::LockFailedError)
            throw EmAndamento(QStringLiteral("Uma restauração do Banco de Dados %1 está em "
                                             "andamento neste computador. Espere que termine e "
                                             "abra o Kelvara de novo.")
                                  .arg(banco));
        throw DbError(QStringLiteral("Não consegui gravar na pasta %1; nada foi alterado.")
                          .arg(pastaLocal(banco)));
    }
    return lock;
}

// What a restore is doing, kept on disk from the check to the opening.
struct Registro {
    QString banco, esquema, backup, copia, passo;
    QDateTime inicio;

    void grava(const QString& arquivo) const {
        QSaveFile f(arquivo);
        const QString texto =
            QStringLiteral("banco=%1\nesquema=%2\nbackup=%3\ncopia=%4\n"
                           "passo=%5\ninicio=%6\n")
                .arg(banco, esquema, backup, copia, passo, inicio.toString(Qt::ISODate));
        if (!f.open(QIODevice::WriteOnly) || f.write(texto.toUtf8()) < 0 || !f.commit())
            throw DbError(QStringLiteral("Não consegui gravar o registro da restauração %1: %2")
                              .arg(arquivo, f.errorString()));
    }

    static std::optional<Registro> le(const QString& arquivo) {
        QFile f(arquivo);
        if (!f.open(QIODevice::ReadOnly))
            return std::nullopt;
        Registro r;
        for (const QString& linha : QString::fromUtf8(f.readAll()).split(u'\n')) {
            const QString chave = linha.section(u'=', 0, 0);
            const QString valor = linha.section(u'=', 1);
            if (chave == QStringLiteral("banco"))
                r.banco = valor;
            else if (chave == QStringLiteral("esquema"))
                r.esquema = valor;
            else if (chave == QStringLiteral("backup"))
                r.backup = valor;
            else if (chave == QStringLiteral("copia"))
                r.copia = valor;
            else if (chave == QStringLiteral("passo"))
                r.passo = valor;
            else if (chave == QStringLiteral("inicio"))
                r.inicio = QDateTime::fromString(valor, Qt::ISODate);
        }
        if (r.banco.isEmpty() || r.passo.isEmpty())
            return std::nullopt;
        return r;
    }
};

// The steps of the record.
const QString PassoProva = QStringLiteral("prova");
const QString PassoSubstituicao = QStringLiteral("substituicao");
const QString PassoAbertura = QStringLiteral("abertura");

// Whether the database exists, and whether anybody else has it open. With
// a server the monitoring tables tell; the embedded engine refuses an
// attachment to a file another process has open.
enum class Uso { SemBanco, Livre, EmUso };

Uso usoDe(const QString& banco) {
    fb::Connection db;
    try {
        db.attach(ConexaoAdministrador(banco));
    } catch (const DbError& e) {
        if (e.has(isc_io_error))
            return Uso::SemBanco;
        if (e.has(isc_already_opened))
            return Uso::EmUso;
        throw;
    }
    const fb::ResultSet outros =
        db.select(QStringLiteral("SELECT COUNT(*) FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID "
                                 "<> CURRENT_CONNECTION AND MON$SYSTEM_FLAG = 0"));
    return outros.value(0, 0).toLongLong() > 0 ? Uso::EmUso : Uso::Livre;
}

void requerTabelas(const QString& banco, const QString& esquema) {
    fb::Connection db;
    db.attach(ConexaoAdministrador(banco));
    const fb::ResultSet achadas = db.select(QStringLiteral(
        "Select trim(RDB$RELATION_NAME) From RDB$RELATIONS Where RDB$SYSTEM_FLAG = 0"));
    QStringList presentes;
    for (int i = 0; i < achadas.rowCount(); ++i)
        presentes << achadas.value(i, 0).toString();
    QStringList faltam;
    for (const QString& tabela : TabelasEsquema(QStringLiteral(":/schema/%1.sql").arg(esquema)))
        if (!presentes.contains(tabela))
            faltam << tabela;
    if (!faltam.isEmpty())
        throw Recusada(QStringLiteral("O arquivo escolhido não é um backup deste Banco de Dados: "
                                      "faltam nele as tabelas %1. Nada foi restaurado.")
                           .arg(faltam.join(QStringLiteral(", "))));
}

// Every safety copy of the database, for the writes of them that were cut.
QString copiasEmGravacao(const QString& banco) {
    return pastaLocal(banco) + u'/' + arquivoDe(banco) + QStringLiteral(".anterior-*");
}

QString nomeDaCopia(const QString& banco) {
    const QString base = pastaLocal(banco) + u'/' + arquivoDe(banco) +
                         QStringLiteral(".anterior-") +
                         QDateTime::currentDateTime().toString(DataHora);
    QString nome = base + QStringLiteral(".gbk");
    for (int n = 2; QFile::exists(nome); ++n)
        nome = base + QStringLiteral("-%1.gbk").arg(n);
    return nome;
}

// One restore, new or cut and taken up again.
class Restauro {
public:
    Restauro(const Pedido& pedido, const Progresso& progresso, std::shared_ptr<QLockFile> lock)
        : progresso(progresso), lock(std::move(lock)) {
        registro.banco = pedido.banco;
        registro.esquema = pedido.esquema;
        registro.backup = pedido.backup;
        registro.inicio = QDateTime::currentDateTime();
        prepara();
    }
    Restauro(const Registro& cortado, const Progresso& progresso, std::shared_ptr<QLockFile> lock)
        : registro(cortado), progresso(progresso), lock(std::move(lock)) {
        prepara();
    }

    void confere();
    void provaECopia();
    void prova();
    void copia();
    void registra(const QString& passo);
    void substitui();
    void abre();
    void limpa();
    // Ends a restore that changed nothing: what it made goes.
    void desiste();
    // Undoes a restore whose replace did not happen or was cut.
    void volta();

    const QString& copiaFeita() const { return registro.copia; }
    bool aqui() const { return !servico.manager().contains(u':'); }

private:
    void prepara() {
        servico.attach(fb::Service::managerFor(registro.banco), UsuarioBanco, SenhaBanco);
        provado = provadoDe(registro.banco);
        aquiMesmo.attach(fb::Service::managerFor(provado), UsuarioBanco, SenhaBanco);
    }
    // Tells the operator a step. The proof and the safety copy run side by
    // side, each on a line of its own (linha 0 and 1); any other step
    // stands alone.
    void informa(const QString& texto, int porcento = -1, int linha = -1) {
        if (!progresso)
            return;
        const std::lock_guard<std::mutex> guarda(travaLinhas);
        if (linha < 0)
            linhas.clear();
        linhas[std::max(linha, 0)] = texto;
        if (linha <= 0)
            porcentoGeral = porcento;
        progresso(QStringList(linhas.values()).join(u'\n'), porcentoGeral);
    }
    fb::Service::Progress andamento(const QString& texto, int linha = -1) {
        return [this, texto, linha](qint64 feito, qint64 total) {
            if (total > 0)
                informa(texto + QStringLiteral(" %1%").arg(feito * 100 / total),
                        int(feito * 100 / total), linha);
            else
                informa(texto + QStringLiteral(" (%1 MB)").arg(feito / 1000000), -1, linha);
        };
    }

    Registro registro;
    Progresso progresso;
    std::shared_ptr<QLockFile> lock;
    fb::Service servico;   // the database's own engine
    fb::Service aquiMesmo; // the embedded engine, for the proof
    QString provado;
    bool haBanco = true;
    bool copiaDesta = false;
    std::mutex travaLinhas;
    QMap<int, QString> linhas;
    int porcentoGeral = -1;
};

void Restauro::confere() {
    informa(QStringLiteral("Conferindo o backup e o Banco de Dados..."));
    if (registro.banco.isEmpty())
        throw Recusada(QStringLiteral("Escolha o Banco de Dados a restaurar; nada foi alterado."));
    const QFileInfo backup(registro.backup);
    if (registro.backup.isEmpty() || !backup.isFile() || !backup.isReadable())
        throw Recusada(
            QStringLiteral("Não encontrei o arquivo de backup \"%1\"; nada foi alterado.")
                .arg(registro.backup));
    if (ArquivoNovo::emGravacao(registro.backup))
        throw Recusada(QStringLiteral("O arquivo %1 ainda está sendo gravado, ou sua gravação foi "
                                      "interrompida: não é um backup completo. Escolha outro; "
                                      "nada foi alterado.")
                           .arg(registro.backup));
    if (QFile::exists(registroDe(registro.banco)))
        throw Recusada(QStringLiteral("A última restauração do Banco de Dados %1 foi "
                                      "interrompida. Abra o Kelvara de novo para concluí-la ou "
                                      "desfazê-la; nada foi alterado.")
                           .arg(registro.banco));
    const Uso uso = usoDe(registro.banco);
    if (uso == Uso::EmUso)
        throw Recusada(mensagemEmUso(registro.banco));
    haBanco = uso != Uso::SemBanco;
    QFile::remove(provado); // left by a restore cut before it wrote its record
}

// The proof reads the backup and the safety copy the database: they run
// side by side, and the restore goes on once both have ended well.
void Restauro::provaECopia() {
    std::exception_ptr falhaDaCopia;
    std::thread copiando([&] {
        try {
            copia();
        } catch (...) {
            falhaDaCopia = std::current_exception();
        }
    });
    try {
        prova();
    } catch (...) {
        copiando.join();
        throw;
    }
    copiando.join();
    if (falhaDaCopia)
        std::rethrow_exception(falhaDaCopia);
}

void Restauro::prova() {
    const QString texto = QStringLiteral("Restaurando o backup à parte, para conferi-lo...");
    informa(texto, 0, 0);
    aquiMesmo.restore(registro.backup, provado, andamento(texto, 0));
    informa(QStringLiteral("Conferindo o backup restaurado..."), -1, 0);
    requerTabelas(provado, registro.esquema);
    ConfereVersao(provado, QStringLiteral("O backup escolhido"));
    AtualizaBanco(provado, registro.esquema);
    // A database holds every row: it is its owner's alone.
    QFile::setPermissions(provado, QFile::ReadOwner | QFile::WriteOwner);
}

void Restauro::copia() {
    if (!haBanco)
        return;
    const QString texto = QStringLiteral("Guardando uma cópia de segurança dos dados atuais...");
    informa(texto, -1, 1);
    const QString nome = nomeDaCopia(registro.banco);
    try {
        servico.backup(registro.banco, nome, andamento(texto, 1));
    } catch (const DbError& e) {
        throw Recusada(QStringLiteral("Não consegui guardar uma cópia do Banco de Dados atual "
                                      "antes de substituí-lo; nada foi restaurado.\n") +
                       e.message());
    }
    informa(texto + QStringLiteral(" feita."), -1, 1);
    registro.copia = nome;
    copiaDesta = true;
}

void Restauro::registra(const QString& passo) {
    registro.passo = passo;
    registro.grava(registroDe(registro.banco));
}

void Restauro::substitui() {
    const QString texto = QStringLiteral("Substituindo o Banco de Dados pelo restaurado...");
    informa(texto);
    if (aqui()) {
        // One file system: the proven copy takes the old one's place at once.
        const QByteArray de = QFile::encodeName(provado);
        const QByteArray para = QFile::encodeName(fb::onServer(registro.banco));
        if (::rename(de.constData(), para.constData()) != 0)
            throw Recusada(QStringLiteral("Não consegui pôr o Banco de Dados restaurado no lugar "
                                          "de %1: %2")
                               .arg(registro.banco, QString::fromLocal8Bit(std::strerror(errno))) +
                           QStringLiteral("; nada foi alterado."));
        return;
    }
    try {
        servico.restore(registro.backup, registro.banco, andamento(texto));
    } catch (const DbError& e) {
        // The server refuses to drop a database in use before it changes it.
        if (e.has(isc_gbak_db_in_use))
            throw Recusada(mensagemEmUso(registro.banco));
        throw Cortada(e.message(), e.codes());
    }
}

void Restauro::abre() {
    informa(QStringLiteral("Abrindo o Banco de Dados restaurado..."));
    AtualizaBanco(registro.banco, registro.esquema);
    QFile::remove(registroDe(registro.banco));
}

void Restauro::limpa() {
    informa(QStringLiteral("Removendo os arquivos de trabalho da restauração..."));
    QFile::remove(provado);
    ArquivoNovo::limpaSobras(copiasEmGravacao(registro.banco));
    // The single copy of earlier versions of the program is not counted.
    static const QRegularExpression datada(QStringLiteral("\\.anterior-\\d{8}-\\d{6}"));
    int guardadas = registro.copia.isEmpty() ? 0 : 1;
    for (const Copia& copia : copias(registro.banco)) {
        if (copia.arquivo == registro.copia || !datada.match(copia.arquivo).hasMatch())
            continue;
        if (guardadas < CopiasGuardadas)
            ++guardadas;
        else
            QFile::remove(copia.arquivo);
    }
    lock->unlock();
}

void Restauro::desiste() {
    QFile::remove(provado);
    if (copiaDesta)
        QFile::remove(registro.copia);
    QFile::remove(registroDe(registro.banco));
    ArquivoNovo::limpaSobras(copiasEmGravacao(registro.banco));
}

void Restauro::volta() {
    if (!aqui()) {
        const QString texto = QStringLiteral("Voltando aos dados de antes da restauração...");
        informa(texto, 0);
        servico.restore(registro.copia, registro.banco, andamento(texto));
        abre();
    } else {
        QFile::remove(provado);
        QFile::remove(registroDe(registro.banco));
    }
    limpa();
}

} // namespace

QString pastaLocal(const QString& banco) {
    if (!fb::throughServer(banco))
        return QFileInfo(banco).absolutePath();
    const QString noServidor = fb::onServer(banco);
    const QFileInfo pasta(QFileInfo(noServidor).absolutePath());
    if (noServidor.startsWith(u'/') && pasta.isDir() && pasta.isWritable())
        return pasta.absoluteFilePath();
    // The server's folder is not on this machine: a folder of the
    // operator's, named after the server and its folder.
    QString nome = banco.left(banco.size() - arquivoDe(banco).size());
    nome.replace(QRegularExpression(QStringLiteral("[:/\\\\]+")), QStringLiteral("_"));
    const QString local = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                          QStringLiteral("/kelvara/") + nome;
    QDir().mkpath(local);
    QFile::setPermissions(local, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return local;
}

QList<Copia> copias(const QString& banco) {
    static const QRegularExpression data(
        QStringLiteral("\\.anterior-(\\d{8}-\\d{6})(?:-\\d+)?\\.gbk$"));
    const QDir pasta(pastaLocal(banco));
    QList<Copia> todas;
    for (const QFileInfo& f : pasta.entryInfoList(
             {arquivoDe(banco) + QStringLiteral(".anterior*.gbk")}, QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch m = data.match(f.fileName());
        const QDateTime feita =
            m.hasMatch() ? QDateTime::fromString(m.captured(1), DataHora) : f.lastModified();
        todas.append({f.absoluteFilePath(), feita});
    }
    std::sort(todas.begin(), todas.end(), [](const Copia& a, const Copia& b) {
        return a.feita != b.feita ? a.feita > b.feita : a.arquivo > b.arquivo;
    });
    return todas;
}

QString restaura(const Pedido& pedido, const Progresso& progresso) {
    Restauro restauro(pedido, progresso, trava(pedido.banco));
    restauro.confere();
    restauro.registra(PassoProva);
    try {
        restauro.provaECopia();
        restauro.registra(PassoSubstituicao);
        restauro.substitui();
    } catch (const Cortada&) {
        throw;
    } catch (...) {
        restauro.desiste();
        throw;
    }
    restauro.registra(PassoAbertura);
    restauro.abre();
    restauro.limpa();
    return restauro.copiaFeita();
}

QString Interrompida::descricao() const {
    QString texto = QStringLiteral("A restauração do backup %1 no Banco de Dados %2, iniciada em "
                                   "%3, foi interrompida antes de terminar.")
                        .arg(backup, banco, emTexto(inicio));
    if (dadosNovosNoLugar)
        texto += QStringLiteral(" Os dados do backup já estão no Banco de Dados; a restauração "
                                "vai ser concluída agora.");
    if (!copia.isEmpty())
        texto += QStringLiteral("\nOs dados de antes dela estão guardados em %1.").arg(copia);
    return texto;
}

std::optional<Interrompida> procuraInterrompida(const QString& banco) {
    if (!QFile::exists(registroDe(banco))) {
        // Cut before it wrote down anything: only its lock is left.
        if (QFile::exists(travaDe(banco)))
            trava(banco);
        return std::nullopt;
    }
    auto lock = trava(banco);
    const std::optional<Registro> registro = Registro::le(registroDe(banco));
    if (!registro || registro->banco != banco) {
        QFile::remove(registroDe(banco));
        return std::nullopt;
    }
    if (registro->passo == PassoProva) {
        // Cut before the replace: the database is as it was.
        Restauro(*registro, {}, lock).desiste();
        return std::nullopt;
    }
    Interrompida cortada;
    cortada.banco = registro->banco;
    cortada.esquema = registro->esquema;
    cortada.backup = registro->backup;
    cortada.copia = registro->copia;
    cortada.inicio = registro->inicio;
    cortada.trava = lock;
    const bool aqui = !fb::throughServer(banco);
    if (registro->passo == PassoAbertura)
        cortada.dadosNovosNoLugar = true;
    else if (aqui) // the rename happened, or not at all
        cortada.dadosNovosNoLugar = !QFile::exists(provadoDe(banco));
    cortada.podeDesfazer = !cortada.dadosNovosNoLugar && (aqui || QFile::exists(cortada.copia));
    return cortada;
}

namespace {

Registro registroDa(const Interrompida& cortada) {
    Registro r;
    r.banco = cortada.banco;
    r.esquema = cortada.esquema;
    r.backup = cortada.backup;
    r.copia = cortada.copia;
    r.inicio = cortada.inicio;
    return r;
}

} // namespace

void conclui(const Interrompida& cortada, const Progresso& progresso) {
    Restauro restauro(registroDa(cortada), progresso, cortada.trava);
    if (!cortada.dadosNovosNoLugar) {
        if (!restauro.aqui() && !QFileInfo(cortada.backup).isFile())
            throw DbError(QStringLiteral("O backup %1 não está mais neste computador; não há como "
                                         "concluir a restauração.")
                              .arg(cortada.backup));
        restauro.registra(PassoSubstituicao);
        restauro.substitui();
    }
    restauro.registra(PassoAbertura);
    restauro.abre();
    restauro.limpa();
}

void desfaz(const Interrompida& cortada, const Progresso& progresso) {
    if (!cortada.podeDesfazer)
        throw DbError(QStringLiteral("Não há como voltar aos dados de antes da restauração."));
    Restauro(registroDa(cortada), progresso, cortada.trava).volta();
}

bool emRestauracao(const std::exception& e) {
    const auto* erro = dynamic_cast<const DbError*>(&e);
    return erro && (erro->has(isc_shutdown) || erro->has(isc_gbak_db_in_use));
}

} // namespace Restauracao
