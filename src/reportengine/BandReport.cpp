// The bands of a report and the items printed in them; the engine's hooks.
#include "reportengine/BandReport.h"

#include "reportengine/BandEngine.h"

#include <QMessageBox>
#include <QPrinter>

namespace report {

std::function<QDateTime()>& clock() {
    static std::function<QDateTime()> now;
    return now;
}

namespace {

std::function<void(const QString&)>& warningHandler() {
    static std::function<void(const QString&)> handler;
    return handler;
}

} // namespace

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

QString BandReport::title() const {
    for (const auto& b : bands)
        for (const auto& item : b->items())
            if (auto* l = dynamic_cast<const Label*>(item.get());
                l && l->name == QLatin1String("lbTitulo") && !l->caption().trimmed().isEmpty())
                return l->caption().simplified();
    return objectName();
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

} // namespace report
