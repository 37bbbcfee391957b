#include "data/DataModule_Conexao.h"
#include "data/DataModule_Grupos.h"
#include "masterdata/Busca_Grupos.h"
#include "masterdata/Dados_Grupos.h"
#include "masterdata/Manut_Grupos.h"
#include "shell/Cadastro.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <memory>

class TestGrupos : public QObject {
    Q_OBJECT

    std::unique_ptr<RunningProgram> program;

    void run(const QString& sql) { program->dbs.exec("qor.gdb", sql); }
    void addGroup(const QString& code, const QString& description) {
        run(QString("Insert Into Grupos Values ('%1', '%2')").arg(code, description));
    }
    QStringList stored() {
        return storedRows("Select * From Grupos order by GRU_Codigo",
                          {"GRU_CODIGO", "GRU_DESCRICAO"});
    }
    QStringList messages() const { return program->recorder.texts(); }

    void onEditScreen(QPushButton* button, std::function<void(TfDados_Grupos*)> action) {
        ::onEditScreen<TfDados_Grupos>(fManut_Grupos, button, std::move(action));
    }

private slots:
    void init() { program = std::make_unique<RunningProgram>(); }
    void cleanup() { program.reset(); }

    void insertingHandsOutTheNextCodeAndStaysOpen() {
        onEditScreen(fManut_Grupos->btn_Manut_GRU_Novo, [this](TfDados_Grupos* s) {
            QCOMPARE(s->windowTitle(), QString("Inclusão de Grupos"));
            QCOMPARE(s->lb_Titulo_DadosGRU->text(), QString("Inclusão de Grupos"));
            QCOMPARE(s->btnGRU_Salva->text(), QString("Salva"));
            QVERIFY(s->btnGRU_Limpa->isVisible());
            QCOMPARE(s->edGRU_Codigo->text(), QString("000001"));
            QCOMPARE(s->focusWidget(), s->edGRU_Descricao);

            typeText(s->edGRU_Descricao, "  Bebidas ");
            QTest::mouseClick(s->btnGRU_Salva, Qt::LeftButton);
            QVERIFY(s->isVisible());
            QCOMPARE(s->edGRU_Descricao->text(), QString());
            QCOMPARE(s->edGRU_Codigo->text(), QString("000002"));
            QCOMPARE(s->focusWidget(), s->edGRU_Descricao);
        });
        QCOMPARE(stored(), QStringList{"000001|  Bebidas "});
        QCOMPARE(dmGrupos->cds_Grupos->RecordCount(), 1);
        QVERIFY(messages().isEmpty());
    }

    void nextCodeFollowsTheHighestStored_data() {
        QTest::addColumn<QString>("highest");
        QTest::addColumn<QString>("next");
        QTest::newRow("000009") << "000009"
                                << "000010";
        QTest::newRow("000099") << "000099"
                                << "000100";
        QTest::newRow("099999") << "099999"
                                << "100000";
    }
    void nextCodeFollowsTheHighestStored() {
        QFETCH(QString, highest);
        QFETCH(QString, next);
        addGroup("000001", "A");
        addGroup(highest, "B");
        onEditScreen(fManut_Grupos->btn_Manut_GRU_Novo,
                     [&](TfDados_Grupos* s) { QCOMPARE(s->edGRU_Codigo->text(), next); });
    }

