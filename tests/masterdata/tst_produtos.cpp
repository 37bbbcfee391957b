#include "app/Pricipal.h"
#include "data/DataModule_Conexao.h"
#include "data/DataModule_Grupos.h"
#include "data/DataModule_Produtos.h"
#include "masterdata/Busca_Grupos.h"
#include "masterdata/Busca_Produtos.h"
#include "masterdata/Dados_Produtos.h"
#include "masterdata/Manut_Produtos.h"
#include "shell/Arquivos.h"

#include "SheetReader.h"
#include "TestMain.h"
#include "TestSupport.h"

#include <QAction>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <memory>

class TestProdutos : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }
    void addGroup(const QString& code, const QString& description) {
        run(QString("Insert Into Grupos Values ('%1', '%2')").arg(code, description));
    }
    // A product stored as the edit screen stores it: the code right-aligned.
    void addProduct(const QString& code, const QString& description, const QString& group,
                    const QString& refer = {}, const QString& codBar = {},
                    const QString& obs = {}) {
        run(QString("Insert Into Produtos (PRO_Codigo, PRO_Descricao, PRO_CodGRU, PRO_Refer, "
                    "PRO_CodBar, PRO_Obs, PRO_Quant, PRO_Min, PRO_EMax, PRO_Margem, PRO_PCusto, "
                    "PRO_PVenda) Values ('%1', '%2', '%3', '%4', '%5', '%6', 0, 0, 0, 0, 0, 0)")
                .arg(code.rightJustified(10, ' '), description, group, refer, codBar, obs));
    }
    fb::ResultSet stored(const QString& code) {
        return dmConexao->SQLC_QOR->database().select("Select * From Produtos Where PRO_Codigo='" +
                                                      code.rightJustified(10, ' ') + "'");
    }
    int productCount() {
        return dmConexao->SQLC_QOR->database()
            .select("Select count(*) From Produtos")
            .value(0, 0)
            .toInt();
    }
    QStringList messages() const { return program->recorder.texts(); }
    Messages::Kind lastKind() const { return program->recorder.messages.last().kind; }

    // The edit screen opened as the browse screen opens it, in a mode.
    void inMode(const QString& mode, std::function<void(TfDados_Produtos*)> action) {
        fManut_Produtos->Modo = mode;
        bool ran = false;
        whenModal([&](QWidget*) {
            ran = true;
            action(fDados_Produtos);
            if (fDados_Produtos->isVisible())
                fDados_Produtos->close();
        });
        fDados_Produtos->exec();
        QVERIFY(ran);
    }
    // The operator enters the field, types over its text and leaves by Tab.
    static void enter(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->clear();
        typeText(field, text);
        QTest::keyClick(field, Qt::Key_Tab);
    }
    // The list ordered by code, its row of the code current.
    void makeCurrent(const QString& code) {
        OrdenaProdutos("p.PRO_Codigo");
        QVERIFY(dmProdutos->cds_Produtos->LocatePrefix("PRO_CODIGO", code.rightJustified(10)));
    }
    QStringList listedCodes() {
        QStringList codes;
        for (int row = 0; row < dmProdutos->cds_Produtos->RecordCount(); ++row)
            codes << dmProdutos->cds_Produtos->value(row, "PRO_CODIGO").toString().trimmed();
        return codes;
    }
    void showBrowse() {
        fManut_Produtos->show();
        QApplication::setActiveWindow(fManut_Produtos);
        QVERIFY(QTest::qWaitForWindowActive(fManut_Produtos));
    }
    void showLookup() {
        fBusca_Produtos->show();
        QApplication::setActiveWindow(fBusca_Produtos);
        QVERIFY(QTest::qWaitForWindowActive(fBusca_Produtos));
    }

