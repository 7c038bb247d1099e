#include "workspace/ui/ParameterPanel.h"

#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

#include "color/CssColor.h"
#include "desktop/ui/InterfaceLanguage.h"
#include "desktop/ui/ScreenPicker.h"
#include "form/ui/DoubleClickAction.h"
#include "form/ui/FormBinding.h"
#include "form/ui/NumericKeyFilter.h"
#include "form/ui/SwatchBox.h"
#include "workspace/ParameterForm.h"
#include "workspace/PreviewLayout.h"
#include "workspace/SwatchCommands.h"
#include "workspace/ui/ColorChoice.h"
#include "workspace/ui/ShapePanel.h"

namespace tonzug {
namespace {

// Digits a number field is sized for: a width of ten million still fits.
constexpr int kFieldDigits = 8;

// A button whose caption does not say what it does: the command as tooltip and name.
void NameButton(QToolButton& button, const QString& command) {
    button.setToolTip(command);
    button.setAccessibleName(command);
}

QGroupBox* MakeFrame(const QString& title, int index) {
    auto* frame = new QGroupBox(title);
    frame->setObjectName(QStringLiteral("F%1").arg(index));
    return frame;
}

}  // namespace

ParameterPanel::ParameterPanel(ParameterForm& form, QWidget* parent)
    : QWidget(parent), form_(form) {
    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(0, 0, 0, 0);
    shapes_ = new ShapePanel(form_, *this);

    auto* parameters = new QVBoxLayout;
    parameters->addWidget(BuildColorFrame());
    parameters->addWidget(BuildSizeFrame());
    parameters->addWidget(BuildMiddleFrame());
    parameters->addWidget(BuildExportFrame());
    parameters->addStretch(1);
    columns->addLayout(parameters);

    auto* options = new QVBoxLayout;
    options->addWidget(BuildOrientationFrame());
    options->addWidget(BuildColorModeFrame());
    options->addWidget(BuildHuePathFrame());
    options->addWidget(shapes_);
    options->addStretch(1);
    columns->addLayout(options);
    shapes_->BindSpaceButtons();

    UpdateMidControls();
}

QGroupBox* ParameterPanel::BuildColorFrame() {
    QGroupBox* frame = MakeFrame(tr("Farbwahl (Start / Ende)  : "), 0);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(MakeSwatch("colStart", tr("Startfarbe"), form_.colStart), 0, 0);
    grid->addWidget(MakeChooseButton("cmdStart", tr("Startfarbe wählen..."), form_.colStart), 0, 1);
    QToolButton* swap = MakeTextButton("cmdSwap", QStringLiteral("< >"));
    NameButton(*swap, tr("Start- und Endfarbe tauschen..."));
    connect(swap, &QToolButton::clicked, this, [this] { SwapColors(form_); });
    grid->addWidget(swap, 0, 2);
    grid->addWidget(MakeSwatch("colEnd", tr("Endfarbe"), form_.colEnd), 0, 3);
    grid->addWidget(MakeChooseButton("cmdEnd", tr("Endfarbe wählen..."), form_.colEnd), 0, 4);

    auto* bands = new QHBoxLayout;
    QLineEdit* startBand = MakeNumberField("txtSBR", form_.txtSBR, false);
    bands->addWidget(MakeCaption(tr("Start - Breite : "), 5, *startBand));
    bands->addWidget(startBand);
    bands->addStretch(1);
    QLineEdit* endBand = MakeNumberField("txtEBR", form_.txtEBR, false);
    bands->addWidget(MakeCaption(tr("End - Breite : "), 4, *endBand));
    bands->addWidget(endBand);
    grid->addLayout(bands, 1, 0, 1, 5);
    return frame;
}

QGroupBox* ParameterPanel::BuildSizeFrame() {
    QGroupBox* frame = MakeFrame(tr("Abmessungen : "), 1);
    auto* grid = new QGridLayout(frame);
    QLineEdit* width = MakeNumberField("txtX", form_.txtX, true);
    grid->addWidget(MakeCaption(tr("Tonzug - Breite : "), 0, *width), 0, 0);
    grid->addWidget(width, 0, 1);
    QLineEdit* height = MakeNumberField("txtY", form_.txtY, true);
    grid->addWidget(MakeCaption(tr("Tonzug - Höhe : "), 1, *height), 1, 0);
    grid->addWidget(height, 1, 1);
    QToolButton* swap = MakeTextButton("cmdHBS", QStringLiteral("<>"));
    NameButton(*swap, tr("Breite und Höhe tauschen..."));
    connect(swap, &QToolButton::clicked, this, [this] { SwapWidthAndHeight(form_); });
    grid->addWidget(swap, 0, 2, 2, 1, Qt::AlignVCenter);
    grid->setColumnStretch(3, 1);
    return frame;
}

QGroupBox* ParameterPanel::BuildMiddleFrame() {
    QGroupBox* frame = MakeFrame(tr("Mittelpunkt - Farbe : "), 2);
    auto* grid = new QGridLayout(frame);

    middleSwitch_ = new QCheckBox(tr("Mittelfarbe : "));
    middleSwitch_->setObjectName(QStringLiteral("chkMid"));
    BindCheckBox(*middleSwitch_, form_.chkMid);
    grid->addWidget(middleSwitch_, 0, 0);
    auto* colour = new QHBoxLayout;
    middleColorCover_ =
        MakeCoverable(MakeSwatch("colMid", tr("Mittelfarbe"), form_.colMid), "colMidDummy");
    colour->addWidget(middleColorCover_);
    middleChooseButton_ = MakeChooseButton("cmdMid", tr("Mittelfarbe wählen..."), form_.colMid);
    colour->addWidget(middleChooseButton_);
    grid->addLayout(colour, 0, 1);

    QLineEdit* middleBand = MakeNumberField("txtMBR", form_.txtMBR, false);
    grid->addWidget(MakeCaption(tr("Mittel - Breite : "), 3, *middleBand), 1, 0);
    middleBandCover_ = MakeCoverable(middleBand, "colMidDmy2");
    grid->addWidget(middleBandCover_, 1, 1, Qt::AlignLeft);

    QLineEdit* percent = MakeNumberField("txtMid", form_.txtMid, false);
    grid->addWidget(MakeCaption(tr("Mittelpunkt [%] : "), 2, *percent), 2, 0);
    // The same place in pixels shares the caption; its name says the unit.
    QLineEdit* pixels = MakeNumberField("txtM", form_.txtM, true);
    pixels->setAccessibleName(tr("Mittelpunkt [Pixel]"));
    auto* position = new QWidget;
    auto* positionFields = new QHBoxLayout(position);
    positionFields->setContentsMargins(0, 0, 0, 0);
    positionFields->addWidget(percent);
    positionFields->addWidget(pixels);
    positionCover_ = MakeCoverable(position, "colMidDmy3");
    grid->addWidget(positionCover_, 2, 1, Qt::AlignLeft);

    middleSlider_ = new QScrollBar(Qt::Vertical);
    middleSlider_->setObjectName(QStringLiteral("scrM"));
    middleSlider_->setAccessibleName(tr("Mittelpunkt [%]"));
    middleSlider_->setPageStep(5);
    middleSlider_->setSingleStep(1);
    BindScrollBar(*middleSlider_, form_.scrM);
    grid->addWidget(middleSlider_, 0, 2, 3, 1);
    grid->setColumnStretch(1, 1);
    return frame;
}

QGroupBox* ParameterPanel::BuildOptionFrame(const QString& title, int frameIndex,
                                            const char* buttonPrefix, const QStringList& captions,
                                            OptionGroup& group, int rows) {
    QGroupBox* frame = MakeFrame(title, frameIndex);
    auto* grid = new QGridLayout(frame);
    QList<QAbstractButton*> buttons;
    for (const QString& caption : captions) {
        auto* button = new QRadioButton(caption);
        button->setObjectName(
            QStringLiteral("%1%2").arg(QLatin1String(buttonPrefix)).arg(buttons.size()));
        // Filled column by column, so a group reads from top to bottom.
        grid->addWidget(button, static_cast<int>(buttons.size()) % rows,
                        static_cast<int>(buttons.size()) / rows);
        buttons.append(button);
    }
    BindOptionButtons(buttons, group);
    // An empty last column takes the spare width, so each button is as wide as its caption.
    grid->setColumnStretch(grid->columnCount(), 1);
    return frame;
}

QGroupBox* ParameterPanel::BuildOrientationFrame() {
    return BuildOptionFrame(tr("Ausrichtung : "), 3, "optV",
                            {tr("Horizontal"), tr("Vertikal"), tr("Kreis")}, form_.optV, 3);
}

QGroupBox* ParameterPanel::BuildColorModeFrame() {
    QGroupBox* frame = BuildOptionFrame(tr("Farbmodus : "), 5, "optF",
                                        {QStringLiteral("RGB"), QStringLiteral("HSL"),
                                         QStringLiteral("Oklab"), QStringLiteral("OkLCh")},
                                        form_.optF, 1);
    // The other spaces of CSS after the four modes.
    auto* grid = static_cast<QGridLayout*>(frame->layout());
    auto* caption = new QLabel(tr("Weitere : "));
    caption->setBuddy(shapes_->OtherSpaces());
    grid->addWidget(caption, 1, 0);
    grid->addWidget(shapes_->OtherSpaces(), 1, 1, 1, 3);
    return frame;
}

QGroupBox* ParameterPanel::BuildHuePathFrame() {
    huePathFrame_ = BuildOptionFrame(
        tr("Farbton : "), 6, "optH",
        {tr("direkt"), tr("kürzer"), tr("länger"), tr("steigend"), tr("fallend")}, form_.optH, 2);
    huePathFrame_->setToolTip(
        tr("Der Weg um den Farbkreis in HSL und OkLCh: direkt wie die Zahlen, der "
           "kürzere oder längere Bogen, steigend oder fallend..."));
    return huePathFrame_;
}

QGroupBox* ParameterPanel::BuildExportFrame() {
    QGroupBox* frame = MakeFrame(tr("Export : "), 7);
    frame->setToolTip(
        tr("16 Bit je Kanal gelten für PNG; Dithering gegen Streifen gilt für alle 8-Bit-Bilder, "
           "die Zwischenablage und die Voransicht..."));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(tr("Farbtiefe : ")), 0, 0);
    QList<QAbstractButton*> depths;
    for (const QString& caption : {tr("8 Bit"), tr("16 Bit")}) {
        auto* button = new QRadioButton(caption);
        button->setObjectName(QStringLiteral("optDepth%1").arg(depths.size()));
        grid->addWidget(button, 0, static_cast<int>(depths.size()) + 1);
        depths.append(button);
    }
    BindOptionButtons(depths, form_.optDepth);
    auto* dither = new QCheckBox(tr("Dithering"));
    dither->setObjectName(QStringLiteral("chkDither"));
    BindCheckBox(*dither, form_.chkDither);
    grid->addWidget(dither, 1, 0, 1, 3);
    grid->setColumnStretch(3, 1);
    return frame;
}

