#include "workspace/ui/StopsBar.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStandardItemModel>
#include <QTimer>
#include <QVBoxLayout>
#include <array>
#include <cmath>

#include "colordlg/ui/ShowColorDialog.h"
#include "workspace/ExportParams.h"
#include "workspace/GradientEdit.h"
#include "workspace/ui/UndoBinding.h"

namespace tonzug {
namespace {

constexpr int kRampHeight = 24;
constexpr int kMarkerWidth = 15;
constexpr int kMarkerHeight = 18;
constexpr int kMarkerTip = 5;
constexpr int kDiamondHalf = 4;
constexpr int kChecker = 6;
constexpr int kPreferredWidth = 420;
constexpr int kMinimumWidth = 160;
// A marker dragged this far above or below the bar goes when it is let go.
constexpr int kRemoveDistance = 40;
constexpr double kNudgePixels = 1.0;
constexpr double kLargeNudgePixels = 10.0;
// A midpoint moved by the keyboard goes a percent of the bar per key.
constexpr double kHintKeyStep = 0.01;
constexpr int kCheckerLight = 0xFF;
constexpr int kCheckerDark = 0xCC;
constexpr double kChannelScale = 255.0;

int Margin() {
    return kMarkerWidth / 2 + 1;
}

// Every control of the form, so that the bar follows any change of the gradient.
std::vector<Subscription> ObserveForm(ParameterForm& form, const std::function<void()>& changed) {
    std::vector<Subscription> subscriptions;
    const std::array<ControlEvents*, 17> controls{
        &form.colStart, &form.colEnd, &form.colMid, &form.chkMid,      &form.txtX,     &form.txtY,
        &form.txtMid,   &form.txtM,   &form.txtSBR, &form.txtMBR,      &form.txtEBR,   &form.scrM,
        &form.optV,     &form.optF,   &form.optH,   &form.txtGradient, &form.txtEasing};
    for (ControlEvents* control : controls) {
        subscriptions.push_back(control->Observe(changed));
    }
    return subscriptions;
}

QColor Shown(const CssColor& color) {
    const ColorValue value = ToColorValue(color);
    return QColor(RedOf(value), GreenOf(value), BlueOf(value),
                  static_cast<int>(std::lround(std::clamp(color.alpha, 0.0, 1.0) * kChannelScale)));
}

void PaintChecker(QPainter& painter, const QRect& area) {
    painter.fillRect(area, QColor(kCheckerLight, kCheckerLight, kCheckerLight));
    const QColor dark(kCheckerDark, kCheckerDark, kCheckerDark);
    for (int y = area.top(); y <= area.bottom(); y += kChecker) {
        for (int x = area.left() + ((y - area.top()) / kChecker % 2) * kChecker; x <= area.right();
             x += 2 * kChecker) {
            painter.fillRect(QRect(x, y, kChecker, kChecker).intersected(area), dark);
        }
    }
}

struct EasingChoice {
    Easing easing;
    const char* caption;
};
constexpr std::array<EasingChoice, 6> kEasings{{
    {Easing::kLinear, QT_TRANSLATE_NOOP("tonzug::StopsBarWidget", "Linear")},
    {Easing::kCurved, QT_TRANSLATE_NOOP("tonzug::StopsBarWidget", "Gekrümmt")},
    {Easing::kSine, QT_TRANSLATE_NOOP("tonzug::StopsBarWidget", "Sinus")},
    {Easing::kSphereIncreasing, QT_TRANSLATE_NOOP("tonzug::StopsBarWidget", "Kugel zunehmend")},
    {Easing::kSphereDecreasing, QT_TRANSLATE_NOOP("tonzug::StopsBarWidget", "Kugel abnehmend")},
    {Easing::kStep, QT_TRANSLATE_NOOP("tonzug::StopsBarWidget", "Stufe")},
}};

}  // namespace

// One marker: a pentagon in the stop's colour pointing at the line, which the keyboard
// reaches and screen readers name as a button (Return or Space chooses its colour). The
// bar handles the mouse for all of them.
class StopHandle final : public QAbstractButton {
  public:
    explicit StopHandle(StopsBarWidget& bar) : QAbstractButton(&bar), bar_(bar) {
        setObjectName(QStringLiteral("stopMarker"));
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFixedSize(kMarkerWidth, kMarkerHeight);
    }

