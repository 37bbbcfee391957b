#include "utilities/LeitorXlsx.h"

#include "TestMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <minizip/zip.h>
#include <xlsxwriter.h>

using importacao::Ilegivel;
using importacao::LeitorXlsx;

namespace {

using Partes = QList<QPair<QString, QByteArray>>;
using Linhas = QList<QStringList>;

struct Leitura {
    Linhas linhas;
    QList<qint64> numeros; // linha() after each row
    QString erro;
};

Leitura leTudo(const QString& caminho) {
    Leitura r;
    try {
        LeitorXlsx leitor(caminho);
        QStringList celulas;
        while (leitor.proxima(celulas)) {
            r.linhas << celulas;
            r.numeros << leitor.linha();
        }
    } catch (const Ilegivel& e) {
        r.erro = QString::fromUtf8(e.what());
    }
    return r;
}

QList<qint64> umAte(qint64 n) {
    QList<qint64> numeros;
    for (qint64 i = 1; i <= n; ++i)
        numeros << i;
    return numeros;
}

// Parts stored without compression, so that a test can spoil their bytes.
void escreveZip(const QString& caminho, const Partes& partes) {
    QFile::remove(caminho);
    zipFile zip = zipOpen64(QFile::encodeName(caminho).constData(), APPEND_STATUS_CREATE);
    QVERIFY(zip);
    for (const auto& [nome, conteudo] : partes) {
        zip_fileinfo info{};
        QCOMPARE(zipOpenNewFileInZip(zip, nome.toUtf8().constData(), &info, nullptr, 0, nullptr, 0,
                                     nullptr, 0, 0),
                 ZIP_OK);
        QCOMPARE(zipWriteInFileInZip(zip, conteudo.constData(), unsigned(conteudo.size())), ZIP_OK);
        QCOMPARE(zipCloseFileInZip(zip), ZIP_OK);
    }
    QCOMPARE(zipClose(zip, nullptr), ZIP_OK);
}

const QByteArray Principal = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                             "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                             "relationships\"";
const QByteArray Relacoes =
    "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"";
const QByteArray Tipo = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

// A workbook of one sheet, "Produtos", with the rows and shared texts given.
Partes pastaSimples(const QByteArray& linhas, const QByteArray& textos = "<si><t>um</t></si>") {
    return {
        {"xl/workbook.xml", "<workbook " + Principal +
                                "><sheets><sheet name=\"Produtos\" sheetId=\"1\" r:id=\"rId1\"/>"
                                "</sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships " + Relacoes + "><Relationship Id=\"rId1\" Type=\"" + Tipo +
             "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" +
             Tipo + "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
        {"xl/sharedStrings.xml", "<sst " + Principal + ">" + textos + "</sst>"},
        {"xl/worksheets/sheet1.xml",
         "<worksheet " + Principal + "><sheetData>" + linhas + "</sheetData></worksheet>"},
    };
}

Partes troca(Partes partes, const QString& nome, const QByteArray& conteudo) {
    for (auto& parte : partes)
        if (parte.first == nome)
            parte.second = conteudo;
    return partes;
}

} // namespace

// Rows of workbooks as programs save them, read back the way a Brazilian
// spreadsheet shows their cells.
class TestLeitorXlsx : public QObject {
    Q_OBJECT

