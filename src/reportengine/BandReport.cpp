#include "reportengine/BandReport.h"

#include "data/ListCopy.h"
#include "reportengine/Planilha.h"
#include "reportengine/PrintQueue.h"
#include "reportengine/RecordingDevice.h"
#include "reportengine/ReportPreview.h"

#include <QDir>
#include <QFileDialog>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QRawFont>
#include <QSaveFile>
#include <QTemporaryFile>
#include <algorithm>
#include <array>
#include <map>
#include <optional>

namespace report {

namespace {

std::function<void(const QString&)>& warningHandler() {
    static std::function<void(const QString&)> handler;
    return handler;
}

std::function<QDateTime()>& clock() {
    static std::function<QDateTime()> now;
    return now;
}

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

constexpr int ProgressEvery = 500;

// Device pixels per point.
double scaleOf(const QPaintDevice* device) {
    return device->logicalDpiY() / 72.0;
}

const char* bandName(BandKind kind) {
    switch (kind) {
    case BandKind::PageHeader:
        return "page header";
    case BandKind::Title:
        return "title";
    case BandKind::Detail:
        return "detail";
    case BandKind::Summary:
        return "summary";
    case BandKind::PageFooter:
        return "page footer";
    }
    return "";
}

const char* alignName(Align align) {
    switch (align) {
    case Align::Left:
        return "left";
    case Align::Right:
        return "right";
    case Align::Center:
        return "center";
    case Align::BandCenter:
        return "band center";
    }
    return "";
}

// How wide texts are in one font on one device. In a fixed-pitch font every
// letter has one advance, so the data fields, printed in one, need no text
// shaping to be measured.
class Widths {
public:
    Widths(const QFont& font, const QPaintDevice* device) : metrics(font, device) {
        if (QFontInfo(font).fixedPitch())
            pitch = metrics.horizontalAdvance(QLatin1Char('0'));
    }
    const QFontMetricsF& fontMetrics() const { return metrics; }
    // The advance of every letter of a fixed-pitch font, 0 in any other.
    double letter() const { return pitch; }
    double of(const QString& text) const {
        return pitch > 0 ? pitch * text.size() : metrics.horizontalAdvance(text);
    }
    // The longest beginning of text that fits width.
    QString cut(const QString& text, double width) const {
        if (of(text) <= width)
            return text;
        if (pitch > 0)
            return text.left(int(width / pitch + 1e-9));
        int fits = 0, over = int(text.size());
        while (over - fits > 1) {
            const int middle = (fits + over) / 2;
            if (metrics.horizontalAdvance(text.left(middle)) <= width)
                fits = middle;
            else
                over = middle;
        }
        return text.left(fits);
    }

private:
    QFontMetricsF metrics;
    double pitch = 0;
};

// The texts of one band line in a fixed-pitch font, gathered into one string
// on the font's character grid and written at once: a report writes a line
// for every row, and each text written costs far more than its letters. A
// text lands on the grid cell nearest to where it would stand alone, within
// half a letter; one that would overlap the texts before it is written alone.
class LinhaNaGrade {
public:
    LinhaNaGrade(double letter, double origin, double baseline)
        : letter(letter), origin(origin), base(baseline) {}

