#include "app/Conventions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QWidget>

namespace {

class FocusColour : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* field = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::FocusIn)
            paint(field, QApplication::palette().color(QPalette::ToolTipBase));
        else if (event->type() == QEvent::FocusOut)
            paint(field, QApplication::palette().color(QPalette::Base));
        return false;
    }

private:
    static void paint(QWidget* field, const QColor& colour) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, colour);
        field->setPalette(palette);
    }
};

class EnterMovesOn : public QObject {
public:
    EnterMovesOn(QWidget* screen) : QObject(screen), screen(screen) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || qobject_cast<QAbstractButton*>(watched))
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        // A Tab sent to the window itself moves along the window's focus
        // chain, whatever the focused control would do with a Tab.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(screen, &tab);
        return true;
    }

private:
    QWidget* screen;
};

} // namespace

void followFocusColour(QWidget* field) {
    static FocusColour* filter = new FocusColour(QCoreApplication::instance());
    field->installEventFilter(filter);
}

void enterMovesOn(QWidget* screen) {
    auto* filter = new EnterMovesOn(screen);
    for (QWidget* child : screen->findChildren<QWidget*>())
        child->installEventFilter(filter);
}