    QTemporaryDir pasta;
    // Accents and blanks, as operators name their files.
    QString arquivo() const { return pasta.filePath(QStringLiteral("planilha de preços.xlsx")); }

private slots:
    void excel_data() {
        QTest::addColumn<bool>("memoriaConstante");
        QTest::newRow("textos compartilhados") << false;
        QTest::newRow("textos na própria célula") << true; // <is> in place of <v>
    }
    void excel() {
        QFETCH(bool, memoriaConstante);
        lxw_workbook_options opcoes{};
        opcoes.constant_memory = memoriaConstante;
        lxw_workbook* pasta = workbook_new_opt(QFile::encodeName(arquivo()).constData(), &opcoes);
        QVERIFY(pasta);
        auto formato = [pasta](const char* codigo) {
            lxw_format* f = workbook_add_format(pasta);
            format_set_num_format(f, codigo);
            return f;
        };
        lxw_format* texto = formato("@");
        lxw_format* data = formato("dd/mm/yyyy");
        lxw_format* dataHora = formato("dd/mm/yyyy hh:mm:ss");
        lxw_format* hora = formato("hh:mm");
        lxw_format* moeda = formato("#,##0.00");
        lxw_format* dias = formato("0.0 \"dias\"");
        lxw_format* vermelho = formato("[Red]0.00");
        lxw_format* porcento = formato("0.0%");
        lxw_format* sinal = formato("0.00\"%\""); // a margin kept as 50 for 50 %
        lxw_worksheet* f = workbook_add_worksheet(pasta, "Produtos");
        workbook_add_worksheet(pasta, "Grupos");
        worksheet_write_string(f, 0, 0, "Código", nullptr);
        worksheet_write_string(f, 0, 1, "Descrição", nullptr);
        worksheet_write_string(f, 0, 2, "Preço", nullptr);
        worksheet_write_string(f, 0, 3, "Validade", nullptr);
        worksheet_write_string(f, 1, 0, "000123", texto);
        worksheet_write_string(f, 1, 1, "  Café  ", nullptr);
        worksheet_write_number(f, 1, 2, 2.5, nullptr);
        lxw_datetime natal{2026, 12, 25, 0, 0, 0};
        worksheet_write_datetime(f, 1, 3, &natal, data);
        worksheet_write_number(f, 3, 0, 7891234567890, nullptr);
        worksheet_write_number(f, 3, 3, -3, nullptr);
        worksheet_write_number(f, 4, 0, 0.1000000000000000055, nullptr);
        worksheet_write_number(f, 4, 1, 1e-5, nullptr);
        worksheet_write_number(f, 4, 2, 1.2e20, nullptr);
        worksheet_write_number(f, 4, 3, 1234.5, moeda);
        worksheet_write_number(f, 4, 4, 123456.7890123456789, nullptr);
        worksheet_write_number(f, 4, 5, -0.000123, nullptr);
        lxw_datetime manha{2026, 12, 25, 8, 30, 0};
        worksheet_write_datetime(f, 5, 0, &manha, dataHora);
        worksheet_write_number(f, 5, 1, 3.5, dias);
        worksheet_write_number(f, 5, 2, -1.25, vermelho);
        worksheet_write_number(f, 5, 3, 0.5, hora);
        worksheet_write_boolean(f, 5, 4, 1, nullptr);
        worksheet_write_boolean(f, 5, 5, 0, nullptr);
        worksheet_write_formula_num(f, 6, 0, "=1+1", nullptr, 2);
        worksheet_write_formula_str(f, 6, 1, "=A1", nullptr, "Código");
        worksheet_write_number(f, 6, 2, 59, data); // before Excel's 29/02/1900
        worksheet_write_number(f, 6, 3, 61, data);
        worksheet_write_number(f, 7, 0, 0.155, porcento);
        worksheet_write_number(f, 7, 1, 50, sinal);
        worksheet_write_string(f, 9, 2, "fim", nullptr);
        worksheet_write_blank(f, 9, 5, moeda); // formatted, but empty
        QCOMPARE(workbook_close(pasta), LXW_NO_ERROR);

        LeitorXlsx leitor(arquivo());
        QCOMPARE(leitor.leitura(), QStringLiteral("Lido da planilha do Excel \"Produtos\"."));
        QCOMPARE(leitor.lido(), 0.0);
        const Leitura lida = leTudo(arquivo());
        QCOMPARE(lida.erro, QString());
        const Linhas esperadas{
            {"Código", "Descrição", "Preço", "Validade"},
            {"000123", "  Café  ", "2,5", "25/12/2026"},
            {},
            {"7891234567890", "", "", "-3"},
            {"0,1", "0,00001", "120000000000000000000", "1234,5", "123456,789012346", "-0,000123"},
            {"25/12/2026 08:30:00", "3,5", "-1,25", "12:00:00", "VERDADEIRO", "FALSO"},
            {"2", "Código", "28/02/1900", "01/03/1900"},
            {"15,5%", "50"},
            {},
            {"", "", "fim"},
        };
        QCOMPARE(lida.linhas, esperadas);
        QCOMPARE(lida.numeros, umAte(esperadas.size()));
    }