    // Answers whether the text found its place on the line.
    bool add(double x, const QString& text) {
        const qsizetype column = qRound((x - origin) / letter);
        if (column < 0 || column < line.size())
            return false;
        if (line.isEmpty())
            first = column;
        line.append(QString(column - line.size(), u' '));
        line.append(text);
        return true;
    }
    double baseline() const { return base; }
    // Draws the letters alone, each in its cell: the blanks between the
    // columns cost as much as letters to a PDF file and show nothing, and a
    // fixed-pitch line needs no text shaping. A line with a letter the font
    // lacks is written as text, so that a fallback font can show it.
    void draw(QPainter& painter, const QRawFont& font) const {
        if (line.isEmpty())
            return;
        const QList<quint32> indexes = font.glyphIndexesForString(line);
        QList<quint32> glyphs;
        QList<QPointF> positions;
        bool whole = indexes.size() == line.size();
        for (qsizetype i = first; whole && i < line.size(); ++i) {
            if (line[i] == u' ')
                continue;
            whole = indexes[i] != 0;
            glyphs.append(indexes[i]);
            positions.append(QPointF(origin + i * letter, base));
        }
        if (!whole) {
            painter.drawText(QPointF(origin + first * letter, base), line.mid(first));
            return;
        }
        QGlyphRun run;
        run.setRawFont(font);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        painter.drawGlyphRun(QPointF(), run);
    }

private:
    double letter, origin, base;
    qsizetype first = 0;
    QString line;
};

bool hasWrap(const Band* band) {
    for (const auto& item : band->items())
        if (auto* f = dynamic_cast<const DataField*>(item.get()); f && f->wrap)
            return true;
    return false;
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

QPageLayout Sheet::designPage() {
    QPageLayout page(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                     QPageLayout::Millimeter);
    page.setMode(QPageLayout::FullPageMode);
    return page;
}

Sheet Sheet::of(const QPageLayout& page) {
    Sheet sheet;
    sheet.page = page;
    // Whole points round A4 to 595 by 842: millimetres keep the fractions.
    constexpr double PointsPerMm = 72 / 25.4;
    const QRectF paper(QPointF(), page.fullRect(QPageLayout::Millimeter).size() * PointsPerMm);
    const QMarginsF margins = page.margins(QPageLayout::Millimeter) * PointsPerMm;
    sheet.points = paper.size();
    const double band = paper.width() - margins.left() - margins.right();
    // A paper within a hundredth of a point of the design's is the design's.
    if (band < BandReport::BandWidth - 0.01)
        sheet.zoom = std::max(0.1, band / BandReport::BandWidth);
    else if (band > BandReport::BandWidth + 0.01)
        sheet.spread = band / BandReport::BandWidth;
    sheet.width = paper.width() / sheet.zoom;
    sheet.height = paper.height() / sheet.zoom;
    sheet.left = margins.left() / sheet.zoom;
    sheet.top = margins.top() / sheet.zoom;
    sheet.bottom = margins.bottom() / sheet.zoom;
    sheet.band = std::max(band, 1.0) / sheet.zoom;
    return sheet;
}

Sheet Sheet::of(const QPaintDevice* device) {
    if (auto* settings = dynamic_cast<const QPrinter*>(device))
        return of(settings->pageLayout());
    return of(designPage());
}

QFont fontFor(Style style) {
    QFont font(style == Style::Fixed ? QStringLiteral("DejaVu Sans Mono")
                                     : QStringLiteral("DejaVu Sans"));
    font.setStyleHint(style == Style::Fixed ? QFont::TypeWriter : QFont::SansSerif);
    font.setPointSizeF(style == Style::Title        ? 11
                       : style == Style::SmallTitle ? 10
                       : style == Style::Small      ? 7
                                                    : 8);
    font.setBold(style == Style::Bold || style == Style::Title || style == Style::SmallTitle);
    return font;
}

Label* Band::label(const QString& name, const QString& caption, double x, double width, Align align,
                   Style style, double y) {
    auto item = std::make_unique<Label>();
    item->name = name;
    item->setCaption(caption);
    item->x = x;
    item->y = y;
    item->width = width;
    item->align = align;
    item->style = style;
    Label* made = item.get();
    itemList.push_back(std::move(item));
    return made;
}

DataField* Band::field(const QString& fieldName, double x, double width, Align align, bool wrap) {
    auto item = std::make_unique<DataField>();
    item->name = fieldName;
    item->field = fieldName;
    item->x = x;
    item->width = width;
    item->align = align;
    item->style = Style::Fixed;
    item->wrap = wrap;
    DataField* made = item.get();
    itemList.push_back(std::move(item));
    return made;
}

SystemField* Band::system(SystemField::Kind kind, double x, double width, Align align) {
    auto item = std::make_unique<SystemField>();
    item->name = kind == SystemField::PageNumber ? QStringLiteral("page number")
                                                 : QStringLiteral("date and time");
    item->kind = kind;
    item->x = x;
    item->width = width;
    item->align = align;
    SystemField* made = item.get();
    itemList.push_back(std::move(item));
    return made;
}

BandReport::BandReport(const QString& objectName, ListCopy* data, QObject* parent)
    : QObject(parent), list(data) {
    setObjectName(objectName);
    for (BandKind kind : {BandKind::PageHeader, BandKind::Title, BandKind::Detail,
                          BandKind::Summary, BandKind::PageFooter})
        bands.push_back(std::make_unique<Band>(kind));
}

BandReport::~BandReport() = default;

Band* BandReport::band(BandKind kind) {
    return bands[int(kind)].get();
}

Layout BandReport::generate(QPaintDevice* device, const Progress& progress) {
    Layout layout;
    layout.sheet = Sheet::of(device);
    const Sheet& sheet = layout.sheet;
    layout.printedAt = clock() ? clock()() : QDateTime::currentDateTime();
    if (beforeGeneration)
        beforeGeneration();

    Band* detail = band(BandKind::Detail);
    Band* title = band(BandKind::Title);
    Band* summary = band(BandKind::Summary);
    const double body = sheet.height - sheet.top - sheet.bottom -
                        band(BandKind::PageHeader)->height - band(BandKind::PageFooter)->height;
    const int rows = list->RecordCount();
    layout.emptyList = rows == 0;
    const int lines = std::max(rows, 1);

    // Only a wrapping field makes lines differ in height, and only then is
    // each row's text measured.
    const bool wraps = hasWrap(detail);
    std::vector<std::pair<const DataField*, int>> wrapping;
    if (wraps)
        for (const auto& item : detail->items())
            if (auto* f = dynamic_cast<const DataField*>(item.get()); f && f->wrap)
                wrapping.emplace_back(f, list->fieldIndex(f->field));
    const double scale = scaleOf(device);
    const QFontMetricsF fixed(fontFor(Style::Fixed), device);

    Page page;
    double used = 0;
    if (!title->items().empty() || title->height > 0) {
        page.title = true;
        used = title->height;
    }
    for (int line = 0; line < lines; ++line) {
        const int row = layout.emptyList ? -1 : line;
        if (detail->beforePrint)
            detail->beforePrint(row);
        double height = detail->height;
        if (wraps) {
            for (const auto& [f, index] : wrapping) {
                const QString text = row < 0 ? QString() : list->displayText(row, index);
                const QRectF room(0, 0, f->width * sheet.spread * scale, 1e6);
                height = std::max(height,
                                  f->y + fixed.boundingRect(room, Qt::TextWordWrap, text).height() /
                                             scale);
            }
            layout.rowHeights.push_back(height);
        }
        if (used + height > body && (page.rowCount > 0 || page.title)) {
            layout.pages.push_back(page);
            page = Page{false, line, 0, false};
            used = 0;
        }
        if (page.rowCount == 0)
            page.firstRow = line;
        ++page.rowCount;
        used += height;
        if (progress && line % ProgressEvery == 0 && !progress(line, lines))
            return {};
    }
    if (summary->beforePrint)
        summary->beforePrint(-1);
    if (used + summary->height > body) {
        layout.pages.push_back(page);
        page = Page{false, lines, 0, false};
    }
    page.summary = true;
    layout.pages.push_back(page);
    if (progress)
        progress(lines, lines);
    return layout;
}

void BandReport::paintPage(QPainter& painter, const Layout& layout, int pageIndex) const {
    const Page& page = layout.pages[pageIndex];
    const Sheet& sheet = layout.sheet;
    auto* recorder = dynamic_cast<RecordingDevice*>(painter.device());
    const double scale = scaleOf(painter.device());
    painter.save();
    if (sheet.zoom != 1)
        painter.scale(sheet.zoom, sheet.zoom);
    QPen pen(Qt::black);
    pen.setWidthF(0.5 * scale);
    painter.setPen(pen);
    if (recorder)
        recorder->beginPage(pageIndex + 1);

    // Fonts and their metrics on this device, made once per page: a page
    // writes thousands of texts in a handful of styles.
    constexpr int Styles = int(Style::SmallTitle) + 1;
    std::array<QFont, Styles> fonts;
    std::array<std::optional<Widths>, Styles> metrics;
    for (int i = 0; i < Styles; ++i) {
        fonts[i] = QFont(fontFor(Style(i)), painter.device());
        metrics[i].emplace(fonts[i], painter.device());
    }
    int current = -1;
    std::optional<QRawFont> fixedFont;

    auto paintBand = [&](const Band* b, double top, double height, int row) {
        if (recorder)
            recorder->beginBand(
                row >= 0 && b->kind == BandKind::Detail
                    ? QStringLiteral("%1 row %2").arg(bandName(b->kind)).arg(row + 1)
                    : QString::fromLatin1(bandName(b->kind)));
        const double left = sheet.left;
        if (b->ruleTop) {
            painter.drawLine(QPointF(left, top) * scale, QPointF(left + sheet.band, top) * scale);
            if (recorder)
                recorder->rule(QStringLiteral("top"));
        }
        std::optional<LinhaNaGrade> grade; // the row's fixed-pitch texts
        for (const auto& owned : b->items()) {
            const Item* item = owned.get();
            QString text;
            bool wrap = false, cutToWidth = false;
            if (auto* l = dynamic_cast<const Label*>(item)) {
                if (!l->isEnabled())
                    continue;
                text = l->caption();
            } else if (auto* f = dynamic_cast<const DataField*>(item)) {
                if (row >= 0)
                    text = list->displayText(row, list->fieldIndex(f->field));
                wrap = f->wrap;
                cutToWidth = !f->wrap;
            } else if (auto* s = dynamic_cast<const SystemField*>(item)) {
                text = s->kind == SystemField::PageNumber
                           ? QString::number(pageIndex + 1)
                           : layout.printedAt.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
            }
            const int style = int(item->style);
            if (style != current) {
                painter.setFont(fonts[style]);
                current = style;
            }
            const Widths& widths = *metrics[style];
            QRectF rect(left + item->x * sheet.spread, top + item->y, item->width * sheet.spread,
                        height - item->y);
            if (item->align == Align::BandCenter)
                rect = QRectF(left, top + item->y, sheet.band, height - item->y);
            const QRectF target(rect.topLeft() * scale, rect.size() * scale);
            if (cutToWidth)
                text = widths.cut(text, target.width());
            if (recorder) {
                recorder->item(QString::fromLatin1(alignName(item->align)), item->name, text);
            } else if (wrap) {
                const int flags = Qt::AlignTop | Qt::TextWordWrap |
                                  (item->align == Align::Left    ? Qt::AlignLeft
                                   : item->align == Align::Right ? Qt::AlignRight
                                                                 : Qt::AlignHCenter);
                painter.drawText(target, flags, text);
            } else if (!text.isEmpty()) {
                // One line at its baseline: much cheaper than laying out a
                // rectangle of text, and a report writes one for every field.
                double x = target.left();
                if (item->align != Align::Left) {
                    const double room = target.width() - widths.of(text);
                    x += item->align == Align::Right ? room : room / 2;
                }
                const double baseline = target.top() + widths.fontMetrics().ascent();
                if (widths.letter() > 0 && row >= 0) {
                    if (!grade)
                        grade.emplace(widths.letter(), x, baseline);
                    if (grade->baseline() == baseline && grade->add(x, text))
                        continue;
                }
                painter.drawText(QPointF(x, baseline), text);
            }
        }
        if (grade) {
            if (current != int(Style::Fixed)) {
                painter.setFont(fonts[int(Style::Fixed)]);
                current = int(Style::Fixed);
            }
            if (!fixedFont)
                fixedFont = QRawFont::fromFont(fonts[int(Style::Fixed)]);
            grade->draw(painter, *fixedFont);
        }
        if (b->ruleBottom) {
            painter.drawLine(QPointF(left, top + height) * scale,
                             QPointF(left + sheet.band, top + height) * scale);
            if (recorder)
                recorder->rule(QStringLiteral("bottom"));
        }
    };

    const Band* header = bands[int(BandKind::PageHeader)].get();
    const Band* title = bands[int(BandKind::Title)].get();
    const Band* detail = bands[int(BandKind::Detail)].get();
    const Band* summary = bands[int(BandKind::Summary)].get();
    const Band* footer = bands[int(BandKind::PageFooter)].get();
    double y = sheet.top;
    paintBand(header, y, header->height, -1);
    y += header->height;
    if (page.title) {
        paintBand(title, y, title->height, -1);
        y += title->height;
    }
    for (int line = page.firstRow; line < page.firstRow + page.rowCount; ++line) {
        const double height = layout.rowHeights.empty() ? detail->height : layout.rowHeights[line];
        paintBand(detail, y, height, layout.emptyList ? -1 : line);
        y += height;
    }
    // A report without a summary leaves its band empty: nothing to print.
    if (page.summary && (summary->height > 0 || !summary->items().empty()))
        paintBand(summary, y, summary->height, -1);
    paintBand(footer, sheet.height - sheet.bottom - footer->height, footer->height, -1);
    painter.restore();
}

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

QString BandReport::title() const {
    for (const auto& b : bands)
        for (const auto& item : b->items())
            if (auto* l = dynamic_cast<const Label*>(item.get());
                l && l->name == QLatin1String("lbTitulo") && !l->caption().trimmed().isEmpty())
                return l->caption().simplified();
    return objectName();
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

QString BandReport::dump(const Layout& layout) const {
    RecordingDevice device;
    QPainter painter(&device);
    for (int page = 0; page < int(layout.pages.size()); ++page)
        paintPage(painter, layout, page);
    painter.end();
    return device.text();
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

void BandReport::setWarningHandler(std::function<void(const QString&)> handler) {
    warningHandler() = std::move(handler);
}

void BandReport::warn(const QString& text) {
    if (warningHandler())
        warningHandler()(text);
    else
        QMessageBox::warning(nullptr, QStringLiteral("Impressão"), text);
}

void BandReport::setClock(std::function<QDateTime()> now) {
    clock() = std::move(now);
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
