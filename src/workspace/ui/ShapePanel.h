#pragma once

#include <QGroupBox>

#include "render/GradientParams.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace tonzug {

class ParameterForm;

// "Form : ": the shape of the gradient (linear, circle, ellipse, conic), its repetition,
// angle, centre and extent, and beside the four colour modes the other interpolation
// spaces. The controls show the gradient the window edits; an edit the classic fields cannot
// hold turns the gradient free.
class ShapePanel : public QGroupBox {
    Q_OBJECT

  public:
    // `controls` holds the colour mode buttons "optF0".. and the hue buttons "optH0"..
    ShapePanel(ParameterForm& form, QWidget& controls, QWidget* parent = nullptr);
    // Once the colour mode and hue buttons exist: their clicks also set a free gradient's
    // space and hue path.
    void BindSpaceButtons();

    // Shows the gradient as drawn now; `params` give the picture's size.
    void Refresh(const GradientParams& params);
    // "Weitere : ", the spaces after the four colour modes, for the colour mode frame.
    QWidget* OtherSpaces();

  private:
    template <class Edit>
    void EditShape(Edit edit);
    void ModeClicked(int option);
    void HuePathClicked(int option);
    QAbstractButton* Button(const char* prefix, int option) const;
    // The colour mode and hue buttons as they show a free gradient's space.
    void ShowSpace(bool free, int spaceOption, bool polar);
    void ShowClassicFrames(bool classic);

    ParameterForm& form_;
    QWidget& controls_;
    QComboBox* shape_ = nullptr;
    QCheckBox* repeating_ = nullptr;
    QDoubleSpinBox* angle_ = nullptr;
    QDoubleSpinBox* centreX_ = nullptr;
    QDoubleSpinBox* centreY_ = nullptr;
    QComboBox* extent_ = nullptr;
    QComboBox* otherSpaces_ = nullptr;
    double pictureWidth_ = 0.0;
    double pictureHeight_ = 0.0;
};

}  // namespace tonzug
