#include "entry/FocusColour.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
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

} // namespace

void followFocusColour(QWidget* field) {
    static FocusColour* filter = new FocusColour(QCoreApplication::instance());
    field->installEventFilter(filter);
}
