#include "workspace/ui/ShapePanel.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

#include "color/CssSpaces.h"
#include "export/ExportPicture.h"
#include "workspace/GradientEdit.h"
#include "workspace/ParameterForm.h"
#include "workspace/PreviewLayout.h"
#include "workspace/ShapeEdit.h"

namespace tonzug {
namespace {

constexpr double kFullTurn = 360.0;
constexpr double kLowestCentre = -100.0;
constexpr double kHighestCentre = 200.0;
constexpr int kDecimals = 2;
constexpr int kHuePaths = 5;
// "direkt" blends hues as plain numbers, which CSS cannot say: a free gradient has none.
constexpr int kDirectHueOption = 0;

QDoubleSpinBox* MakeNumberBox(const char* name, double lowest, double highest) {
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(lowest, highest);
    box->setDecimals(kDecimals);
    // A value counts when typing ends or an arrow steps it, so typing "45" is one change.
    box->setKeyboardTracking(false);
    return box;
}

QLabel* MakeCaption(const QString& text, QWidget& buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(&buddy);
    return label;
}

void ShowValue(QDoubleSpinBox& box, double value) {
    const QSignalBlocker blocker(box);
    box.setValue(value);
}

}  // namespace

ShapePanel::ShapePanel(ParameterForm& form, QWidget& controls, QWidget* parent)
    : QGroupBox(tr("Form : "), parent), form_(form), controls_(controls) {
    setObjectName(QStringLiteral("F8"));
    auto* grid = new QGridLayout(this);

    shape_ = new QComboBox;
    shape_->setObjectName(QStringLiteral("cboShape"));
    shape_->addItems({tr("Linear"), tr("Kreis"), tr("Ellipse"), tr("Kegel")});
    grid->addWidget(MakeCaption(tr("Form : "), *shape_), 0, 0);
    grid->addWidget(shape_, 0, 1);
    repeating_ = new QCheckBox(tr("Wiederholen"));
    repeating_->setObjectName(QStringLiteral("chkRepeat"));
    grid->addWidget(repeating_, 0, 2);

    angle_ = MakeNumberBox("spnAngle", 0.0, kFullTurn);
    angle_->setWrapping(true);
    angle_->setToolTip(tr("Auch durch Ziehen in der Voransicht..."));
    grid->addWidget(MakeCaption(tr("Winkel [°] : "), *angle_), 1, 0);
    grid->addWidget(angle_, 1, 1);

    centreX_ = MakeNumberBox("spnCentreX", kLowestCentre, kHighestCentre);
    centreY_ = MakeNumberBox("spnCentreY", kLowestCentre, kHighestCentre);
    for (QDoubleSpinBox* centre : {centreX_, centreY_}) {
        centre->setToolTip(tr("Auch durch Ziehen in der Voransicht..."));
    }
    // Both coordinates on one row, each named for itself.
    grid->addWidget(MakeCaption(tr("Mitte [%] : "), *centreX_), 2, 0);
    grid->addWidget(centreX_, 2, 1);
    grid->addWidget(centreY_, 2, 2);
    centreX_->setAccessibleName(tr("Mitte X [%]"));
    centreY_->setAccessibleName(tr("Mitte Y [%]"));

    extent_ = new QComboBox;
    extent_->setObjectName(QStringLiteral("cboExtent"));
    // In the order of RadialExtent.
    extent_->addItems(
        {tr("Nächste Seite"), tr("Fernste Seite"), tr("Nächste Ecke"), tr("Fernste Ecke")});
    grid->addWidget(MakeCaption(tr("Ausdehnung : "), *extent_), 3, 0);
    grid->addWidget(extent_, 3, 1, 1, 2);
    grid->setColumnStretch(3, 1);

    otherSpaces_ = new QComboBox;
    otherSpaces_->setObjectName(QStringLiteral("cboSpace"));
    otherSpaces_->addItem(QStringLiteral("—"));
    for (std::size_t option = kClassicSpaceOptions; option < kSpaceOptions.size(); ++option) {
        otherSpaces_->addItem(
            QString::fromUtf8(kSpaceOptions[option].caption.data(),
                              static_cast<qsizetype>(kSpaceOptions[option].caption.size())));
    }
    otherSpaces_->setToolTip(tr("Weitere Farbräume von CSS: der Farbverlauf wird frei..."));

    connect(shape_, &QComboBox::activated, this, [this](int choice) {
        EditShape([choice](FreeGradient& gradient) {
            SetShapeChoice(gradient, static_cast<ShapeChoice>(choice));
        });
    });
    connect(repeating_, &QCheckBox::clicked, this, [this](bool checked) {
        EditShape([checked](FreeGradient& gradient) { gradient.repeating = checked; });
    });
    connect(angle_, &QDoubleSpinBox::valueChanged, this, [this](double degrees) {
        EditShape([degrees](FreeGradient& gradient) { SetShapeAngle(gradient, degrees); });
    });
    for (QDoubleSpinBox* centre : {centreX_, centreY_}) {
        connect(centre, &QDoubleSpinBox::valueChanged, this, [this] {
            EditShape([this](FreeGradient& gradient) {
                SetShapeCentre(gradient, {centreX_->value(), centreY_->value()});
            });
        });
    }
    connect(extent_, &QComboBox::activated, this, [this](int extent) {
        EditShape([extent](FreeGradient& gradient) {
            SetShapeExtent(gradient, static_cast<RadialExtent>(extent));
        });
    });
    connect(otherSpaces_, &QComboBox::activated, this, [this](int item) {
        if (item > 0) {
            EditShape([item](FreeGradient& gradient) {
                gradient.interpolation.space = kSpaceOptions[kClassicSpaceOptions + item - 1].space;
            });
        }
    });
}

QWidget* ShapePanel::OtherSpaces() {
    return otherSpaces_;
}

void ShapePanel::BindSpaceButtons() {
    for (int option = 0; option < kClassicSpaceOptions; ++option) {
        if (QAbstractButton* button = Button("optF", option)) {
            connect(button, &QAbstractButton::clicked, this,
                    [this, option] { ModeClicked(option); });
        }
    }
    for (int option = 0; option < kHuePaths; ++option) {
        if (QAbstractButton* button = Button("optH", option)) {
            connect(button, &QAbstractButton::clicked, this,
                    [this, option] { HuePathClicked(option); });
        }
    }
}

template <class Edit>
void ShapePanel::EditShape(Edit edit) {
    // The shape works on the set as the user finished it, clamps written.
    form_.FinishEdits();
    FreeGradient gradient = EditedGradient(form_);
    edit(gradient);
    ApplyEditedGradient(form_, gradient);
}

void ShapePanel::ModeClicked(int option) {
    // The classic mode is the option itself; a free gradient takes it as its space.
    if (HoldsFreeGradient(form_)) {
        EditShape([option](FreeGradient& gradient) {
            gradient.interpolation.space = kSpaceOptions[option].space;
        });
    }
}

void ShapePanel::HuePathClicked(int option) {
    if (HoldsFreeGradient(form_)) {
        EditShape([option](FreeGradient& gradient) {
            gradient.interpolation.hue = HuePathFromKey(option);
        });
    }
}

QAbstractButton* ShapePanel::Button(const char* prefix, int option) const {
    return controls_.findChild<QAbstractButton*>(
        QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(option));
}

void ShapePanel::Refresh(const GradientParams& params) {
    PictureSize size;
    if (FullPictureSize(params, size).Ok()) {
        pictureWidth_ = size.width;
        pictureHeight_ = size.height;
    }
    const FreeGradient gradient = EditedGradient(form_);
    const bool free = HoldsFreeGradient(form_);
    {
        const QSignalBlocker shapeBlocker(shape_);
        shape_->setCurrentIndex(static_cast<int>(ShapeChoiceOf(gradient)));
        const QSignalBlocker repeatBlocker(repeating_);
        repeating_->setChecked(gradient.repeating);
        const QSignalBlocker extentBlocker(extent_);
        extent_->setCurrentIndex(static_cast<int>(ShapeExtent(gradient)));
    }
    ShowValue(*angle_, ShapeAngle(gradient, pictureWidth_, pictureHeight_));
    const CentrePercent centre = ShapeCentre(gradient, pictureWidth_, pictureHeight_);
    ShowValue(*centreX_, centre.x);
    ShowValue(*centreY_, centre.y);
    angle_->setEnabled(HasAngle(gradient));
    centreX_->setEnabled(HasCentre(gradient));
    centreY_->setEnabled(HasCentre(gradient));
    extent_->setEnabled(gradient.shape == FreeShape::kRadial);
    ShowSpace(free, SpaceOptionIndex(gradient.interpolation.space),
              HueIndex(gradient.interpolation.space).has_value());
    ShowClassicFrames(!free);
    if (free) {
        if (QAbstractButton* hue = Button("optH", static_cast<int>(gradient.interpolation.hue))) {
            const QSignalBlocker blocker(hue);
            hue->setChecked(true);
        }
    }
}

void ShapePanel::ShowClassicFrames(bool classic) {
    // The colours, the middle and the orientation of the classic fields draw nothing while
    // the gradient is free; greyed out, they say so.
    for (const char* frame : {"F0", "F2", "F3"}) {
        if (auto* shown = controls_.findChild<QWidget*>(QString::fromLatin1(frame))) {
            shown->setEnabled(classic);
            shown->setToolTip(classic ? QString()
                                      : tr("Gilt für den klassischen Verlauf: "
                                           "„Verlaufsart“ auf „Klassisch“ stellen..."));
        }
    }
}

void ShapePanel::ShowSpace(bool free, int spaceOption, bool polar) {
    const int checked = free ? spaceOption : form_.optF.Selected();
    for (int option = 0; option < kClassicSpaceOptions; ++option) {
        QAbstractButton* button = Button("optF", option);
        if (button == nullptr) {
            continue;
        }
        const QSignalBlocker blocker(button);
        // Unchecked one by one only: exclusive buttons keep one checked otherwise.
        button->setAutoExclusive(false);
        button->setChecked(option == checked);
        button->setAutoExclusive(true);
    }
    const QSignalBlocker blocker(otherSpaces_);
    otherSpaces_->setCurrentIndex(
        checked >= kClassicSpaceOptions ? checked - kClassicSpaceOptions + 1 : 0);
    // The hue path applies where hues are blended; a free gradient's in any polar space.
    if (QWidget* hueFrame = controls_.findChild<QWidget*>(QStringLiteral("F6"))) {
        hueFrame->setEnabled(free ? polar : ComputeMidControlState(form_).huePathEnabled);
    }
    if (QAbstractButton* direct = Button("optH", kDirectHueOption)) {
        direct->setEnabled(!free);
        if (!free) {
            if (QAbstractButton* hue = Button("optH", form_.optH.Selected())) {
                const QSignalBlocker hueBlocker(hue);
                hue->setChecked(true);
            }
        }
    }
}

}  // namespace tonzug
