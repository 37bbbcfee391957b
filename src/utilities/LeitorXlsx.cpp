#include "utilities/LeitorXlsx.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QUrl>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <unzip.h>
#include <vector>

namespace importacao {

namespace {

constexpr int ColunasExcel = 16384;
constexpr qint64 LinhasExcel = 1048576;
// A hostile workbook can hold a zip bomb of texts, styles or nested elements;
// these bound what is kept of it, far above what Excel itself writes.
constexpr qsizetype TextosMax = 2000000;
constexpr qint64 CaracteresTextosMax = 100 * 1024 * 1024; // 200 MB in UTF-16
constexpr qint64 CaracteresLinhaMax = 32 * 1024 * 1024;
constexpr qsizetype EstilosMax = 1000000;
constexpr qint64 BytesSemMarcaMax = 16 * 1024 * 1024; // what the parser buffers for one token
constexpr int ProfundidadeMax = 64;
constexpr int Pedaco = 64 * 1024;

[[noreturn]] void danificada(const QString& arquivo, const QString& porque) {
    throw Ilegivel(
        QStringLiteral("A pasta de trabalho \"%1\" está danificada: %2.").arg(arquivo, porque));
}

[[noreturn]] void recusada(const QString& arquivo, const QString& porque) {
    throw Ilegivel(
        QStringLiteral("A pasta de trabalho \"%1\" foi recusada: %2.").arg(arquivo, porque));
}

[[noreturn]] void naoEhPastaDeTrabalho(const QString& arquivo) {
    throw Ilegivel(QStringLiteral("O arquivo \"%1\" é um arquivo compactado (zip), mas não é uma "
                                  "planilha do Excel (.xlsx).")
                       .arg(arquivo));
}

bool existe(unzFile zip, const QString& parte) {
    return unzLocateFile(zip, parte.toUtf8().constData(), 2 /* case-insensitive */) == UNZ_OK;
}

// One XML part of the workbook, decompressed and parsed a piece at a time.
// Only one part can be open in the zip at once.
class ParteXml {
public:
    ParteXml(unzFile zip, const QString& arquivo, const QString& nome)
        : zip(zip), arquivo(arquivo), nome(nome) {
        if (!existe(zip, nome))
            danificada(arquivo, QStringLiteral("falta a parte %1").arg(nome));
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
            estragada();
        if (info.flag & 1)
            recusada(arquivo, QStringLiteral("a parte %1 está criptografada").arg(nome));
        tamanho = info.uncompressed_size;
        if (unzOpenCurrentFile(zip) != UNZ_OK)
            estragada();
        aberta = true;
    }
    ~ParteXml() {
        if (aberta)
            unzCloseCurrentFile(zip);
    }
    ParteXml(const ParteXml&) = delete;
    ParteXml& operator=(const ParteXml&) = delete;

    // The next token, feeding the parser as it asks; EndDocument once the
    // whole part has been read and checked.
    QXmlStreamReader::TokenType proximo() {
        if (fimDocumento)
            return QXmlStreamReader::EndDocument;
        for (;;) {
            const QXmlStreamReader::TokenType tipo = xml.readNext();
            if (tipo == QXmlStreamReader::Invalid) {
                if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && !fimDados) {
                    alimenta();
                    continue;
                }
                // Qt's reason ends in a full stop; the message goes on after it.
                QString razao = xml.errorString();
                if (razao.endsWith(u'.'))
                    razao.chop(1);
                danificada(arquivo, QStringLiteral("a parte %1 não é um XML válido (%2, linha %3)")
                                        .arg(nome, razao, QString::number(xml.lineNumber())));
            }
            semMarca = 0;
            switch (tipo) {
            case QXmlStreamReader::DTD:
            case QXmlStreamReader::EntityReference:
                // Entities are never expanded: they are how XML bombs work, and
                // no spreadsheet program writes them.
                recusada(arquivo,
                         QStringLiteral("a parte %1 declara um DTD ou entidades, o que uma "
                                        "planilha do Excel não faz")
                             .arg(nome));
            case QXmlStreamReader::StartElement:
                if (++profundidade > ProfundidadeMax)
                    recusada(arquivo,
                             QStringLiteral("a parte %1 tem elementos aninhados demais").arg(nome));
                break;
            case QXmlStreamReader::EndElement:
                --profundidade;
                break;
            case QXmlStreamReader::EndDocument:
                fimDocumento = true;
                termina();
                break;
            default:
                break;
            }
            return tipo;
        }
    }

