#pragma once

#include <QDateTime>
#include <QFont>
#include <QObject>
#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

class ListCopy;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

// A banded report over one list copy. Positions and sizes are in points
// (1/72 inch) from the top-left corner of the band, inside the page margins.
namespace report {

class Planilha;

enum class Align { Left, Right, Center, BandCenter };

// A title a size smaller than the others is a SmallTitle.
enum class Style { Normal, Bold, Title, Fixed, Small, SmallTitle };

QFont fontFor(Style style);

// What every printed element shares: where it stands and how it is written.
class Item {
public:
    virtual ~Item() = default;
    QString name;
    double x = 0, y = 0, width = 0;
    Align align = Align::Left;
    Style style = Style::Normal;
};

// What a label of a page header or title band stands for in the report's
// spreadsheet: the column headings go over its columns and the letterhead
// (company name and telephone) stays out; any other label tells what the
// report was asked for (its period, product, group).
enum class LabelRole { Text, Letterhead, ColumnHeading };

// A fixed text whose caption the program may change at any time; a
// disabled label is not printed.
class Label : public Item {
public:
    LabelRole role = LabelRole::Text;

    void setCaption(const QString& text) { captionText = text; }
    const QString& caption() const { return captionText; }
    void setEnabled(bool on) { enabledFlag = on; }
    bool isEnabled() const { return enabledFlag; }

private:
    QString captionText;
    bool enabledFlag = true;
};

// The display text of a field of the current row, in the list's own format.
// A cut field shows what fits its width; a wrapping one breaks into lines
// and makes its detail line as tall as they need.
class DataField : public Item {
public:
    QString field;
    bool wrap = false;
};

// The page number or the date and time of the generation.
class SystemField : public Item {
public:
    enum Kind { PageNumber, DateTime } kind = PageNumber;
};

enum class BandKind { PageHeader, Title, Detail, Summary, PageFooter };

class Band {
public:
    explicit Band(BandKind kind) : kind(kind) {}

    BandKind kind;
    double height = 0;
    bool ruleTop = false;
    bool ruleBottom = false;
    // Run before the band is laid out: once for the summary, once per row
    // (its index, or -1 for the blank line of an empty list) for the detail.
    std::function<void(int row)> beforePrint;

    Label* label(const QString& name, const QString& caption, double x, double width,
                 Align align = Align::Left, Style style = Style::Normal, double y = 0);
    DataField* field(const QString& field, double x, double width, Align align = Align::Left,
                     bool wrap = false);
    SystemField* system(SystemField::Kind kind, double x, double width, Align align);

    const std::vector<std::unique_ptr<Item>>& items() const { return itemList; }

private:
    std::vector<std::unique_ptr<Item>> itemList;
};

// What one page carries: the bands beside header and footer, and its rows.
struct Page {
    bool title = false;
    int firstRow = 0;
    int rowCount = 0; // detail lines; for an empty list the one blank line
    bool summary = false;
};

// The paper a layout is made for, and how the bands, drawn for the band of
// an A4 portrait page, are fitted to it: on a wider band the items keep their
// proportions and spread out; on a narrower one the whole page is drawn
// smaller, so that nothing falls off the paper. Lengths are in drawing units:
// points, divided by the zoom.
struct Sheet {
    static Sheet of(const QPageLayout& page);
    // The paper of printer settings; any other device gets the design's.
    static Sheet of(const QPaintDevice* device);
    // A4 portrait with margins of 10 mm, the paper the reports are drawn for.
    static QPageLayout designPage();

    QPageLayout page = designPage();
    QSizeF points;     // the paper in points, as oriented
    double zoom = 1;   // below 1 on a band narrower than the design
    double spread = 1; // above 1 on a wider band
    double width = 0, height = 0;
    double left = 0, top = 0, bottom = 0;
    double band = 0;

