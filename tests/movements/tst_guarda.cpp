// What the operator types or pastes is what the movement screens store, or
// they store nothing and say why, naming the field.

#include "data/DataModule_Conexao.h"

#include "MovementFixture.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A screen that moves stock, as its menu command shows it.
struct Tela {
    QString comando;
    QString codigo; // the product code field
    QString tipo;   // the exit type field, where there is one
    QString quantidade;
    QString grava;
};

const Tela Entrada{"Movimentação no Estoque/Entrada no Estoque",
                   "edENT_CodPRO",
                   {},
                   "edEnt_Quant",
                   "btnEntrada_Grava"};
const Tela Saida{"Movimentação no Estoque/Saída no Estoque", "edSaida_CodPro", "edSaida_CodTipo",
                 "EdSaida_Quant", "btnSaida_Estq_Grava"};
const Tela EstornoEntrada{"Movimentação no Estoque/Estorno de Entrada",
                          "edEST_CodPro",
                          {},
                          "EdEst_Quant",
                          "btnEst_Grava"};
const Tela EstornoSaida{
    "Movimentação no Estoque/Estorno de Saída", "edEST_CodPro", {}, "EdEst_Quant", "btnEst_Grava"};

const Tela& telaPorNome(const QString& nome) {
    if (nome == "saida")
        return Saida;
    if (nome == "estorno de entrada")
        return EstornoEntrada;
    if (nome == "estorno de saida")
        return EstornoSaida;
    return Entrada;
}

QLineEdit* campo(QDialog* tela, const QString& nome) {
    auto* edit = tela->findChild<QLineEdit*>(nome);
    if (!edit)
        qFatal("no field %s", qPrintable(nome));
    return edit;
}

} // namespace

