#include "reportengine/ReportPreview.h"

#include "reportengine/Planilha.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPdfDocument>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>

namespace report {

namespace {

const QString PdfFilter = QStringLiteral("Relatório em PDF (*.pdf)");

QPushButton* button(QWidget* parent, QLayout* row, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    row->addWidget(b);
    return b;
}

} // namespace

class PageView : public QWidget {
public:
    using QWidget::QWidget;
    void setImage(QImage shown) {
        image = std::move(shown);
        setFixedSize(image.size());
        update();
    }
    const QImage& current() const { return image; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, image);
    }

private:
    QImage image;
};

ReportPreview::ReportPreview(BandReport* shownReport, QWidget* parent)
    : QDialog(parent), report(shownReport) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("Impressão na Tela"));
    setModal(true);
    resize(900, 700);

    auto* layoutBox = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    btnAjustar = button(this, bar, QStringLiteral("btnAjustar"), QStringLiteral("Página Inteira"));
    btn100 = button(this, bar, QStringLiteral("btn100"), QStringLiteral("100 %"));
    btnLargura =
        button(this, bar, QStringLiteral("btnLargura"), QStringLiteral("Largura da Página"));
    btnPrimeira = button(this, bar, QStringLiteral("btnPrimeira"), QStringLiteral("|<"));
    btnAnterior = button(this, bar, QStringLiteral("btnAnterior"), QStringLiteral("<"));
    btnProxima = button(this, bar, QStringLiteral("btnProxima"), QStringLiteral(">"));
    btnUltima = button(this, bar, QStringLiteral("btnUltima"), QStringLiteral(">|"));
    btnSetup = button(this, bar, QStringLiteral("btnSetup"), QStringLiteral("Setup da Impressora"));
    btnImprimir = button(this, bar, QStringLiteral("btnImprimir"), QStringLiteral("Imprimir"));
    btnSalvar = button(this, bar, QStringLiteral("btnSalvar"), QStringLiteral("Salvar Relatório"));
    btnExportar =
        button(this, bar, QStringLiteral("btnExportar"), QStringLiteral("Exportar Planilha"));
    btnCarregar =
        button(this, bar, QStringLiteral("btnCarregar"), QStringLiteral("Carregar Relatório"));
    btnFechar = button(this, bar, QStringLiteral("btnFechar"), QStringLiteral("&Fechar"));
    bar->addStretch();
    btnPrimeira->setToolTip(QStringLiteral("Primeira página"));
    btnAnterior->setToolTip(QStringLiteral("Página anterior"));
    btnProxima->setToolTip(QStringLiteral("Próxima página"));
    btnUltima->setToolTip(QStringLiteral("Última página"));
    layoutBox->addLayout(bar);

    scroll = new QScrollArea(this);
    scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll->setBackgroundRole(QPalette::Dark);
    view = new PageView;
    scroll->setWidget(view);
    layoutBox->addWidget(scroll, 1);

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    lbPagina = new QLabel(status);
    lbPagina->setObjectName(QStringLiteral("lbPagina"));
    pbProgresso = new QProgressBar(status);
    pbProgresso->setObjectName(QStringLiteral("pbProgresso"));
    pbProgresso->setMaximumWidth(200);
    pbProgresso->hide();
    status->addWidget(lbPagina, 1);
    status->addPermanentWidget(pbProgresso);
    layoutBox->addWidget(status);
    setupConnections();
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::setupConnections() {
    connect(btnAjustar, &QPushButton::clicked, this, [this] { setZoom(Zoom::Fit); });
    connect(btn100, &QPushButton::clicked, this, [this] { setZoom(Zoom::Actual); });
    connect(btnLargura, &QPushButton::clicked, this, [this] { setZoom(Zoom::Width); });
    connect(btnPrimeira, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(btnAnterior, &QPushButton::clicked, this, [this] { showPage(page - 1); });
    connect(btnProxima, &QPushButton::clicked, this, [this] { showPage(page + 1); });
    connect(btnUltima, &QPushButton::clicked, this, [this] { showPage(pageCount() - 1); });
    connect(btnSetup, &QPushButton::clicked, this, &ReportPreview::btnSetupClick);
    connect(btnImprimir, &QPushButton::clicked, this, &ReportPreview::btnImprimirClick);
    connect(btnSalvar, &QPushButton::clicked, this, &ReportPreview::btnSalvarClick);
    connect(btnExportar, &QPushButton::clicked, this, &ReportPreview::btnExportarClick);
    connect(btnCarregar, &QPushButton::clicked, this, &ReportPreview::btnCarregarClick);
    connect(btnFechar, &QPushButton::clicked, this, &QDialog::accept);
}

void ReportPreview::run() {
    show();
    generate();
    exec();
}

void ReportPreview::generate() {
    lbPagina->setText(QStringLiteral("Gerando o relatório..."));
    pbProgresso->show();
    // The window answers while a long report is measured; a short one is
    // done before anything could happen on screen.
    QElapsedTimer clock;
    clock.start();
    layout = report->generate(report->printer(), [this, &clock](int done, int total) {
        if (clock.elapsed() > 300) {
            pbProgresso->setMaximum(total);
            pbProgresso->setValue(done);
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        return true;
    });
    pbProgresso->hide();
    page = 0;
    refresh();
}

void ReportPreview::followPrinter() {
    if (!loaded && !layout.sheet.sameAs(Sheet::of(report->printer())))
        generate();
}

int ReportPreview::pageCount() const {
    return loaded ? loaded->pageCount() : int(layout.pages.size());
}

void ReportPreview::showPage(int index) {
    if (index < 0 || index >= pageCount() || index == page)
        return;
    page = index;
    refresh();
}

void ReportPreview::setZoom(Zoom mode) {
    zoom = mode;
    refresh();
}

double ReportPreview::pixelsPerPoint() const {
    // Leave room for the vertical scroll bar that a page taller than the
    // window brings, so that page width never needs a horizontal one.
    const int frame = 2 * scroll->frameWidth() + 8;
    const int bar = scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize room = scroll->size() - QSize(frame + bar, frame);
    const QSizeF paper = paperPoints();
    switch (zoom) {
    case Zoom::Actual:
        return logicalDpiX() / 72.0;
    case Zoom::Fit:
        return std::max(0.1,
                        std::min(room.width() / paper.width(), room.height() / paper.height()));
    case Zoom::Width:
        break;
    }
    return std::max(0.1, room.width() / paper.width());
}

QSizeF ReportPreview::paperPoints() const {
    if (loaded && page < loaded->pageCount())
        return loaded->pagePointSize(page);
    return layout.sheet.points;
}

QImage ReportPreview::pageImage() const {
    return view->current();
}

QImage ReportPreview::render(int index, double perPoint) const {
    const QSizeF points = loaded ? loaded->pagePointSize(index) : layout.sheet.points;
    const int dpi = std::max(1, qRound(perPoint * 72));
    QImage image((points * dpi / 72).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    // Paper is white, also under a loaded file's pages, which come
    // transparent where nothing is printed.
    image.fill(Qt::white);
    QPainter painter(&image);
    if (loaded) {
        painter.drawImage(0, 0, loaded->render(index, image.size()));
        return image;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    report->paintPage(painter, layout, index);
    return image;
}

void ReportPreview::refresh() {
    // A loaded file has no rows behind it to export.
    btnExportar->setEnabled(!loaded);
    const int count = pageCount();
    if (count == 0) {
        view->setImage({});
        lbPagina->clear();
        return;
    }
    page = std::clamp(page, 0, count - 1);
    view->setImage(render(page, pixelsPerPoint()));
    lbPagina->setText(QStringLiteral("Página %1 de %2").arg(page + 1).arg(count));
    btnPrimeira->setEnabled(page > 0);
    btnAnterior->setEnabled(page > 0);
    btnProxima->setEnabled(page < count - 1);
    btnUltima->setEnabled(page < count - 1);
}

void ReportPreview::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isVisible() && zoom != Zoom::Actual && pageCount() > 0)
        refresh();
}

void ReportPreview::btnSetupClick() {
    if (BandReport::askPageSetup(report->printer(), this))
        followPrinter();
}

void ReportPreview::btnImprimirClick() {
    QPrinter* printer = report->printer();
    if (!BandReport::askPrinter(printer, this))
        return;
    if (loaded) {
        printLoaded(printer);
        return;
    }
    report->Print();
    followPrinter();
}

bool ReportPreview::printLoaded(QPrinter* printer) {
    const QSizeF paper = loaded->pagePointSize(0);
    Sheet sheet = Sheet::of(
        QPageLayout(QPageSize(paper, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
    const double perPoint = std::min(300, printer->resolution()) / 72.0;
    return BandReport::printThrough(
        printer, QFileInfo(loadedPath).completeBaseName(), sheet, loaded->pageCount(),
        [this, perPoint](QPainter& painter, int index) {
            const QSizeF points = loaded->pagePointSize(index);
            const double toDevice = painter.device()->logicalDpiX() / 72.0;
            painter.drawImage(QRectF(QPointF(0, 0), points * toDevice), render(index, perPoint));
        });
}

bool ReportPreview::saveAs(const QString& path) {
    if (!loaded)
        return report->writePdf(path, layout);
    if (path == loadedPath)
        return true;
    QFile::remove(path);
    return QFile::copy(loadedPath, path);
}

void ReportPreview::btnSalvarClick() {
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Salvar Relatório"), QString(),
                                                PdfFilter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!saveAs(path))
        BandReport::warn(QStringLiteral("Não foi possível gravar o relatório em %1.").arg(path));
}

void ReportPreview::btnExportarClick() {
    const QString chosen = BandReport::askSpreadsheet(this, report->title());
    if (chosen.isEmpty())
        return;
    QString failure;
    {
        // A long list takes a few seconds.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        failure = report->spreadsheet().write(Planilha::withExtension(chosen));
    }
    if (!failure.isEmpty())
        BandReport::warn(failure);
}

void ReportPreview::btnCarregarClick() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Carregar Relatório"),
                                                      QString(), PdfFilter);
    if (path.isEmpty())
        return;
    auto document = std::make_unique<QPdfDocument>();
    if (document->load(path) != QPdfDocument::Error::None || document->pageCount() == 0) {
        BandReport::warn(QStringLiteral("Não foi possível abrir o relatório %1.").arg(path));
        return;
    }
    loaded = std::move(document);
    loadedPath = path;
    page = 0;
    refresh();
}

} // namespace report