private slots:
    void init() {
        program = std::make_unique<RunningProgram>();
        addGroup("000005", "Ferragens");
    }
    void cleanup() { program.reset(); }

    void insertingPadsTheCodeStoresTheProductAndStaysOpen() {
        inMode("Inclui", [this](TfDados_Produtos* s) {
            QCOMPARE(s->windowTitle(), QString("Inclusão de Produtos"));
            QCOMPARE(s->lbDados_Pro_Titulo->text(), QString("Inclusão de Produtos"));
            QCOMPARE(s->btnPRO_Salva->text(), QString("Grava"));
            QVERIFY(s->btnPRO_Limpa->isVisible());
            QCOMPARE(s->focusWidget(), s->edPRO_Codigo);
            QCOMPARE(s->edPRO_PCusto->text(), QString("R$   0,00"));
            QCOMPARE(s->edPRO_PVenda->text(), QString("R$   0,00"));
            QCOMPARE(s->edPRO_Margem->text(), QString("0,00%"));
            QCOMPARE(s->edPRO_Quant->text(), QString("0,000"));
            QCOMPARE(s->edPRO_Min->text(), QString("0"));
            QCOMPARE(s->edPRO_UComp->text(), QString("  /  /    "));
            QCOMPARE(s->dtpPro_DCad->date(), QDate::currentDate());

            enter(s->edPRO_Codigo, "123");
            QCOMPARE(s->edPRO_Codigo->text(), QString("       123"));
            enter(s->edPRO_Descricao, "Martelo de Unha");
            enter(s->edPRO_CodGru, "5");
            QCOMPARE(s->edPRO_CodGru->text(), QString("000005"));
            QCOMPARE(s->edPRO_NomeGru->text(), QString("Ferragens"));
            enter(s->edPRO_Unid, "UN");
            enter(s->edPRO_Min, "2");
            enter(s->edPRO_EMax, "10");
            enter(s->edPRO_PCusto, "10");
            enter(s->edPRO_PVenda, "15");
            s->edPRO_Obs->setFocus();
            typeText(s->edPRO_Obs, "Cabo de madeira");
            QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);

            QVERIFY(s->isVisible());
            QCOMPARE(s->edPRO_Codigo->text(), QString());
            QCOMPARE(s->edPRO_PCusto->text(), QString("R$ 0,00"));
            QCOMPARE(s->edPRO_PVenda->text(), QString("R$ 0,00"));
            QCOMPARE(s->edPRO_UComp->text(), QString());
            QCOMPARE(s->edPRO_NomeGru->text(), QString());
            QCOMPARE(s->focusWidget(), s->edPRO_Codigo);
            QCOMPARE(dmProdutos->cds_Produtos->RecordCount(), 1);

            enter(s->edPRO_Codigo, "123");
            QCOMPARE(messages(), QStringList{"Código já Cadastrado, tente outro !"});
            QCOMPARE(lastKind(), Messages::Kind::Warning);
            QCOMPARE(s->edPRO_Codigo->text(), QString());
            QCOMPARE(s->focusWidget(), s->edPRO_Codigo);
        });
        const fb::ResultSet r = stored("123");
        QCOMPARE(r.rowCount(), 1);
        QCOMPARE(r.value(0, "PRO_DESCRICAO").toString(), QString("Martelo de Unha"));
        QCOMPARE(r.value(0, "PRO_CODGRU").toString(), QString("000005"));
        QCOMPARE(r.value(0, "PRO_PCUSTO").toDouble(), 10.0);
        QCOMPARE(r.value(0, "PRO_PVENDA").toDouble(), 15.0);
        QCOMPARE(r.value(0, "PRO_MARGEM").toDouble(), 50.0);
        QCOMPARE(r.value(0, "PRO_MIN").toDouble(), 2.0);
        QCOMPARE(r.value(0, "PRO_EMAX").toDouble(), 10.0);
        QCOMPARE(r.value(0, "PRO_QUANT").toDouble(), 0.0);
        QVERIFY(!r.value(0, "PRO_UCOMP").isValid());
        QCOMPARE(r.value(0, "PRO_DCAD").toDate(), QDate::currentDate());
        QCOMPARE(r.value(0, "PRO_OBS").toString(), QString("Cabo de madeira"));
    }

    void groupCodeIsLookedUpOnLeaving() {
        inMode("Inclui", [this](TfDados_Produtos* s) {
            enter(s->edPRO_CodGru, "5");
            QCOMPARE(s->edPRO_NomeGru->text(), QString("Ferragens"));
            enter(s->edPRO_CodGru, "7");
            QCOMPARE(messages(), QStringList{"Grupo não Encontrado !"});
            QCOMPARE(lastKind(), Messages::Kind::Information);
            QCOMPARE(s->edPRO_CodGru->text(), QString("000007"));
            QCOMPARE(s->edPRO_NomeGru->text(), QString("Ferragens"));
            QCOMPARE(s->focusWidget(), s->edPRO_CodGru);
        });
    }

    void groupLookupWritesTheChosenCodeBack() {
        addGroup("000009", "Tintas");
        dmGrupos->cds_Grupos->Reload({"Select * From Grupos Order by GRU_Codigo"});
        dmGrupos->cds_Grupos->setRecNo(1);
        inMode("Inclui", [this](TfDados_Produtos* s) {
            QString caller;
            whenModal([&](QWidget* w) {
                QCOMPARE(w, static_cast<QWidget*>(fBusca_Grupos));
                caller = fBusca_Grupos->Chamador;
                QTest::mouseClick(fBusca_Grupos->btnBusca_Seleciona, Qt::LeftButton);
            });
            s->edPRO_CodGru->setFocus();
            QTest::keyClick(s->edPRO_CodGru, Qt::Key_F5);
            QCOMPARE(caller, QString("Dados_Produtos"));
            QCOMPARE(s->edPRO_CodGru->text(), QString("000009"));
            QCOMPARE(s->focusWidget(), s->edPRO_CodGru);
            QApplication::setActiveWindow(s); // as the window system gives it back
            QVERIFY(QTest::qWaitForWindowActive(s));
            QTest::keyClick(s->edPRO_CodGru, Qt::Key_Tab);
            QCOMPARE(s->edPRO_NomeGru->text(), QString("Tintas"));
        });
    }

    void pricesRecomputeOneAnother_data() {
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("sale");
        QTest::addColumn<QString>("left"); // the field typed into and left
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("target"); // the field recomputed
        QTest::addColumn<QString>("shown");
        QTest::newRow("sale gives margin") << "R$ 10,00"
                                           << "R$   0,00"
                                           << "edPRO_PVenda"
                                           << "15"
                                           << "edPRO_Margem"
                                           << "50,00%";
        QTest::newRow("margin gives sale") << "R$ 10,00"
                                           << "R$   0,00"
                                           << "edPRO_Margem"
                                           << "30"
                                           << "edPRO_PVenda"
                                           << "R$ 13,00";
        QTest::newRow("sale below cost") << "R$ 3,00"
                                         << "R$   0,00"
                                         << "edPRO_PVenda"
                                         << "1"
                                         << "edPRO_Margem"
                                         << "-66,67%";
        QTest::newRow("cost with sale still zero") << "R$   0,00"
                                                   << "R$   0,00"
                                                   << "edPRO_PCusto"
                                                   << "10"
                                                   << "edPRO_Margem"
                                                   << "-100,00%";
        QTest::newRow("margin 25 on cost 10") << "R$ 10,00"
                                              << "R$   0,00"
                                              << "edPRO_Margem"
                                              << "25"
                                              << "edPRO_PVenda"
                                              << "R$ 12,50";
        QTest::newRow("cost 0: sale leaves the margin") << "R$   0,00"
                                                        << "R$   0,00"
                                                        << "edPRO_PVenda"
                                                        << "15"
                                                        << "edPRO_Margem"
                                                        << "0,00%";
        QTest::newRow("cost 0: margin leaves the sale") << "R$   0,00"
                                                        << "R$ 5,00"
                                                        << "edPRO_Margem"
                                                        << "30"
                                                        << "edPRO_PVenda"
                                                        << "R$ 5,00";
    }
    void pricesRecomputeOneAnother() {
        QFETCH(QString, cost);
        QFETCH(QString, sale);
        QFETCH(QString, left);
        QFETCH(QString, typed);
        QFETCH(QString, target);
        QFETCH(QString, shown);
        inMode("Inclui", [&](TfDados_Produtos* s) {
            s->edPRO_PCusto->setText(cost);
            s->edPRO_PVenda->setText(sale);
            // Left for the notes, so that the field recomputed is not entered.
            auto* field = s->findChild<QLineEdit*>(left);
            field->setFocus();
            typeText(field, typed);
            s->edPRO_Obs->setFocus();
            QCOMPARE(s->findChild<QLineEdit*>(target)->text(), shown);
            QVERIFY(messages().isEmpty());
        });
    }

    // What a save stores is the number the screen shows, rounded as shown,
    // or nothing: a margin or price in scientific notation, or too large for
    // its column, stops the save in that field.
    void savedAmountsAreTheOnesShown_data() {
        QTest::addColumn<QString>("cost");
        QTest::addColumn<QString>("left"); // the field typed into and left
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refused"); // the field that stops the save; empty: saved
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("sale"); // what is stored when saved
        QTest::newRow("margin 5 on 1,90") << "1,90"
                                          << "edPRO_Margem"
                                          << "5"
                                          << ""
                                          << "" << 2.00;
        QTest::newRow("margin 15 on 10,10") << "10,10"
                                            << "edPRO_Margem"
                                            << "15"
                                            << ""
                                            << "" << 11.62;
        QTest::newRow("margin in scientific notation") << "0,01"
                                                       << "edPRO_PVenda"
                                                       << "99999999"
                                                       << "edPRO_Margem"
                                                       << "Margem de Lucro" << 0.0;
        QTest::newRow("sale price in scientific notation") << "99999999999"
                                                           << "edPRO_Margem"
                                                           << "99999"
                                                           << "edPRO_PVenda"
                                                           << "Preço de Venda" << 0.0;
        QTest::newRow("sale price too large for its column") << "99999999999"
                                                             << "edPRO_Margem"
                                                             << "9999"
                                                             << "edPRO_PVenda"
                                                             << "Preço de Venda" << 0.0;
    }
    void savedAmountsAreTheOnesShown() {
        QFETCH(QString, cost);
        QFETCH(QString, left);
        QFETCH(QString, typed);
        QFETCH(QString, refused);
        QFETCH(QString, label);
        QFETCH(double, sale);
        QString shown;
        inMode("Inclui", [&](TfDados_Produtos* s) {
            enter(s->edPRO_Codigo, "1");
            enter(s->edPRO_Descricao, "Prego");
            enter(s->edPRO_CodGru, "5");
            enter(s->edPRO_PCusto, cost);
            enter(s->findChild<QLineEdit*>(left), typed);
            if (refused.isEmpty())
                return QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);
            auto* field = s->findChild<QLineEdit*>(refused);
            shown = field->text();
            QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);
            QCOMPARE(messages(), QStringList{"O valor \"" + shown + "\" do campo \"" + label +
                                             "\" é grande demais para ser gravado. Corrija o "
                                             "valor e grave de novo; nada foi gravado."});
            QCOMPARE(lastKind(), Messages::Kind::Warning);
            QCOMPARE(s->focusWidget(), field);
        });
        if (!refused.isEmpty()) {
            QCOMPARE(productCount(), 0);
            return;
        }
        QVERIFY(messages().isEmpty());
        QCOMPARE(stored("1").value(0, "PRO_PVENDA").toDouble(), sale);
    }

    // A whole-number field shows, checks and stores one whole number.
    void fractionsInStockLimitsAreRoundedWhereTheyAreSeen() {
        inMode("Inclui", [this](TfDados_Produtos* s) {
            enter(s->edPRO_Codigo, "1");
            enter(s->edPRO_Descricao, "Prego");
            enter(s->edPRO_CodGru, "5");
            enter(s->edPRO_EMax, "2,3");
            QCOMPARE(s->edPRO_EMax->text(), QString("2"));
            enter(s->edPRO_Min, "2,4"); // 2 and 2: no complaint
            QCOMPARE(s->edPRO_Min->text(), QString("2"));
            s->edPRO_EMax->setText("1234,5"); // not left: the save rounds it
            QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);
        });
        QVERIFY(messages().isEmpty());
        const fb::ResultSet r = stored("1");
        QCOMPARE(r.value(0, "PRO_MIN").toDouble(), 2.0);
        QCOMPARE(r.value(0, "PRO_EMAX").toDouble(), 1235.0);
    }

    void typingStopsAtTheFieldsLength_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("length");
        QTest::newRow("code") << "edPRO_Codigo" << 10;
        QTest::newRow("group") << "edPRO_CodGru" << 6;
        QTest::newRow("minimum") << "edPRO_Min" << 10;
        QTest::newRow("cost") << "edPRO_PCusto" << 14;
        QTest::newRow("margin") << "edPRO_Margem" << 8;
    }
    void typingStopsAtTheFieldsLength() {
        QFETCH(QString, field);
        QFETCH(int, length);
        inMode("Inclui", [&](TfDados_Produtos* s) {
            auto* edit = s->findChild<QLineEdit*>(field);
            edit->setFocus();
            edit->clear();
            typeText(edit, QString(20, '1'));
            QCOMPARE(edit->text(), QString(length, '1'));
        });
    }

    void stockLimitsAreCheckedOnLeavingAndOnSaving() {
        inMode("Inclui", [this](TfDados_Produtos* s) {
            enter(s->edPRO_EMax, "5");
            enter(s->edPRO_Min, "10");
            QCOMPARE(messages(),
                     QStringList{"Estoque Mínimo tem que ser menor que Estoque Máximo"});
            QCOMPARE(lastKind(), Messages::Kind::Warning);
            QCOMPARE(s->edPRO_Min->text(), QString("0"));

            enter(s->edPRO_EMax, "0");
            enter(s->edPRO_Min, "7");
            enter(s->edPRO_EMax, "3");
            QCOMPARE(messages().last(),
                     QString("Estoque Máximo tem que ser Maior ou Igual ao Estoque Mínimo"));
            QCOMPARE(s->edPRO_EMax->text(), QString("7"));

            // A maximum of 0 spares the minimum on leaving, not on saving.
            program->recorder.messages.clear();
            enter(s->edPRO_Codigo, "1");
            enter(s->edPRO_Descricao, "Prego");
            enter(s->edPRO_CodGru, "5");
            enter(s->edPRO_Min, "0");
            enter(s->edPRO_EMax, "0");
            s->edPRO_Min->setFocus();
            typeText(s->edPRO_Min, "10");
            s->edPRO_Descricao->setFocus();
            QVERIFY(messages().isEmpty());
            QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);
            QCOMPARE(messages(),
                     QStringList{"Estoque Mínimo DEVE ser menor ou igual ao Estoque Máximo"});
            QCOMPARE(lastKind(), Messages::Kind::Warning);
            QCOMPARE(s->focusWidget(), s->edPRO_Min);
        });
        QCOMPARE(productCount(), 0);
    }

    void unreadableMinimumOnSaveIsRefusedByName_data() {
        QTest::addColumn<QString>("minimum");
        QTest::newRow("empty") << "";
        QTest::newRow("two commas") << "1,2,3";
    }
    void unreadableMinimumOnSaveIsRefusedByName() {
        QFETCH(QString, minimum);
        inMode("Inclui", [&](TfDados_Produtos* s) {
            enter(s->edPRO_Codigo, "1");
            enter(s->edPRO_Descricao, "Prego");
            enter(s->edPRO_CodGru, "5");
            s->edPRO_Min->setText(minimum);
            QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);
            QCOMPARE(messages(), QStringList{"O valor \"" + minimum +
                                             "\" do campo \"Estoque Mínimo\" não é um número. "
                                             "Corrija o valor e grave de novo; nada foi gravado."});
            QCOMPARE(lastKind(), Messages::Kind::Warning);
            QVERIFY(s->isVisible());
        });
        QCOMPARE(productCount(), 0);
    }

    void requiredFieldsAreAskedForInOrder() {
        inMode("Inclui", [this](TfDados_Produtos* s) {
            QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);
            QCOMPARE(s->focusWidget(), s->edPRO_CodGru);
            enter(s->edPRO_CodGru, "5");
            QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);
            QCOMPARE(s->focusWidget(), s->edPRO_Descricao);
            enter(s->edPRO_Descricao, "Prego");
            QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);
            QCOMPARE(s->focusWidget(), s->edPRO_Codigo);
            QCOMPARE(messages(), (QStringList{"O Campo do Código do Grupo deve ser Preenchido !",
                                              "O Campo da Descrição do Produto ser Preenchido !",
                                              "O Campo do Código do Produto ser Preenchido !"}));
            for (const RecordedMessage& m : program->recorder.messages)
                QCOMPARE(m.kind, Messages::Kind::Information);
        });
        QCOMPARE(productCount(), 0);
    }

    void changingLoadsTheCurrentRowAndWritesItBack() {
        addProduct("77", "Serrote", "000005");
        run("Update Produtos Set PRO_Unid='PC', PRO_Quant=2.5, PRO_Min=1000, PRO_EMax=5000, "
            "PRO_Margem=25.5, PRO_PCusto=12345678.9, PRO_PVenda=15493827.02, "
            "PRO_UComp='2006-03-15', PRO_DCad='2005-01-20', PRO_Local='A-01', PRO_Obs='fino'");
        makeCurrent("77");
        inMode("Altera", [this](TfDados_Produtos* s) {
            QCOMPARE(s->lbDados_Pro_Titulo->text(), QString("Alteração de Produtos"));
            QCOMPARE(s->btnPRO_Salva->text(), QString("Grava"));
            QVERIFY(!s->btnPRO_Limpa->isVisible());
            QCOMPARE(s->edPRO_Codigo->text(), QString("        77"));
            QCOMPARE(s->edPRO_NomeGru->text(), QString("Ferragens"));
            QCOMPARE(s->edPRO_Quant->text(), QString("2,500"));
            QCOMPARE(s->edPRO_Min->text(), QString("1.000"));
            QCOMPARE(s->edPRO_EMax->text(), QString("5.000"));
            QCOMPARE(s->edPRO_Margem->text(), QString("25,50%"));
            // Longer than what may be typed into the field, shown whole.
            QCOMPARE(s->edPRO_PCusto->text(), QString("R$ 12.345.678,90"));
            QCOMPARE(s->edPRO_PVenda->text(), QString("R$ 15.493.827,02"));
            QCOMPARE(s->edPRO_UComp->text(), QString("15/03/2006"));
            QCOMPARE(s->dtpPro_DCad->date(), QDate(2005, 1, 20));
            QCOMPARE(s->edPRO_Obs->toPlainText(), QString("fino"));

            enter(s->edPRO_Descricao, "Serrote Fino");
            QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);
            QVERIFY(!s->isVisible());
        });
        QVERIFY(messages().isEmpty());
        const fb::ResultSet r = stored("77");
        QCOMPARE(r.value(0, "PRO_DESCRICAO").toString(), QString("Serrote Fino"));
        QCOMPARE(r.value(0, "PRO_PCUSTO").toDouble(), 12345678.9);
        QCOMPARE(r.value(0, "PRO_PVENDA").toDouble(), 15493827.02);
        QCOMPARE(r.value(0, "PRO_MIN").toDouble(), 1000.0);
        QCOMPARE(r.value(0, "PRO_MARGEM").toDouble(), 25.5);
        QCOMPARE(r.value(0, "PRO_QUANT").toDouble(), 2.5);
        QCOMPARE(r.value(0, "PRO_UCOMP").toDate(), QDate(2006, 3, 15));
        QCOMPARE(dmProdutos->cds_Produtos->FieldText("PRO_DESCRICAO"), QString("Serrote Fino"));
    }

    void changingACodeThatNamesNoProductKeepsTheScreen() {
        addProduct("77", "Serrote", "000005");
        makeCurrent("77");
        inMode("Altera", [this](TfDados_Produtos* s) {
            enter(s->edPRO_Codigo, "78");
            enter(s->edPRO_Descricao, "Outro");
            QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);
            QCOMPARE(messages(), QStringList{"Deu Erro, tente novamente !"});
            QVERIFY(s->isVisible());
            QCOMPARE(s->edPRO_Descricao->text(), QString("Outro"));
        });
        QCOMPARE(stored("77").value(0, "PRO_DESCRICAO").toString(), QString("Serrote"));
    }

    void viewingHidesTheWritingButtons() {
        addProduct("77", "Serrote", "000005");
        makeCurrent("77");
        inMode("Consulta", [](TfDados_Produtos* s) {
            QCOMPARE(s->lbDados_Pro_Titulo->text(), QString("Consulta de Produtos"));
            QCOMPARE(s->windowTitle(), QString("Inclusão de Produtos"));
            QVERIFY(!s->btnPRO_Salva->isVisible());
            QVERIFY(!s->btnPRO_Limpa->isVisible());
            QCOMPARE(s->edPRO_Descricao->text(), QString("Serrote"));
            QCOMPARE(s->edPRO_UComp->text(), QString("  /  /    "));
        });
    }

    void productWithMovementsIsNotDeleted() {
        addProduct("77", "Serrote", "000005");
        addProduct("78", "Lixa", "000005");
        run("Update Produtos Set PRO_PCusto=12.5");
        run("Insert Into Mov_Estq (MOV_CodPro, MOV_Oper, MOV_Data, MOV_Quant) "
            "Values ('        77', 'EE', '2006-01-02', 1)");
        makeCurrent("77");
        inMode("Exclui", [this](TfDados_Produtos* s) {
            QCOMPARE(s->lbDados_Pro_Titulo->text(), QString("Exclusão de Produtos"));
            QCOMPARE(s->btnPRO_Salva->text(), QString("Exclui"));
            QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);
            QCOMPARE(messages(), QStringList{"Produto não pode ser excluído"});
            QCOMPARE(lastKind(), Messages::Kind::Warning);
            QVERIFY(s->isVisible());
            QCOMPARE(s->edPRO_PCusto->text(), QString("R$ 12,50"));
        });
        QCOMPARE(stored("77").rowCount(), 1);

        makeCurrent("78");
        inMode("Exclui", [](TfDados_Produtos* s) {
            QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);
            QVERIFY(!s->isVisible());
        });
        QCOMPARE(stored("78").rowCount(), 0);
        QCOMPARE(listedCodes(), QStringList{"77"});
    }

    void failedInsertRollsBackBeforeWarning() {
        run("CREATE EXCEPTION E_PRO 'no'");
        run("CREATE TRIGGER T_PRO FOR PRODUTOS BEFORE INSERT AS BEGIN EXCEPTION E_PRO; END");
        bool inTransactionAtMessage = true;
        program->recorder.onMessage = [&](const RecordedMessage&) {
            inTransactionAtMessage = dmConexao->SQLC_QOR->database().inTransaction();
        };
        inMode("Inclui", [this](TfDados_Produtos* s) {
            enter(s->edPRO_Codigo, "1");
            enter(s->edPRO_Descricao, "Prego");
            enter(s->edPRO_CodGru, "5");
            QTest::mouseClick(s->btnPRO_Salva, Qt::LeftButton);
            QCOMPARE(messages(), QStringList{"Deu Erro, tente novamente !"});
            QCOMPARE(lastKind(), Messages::Kind::Warning);
            QVERIFY(s->isVisible());
            QCOMPARE(s->edPRO_Descricao->text(), QString("Prego"));
        });
        QVERIFY(!inTransactionAtMessage);
        QCOMPARE(productCount(), 0);
    }

    void browseButtonsOpenTheEditScreenInTheirMode_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("title");
        QTest::newRow("Novo") << "btnManut_PRO_Novo"
                              << "Inclui"
                              << "Inclusão de Produtos";
        QTest::newRow("Altera") << "btnManut_PRO_Altera"
                                << "Altera"
                                << "Alteração de Produtos";
        QTest::newRow("Exclui") << "btnManut_PRO_Exclui"
                                << "Exclui"
                                << "Exclusão de Produtos";
        QTest::newRow("Consulta") << "btnManut_PRO_Consulta"
                                  << "Consulta"
                                  << "Consulta de Produtos";
    }
    void browseButtonsOpenTheEditScreenInTheirMode() {
        QFETCH(QString, button);
        QFETCH(QString, mode);
        QFETCH(QString, title);
        QString seen;
        whenModal([&](QWidget* browse) {
            QCOMPARE(browse, static_cast<QWidget*>(fManut_Produtos));
            QVERIFY(QTest::qWaitForWindowActive(browse));
            whenModal([&](QWidget* edit) {
                QCOMPARE(edit, static_cast<QWidget*>(fDados_Produtos));
                seen = fDados_Produtos->lbDados_Pro_Titulo->text();
                QTest::mouseClick(fDados_Produtos->btnPRO_Fecha, Qt::LeftButton);
            });
            QTest::mouseClick(fManut_Produtos->findChild<QPushButton*>(button), Qt::LeftButton);
            QTest::mouseClick(fManut_Produtos->btnManut_PRO_Fecha, Qt::LeftButton);
        });
        for (QAction* top : fPrincipal->menuBar()->actions())
            if (top->text() == "Cadastros")
                for (QAction* command : top->menu()->actions())
                    if (command->text() == "Produtos")
                        command->trigger();
        QCOMPARE(fManut_Produtos->Modo, mode);
        QCOMPARE(seen, title);
        QVERIFY(!fManut_Produtos->isVisible());
    }

    void gridsShowTheColumnsInTheirOrderAndFormats() {
        addProduct("45", "Alicate", "000005", "REF-1", "789", "");
        run("Update Produtos Set PRO_Quant=1234.5, PRO_Min=3, PRO_Margem=12.5, "
            "PRO_PCusto=1234.5, PRO_PVenda=1388.81, PRO_DCad='2006-11-24', PRO_EMax=20");
        showBrowse();
        for (QTableView* grid : {fManut_Produtos->dbg_Manut_PRO, fBusca_Produtos->dbg_Con_PRO}) {
            const QHeaderView* header = grid->horizontalHeader();
            QStringList titles, cells;
            for (int visual = 0; visual < header->count(); ++visual) {
                const int logical = header->logicalIndex(visual);
                if (header->isSectionHidden(logical))
                    continue;
                titles << grid->model()->headerData(logical, Qt::Horizontal).toString();
                cells << grid->model()->index(0, logical).data().toString();
            }
            QCOMPARE(titles,
                     (QStringList{"Código", "Descrição", "Unidade", "Cód.Grupo", "Descrição Grupo",
                                  "Localização", "Quantidade", "Est.Mínimo", "Margem de Lucro",
                                  "Preço de Custo", "Preço de Venda", "U.Compra", "D.Cadastro",
                                  "Observações", "Referência", "Código de Barras", "E.Máximo"}));
            QCOMPARE(cells, (QStringList{"        45", "Alicate", "", "000005", "Ferragens", "",
                                         "1234,500", "3", "12,50%", "R$ 1.234,50", "R$ 1.388,81",
                                         "", "24/11/2006", "", "REF-1", "789", "20"}));
            QCOMPARE(grid->model()->index(0, 0).data(Qt::TextAlignmentRole).toInt() &
                         Qt::AlignRight,
                     int(Qt::AlignRight));
        }
    }

    // The browse grid exports what it shows, from its context menu or with
    // Ctrl+E: the window's title, the visible columns in their order under
    // their headings, the stored numbers and dates as such.
    void browseGridExportsWhatItShows() {
        addProduct("45", "Alicate", "000005", "REF-1", "789", "");
        run("Update Produtos Set PRO_Quant=1234.5, PRO_Min=3, PRO_Margem=12.5, "
            "PRO_PCusto=1234.5, PRO_PVenda=1388.81, PRO_DCad='2006-11-24', PRO_EMax=20");
        const QString path = program->dbs.localPath() + "/produtos.xlsx";
        QList<Arquivos::Pedido> asked;
        Arquivos::setHandler([&](const Arquivos::Pedido& pedido) {
            asked << pedido;
            return path;
        });
        showBrowse();
        QTableView* grid = fManut_Produtos->dbg_Manut_PRO;
        QCOMPARE(grid->contextMenuPolicy(), Qt::ActionsContextMenu);
        QCOMPARE(grid->actions().size(), 1);
        QCOMPARE(grid->actions()[0]->text(), QString("Exportar Planilha"));
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_E, Qt::ControlModifier);
        Arquivos::setHandler({});
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].nome, QString("Manutenção de Produtos.xlsx"));
        QVERIFY2(messages().isEmpty(), qPrintable(messages().join('\n')));

        const QList<QList<SheetCell>> rows = readWorkbook(path);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[0].size(), 1);
        QCOMPARE(rows[0][0].text, QString("Manutenção de Produtos"));
        QVERIFY(rows[1].isEmpty());
        QStringList headings;
        for (const SheetCell& cell : rows[2])
            headings << cell.text;
        QCOMPARE(headings,
                 (QStringList{"Código", "Descrição", "Unidade", "Cód.Grupo", "Descrição Grupo",
                              "Localização", "Quantidade", "Est.Mínimo", "Margem de Lucro",
                              "Preço de Custo", "Preço de Venda", "U.Compra", "D.Cadastro",
                              "Observações", "Referência", "Código de Barras", "E.Máximo"}));
        QStringList cells;
        for (const SheetCell& cell : rows[3])
            cells << (cell.number ? QString::number(cell.value, 'g', 15) + " " + cell.format
                                  : cell.text);
        QCOMPARE(cells, (QStringList{"45", "Alicate", "", "000005", "Ferragens", "",
                                     "1234.5 #,##0.000", "3 General", "12.5 0.00\"%\"",
                                     "1234.5 \"R$ \"#,##0.00;-\"R$ \"#,##0.00",
                                     "1388.81 \"R$ \"#,##0.00;-\"R$ \"#,##0.00", "",
                                     "39045 dd/mm/yyyy", "", "REF-1", "789", "20 General"}));
    }

    // Headings and usual contents show whole: "Descrição Grupo", not
    // "Descrição Grup"; "Açúcar cristal refinado…" whole.
    void gridColumnsShowTheirHeadingsAndContentsWhole() {
        addGroup("000007", "Mercearia em geral");
        addProduct("46", "Açúcar cristal refinado União 5 kg", "000007", "REF-ACUCAR-5KG");
        showBrowse();
        for (QTableView* grid : {fManut_Produtos->dbg_Manut_PRO, fBusca_Produtos->dbg_Con_PRO}) {
            const QHeaderView* header = grid->horizontalHeader();
            for (int logical = 0; logical < header->count(); ++logical) {
                if (header->isSectionHidden(logical) ||
                    header->visualIndex(logical) == header->count() - 1)
                    continue;
                const QString title = grid->model()->headerData(logical, Qt::Horizontal).toString();
                const QString cell = grid->model()->index(0, logical).data().toString();
                const int needed = std::max(header->fontMetrics().horizontalAdvance(title),
                                            grid->fontMetrics().horizontalAdvance(cell));
                QVERIFY2(header->sectionSize(logical) >= needed, qPrintable(title + ": " + cell));
            }
        }
    }

    void orderingIsSharedAndEachShowingResetsIt_data() {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("browse by code") << "rbManut_Pro_Codigo" << QStringList{"1", "2", "3"};
        QTest::newRow("browse by reference") << "rbManut_PRO_Refer" << QStringList{"2", "3", "1"};
        QTest::newRow("browse by group") << "rbManut_PRO_Grupo" << QStringList{"3", "1", "2"};
        QTest::newRow("lookup by code") << "rbCon_Pro_Codigo" << QStringList{"1", "2", "3"};
        QTest::newRow("lookup by reference") << "rbCon_PRO_Refer" << QStringList{"2", "3", "1"};
        QTest::newRow("lookup by group") << "rbManut_Con_Grupo" << QStringList{"3", "1", "2"};
    }
    void orderingIsSharedAndEachShowingResetsIt() {
        QFETCH(QString, radio);
        QFETCH(QStringList, codes);
        addGroup("000001", "Alvenaria");
        addGroup("000002", "Hidráulica");
        addProduct("1", "Cimento", "000005", "R3");
        addProduct("2", "Areia", "000002", "R1");
        addProduct("3", "Prego", "000001", "R2");
        const bool lookup = radio.contains("Con");
        QDialog* screen = lookup ? static_cast<QDialog*>(fBusca_Produtos) : fManut_Produtos;
        lookup ? showLookup() : showBrowse();
        QCOMPARE(listedCodes(), (QStringList{"2", "1", "3"}));

        auto* button = screen->findChild<QRadioButton*>(radio);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
        QVERIFY(button->isChecked());
        QCOMPARE(listedCodes(), codes);
        const QString label = lookup ? "Descriçao:" : "Descrição:";
        QCOMPARE(static_cast<TelaListaProdutos*>(screen)->lbTitulo_Busca->text(), label);
        // The other screen's grid shows the same list.
        QTableView* other = lookup ? fManut_Produtos->dbg_Manut_PRO : fBusca_Produtos->dbg_Con_PRO;
        QCOMPARE(other->model()->index(0, 0).data().toString().trimmed(), codes[0]);

        screen->close();
        lookup ? showLookup() : showBrowse();
        QCOMPARE(listedCodes(), (QStringList{"2", "1", "3"}));
        QVERIFY(!button->isChecked());
    }

    void searchMovesToTheFirstRowBeginningWithTheText_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("found"); // code of the current row afterwards
        QTest::addColumn<QString>("box");   // the search box afterwards
        QTest::addColumn<QString>("label");
        QTest::newRow("code padded") << "rbPRO_Busca_Codigo"
                                     << "45"
                                     << "45"
                                     << "        45"
                                     << "Código:";
        QTest::newRow("code of ten as typed") << "rbPRO_Busca_Codigo"
                                              << "       450"
                                              << "450"
                                              << "       450"
                                              << "Código:";
        QTest::newRow("description") << "rbPRO_Busca_Descricao"
                                     << "Pre"
                                     << "450"
                                     << "Pre"
                                     << "Descrição:";
        QTest::newRow("reference") << "rbPRO_Busca_Refer"
                                   << "AB"
                                   << "45"
                                   << "AB"
                                   << "Referência:";
        QTest::newRow("reference keeps case") << "rbPRO_Busca_Refer"
                                              << "ab"
                                              << "7"
                                              << "ab"
                                              << "Referência:";
        QTest::newRow("reference from its start") << "rbPRO_Busca_Refer"
                                                  << "12"
                                                  << "7"
                                                  << "12"
                                                  << "Referência:";
        QTest::newRow("bar code") << "rbPRO_Busca_CodBar"
                                  << "7891"
                                  << "450"
                                  << "7891"
                                  << "Código de Barras:";
        QTest::newRow("notes") << "rbPRO_Busca_OBS"
                               << "frá"
                               << "45"
                               << "frá"
                               << "Observações:";
        QTest::newRow("nothing found") << "rbPRO_Busca_Descricao"
                                       << "Zzz"
                                       << "7"
                                       << "Zzz"
                                       << "Descrição:";
    }
    void searchMovesToTheFirstRowBeginningWithTheText() {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, found);
        QFETCH(QString, box);
        QFETCH(QString, label);
        addProduct("7", "Arame", "000005", "XAB12", "123", "");
        addProduct("45", "Parafuso", "000005", "AB12", "555", "frágil");
        addProduct("450", "Prego", "000005", "AB", "78910", "");
        for (bool lookup : {false, true}) {
            TelaListaProdutos* screen = fManut_Produtos;
            QLineEdit* search = fManut_Produtos->edBusca_ManutPRO;
            QPushButton* button = fManut_Produtos->btnBusca_ManutPro;
            if (lookup) {
                showLookup();
                screen = fBusca_Produtos;
                search = fBusca_Produtos->edBusca_ConPRO;
                button = fBusca_Produtos->btnBusca_ConPro;
            } else {
                showBrowse();
            }
            dmProdutos->cds_Produtos->setRecNo(0);
            QCOMPARE(dmProdutos->cds_Produtos->FieldText("PRO_CODIGO").trimmed(), QString("7"));
            auto* radio = screen->findChild<QRadioButton*>(key);
            QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(4, radio->height() / 2));
            QCOMPARE(screen->lbTitulo_Busca->text(), label);
            search->setFocus();
            search->clear();
            typeText(search, text);
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(search->text(), box);
            QCOMPARE(dmProdutos->cds_Produtos->FieldText("PRO_CODIGO").trimmed(), found);
            QVERIFY(messages().isEmpty());
            screen->close();
        }
    }

    // Descriptions are listed where a Brazilian reader looks for them, and
    // the quick search finds its exact beginning in that order.
    void browseAndLookupListDescriptionsAsADictionary() {
        const QStringList names = {"Zebra", "Água", "abacaxi", "Óleo",
                                   "AGUA",  "Agua", "Açúcar",  "Ovo"};
        for (int i = 0; i < names.size(); ++i)
            addProduct(QString::number(i + 1), names[i], "000005");
        const QStringList dictionary = {"abacaxi", "Açúcar", "Agua", "AGUA",
                                        "Água",    "Óleo",   "Ovo",  "Zebra"};
        for (bool lookup : {false, true}) {
            lookup ? showLookup() : showBrowse();
            QStringList listed;
            for (int row = 0; row < dmProdutos->cds_Produtos->RecordCount(); ++row)
                listed
                    << dmProdutos->cds_Produtos->value(row, "PRO_DESCRICAO").toString().trimmed();
            QCOMPARE(listed, dictionary);
            QLineEdit* search =
                lookup ? fBusca_Produtos->edBusca_ConPRO : fManut_Produtos->edBusca_ManutPRO;
            search->setFocus();
            search->clear();
            typeText(search, "Ág");
            QTest::mouseClick(lookup ? fBusca_Produtos->btnBusca_ConPro
                                     : fManut_Produtos->btnBusca_ManutPro,
                              Qt::LeftButton);
            QCOMPARE(dmProdutos->cds_Produtos->FieldText("PRO_DESCRICAO").trimmed(),
                     QString("Água"));
            lookup ? fBusca_Produtos->close() : fManut_Produtos->close();
        }
    }

    void productOfADeletedGroupIsInNeitherList() {
        addGroup("000006", "Tintas");
        addProduct("1", "Prego", "000005");
        addProduct("2", "Verniz", "000006");
        run("Delete From Grupos Where GRU_Codigo='000006'");
        showBrowse();
        QCOMPARE(listedCodes(), QStringList{"1"});
        fManut_Produtos->close();
        showLookup();
        QCOMPARE(listedCodes(), QStringList{"1"});
        QCOMPARE(stored("2").rowCount(), 1);
    }

    void selectingForAnUnknownCallerOnlyCloses() {
        addProduct("1", "Prego", "000005");
        fBusca_Produtos->Chamador = "Ninguém";
        whenModal([](QWidget*) {
            QTest::mouseClick(fBusca_Produtos->btnCon_PRO_Seleciona, Qt::LeftButton);
        });
        fBusca_Produtos->exec();
        QVERIFY(!fBusca_Produtos->isVisible());
        QVERIFY(messages().isEmpty());
    }
};

KELVARA_TEST_MAIN(TestProdutos)
#include "tst_produtos.moc"
