#include "data/DataModule_Conexao.h"
#include "data/DataModule_Tipos.h"
#include "masterdata/Busca_Tipos.h"
#include "masterdata/Dados_Tipos.h"
#include "masterdata/Manut_Tipos.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

class TestTipos : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }
    void addType(const QString& code, const QString& description) {
        run(QString("Insert Into Tipos Values ('%1', '%2')").arg(code, description));
    }
    QStringList stored() {
        return storedRows("Select * From Tipos order by TIP_Codigo",
                          {"TIP_CODIGO", "TIP_DESCRICAO"});
    }
    QStringList messages() const { return program->recorder.texts(); }

    void onEditScreen(QPushButton* button, std::function<void(TfDados_Tipos*)> action) {
        ::onEditScreen<TfDados_Tipos>(fManut_Tipos, button, std::move(action));
    }

private slots:
    void init() { program = std::make_unique<RunningProgram>(); }
    void cleanup() { program.reset(); }

    void insertingKeepsTheScreenOpenForTheNext() {
        onEditScreen(fManut_Tipos->btnTip_Inclui, [this](TfDados_Tipos* s) {
            QCOMPARE(s->windowTitle(), QString("Inclusão de Tipos de Saídas"));
            QCOMPARE(s->lbTIP_Titulo->text(), QString("Inclusão de Tipos de Saídas"));
            QCOMPARE(s->edTIP_Codigo->text(), QString("000001"));
            QCOMPARE(s->CodigoAtual, QString("000001"));
            QCOMPARE(s->focusWidget(), s->edTIP_Descricao);
            typeText(s->edTIP_Descricao, "Venda");
            QTest::mouseClick(s->btnTIP_Salva, Qt::LeftButton);
            QCOMPARE(s->edTIP_Codigo->text(), QString("000002"));
            QCOMPARE(s->edTIP_Descricao->text(), QString());

            typeText(s->edTIP_Descricao, "Perda");
            QTest::mouseClick(s->btnTIP_Limpa, Qt::LeftButton); // the description only
            QCOMPARE(s->edTIP_Descricao->text(), QString());
            QCOMPARE(s->edTIP_Codigo->text(), QString("000002"));
            QCOMPARE(s->focusWidget(), s->edTIP_Descricao);
        });
        QCOMPARE(stored(), QStringList{"000001|Venda"});
        QVERIFY(messages().isEmpty());
    }

    void blankDescriptionAndDuplicates() {
        addType("000001", "Venda");
        onEditScreen(fManut_Tipos->btnTip_Inclui, [this](TfDados_Tipos* s) {
            program->recorder.answers = {false, true};
            typeText(s->edTIP_Descricao, "Venda");
            QTest::keyClick(s->edTIP_Descricao, Qt::Key_Tab);
            QCOMPARE(messages(), QStringList{"Tipo de Saída já Cadastrado, Deseja Cadastrar outro "
                                             "com a mesma Descrição ?"});
            QCOMPARE(s->edTIP_Descricao->text(), QString());
            QCOMPARE(s->focusWidget(), s->edTIP_Descricao);
            typeText(s->edTIP_Descricao, "  ");
            QTest::mouseClick(s->btnTIP_Salva, Qt::LeftButton);
            QCOMPARE(messages().last(), QString("O Campo Descrição Precisa ser Preenchido"));
            QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::Warning);
            s->edTIP_Descricao->clear();
            typeText(s->edTIP_Descricao, "Venda");
            QTest::mouseClick(s->btnTIP_Salva, Qt::LeftButton); // Yes to the question
        });
        QCOMPARE(stored(), (QStringList{"000001|Venda", "000002|Venda"}));
        onEditScreen(fManut_Tipos->btnTIP_Altera, [this](TfDados_Tipos* s) {
            s->edTIP_Descricao->clear();
            QTest::mouseClick(s->btnTIP_Salva, Qt::LeftButton);
            QCOMPARE(messages().last(), QString("O Campo Descrição Precisa ser Preenchido"));
            QVERIFY(s->isVisible());
        });
    }

    void aCodeTakenMeanwhileFailsTheInsertion() {
        onEditScreen(fManut_Tipos->btnTip_Inclui, [this](TfDados_Tipos* s) {
            addType("000001", "De outra estação");
            typeText(s->edTIP_Descricao, "Minha");
            QTest::mouseClick(s->btnTIP_Salva, Qt::LeftButton);
            QCOMPARE(messages(), QStringList{"Não Consegui Incluir, tente Novamente"});
            QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Warning);
            QCOMPARE(s->edTIP_Descricao->text(), QString("Minha"));
        });
        QCOMPARE(stored(), QStringList{"000001|De outra estação"});
    }

    void changingAndDeletingTheCurrentType() {
        addType("000001", "Venda");
        addType("000002", "Avaria");
        // The browse screen opens ordered by description: Avaria first.
        onEditScreen(fManut_Tipos->btnTIP_Altera, [](TfDados_Tipos* s) {
            QCOMPARE(s->lbTIP_Titulo->text(), QString("Alteração de Tipos de Saídas"));
            QCOMPARE(s->btnTIP_Salva->text(), QString("Altera"));
            QVERIFY(!s->btnTIP_Limpa->isVisible());
            QCOMPARE(s->CodigoAtual, QString("000002"));
            s->edTIP_Descricao->clear();
            typeText(s->edTIP_Descricao, "Quebra");
            QTest::mouseClick(s->btnTIP_Salva, Qt::LeftButton);
            QVERIFY(!s->isVisible());
        });
        onEditScreen(fManut_Tipos->btnTIP_Exclui, [](TfDados_Tipos* s) {
            QCOMPARE(s->lbTIP_Titulo->text(), QString("Exclusão de Tipos de Saídas"));
            QCOMPARE(s->edTIP_Descricao->text(), QString("Quebra"));
            QTest::mouseClick(s->btnTIP_Salva, Qt::LeftButton);
            QVERIFY(!s->isVisible());
        });
        QCOMPARE(stored(), QStringList{"000001|Venda"});
    }

    void failedChangeAndDeletionWarnWithTheirOwnWording() {
        addType("000001", "Venda");
        run("CREATE EXCEPTION E_TIP 'no'");
        run("CREATE TRIGGER T_TIP FOR TIPOS BEFORE UPDATE OR DELETE AS BEGIN EXCEPTION E_TIP; END");
        onEditScreen(fManut_Tipos->btnTIP_Altera, [](TfDados_Tipos* s) {
            QTest::mouseClick(s->btnTIP_Salva, Qt::LeftButton);
            QVERIFY(s->isVisible());
        });
        onEditScreen(fManut_Tipos->btnTIP_Exclui, [](TfDados_Tipos* s) {
            QTest::mouseClick(s->btnTIP_Salva, Qt::LeftButton);
            QVERIFY(s->isVisible());
        });
        QCOMPARE(messages(), (QStringList{"Não Consegui Alterar, Tente Novamente",
                                          "Não consegui Excluir, tente novamente"}));
        QCOMPARE(stored(), QStringList{"000001|Venda"});
    }

    void tabbingIntoTheOrderBoxKeepsTheDescriptionOrder() {
        addType("000001", "Venda");
        addType("000002", "Avaria");
        TfManut_Tipos* b = fManut_Tipos;
        b->show();
        QApplication::setActiveWindow(b);
        QVERIFY(QTest::qWaitForWindowActive(b));
        b->btnTIP_Fecha->setFocus();
        QTest::keyClick(b->btnTIP_Fecha, Qt::Key_Tab);
        QVERIFY(b->rbTIP_Descricao->hasFocus());
        QCOMPARE(dmTipos->cds_Tipos->value(0, "TIP_DESCRICAO").toString(), QString("Avaria"));
        QTest::keyClick(b->rbTIP_Descricao, Qt::Key_Tab);
        QVERIFY(b->edManut_TIP_Busca->hasFocus());
        b->close();
    }

    void lookupAlwaysOpensByDescriptionWithAnEmptySearch() {
        addType("000001", "Venda");
        addType("000002", "Avaria");
        OrdenaTipos("Order by TIP_Codigo");
        fBusca_Tipos->edBusca_Tipos_Busca->setText("x");
        fBusca_Tipos->rbBusca_Tipos_Codigo->setChecked(true);
        whenModal([](QWidget* w) {
            auto* lookup = qobject_cast<TfBusca_Tipos*>(w);
            QCOMPARE(lookup->windowTitle(), QString("Busca de Tipos de Saídas"));
            QCOMPARE(lookup->edBusca_Tipos_Busca->text(), QString());
            QVERIFY(lookup->rbBusca_Tipos_Descricao->isChecked());
            QCOMPARE(lookup->lbBusca_Tipos_Busca->text(), QString("Descrição:"));
            QCOMPARE(dmTipos->cds_Tipos->value(0, "TIP_DESCRICAO").toString(), QString("Avaria"));

            QTest::mouseClick(lookup->rbBusca_Tipos_Codigo, Qt::LeftButton);
            QCOMPARE(lookup->lbBusca_Tipos_Busca->text(), QString("Código:"));
            QCOMPARE(dmTipos->cds_Tipos->value(0, "TIP_DESCRICAO").toString(), QString("Venda"));
            lookup->edBusca_Tipos_Busca->setText("2");
            QTest::mouseClick(lookup->btnBusca_Tipos, Qt::LeftButton);
            QCOMPARE(lookup->edBusca_Tipos_Busca->text(), QString("000002"));
            QCOMPARE(dmTipos->cds_Tipos->FieldText("TIP_CODIGO"), QString("000002"));
            QTest::mouseClick(lookup->btnBusca_Seleciona, Qt::LeftButton);
        });
        fBusca_Tipos->Chamador = "Ninguém";
        fBusca_Tipos->exec();
        QVERIFY(!fBusca_Tipos->isVisible());
    }
};

KELVARA_TEST_MAIN(TestTipos)
#include "tst_tipos.moc"
