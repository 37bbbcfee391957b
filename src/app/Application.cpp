#include "app/Application.h"

#include "app/Messages.h"
#include "data/DbError.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLocale>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Kelvara"));
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    installEventFilter(this);
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    // A screen without a close box closes only through its own button, so
    // Escape does not close it either.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && watched->isWidgetType()) {
        QWidget* window = static_cast<QWidget*>(watched)->window();
        const Qt::WindowFlags flags = window->windowFlags();
        if (qobject_cast<QDialog*>(window) && (flags & Qt::CustomizeWindowHint) &&
            !(flags & Qt::WindowCloseButtonHint))
            return true;
    }
    return QApplication::eventFilter(watched, event);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    // Every event passes here: a plain try costs nothing until something throws.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        Messages::standardError(errorText(e));
    }
    return true;
}