    QXmlStreamReader::TokenType tipo() const { return xml.tokenType(); }
    QStringView elemento() const { return xml.name(); }
    bool abre(QStringView nomeLocal) const {
        return xml.tokenType() == QXmlStreamReader::StartElement && xml.name() == nomeLocal;
    }
    bool fecha(QStringView nomeLocal) const {
        return xml.tokenType() == QXmlStreamReader::EndElement && xml.name() == nomeLocal;
    }
    QString atributo(QStringView nomeLocal) const {
        for (const QXmlStreamAttribute& a : xml.attributes())
            if (a.name() == nomeLocal && a.namespaceUri().isEmpty())
                return a.value().toString();
        return {};
    }
    // An attribute in some namespace, whichever prefix and URI it has
    // (transitional and strict workbooks differ): r:id.
    QString atributoQualificado(QStringView nomeLocal) const {
        for (const QXmlStreamAttribute& a : xml.attributes())
            if (a.name() == nomeLocal && !a.namespaceUri().isEmpty())
                return a.value().toString();
        return {};
    }
    // Text content (with its entities and CDATA resolved), not a comment's.
    bool caracteres() const { return xml.tokenType() == QXmlStreamReader::Characters; }
    QStringView texto() const { return xml.text(); }

    double lido() const {
        if (fimDados || tamanho == 0)
            return fimDados ? 1.0 : 0.0;
        return std::min(1.0, double(lidos) / double(tamanho));
    }

private:
    [[noreturn]] void estragada() {
        danificada(arquivo, QStringLiteral("a parte %1 não pôde ser descompactada").arg(nome));
    }
    void alimenta() {
        QByteArray bloco(Pedaco, Qt::Uninitialized);
        const int n = unzReadCurrentFile(zip, bloco.data(), Pedaco);
        if (n < 0)
            estragada();
        if (n == 0) {
            fechaEntrada();
            return;
        }
        bloco.truncate(n);
        lidos += n;
        semMarca += n;
        if (semMarca > BytesSemMarcaMax)
            recusada(arquivo, QStringLiteral("a parte %1 tem um elemento grande demais").arg(nome));
        xml.addData(bloco);
    }
    // Reads what follows the document so that the zip checks the whole
    // entry against its CRC.
    void termina() {
        if (fimDados)
            return;
        QByteArray resto(Pedaco, Qt::Uninitialized);
        int n;
        while ((n = unzReadCurrentFile(zip, resto.data(), Pedaco)) > 0)
            lidos += n;
        if (n < 0)
            estragada();
        fechaEntrada();
    }
    void fechaEntrada() {
        aberta = false;
        fimDados = true;
        if (unzCloseCurrentFile(zip) != UNZ_OK)
            estragada();
    }

    unzFile zip;
    QString arquivo;
    QString nome;
    QXmlStreamReader xml;
    bool aberta = false;
    bool fimDados = false;
    bool fimDocumento = false;
    quint64 tamanho = 0;
    quint64 lidos = 0;
    qint64 semMarca = 0;
    int profundidade = 0;
};

// Excel writes characters XML cannot hold, and underscores that would read
// as such, as _xHHHH_.
QString desescapa(const QString& s) {
    if (!s.contains(QLatin1String("_x")))
        return s;
    auto hexa = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= '0' && u <= '9')   ? u - '0'
               : (u >= 'a' && u <= 'f') ? u - 'a' + 10
               : (u >= 'A' && u <= 'F') ? u - 'A' + 10
                                        : -1;
    };
    QString r;
    r.reserve(s.size());
    for (qsizetype i = 0; i < s.size();) {
        if (s[i] == u'_' && i + 6 < s.size() && s[i + 1] == u'x' && s[i + 6] == u'_') {
            int codigo = 0;
            qsizetype k = i + 2;
            for (; k < i + 6 && hexa(s[k]) >= 0; ++k)
                codigo = codigo * 16 + hexa(s[k]);
            if (k == i + 6) {
                r += QChar(char16_t(codigo));
                i += 7;
                continue;
            }
        }
        r += s[i++];
    }
    return r;
}

