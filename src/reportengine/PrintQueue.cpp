#include "reportengine/PrintQueue.h"

#include <QFile>
#include <QPrintEngine>
#include <QPrinter>
#include <cups/cups.h>

namespace report {

namespace {

// Where Qt's print dialog leaves the print server options it chose.
constexpr auto DialogOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

std::pair<QByteArray, QByteArray> option(const QByteArray& name, const QByteArray& value) {
    return {name, value};
}

QByteArray sides(const QPrinter* printer) {
    switch (printer->duplex()) {
    case QPrinter::DuplexNone:
        break;
    case QPrinter::DuplexAuto:
        return printer->pageLayout().orientation() == QPageLayout::Portrait
                   ? "two-sided-long-edge"
                   : "two-sided-short-edge";
    case QPrinter::DuplexLongSide:
        return "two-sided-long-edge";
    case QPrinter::DuplexShortSide:
        return "two-sided-short-edge";
    }
    return "one-sided";
}

// The queue's state as the server tells it now.
void readState(const QByteArray& name, const QByteArray& instance, QueueAnswer& answer) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (!dest)
        return;
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    answer.stopped = state && qstrcmp(state, "5") == 0;
    const char* message = cupsGetOption("printer-state-message", dest->num_options, dest->options);
    answer.printerState = QString::fromUtf8(message ? message : "");
    cupsFreeDests(1, dest);
}

} // namespace

QueueOptions queueOptions(QPrinter* printer) {
    QueueOptions options;
    options.append(option("media", printer->pageLayout().pageSize().key().toUtf8()));
    if (printer->copyCount() > 1) {
        options.append(option("copies", QByteArray::number(printer->copyCount())));
        if (printer->collateCopies())
            options.append(option("Collate", "True"));
    }
    options.append(option("sides", sides(printer)));
    const QStringList chosen = printer->printEngine()->property(DialogOptions).toStringList();
    for (qsizetype i = 0; i + 1 < chosen.size(); i += 2)
        options.append(option(chosen[i].toUtf8(), chosen[i + 1].toUtf8()));
    return options;
}

QueueAnswer sendToQueue(const QString& printer, const QString& file, const QString& title,
                        const QueueOptions& options) {
    QueueAnswer answer;
    const QByteArray name = printer.section(u'/', 0, 0).toUtf8();
    const QByteArray instance = printer.section(u'/', 1).toUtf8();

    int count = 0;
    cups_option_t* list = nullptr;
    for (const auto& [option, value] : options)
        count = cupsAddOption(option.constData(), value.constData(), count, &list);

    answer.job = cupsPrintFile(name.constData(), QFile::encodeName(file).constData(),
                               title.toUtf8().constData(), count, list);
    cupsFreeOptions(count, list);
    answer.accepted = answer.job > 0;
    if (!answer.accepted)
        answer.error = QString::fromUtf8(cupsLastErrorString());
    readState(name, instance, answer);
    return answer;
}

} // namespace report
