#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

class QPrinter;

namespace report {

using QueueOptions = QList<std::pair<QByteArray, QByteArray>>;

// What the print server answered to a job.
struct QueueAnswer {
    bool accepted = false;
    int job = 0;
    QString error;        // why it was not accepted
    bool stopped = false; // the queue holds its jobs until it is resumed
    QString printerState; // the server's word on why, when it gives one
};

// The options of a printer's settings as the print server reads them: the
// paper, copies, sides and whatever the print dialog chose.
QueueOptions queueOptions(QPrinter* printer);

// Hands a PDF file to a print queue (a name as the printer settings keep it,
// "queue" or "queue/instance") as a job named title.
QueueAnswer sendToQueue(const QString& printer, const QString& file, const QString& title,
                        const QueueOptions& options);

} // namespace report