// A number as a Brazilian spreadsheet shows it: decimal comma, no thousands
// separator, never an exponent, and no more digits than Excel keeps.
QString comoNumero(double v) {
    if (std::fabs(v) < 1e15 && v == std::trunc(v))
        return QString::number(qint64(v));
    // "d.dddddddddddddde+XX": fifteen significant digits and their exponent.
    const QString cientifico = QString::number(std::fabs(v), 'e', 14);
    const qsizetype e = cientifico.indexOf(u'e');
    QString digitos = cientifico.left(e).remove(u'.');
    const int expoente = cientifico.mid(e + 1).toInt();
    while (digitos.size() > 1 && digitos.endsWith(u'0'))
        digitos.chop(1);
    const qsizetype inteiros = expoente + 1;
    QString r;
    if (inteiros <= 0)
        r = QStringLiteral("0,") + QString(-inteiros, u'0') + digitos;
    else if (inteiros >= digitos.size())
        r = digitos + QString(inteiros - digitos.size(), u'0');
    else
        r = digitos.left(inteiros) + u',' + digitos.mid(inteiros);
    return v < 0 ? QString(u'-' + r) : r;
}

QString data(const QDate& dia, int segundos) {
    const QString d = dia.toString(QStringLiteral("dd/MM/yyyy"));
    if (segundos == 0)
        return d;
    return d + u' ' + QTime(0, 0).addSecs(segundos).toString(QStringLiteral("HH:mm:ss"));
}

// A serial date of the workbook as day and time; the number itself when
// it is no date Excel shows.
QString dataSerial(double serial, bool de1904) {
    if (!(serial >= 0) || serial >= 2958466) // 31/12/9999
        return comoNumero(serial);
    const qint64 total = std::llround(serial * 86400.0);
    const qint64 dias = total / 86400;
    const int segundos = int(total % 86400);
    // A time with no day (12:00 is 0,5) has no date to show.
    if (dias == 0 && segundos != 0)
        return QTime(0, 0).addSecs(segundos).toString(QStringLiteral("HH:mm:ss"));
    // Excel counts a 29/02/1900 that never was, so the days before it are
    // one off.
    const QDate epoca = de1904 ? QDate(1904, 1, 1) : QDate(1899, 12, dias <= 60 ? 31 : 30);
    return data(epoca.addDays(dias), segundos);
}

// A cell of type "d": an ISO 8601 date, time or both.
QString dataIso(const QString& valor) {
    const QDateTime momento = QDateTime::fromString(valor, Qt::ISODateWithMs);
    if (momento.isValid())
        return data(momento.date(), momento.time().msecsSinceStartOfDay() / 1000);
    const QDate dia = QDate::fromString(valor, Qt::ISODate);
    return dia.isValid() ? data(dia, 0) : valor;
}

// What a number format shows: a date or a time, when it has a day, month,
// year, hour or second code; a percentage, when it has a "%"; each outside
// quoted text, [colours and conditions], \\escapes and the _ and * that pad
// or fill with the next character.
enum class Mostra : char { Numero, Data, Porcento };

Mostra formato(const QString& codigo) {
    Mostra mostra = Mostra::Numero;
    for (qsizetype i = 0; i < codigo.size(); ++i) {
        const char16_t c = codigo[i].toLower().unicode();
        if (c == u'"' || c == u'[') {
            i = codigo.indexOf(c == u'"' ? u'"' : u']', i + 1);
            if (i < 0)
                break;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'd' || c == u'm' || c == u'y' || c == u'h' || c == u's') {
            return Mostra::Data;
        } else if (c == u'%') {
            mostra = Mostra::Porcento;
        }
    }
    return mostra;
}

