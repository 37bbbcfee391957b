#pragma once

// What the report benchmarks share: their arguments and connections, and
// the time until a preview shows its first page.

#include "Measure.h"
#include "data/Conexao.h"
#include "data/DataModule_Conexao.h"
#include "data/DataModule_Config.h"
#include "reportengine/ReportPreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <functional>

// FOLDER and an optional folder of this machine that keeps the PDF files;
// with them, the stock and configuration connections opened on FOLDER.
// Answers false, after the usage, on other arguments.
inline bool startReportBench(const char* program, QString& folder, QString& keep) {
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.size() > 2) {
        std::fprintf(stderr, "usage: %s host:/folder [pdf-folder]\n", program);
        return false;
    }
    folder = args.first();
    keep = args.value(1);
    std::printf("Machine: %d processors, load average %s\n",
                std::max(1, QThread::idealThreadCount()), loadAverage().c_str());
    dmConexao = new TdmConexao;
    dmConfig = new TdmConfig;
    ConectaBancos(folder);
    return true;
}

// Opens the preview and answers the time on clock when its first page was
// on screen, then closes it.
inline double firstPageMs(report::BandReport* report, const QElapsedTimer& clock) {
    double shown = -1;
    std::function<void()> look;
    look = [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* preview = qobject_cast<report::ReportPreview*>(w);
            if (preview && preview->isVisible() &&
                preview->lbPagina->text().startsWith(QStringLiteral("Página"))) {
                shown = clock.nsecsElapsed() / 1e6;
                preview->close();
                return;
            }
        }
        QTimer::singleShot(1, look);
    };
    QTimer::singleShot(0, look);
    report->Preview();
    return shown;
}

// The same from the moment the preview opens.
inline double firstPageMs(report::BandReport* report) {
    QElapsedTimer clock;
    clock.start();
    return firstPageMs(report, clock);
}
