#include "data/ConfigIni.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace ConfigIni {

namespace {

const QString section = QStringLiteral("PASTA");
const QString pathKey = QStringLiteral("PATH");

bool isSectionLine(const QString& line) {
    const QString t = line.trimmed();
    return t.startsWith(u'[') && t.endsWith(u']');
}

bool isSection(const QString& line, const QString& name) {
    const QString t = line.trimmed();
    return isSectionLine(line) &&
           t.mid(1, t.size() - 2).trimmed().compare(name, Qt::CaseInsensitive) == 0;
}

// The key of a "key=value" line, or an empty string.
QString keyOf(const QString& line) {
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq).trimmed();
}

QStringList readLines() {
    QFile file(QDir::current().filePath(fileName()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLocal8Bit(file.readAll()).split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

QString fileName() {
    const QStringList entries = QDir::current().entryList(QDir::Files | QDir::Hidden);
    for (const QString& entry : entries)
        if (entry.compare(QStringLiteral("Config.INI"), Qt::CaseInsensitive) == 0)
            return entry;
    return QStringLiteral("Config.INI");
}

bool exists() {
    return QFile::exists(QDir::current().filePath(fileName()));
}

QString read(const QString& sectionName, const QString& key) {
    bool inSection = false;
    for (const QString& line : readLines()) {
        if (isSectionLine(line))
            inSection = isSection(line, sectionName);
        else if (inSection && keyOf(line).compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(line.indexOf(u'=') + 1).trimmed();
    }
    return {};
}

void write(const QString& sectionName, const QString& key, const QString& value) {
    QStringList lines = readLines();
    const QString entry = key + u'=' + value;
    qsizetype sectionAt = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isSection(lines[i], sectionName)) {
            sectionAt = i;
            break;
        }
    }
    if (sectionAt < 0) {
        if (!lines.isEmpty())
            lines << QString();
        lines << u'[' + sectionName + u']' << entry;
    } else {
        qsizetype i = sectionAt + 1;
        qsizetype insertAt = i;
        bool replaced = false;
        for (; i < lines.size() && !isSectionLine(lines[i]); ++i) {
            if (keyOf(lines[i]).compare(key, Qt::CaseInsensitive) == 0) {
                lines[i] = entry;
                replaced = true;
                break;
            }
            if (!lines[i].trimmed().isEmpty())
                insertAt = i + 1;
        }
        if (!replaced)
            lines.insert(insertAt, entry);
    }

    QFile file(QDir::current().filePath(fileName()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error(QStringLiteral("Cannot write %1: %2")
                                     .arg(file.fileName(), file.errorString())
                                     .toStdString());
    file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLocal8Bit());
}

void remove() {
    QFile::remove(QDir::current().filePath(fileName()));
}

QString readFolder() {
    return read(section, pathKey);
}

void writeFolder(const QString& folder) {
    write(section, pathKey, folder);
}

} // namespace ConfigIni
