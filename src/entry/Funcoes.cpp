#include "entry/Funcoes.h"

QString LimpaNumero(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (c == u',' || c == u'-' || (c >= u'0' && c <= u'9'))
            result += c;
    }
    return result;
}
