#include "shell/Application.h"

#include "shell/Conventions.h"
#include "shell/Messages.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Kelvara"));
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    QLocale::setDefault(brazil);
    // Qt's own menus and dialogs (a text field's context menu, the calendar,
    // the file and print dialogs) speak Portuguese whatever the machine's
    // language, like the rest of the program.
    auto* qtTexts = new QTranslator(this);
    if (qtTexts->load(brazil, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTexts);
    installKeyboardRules(this);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    // Every event passes here: a plain try costs nothing until something throws.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        Messages::standardError(e);
    }
    return true;
}
