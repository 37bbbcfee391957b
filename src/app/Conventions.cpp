#include "app/Conventions.h"

#include "entry/FieldFocus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QWidget>

namespace {

class FocusColour : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* field = static_cast<QWidget*>(watched);
        // A field whose entry passed the focus on has already been left by
        // the time a later filter sees the focus-in.
        if (event->type() == QEvent::FocusIn && QApplication::focusWidget() == field)
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

// The entry and exit handlers of one control.
class EntryExit : public QObject {
public:
    using QObject::QObject;

    static EntryExit* of(QWidget* control) {
        // A plain dynamic_cast: this class has no meta-object of its own for
        // findChild to tell it apart from the control's other children.
        for (QObject* child : control->children())
            if (auto* existing = dynamic_cast<EntryExit*>(child))
                return existing;
        auto* created = new EntryExit(control);
        control->installEventFilter(created);
        return created;
    }

    std::vector<std::function<void()>> enter, exit;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            focus.forget(); // its window closed: the next focus is a new entry
        if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
            return false;
        const FieldFocus::Step step = focus.step(*static_cast<QFocusEvent*>(event));
        for (const auto& handler : step == FieldFocus::Step::Enter  ? enter
                                   : step == FieldFocus::Step::Exit ? exit
                                                                    : none)
            handler();
        auto* control = static_cast<QWidget*>(watched);
        if (step == FieldFocus::Step::Enter && QApplication::focusWidget() != control) {
            // An entry handler that passes the focus on gets no focus-out
            // from the platform, which is still delivering the focus-in:
            // the control is left all the same, colour and exit included.
            QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
            QCoreApplication::sendEvent(control, &out);
        }
        return false;
    }

private:
    FieldFocus focus;
    const std::vector<std::function<void()>> none;
};

} // namespace

void onEnter(QWidget* control, std::function<void()> handler) {
    EntryExit::of(control)->enter.push_back(std::move(handler));
}

void onExit(QWidget* control, std::function<void()> handler) {
    EntryExit::of(control)->exit.push_back(std::move(handler));
}

void followFocusColour(QWidget* field) {
    static FocusColour* filter = new FocusColour(QCoreApplication::instance());
    field->installEventFilter(filter);
}

void enterMovesOn(QWidget* screen) {
    auto* filter = new EnterMovesOn(screen);
    for (QWidget* child : screen->findChildren<QWidget*>())
        child->installEventFilter(filter);
}
