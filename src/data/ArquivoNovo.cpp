#include "data/ArquivoNovo.h"

#include "data/DbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

const QString Marca = QStringLiteral(".gravando-");

void sincroniza(const QString& caminho) {
    const int fd = ::open(QFile::encodeName(caminho).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

bool processoVivo(qint64 pid) {
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

} // namespace

ArquivoNovo::ArquivoNovo(const QString& destino) : destino(QFileInfo(destino).absoluteFilePath()) {
    limpaSobras(this->destino);
    QByteArray modelo = QFile::encodeName(this->destino + Marca +
                                          QString::number(QCoreApplication::applicationPid()) +
                                          QStringLiteral("-XXXXXX"));
    // mkdtemp makes the folder readable by its owner only.
    if (!::mkdtemp(modelo.data()))
        throw DbError(QStringLiteral("Não consegui criar o arquivo %1: %2")
                          .arg(this->destino, QString::fromLocal8Bit(std::strerror(errno))));
    pasta = QFile::decodeName(modelo);
    temporario = pasta + u'/' + QFileInfo(this->destino).fileName();
}

ArquivoNovo::~ArquivoNovo() {
    if (!pasta.isEmpty())
        QDir(pasta).removeRecursively();
}

void ArquivoNovo::poeNoLugar() {
    if (!QFile::exists(temporario) ||
        !QFile::setPermissions(temporario, QFile::ReadOwner | QFile::WriteOwner))
        throw DbError(QStringLiteral("Não consegui gravar o arquivo %1").arg(destino));
    sincroniza(temporario);
    if (::rename(QFile::encodeName(temporario).constData(),
                 QFile::encodeName(destino).constData()) != 0)
        throw DbError(QStringLiteral("Não consegui gravar o arquivo %1: %2")
                          .arg(destino, QString::fromLocal8Bit(std::strerror(errno))));
    sincroniza(QFileInfo(destino).absolutePath());
}

bool ArquivoNovo::emGravacao(const QString& arquivo) {
    return QFileInfo(arquivo).absolutePath().section(u'/', -1).contains(Marca);
}

void ArquivoNovo::limpaSobras(const QString& destino) {
    const QFileInfo alvo(destino);
    static const QRegularExpression pid(QStringLiteral("\\.gravando-(\\d+)-[^/]*$"));
    const QStringList sobras = alvo.absoluteDir().entryList(
        {alvo.fileName() + Marca + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString& sobra : sobras) {
        const QRegularExpressionMatch m = pid.match(sobra);
        if (m.hasMatch() && !processoVivo(m.captured(1).toLongLong()))
            QDir(alvo.absoluteDir().filePath(sobra)).removeRecursively();
    }
}
