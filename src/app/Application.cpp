#include "app/Application.h"

#include "app/Conventions.h"
#include "app/Messages.h"
#include "data/DbError.h"

#include <QLocale>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Kelvara"));
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    installKeyboardRules(this);
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
