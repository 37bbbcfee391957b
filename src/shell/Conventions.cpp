#include "shell/Conventions.h"

#include "entry/FieldFocus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QDialog>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRadioButton>
#include <QWidget>

namespace {

class EnterMovesOn : public QObject {
public:
    EnterMovesOn(QWidget* screen) : QObject(screen), screen(screen) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        // On a button Enter presses it, as a screen's operator expects.
        if (auto* button = qobject_cast<QAbstractButton*>(watched)) {
            button->click();
            return true;
        }
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

void enterMovesOn(QWidget* screen) {
    auto* filter = new EnterMovesOn(screen);
    for (QWidget* child : screen->findChildren<QWidget*>())
        child->installEventFilter(filter);
}

namespace {

// Keyboard rules that hold on every screen.
class KeyboardRules : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::KeyPress)
            return keyPress(widget, *static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusIn)
            return focusIn(widget, *static_cast<QFocusEvent*>(event));
        return false;
    }

private:
    static bool keyPress(QWidget* widget, const QKeyEvent& key) {
        const bool tab = key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab;
        const bool forward = key.key() == Qt::Key_Tab && !(key.modifiers() & Qt::ShiftModifier);
        if (key.key() == Qt::Key_Escape)
            return withoutCloseBox(widget->window());
        // A date picker is one stop in the tab order, not one per section.
        if (tab && qobject_cast<QDateTimeEdit*>(widget)) {
            moveFocus(widget, forward, {});
            return true;
        }
        // The order buttons of a box are one stop: Tab leaves the box.
        if (tab && qobject_cast<QRadioButton*>(widget)) {
            const QList<QRadioButton*> group = groupOf(widget);
            moveFocus(widget, forward, [&group](QWidget* w) {
                return group.contains(qobject_cast<QRadioButton*>(w));
            });
            return true;
        }
        return false;
    }

    // Tabbing into a box of order buttons lands on the checked one, and so
    // does a screen that opens with its focus in the box.
    static bool focusIn(QWidget* widget, const QFocusEvent& focus) {
        auto* radio = qobject_cast<QRadioButton*>(widget);
        if (!radio || radio->isChecked() ||
            (focus.reason() != Qt::TabFocusReason && focus.reason() != Qt::BacktabFocusReason &&
             focus.reason() != Qt::ActiveWindowFocusReason))
            return false;
        for (QRadioButton* other : groupOf(radio)) {
            if (other->isChecked() && other->isEnabled() && other->isVisible()) {
                other->setFocus(focus.reason());
                return true;
            }
        }
        return false;
    }

    static bool withoutCloseBox(QWidget* window) {
        // A screen without a close box closes only through its own button,
        // so Escape does not close it either.
        const Qt::WindowFlags flags = window->windowFlags();
        return qobject_cast<QDialog*>(window) && (flags & Qt::CustomizeWindowHint) &&
               !(flags & Qt::WindowCloseButtonHint);
    }

    static QList<QRadioButton*> groupOf(QWidget* radio) {
        QList<QRadioButton*> group;
        for (QRadioButton* r :
             radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
            if (r->autoExclusive())
                group << r;
        return group;
    }

    // Moves the focus to the next (or previous) control of the window that
    // takes the focus from Tab, passing by those skip names.
    static void moveFocus(QWidget* from, bool forward, const std::function<bool(QWidget*)>& skip) {
        QWidget* candidate = from;
        for (;;) {
            candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
            if (candidate == from)
                return;
            if (candidate->window() == from->window() && candidate->isEnabled() &&
                candidate->isVisible() && (candidate->focusPolicy() & Qt::TabFocus) &&
                !candidate->focusProxy() && !(skip && skip(candidate)))
                break;
        }
        candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
};

} // namespace

void installKeyboardRules(QApplication* application) {
    application->installEventFilter(new KeyboardRules(application));
}
