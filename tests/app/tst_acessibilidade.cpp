#include "TestMain.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <memory>

// Every field a screen reader or a keyboard user reaches says what it is.
class TestAcessibilidade : public QObject {
    Q_OBJECT

    static bool takesInput(QWidget* w) {
        return qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
               qobject_cast<QTextEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
               qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) ||
               qobject_cast<QAbstractButton*>(w);
    }

private slots:
    void everyInputOfEveryScreenHasAName() {
        RunningProgram program;
        QStringList unnamed;
        for (QWidget* screen : QApplication::topLevelWidgets()) {
            if (screen->objectName().isEmpty() || screen->inherits("QMenu"))
                continue;
            for (QWidget* w : screen->findChildren<QWidget*>()) {
                if (!takesInput(w) || !w->isVisibleTo(screen) || !w->isEnabled() ||
                    w->focusPolicy() == Qt::NoFocus)
                    continue;
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
                if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
                    unnamed << screen->objectName() + "." + w->objectName() + " (" +
                                   w->metaObject()->className() + ")";
            }
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join("\n")));
    }
};

KELVARA_TEST_MAIN(TestAcessibilidade)
#include "tst_acessibilidade.moc"