Mostra formatoEmbutido(int id) {
    if (id == 9 || id == 10)
        return Mostra::Porcento;
    const bool data = (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
                      (id >= 50 && id <= 58);
    return data ? Mostra::Data : Mostra::Numero;
}

// The column of a reference, from 1 ("C5" is 3); 0 when it has none.
int coluna(QStringView referencia) {
    int c = 0;
    for (QChar letra : referencia) {
        const char16_t u = letra.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            break;
        c = c * 26 + (u - u'A' + 1);
        if (c > ColunasExcel)
            return ColunasExcel + 1;
    }
    return c;
}

// The name of a part that a relationship of origem points to.
QString alvo(const QString& origem, const QString& destino) {
    const QString caminho = QUrl::fromPercentEncoding(destino.toUtf8());
    if (caminho.startsWith(u'/'))
        return QDir::cleanPath(caminho.mid(1));
    const qsizetype barra = origem.lastIndexOf(u'/');
    return QDir::cleanPath(barra < 0 ? caminho : origem.left(barra + 1) + caminho);
}

QString relacoesDe(const QString& parte) {
    const qsizetype barra = parte.lastIndexOf(u'/');
    return parte.left(barra + 1) + QStringLiteral("_rels/") + parte.mid(barra + 1) +
           QStringLiteral(".rels");
}

} // namespace

struct LeitorXlsx::Dados {
    QString arquivo; // the file's name, as messages show it
    unzFile zip = nullptr;
    QString planilha;
    bool de1904 = false;
    std::vector<Mostra> estilos; // by cell style (the s of a cell)
    std::vector<QString> textos; // the shared strings
    std::unique_ptr<ParteXml> folha;
    bool emDados = false; // inside sheetData
    bool acabou = false;
    qint64 numero = 0;     // the row returned last
    qint64 ultimaLida = 0; // the row read from the sheet last
    bool temPendente = false;
    QStringList pendente; // the row numbered ultimaLida, not yet returned

    ~Dados() {
        folha.reset();
        if (zip)
            unzClose(zip);
    }

    void abre(const QString& caminho);
    QString documento();
    struct Relacoes {
        QString folha, estilos, textos;
    };
    QString leWorkbook(const QString& parte);
    Relacoes leRelacoes(const QString& workbook, const QString& idFolha);
    void leEstilos(const QString& parte);
    void leTextos(const QString& parte);
    void leLinha();
    void leCelulas(QStringList& celulas);
    QString valor(const QString& tipo, const QString& estilo, const QString& v,
                  const QString& emLinha, const QString& referencia) const;
};

void LeitorXlsx::Dados::abre(const QString& caminho) {
    QFile arq(caminho);
    if (!arq.exists())
        throw Ilegivel(QStringLiteral("O arquivo \"%1\" não foi encontrado.").arg(arquivo));
    if (!arq.open(QIODevice::ReadOnly))
        throw Ilegivel(QStringLiteral("O arquivo \"%1\" não pôde ser aberto: %2.")
                           .arg(arquivo, arq.errorString()));
    const QByteArray inicio = arq.read(8);
    arq.close();
    if (inicio.startsWith("\xD0\xCF\x11\xE0"))
        throw Ilegivel(
            QStringLiteral("O arquivo \"%1\" é uma planilha do Excel 97-2003 (.xls) ou uma pasta "
                           "de trabalho protegida por senha, que não podem ser lidas. Abra-o no "
                           "Excel, tire a senha se houver, e salve-o como \"Pasta de Trabalho do "
                           "Excel (.xlsx)\" ou como CSV.")
                .arg(arquivo));
    if (!inicio.startsWith("PK"))
        throw Ilegivel(QStringLiteral("O arquivo \"%1\" não é uma planilha do Excel (.xlsx): as "
                                      "pastas de trabalho do Excel são arquivos compactados "
                                      "(zip), e este não é.")
                           .arg(arquivo));
    zip = unzOpen64(QFile::encodeName(caminho).constData());
    if (!zip)
        danificada(arquivo, QStringLiteral("o arquivo compactado (zip) não pôde ser aberto"));
}

// The workbook part of the package, or empty when it has none.
QString LeitorXlsx::Dados::documento() {
    QString workbook;
    if (existe(zip, QStringLiteral("_rels/.rels"))) {
        ParteXml rels(zip, arquivo, QStringLiteral("_rels/.rels"));
        while (rels.proximo() != QXmlStreamReader::EndDocument)
            if (workbook.isEmpty() && rels.abre(u"Relationship") &&
                rels.atributo(u"Type").endsWith(QLatin1String("/officeDocument")))
                workbook = alvo(QString(), rels.atributo(u"Target"));
    }
    if (workbook.isEmpty() || !existe(zip, workbook))
        workbook = QStringLiteral("xl/workbook.xml");
    return existe(zip, workbook) ? workbook : QString();
}

