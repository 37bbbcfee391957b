// Where the pages go: the printer through a file of our own, a PDF file,
// the preview window and a spreadsheet; and the dialogs that ask for them.
#include "reportengine/BandReport.h"

#include "data/ListCopy.h"
#include "reportengine/BandEngine.h"
#include "reportengine/Planilha.h"
#include "reportengine/PrintQueue.h"
#include "reportengine/ReportPreview.h"

#include <QDir>
#include <QFileDialog>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <map>

namespace report {

namespace {

std::function<bool(QPrinter*, QWidget*)>& printDialog() {
    static std::function<bool(QPrinter*, QWidget*)> dialog;
    return dialog;
}

std::function<bool(QPrinter*, QWidget*)>& pageSetupDialog() {
    static std::function<bool(QPrinter*, QWidget*)> dialog;
    return dialog;
}

BandReport::SpreadsheetDialog& spreadsheetDialog() {
    static BandReport::SpreadsheetDialog dialog;
    return dialog;
}

// The enabled labels of a band with a caption, line by line (by height in
// the band) and left to right in each line.
std::map<double, std::vector<const Label*>> labelLines(const Band* band) {
    std::map<double, std::vector<const Label*>> lines;
    for (const auto& item : band->items())
        if (auto* l = dynamic_cast<const Label*>(item.get());
            l && l->isEnabled() && !l->caption().trimmed().isEmpty())
            lines[l->y].push_back(l);
    for (auto& [y, labels] : lines)
        std::stable_sort(labels.begin(), labels.end(),
                         [](const Label* a, const Label* b) { return a->x < b->x; });
    return lines;
}

// Our own devices get the paper alone: the bands keep their margins.
void setUpPage(QPagedPaintDevice* device, const Sheet& sheet) {
    device->setPageLayout(QPageLayout(sheet.page.pageSize(), sheet.page.orientation(),
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

bool printerReady(const QPrinter* target) {
    const bool toFile = target->outputFormat() == QPrinter::PdfFormat;
    if (toFile ? !target->outputFileName().isEmpty()
               : target->isValid() && !target->printerName().isEmpty())
        return true;
    BandReport::warn(QStringLiteral("Nenhuma impressora disponível para imprimir o relatório."));
    return false;
}

} // namespace

bool BandReport::paintAll(QPagedPaintDevice* device, const Layout& layout, const Progress& progress,
                          int from, int to) const {
    from = std::max(from, 1);
    to = std::min(to, int(layout.pages.size()));
    QPainter painter;
    if (!painter.begin(device))
        return false;
    for (int page = from; page <= to; ++page) {
        if (page > from)
            device->newPage();
        paintPage(painter, layout, page - 1);
        if (progress && !progress(page - from + 1, to - from + 1)) {
            painter.end();
            return false;
        }
    }
    return painter.end();
}

QPrinter* BandReport::printer() {
    if (!settings) {
        settings = std::make_unique<QPrinter>(QPrinter::HighResolution);
        settings->setPageLayout(Sheet::designPage());
        settings->setFullPage(true);
        settings->setCopyCount(1);
        settings->setPrintRange(QPrinter::AllPages);
    }
    return settings.get();
}

void BandReport::Preview() {
    ReportPreview preview(this);
    preview.run();
    if (afterPreview)
        afterPreview();
}

bool BandReport::Print() {
    QPrinter* target = printer();
    // The page set-up and print dialogs may leave the settings in the mode
    // where painting starts inside the margins; the bands keep their own.
    target->setFullPage(true);
    if (!printerReady(target))
        return false;
    QProgressDialog window(QStringLiteral("Gerando o relatório..."), QStringLiteral("Cancelar"), 0,
                           100);
    window.setWindowTitle(QStringLiteral("Imprimindo"));
    window.setWindowModality(Qt::ApplicationModal);
    // Shown at once: the operator sees that the print has started, and can
    // stop it, however short it turns out to be.
    window.setMinimumDuration(0);
    auto step = [&window](int done, int total) {
        window.setValue(total > 0 ? int(100.0 * done / total) : 100);
        return !window.wasCanceled();
    };
    const Layout layout = generate(target, step);
    bool printed = false;
    if (!layout.pages.empty()) {
        window.setLabelText(QStringLiteral("Imprimindo..."));
        window.setValue(0);
        printed = printPages(layout, step);
    }
    window.reset();
    if (afterPrint)
        afterPrint();
    return printed;
}

bool BandReport::printPages(const Layout& layout, const Progress& progress) {
    return printThrough(
        printer(), title(), layout.sheet, int(layout.pages.size()),
        [this, &layout](QPainter& painter, int page) { paintPage(painter, layout, page); },
        progress);
}

bool BandReport::printThrough(QPrinter* target, const QString& name, const Sheet& sheet,
                              int pageCount, const PagePainter& paint, const Progress& progress) {
    if (!printerReady(target))
        return false;
    int from = 1, to = pageCount;
    if (target->printRange() == QPrinter::PageRange) {
        from = std::max(from, target->fromPage());
        to = std::min(to, target->toPage());
    }
    // Every page is written to a file of our own before anything reaches
    // the printer or the chosen file: a cancelled print leaves nothing.
    std::unique_ptr<QFileDevice> out;
    if (target->outputFormat() == QPrinter::PdfFormat)
        out = std::make_unique<QSaveFile>(target->outputFileName());
    else
        out = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                               QStringLiteral("/kelvara-impressao-XXXXXX.pdf"));
    if (!out->open(QIODevice::WriteOnly)) {
        warn(QStringLiteral("Não foi possível imprimir o relatório \"%1\": %2.")
                 .arg(name, out->errorString()));
        return false;
    }
    {
        QPdfWriter writer(out.get());
        setUpPage(&writer, sheet);
        writer.setResolution(target->resolution());
        writer.setTitle(name);
        writer.setCreator(QStringLiteral("Kelvara"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            warn(QStringLiteral("Não foi possível imprimir o relatório \"%1\".").arg(name));
            return false;
        }
        for (int page = from; page <= to; ++page) {
            if (page > from)
                writer.newPage();
            paint(painter, page - 1);
            if (progress && !progress(page - from + 1, to - from + 1))
                return false; // cancelled: the file is dropped unwritten
        }
        painter.end();
    }
    if (auto* file = dynamic_cast<QSaveFile*>(out.get())) {
        if (file->commit())
            return true;
        warn(QStringLiteral("Não foi possível gravar o relatório em %1: %2.")
                 .arg(target->outputFileName(), file->errorString()));
        return false;
    }
    out->flush();
    const QueueAnswer answer =
        sendToQueue(target->printerName(), out->fileName(), name, queueOptions(target));
    if (!answer.accepted) {
        warn(QStringLiteral("A impressora \"%1\" não aceitou o relatório \"%2\": %3. Nada foi "
                            "impresso.")
                 .arg(target->printerName(), name, answer.error));
        return false;
    }
    if (answer.stopped)
        warn(QStringLiteral("A impressora \"%1\" está parada. O relatório \"%2\" ficou na fila "
                            "dela e será impresso quando ela voltar a funcionar.%3")
                 .arg(target->printerName(), name,
                      answer.printerState.isEmpty()
                          ? QString()
                          : QStringLiteral(" (%1)").arg(answer.printerState)));
    return true;
}

bool BandReport::SavePdf(const QString& path) {
    QPdfWriter writer(path);
    setUpPage(&writer, Sheet::of(Sheet::designPage()));
    writer.setCreator(QStringLiteral("Kelvara"));
    return paintAll(&writer, generate(&writer));
}

bool BandReport::writePdf(const QString& path, const Layout& layout) const {
    QPdfWriter writer(path);
    setUpPage(&writer, layout.sheet);
    writer.setTitle(title());
    writer.setCreator(QStringLiteral("Kelvara"));
    return paintAll(&writer, layout);
}

Planilha BandReport::spreadsheet() const {
    Planilha sheet;
    sheet.addTitle(title());

    // What was asked, as the header and title bands print it, one line per
    // line of labels; the headings wait for their columns.
    std::vector<const Label*> headings;
    bool anyHeading = false;
    for (BandKind kind : {BandKind::PageHeader, BandKind::Title}) {
        for (const auto& item : bands[int(kind)]->items())
            if (auto* l = dynamic_cast<const Label*>(item.get());
                l && l->role == LabelRole::ColumnHeading) {
                anyHeading = true;
                if (l->isEnabled())
                    headings.push_back(l);
            }
        for (const auto& [y, labels] : labelLines(bands[int(kind)].get())) {
            QStringList texts;
            for (const Label* l : labels)
                if (l->role == LabelRole::Text && l->name != QLatin1String("lbTitulo"))
                    texts << l->caption().trimmed();
            if (!texts.isEmpty())
                sheet.addLine(texts.join(u' '));
        }
    }
    sheet.addBlank();

    std::vector<const DataField*> fields;
    for (const auto& item : bands[int(BandKind::Detail)]->items())
        if (auto* f = dynamic_cast<const DataField*>(item.get()))
            fields.push_back(f);
    std::stable_sort(fields.begin(), fields.end(),
                     [](const DataField* a, const DataField* b) { return a->x < b->x; });

    // A heading stands over the field where it begins; one that spans
    // several fields heads the first. A report without headings of its
    // own gets the list's titles of its fields.
    QStringList titles;
    std::vector<int> indexes;
    std::vector<FieldFormat> formats;
    for (const DataField* f : fields) {
        const int index = list->fieldIndex(f->field);
        indexes.push_back(index);
        formats.push_back(index < 0 ? FieldFormat::Plain : list->fields()[index].format);
        QString heading;
        if (!anyHeading && index >= 0) {
            heading = list->headerData(index, Qt::Horizontal, Qt::DisplayRole).toString();
        } else {
            auto over = std::find_if(headings.begin(), headings.end(), [f](const Label* l) {
                return l->x <= f->x + 0.5 && f->x < l->x + std::max(l->width, 1.0) - 0.5;
            });
            if (over != headings.end()) {
                heading = (*over)->caption();
                headings.erase(over);
            }
        }
        titles << heading.trimmed();
    }
    sheet.addHeadings(titles);

    const int count = list->RecordCount();
    for (int row = 0; row < count; ++row) {
        std::vector<Cell> cells;
        cells.reserve(fields.size());
        for (std::size_t i = 0; i < fields.size(); ++i)
            cells.push_back(
                indexes[i] < 0 ? Cell{} : Cell::of(list->value(row, fields[i]->field), formats[i]));
        sheet.addRow(std::move(cells));
    }

    // The totals, caption beside value, as the summary prints them.
    const auto totals = labelLines(bands[int(BandKind::Summary)].get());
    if (!totals.empty())
        sheet.addBlank();
    for (const auto& [y, labels] : totals) {
        std::vector<Cell> cells;
        for (const Label* l : labels)
            cells.push_back(Cell::fromCaption(l->caption()));
        sheet.addRow(std::move(cells));
    }
    return sheet;
}

void BandReport::setPrintDialog(std::function<bool(QPrinter*, QWidget*)> dialog) {
    printDialog() = std::move(dialog);
}

void BandReport::setPageSetupDialog(std::function<bool(QPrinter*, QWidget*)> dialog) {
    pageSetupDialog() = std::move(dialog);
}

bool BandReport::askPageSetup(QPrinter* target, QWidget* parent) {
    if (pageSetupDialog())
        return pageSetupDialog()(target, parent);
    QPageSetupDialog dialog(target, parent);
    return dialog.exec() == QDialog::Accepted;
}

void BandReport::setSpreadsheetDialog(SpreadsheetDialog dialog) {
    spreadsheetDialog() = std::move(dialog);
}

QString BandReport::askSpreadsheet(QWidget* parent, const QString& name) {
    if (spreadsheetDialog())
        return spreadsheetDialog()(parent, name);
    QFileDialog dialog(parent, QStringLiteral("Exportar Planilha"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(Planilha::Filtros);
    dialog.setDefaultSuffix(Planilha::Extensao);
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool BandReport::askPrinter(QPrinter* target, QWidget* parent) {
    if (printDialog())
        return printDialog()(target, parent);
    QPrintDialog dialog(target, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace report