    void noCodeIsLeftAfter999999() {
        addGroup("999999", "Último");
        onEditScreen(fManut_Grupos->btn_Manut_GRU_Novo, [this](TfDados_Grupos* s) {
            QCOMPARE(s->edGRU_Codigo->text(), QString());
            typeText(s->edGRU_Descricao, "Outro");
            QTest::mouseClick(s->btnGRU_Salva, Qt::LeftButton);
            QCOMPARE(messages(), QStringList{MensagemCodigosEsgotados});
            QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Warning);
        });
        QCOMPARE(stored(), QStringList{"999999|Último"});
    }

    void blankDescriptionIsRefusedInEachModeWithItsMessage() {
        addGroup("000001", "A");
        onEditScreen(fManut_Grupos->btn_Manut_GRU_Novo, [this](TfDados_Grupos* s) {
            typeText(s->edGRU_Descricao, "   ");
            QTest::mouseClick(s->btnGRU_Salva, Qt::LeftButton);
            QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::Information);
            QCOMPARE(messages().last(), QString("O Campo da Descrição Precisa ser Preenchido"));
            QCOMPARE(s->focusWidget(), s->edGRU_Descricao);
        });
        onEditScreen(fManut_Grupos->btnManut_GRU_Altera, [this](TfDados_Grupos* s) {
            retype(s->edGRU_Descricao, " ");
            QTest::mouseClick(s->btnGRU_Salva, Qt::LeftButton);
            QCOMPARE(program->recorder.messages.last().kind, Messages::Kind::Warning);
            QCOMPARE(messages().last(),
                     QString("O Campo da Descrição do Grupo deve ser Preenchido"));
            QVERIFY(s->isVisible());
        });
        QCOMPARE(stored(), QStringList{"000001|A"});
    }

    void duplicateDescriptionAsks() {
        addGroup("000001", "Bebidas");
        const QString question =
            "Grupo já Cadastrado, deseja Cadastrar outro Grupo com a mesma Descrição ?";
        onEditScreen(fManut_Grupos->btn_Manut_GRU_Novo, [&](TfDados_Grupos* s) {
            program->recorder.answers = {false, true};
            typeText(s->edGRU_Descricao, "Bebidas");
            QTest::keyClick(s->edGRU_Descricao, Qt::Key_Tab);
            QCOMPARE(messages(), QStringList{question});
            QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Confirmation);
            QCOMPARE(s->edGRU_Descricao->text(), QString());
            QCOMPARE(s->focusWidget(), s->edGRU_Descricao);

            typeText(s->edGRU_Descricao, "Bebidas");
            QTest::mouseClick(s->btnGRU_Salva, Qt::LeftButton); // leaving asks again: Yes
            QCOMPARE(messages(), (QStringList{question, question}));
        });
        QCOMPARE(stored(), (QStringList{"000001|Bebidas", "000002|Bebidas"}));
    }

    // Pasted text reaches the database as the operator sees it, or not at
    // all: a decomposed accent is stored composed, and a character the
    // database cannot hold stops the save with its name, never as "?". The
    // duplicate question compares the composed text too.
    void pastedTextIsStoredAsSeenOrRefused_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("stored");  // empty: refused
        QTest::addColumn<QString>("refused"); // the character the message names
        QTest::newRow("decomposed accent") << QString("Cafe\u0301 Pila\u0303o") << "Café Pilão"
                                           << "";
        QTest::newRow("euro sign") << "Café €5"
                                   << ""
                                   << "€";
        QTest::newRow("typographic quotes") << "“Premium”"
                                            << ""
                                            << "“";
        QTest::newRow("dash") << "Açúcar – 1 kg"
                              << ""
                              << "–";
    }
    void pastedTextIsStoredAsSeenOrRefused() {
        QFETCH(QString, pasted);
        QFETCH(QString, stored);
        QFETCH(QString, refused);
        addGroup("000001", "Café Pilão");
        program->recorder.answers = {true};
        onEditScreen(fManut_Grupos->btn_Manut_GRU_Novo, [&](TfDados_Grupos* s) {
            s->edGRU_Descricao->insert(pasted);
            QTest::mouseClick(s->btnGRU_Salva, Qt::LeftButton);
        });
        if (refused.isEmpty()) {
            QCOMPARE(messages(), QStringList{"Grupo já Cadastrado, deseja Cadastrar outro Grupo "
                                             "com a mesma Descrição ?"});
            QCOMPARE(this->stored(), (QStringList{"000001|Café Pilão", "000002|" + stored}));
            return;
        }
        QVERIFY(!messages().isEmpty());
        for (const RecordedMessage& m : program->recorder.messages) {
            QCOMPARE(m.kind, Messages::Kind::StandardError);
            QVERIFY2(m.text.contains("\"" + refused + "\""), qPrintable(m.text));
        }
        QCOMPARE(this->stored(), QStringList{"000001|Café Pilão"});
    }

    void codeTakenMeanwhileIsReplacedByTheNextOne() {
        onEditScreen(fManut_Grupos->btn_Manut_GRU_Novo, [this](TfDados_Grupos* s) {
            QCOMPARE(s->edGRU_Codigo->text(), QString("000001"));
            addGroup("000001", "De outra estação");
            typeText(s->edGRU_Descricao, "Minha");
            QTest::mouseClick(s->btnGRU_Salva, Qt::LeftButton);
            QCOMPARE(messages(), QStringList{"Novo Código:000002"});
            QCOMPARE(program->recorder.messages[0].kind, Messages::Kind::Information);
            QCOMPARE(s->CodigoAtual, QString("000002"));
        });
        QCOMPARE(stored(), (QStringList{"000001|De outra estação", "000002|Minha"}));
    }

    void changingAndDeletingWorkOnTheCurrentRow() {
        addGroup("000001", "A");
        addGroup("000002", "B");
        fManut_Grupos->rbManut_Grupos_Codigo->setChecked(true);
        dmGrupos->cds_Grupos->Reload({"Select * From Grupos Order by GRU_Codigo"});
        dmGrupos->cds_Grupos->setRecNo(1);
        onEditScreen(fManut_Grupos->btnManut_GRU_Altera, [this](TfDados_Grupos* s) {
            QCOMPARE(s->lb_Titulo_DadosGRU->text(), QString("Alteração de Grupos"));
            QCOMPARE(s->btnGRU_Salva->text(), QString("Altera"));
            QVERIFY(!s->btnGRU_Limpa->isVisible());
            QCOMPARE(s->CodigoAtual, QString("000002"));
            QCOMPARE(s->edGRU_Codigo->text(), QString("000002"));
            QCOMPARE(s->focusWidget(), s->edGRU_Descricao);
            retype(s->edGRU_Descricao, "Bê");
            QTest::mouseClick(s->btnGRU_Salva, Qt::LeftButton);
            QVERIFY(!s->isVisible());
        });
        QCOMPARE(stored(), (QStringList{"000001|A", "000002|Bê"}));
        dmGrupos->cds_Grupos->setRecNo(0);
        onEditScreen(fManut_Grupos->btnManut_GRU_Exclui, [](TfDados_Grupos* s) {
            QCOMPARE(s->lb_Titulo_DadosGRU->text(), QString("Exclusão de Grupos"));
            QCOMPARE(s->btnGRU_Salva->text(), QString("Exclui"));
            QCOMPARE(s->edGRU_Descricao->text(), QString("A"));
            QTest::mouseClick(s->btnGRU_Salva, Qt::LeftButton);
            QVERIFY(!s->isVisible());
        });
        QCOMPARE(stored(), QStringList{"000002|Bê"});
        QCOMPARE(dmGrupos->cds_Grupos->RecordCount(), 1);
        QVERIFY(messages().isEmpty());
    }

    void failedWritesWarnRollBackAndStayOpen() {
        addGroup("000001", "A");
        run("CREATE EXCEPTION E_GRU 'no'");
        run("CREATE TRIGGER T_GRU FOR GRUPOS BEFORE INSERT OR UPDATE OR DELETE AS BEGIN "
            "EXCEPTION E_GRU; END");
        onEditScreen(fManut_Grupos->btn_Manut_GRU_Novo, [this](TfDados_Grupos* s) {
            typeText(s->edGRU_Descricao, "Nova");
            QTest::mouseClick(s->btnGRU_Salva, Qt::LeftButton);
            QCOMPARE(messages().last(), QString("Não Consegui Incluir, Tente Novamente !"));
            QCOMPARE(s->edGRU_Descricao->text(), QString("Nova"));
            QCOMPARE(s->edGRU_Codigo->text(), QString("000002"));
        });
        onEditScreen(fManut_Grupos->btnManut_GRU_Altera, [this](TfDados_Grupos* s) {
            retype(s->edGRU_Descricao, "Outra");
            QTest::mouseClick(s->btnGRU_Salva, Qt::LeftButton);
            QCOMPARE(messages().last(), QString("Não Consegui Alterar, Tente Novamente !"));
            QVERIFY(s->isVisible());
        });
        onEditScreen(fManut_Grupos->btnManut_GRU_Exclui, [this](TfDados_Grupos* s) {
            QTest::mouseClick(s->btnGRU_Salva, Qt::LeftButton);
            QCOMPARE(messages().last(), QString("Não Consegui Excluir, Tente Novamente !"));
            QVERIFY(s->isVisible());
        });
        for (const RecordedMessage& m : program->recorder.messages)
            QCOMPARE(m.kind, Messages::Kind::Warning);
        QVERIFY(!dmConexao->SQLC_QOR->database().inTransaction());
        QCOMPARE(stored(), QStringList{"000001|A"});
    }

    void browseOrdersOnFocusAndSearchesByPrefix() {
        addGroup("000012", "bebidas");
        addGroup("000003", "Bebidas");
        addGroup("000020", "Alimentos");
        TfManut_Grupos* b = fManut_Grupos;
        ListCopy* list = dmGrupos->cds_Grupos;
        b->show();
        QApplication::setActiveWindow(b);
        QVERIFY(QTest::qWaitForWindowActive(b));
        QCOMPARE(list->FieldText("GRU_CODIGO"), QString("000003")); // by code since creation

        b->rbManut_GRupos_Descricao->setFocus();
        QVERIFY(b->rbManut_GRupos_Descricao->isChecked());
        QCOMPARE(b->lbManut_Grupos_Busca->text(), QString("Descrição:"));
        QCOMPARE(list->value(0, "GRU_DESCRICAO").toString(), QString("Alimentos"));

        b->edManut_Grupos_Busca->setText("beb");
        QTest::mouseClick(b->Button1, Qt::LeftButton);
        QCOMPARE(list->FieldText("GRU_CODIGO"), QString("000012")); // letter case counts
        b->edManut_Grupos_Busca->setText("Zz");
        QTest::mouseClick(b->Button1, Qt::LeftButton);
        QCOMPARE(list->FieldText("GRU_CODIGO"), QString("000012")); // nothing found: stays

        b->rbManut_Grupos_Codigo->setFocus();
        QCOMPARE(b->lbManut_Grupos_Busca->text(), QString("Código:"));
        b->edManut_Grupos_Busca->setText("12");
        QTest::mouseClick(b->Button1, Qt::LeftButton);
        QCOMPARE(b->edManut_Grupos_Busca->text(), QString("000012"));
        QCOMPARE(list->FieldText("GRU_CODIGO"), QString("000012"));
        QCOMPARE(b->dbg_ManutGrupos->currentIndex().row(), list->RecNo());
        b->close();
        QVERIFY(messages().isEmpty());
    }

    void lookupSharesTheListAndHandsTheCodeToItsCaller() {
        addGroup("000001", "B");
        addGroup("000002", "A");
        {
            QLineEdit receiver;
            RecebeNoCampo("Teste", &receiver);
            EntregaCodigo("Teste", "000002");
            QCOMPARE(receiver.text(), QString("000002"));
            EntregaCodigo("Outro", "000001");
            QCOMPARE(receiver.text(), QString("000002"));
        }
        EntregaCodigo("Teste", "000001"); // its field is gone: nothing happens

        // On its first showing the lookup orders by description.
        whenModal([](QWidget* w) {
            auto* lookup = qobject_cast<TfBusca_Grupos*>(w);
            QCOMPARE(lookup->windowTitle(), QString("Consulta de Grupos de Produtos"));
            QCOMPARE(dmGrupos->cds_Grupos->FieldText("GRU_DESCRICAO"), QString("A"));
            QCOMPARE(lookup->lbBusca_Grupos_Busca->text(), QString("Descrição:"));
            QTest::mouseClick(lookup->btnBusca_Seleciona, Qt::LeftButton);
        });
        fBusca_Grupos->Chamador = "Ninguém";
        fBusca_Grupos->exec();
        QVERIFY(!fBusca_Grupos->isVisible());
        QVERIFY(messages().isEmpty());
    }
};

KELVARA_TEST_MAIN(TestGrupos)
#include "tst_grupos.moc"