// Reads the epoch and the first sheet's name; returns its relationship.
QString LeitorXlsx::Dados::leWorkbook(const QString& parte) {
    ParteXml wb(zip, arquivo, parte);
    bool raiz = true;
    bool temFolha = false;
    QString id;
    while (wb.proximo() != QXmlStreamReader::EndDocument) {
        if (raiz && wb.tipo() == QXmlStreamReader::StartElement) {
            // A package whose main part is no workbook: a Word or PowerPoint file.
            if (wb.elemento() != u"workbook")
                naoEhPastaDeTrabalho(arquivo);
            raiz = false;
        }
        if (wb.abre(u"workbookPr")) {
            const QString v = wb.atributo(u"date1904");
            de1904 = v == QLatin1String("1") || v == QLatin1String("true");
        } else if (!temFolha && wb.abre(u"sheet")) {
            temFolha = true;
            planilha = wb.atributo(u"name");
            id = wb.atributoQualificado(u"id");
        }
    }
    if (!temFolha)
        throw Ilegivel(
            QStringLiteral("A pasta de trabalho \"%1\" não tem nenhuma planilha.").arg(arquivo));
    if (id.isEmpty())
        danificada(arquivo, QStringLiteral("a planilha \"%1\" não diz onde está").arg(planilha));
    return id;
}

LeitorXlsx::Dados::Relacoes LeitorXlsx::Dados::leRelacoes(const QString& workbook,
                                                          const QString& idFolha) {
    Relacoes r;
    ParteXml rels(zip, arquivo, relacoesDe(workbook));
    while (rels.proximo() != QXmlStreamReader::EndDocument) {
        if (!rels.abre(u"Relationship"))
            continue;
        const QString tipo = rels.atributo(u"Type");
        const QString destino = alvo(workbook, rels.atributo(u"Target"));
        if (r.folha.isEmpty() && rels.atributo(u"Id") == idFolha)
            r.folha = destino;
        else if (r.estilos.isEmpty() && tipo.endsWith(QLatin1String("/styles")))
            r.estilos = destino;
        else if (r.textos.isEmpty() && tipo.endsWith(QLatin1String("/sharedStrings")))
            r.textos = destino;
    }
    if (r.folha.isEmpty() || !existe(zip, r.folha))
        danificada(arquivo, QStringLiteral("falta a planilha \"%1\"").arg(planilha));
    // Relationships are how parts are found, but some writers leave these two out.
    const QString pasta = workbook.left(workbook.lastIndexOf(u'/') + 1);
    if (r.estilos.isEmpty())
        r.estilos = pasta + QStringLiteral("styles.xml");
    if (r.textos.isEmpty())
        r.textos = pasta + QStringLiteral("sharedStrings.xml");
    return r;
}

void LeitorXlsx::Dados::leEstilos(const QString& parte) {
    if (!existe(zip, parte))
        return;
    ParteXml estilos(zip, arquivo, parte);
    QHash<int, Mostra> proprios; // the workbook's own formats, by id
    std::vector<int> formatos;   // of each cell style
    bool emFormatos = false;
    bool emCelulas = false;
    while (estilos.proximo() != QXmlStreamReader::EndDocument) {
        if (estilos.abre(u"numFmts") || estilos.fecha(u"numFmts")) {
            emFormatos = estilos.abre(u"numFmts");
        } else if (estilos.abre(u"cellXfs") || estilos.fecha(u"cellXfs")) {
            emCelulas = estilos.abre(u"cellXfs");
        } else if (emFormatos && estilos.abre(u"numFmt")) {
            if (proprios.size() >= EstilosMax)
                recusada(arquivo, QStringLiteral("tem formatos de número demais"));
            proprios.insert(estilos.atributo(u"numFmtId").toInt(),
                            formato(estilos.atributo(u"formatCode")));
        } else if (emCelulas && estilos.abre(u"xf")) {
            if (qsizetype(formatos.size()) >= EstilosMax)
                recusada(arquivo, QStringLiteral("tem estilos de célula demais"));
            formatos.push_back(estilos.atributo(u"numFmtId").toInt());
        }
    }
    this->estilos.reserve(formatos.size());
    for (int id : formatos)
        this->estilos.push_back(proprios.contains(id) ? proprios.value(id) : formatoEmbutido(id));
}

