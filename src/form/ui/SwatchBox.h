#pragma once

#include <QFrame>

#include "color/ColorValue.h"

namespace tonzug {

// A colour swatch: a framed box filled with its colour. System colours show as the
// desktop colour they stand for; the box keeps its colour for a value it cannot show.
// Given the focus (setFocusPolicy), it opens its chooser by Return and takes a pasted colour.
class SwatchBox : public QFrame {
    Q_OBJECT

  public:
    explicit SwatchBox(QWidget* parent = nullptr);

    ColorValue Color() const { return color_; }
    void SetColor(ColorValue color);

    QSize sizeHint() const override;

  signals:
    // Return or Space while the swatch has the focus.
    void activated();
    // Ctrl+V (the desktop's paste keys) while the swatch has the focus.
    void pasteRequested();

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    ColorValue color_ = kBlack;
};

}  // namespace tonzug
