#pragma once

#include <QFrame>

#include "color/ColorValue.h"

namespace tonzug {

// A colour swatch: a framed box filled with its colour. System colours show as the
// desktop colour they stand for; the box keeps its colour for a value it cannot show.
class SwatchBox : public QFrame {
    Q_OBJECT

  public:
    explicit SwatchBox(QWidget* parent = nullptr);

    ColorValue Color() const { return color_; }
    void SetColor(ColorValue color);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ColorValue color_ = kBlack;
};

}  // namespace tonzug