QLineEdit* ParameterPanel::MakeNumberField(const char* name, TextField& field, bool keysFiltered) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    const int digits =
        edit->fontMetrics().horizontalAdvance(QString(kFieldDigits, QLatin1Char('0')));
    edit->setFixedWidth(digits + edit->fontMetrics().height());
    BindLineEdit(*edit, field);
    if (keysFiltered) {
        new NumericKeyFilter(*edit);
    }
    return edit;
}

QLabel* ParameterPanel::MakeCaption(const QString& text, int index, QWidget& field) {
    auto* label = new QLabel(text);
    // The caption names its field, for screen readers too; said explicitly, since a field
    // inside a cover is not found by its caption.
    label->setBuddy(&field);
    field.setAccessibleName(text.trimmed());
    label->setObjectName(QStringLiteral("Lb%1").arg(index));
    label->setToolTip(tr("Doppelklick: Mittelpunkt auf 50 % setzen..."));
    new DoubleClickAction(*label, [this] { ResetMiddlePosition(form_); });
    return label;
}

SwatchBox* ParameterPanel::MakeSwatch(const char* name, const QString& caption,
                                      ColorSwatch& swatch) {
    auto* box = new SwatchBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(caption);
    box->setFocusPolicy(Qt::StrongFocus);
    connect(box, &SwatchBox::activated, this,
            [this, &swatch] { ChooseSwatchColor(*window(), swatch); });
    connect(box, &SwatchBox::pasteRequested, this, [this, &swatch] {
        const QString text = QGuiApplication::clipboard()->text();
        const OpaqueColorReading reading = ReadOpaqueColor(
            text.trimmed().toStdString(), HexHash::kOptional, WindowMessageLanguage());
        if (reading.color) {
            ApplyChosenColor(swatch, *reading.color);
        } else {
            emit pastedOtherText(text);
        }
    });
    // Where a drag picks live, a click is free to open the chooser.
    const bool clickChooses = SessionScreenPickRoute() == ScreenPickRoute::kLiveGrab;
    box->setToolTip((clickChooses ? tr("Klicken: Farbauswahl. ") : QString()) + ScreenPickHint() +
                    tr(". Strg+V: Farbe einfügen..."));
    BindSwatch(*box, swatch);
    auto* picker = new ScreenPicker(
        *box, [&swatch] { return swatch.Color(); },
        [&swatch](ColorValue picked) { ApplyChosenColor(swatch, picked); });
    if (clickChooses) {
        picker->SetClickHandler([this, &swatch] { ChooseSwatchColor(*window(), swatch); });
    }
    return box;
}

