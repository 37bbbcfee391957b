#include "entry/NumericField.h"
#include "entry/RegionalNumbers.h"
#include "shell/Conventions.h"

#include "TestMain.h"
#include "TestSupport.h"

#include "FieldWindow.h"

Q_DECLARE_METATYPE(NumericField::Kind)
Q_DECLARE_METATYPE(NumericField::Variant)

namespace {

QColor baseOf(const QWidget* w) {
    return w->palette().color(QPalette::Base);
}

// The numeric field under test, and a second money field holding a display
// text where the focus goes when the field is left.
struct Screen : FieldWindow {
    QLineEdit* field = new QLineEdit(&window);
    QLineEdit* neighbour = new QLineEdit(&window);
    NumericField* behaviour = nullptr;

    Screen(NumericField::Kind kind, NumericField::Variant variant = NumericField::Plain) {
        behaviour = NumericField::attach(field, kind, variant);
        NumericField::attach(neighbour, NumericField::Money);
        neighbour->setText("R$ 10,00");
        show({field, neighbour});
    }

    void type(const QString& keys) { FieldWindow::type(field, keys); }
    void leave() { neighbour->setFocus(); }
};

} // namespace

class TestNumericField : public QObject {
    Q_OBJECT
private slots:
    void filtersKeysByKind_data() {
        QTest::addColumn<NumericField::Kind>("kind");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("full stop becomes comma") << NumericField::Money << "12.5"
                                                 << "12,5";
        QTest::newRow("decimal drops the rest") << NumericField::Quantity << "1a -2,b3%"
                                                << "12,3";
        QTest::newRow("percentage") << NumericField::Percentage << "7.25"
                                    << "7,25";
        QTest::newRow("whole number drops full stop") << NumericField::WholeNumber << "1.2,3"
                                                      << "12,3";
        QTest::newRow("whole number drops letters") << NumericField::WholeNumber << "a9-"
                                                    << "9";
    }
    void filtersKeysByKind() {
        QFETCH(NumericField::Kind, kind);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        Screen s(kind);
        QVERIFY(s.active());
        s.type(keys);
        QCOMPARE(s.field->text(), text);
        QTest::keyClick(s.field, Qt::Key_Backspace);
        QCOMPARE(s.field->text(), text.chopped(1));
    }