    // A sheet much larger than a piece of the stream: rows cut across the
    // pieces, and the progress moves on with them.
    void progresso() {
        const int total = 20000;
        lxw_workbook* pasta = workbook_new(QFile::encodeName(arquivo()).constData());
        lxw_worksheet* f = workbook_add_worksheet(pasta, nullptr);
        for (int i = 0; i < total; ++i) {
            worksheet_write_number(f, i, 0, i, nullptr);
            worksheet_write_string(f, i, 1, QByteArray("item " + QByteArray::number(i)), nullptr);
            worksheet_write_number(f, i, 2, i * 0.25, nullptr);
        }
        QCOMPARE(workbook_close(pasta), LXW_NO_ERROR);

        LeitorXlsx leitor(arquivo());
        QStringList celulas;
        double antes = leitor.lido();
        bool meio = false;
        int i = 0;
        for (; leitor.proxima(celulas); ++i) {
            static const char* const quartos[] = {"", ",25", ",5", ",75"};
            const QStringList esperadas{QString::number(i), "item " + QString::number(i),
                                        QString::number(i / 4) + quartos[i % 4]};
            QCOMPARE(celulas, esperadas);
            QCOMPARE(leitor.linha(), i + 1);
            QVERIFY(leitor.lido() >= antes);
            antes = leitor.lido();
            meio = meio || (antes > 0.2 && antes < 0.8);
        }
        QCOMPARE(i, total);
        QVERIFY(meio);
        QCOMPARE(leitor.lido(), 1.0);
        QVERIFY(!leitor.proxima(celulas));
    }

