#include "data/DbError.h"
#include "shell/Conventions.h"
#include "shell/Messages.h"
#include "shell/Tela.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QDateEdit>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <memory>

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void textFieldsContextMenuSpeaksPortuguese() {
        QLineEdit field("Café");
        std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QStringList captions;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                captions << action->text().section('\t', 0, 0).remove('&');
        for (const char* expected : {"Desfazer", "Copiar", "Colar"})
            QVERIFY2(captions.contains(expected), qPrintable(captions.join(" | ")));
    }

    void uncaughtErrorsReachTheStandardErrorDialog() {
        MessageRecorder recorder;
        QPushButton button;
        connect(&button, &QPushButton::clicked,
                [] { throw DbError("Dynamic SQL Error\nTable unknown\nVERSAO"); });
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(recorder.messages.size(), 1);
        QCOMPARE(recorder.messages[0].kind, Messages::Kind::StandardError);
        QCOMPARE(recorder.messages[0].text, QString("Dynamic SQL Error\nTable unknown\nVERSAO"));
    }

    void escapeClosesOnlyScreensWithACloseBox() {
        QDialog plain;
        QDialog bare(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        for (QDialog* d : {&plain, &bare}) {
            auto* field = new QLineEdit(d);
            d->show();
            QApplication::setActiveWindow(d);
            QVERIFY(QTest::qWaitForWindowActive(d));
            field->setFocus();
            QTest::keyClick(field, Qt::Key_Escape);
        }
        QVERIFY(!plain.isVisible());
        QVERIFY(bare.isVisible());
    }

    void orderBoxesAndDatePickersAreOneTabStop() {
        QDialog screen;
        auto* first = new QLineEdit(&screen);
        auto* box = new QGroupBox(&screen);
        auto* byCode = new QRadioButton("Código", box);
        auto* byName = new QRadioButton("Descrição", box);
        auto* date = new QDateEdit(&screen);
        auto* last = new QLineEdit(&screen);
        auto* layout = new QVBoxLayout(&screen);
        for (QWidget* w : std::initializer_list<QWidget*>{first, box, date, last})
            layout->addWidget(w);
        new QVBoxLayout(box);
        box->layout()->addWidget(byCode);
        box->layout()->addWidget(byName);
        byName->setChecked(true);
        screen.show();
        QApplication::setActiveWindow(&screen);
        QVERIFY(QTest::qWaitForWindowActive(&screen));

        first->setFocus();
        QTest::keyClick(first, Qt::Key_Tab);
        QVERIFY(byName->hasFocus()); // the checked button, not the first
        QVERIFY(byName->isChecked());
        QTest::keyClick(byName, Qt::Key_Tab);
        QVERIFY(date->hasFocus());
        QTest::keyClick(date, Qt::Key_Tab);
        QVERIFY(last->hasFocus());
        QTest::keyClick(last, Qt::Key_Backtab);
        QVERIFY(date->hasFocus());
        QTest::keyClick(date, Qt::Key_Backtab);
        QVERIFY(byName->hasFocus());
        QTest::keyClick(byName, Qt::Key_Backtab);
        QVERIFY(first->hasFocus());
    }

    void enterPressesAFocusedButton() {
        QDialog screen;
        auto* field = new QLineEdit(&screen);
        auto* button = new QPushButton("Salva", &screen);
        button->setAutoDefault(false);
        auto* layout = new QVBoxLayout(&screen);
        layout->addWidget(field);
        layout->addWidget(button);
        enterMovesOn(&screen);
        int clicks = 0;
        connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
        screen.show();
        QApplication::setActiveWindow(&screen);
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        QVERIFY(button->hasFocus());
        QCOMPARE(clicks, 0);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(clicks, 1);
    }

    void enterMovesOnAndFocusedFieldsChangeColour() {
        QWidget screen;
        auto* first = new QLineEdit(&screen);
        auto* notes = new QPlainTextEdit(&screen);
        auto* last = new QLineEdit(&screen);
        auto* layout = new QVBoxLayout(&screen);
        layout->addWidget(first);
        layout->addWidget(notes);
        layout->addWidget(last);
        for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(notes),
                           static_cast<QWidget*>(last)})
            followFocusColour(w);
        enterMovesOn(&screen);
        screen.show();
        QApplication::setActiveWindow(&screen);
        QVERIFY(QTest::qWaitForWindowActive(&screen));

        first->setFocus();
        QCOMPARE(first->palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::ToolTipBase));
        QTest::keyClick(first, Qt::Key_Return);
        QVERIFY(notes->hasFocus());
        QCOMPARE(first->palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Base));

        QTest::keyClicks(notes, "linha");
        QTest::keyClick(notes, Qt::Key_Enter);
        QVERIFY(last->hasFocus());
        QCOMPARE(notes->toPlainText(), QString("linha"));
    }

    // A date typed whole is that date, wherever the click landed.
    void aTypedDateIsTheDateTyped_data() {
        QTest::addColumn<double>("where"); // across the field, 0 to 1
        QTest::addColumn<QString>("typed");
        QTest::newRow("in the day") << 0.1 << "01/02/2024";
        QTest::newRow("in the month") << 0.35 << "01/02/2024";
        QTest::newRow("in the year") << 0.6 << "01/02/2024";
        QTest::newRow("short day and month") << 0.6 << "1/2/2024";
    }
    void aTypedDateIsTheDateTyped() {
        QFETCH(double, where);
        QFETCH(QString, typed);
        QDialog tela;
        auto* outro = new QLineEdit(&tela);
        QDateEdit* data = Data(&tela, "dtpData");
        auto* layout = new QVBoxLayout(&tela);
        layout->addWidget(outro);
        layout->addWidget(data);
        tela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tela));
        outro->setFocus();
        data->setDate(QDate(2026, 12, 10));
        QLineEdit* texto = data->findChild<QLineEdit*>();
        QTest::mouseClick(texto, Qt::LeftButton, {}, QPoint(int(texto->width() * where), 5));
        QTest::keyClicks(data, typed);
        QCOMPARE(data->date(), QDate(2024, 2, 1));
    }
};

KELVARA_TEST_MAIN(TestShell)
#include "tst_shell.moc"
