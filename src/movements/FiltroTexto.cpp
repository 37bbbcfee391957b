#include "movements/FiltroTexto.h"

#include "data/DbError.h"
#include "data/ListCopy.h"

namespace {

using Criterio = ListaFiltrada::Criterio;

class Leitor {
public:
    Leitor(const QString& texto, const ListCopy* lista) : texto(texto), lista(lista) {}

    Criterio le() {
        Criterio criterio = disjuncao();
        pulaBrancos();
        if (pos < texto.size())
            falha();
        return criterio;
    }

private:
    Criterio disjuncao() {
        Criterio esquerda = conjuncao();
        while (palavra(QStringLiteral("or"))) {
            Criterio direita = conjuncao();
            esquerda = [esquerda, direita](int linha) { return esquerda(linha) || direita(linha); };
        }
        return esquerda;
    }

    Criterio conjuncao() {
        Criterio esquerda = fator();
        while (palavra(QStringLiteral("and"))) {
            Criterio direita = fator();
            esquerda = [esquerda, direita](int linha) { return esquerda(linha) && direita(linha); };
        }
        return esquerda;
    }

    Criterio fator() {
        pulaBrancos();
        if (sinal(QStringLiteral("("))) {
            Criterio dentro = disjuncao();
            if (!sinal(QStringLiteral(")")))
                falha();
            return dentro;
        }
        return comparacao();
    }

    Criterio comparacao() {
        pulaBrancos();
        const qsizetype inicio = pos;
        while (pos < texto.size() && (texto[pos].isLetterOrNumber() || texto[pos] == u'_'))
            ++pos;
        const QString nome = texto.mid(inicio, pos - inicio);
        const int campo = nome.isEmpty() ? -1 : lista->fieldIndex(nome);
        if (campo < 0)
            throw DbError(QStringLiteral("Field '%1' not found").arg(nome));
        bool igual = true;
        if (sinal(QStringLiteral("<>")))
            igual = false;
        else if (!sinal(QStringLiteral("=")))
            falha();
        const QString valor = literal();
        const ListCopy* l = lista;
        return [l, campo, valor, igual](int linha) {
            if (const QString* texto = l->textAt(linha, campo))
                return (*texto == valor) == igual;
            const QVariant outro = l->value(linha, l->fields()[std::size_t(campo)].name);
            return outro.isValid() && (outro.toString() == valor) == igual;
        };
    }

    QString literal() {
        pulaBrancos();
        if (pos >= texto.size() || texto[pos] != u'\'')
            falha();
        QString valor;
        for (++pos; pos < texto.size(); ++pos) {
            if (texto[pos] == u'\'') {
                if (pos + 1 < texto.size() && texto[pos + 1] == u'\'') {
                    valor += u'\'';
                    ++pos;
                    continue;
                }
                ++pos;
                return valor;
            }
            valor += texto[pos];
        }
        falha();
    }

    void pulaBrancos() {
        while (pos < texto.size() && texto[pos].isSpace())
            ++pos;
    }

    bool sinal(const QString& s) {
        pulaBrancos();
        if (QStringView(texto).mid(pos).startsWith(s)) {
            pos += s.size();
            return true;
        }
        return false;
    }

    // A word stands alone: "or" must not be the start of "order".
    bool palavra(const QString& p) {
        pulaBrancos();
        const qsizetype fim = pos + p.size();
        if (!QStringView(texto).mid(pos).startsWith(p, Qt::CaseInsensitive) ||
            (fim < texto.size() && (texto[fim].isLetterOrNumber() || texto[fim] == u'_')))
            return false;
        pos = fim;
        return true;
    }

    [[noreturn]] void falha() const {
        throw DbError(QStringLiteral("Invalid filter: %1").arg(texto));
    }

    const QString& texto;
    const ListCopy* lista;
    qsizetype pos = 0;
};

} // namespace

ListaFiltrada::Criterio CompilaFiltro(const QString& texto, const ListCopy* lista) {
    return Leitor(texto, lista).le();
}