    // Workbooks made by hand for what libxlsxwriter never writes.
    void pacote_data() {
        QTest::addColumn<Partes>("partes");
        QTest::addColumn<QString>("planilha");
        QTest::addColumn<Linhas>("esperadas");

        // Strict namespaces, a sheet found through the relationships (not
        // the first in them, nor sheet1.xml), the 1904 epoch, rich text.
        const QByteArray estrito = "xmlns=\"http://purl.oclc.org/ooxml/spreadsheetml/main\"";
        const QByteArray tipo = "http://purl.oclc.org/ooxml/officeDocument/relationships/";
        QTest::newRow("estrito, 1904, texto rico")
            << Partes{
                   {"_rels/.rels", "<Relationships " + Relacoes +
                                       "><Relationship Id=\"rId1\" Type=\"" + tipo +
                                       "officeDocument\" Target=\"xl/livro.xml\"/></Relationships>"},
                   {"xl/livro.xml",
                    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<workbook " +
                        estrito +
                        " xmlns:rel=\"http://purl.oclc.org/ooxml/officeDocument/relationships\">"
                        "<workbookPr date1904=\"1\"/><sheets>"
                        "<sheet name=\"Preços\" sheetId=\"2\" rel:id=\"rId9\"/>"
                        "<sheet name=\"Outra\" sheetId=\"1\" rel:id=\"rId1\"/></sheets></workbook>"},
                   {"xl/_rels/livro.xml.rels",
                    "<Relationships " + Relacoes + "><Relationship Id=\"rId1\" Type=\"" + tipo +
                        "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
                        "<Relationship Id=\"rId9\" Type=\"" +
                        tipo +
                        "worksheet\" Target=\"planilhas/pre%C3%A7os.xml\"/>"
                        "<Relationship Id=\"rId3\" Type=\"" +
                        tipo +
                        "styles\" Target=\"/xl/estilos.xml\"/>"
                        "<Relationship Id=\"rId4\" Type=\"" +
                        tipo + "sharedStrings\" Target=\"textos.xml\"/></Relationships>"},
                   {"xl/worksheets/sheet1.xml", "<worksheet " + estrito +
                                                    "><sheetData><row r=\"1\"><c t=\"inlineStr\">"
                                                    "<is><t>errada</t></is></c></row></sheetData>"
                                                    "</worksheet>"},
                   // The cell styles count from cellXfs, not from cellStyleXfs.
                   {"xl/estilos.xml",
                    "<styleSheet " + estrito +
                        "><numFmts count=\"2\"><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/>"
                        "<numFmt numFmtId=\"165\" formatCode=\"&quot;dia&quot; 0\"/></numFmts>"
                        "<cellStyleXfs count=\"1\"><xf numFmtId=\"14\"/></cellStyleXfs>"
                        "<cellXfs count=\"3\"><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/>"
                        "<xf numFmtId=\"165\"/></cellXfs></styleSheet>"},
                   {"xl/textos.xml",
                    "<sst " + estrito +
                        "><si><r><t>Caf</t></r><r><rPr><b/></rPr><t xml:space=\"preserve\">é  "
                        "forte </t></r><rPh sb=\"0\" eb=\"1\"><t>カフェ</t></rPh></si>"
                        "<si><t>linha_x000D_quebra</t></si>"
                        "<si><t>_x005F_x000D_ &amp; &lt;b&gt;</t></si><si><t>000123</t></si></sst>"},
                   {"xl/planilhas/preços.xml",
                    "<worksheet " + estrito +
                        "><sheetData>"
                        "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>0</v></c><c r=\"C2\" t=\"s\"><v>1</v>"
                        "</c></row>"
                        "<row><c t=\"s\"><v>2</v></c><c t=\"s\"><v>3</v></c><c s=\"0\"><v>42.5</v>"
                        "</c></row>"
                        "<row r=\"4\"><c r=\"A4\" s=\"1\"><v>45000</v></c><c r=\"B4\" s=\"1\"><v>0"
                        "</v></c><c r=\"C4\" s=\"2\"><v>7</v></c><c r=\"D4\" t=\"b\"><v>1</v></c>"
                        "<c r=\"E4\" t=\"e\"><v>#N/A</v></c></row>"
                        "<row r=\"5\"><c r=\"A5\"><f>SUM(A1:A2)</f></c><c r=\"B5\" t=\"str\">"
                        "<f>A1</f><v>calculado</v></c><c r=\"C5\" t=\"inlineStr\"><is><r><t>em "
                        "</t></r><r><t>linha</t></r></is></c><c r=\"D5\" t=\"d\">"
                        "<v>2026-12-25T08:30:00</v></c></row>"
                        "</sheetData></worksheet>"},
               }
            << QStringLiteral("Preços")
            << Linhas{{},
                      {"Café  forte ", "", "linha\rquebra"},
                      {"_x000D_ & <b>", "000123", "42,5"},
                      {"16/03/2027", "01/01/1904", "7", "VERDADEIRO", "#N/A"},
                      {"", "calculado", "em linha", "25/12/2026 08:30:00"}};

        // No package relationships, styles or shared texts; the sheet named
        // from the root of the package.
        QTest::newRow("mínimo")
            << Partes{
                   {"xl/workbook.xml", "<workbook " + Principal +
                                           "><sheets><sheet name=\"Folha\" r:id=\"rId5\"/>"
                                           "</sheets></workbook>"},
                   {"xl/_rels/workbook.xml.rels",
                    "<Relationships " + Relacoes + "><Relationship Id=\"rId5\" Type=\"" + Tipo +
                        "worksheet\" Target=\"/xl/worksheets/folha.xml\"/></Relationships>"},
                   {"xl/worksheets/folha.xml",
                    "<worksheet " + Principal +
                        "><sheetData><row><c><v>1.5E-3</v></c><c><v>1E+15</v></c>"
                        "<c t=\"inlineStr\"><is><t>a<!-- nota -->b</t></is></c>"
                        "<c><v><![CDATA[12]]></v></c></row></sheetData></worksheet>"},
               }
            << QStringLiteral("Folha") << Linhas{{"0,0015", "1000000000000000", "ab", "12"}};
    }
    void pacote() {
        QFETCH(Partes, partes);
        QFETCH(QString, planilha);
        QFETCH(Linhas, esperadas);
        escreveZip(arquivo(), partes);
        QCOMPARE(LeitorXlsx(arquivo()).planilha(), planilha);
        const Leitura lida = leTudo(arquivo());
        QCOMPARE(lida.erro, QString());
        QCOMPARE(lida.linhas, esperadas);
        QCOMPARE(lida.numeros, umAte(esperadas.size()));
    }

