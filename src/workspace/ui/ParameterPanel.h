#pragma once

#include <QStringList>
#include <QWidget>

#include "render/GradientParams.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QStackedWidget;
class QToolButton;

namespace tonzug {

class ColorSwatch;
class OptionGroup;
class ShapePanel;
class ParameterForm;
class SwatchBox;
class TextField;

// The frames with the gradient's parameters: colours, size, middle, orientation, colour
// mode, hue path and the pictures' colour depth. Every widget is bound to its control of the form,
// and the small commands around the swatches and fields (choose, swap, pick from the screen, swap
// width and height, reset the middle) work on the form.
class ParameterPanel : public QWidget {
    Q_OBJECT

  public:
    ParameterPanel(ParameterForm& form, QWidget* parent = nullptr);

    // Shows, covers or disables the middle-colour controls as the switch and the colour
    // mode ask. A covered control is hidden behind an empty cover and cannot be reached.
    void UpdateMidControls();
    // Shows what is drawn now in the controls that are views of the whole gradient.
    void Refresh(const GradientParams& params);

  signals:
    // Text pasted into a swatch that is no colour, for the window to read as a gradient.
    void pastedOtherText(const QString& text);

  private:
    QGroupBox* BuildColorFrame();
    QGroupBox* BuildSizeFrame();
    QGroupBox* BuildMiddleFrame();
    QGroupBox* BuildOrientationFrame();
    QGroupBox* BuildColorModeFrame();
    QGroupBox* BuildHuePathFrame();
    QGroupBox* BuildExportFrame();
    // A frame of option buttons named prefix0, prefix1, ..., in columns of `rows`.
    QGroupBox* BuildOptionFrame(const QString& title, int frameIndex, const char* buttonPrefix,
                                const QStringList& captions, OptionGroup& group, int rows);

    QLineEdit* MakeNumberField(const char* name, TextField& field, bool keysFiltered);
    // The captions of the fields; a double-click on any of them resets the middle to 50 %.
    QLabel* MakeCaption(const QString& text, int index, QWidget& field);
    // A swatch named by its caption; Return opens the chooser and Ctrl+V pastes a colour.
    SwatchBox* MakeSwatch(const char* name, const QString& caption, ColorSwatch& swatch);
    QToolButton* MakeChooseButton(const char* name, const QString& command, ColorSwatch& swatch);
    QToolButton* MakeTextButton(const char* name, const QString& text);
    QStackedWidget* MakeCoverable(QWidget* content, const char* coverName);

    ParameterForm& form_;
    QStackedWidget* middleColorCover_ = nullptr;
    QStackedWidget* middleBandCover_ = nullptr;
    QStackedWidget* positionCover_ = nullptr;
    QToolButton* middleChooseButton_ = nullptr;
    QCheckBox* middleSwitch_ = nullptr;
    QScrollBar* middleSlider_ = nullptr;
    QGroupBox* huePathFrame_ = nullptr;
    ShapePanel* shapes_ = nullptr;
};

}  // namespace tonzug
