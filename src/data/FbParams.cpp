#include "data/FbParams.h"

#include "data/DbError.h"

namespace fb {

namespace {

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

} // namespace

ParsedSql parseNamedParameters(const QString& sql) {
    ParsedSql parsed;
    parsed.serverText.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            // A quoted literal or identifier runs to the matching quote; a
            // doubled quote inside it is an escaped quote and simply continues.
            qsizetype end = sql.indexOf(c, i + 1);
            end = end < 0 ? n : end + 1;
            parsed.serverText += sql.mid(i, end - i);
            i = end;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            qsizetype end = sql.indexOf(u'\n', i);
            end = end < 0 ? n : end;
            parsed.serverText += sql.mid(i, end - i);
            i = end;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
            end = end < 0 ? n : end + 2;
            parsed.serverText += sql.mid(i, end - i);
            i = end;
        } else if (c == u':' && i + 1 < n && isNameChar(sql[i + 1])) {
            qsizetype end = i + 1;
            while (end < n && isNameChar(sql[end]))
                ++end;
            parsed.names << sql.mid(i + 1, end - i - 1).toUpper();
            parsed.serverText += u'?';
            i = end;
        } else {
            parsed.serverText += c;
            ++i;
        }
    }
    return parsed;
}

void Params::set(const QString& name, QVariant value) {
    const QString key = name.toUpper();
    for (auto& [existing, stored] : values) {
        if (existing == key) {
            stored = std::move(value);
            return;
        }
    }
    values.emplace_back(key, std::move(value));
}

bool Params::contains(const QString& name) const {
    const QString key = name.toUpper();
    for (const auto& entry : values)
        if (entry.first == key)
            return true;
    return false;
}

const QVariant& Params::value(const QString& name) const {
    const QString key = name.toUpper();
    for (const auto& entry : values)
        if (entry.first == key)
            return entry.second;
    throw DbError(QStringLiteral("Parameter '%1' not found").arg(name));
}

} // namespace fb