    // What is refused, on opening or on the way through the rows.
    void recusa_data() {
        // The file when there are no parts; else bytes of a part to spoil.
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Partes>("partes");
        QTest::addColumn<QString>("motivo");

        QTest::newRow("texto") << QByteArray("Código;Descrição\n1;Café\n") << Partes()
                               << "as pastas de trabalho do Excel são arquivos compactados (zip), "
                                  "e este não é.";
        QTest::newRow("xls ou protegida")
            << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(504, '\0') << Partes()
            << "é uma planilha do Excel 97-2003 (.xls) ou uma pasta de trabalho protegida por "
               "senha, que não podem ser lidas. Abra-o no Excel, tire a senha se houver, e "
               "salve-o como \"Pasta de Trabalho do Excel (.xlsx)\" ou como CSV.";
        QTest::newRow("ods") << QByteArray()
                             << Partes{{"mimetype",
                                        "application/vnd.oasis.opendocument.spreadsheet"},
                                       {"content.xml", "<office:document-content/>"}}
                             << "é uma planilha do LibreOffice (.ods)";
        QTest::newRow("docx")
            << QByteArray()
            << Partes{{"_rels/.rels", "<Relationships " + Relacoes +
                                          "><Relationship Id=\"rId1\" Type=\"" + Tipo +
                                          "officeDocument\" Target=\"word/document.xml\"/>"
                                          "</Relationships>"},
                      {"word/document.xml", "<document/>"}}
            << "é um arquivo compactado (zip), mas não é uma planilha do Excel (.xlsx).";
        QTest::newRow("sem planilhas") << QByteArray()
                                       << troca(pastaSimples(""), "xl/workbook.xml",
                                                "<workbook " + Principal + "><sheets/></workbook>")
                                       << "não tem nenhuma planilha.";
        QTest::newRow("entidades")
            << QByteArray()
            << troca(pastaSimples(""), "xl/workbook.xml",
                     "<?xml version=\"1.0\"?><!DOCTYPE workbook [<!ENTITY a \"aaaaaaaaaa\">"
                     "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]><workbook " +
                         Principal +
                         "><sheets><sheet name=\"&b;\" sheetId=\"1\" r:id=\"rId1\"/></sheets>"
                         "</workbook>")
            << "a parte xl/workbook.xml declara um DTD ou entidades";
        QTest::newRow("textos malformados") << QByteArray() << pastaSimples("", "<si><t>um</si>")
                                            << "a parte xl/sharedStrings.xml não é um XML válido";
        QTest::newRow("sem a folha")
            << QByteArray() << pastaSimples("").first(3) << "falta a planilha \"Produtos\"";
        QTest::newRow("folha malformada")
            << QByteArray() << pastaSimples("<row r=\"1\"><c><v>1</c></row>")
            << "a parte xl/worksheets/sheet1.xml não é um XML válido";
        QTest::newRow("texto que não existe")
            << QByteArray() << pastaSimples("<row r=\"1\"><c r=\"B1\" t=\"s\"><v>1</v></c></row>")
            << "a célula B1 aponta para um texto que não existe";
        QTest::newRow("além da coluna XFD")
            << QByteArray() << pastaSimples("<row r=\"7\"><c r=\"XFE7\"><v>1</v></c></row>")
            << "a linha 7 passa da coluna XFD";
        QTest::newRow("além da linha 1.048.576")
            << QByteArray() << pastaSimples("<row r=\"1048577\"><c><v>1</v></c></row>")
            << "passa da linha 1.048.576";
        QTest::newRow("aninhamento")
            << QByteArray()
            << pastaSimples("<row r=\"1\">" + QByteArray("<x>").repeated(100) +
                            QByteArray("</x>").repeated(100) + "</row>")
            << "a parte xl/worksheets/sheet1.xml tem elementos aninhados demais";
        // A byte of the sheet changed after the zip was made: valid XML, wrong CRC.
        QTest::newRow("parte corrompida")
            << QByteArray("<v>1</v>") << pastaSimples("<row r=\"1\"><c><v>1</v></c></row>")
            << "a parte xl/worksheets/sheet1.xml não pôde ser descompactada";
    }
    void recusa() {
        QFETCH(QByteArray, bytes);
        QFETCH(Partes, partes);
        QFETCH(QString, motivo);
        if (partes.isEmpty()) {
            QFile f(arquivo());
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
        } else {
            escreveZip(arquivo(), partes);
            if (!bytes.isEmpty()) {
                QFile f(arquivo());
                QVERIFY(f.open(QIODevice::ReadWrite));
                QByteArray zip = f.readAll();
                QCOMPARE(zip.count(bytes), 1);
                zip.replace(bytes, QByteArray(bytes).replace('1', '2'));
                f.seek(0);
                f.write(zip);
            }
        }
        const Leitura lida = leTudo(arquivo());
        QVERIFY2(lida.erro.contains(motivo), qPrintable(lida.erro));
        QVERIFY2(lida.erro.contains(QStringLiteral("\"planilha de preços.xlsx\"")),
                 qPrintable(lida.erro));
    }
};

KELVARA_TEST_MAIN(TestLeitorXlsx)
#include "tst_leitorxlsx.moc"
