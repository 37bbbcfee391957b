#pragma once

#include <QString>
#include <QtGlobal>
#include <cstdio>

// Benchmarks run offscreen unless told otherwise. The offscreen platform
// warns about every window it cannot size for a window manager; everything
// else still goes to the terminal.
inline void runOffscreenQuietly() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains(QLatin1String("does not support propagateSizeHints")))
                std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
        });
}
