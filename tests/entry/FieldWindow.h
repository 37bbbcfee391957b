#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <initializer_list>

// A shown, active window of fields, with a plain field `other` below them
// that holds the focus at first, so no field under test starts entered.
struct FieldWindow {
    QWidget window;
    QLineEdit* other = new QLineEdit(&window);

    void show(std::initializer_list<QWidget*> fields) {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* field : fields)
            layout->addWidget(field);
        layout->addWidget(other);
        other->setFocus();
        window.show();
        QApplication::setActiveWindow(&window);
    }

    bool active() { return QTest::qWaitForWindowActive(&window); }

    static void type(QLineEdit* field, const QString& keys) {
        field->setFocus();
        QTest::keyClicks(field, keys);
    }
};
