#include "reportengine/RecordingDevice.h"

#include "reportengine/BandReport.h"

#include <QPaintEngine>

namespace report {

namespace {

class SilentEngine : public QPaintEngine {
public:
    SilentEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem&) override {}
    void drawLines(const QLineF*, int) override {}
    void drawPath(const QPainterPath&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    Type type() const override { return QPaintEngine::User; }
};

} // namespace

RecordingDevice::RecordingDevice() : engine(std::make_unique<SilentEngine>()) {}

RecordingDevice::~RecordingDevice() = default;

QPaintEngine* RecordingDevice::paintEngine() const {
    return engine.get();
}

int RecordingDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return qRound(BandReport::PageWidth);
    case PdmHeight:
        return qRound(BandReport::PageHeight);
    case PdmWidthMM:
        return 210;
    case PdmHeightMM:
        return 297;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 72;
    case PdmDepth:
        return 32;
    case PdmNumColors:
        return INT_MAX;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default:
        return 0;
    }
}

void RecordingDevice::beginPage(int number) {
    lines += QStringLiteral("page %1\n").arg(number);
}

void RecordingDevice::beginBand(const QString& name) {
    lines += QStringLiteral("  %1\n").arg(name);
}

void RecordingDevice::item(const QString& alignment, const QString& name, const QString& text) {
    lines += QStringLiteral("    %1 %2: \"%3\"\n").arg(name, alignment, text);
}

void RecordingDevice::rule(const QString& edge) {
    lines += QStringLiteral("    rule along the %1\n").arg(edge);
}

} // namespace report
