#include "utilities/Importacao.h"

#include "entry/KeyFilter.h"
#include "entry/RegionalNumbers.h"
#include "shell/Cadastro.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>
#include <cmath>
#include <optional>
#include <string>

namespace importacao {

namespace {

// A column of the table: its name, its width for a text (0 for a number)
// and how a number is read.
struct Campo {
    const char* nome;
    int largura = 0;
    int decimais = 0;
    bool negativo = false; // a margin may be below zero: a sale below cost
    const char* rotulo;    // how the screens call it
};

const std::vector<Campo>& camposProduto() {
    static const std::vector<Campo> campos = {
        {"PRO_CODIGO", 10, 0, false, "Código"},
        {"PRO_DESCRICAO", 50, 0, false, "Descrição"},
        {"PRO_CODGRU", 6, 0, false, "Grupo"},
        {"PRO_UNID", 3, 0, false, "Unidade"},
        {"PRO_LOCAL", 10, 0, false, "Local"},
        {"PRO_PCUSTO", 0, 2, false, "Preço de Custo"},
        {"PRO_MARGEM", 0, 2, true, "Margem de Lucro"},
        {"PRO_PVENDA", 0, 2, false, "Preço de Venda"},
        {"PRO_MIN", 0, 0, false, "Estoque Mínimo"},
        {"PRO_EMAX", 0, 0, false, "Estoque Máximo"},
        {"PRO_REFER", 20, 0, false, "Referência"},
        {"PRO_CODBAR", 14, 0, false, "Código de Barras"},
        {"PRO_OBS", 100, 0, false, "Observações"},
    };
    return campos;
}

const std::vector<Campo>& camposGrupo() {
    static const std::vector<Campo> campos = {
        {"GRU_CODIGO", 6, 0, false, "Código"},
        {"GRU_DESCRICAO", 50, 0, false, "Descrição"},
    };
    return campos;
}

const std::vector<Campo>& camposDo(Tipo tipo) {
    return tipo == Tipo::Grupos ? camposGrupo() : camposProduto();
}

// A header as it is compared: lower case, without accents, blanks or signs.
QString normaliza(const QString& cabecalho) {
    QString simples;
    for (QChar c : cabecalho.normalized(QString::NormalizationForm_D))
        if (c.isLetterOrNumber())
            simples += c.toLower();
    return simples;
}

// The names a spreadsheet gives each column.
QString campoDoCabecalho(Tipo tipo, const QString& cabecalho) {
    static const QHash<QString, QString> produto = {
        {"codigo", "PRO_CODIGO"},
        {"cod", "PRO_CODIGO"},
        {"codigodoproduto", "PRO_CODIGO"},
        {"codigoproduto", "PRO_CODIGO"},
        {"descricao", "PRO_DESCRICAO"},
        {"descricaodoproduto", "PRO_DESCRICAO"},
        {"produto", "PRO_DESCRICAO"},
        {"nome", "PRO_DESCRICAO"},
        {"grupo", "PRO_CODGRU"},
        {"codigodogrupo", "PRO_CODGRU"},
        {"codigogrupo", "PRO_CODGRU"},
        {"codgrupo", "PRO_CODGRU"},
        {"unidade", "PRO_UNID"},
        {"unid", "PRO_UNID"},
        {"un", "PRO_UNID"},
        {"local", "PRO_LOCAL"},
        {"localizacao", "PRO_LOCAL"},
        {"precodecusto", "PRO_PCUSTO"},
        {"precocusto", "PRO_PCUSTO"},
        {"custo", "PRO_PCUSTO"},
        {"margem", "PRO_MARGEM"},
        {"margemdelucro", "PRO_MARGEM"},
        {"margemlucro", "PRO_MARGEM"},
        {"precodevenda", "PRO_PVENDA"},
        {"precovenda", "PRO_PVENDA"},
        {"venda", "PRO_PVENDA"},
        {"preco", "PRO_PVENDA"},
        {"minimo", "PRO_MIN"},
        {"estoqueminimo", "PRO_MIN"},
        {"maximo", "PRO_EMAX"},
        {"estoquemaximo", "PRO_EMAX"},
        {"referencia", "PRO_REFER"},
        {"ref", "PRO_REFER"},
        {"codigodebarras", "PRO_CODBAR"},
        {"codigobarras", "PRO_CODBAR"},
        {"codbarras", "PRO_CODBAR"},
        {"ean", "PRO_CODBAR"},
        {"observacoes", "PRO_OBS"},
        {"observacao", "PRO_OBS"},
        {"obs", "PRO_OBS"},
    };
    static const QHash<QString, QString> grupo = {
        {"codigo", "GRU_CODIGO"},       {"cod", "GRU_CODIGO"},      {"codigodogrupo", "GRU_CODIGO"},
        {"descricao", "GRU_DESCRICAO"}, {"grupo", "GRU_DESCRICAO"}, {"nome", "GRU_DESCRICAO"},
    };
    return (tipo == Tipo::Grupos ? grupo : produto).value(normaliza(cabecalho));
}

// The separator the header uses most, outside quotes.
QChar separadorDe(const QString& texto) {
    int ponto = 0, virgula = 0, tab = 0;
    bool aspas = false;
    for (QChar c : texto) {
        if (c == u'"')
            aspas = !aspas;
        else if (!aspas && (c == u'\n' || c == u'\r'))
            break;
        else if (!aspas && c == u';')
            ++ponto;
        else if (!aspas && c == u',')
            ++virgula;
        else if (!aspas && c == u'\t')
            ++tab;
    }
    if (tab > ponto && tab > virgula)
        return u'\t';
    return virgula > ponto ? u',' : u';';
}

// A cell read as a number the Brazilian way, as a spreadsheet writes it
// ("R$ 1.234,50", "12,5%", "1.000"); an empty cell is no number.
std::optional<double> numero(QString texto, bool negativo, bool* legivel) {
    *legivel = true;
    texto = texto.trimmed();
    if (texto.isEmpty())
        return std::nullopt;
    bool menos = false;
    if (negativo && texto.startsWith(u'-')) {
        menos = true;
        texto = texto.mid(1).trimmed();
    }
    const QString digitos = filterPaste(KeyFilter::Decimal, texto);
    if (digitos.isNull() || digitos.isEmpty()) {
        *legivel = false;
        return std::nullopt;
    }
    const double valor = toNumber(digitos);
    return menos ? -valor : valor;
}

// How a number is stored: rounded at its decimals, half away from zero.
double arredonda(double valor, int decimais) {
    const RoundedDecimal r = roundDecimal(valor, decimais);
    const std::string texto =
        (r.negative ? "-" : "") + r.integral + (r.fraction.empty() ? "" : "." + r.fraction);
    return QByteArray::fromStdString(texto).toDouble();
}

} // namespace

Planilha leCsv(const QByteArray& bytes) {
    Planilha planilha;
    QByteArray corpo = bytes;
    QString texto;
    if (corpo.startsWith("\xEF\xBB\xBF")) {
        corpo.remove(0, 3);
        planilha.codificacao = QStringLiteral("UTF-8");
        texto = QString::fromUtf8(corpo);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        texto = utf8.decode(corpo);
        planilha.codificacao = QStringLiteral("UTF-8");
        if (utf8.hasError()) {
            QStringDecoder windows("windows-1252");
            texto = windows.isValid() ? windows.decode(corpo) : QString::fromLatin1(corpo);
            planilha.codificacao = QStringLiteral("Windows-1252");
        }
    }
    planilha.separador = separadorDe(texto);

    QStringList linha;
    QString celula;
    bool aspas = false, temAlgo = false;
    auto fechaLinha = [&] {
        linha << celula;
        bool vazia = true;
        for (const QString& c : linha)
            vazia = vazia && c.trimmed().isEmpty();
        if (!vazia || !planilha.linhas.isEmpty() || temAlgo)
            planilha.linhas << linha;
        linha.clear();
        celula.clear();
        temAlgo = false;
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (aspas) {
            if (c == u'"' && i + 1 < texto.size() && texto[i + 1] == u'"') {
                celula += u'"';
                ++i;
            } else if (c == u'"') {
                aspas = false;
            } else {
                celula += c;
            }
        } else if (c == u'"') {
            aspas = true;
            temAlgo = true;
        } else if (c == planilha.separador) {
            linha << celula;
            celula.clear();
            temAlgo = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < texto.size() && texto[i + 1] == u'\n')
                ++i;
            fechaLinha();
        } else {
            celula += c;
            temAlgo = true;
        }
    }
    if (temAlgo || !celula.isEmpty())
        fechaLinha();
    return planilha;
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

Plano planeja(Tipo tipo, const Planilha& planilha, const Existentes& existentes) {
    Plano plano;
    plano.tipo = tipo;
    plano.codificacao = planilha.codificacao;
    plano.separador = planilha.separador;
    if (planilha.linhas.isEmpty()) {
        plano.erro = QStringLiteral("O arquivo está vazio.");
        return plano;
    }
    const std::vector<Campo>& campos = camposDo(tipo);
    const QString campoCodigo = QString::fromLatin1(campos[0].nome);
    const QString campoDescricao = QString::fromLatin1(campos[1].nome);

    // Which column of the file fills which column of the table.
    QHash<QString, int> indice;
    for (const QString& cabecalho : planilha.linhas.first()) {
        Coluna coluna{cabecalho.trimmed(), campoDoCabecalho(tipo, cabecalho), {}};
        if (coluna.campo.isEmpty())
            coluna.nota = normaliza(cabecalho).startsWith(QStringLiteral("quant"))
                              ? QStringLiteral("não importada: o estoque muda só pelas entradas "
                                               "e saídas")
                              : QStringLiteral("não importada: coluna desconhecida");
        else if (indice.contains(coluna.campo)) {
            coluna.nota = QStringLiteral("não importada: repete a coluna \"%1\"")
                              .arg(plano.colunas[indice[coluna.campo]].cabecalho);
            coluna.campo.clear();
        } else {
            indice.insert(coluna.campo, int(plano.colunas.size()));
        }
        plano.colunas << coluna;
    }
    if (!indice.contains(campoCodigo) || !indice.contains(campoDescricao)) {
        plano.erro = QStringLiteral("O arquivo não tem as colunas \"Código\" e \"Descrição\" na "
                                    "primeira linha; nada pode ser importado.");
        return plano;
    }
    if (tipo == Tipo::Produtos && !indice.contains(QStringLiteral("PRO_CODGRU"))) {
        plano.erro = QStringLiteral("O arquivo não tem a coluna \"Grupo\" na primeira linha; "
                                    "nada pode ser importado.");
        return plano;
    }

    const QSet<QString> guardados(existentes.codigos.cbegin(), existentes.codigos.cend());
    const QSet<QString> grupos(existentes.grupos.cbegin(), existentes.grupos.cend());
    QHash<QString, int> vistos; // code -> line where the file first has it
    for (int n = 1; n < planilha.linhas.size(); ++n) {
        const QStringList& celulas = planilha.linhas[n];
        const int linha = n + 1;
        auto recusa = [&](const QString& motivo) { plano.recusas << Recusa{linha, motivo}; };
        Registro registro{linha, {}};
        QString motivo;
        for (const Campo& campo : campos) {
            const QString nome = QString::fromLatin1(campo.nome);
            const QString rotulo = QString::fromUtf8(campo.rotulo);
            const QString celula =
                indice.contains(nome) ? celulas.value(indice[nome]).trimmed() : QString();
            if (campo.largura > 0) {
                QString valor = celula;
                if (nome == QLatin1String("PRO_CODIGO") && !valor.isEmpty())
                    valor = CompletaCodigoProduto(valor);
                else if ((nome == QLatin1String("GRU_CODIGO") ||
                          nome == QLatin1String("PRO_CODGRU")) &&
                         !valor.isEmpty())
                    valor = CompletaCodigo(valor);
                for (QChar c : valor)
                    if (c.unicode() > 0xFF) {
                        motivo = QStringLiteral("o caractere \"%1\" da coluna \"%2\" não pode ser "
                                                "gravado")
                                     .arg(c)
                                     .arg(rotulo);
                        break;
                    }
                if (motivo.isEmpty() && valor.size() > campo.largura)
                    motivo = QStringLiteral("\"%1\" é longo demais para a coluna \"%2\" (no "
                                            "máximo %3 caracteres)")
                                 .arg(celula)
                                 .arg(rotulo)
                                 .arg(campo.largura);
                if (!motivo.isEmpty())
                    break;
                if (!valor.isEmpty())
                    registro.valores.insert(nome, valor);
                continue;
            }
            bool legivel = true;
            const std::optional<double> valor = numero(celula, campo.negativo, &legivel);
            if (!legivel) {
                motivo = QStringLiteral("\"%1\" da coluna \"%2\" não é um número")
                             .arg(celula)
                             .arg(rotulo);
                break;
            }
            if (valor && std::fabs(*valor) >= (campo.decimais > 0 ? 1e13 : 1e15)) {
                motivo =
                    QStringLiteral("%1 da coluna \"%2\" é grande demais").arg(celula).arg(rotulo);
                break;
            }
            if (valor)
                registro.valores.insert(nome, arredonda(*valor, campo.decimais));
        }
        if (!motivo.isEmpty()) {
            recusa(motivo);
            continue;
        }
        const QString codigo = registro.valores.value(campoCodigo).toString();
        if (codigo.trimmed().isEmpty()) {
            if (!celulas.join(QString()).trimmed().isEmpty())
                recusa(QStringLiteral("sem código"));
            continue;
        }
        if (registro.valores.value(campoDescricao).toString().isEmpty()) {
            recusa(QStringLiteral("sem descrição"));
            continue;
        }
        if (vistos.contains(codigo)) {
            recusa(QStringLiteral("o código %1 já está na linha %2 do arquivo")
                       .arg(codigo.trimmed())
                       .arg(vistos[codigo]));
            continue;
        }
        vistos.insert(codigo, linha);
        if (guardados.contains(codigo)) {
            recusa(QStringLiteral("o código %1 já está cadastrado").arg(codigo.trimmed()));
            continue;
        }
        if (tipo == Tipo::Produtos) {
            const QString grupo = registro.valores.value(QStringLiteral("PRO_CODGRU")).toString();
            if (grupo.isEmpty()) {
                recusa(QStringLiteral("sem grupo"));
                continue;
            }
            if (!grupos.contains(grupo)) {
                recusa(QStringLiteral("o grupo %1 não está cadastrado").arg(grupo));
                continue;
            }
            // The prices as the product screen makes them: the margin makes
            // the sale price, or the sale price the margin, from the cost.
            QVariantMap& v = registro.valores;
            const double custo = v.value(QStringLiteral("PRO_PCUSTO")).toDouble();
            const bool temMargem = v.contains(QStringLiteral("PRO_MARGEM"));
            const bool temVenda = v.contains(QStringLiteral("PRO_PVENDA"));
            if (custo != 0 && temMargem && !temVenda)
                v.insert(
                    QStringLiteral("PRO_PVENDA"),
                    arredonda((v.value(QStringLiteral("PRO_MARGEM")).toDouble() / 100 + 1) * custo,
                              2));
            else if (custo != 0 && temVenda && !temMargem)
                v.insert(
                    QStringLiteral("PRO_MARGEM"),
                    arredonda(v.value(QStringLiteral("PRO_PVENDA")).toDouble() * 100 / custo - 100,
                              2));
        }
        plano.registros.push_back(std::move(registro));
    }
    return plano;
}

} // namespace importacao
