#pragma once

#include "reportengine/BandReport.h"

#include <QDialog>
#include <QImage>
#include <memory>

class QLabel;
class QPdfDocument;
class QProgressBar;
class QPushButton;
class QScrollArea;

namespace report {

class PageView;

// The modal preview of a report, "Impressão na Tela". It shows one page at
// a time, painted when it is shown, either of the generated report or of a
// PDF file loaded into it.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(BandReport* report, QWidget* parent = nullptr);
    ~ReportPreview() override;

    // Shows the window, generates the report and waits until it closes.
    void run();

    int pageCount() const;
    int currentPage() const { return page; } // from 0
    void showPage(int index);

    enum class Zoom { Fit, Actual, Width };
    void setZoom(Zoom mode);
    double pixelsPerPoint() const;
    // The page as shown on screen.
    QImage pageImage() const;
    bool showingLoadedFile() const { return loaded != nullptr; }

    QPushButton* btnAjustar;
    QPushButton* btn100;
    QPushButton* btnLargura;
    QPushButton* btnPrimeira;
    QPushButton* btnAnterior;
    QPushButton* btnProxima;
    QPushButton* btnUltima;
    QPushButton* btnSetup;
    QPushButton* btnImprimir;
    QPushButton* btnSalvar;
    QPushButton* btnExportar;
    QPushButton* btnCarregar;
    QPushButton* btnFechar;
    QLabel* lbPagina;
    QProgressBar* pbProgresso;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setupConnections();
    void btnImprimirClick();
    void btnSalvarClick();
    void btnExportarClick();
    void btnCarregarClick();
    void btnSetupClick();
    void refresh();
    QImage render(int index, double perPoint) const;
    // Lays the report out for the printer settings and shows its first page.
    void generate();
    // Lays the report out again when the paper of the settings changed.
    void followPrinter();
    QSizeF paperPoints() const;
    bool printLoaded(QPrinter* printer);
    bool saveAs(const QString& path);

    BandReport* report;
    Layout layout;
    std::unique_ptr<QPdfDocument> loaded;
    QString loadedPath;
    int page = 0;
    Zoom zoom = Zoom::Width;
    QScrollArea* scroll;
    PageView* view;
};

} // namespace report
