#include "utilities/Importacao.h"

#include "entry/KeyFilter.h"
#include "entry/RegionalNumbers.h"
#include "shell/Cadastro.h"
#include "utilities/LeitorCsv.h"
#include "utilities/LeitorXlsx.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

namespace importacao {

namespace {

// How a cell is read into its column.
enum class Forma {
    Texto,  // as it is, at most `tamanho` letters
    Codigo, // a text a spreadsheet may have taken for a number
    Numero, // Brazilian writing, rounded at `tamanho` decimals
    Data,
};

// A column of the table: how its cell is read, and the headings that name it
// in a spreadsheet, written as they are compared (lower case, without
// accents, blanks or signs; "|" between them). A new column, or another
// name for one, is one line here.
struct Campo {
    const char* nome;
    const char* rotulo; // how the screens call it
    Forma forma;
    int tamanho;
    bool negativo;                       // a margin may be below zero: a sale below cost
    QString (*completa)(const QString&); // the padding of the edit screen
    const char* cabecalhos;
};

QString completaProduto(const QString& codigo) {
    return CompletaCodigoProduto(codigo);
}
QString completaGrupo(const QString& codigo) {
    return CompletaCodigo(codigo);
}

const std::vector<Campo>& camposProduto() {
    static const std::vector<Campo> campos = {
        {"PRO_CODIGO", "Código", Forma::Codigo, 10, false, completaProduto,
         "codigo|cod|codigodoproduto|codigoproduto|codproduto"},
        {"PRO_DESCRICAO", "Descrição", Forma::Texto, 50, false, nullptr,
         "descricao|descricaodoproduto|produto|nome"},
        {"PRO_CODGRU", "Grupo", Forma::Codigo, 6, false, completaGrupo,
         "grupo|codgrupo|codigodogrupo|codigogrupo"},
        {"PRO_UNID", "Unidade", Forma::Texto, 3, false, nullptr, "unidade|unid|un"},
        {"PRO_LOCAL", "Local", Forma::Texto, 10, false, nullptr, "local|localizacao"},
        {"PRO_PCUSTO", "Preço de Custo", Forma::Numero, 2, false, nullptr,
         "precodecusto|precocusto|custo|pcusto"},
        {"PRO_MARGEM", "Margem de Lucro", Forma::Numero, 2, true, nullptr,
         "margem|margemdelucro|margemlucro"},
        {"PRO_PVENDA", "Preço de Venda", Forma::Numero, 2, false, nullptr,
         "precodevenda|precovenda|venda|preco|pvenda"},
        {"PRO_MIN", "Estoque Mínimo", Forma::Numero, 0, false, nullptr,
         "minimo|estoqueminimo|estminimo|estmin|emin"},
        {"PRO_EMAX", "Estoque Máximo", Forma::Numero, 0, false, nullptr,
         "maximo|estoquemaximo|estmaximo|emaximo|estmax|emax"},
        {"PRO_REFER", "Referência", Forma::Codigo, 20, false, nullptr, "referencia|ref"},
        {"PRO_CODBAR", "Código de Barras", Forma::Codigo, 14, false, nullptr,
         "codigodebarras|codigobarras|codbarras|ean|gtin"},
        {"PRO_OBS", "Observações", Forma::Texto, 100, false, nullptr, "observacoes|observacao|obs"},
        {"PRO_UCOMP", "Última Compra", Forma::Data, 0, false, nullptr,
         "ultimacompra|ultcompra|ucompra|datadaultimacompra"},
        {"PRO_DCAD", "Data de Cadastro", Forma::Data, 0, false, nullptr,
         "datadecadastro|datacadastro|dcadastro|cadastro"},
    };
    return campos;
}

const std::vector<Campo>& camposGrupo() {
    static const std::vector<Campo> campos = {
        {"GRU_CODIGO", "Código", Forma::Codigo, 6, false, completaGrupo,
         "codigo|cod|codigodogrupo|codigogrupo"},
        {"GRU_DESCRICAO", "Descrição", Forma::Texto, 50, false, nullptr,
         "descricao|descricaodogrupo|descricaogrupo|grupo|nome"},
    };
    return campos;
}

const std::vector<Campo>& camposDo(Tipo tipo) {
    return tipo == Tipo::Grupos ? camposGrupo() : camposProduto();
}

// Columns a spreadsheet of products has that the import leaves out on
// purpose, and why.
struct Ignorada {
    const char* cabecalhos;
    const char* nota;
};
constexpr Ignorada IgnoradasProduto[] = {
    {"quantidade|quant|qtd|qtde|estoque|estoqueatual|saldo",
     "não importada: o estoque muda só pelas entradas e saídas"},
    {"descricaogrupo|descricaodogrupo|nomedogrupo",
     "não importada: a descrição do grupo vem do cadastro de grupos"},
};

// A heading as it is compared: lower case, without accents, blanks or signs.
QString normaliza(const QString& cabecalho) {
    QString simples;
    for (QChar c : cabecalho.normalized(QString::NormalizationForm_D))
        if (c.isLetterOrNumber())
            simples += c.toLower();
    return simples;
}

bool nomeia(const char* cabecalhos, const QString& normalizado) {
    return !normalizado.isEmpty() &&
           QString::fromLatin1(cabecalhos).split(u'|').contains(normalizado);
}

int indiceDoCabecalho(Tipo tipo, const QString& cabecalho) {
    const QString simples = normaliza(cabecalho);
    const std::vector<Campo>& campos = camposDo(tipo);
    for (std::size_t i = 0; i < campos.size(); ++i)
        if (nomeia(campos[i].cabecalhos, simples))
            return int(i);
    return -1;
}

int indiceDe(Tipo tipo, const char* nome) {
    const std::vector<Campo>& campos = camposDo(tipo);
    for (std::size_t i = 0; i < campos.size(); ++i)
        if (std::strcmp(campos[i].nome, nome) == 0)
            return int(i);
    return -1;
}

const QLocale& brasil() {
    static const QLocale locale(QLocale::Portuguese, QLocale::Brazil);
    return locale;
}

QString moeda(double valor) {
    return QStringLiteral("R$ ") + brasil().toString(valor, 'f', 2);
}

QString porcento(double valor) {
    return brasil().toString(valor, 'f', 2) + u'%';
}

// How a number is stored: rounded at its decimals, half away from zero.
double arredonda(double valor, int decimais) {
    const RoundedDecimal r = roundDecimal(valor, decimais);
    const std::string texto =
        (r.negative ? "-" : "") + r.integral + (r.fraction.empty() ? "" : "." + r.fraction);
    double arredondado = 0;
    std::from_chars(texto.data(), texto.data() + texto.size(), arredondado);
    return arredondado;
}

qint64 centavos(double valor) {
    return std::llround(valor * 100);
}

// A cell read as a number the Brazilian way, as a spreadsheet writes it
// ("R$ 1.234,50", "12,5%", "1.000", "-3"); nullopt when it does not read.
std::optional<double> numero(QStringView texto) {
    bool menos = false;
    if (texto.startsWith(u'-')) {
        menos = true;
        texto = texto.mid(1).trimmed();
    }
    // Most cells are plain digits with a decimal comma: read them at once.
    char simples[40];
    std::size_t n = 0;
    bool virgula = false;
    for (const QChar c : texto) {
        if (n == sizeof simples) {
            n = 0;
            break;
        }
        if (c.isDigit() && c.unicode() < 128)
            simples[n++] = char(c.unicode());
        else if (c == u',' && !virgula && n > 0) {
            virgula = true;
            simples[n++] = '.';
        } else {
            n = 0;
            break;
        }
    }
    double valor = 0;
    if (n > 0 && simples[n - 1] != '.') {
        std::from_chars(simples, simples + n, valor);
    } else {
        const QString limpo = filterPaste(KeyFilter::Decimal, texto.toString());
        if (limpo.isEmpty())
            return std::nullopt;
        try {
            valor = toNumber(limpo);
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }
    return menos ? -valor : valor;
}

std::optional<QDate> data(const QString& texto) {
    static const QRegularExpression brasileira(
        QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})(?:\\s+\\d{1,2}:\\d{2}(?::\\d{2})?)?$"));
    static const QRegularExpression iso(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(?:[T ]\\d{2}:\\d{2}(?::\\d{2})?)?$"));
    QRegularExpressionMatch m = brasileira.match(texto);
    QDate dia;
    if (m.hasMatch())
        dia = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    else if ((m = iso.match(texto)).hasMatch())
        dia = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!dia.isValid())
        return std::nullopt;
    return dia;
}

// A character the database cannot keep (it stores ISO 8859-1), named whole:
// an emoji is one character, not two halves.
std::optional<QString> foraDoLatin1(const QString& texto) {
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (texto[i].unicode() <= 0xFF)
            continue;
        char32_t c = texto[i].unicode();
        if (texto[i].isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(texto[i], texto[i + 1]);
        return QStringLiteral("\"%1\" (U+%2)")
            .arg(QString::fromUcs4(&c, 1),
                 QString::number(uint(c), 16).toUpper().rightJustified(4, u'0'));
    }
    return std::nullopt;
}

// One cell read into its column: the value (invalid for an empty cell), or
// what is wrong with it.
struct Leitura {
    QVariant valor;
    QString falha;
};

Leitura le(const Campo& campo, const QString& bruto) {
    const QString celula = bruto.trimmed();
    const QString rotulo = QString::fromUtf8(campo.rotulo);
    if (celula.isEmpty())
        return {};
    switch (campo.forma) {
    case Forma::Codigo: {
        // Excel writes a long run of digits as "7,89123E+12": the digits
        // after the sixth are gone for good.
        static const QRegularExpression cientifica(
            QStringLiteral("^\\d+([.,]\\d+)?[eE][+-]?\\d+$"));
        if (cientifica.match(celula).hasMatch())
            return {{},
                    QStringLiteral("\"%1\" da coluna \"%2\" foi cortado pela planilha, que o "
                                   "escreveu como número; formate a coluna \"%2\" como texto e "
                                   "digite os códigos de novo")
                        .arg(celula, rotulo)};
        [[fallthrough]];
    }
    case Forma::Texto: {
        const QString valor = campo.completa ? campo.completa(celula) : celula;
        if (const auto fora = foraDoLatin1(valor))
            return {{},
                    QStringLiteral("o caractere %1 da coluna \"%2\" não pode ser gravado")
                        .arg(*fora, rotulo)};
        if (valor.size() > campo.tamanho)
            return {{},
                    QStringLiteral("\"%1\" é longo demais para a coluna \"%2\" (no máximo %3 "
                                   "caracteres)")
                        .arg(celula, rotulo)
                        .arg(campo.tamanho)};
        return {valor, {}};
    }
    case Forma::Numero: {
        const std::optional<double> valor = numero(celula);
        if (!valor)
            return {{},
                    QStringLiteral("\"%1\" da coluna \"%2\" não é um número").arg(celula, rotulo)};
        if (std::fabs(*valor) >= (campo.tamanho > 0 ? 1e13 : 1e15))
            return {{}, QStringLiteral("%1 da coluna \"%2\" é grande demais").arg(celula, rotulo)};
        const double arredondado = arredonda(*valor, campo.tamanho);
        if (arredondado < 0 && !campo.negativo)
            return {{}, QStringLiteral("%1 da coluna \"%2\" é negativo").arg(celula, rotulo)};
        return {arredondado, {}};
    }
    case Forma::Data: {
        const std::optional<QDate> dia = data(celula);
        if (!dia)
            return {{},
                    QStringLiteral("\"%1\" da coluna \"%2\" não é uma data").arg(celula, rotulo)};
        return {*dia, {}};
    }
    }
    return {};
}

// A row being planned: its values in the order of the columns, whether each
// cell read, and every reason to refuse it or note on it.
struct Linha {
    qint64 numero = 0;
    std::vector<QVariant> valores;
    std::vector<bool> leu;
    QStringList falhas;
    QStringList avisos;
};

// What the row rules check against.
struct Contexto {
    Tipo tipo;
    QSet<QString> guardados;       // codes already stored
    QSet<QString> grupos;          // group codes stored
    QHash<QString, qint64> vistos; // code -> the row that brings it
};

// The rules a row must pass besides each cell's own, in the order their
// reasons are listed. Each is one function; a new one is one line in
// regrasDe.
using Regra = void (*)(Contexto&, Linha&);

void temDescricao(Contexto&, Linha& l) {
    if (l.leu[1] && !l.valores[1].isValid())
        l.falhas << QStringLiteral("sem descrição");
}

void codigoUnico(Contexto& c, Linha& l) {
    if (!l.leu[0] || !l.valores[0].isValid())
        return;
    const QString codigo = l.valores[0].toString();
    if (const auto achado = c.vistos.constFind(codigo); achado != c.vistos.cend())
        l.falhas << QStringLiteral("o código %1 já está na linha %2 do arquivo")
                        .arg(codigo.trimmed())
                        .arg(*achado);
    else if (c.guardados.contains(codigo))
        l.falhas << QStringLiteral("o código %1 já está cadastrado").arg(codigo.trimmed());
}

void grupoCadastrado(Contexto& c, Linha& l) {
    const int grupo = indiceDe(Tipo::Produtos, "PRO_CODGRU");
    if (!l.leu[grupo])
        return;
    const QString codigo = l.valores[grupo].toString();
    if (codigo.isEmpty())
        l.falhas << QStringLiteral("sem grupo");
    else if (!c.grupos.contains(codigo))
        l.falhas << QStringLiteral("o grupo %1 não está cadastrado").arg(codigo);
}

// The prices as the product screen makes them: with a cost, the margin
// makes the sale price, or the sale price the margin; no price is negative.
void precos(Contexto&, Linha& l) {
    static const int iCusto = indiceDe(Tipo::Produtos, "PRO_PCUSTO");
    static const int iMargem = indiceDe(Tipo::Produtos, "PRO_MARGEM");
    static const int iVenda = indiceDe(Tipo::Produtos, "PRO_PVENDA");
    if (!l.leu[iCusto] || !l.leu[iMargem] || !l.leu[iVenda])
        return;
    const double custo = l.valores[iCusto].toDouble();
    const bool temMargem = l.valores[iMargem].isValid();
    const bool temVenda = l.valores[iVenda].isValid();
    if (custo == 0 || (!temMargem && !temVenda))
        return;
    const double margem = l.valores[iMargem].toDouble();
    const double venda = l.valores[iVenda].toDouble();
    const double vendaDaMargem = arredonda((margem / 100 + 1) * custo, 2);
    const double margemDaVenda = arredonda(venda * 100 / custo - 100, 2);
    if (!temVenda) {
        if (vendaDaMargem < 0)
            l.falhas << QStringLiteral("a margem de lucro de %1 sobre o custo de %2 daria um "
                                       "preço de venda negativo")
                            .arg(porcento(margem), moeda(custo));
        else
            l.valores[iVenda] = vendaDaMargem;
        return;
    }
    if (temMargem &&
        (centavos(vendaDaMargem) == centavos(venda) || centavos(margemDaVenda) == centavos(margem)))
        return;
    if (std::fabs(margemDaVenda) >= 1e13) {
        l.falhas << QStringLiteral("a margem de lucro do preço de venda %1 sobre o custo %2 é "
                                   "grande demais")
                        .arg(moeda(venda), moeda(custo));
        return;
    }
    if (temMargem)
        l.avisos << QStringLiteral("a margem de lucro %1 não dá o preço de venda %2 sobre o custo "
                                   "%3: gravada a margem %4, a que a tela de produtos calcula")
                        .arg(porcento(margem), moeda(venda), moeda(custo), porcento(margemDaVenda));
    l.valores[iMargem] = margemDaVenda;
}

std::vector<Regra> regrasDe(Tipo tipo) {
    if (tipo == Tipo::Grupos)
        return {temDescricao, codigoUnico};
    return {temDescricao, codigoUnico, grupoCadastrado, precos};
}

bool vazia(const QStringList& celulas) {
    for (const QString& c : celulas)
        if (!c.trimmed().isEmpty())
            return false;
    return true;
}

// Which column of the file fills which column of the table.
QList<Coluna> colunasDe(Tipo tipo, const QStringList& cabecalho, std::vector<int>* fonte) {
    QList<Coluna> colunas;
    fonte->assign(camposDo(tipo).size(), -1);
    for (const QString& titulo : cabecalho) {
        Coluna coluna{titulo.trimmed(), {}, {}};
        const int campo = indiceDoCabecalho(tipo, titulo);
        if (campo < 0 && coluna.cabecalho.isEmpty()) {
            coluna.nota = QStringLiteral("não importada: coluna sem nome");
        } else if (campo < 0) {
            coluna.nota = QStringLiteral("não importada: coluna desconhecida");
            if (tipo == Tipo::Produtos)
                for (const Ignorada& ignorada : IgnoradasProduto)
                    if (nomeia(ignorada.cabecalhos, normaliza(titulo)))
                        coluna.nota = QString::fromUtf8(ignorada.nota);
        } else if ((*fonte)[campo] >= 0) {
            coluna.nota = QStringLiteral("não importada: repete a coluna \"%1\"")
                              .arg(colunas[(*fonte)[campo]].cabecalho);
        } else {
            coluna.campo = QString::fromLatin1(camposDo(tipo)[campo].nome);
            (*fonte)[campo] = int(colunas.size());
        }
        colunas << coluna;
    }
    return colunas;
}

// The bytes of a stored row: the row's number, then each column as a tag
// and its value.
enum Marca : char { Vazio, Texto, Numero, Dia };

template <typename T> void poe(QByteArray& dados, const T& valor) {
    dados.append(reinterpret_cast<const char*>(&valor), sizeof valor);
}

template <typename T> T tira(const char*& p) {
    T valor;
    std::memcpy(&valor, p, sizeof valor);
    p += sizeof valor;
    return valor;
}

} // namespace

void Registros::acrescenta(qint64 linha, const std::vector<QVariant>& valores) {
    constexpr qsizetype Bloco = 8 << 20; // far more than a row ever takes
    if (blocos.empty() || blocos.back().size() > Bloco - 4096) {
        blocos.emplace_back();
        blocos.back().reserve(Bloco);
    }
    QByteArray& dados = blocos.back();
    inicios.push_back({quint32(blocos.size() - 1), quint32(dados.size())});
    poe(dados, linha);
    for (const QVariant& v : valores) {
        switch (v.typeId()) {
        case QMetaType::QString: {
            const QByteArray texto = v.toString().toLatin1();
            dados.append(Texto);
            poe(dados, qint32(texto.size()));
            dados.append(texto);
            break;
        }
        case QMetaType::Double:
            dados.append(Numero);
            poe(dados, v.toDouble());
            break;
        case QMetaType::QDate:
            dados.append(Dia);
            poe(dados, v.toDate().toJulianDay());
            break;
        default:
            dados.append(Vazio);
        }
    }
}

Registro Registros::operator[](std::size_t i) const {
    const char* p = blocos[inicios[i].bloco].constData() + inicios[i].posicao;
    Registro registro;
    registro.linha = tira<qint64>(p);
    for (const Campo& campo : camposDo(tipo)) {
        const QString nome = QString::fromLatin1(campo.nome);
        switch (*p++) {
        case Texto: {
            const auto tamanho = tira<qint32>(p);
            registro.valores.insert(nome, QString::fromLatin1(p, tamanho));
            p += tamanho;
            break;
        }
        case Numero:
            registro.valores.insert(nome, tira<double>(p));
            break;
        case Dia:
            registro.valores.insert(nome, QDate::fromJulianDay(tira<qint64>(p)));
            break;
        default:
            break;
        }
    }
    return registro;
}

std::unique_ptr<Leitor> abre(Tipo tipo, const QString& caminho) {
    // Decided by what the file holds, not by its name: a workbook saved as
    // ".csv" or a CSV named ".xlsx" still reads, or is told apart.
    QFile arquivo(caminho);
    QByteArray inicio;
    if (arquivo.open(QIODevice::ReadOnly))
        inicio = arquivo.read(4);
    arquivo.close();
    // A zip (an empty one too) or an old Excel file: the workbook reader
    // reads it or says what it is.
    if (inicio == QByteArrayLiteral("PK\x03\x04") || inicio == QByteArrayLiteral("PK\x05\x06") ||
        inicio == QByteArrayLiteral("\xD0\xCF\x11\xE0"))
        return std::make_unique<LeitorXlsx>(caminho);
    return std::make_unique<LeitorCsv>(
        caminho, [tipo](const QStringList& celulas) { return ehCabecalho(tipo, celulas); });
}

bool ehCabecalho(Tipo tipo, const QStringList& celulas) {
    bool codigo = false, descricao = false;
    for (const QString& celula : celulas) {
        const int campo = indiceDoCabecalho(tipo, celula);
        codigo = codigo || campo == 0;
        descricao = descricao || campo == 1;
    }
    return codigo && descricao;
}

QStringList camposDe(Tipo tipo) {
    QStringList nomes;
    for (const Campo& campo : camposDo(tipo))
        nomes << QString::fromLatin1(campo.nome);
    return nomes;
}

QString rotuloDe(const QString& campo) {
    for (const auto* campos : {&camposProduto(), &camposGrupo()})
        for (const Campo& c : *campos)
            if (campo == QLatin1String(c.nome))
                return QString::fromUtf8(c.rotulo);
    return campo;
}

QString campoDoCabecalho(Tipo tipo, const QString& cabecalho) {
    const int campo = indiceDoCabecalho(tipo, cabecalho);
    return campo < 0 ? QString() : QString::fromLatin1(camposDo(tipo)[campo].nome);
}

Plano planeja(Tipo tipo, Leitor& leitor, const Existentes& existentes, const Andamento& andamento) {
    constexpr int LinhasAntesDoCabecalho = 50;
    Plano plano;
    plano.tipo = tipo;
    plano.registros = Registros(tipo);
    plano.leitura = leitor.leitura();
    const std::vector<Campo>& campos = camposDo(tipo);
    const std::vector<Regra> regras = regrasDe(tipo);
    Contexto contexto{tipo,
                      QSet<QString>(existentes.codigos.cbegin(), existentes.codigos.cend()),
                      QSet<QString>(existentes.grupos.cbegin(), existentes.grupos.cend()),
                      {}};
    std::vector<int> fonte; // column of the file for each column of the table
    QStringList celulas;
    bool algo = false;
    qint64 lidas = 0;
    while (leitor.proxima(celulas)) {
        if (andamento && ++lidas % 4096 == 0 && !andamento(leitor.lido())) {
            plano = Plano{};
            plano.tipo = tipo;
            plano.cancelado = true;
            return plano;
        }
        if (vazia(celulas))
            continue;
        algo = true;
        if (plano.linhaCabecalho == 0) {
            if (ehCabecalho(tipo, celulas)) {
                plano.linhaCabecalho = leitor.linha();
                plano.colunas = colunasDe(tipo, celulas, &fonte);
                if (tipo == Tipo::Produtos && fonte[indiceDe(tipo, "PRO_CODGRU")] < 0) {
                    plano.erro = QStringLiteral("O arquivo não tem a coluna \"Grupo\" na linha %1, "
                                                "a dos nomes das colunas; nada pode ser "
                                                "importado.")
                                     .arg(plano.linhaCabecalho);
                    return plano;
                }
            } else if (leitor.linha() >= LinhasAntesDoCabecalho) {
                break;
            }
            continue;
        }

        Linha linha{leitor.linha(),
                    std::vector<QVariant>(campos.size()),
                    std::vector<bool>(campos.size(), true),
                    {},
                    {}};
        for (std::size_t i = 0; i < campos.size(); ++i) {
            if (fonte[i] < 0)
                continue;
            Leitura lida = le(campos[i], celulas.value(fonte[i]));
            if (!lida.falha.isEmpty()) {
                linha.falhas << lida.falha;
                linha.leu[i] = false;
            }
            linha.valores[i] = std::move(lida.valor);
        }
        if (linha.leu[0] && !linha.valores[0].isValid()) {
            // Only the columns the import leaves out: nothing to store.
            bool temAlgo = false;
            for (const int f : fonte)
                temAlgo = temAlgo || (f >= 0 && !celulas.value(f).trimmed().isEmpty());
            if (!temAlgo)
                continue;
            linha.falhas.prepend(QStringLiteral("sem código"));
        }
        for (const Regra regra : regras)
            regra(contexto, linha);

        if (!linha.falhas.isEmpty()) {
            if (++plano.recusadas <= Plano::MotivosGuardados)
                plano.recusas << Recusa{linha.numero, linha.falhas.join(QStringLiteral("; "))};
            continue;
        }
        if (!linha.avisos.isEmpty() && ++plano.avisadas <= Plano::MotivosGuardados)
            plano.avisos << Recusa{linha.numero, linha.avisos.join(QStringLiteral("; "))};
        contexto.vistos.insert(linha.valores[0].toString(), linha.numero);
        plano.registros.acrescenta(linha.numero, linha.valores);
    }
    if (!algo)
        plano.erro = QStringLiteral("O arquivo está vazio.");
    else if (plano.linhaCabecalho == 0)
        plano.erro = QStringLiteral("O arquivo não tem uma linha com as colunas \"Código\" e "
                                    "\"Descrição\" (procurada nas primeiras %1 linhas); nada "
                                    "pode ser importado.")
                         .arg(LinhasAntesDoCabecalho);
    return plano;
}

} // namespace importacao
