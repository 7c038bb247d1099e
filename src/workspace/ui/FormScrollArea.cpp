#include "workspace/ui/FormScrollArea.h"

#include <QApplication>
#include <QBoxLayout>
#include <QEvent>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace tonzug {
namespace {

// Lines of text a squeezed form still shows before it scrolls.
constexpr int kMinimumVisibleLines = 6;

}  // namespace

FormScrollArea::FormScrollArea(QWidget& form, QWidget* parent)
    : QScrollArea(parent), columns_(qobject_cast<QBoxLayout*>(form.layout())) {
    // Only a row of columns is stacked; any other form just scrolls.
    if (columns_ != nullptr && columns_->direction() != QBoxLayout::LeftToRight) {
        columns_ = nullptr;
    }
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    // The controls inside take the focus, not the area around them.
    setFocusPolicy(Qt::NoFocus);
    // Wider than the form gives it nothing; the window's other parts take the room.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidget(&form);
    // Tab already brings the next control into view; a click, a mnemonic or the program
    // may move the focus as well.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* /*old*/, QWidget* now) {
        if (now != nullptr && widget() != nullptr && widget()->isAncestorOf(now)) {
            ensureWidgetVisible(now);
        }
    });
}

QSize FormScrollArea::sizeHint() const {
    const int frame = 2 * frameWidth();
    return (columns_ != nullptr ? SideBySideSize() : widget()->sizeHint()) + QSize(frame, frame);
}

QSize FormScrollArea::minimumSizeHint() const {
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    int columnWidth = 0;
    if (columns_ != nullptr) {
        for (int index = 0; index < columns_->count(); ++index) {
            columnWidth = std::max(columnWidth, columns_->itemAt(index)->sizeHint().width());
        }
    }
    return {columnWidth + scrollBar + 2 * frameWidth(),
            kMinimumVisibleLines * fontMetrics().height()};
}

bool FormScrollArea::ColumnsStacked() const {
    return columns_ != nullptr && columns_->direction() == QBoxLayout::TopToBottom;
}

QSize FormScrollArea::SideBySideSize() const {
    int width = 0;
    int height = 0;
    int shown = 0;
    for (int index = 0; index < columns_->count(); ++index) {
        const QLayoutItem* column = columns_->itemAt(index);
        if (!column->isEmpty()) {
            width += column->sizeHint().width();
            height = std::max(height, column->sizeHint().height());
            ++shown;
        }
    }
    const QMargins margins = columns_->contentsMargins();
    return {width + std::max(shown - 1, 0) * columns_->spacing() + margins.left() + margins.right(),
            height + margins.top() + margins.bottom()};
}

void FormScrollArea::resizeEvent(QResizeEvent* event) {
    if (columns_ != nullptr) {
        // Decided on the area's own size, whichever scroll bars show now: side by side
        // where the columns fit beside the vertical scroll bar they would need.
        const QSize sideBySide = SideBySideSize();
        const QRect area = contentsRect();
        const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        const int available = area.width() - (sideBySide.height() > area.height() ? scrollBar : 0);
        columns_->setDirection(available >= sideBySide.width() ? QBoxLayout::LeftToRight
                                                               : QBoxLayout::TopToBottom);
    }
    QScrollArea::resizeEvent(event);
}

}  // namespace tonzug