    void Show(std::size_t index, const StopMarker& marker, const QString& name) {
        index_ = index;
        color_ = Shown(marker.color);
        band_ = marker.IsBand();
        setAccessibleName(name);
        setToolTip(accessibleName());
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const double w = width() - 1.0;
        const double h = height() - 1.0;
        QPainterPath outline;
        outline.moveTo(w / 2.0 + 0.5, 0.5);
        outline.lineTo(w, kMarkerTip);
        outline.lineTo(w, h);
        outline.lineTo(0.5, h);
        outline.lineTo(0.5, kMarkerTip);
        outline.closeSubpath();
        painter.setClipPath(outline);
        PaintChecker(painter, rect());
        painter.fillPath(outline, color_);
        painter.setClipping(false);
        const bool focused = hasFocus();
        const QColor edge =
            focused ? palette().color(QPalette::Highlight) : palette().color(QPalette::WindowText);
        painter.setPen(QPen(edge, focused ? 2.0 : 1.0));
        painter.drawPath(outline);
        if (band_) {
            // A band: a second line across the foot.
            painter.drawLine(QPointF(2.0, h - 2.5), QPointF(w - 1.5, h - 2.5));
        }
    }
    void keyPressEvent(QKeyEvent* event) override { bar_.MarkerKey(index_, *event); }
    void contextMenuEvent(QContextMenuEvent* event) override {
        bar_.MarkerMenu(index_, event->globalPos());
    }
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }

  private:
    StopsBarWidget& bar_;
    std::size_t index_ = 0;
    QColor color_;
    bool band_ = false;
};

StopsBarWidget::StopsBarWidget(ParameterForm& form, UndoBinding& undo)
    : form_(form), undo_(undo), model_(form) {
    setObjectName(QStringLiteral("stopsBar"));
    setAccessibleName(tr("Farbverlauf"));
    setToolTip(
        tr("Klick: neuer Farbstopp; Stopp ziehen: verschieben (Umschalt: ganze "
           "Prozent), nach oben oder unten wegziehen: entfernen; Doppelklick: "
           "Farbauswahl..."));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    subscriptions_ = ObserveForm(form, [this] {
        if (!refreshPending_) {
            refreshPending_ = true;
            QTimer::singleShot(0, this, [this] {
                refreshPending_ = false;
                Refresh();
            });
        }
    });
    Refresh();
}

StopsBarWidget::~StopsBarWidget() = default;

QSize StopsBarWidget::sizeHint() const {
    return {kPreferredWidth, kRampHeight + kMarkerHeight + 2};
}

QSize StopsBarWidget::minimumSizeHint() const {
    return {kMinimumWidth, kRampHeight + kMarkerHeight + 2};
}

int StopsBarWidget::XOf(double place) const {
    const int span = width() - 2 * Margin();
    return Margin() + static_cast<int>(std::lround(std::clamp(place, 0.0, 1.0) * span));
}

double StopsBarWidget::PlaceAt(int x) const {
    const int span = std::max(width() - 2 * Margin(), 1);
    return std::clamp(static_cast<double>(x - Margin()) / span, 0.0, 1.0);
}

void StopsBarWidget::Refresh() {
    if (dragging_ != Dragging::kNothing) {
        return;  // the drag shows its own edits
    }
    const FreeGradient shown = model_.Gradient();
    const double shownLength = model_.LineLength();
    model_.Refresh();
    // Most changes of the form (a colour depth, a keystroke in a field that is clamped
    // back) leave the line as it was: nothing to place or paint then.
    if (!handles_.empty() && model_.Gradient() == shown && model_.LineLength() == shownLength) {
        return;
    }
    PlaceMarkers();
}

void StopsBarWidget::PlaceMarkers() {
    const std::vector<StopMarker>& markers = model_.Markers();
    while (handles_.size() > markers.size()) {
        handles_.back()->hide();
        handles_.back()->deleteLater();
        handles_.pop_back();
    }
    while (handles_.size() < markers.size()) {
        auto* handle = new StopHandle(*this);
        handles_.push_back(handle);
        handle->show();
    }
    for (std::size_t i = 0; i < markers.size(); ++i) {
        handles_[i]->Show(i, markers[i], MarkerName(i));
        handles_[i]->move(XOf(markers[i].place) - kMarkerWidth / 2, kRampHeight + 1);
        handles_[i]->setVisible(!(offTheBar_ && dragging_ == Dragging::kMarker && i == dragged_));
    }
    // Tab goes through the markers from left to right.
    for (std::size_t i = 1; i < handles_.size(); ++i) {
        setTabOrder(handles_[i - 1], handles_[i]);
    }
    update();
}

void StopsBarWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect ramp(Margin(), 0, width() - 2 * Margin(), kRampHeight);
    PaintChecker(painter, ramp);
    // The line's colours are worked out again only when the line or the width changed.
    if (ramp.width() != rampColors_.width() || model_.Gradient() != rampGradient_ ||
        model_.LineLength() != rampLength_) {
        rampGradient_ = model_.Gradient();
        rampLength_ = model_.LineLength();
        rampColors_ = QImage(std::max(ramp.width(), 1), 1, QImage::Format_ARGB32);
        const std::vector<CssColor> colors = model_.ColorsAlong(rampColors_.width());
        for (int i = 0; i < rampColors_.width(); ++i) {
            rampColors_.setPixelColor(i, 0, Shown(colors[static_cast<std::size_t>(i)]));
        }
    }
    painter.drawImage(ramp, rampColors_);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(ramp.adjusted(0, 0, -1, -1));
    painter.setRenderHint(QPainter::Antialiasing);
    const int foot = kRampHeight + kMarkerHeight / 2 + 1;
    for (const StopMarker& marker : model_.Markers()) {
        if (marker.IsBand()) {
            painter.fillRect(
                QRect(XOf(marker.place), foot - 1, XOf(marker.bandEnd) - XOf(marker.place), 3),
                palette().color(QPalette::Mid));
        }
    }
    for (const HintDiamond& hint : model_.Hints()) {
        const QPointF centre(XOf(hint.place), foot);
        const std::array<QPointF, 4> corners{
            centre + QPointF(0, -kDiamondHalf), centre + QPointF(kDiamondHalf, 0),
            centre + QPointF(0, kDiamondHalf), centre + QPointF(-kDiamondHalf, 0)};
        painter.setPen(palette().color(QPalette::WindowText));
        painter.setBrush(palette().color(QPalette::Base));
        painter.drawPolygon(corners.data(), static_cast<int>(corners.size()));
    }
}

QString StopsBarWidget::MarkerName(std::size_t marker) const {
    const StopsBar::MarkerFacts facts = model_.SpokenFacts(marker);
    QString name =
        tr("Stopp %1 von %2, %3, %4")
            .arg(marker + 1)
            .arg(model_.Markers().size())
            .arg(QString::fromStdString(facts.color), QString::fromStdString(facts.place));
    if (facts.bandEnd) {
        name += tr(" bis %1").arg(QString::fromStdString(*facts.bandEnd));
    }
    if (facts.opacity) {
        name += tr(", Deckkraft %1").arg(QString::fromStdString(*facts.opacity));
    }
    return name;
}

void StopsBarWidget::resizeEvent(QResizeEvent*) {
    PlaceMarkers();
}

