#pragma once

// The client library's status vector, read the one way every part of the
// Firebird layer reads it. For the layer's own .cpp files only: it brings
// the client library's C types with it.

#include "data/DbError.h"

#include <ibase.h>

#include <QString>
#include <QStringDecoder>
#include <QStringList>
#include <vector>

namespace fb {

// The client's own texts (its messages, with the file names they quote) are
// UTF-8 where they are valid UTF-8, as the file names are sent; older
// servers answer in Latin-1.
inline QString fromClientText(const char* text) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8(QByteArrayView(text));
    return utf8.hasError() ? QString::fromLatin1(text) : decoded;
}

inline QString interpret(const ISC_STATUS* status) {
    QStringList lines;
    char buffer[1024];
    const ISC_STATUS* vector = status;
    while (fb_interpret(buffer, sizeof buffer, &vector))
        lines << fromClientText(buffer);
    return lines.join(u'\n');
}

// The error codes of a status vector, so callers can tell errors apart
// without reading their text.
inline std::vector<long> codesOf(const ISC_STATUS* status) {
    std::vector<long> codes;
    for (const ISC_STATUS* p = status; *p != isc_arg_end;) {
        const ISC_STATUS kind = *p++;
        if (kind == isc_arg_gds)
            codes.push_back(long(*p));
        p += kind == isc_arg_cstring ? 2 : 1;
    }
    return codes;
}

inline void check(const ISC_STATUS* status) {
    if (status[0] != 1 || status[1] == 0)
        return;
    DbError error(interpret(status), codesOf(status));
    if (error.connectionLost())
        throw ConnectionLost(std::move(error));
    throw error;
}

} // namespace fb
