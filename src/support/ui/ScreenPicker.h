#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>

#include "color/ColorValue.h"

class QWidget;

namespace tonzug {

// Press-drag-release colour picking from a widget: a press (any button) grabs the mouse,
// so that moves keep arriving wherever the pointer goes; every move then hands the
// colour under the pointer (ScreenPixel, possibly kNoColor) to the callback; the release
// ends it. A press and release without a move picks nothing. Escape during the pick ends
// it and hands back the colour from before the press, so a wrong pick is undone at once.
class ScreenPicker : public QObject {
    Q_OBJECT

  public:
    using PickHandler = std::function<void(ColorValue)>;
    using ColorSource = std::function<ColorValue()>;

    // Watches `source` through an event filter; the picker is a child of the source.
    // `currentColor` gives the colour that an Escape puts back.
    ScreenPicker(QWidget& source, ColorSource currentColor, PickHandler onPick);

    bool Picking() const { return picking_; }
    // Where the last pick read the screen (global coordinates).
    QPoint PickPoint() const { return pickPoint_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Start();
    void Stop();
    void Cancel();

    QPointer<QWidget> source_;
    ColorSource currentColor_;
    PickHandler onPick_;
    bool picking_ = false;
    ColorValue colorBeforePick_ = kNoColor;
    QPoint pickPoint_;
};

}  // namespace tonzug