std::optional<std::size_t> StopsBarWidget::MarkerAt(const QPoint& point) const {
    for (std::size_t i = handles_.size(); i-- > 0;) {
        if (handles_[i]->isVisible() && handles_[i]->geometry().contains(point)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> StopsBarWidget::HintAt(const QPoint& point) const {
    const int foot = kRampHeight + kMarkerHeight / 2 + 1;
    const std::vector<HintDiamond>& hints = model_.Hints();
    for (std::size_t i = 0; i < hints.size(); ++i) {
        if (std::abs(point.x() - XOf(hints[i].place)) <= kDiamondHalf + 1 &&
            std::abs(point.y() - foot) <= kDiamondHalf + 1) {
            return i;
        }
    }
    return std::nullopt;
}

void StopsBarWidget::RunEdit(const std::function<void()>& edit) {
    form_.FinishEdits();
    undo_.RunCommand(edit);
    PlaceMarkers();
}

void StopsBarWidget::FocusMarker(std::size_t marker) {
    if (marker < handles_.size()) {
        handles_[marker]->setFocus(Qt::OtherFocusReason);
    }
}

void StopsBarWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event->position().toPoint();
    std::optional<std::size_t> marker = MarkerAt(point);
    const std::optional<std::size_t> hint = marker ? std::nullopt : HintAt(point);
    const bool onLine = point.y() < kRampHeight;
    if (!marker && !hint && !onLine) {
        return;
    }
    form_.FinishEdits();
    // A stop added on the line can be dragged on at once: adding and dragging are one step.
    undo_.History().BeginGesture();
    if (onLine && !marker && !hint) {
        marker = model_.AddStop(PlaceAt(point.x()));
        PlaceMarkers();
    }
    dragging_ = marker ? Dragging::kMarker : Dragging::kHint;
    dragged_ = marker ? *marker : *hint;
    if (marker) {
        FocusMarker(*marker);
    }
}

void StopsBarWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (dragging_ == Dragging::kHint) {
        model_.MoveHint(model_.Hints()[dragged_].segment, PlaceAt(point.x()));
        PlaceMarkers();
        return;
    }
    if (dragging_ != Dragging::kMarker) {
        return;
    }
    const bool wasOff = offTheBar_;
    offTheBar_ = model_.Markers().size() > 2 &&
                 (point.y() < -kRemoveDistance || point.y() > height() + kRemoveDistance);
    if (!offTheBar_) {
        const PlaceSnap snap =
            event->modifiers().testFlag(Qt::ShiftModifier) ? PlaceSnap::kPercent : PlaceSnap::kFine;
        dragged_ = model_.MoveMarker(dragged_, PlaceAt(point.x()), snap);
        FocusMarker(dragged_);
    }
    if (wasOff != offTheBar_ || !offTheBar_) {
        PlaceMarkers();
    }
}

void StopsBarWidget::mouseReleaseEvent(QMouseEvent*) {
    if (dragging_ == Dragging::kMarker && offTheBar_) {
        model_.RemoveMarker(dragged_);
    }
    EndDrag();
}

void StopsBarWidget::EndDrag() {
    if (dragging_ == Dragging::kNothing) {
        return;
    }
    dragging_ = Dragging::kNothing;
    offTheBar_ = false;
    undo_.History().EndGesture();
    undo_.Record();
    Refresh();
}

void StopsBarWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (const std::optional<std::size_t> marker = MarkerAt(event->position().toPoint())) {
        EndDrag();
        ChooseColor(*marker);
    }
}

void StopsBarWidget::ChooseColor(std::size_t marker) {
    const CssColor was = model_.Markers()[marker].color;
    const ColorValue chosen = ShowColorDialog(this, ToColorValue(was), BackgroundButton::kHidden,
                                              HtmlRow::kShown, QString());
    if (chosen == kNoColor) {
        return;
    }
    CssColor color(RedOf(chosen) / kChannelScale, GreenOf(chosen) / kChannelScale,
                   BlueOf(chosen) / kChannelScale, was.alpha);
    RunEdit([this, marker, color] { model_.SetMarkerColor(marker, color); });
    FocusMarker(marker);
}

void StopsBarWidget::MarkerKey(std::size_t marker, QKeyEvent& event) {
    const bool large = event.modifiers().testFlag(Qt::ShiftModifier);
    const double step = large ? kLargeNudgePixels : kNudgePixels;
    const std::vector<StopMarker>& markers = model_.Markers();
    // The neighbour a keyboard edit between two markers works toward.
    const std::size_t next = marker + 1 < markers.size() ? marker + 1 : marker - 1;
    const bool arrow = event.key() == Qt::Key_Left || event.key() == Qt::Key_Right;
    if (arrow && event.modifiers().testFlag(Qt::AltModifier)) {
        // Alt+arrow moves the midpoint between this marker and the next by a percent.
        const std::size_t segment = model_.SegmentAfter(std::min(marker, next));
        double place = (markers[marker].place + markers[next].place) / 2.0;
        for (const HintDiamond& hint : model_.Hints()) {
            if (hint.segment == segment) {
                place = hint.place;
            }
        }
        const double change = (event.key() == Qt::Key_Left ? -1.0 : 1.0) * kHintKeyStep;
        RunEdit([this, segment, place, change] { model_.MoveHint(segment, place + change); });
        FocusMarker(marker);
        return;
    }
    switch (event.key()) {
        case Qt::Key_Insert: {
            // A new stop half way to the next marker, as a click there would add.
            std::size_t added = marker;
            const double place = (markers[marker].place + markers[next].place) / 2.0;
            RunEdit([this, &added, place] { added = model_.AddStop(place); });
            FocusMarker(added);
            return;
        }
        case Qt::Key_Left:
        case Qt::Key_Right: {
            const double pixels = event.key() == Qt::Key_Left ? -step : step;
            std::size_t moved = marker;
            RunEdit([this, &moved, marker, pixels] { moved = model_.NudgeMarker(marker, pixels); });
            FocusMarker(moved);
            return;
        }
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            RunEdit([this, marker] { model_.RemoveMarker(marker); });
            FocusMarker(std::min(marker, handles_.size() - 1));
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            ChooseColor(marker);
            return;
        default:
            event.ignore();
    }
}