void LeitorXlsx::Dados::leTextos(const QString& parte) {
    if (!existe(zip, parte))
        return;
    ParteXml sst(zip, arquivo, parte);
    qint64 caracteres = 0;
    int fonetico = 0; // inside rPh, the reading aid of East Asian text
    bool emTexto = false;
    QString texto;
    while (sst.proximo() != QXmlStreamReader::EndDocument) {
        if (sst.abre(u"si")) {
            texto.clear();
            fonetico = 0;
        } else if (sst.fecha(u"si")) {
            if (qsizetype(textos.size()) >= TextosMax)
                recusada(arquivo, QStringLiteral("tem mais de 2.000.000 textos"));
            textos.push_back(desescapa(texto));
        } else if (sst.abre(u"rPh")) {
            ++fonetico;
        } else if (sst.fecha(u"rPh")) {
            --fonetico;
        } else if (sst.abre(u"t") || sst.fecha(u"t")) {
            emTexto = sst.abre(u"t") && fonetico == 0;
        } else if (emTexto && sst.caracteres()) {
            caracteres += sst.texto().size();
            if (caracteres > CaracteresTextosMax)
                recusada(arquivo, QStringLiteral("tem mais de 200 MB de texto"));
            texto += sst.texto();
        }
    }
}

// Reads the next row of the sheet into pendente, or to the end.
void LeitorXlsx::Dados::leLinha() {
    for (;;) {
        const QXmlStreamReader::TokenType tipo = folha->proximo();
        if (tipo == QXmlStreamReader::EndDocument) {
            acabou = true;
            return;
        }
        if (folha->abre(u"sheetData") || folha->fecha(u"sheetData")) {
            emDados = folha->abre(u"sheetData");
        } else if (emDados && folha->abre(u"row")) {
            bool ok;
            qint64 n = folha->atributo(u"r").toLongLong(&ok);
            // A row with no number, or out of order, follows the one before.
            if (!ok || n <= ultimaLida)
                n = ultimaLida + 1;
            if (n > LinhasExcel)
                recusada(arquivo, QStringLiteral("passa da linha 1.048.576, a última do Excel"));
            ultimaLida = n;
            pendente.clear();
            leCelulas(pendente);
            temPendente = true;
            return;
        }
    }
}

void LeitorXlsx::Dados::leCelulas(QStringList& celulas) {
    const QString emLinha = QString::number(ultimaLida);
    qint64 caracteres = 0;
    int anterior = 0;
    while (folha->proximo() != QXmlStreamReader::EndDocument && !folha->fecha(u"row")) {
        if (!folha->abre(u"c"))
            continue;
        const QString referencia = folha->atributo(u"r");
        const QString tipo = folha->atributo(u"t");
        const QString estilo = folha->atributo(u"s");
        int col = coluna(referencia);
        if (col == 0)
            col = anterior + 1;
        if (col > ColunasExcel)
            recusada(
                arquivo,
                QStringLiteral("a linha %1 passa da coluna XFD, a última do Excel").arg(emLinha));
        anterior = col;
        QString v, emTexto;
        bool noValor = false, noTexto = false, noInline = false;
        int fonetico = 0;
        while (folha->proximo() != QXmlStreamReader::EndDocument && !folha->fecha(u"c")) {
            if (folha->abre(u"v") || folha->fecha(u"v")) {
                noValor = folha->abre(u"v");
            } else if (folha->abre(u"is") || folha->fecha(u"is")) {
                noInline = folha->abre(u"is");
            } else if (folha->abre(u"rPh")) {
                ++fonetico;
            } else if (folha->fecha(u"rPh")) {
                --fonetico;
            } else if (folha->abre(u"t") || folha->fecha(u"t")) {
                noTexto = folha->abre(u"t") && noInline && fonetico == 0;
            } else if ((noValor || noTexto) && folha->caracteres()) {
                caracteres += folha->texto().size();
                if (caracteres > CaracteresLinhaMax)
                    recusada(arquivo, QStringLiteral("a linha %1 tem texto demais").arg(emLinha));
                (noValor ? v : emTexto) += folha->texto();
            }
        }
        const QString celula = tipo == QLatin1String("inlineStr") && !emTexto.isEmpty()
                                   ? desescapa(emTexto)
                                   : valor(tipo, estilo, v, emLinha, referencia);
        while (celulas.size() < col)
            celulas.append(QString());
        celulas[col - 1] = celula;
    }
    while (!celulas.isEmpty() && celulas.last().isEmpty())
        celulas.removeLast();
}