    void showsDisplayTextWhenLeftAndEditTextWhenEntered_data() {
        QTest::addColumn<NumericField::Kind>("kind");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("edit");
        QTest::newRow("money") << NumericField::Money << "1234,5"
                               << "R$ 1.234,50"
                               << "1234,50";
        QTest::newRow("money zero") << NumericField::Money << "0"
                                    << "R$ 0,00"
                                    << "0,00";
        QTest::newRow("quantity") << NumericField::Quantity << "2,5"
                                  << "2,500"
                                  << "2,500";
        QTest::newRow("quantity rounded") << NumericField::Quantity << "0,0005"
                                          << "0,001"
                                          << "0,001";
        QTest::newRow("percentage") << NumericField::Percentage << "30"
                                    << "30,00%"
                                    << "30,00";
        QTest::newRow("whole number as typed") << NumericField::WholeNumber << "1234"
                                               << "1234"
                                               << "1234";
        QTest::newRow("whole number not read") << NumericField::WholeNumber << "1,5,"
                                               << "1,5,"
                                               << "1,5,";
    }
    void showsDisplayTextWhenLeftAndEditTextWhenEntered() {
        QFETCH(NumericField::Kind, kind);
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QFETCH(QString, edit);
        Screen s(kind);
        QVERIFY(s.active());
        s.type(keys);
        QCOMPARE(baseOf(s.field), QApplication::palette().color(QPalette::ToolTipBase));
        s.leave();
        QVERIFY(s.neighbour->hasFocus());
        QCOMPARE(s.field->text(), display);
        QCOMPARE(s.field->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QCOMPARE(baseOf(s.field), QApplication::palette().color(QPalette::Base));

        s.field->setFocus();
        QCOMPARE(s.field->text(), edit);
        QCOMPARE(s.field->selectedText(), edit);
    }

    // On screens where Enter moves on, the field lets Enter through to that
    // convention and is left like any other way.
    void enterMovesOnAndLeavesTheField() {
        Screen s(NumericField::Money);
        enterMovesOn(&s.window);
        QVERIFY(s.active());
        s.type("12,5");
        QTest::keyClick(s.field, Qt::Key_Return);
        QCOMPARE(s.field->text(), QString("R$ 12,50"));
        QVERIFY(s.neighbour->hasFocus());
        QCOMPARE(s.neighbour->text(), QString("10,00"));
    }

    void displayTextOfStoredValues_data() {
        QTest::addColumn<NumericField::Kind>("kind");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("money") << NumericField::Money << 1234.5 << "R$ 1.234,50";
        QTest::newRow("quantity") << NumericField::Quantity << -2.5 << "-2,500";
        QTest::newRow("percentage") << NumericField::Percentage << 35.0 << "35,00%";
        QTest::newRow("whole number") << NumericField::WholeNumber << 1234567.0 << "1.234.567";
    }
    void displayTextOfStoredValues() {
        QFETCH(NumericField::Kind, kind);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(NumericField::displayText(kind, value), text);
    }

    // The field keeps an unreadable text and the focus, without a message;
    // the field the focus was going to is not entered, so its display text
    // is neither cleaned nor read.
    void unreadableTextKeepsTheFocus_data() {
        QTest::addColumn<NumericField::Variant>("variant");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << NumericField::Plain << "";
        QTest::newRow("two commas") << NumericField::Plain << "1,2,3";
        QTest::newRow("lone comma, limited") << NumericField::Limited << ",";
        QTest::newRow("pasted display text") << NumericField::Plain << "R$ 1.234,5";
        QTest::newRow("minus inside, cleaned first") << NumericField::CleanFirst << "1-2";
    }
    void unreadableTextKeepsTheFocus() {
        QFETCH(NumericField::Variant, variant);
        QFETCH(QString, text);
        MessageRecorder recorder;
        Screen s(NumericField::Money, variant);
        QVERIFY(s.active());
        s.field->setFocus();
        s.field->insert(text);
        s.leave();
        QVERIFY(s.field->hasFocus());
        QCOMPARE(s.field->text(), text);
        QCOMPARE(s.field->selectedText(), text);
        QCOMPARE(baseOf(s.field), QApplication::palette().color(QPalette::ToolTipBase));
        QCOMPARE(s.neighbour->text(), QString("R$ 10,00"));
        QVERIFY(recorder.messages.isEmpty());

        // Typing replaces the selected text and the field can be left.
        QTest::keyClicks(s.field, "7");
        s.leave();
        QCOMPARE(s.field->text(), QString("R$ 7,00"));
        QVERIFY(s.neighbour->hasFocus());
        QCOMPARE(s.neighbour->text(), QString("10,00"));
    }

    void cleanFirstReadsAPastedDisplayText() {
        Screen s(NumericField::Quantity, NumericField::CleanFirst);
        QVERIFY(s.active());
        s.field->setFocus();
        s.field->insert("1.234,5 un");
        s.leave();
        QCOMPARE(s.field->text(), QString("1.234,500"));
        QVERIFY(s.neighbour->hasFocus());
    }

    void limitedExitRefusesValuesAtTheLimit_data() {
        QTest::addColumn<NumericField::Kind>("kind");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        QTest::newRow("money at limit") << NumericField::Money << "99999999999,99"
                                        << "99999999999,99" << true;
        QTest::newRow("money above") << NumericField::Money << "100000000000"
                                     << "100000000000" << true;
        QTest::newRow("money below") << NumericField::Money << "99999999999,98"
                                     << "R$ 99.999.999.999,98" << false;
        QTest::newRow("percentage at limit") << NumericField::Percentage << "99999,99"
                                             << "99999,99" << true;
        QTest::newRow("percentage below") << NumericField::Percentage << "99999,98"
                                          << "99.999,98%" << false;
    }
    void limitedExitRefusesValuesAtTheLimit() {
        QFETCH(NumericField::Kind, kind);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(bool, refused);
        MessageRecorder recorder;
        Screen s(kind, NumericField::Limited);
        QString seenByHook;
        s.behaviour->onExit([&] { seenByHook = s.field->text(); });
        QVERIFY(s.active());
        s.type(keys);
        s.leave();
        QCOMPARE(s.field->text(), text);
        QCOMPARE(s.field->hasFocus(), refused);
        QCOMPARE(seenByHook, text);
        QVERIFY(recorder.messages.isEmpty());
    }

    void exitHookRunsInsideTheFieldsFailureGuard() {
        MessageRecorder recorder;
        Screen s(NumericField::Money);
        int runs = 0;
        double cost = 0;
        s.behaviour->onExit([&] {
            ++runs;
            cost = fieldValue(s.field->text());
            s.other->setText(formatNumber(fieldValue(s.other->text()) * 2, 8, 2));
        });
        QVERIFY(s.active());

        s.other->setText("1,5,");
        s.type("10");
        s.leave();
        QCOMPARE(runs, 1);
        QCOMPARE(cost, 10.0);
        QVERIFY(s.field->hasFocus()); // the hook's failure keeps the focus
        QCOMPARE(s.field->text(), QString("10,00"));
        QCOMPARE(s.field->selectedText(), QString("10,00"));
        QVERIFY(recorder.messages.isEmpty());

        s.other->setText("4");
        s.leave();
        QCOMPARE(runs, 2);
        QCOMPARE(s.other->text(), QString("8,00"));
        QVERIFY(s.neighbour->hasFocus());

        s.field->setFocus();
        s.field->clear();
        s.leave();
        QCOMPARE(runs, 2); // not run when the field's own text does not read
    }

    void colourOnlyKeepsTheTextAndItsKeyFilter() {
        Screen s(NumericField::WholeNumber, NumericField::ColourOnly);
        QVERIFY(s.active());
        s.field->setText("1.234");
        s.field->setFocus();
        QCOMPARE(s.field->text(), QString("1.234"));
        QCOMPARE(baseOf(s.field), QApplication::palette().color(QPalette::ToolTipBase));
        QTest::keyClicks(s.field, ".,5");
        QCOMPARE(s.field->text(), QString("1.234,5"));
        s.leave();
        QCOMPARE(s.field->text(), QString("1.234,5"));
        QCOMPARE(baseOf(s.field), QApplication::palette().color(QPalette::Base));
        QVERIFY(s.neighbour->hasFocus());
    }

    // Another window taking the activation is not an exit, and a screen shown
    // again enters its focused field anew.
    void windowActivationIsNeitherEntryNorExit() {
        Screen s(NumericField::Money);
        QVERIFY(s.active());
        s.type("5");
        QWidget elsewhere;
        elsewhere.show();
        QApplication::setActiveWindow(&elsewhere);
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        QCOMPARE(s.field->text(), QString("5")); // not formatted

        QApplication::setActiveWindow(&s.window);
        QVERIFY(s.active());
        QVERIFY(s.field->hasFocus());
        QTest::keyClicks(s.field, "0");
        QCOMPARE(s.field->text(), QString("50")); // not selected again

        s.window.hide();
        s.field->setText("R$ 5,00");
        s.window.show();
        QApplication::setActiveWindow(&s.window);
        QVERIFY(s.active());
        QVERIFY(s.field->hasFocus());
        QCOMPARE(s.field->text(), QString("5,00"));
    }
};

KELVARA_TEST_MAIN(TestNumericField)
#include "tst_numericfield.moc"
