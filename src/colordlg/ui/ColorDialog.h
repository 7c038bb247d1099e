#pragma once

#include <QDialog>

#include "colordlg/ColorForm.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tonzug {

class ColorListView;
class PictureBox;
class SwatchBox;

// "Farbauswahl": the chooser window over a ColorForm. Fixed size, no minimise or
// maximise; Enter and Escape do not close it. Its controls carry the form's control
// names as object names. "&Wählen" and "&Abbrechen" set the form's tag and hide it.
class ColorDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ColorDialog(QWidget* owner = nullptr);

    ColorForm& Form() { return form_; }

    void SetBackVisible(bool visible);
    void SetHtmlVisible(bool visible);
    // The hidden initialisation button: builds the colour list, then shows the
    // preview's colour, translated, in every display.
    void Initialize();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // The widgets, owned by the dialog through Qt's parent chain.
    struct Controls {
        PictureBox* colPick = nullptr;
        PictureBox* colPickSW = nullptr;
        ColorListView* lv = nullptr;
        SwatchBox* pCol = nullptr;
        PictureBox* picHFF = nullptr;
        PictureBox* picFSF = nullptr;
        PictureBox* picFFL = nullptr;
        QScrollBar* scrR = nullptr;
        QScrollBar* scrG = nullptr;
        QScrollBar* scrB = nullptr;
        QScrollBar* scrS = nullptr;
        QScrollBar* scrH1 = nullptr;
        QScrollBar* scrS1 = nullptr;
        QScrollBar* scrL1 = nullptr;
        QLineEdit* txtR = nullptr;
        QLineEdit* txtG = nullptr;
        QLineEdit* txtB = nullptr;
        QLineEdit* txtS = nullptr;
        QLineEdit* txtH1 = nullptr;
        QLineEdit* txtS1 = nullptr;
        QLineEdit* txtL1 = nullptr;
        SwatchBox* picSW = nullptr;
        QLabel* lblHTML = nullptr;
        QLineEdit* txtHTML = nullptr;
        QPushButton* cmdHTML = nullptr;
        QPushButton* cmdOK = nullptr;
        QPushButton* cmdAB = nullptr;
        QPushButton* cmdBack = nullptr;
    };

    // ColorDialogLayout.cpp: creates and arranges the widgets.
    void BuildControls();
    void BindControls();
    void ConnectPicking();
    void PickFromSystemDialog();
    void ShowHtmlRefusal();

    ColorForm form_;
    Controls ui_;
    Subscription htmlRefusalShown_;
};

}  // namespace tonzug
