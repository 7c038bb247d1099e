#pragma once

#include <QImage>
#include <QWidget>
#include <cstddef>
#include <optional>
#include <vector>

#include "form/FormControls.h"
#include "workspace/StopsBar.h"

class QComboBox;

namespace tonzug {

class StopHandle;
class UndoBinding;

// The colour line of the gradient with its stops as markers below it and its hints as
// diamonds. A click on the line adds a stop, a marker drags along it (Shift: whole
// percent) or off it to go, a double click chooses its colour; the focused marker moves
// with the arrow keys (Shift: ten pixels), Delete removes it, Return or Space chooses its
// colour. A drag is one undo step, any other edit one of its own.
class StopsBarWidget final : public QWidget {
    Q_OBJECT

  public:
    StopsBarWidget(ParameterForm& form, UndoBinding& undo);
    ~StopsBarWidget() override;

    // Reads the form's gradient and shows it.
    void Refresh();
    const StopsBar& Model() const { return model_; }
    // Where a place of the line lies across the widget, and back.
    int XOf(double place) const;
    double PlaceAt(int x) const;

    // What the markers hand on.
    void MarkerKey(std::size_t marker, QKeyEvent& event);
    void MarkerMenu(std::size_t marker, const QPoint& globalPosition);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    enum class Dragging { kNothing, kMarker, kHint };

    void PlaceMarkers();
    // "Stopp 2 von 4, #FF8000, 40 %": a marker's name for screen readers.
    QString MarkerName(std::size_t marker) const;
    std::optional<std::size_t> MarkerAt(const QPoint& point) const;
    std::optional<std::size_t> HintAt(const QPoint& point) const;
    void RunEdit(const std::function<void()>& edit);
    void ChooseColor(std::size_t marker);
    void FocusMarker(std::size_t marker);
    void EndDrag();
    // The easing entries for a segment, and the hard band for a marker.
    void ShowMenu(std::size_t segment, std::optional<std::size_t> marker,
                  const QPoint& globalPosition);

    ParameterForm& form_;
    UndoBinding& undo_;
    StopsBar model_;
    std::vector<StopHandle*> handles_;
    std::vector<Subscription> subscriptions_;
    bool refreshPending_ = false;
    // The colours of the line as last painted, one pixel high.
    QImage rampColors_;
    FreeGradient rampGradient_;
    double rampLength_ = 0.0;
    Dragging dragging_ = Dragging::kNothing;
    std::size_t dragged_ = 0;
    bool offTheBar_ = false;
};

// The bar with the switch between the classic fields and the free gradient beside it.
class StopsPanel final : public QWidget {
    Q_OBJECT

  public:
    StopsPanel(ParameterForm& form, UndoBinding& undo);

    StopsBarWidget& Bar() { return *bar_; }

  private:
    void UpdateSwitch();

    ParameterForm& form_;
    StopsBarWidget* bar_ = nullptr;
    QComboBox* kind_ = nullptr;
    std::vector<Subscription> subscriptions_;
};

}  // namespace tonzug