void StopsBarWidget::MarkerMenu(std::size_t marker, const QPoint& globalPosition) {
    const std::size_t markers = model_.Markers().size();
    const std::size_t segment = model_.SegmentAfter(marker + 1 < markers ? marker : marker - 1);
    ShowMenu(segment, marker, globalPosition);
}

void StopsBarWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (const std::optional<std::size_t> marker = MarkerAt(event->pos())) {
        MarkerMenu(*marker, event->globalPos());
        return;
    }
    // The segment under the pointer.
    const double place = PlaceAt(event->pos().x());
    const std::vector<StopMarker>& markers = model_.Markers();
    std::size_t before = 0;
    while (before + 2 < markers.size() && markers[before + 1].place <= place) {
        ++before;
    }
    ShowMenu(model_.SegmentAfter(before), std::nullopt, event->globalPos());
}

void StopsBarWidget::ShowMenu(std::size_t segment, std::optional<std::size_t> marker,
                              const QPoint& globalPosition) {
    QMenu menu(this);
    const Easing current = model_.Gradient().segments[segment].easing;
    auto* easings = new QActionGroup(&menu);
    for (const EasingChoice& choice : kEasings) {
        QAction* action = menu.addAction(tr(choice.caption));
        easings->addAction(action);
        action->setCheckable(true);
        action->setChecked(choice.easing == current);
        connect(action, &QAction::triggered, this, [this, segment, easing = choice.easing] {
            RunEdit([this, segment, easing] { model_.SetEasing(segment, easing); });
        });
    }
    if (marker) {
        menu.addSeparator();
        connect(
            menu.addAction(tr("Als harte Kante")), &QAction::triggered, this,
            [this, index = *marker] { RunEdit([this, index] { model_.MakeHardBand(index); }); });
        connect(menu.addAction(tr("Farbe wählen...")), &QAction::triggered, this,
                [this, index = *marker] { ChooseColor(index); });
        QAction* remove = menu.addAction(tr("Entfernen"));
        remove->setEnabled(model_.Markers().size() > 2);
        connect(remove, &QAction::triggered, this, [this, index = *marker] {
            RunEdit([this, index] { model_.RemoveMarker(index); });
        });
    }
    menu.exec(globalPosition);
}

StopsPanel::StopsPanel(ParameterForm& form, UndoBinding& undo) : form_(form) {
    setObjectName(QStringLiteral("stopsPanel"));
    // The switch before the bar, on one row: the bar takes the width.
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    bar_ = new StopsBarWidget(form, undo);
    auto* label = new QLabel(tr("&Verlaufsart :"));
    kind_ = new QComboBox;
    kind_->setObjectName(QStringLiteral("cboKind"));
    kind_->addItems({tr("Klassisch"), tr("Frei")});
    kind_->setAccessibleName(tr("Verlaufsart"));
    label->setBuddy(kind_);
    row->addWidget(label);
    row->addWidget(kind_);
    row->addWidget(bar_, 1);
    connect(kind_, &QComboBox::activated, this, [this, &undo](int index) {
        form_.FinishEdits();
        undo.RunCommand([this, index] {
            if (index == 0) {
                TurnClassic(form_);
            } else {
                TurnFree(form_);
            }
        });
        UpdateSwitch();
    });
    subscriptions_ = ObserveForm(form, [this] { UpdateSwitch(); });
    UpdateSwitch();
}

void StopsPanel::UpdateSwitch() {
    const bool free = HoldsFreeGradient(form_);
    const bool fits = !free || ClassicFormOf(*ReadFreeGradient(form_), form_.Gather()).has_value();
    auto* items = qobject_cast<QStandardItemModel*>(kind_->model());
    items->item(0)->setEnabled(fits);
    const QString why = fits
                            ? tr("Klassisch: Start-, Mittel- und Endfarbe in den Feldern; Frei: "
                                 "beliebig viele Farbstopps...")
                            : tr("Die klassischen Felder können diesen Verlauf nicht genau halten: "
                                 "sie kennen zwei oder drei deckende Farben ohne Zwischenpunkte, "
                                 "nach rechts, nach unten oder als Kreis um die Mitte, gemischt in "
                                 "RGB, HSL, Oklab oder OkLCh...");
    kind_->setToolTip(why);
    kind_->setAccessibleDescription(why);
    kind_->setCurrentIndex(free ? 1 : 0);
}

}  // namespace tonzug
