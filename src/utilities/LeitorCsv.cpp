#include "utilities/LeitorCsv.h"

#include <array>

namespace importacao {

namespace {

constexpr qint64 Pedaco = 1 << 20;
// A row longer than this is a quote that never closes, or no CSV at all.
constexpr qsizetype LinhaMaxima = 4 << 20;
// How far down a title and blank rows may push the row of column names.
constexpr int LinhasAntesDoCabecalho = 50;

// Where the bytes stop being UTF-8: the line (from 1) of the first byte
// that no UTF-8 sequence explains, or 0 when they all are.
class ConfereUtf8 {
public:
    // Feeds the next bytes; a sequence may continue in the next call.
    void le(const QByteArray& bytes) {
        for (const char b : bytes) {
            const auto c = static_cast<unsigned char>(b);
            if (faltam > 0) {
                if (c < minimo || c > maximo) {
                    erro();
                    return;
                }
                --faltam;
                minimo = 0x80;
                maximo = 0xBF;
                continue;
            }
            if (c == '\n')
                ++linhas;
            if (c < 0x80)
                continue;
            if (c >= 0xC2 && c <= 0xDF)
                faltam = 1;
            else if (c >= 0xE0 && c <= 0xEF) {
                faltam = 2;
                minimo = c == 0xE0 ? 0xA0 : 0x80; // no overlong forms
                maximo = c == 0xED ? 0x9F : 0xBF; // no surrogates
                continue;
            } else if (c >= 0xF0 && c <= 0xF4) {
                faltam = 3;
                minimo = c == 0xF0 ? 0x90 : 0x80;
                maximo = c == 0xF4 ? 0x8F : 0xBF;
                continue;
            } else {
                erro();
                return;
            }
            minimo = 0x80;
            maximo = 0xBF;
        }
    }
    // The line of the first fault, the end of the file included.
    qint64 fim() {
        if (faltam > 0)
            erro();
        return linhaErrada;
    }
    qint64 linhaErrada = 0;

private:
    void erro() {
        if (linhaErrada == 0)
            linhaErrada = linhas + 1;
        faltam = 0;
    }
    int faltam = 0;
    unsigned char minimo = 0x80, maximo = 0xBF;
    qint64 linhas = 0;
};

// A cell as the spreadsheet showed it when the export wrote it.
QString comoMostrado(QString celula) {
    // A code kept as text: ="000123".
    if (celula.size() >= 3 && celula.startsWith(QLatin1String("=\"")) && celula.endsWith(u'"')) {
        celula = celula.mid(2, celula.size() - 3);
        celula.replace(QLatin1String("\"\""), QLatin1String("\""));
        return celula;
    }
    // The apostrophe before a text that Excel would run as a formula.
    static const QString guardados = QStringLiteral("=+-@\t\r'");
    if (celula.size() > 1 && celula.front() == u'\'' && guardados.contains(celula[1]))
        celula.remove(0, 1);
    return celula;
}

} // namespace

LeitorCsv::LeitorCsv(const QString& caminho, const EhCabecalho& ehCabecalho) : arquivo(caminho) {
    if (!arquivo.open(QIODevice::ReadOnly))
        throw Ilegivel(
            QStringLiteral("Não foi possível ler o arquivo: %1.").arg(arquivo.errorString()));
    confereCodificacao();
    escolheSeparador(ehCabecalho);
    volta();
}

void LeitorCsv::confereCodificacao() {
    const QByteArray comeco = arquivo.peek(3);
    const bool marca = comeco == QByteArrayLiteral("\xEF\xBB\xBF");
    inicio = marca ? 3 : 0;
    ConfereUtf8 confere;
    arquivo.seek(inicio);
    for (QByteArray bytes = arquivo.read(Pedaco); !bytes.isEmpty(); bytes = arquivo.read(Pedaco)) {
        confere.le(bytes);
        if (confere.linhaErrada != 0)
            break;
    }
    if (arquivo.error() != QFileDevice::NoError)
        throw Ilegivel(
            QStringLiteral("Não foi possível ler o arquivo: %1.").arg(arquivo.errorString()));
    const qint64 errada = confere.fim();
    utf8 = errada == 0;
    if (marca && !utf8)
        throw Ilegivel(
            QStringLiteral("A codificação do arquivo está misturada: ele começa com a marca de "
                           "UTF-8, mas a linha %1 tem letras gravadas em outra codificação "
                           "(Windows-1252, provavelmente). Salve a planilha de novo como \"CSV "
                           "UTF-8\" e escolha o arquivo outra vez; nada foi importado.")
                .arg(errada));
}

void LeitorCsv::escolheSeparador(const EhCabecalho& ehCabecalho) {
    QStringList celulas;
    for (const QChar candidato : {QChar(u';'), QChar(u'\t'), QChar(u',')}) {
        sep = candidato;
        volta();
        for (int n = 0; n < LinhasAntesDoCabecalho && proxima(celulas); ++n)
            if (celulas.size() > 1 && ehCabecalho(celulas))
                return;
    }
    // No row names the columns: the separator the first row uses most,
    // for the message that says so.
    volta();
    carrega();
    std::array<int, 3> contagem{};
    bool aspas = false;
    for (const QChar c : texto) {
        if (c == u'"')
            aspas = !aspas;
        else if (!aspas && (c == u'\n' || c == u'\r'))
            break;
        else if (!aspas && c == u';')
            ++contagem[0];
        else if (!aspas && c == u'\t')
            ++contagem[1];
        else if (!aspas && c == u',')
            ++contagem[2];
    }
    sep = contagem[1] > contagem[0] && contagem[1] > contagem[2] ? u'\t'
          : contagem[2] > contagem[0]                            ? u','
                                                                 : u';';
}

void LeitorCsv::volta() {
    arquivo.seek(inicio);
    decodificador = utf8 ? QStringDecoder(QStringDecoder::Utf8) : QStringDecoder("windows-1252");
    texto.clear();
    pos = 0;
    acabou = false;
    numero = 0;
}

bool LeitorCsv::carrega() {
    const QByteArray bytes = arquivo.read(Pedaco);
    if (bytes.isEmpty())
        return false;
    const QString novo =
        decodificador.isValid() ? QString(decodificador.decode(bytes)) : QString::fromLatin1(bytes);
    texto = texto.mid(pos) + novo;
    pos = 0;
    return true;
}

bool LeitorCsv::proxima(QStringList& celulas) {
    for (;;) {
        if (pos >= texto.size() && acabou)
            return false;
        if (leLinha(celulas, acabou)) {
            ++numero;
            return true;
        }
        if (texto.size() - pos > LinhaMaxima)
            throw Ilegivel(
                QStringLiteral("A linha %1 do arquivo não termina: uma aspa (\") abre um texto "
                               "que não se fecha. Confira a linha no programa da planilha; "
                               "nada foi importado.")
                    .arg(numero + 1));
        if (!carrega())
            acabou = true;
    }
}

bool LeitorCsv::leLinha(QStringList& celulas, bool fim) {
    celulas.clear();
    QString celula;
    bool aspas = false, algo = false;
    const QChar* d = texto.constData();
    const qsizetype n = texto.size();
    qsizetype i = pos;
    auto fecha = [&] {
        celulas << comoMostrado(celula);
        celula.clear();
    };
    while (i < n) {
        const QChar c = d[i];
        if (aspas) {
            if (c != u'"') {
                qsizetype j = i;
                while (j < n && d[j] != u'"')
                    ++j;
                celula.append(d + i, j - i);
                i = j;
            } else if (i + 1 >= n && !fim) {
                return false; // a doubled quote may follow
            } else if (i + 1 < n && d[i + 1] == u'"') {
                celula += u'"';
                i += 2;
            } else {
                aspas = false;
                ++i;
            }
        } else if (c == u'"') {
            aspas = true;
            algo = true;
            ++i;
        } else if (c == sep) {
            fecha();
            algo = true;
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 >= n && !fim)
                return false; // its line feed may follow
            if (c == u'\r' && i + 1 < n && d[i + 1] == u'\n')
                ++i;
            if (algo || !celula.isEmpty())
                fecha();
            pos = i + 1;
            return true;
        } else {
            qsizetype j = i;
            while (j < n && d[j] != sep && d[j] != u'"' && d[j] != u'\r' && d[j] != u'\n')
                ++j;
            celula.append(d + i, j - i);
            i = j;
            algo = true;
        }
    }
    if (!fim)
        return false;
    if (algo || !celula.isEmpty())
        fecha();
    pos = n;
    return true;
}

double LeitorCsv::lido() const {
    const qint64 tamanho = arquivo.size() - inicio;
    return tamanho <= 0 ? 1.0 : double(arquivo.pos() - inicio) / double(tamanho);
}

QString LeitorCsv::leitura() const {
    return QStringLiteral("Lido como %1, colunas separadas por %2.")
        .arg(codificacao(),
             sep == u'\t' ? QStringLiteral("tabulação") : QStringLiteral("\"%1\"").arg(sep));
}

} // namespace importacao
