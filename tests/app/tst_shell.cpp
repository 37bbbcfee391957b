#include "app/Conventions.h"
#include "app/Messages.h"
#include "data/DbError.h"

#include "TestMain.h"
#include "TestSupport.h"

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

class TestShell : public QObject {
    Q_OBJECT
private slots:
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
};

KELVARA_TEST_MAIN(TestShell)
#include "tst_shell.moc"
