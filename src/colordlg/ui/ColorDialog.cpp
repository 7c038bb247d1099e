#include "colordlg/ui/ColorDialog.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QToolTip>
#include <functional>

#include "color/SystemColors.h"
#include "colordlg/ui/ColorListView.h"
#include "colordlg/ui/PictureBox.h"
#include "colordlg/ui/SystemColorDialog.h"
#include "desktop/ui/InterfaceLanguage.h"
#include "desktop/ui/ScreenPicker.h"
#include "form/ui/DoubleClickAction.h"
#include "form/ui/FormBinding.h"
#include "form/ui/NumericKeyFilter.h"
#include "form/ui/SwatchBox.h"

namespace tonzug {
namespace {

const QColor kRefusedTextColor(0xC0, 0x00, 0x00);

}  // namespace

ColorDialog::ColorDialog(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("F_COLDLG"));
    setWindowTitle(tr("Farbauswahl"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    form_.refusalLanguage = WindowMessageLanguage();
    BuildControls();
    BindControls();
    ConnectPicking();
}

void ColorDialog::BindControls() {
    BindLineEdit(*ui_.txtR, form_.txtR);
    BindLineEdit(*ui_.txtG, form_.txtG);
    BindLineEdit(*ui_.txtB, form_.txtB);
    BindLineEdit(*ui_.txtS, form_.txtS);
    BindLineEdit(*ui_.txtH1, form_.txtH1);
    BindLineEdit(*ui_.txtS1, form_.txtS1);
    BindLineEdit(*ui_.txtL1, form_.txtL1);
    BindLineEdit(*ui_.txtHTML, form_.txtHTML);
    BindScrollBar(*ui_.scrR, form_.scrR);
    BindScrollBar(*ui_.scrG, form_.scrG);
    BindScrollBar(*ui_.scrB, form_.scrB);
    BindScrollBar(*ui_.scrS, form_.scrS);
    BindScrollBar(*ui_.scrH1, form_.scrH1);
    BindScrollBar(*ui_.scrS1, form_.scrS1);
    BindScrollBar(*ui_.scrL1, form_.scrL1);
    BindSwatch(*ui_.pCol, form_.pCol);
    BindSwatch(*ui_.picSW, form_.picSW);
    for (QLineEdit* edit : {ui_.txtR, ui_.txtG, ui_.txtB}) {
        new NumericKeyFilter(*edit);  // owned by the edit
    }

    // Enter, and leaving the field after an edit, apply the text.
    connect(ui_.txtHTML, &QLineEdit::editingFinished, this, [this] { form_.ApplyHtml(); });
    htmlRefusalShown_ = form_.htmlRefusal.Observe([this] { ShowHtmlRefusal(); });
    connect(ui_.cmdHTML, &QPushButton::clicked, this, [this] { form_.ApplyHtml(); });
    connect(ui_.cmdBack, &QPushButton::clicked, this, [this] { form_.ShowBackground(); });
    connect(ui_.cmdOK, &QPushButton::clicked, this, [this] {
        form_.Accept();
        hide();
    });
    connect(ui_.cmdAB, &QPushButton::clicked, this, [this] {
        form_.Cancel();
        hide();
    });
    ui_.lv->SetClickHandler([this](const std::string& tag) { form_.ShowListedColor(tag); });
}

// A refused text stays in the field, in red, with the reason as its tooltip, shown at once.
void ColorDialog::ShowHtmlRefusal() {
    QLineEdit& edit = *ui_.txtHTML;
    const QString reason = QString::fromStdString(form_.htmlRefusal.Text());
    edit.setToolTip(reason);
    if (reason.isEmpty()) {
        edit.setPalette(QPalette());  // the inherited colours again
        QToolTip::hideText();
        return;
    }
    QPalette refused = edit.palette();
    refused.setColor(QPalette::Text, kRefusedTextColor);
    edit.setPalette(refused);
    if (edit.isVisible()) {
        QToolTip::showText(edit.mapToGlobal(QPoint(0, edit.height())), reason, &edit);
    }
}

void ColorDialog::ConnectPicking() {
    const auto fieldMouse = [this](HslComponent component) {
        return [this, component](MouseAction action, MouseButtons buttons, float x, float y) {
            form_.FieldMouse(component, action, buttons, x, y);
        };
    };
    ui_.picHFF->SetMouseHandler(fieldMouse(HslComponent::kHue));
    ui_.picFSF->SetMouseHandler(fieldMouse(HslComponent::kSaturation));
    ui_.picFFL->SetMouseHandler(fieldMouse(HslComponent::kLightness));
    const auto stripMouse = [this](PickStrip strip) {
        return [this, strip](MouseAction action, MouseButtons buttons, float x, float y) {
            form_.StripMouse(strip, action, buttons, x, y);
        };
    };
    ui_.colPick->SetMouseHandler(stripMouse(PickStrip::kHue));
    ui_.colPickSW->SetMouseHandler(stripMouse(PickStrip::kGrey));

    ui_.pCol->setToolTip(tr("%1; Doppelklick: Farbdialog des Systems...").arg(ScreenPickHint()));
    // A screen pixel is a plain colour. The value that Escape puts back may be a system
    // colour: it shows as the colour it stands for and stays a system colour in the preview.
    auto* picker = new ScreenPicker(
        *ui_.pCol, [this] { return form_.pCol.Color(); },
        [this](ColorValue picked) { form_.ShowColor(TranslateColor(picked), picked); });
    // In front of the screen picker, so the double-click does not start a pick as well;
    // a portal pick that waits for the end of the first click is dropped.
    new DoubleClickAction(*ui_.pCol, [this, picker] {
        picker->CancelPendingPick();
        PickFromSystemDialog();
    });
}

void ColorDialog::PickFromSystemDialog() {
    form_.ApplySystemDialogColor(ShowSystemColorDialog(this, form_.pCol.Color()));
}

void ColorDialog::SetBackVisible(bool visible) {
    ui_.cmdBack->setVisible(visible);
}

void ColorDialog::SetHtmlVisible(bool visible) {
    ui_.lblHTML->setVisible(visible);
    ui_.txtHTML->setVisible(visible);
    ui_.cmdHTML->setVisible(visible);
}

void ColorDialog::Initialize() {
    ui_.lv->FillColorList();
    form_.Initialize();
}

void ColorDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();  // the dialog stays open
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

}  // namespace tonzug