    bool sameAs(const Sheet& other) const { return page.isEquivalentTo(other.page); }
};

// The result of the measuring pass.
struct Layout {
    Sheet sheet = Sheet::of(Sheet::designPage());
    std::vector<Page> pages;
    std::vector<double> rowHeights; // only when a detail field wraps
    QDateTime printedAt;
    bool emptyList = false;
};

// Answers false to cancel; called every few hundred rows and once per page.
using Progress = std::function<bool(int done, int total)>;

class BandReport : public QObject {
    Q_OBJECT
public:
    BandReport(const QString& objectName, ListCopy* data, QObject* parent);
    ~BandReport() override;

    ListCopy* data() const { return list; }
    Band* band(BandKind kind);

    // Hooks beside the bands' own.
    std::function<void()> beforeGeneration;
    std::function<void()> afterPreview;
    std::function<void()> afterPrint;

    // The whole generation: before-generation hook, then every band's hook
    // in order while the pages are measured with the metrics of device.
    // Answers an empty layout when cancelled.
    Layout generate(QPaintDevice* device, const Progress& progress = {});
    // Paints one page of a layout on any device; never changes state.
    void paintPage(QPainter& painter, const Layout& layout, int page) const;
    // Paints the pages from..to (from 1) of a layout on a paged device.
    bool paintAll(QPagedPaintDevice* device, const Layout& layout, const Progress& progress = {},
                  int from = 1, int to = std::numeric_limits<int>::max()) const;

    // The caption of its title, which names its print jobs and PDF files.
    QString title() const;

    // The report's own printer settings, kept for the rest of the run.
    QPrinter* printer();

    // The modal preview window.
    void Preview();
    // Prints with the report's printer settings, showing a progress window
    // that can cancel. Answers whether every page went out; a cancelled
    // print sends nothing, and the operator hears of a print that failed or
    // waits in the queue of a stopped printer.
    bool Print();
    // Generates and writes the report as a PDF file.
    bool SavePdf(const QString& path);
    // Writes pages already generated as a PDF file.
    bool writePdf(const QString& path, const Layout& layout) const;

    // Page text dump: page, band, item, alignment and text.
    QString dump(const Layout& layout) const;

    // The generated report as a spreadsheet: its title and what it was asked
    // for, the column headings, every row with the stored values of the
    // detail's fields, left to right, and the totals of the summary.
    Planilha spreadsheet() const;

    // Where the engine tells the operator what failed; and the clock the
    // date and time fields read (both replaceable for tests).
    static void setWarningHandler(std::function<void(const QString&)> handler);
    static void warn(const QString& text);
    static void setClock(std::function<QDateTime()> clock);

    // Replaces the print dialog of the preview window: answers whether to
    // print, after adjusting the printer.
    static void setPrintDialog(std::function<bool(QPrinter*, QWidget*)> dialog);
    static bool askPrinter(QPrinter* printer, QWidget* parent);
    // Replaces the page set-up dialog of the preview window likewise.
    static void setPageSetupDialog(std::function<bool(QPrinter*, QWidget*)> dialog);
    static bool askPageSetup(QPrinter* printer, QWidget* parent);
    // Replaces the file dialog where the preview window asks for the
    // spreadsheet to export to, given the name it proposes: answers the file
    // chosen, or an empty text when the operator cancels.
    using SpreadsheetDialog = std::function<QString(QWidget*, const QString& name)>;
    static void setSpreadsheetDialog(SpreadsheetDialog dialog);
    static QString askSpreadsheet(QWidget* parent, const QString& name);

    // Prints pages laid out for sheet, each painted by paint, through the
    // settings of printer: to its queue or to the file it names.
    using PagePainter = std::function<void(QPainter&, int page)>;
    static bool printThrough(QPrinter* printer, const QString& title, const Sheet& sheet,
                             int pageCount, const PagePainter& paint,
                             const Progress& progress = {});

    static constexpr double PageWidth = 595.2756;  // A4, points
    static constexpr double PageHeight = 841.8898; // A4, points
    static constexpr double Margin = 28.3465;      // 10 mm
    static constexpr double BandWidth = PageWidth - 2 * Margin;

private:
    bool printPages(const Layout& layout, const Progress& progress);

    ListCopy* list;
    std::vector<std::unique_ptr<Band>> bands;
    std::unique_ptr<QPrinter> settings;
};

} // namespace report