class TestGuarda : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    QStringList messages() const { return program->recorder.texts(); }

    // The screen with product 42 read (and exit type 5 chosen on the exit).
    static void naTela(const Tela& tela, std::function<void(QDialog*)> acao) {
        fromMenu<QDialog>(tela.comando, [&](QDialog* s) {
            enter(campo(s, tela.codigo), "42");
            if (!tela.tipo.isEmpty())
                enter(campo(s, tela.tipo), "5");
            acao(s);
        });
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        program->dbs.exec("qor.gdb", "Insert Into Grupos Values ('000001', 'Ferragens')");
        program->dbs.exec("qor.gdb", "Insert Into Tipos Values ('000005', 'Venda')");
        addProduct(program->dbs, "42", "5", "7891234");
    }
    void cleanup() {
        QApplication::clipboard()->clear();
        program.reset();
    }

    // A number the field cannot store as shown, a sign, a quantity of zero
    // or a text that is no number stops the save with the field's name, and
    // nothing is written. typed: as the operator types it; otherwise the
    // text is in the field however it came.
    void saveWritesOnlyTheNumbersShown_data() {
        QTest::addColumn<QString>("tela");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QString>("told");
        QTest::newRow("huge quantity")
            << "entrada"
            << "edEnt_Quant"
            << "99999999999999999" << true << "do campo \"Quantidade\" é grande demais";
        QTest::newRow("huge cost")
            << "entrada"
            << "edEnt_PCusto"
            << "999999999999999999" << true << "do campo \"Preço de Custo\" é grande demais";
        QTest::newRow("margin in scientific notation")
            << "entrada"
            << "edEnt_Margem"
            << "1,5E+10%" << false << "do campo \"Margem de Lucro\" é grande demais";
        QTest::newRow("entry of zero") << "entrada"
                                       << "edEnt_Quant"
                                       << "0" << true << "deve ser maior que zero";
        QTest::newRow("exit of zero") << "saida"
                                      << "EdSaida_Quant"
                                      << "0" << true << "deve ser maior que zero";
        QTest::newRow("exit below a thousandth") << "saida"
                                                 << "EdSaida_Quant"
                                                 << "0,0004" << true << "deve ser maior que zero";
        QTest::newRow("entry reversal of zero")
            << "estorno de entrada"
            << "EdEst_Quant"
            << "0" << true << "do campo \"Quantidade\" deve ser maior que zero";
        QTest::newRow("exit reversal of zero") << "estorno de saida"
                                               << "EdEst_Quant"
                                               << "0" << true << "deve ser maior que zero";
        QTest::newRow("negative exit")
            << "saida"
            << "EdSaida_Quant"
            << "-5" << false << "\"-5\" do campo \"Quantidade\" não pode ser negativo";
        QTest::newRow("negative price") << "saida"
                                        << "edSaida_PVenda"
                                        << "-1,00" << false << "não pode ser negativo";
        QTest::newRow("no number")
            << "entrada"
            << "edEnt_Quant"
            << "abc" << false << "\"abc\" do campo \"Quantidade\" não é um número";
    }
    void saveWritesOnlyTheNumbersShown() {
        QFETCH(QString, tela);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, typed);
        QFETCH(QString, told);
        const Tela& t = telaPorNome(tela);
        naTela(t, [&](QDialog* s) {
            QLineEdit* edit = campo(s, field);
            if (field != t.quantidade)
                enter(campo(s, t.quantidade), "1");
            if (typed)
                enter(edit, text);
            else
                edit->setText(text);
            QTest::mouseClick(s->findChild<QPushButton*>(t.grava), Qt::LeftButton);
            QCOMPARE(messages().size(), 1);
            QVERIFY2(messages()[0].contains(told) &&
                         messages()[0].endsWith("Corrija o valor e grave de novo; nada foi "
                                                "gravado."),
                     qPrintable(messages()[0]));
            QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Warning);
            QCOMPARE(s->focusWidget(), edit);
        });
        QCOMPARE(movementRows(), QStringList{});
        QCOMPARE(storedQuantity("42").toDouble(), 5.0);
    }

    // Pasted text meets the rules of typed text: a number as a spreadsheet
    // writes it comes in as the keys would type it; anything else not at all.
    void pasteMeetsTheRulesOfTyping_data() {
        QTest::addColumn<QString>("tela");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("sign") << "saida"
                              << "EdSaida_Quant"
                              << "-5"
                              << "0,000";
        QTest::newRow("letters") << "entrada"
                                 << "edEnt_Quant"
                                 << "abc"
                                 << "0,000";
        QTest::newRow("money from a spreadsheet") << "entrada"
                                                  << "edEnt_PCusto"
                                                  << " R$ 1.234,50 "
                                                  << "1234,50";
        QTest::newRow("thousands in a whole number") << "entrada"
                                                     << "edENT_Min"
                                                     << "1.000"
                                                     << "1000";
        QTest::newRow("decimal point") << "estorno de entrada"
                                       << "EdEst_Quant"
                                       << "2.5"
                                       << "2,5";
        QTest::newRow("two numbers") << "estorno de saida"
                                     << "edEst_Preco"
                                     << "12 13"
                                     << "13,50"; // the product's price, untouched
    }
    void pasteMeetsTheRulesOfTyping() {
        QFETCH(QString, tela);
        QFETCH(QString, field);
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        naTela(telaPorNome(tela), [&](QDialog* s) {
            QLineEdit* edit = campo(s, field);
            edit->setFocus();
            edit->selectAll();
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(edit->text(), shown);
        });
    }

    // A code longer than its column is cut to the column as it is typed,
    // and the operator reads the screen's own not-found message.
    void codesKeepToTheirColumn_data() {
        QTest::addColumn<QString>("comando");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("told");
        QTest::newRow("exit type") << Saida.comando << "edSaida_CodTipo"
                                   << "12345678"
                                   << "123456"
                                   << "Tipo de Saída não Encontrada !";
        QTest::newRow("query bar code") << "Movimentação no Estoque/Consultas"
                                        << "edCodBar"
                                        << "78912345678901234"
                                        << "78912345678901"
                                        << "Produto não Cadastrado !, tente outro código";
        QTest::newRow("maintenance code") << "Utilitários/Manutenção de Mov.Estoque"
                                          << "edCodigo"
                                          << "123456789012"
                                          << "1234567890"
                                          << "Produto não Cadastrado";
    }
    void codesKeepToTheirColumn() {
        QFETCH(QString, comando);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(QString, told);
        fromMenu<QDialog>(comando, [&](QDialog* s) {
            QLineEdit* edit = campo(s, field);
            if (auto* all = s->findChild<QAbstractButton*>("cbDeterminado_Produto"))
                all->click();
            edit->setFocus();
            edit->clear();
            typeText(edit, typed);
            QCOMPARE(edit->text(), kept);
            QTest::keyClick(edit, Qt::Key_Tab);
            QCOMPARE(messages(), QStringList{told});
        });
    }

    // A save the database refuses says why, when the operator can act on it.
    void refusedSaveSaysWhy() {
        naTela(Entrada, [&](QDialog* s) {
            enter(campo(s, "edEnt_Quant"), "1");
            enter(campo(s, "edEnt_Documento"), "NF 123456789012345678901234");
            QTest::mouseClick(s->findChild<QPushButton*>(Entrada.grava), Qt::LeftButton);
            QCOMPARE(messages(),
                     QStringList{"Não Consegui Gravar, tente novamente !\nUm dos textos "
                                 "é mais longo do que o Banco de Dados guarda: "
                                 "encurte-o e grave de novo."});
        });
        QCOMPARE(movementRows(), QStringList{});
    }
};

KELVARA_TEST_MAIN(TestGuarda)
#include "tst_guarda.moc"
