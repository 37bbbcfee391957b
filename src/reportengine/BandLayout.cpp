// The measuring pass: the pages of a report on the paper of its device.
#include "reportengine/BandReport.h"

#include "data/ListCopy.h"
#include "reportengine/BandEngine.h"

#include <QFontMetricsF>
#include <QPrinter>

namespace report {

// Device pixels per point.
double scaleOf(const QPaintDevice* device) {
    return device->logicalDpiY() / 72.0;
}

namespace {

bool hasWrap(const Band* band) {
    for (const auto& item : band->items())
        if (auto* f = dynamic_cast<const DataField*>(item.get()); f && f->wrap)
            return true;
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

} // namespace report
