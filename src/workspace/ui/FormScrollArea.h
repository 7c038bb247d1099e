#pragma once

#include <QScrollArea>

class QBoxLayout;

namespace tonzug {

// Holds a form whose top layout is a row of columns, so that a window smaller than the form
// still reaches every control: where the row does not fit the width the columns stack, and
// what does not fit then scrolls. The control that takes the focus is scrolled into view.
class FormScrollArea : public QScrollArea {
    Q_OBJECT

  public:
    explicit FormScrollArea(QWidget& form, QWidget* parent = nullptr);

    // As large as the form wants, so that a window of its preferred size scrolls nothing.
    QSize sizeHint() const override;
    // One column's width; of the height only a few lines.
    QSize minimumSizeHint() const override;
    bool ColumnsStacked() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The size the columns take side by side, at their preferred sizes.
    QSize SideBySideSize() const;

    QBoxLayout* columns_ = nullptr;
};

}  // namespace tonzug