QString LeitorXlsx::Dados::valor(const QString& tipo, const QString& estilo, const QString& v,
                                 const QString& emLinha, const QString& referencia) const {
    if (v.isEmpty())
        return v;
    if (tipo == QLatin1String("s")) {
        bool ok;
        const qint64 i = v.trimmed().toLongLong(&ok);
        if (!ok || i < 0 || i >= qint64(textos.size()))
            danificada(arquivo, QStringLiteral("a célula %1 aponta para um texto que não existe")
                                    .arg(referencia.isEmpty()
                                             ? QString(QStringLiteral("da linha ") + emLinha)
                                             : referencia));
        return textos[std::size_t(i)];
    }
    if (tipo == QLatin1String("str") || tipo == QLatin1String("inlineStr"))
        return desescapa(v);
    if (tipo == QLatin1String("b"))
        return v == QLatin1String("1") || v == QLatin1String("true") ? QStringLiteral("VERDADEIRO")
               : v == QLatin1String("0") || v == QLatin1String("false") ? QStringLiteral("FALSO")
                                                                        : v;
    if (tipo == QLatin1String("e"))
        return v;
    if (tipo == QLatin1String("d"))
        return dataIso(v.trimmed());
    bool ok;
    const double n = v.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(n))
        return v;
    bool okEstilo;
    const qint64 s = estilo.toLongLong(&okEstilo);
    const Mostra mostra =
        okEstilo && s >= 0 && s < qint64(estilos.size()) ? estilos[std::size_t(s)] : Mostra::Numero;
    // Excel keeps 15 % as 0,15: the cell says it the way the sheet shows it.
    if (mostra == Mostra::Porcento)
        return comoNumero(n * 100) + u'%';
    return mostra == Mostra::Data ? dataSerial(n, de1904) : comoNumero(n);
}

LeitorXlsx::LeitorXlsx(const QString& caminho) : d(std::make_unique<Dados>()) {
    d->arquivo = QFileInfo(caminho).fileName();
    d->abre(caminho);
    const QString workbook = d->documento();
    if (workbook.isEmpty()) {
        if (existe(d->zip, QStringLiteral("content.xml")) &&
            existe(d->zip, QStringLiteral("mimetype")))
            throw Ilegivel(QStringLiteral("O arquivo \"%1\" não é uma planilha do Excel: é uma "
                                          "planilha do LibreOffice (.ods). Abra-a no LibreOffice "
                                          "e salve-a como \"Pasta de Trabalho do Excel (.xlsx)\" "
                                          "ou como CSV.")
                               .arg(d->arquivo));
        naoEhPastaDeTrabalho(d->arquivo);
    }
    const QString id = d->leWorkbook(workbook);
    const Dados::Relacoes partes = d->leRelacoes(workbook, id);
    d->leEstilos(partes.estilos);
    d->leTextos(partes.textos);
    d->folha = std::make_unique<ParteXml>(d->zip, d->arquivo, partes.folha);
}

LeitorXlsx::~LeitorXlsx() = default;

bool LeitorXlsx::proxima(QStringList& celulas) {
    if (!d->temPendente && !d->acabou)
        d->leLinha();
    if (!d->temPendente)
        return false;
    ++d->numero;
    if (d->numero < d->ultimaLida) {
        celulas.clear();
        return true;
    }
    celulas = std::move(d->pendente);
    d->pendente = QStringList();
    d->temPendente = false;
    return true;
}

qint64 LeitorXlsx::linha() const {
    return d->numero;
}

double LeitorXlsx::lido() const {
    return d->folha ? d->folha->lido() : 0.0;
}

QString LeitorXlsx::leitura() const {
    return QStringLiteral("Lido da planilha do Excel \"%1\".").arg(d->planilha);
}

QString LeitorXlsx::planilha() const {
    return d->planilha;
}

} // namespace importacao
