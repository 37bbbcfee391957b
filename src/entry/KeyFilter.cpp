#include "entry/KeyFilter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>

QChar filterKey(KeyFilter filter, QChar key) {
    if (filter == KeyFilter::None || !key.isPrint())
        return key;
    if (key.isDigit() && key.unicode() < 128)
        return key;
    switch (filter) {
    case KeyFilter::Decimal:
        return key == u',' || key == u'.' ? QChar(u',') : QChar();
    case KeyFilter::WholeNumber:
        return key == u',' ? key : QChar();
    default:
        return QChar();
    }
}

QChar typedCharacter(const QKeyEvent& event) {
    return event.text().size() == 1 ? event.text().front() : QChar();
}

QKeyEvent retyped(const QKeyEvent& event, QChar key) {
    int code = Qt::Key_unknown;
    if (key == u'\b')
        code = Qt::Key_Backspace;
    else if (key == u'\r')
        code = Qt::Key_Return;
    else if (key.isPrint())
        code = key.toUpper().unicode();
    return QKeyEvent(event.type(), code, event.modifiers(), QString(key), event.isAutoRepeat());
}

QString filterPaste(KeyFilter filter, const QString& pasted) {
    if (filter == KeyFilter::None)
        return pasted;
    QString text = pasted.trimmed();
    if (text.startsWith(QStringLiteral("R$")))
        text.remove(0, 2);
    if (filter == KeyFilter::Decimal && text.endsWith(u'%'))
        text.chop(1);
    text = text.trimmed();
    // Thousands grouped by full stops, then the decimals after a comma.
    static const QRegularExpression grouped(QStringLiteral("^\\d{1,3}(\\.\\d{3})+(,\\d*)?$"));
    static const QRegularExpression plain(QStringLiteral("^\\d+(,\\d*)?$"));
    static const QRegularExpression point(QStringLiteral("^\\d*\\.\\d+$"));
    if (grouped.match(text).hasMatch())
        text.remove(u'.');
    else if (filter == KeyFilter::Decimal && point.match(text).hasMatch())
        text.replace(u'.', u','); // a decimal point, as the keys type it
    else if (!plain.match(text).hasMatch())
        return {};
    if (filter == KeyFilter::Digits && text.contains(u','))
        return {};
    return text;
}

namespace {

class PasteGuard : public QObject {
public:
    PasteGuard(QLineEdit* field, std::function<KeyFilter()> filter)
        : QObject(field), field(field), filter(std::move(filter)) {
        field->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (filter() == KeyFilter::None)
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
                return false;
            paste(QClipboard::Clipboard);
            return true;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton)
                return false;
            paste(QClipboard::Selection);
            return true;
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            event->ignore();
            return true;
        case QEvent::ContextMenu:
            showMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        default:
            return false;
        }
    }

private:
    void paste(QClipboard::Mode mode) {
        if (field->isReadOnly())
            return;
        const QString text = filterPaste(filter(), QApplication::clipboard()->text(mode));
        if (text.isNull())
            QApplication::beep();
        else
            field->insert(text);
    }

    // The field's own menu, its paste going through the filter.
    void showMenu(const QPoint& where) {
        QMenu* menu = field->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        for (QAction* action : menu->actions())
            if (action->objectName() == QStringLiteral("edit-paste")) {
                action->disconnect(field);
                connect(action, &QAction::triggered, this,
                        [this] { paste(QClipboard::Clipboard); });
            }
        menu->popup(where);
    }

    QLineEdit* field;
    std::function<KeyFilter()> filter;
};

} // namespace

void guardPaste(QLineEdit* field, std::function<KeyFilter()> filter) {
    new PasteGuard(field, std::move(filter));
}
