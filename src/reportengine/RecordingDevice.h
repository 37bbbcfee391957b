#pragma once

#include <QPaintDevice>
#include <QString>
#include <memory>

class QPaintEngine;

namespace report {

// A page-sized device at 72 dots per inch that draws nothing and writes
// down what the painting function prints: page by page, band by band, each
// item with its alignment and text, and the rules.
class RecordingDevice : public QPaintDevice {
public:
    RecordingDevice();
    ~RecordingDevice() override;

    QPaintEngine* paintEngine() const override;

    void beginPage(int number);
    void beginBand(const QString& name);
    void item(const QString& alignment, const QString& name, const QString& text);
    void rule(const QString& edge);

    const QString& text() const { return lines; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<QPaintEngine> engine;
    QString lines;
};

} // namespace report