QToolButton* ParameterPanel::MakeChooseButton(const char* name, const QString& command,
                                              ColorSwatch& swatch) {
    QToolButton* button = MakeTextButton(name, QStringLiteral("..."));
    NameButton(*button, command);
    connect(button, &QToolButton::clicked, this,
            [this, &swatch] { ChooseSwatchColor(*window(), swatch); });
    return button;
}

QToolButton* ParameterPanel::MakeTextButton(const char* name, const QString& text) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    return button;
}

QStackedWidget* ParameterPanel::MakeCoverable(QWidget* content, const char* coverName) {
    auto* stack = new QStackedWidget;
    stack->addWidget(content);
    auto* cover = new QFrame;
    cover->setObjectName(QString::fromLatin1(coverName));
    cover->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    stack->addWidget(cover);
    stack->setSizePolicy(content->sizePolicy());
    return stack;
}

void ParameterPanel::Refresh(const GradientParams& params) {
    shapes_->Refresh(params);
}

void ParameterPanel::UpdateMidControls() {
    const MidControlState state = ComputeMidControlState(form_);
    // The covers say why they cover: HSL covers the position too, a switch that is off does not.
    const QString reason =
        state.positionCovered
            ? tr("Im Farbmodus HSL werden nur Start- und Endfarbe gemischt...")
            : tr("Die Mittelfarbe ist ausgeschaltet: \"Mittelfarbe\" einschalten, "
                 "um Farbe und Breite zu setzen...");
    for (QStackedWidget* stack : {middleColorCover_, middleBandCover_, positionCover_}) {
        QWidget* cover = stack->widget(1);
        cover->setToolTip(reason);
        cover->setAccessibleDescription(reason);
    }
    middleColorCover_->setCurrentIndex(state.middleColorVisible ? 0 : 1);
    middleBandCover_->setCurrentIndex(state.middleBandCovered ? 1 : 0);
    middleChooseButton_->setEnabled(state.middleButtonEnabled);
    middleSlider_->setEnabled(state.sliderEnabled);
    positionCover_->setCurrentIndex(state.positionCovered ? 1 : 0);
    middleSwitch_->setEnabled(state.switchEnabled);
    huePathFrame_->setEnabled(state.huePathEnabled);
}

}  // namespace tonzug
