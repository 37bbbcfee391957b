// Painting one page of a layout on any device, and the text dump of the
// pages that the tests compare.
#include "reportengine/BandReport.h"

#include "data/ListCopy.h"
#include "reportengine/BandEngine.h"
#include "reportengine/RecordingDevice.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <array>
#include <optional>

namespace report {

namespace {

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

} // namespace

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

QString BandReport::dump(const Layout& layout) const {
    RecordingDevice device;
    QPainter painter(&device);
    for (int page = 0; page < int(layout.pages.size()); ++page)
        paintPage(painter, layout, page);
    painter.end();
    return device.text();
}

} // namespace report
