// Creates the chooser's widgets and arranges them: along the top the hue and grey
// strips, the colour list, the preview and the three HSL fields; below them the red,
// green, blue and grey rows at the left, the hue, saturation, lightness and HTML rows
// at the right and the grey swatch under the fields; the buttons along the bottom.
#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "colordlg/ui/ColorDialog.h"
#include "colordlg/ui/ColorListView.h"
#include "colordlg/ui/PictureBox.h"
#include "form/ui/SwatchBox.h"

namespace tonzug {
namespace {

constexpr int kListWidth = 236;
constexpr int kPreviewWidth = 96;
constexpr int kScrollWidth = 140;
constexpr int kRowLabelWidth = 18;
constexpr int kRgbPageStep = 16;
constexpr int kHslPageStep = 12;
constexpr int kTypedLength = 3;

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* RowLabel(QWidget* parent, const char* name, const QString& text, QColor back, QColor fore) {
    auto* label = Named(new QLabel(text, parent), name);
    label->setAlignment(Qt::AlignCenter);
    label->setFixedWidth(kRowLabelWidth);
    label->setAutoFillBackground(true);
    QPalette colors = label->palette();
    colors.setColor(QPalette::Window, back);
    colors.setColor(QPalette::WindowText, fore);
    label->setPalette(colors);
    return label;
}

QScrollBar* RowScrollBar(QWidget* parent, const char* name, int pageStep) {
    auto* bar = Named(new QScrollBar(Qt::Horizontal, parent), name);
    bar->setPageStep(pageStep);
    bar->setSingleStep(1);
    bar->setFixedWidth(kScrollWidth);
    return bar;
}

QLineEdit* RowText(QWidget* parent, const char* name) {
    auto* edit = Named(new QLineEdit(parent), name);
    edit->setMaxLength(kTypedLength);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    return edit;
}

// Neither button may react to Enter: the dialog has no default button.
QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* button = Named(new QPushButton(text, parent), name);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void AddRow(QGridLayout& grid, int row, int column, QLabel* label, QScrollBar* bar,
            QLineEdit* edit) {
    // The row's letter names its field and bar, for screen readers too.
    label->setBuddy(edit);
    bar->setAccessibleName(label->text());
    grid.addWidget(label, row, column);
    grid.addWidget(bar, row, column + 1);
    grid.addWidget(edit, row, column + 2);
}

}  // namespace

void ColorDialog::BuildControls() {
    ui_.colPick = Named(new PictureBox(form_.Strip(PickStrip::kHue), this), "colPick");
    ui_.colPickSW = Named(new PictureBox(form_.Strip(PickStrip::kGrey), this), "colPickSW");
    ui_.lv = Named(new ColorListView(this), "lv");
    ui_.pCol = Named(new SwatchBox(this), "pCol");
    ui_.picHFF = Named(new PictureBox(form_.picHFF, this), "picHFF");
    ui_.picFSF = Named(new PictureBox(form_.picFSF, this), "picFSF");
    ui_.picFFL = Named(new PictureBox(form_.picFFL, this), "picFFL");
    const int pictureHeight = ui_.picHFF->height();
    ui_.lv->setFixedSize(kListWidth, pictureHeight);
    ui_.pCol->setFixedSize(kPreviewWidth, pictureHeight);

    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    top->addWidget(ui_.colPick);
    top->addWidget(ui_.colPickSW);
    top->addSpacing(4);
    top->addWidget(ui_.lv);
    top->addSpacing(4);
    top->addWidget(ui_.pCol);
    top->addSpacing(4);
    top->addWidget(ui_.picHFF);
    top->addWidget(ui_.picFSF);
    top->addWidget(ui_.picFFL);

    const QColor lightYellow(255, 255, 192);
    ui_.scrR = RowScrollBar(this, "scrR", kRgbPageStep);
    ui_.scrG = RowScrollBar(this, "scrG", kRgbPageStep);
    ui_.scrB = RowScrollBar(this, "scrB", kRgbPageStep);
    ui_.scrS = RowScrollBar(this, "scrS", kRgbPageStep);
    ui_.scrH1 = RowScrollBar(this, "scrH1", kHslPageStep);
    ui_.scrS1 = RowScrollBar(this, "scrS1", kHslPageStep);
    ui_.scrL1 = RowScrollBar(this, "scrL1", kHslPageStep);
    ui_.txtR = RowText(this, "txtR");
    ui_.txtG = RowText(this, "txtG");
    ui_.txtB = RowText(this, "txtB");
    ui_.txtS = RowText(this, "txtS");
    ui_.txtH1 = RowText(this, "txtH1");
    ui_.txtS1 = RowText(this, "txtS1");
    ui_.txtL1 = RowText(this, "txtL1");

    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(4);
    rows->setVerticalSpacing(4);
    AddRow(*rows, 0, 0, RowLabel(this, "Label1", "R", Qt::red, Qt::white), ui_.scrR, ui_.txtR);
    AddRow(*rows, 1, 0, RowLabel(this, "Label2", "G", Qt::green, Qt::black), ui_.scrG, ui_.txtG);
    AddRow(*rows, 2, 0, RowLabel(this, "Label3", "B", Qt::blue, Qt::white), ui_.scrB, ui_.txtB);
    AddRow(*rows, 3, 0,
           RowLabel(this, "Label4", tr("S", "Graustufe"), QColor(128, 128, 128), Qt::white),
           ui_.scrS, ui_.txtS);
    rows->setColumnMinimumWidth(3, 12);
    AddRow(*rows, 0, 4, RowLabel(this, "Label7", "H", lightYellow, Qt::black), ui_.scrH1,
           ui_.txtH1);
    AddRow(*rows, 1, 4, RowLabel(this, "Label6", "S", lightYellow, Qt::black), ui_.scrS1,
           ui_.txtS1);
    AddRow(*rows, 2, 4, RowLabel(this, "Label5", "L", lightYellow, Qt::black), ui_.scrL1,
           ui_.txtL1);

    ui_.lblHTML = Named(new QLabel(tr("HTML : "), this), "lblHTML");
    ui_.txtHTML = Named(new QLineEdit(this), "txtHTML");
    ui_.cmdHTML = Button(this, "cmdHTML", QString::fromUtf8("\u2713"));
    ui_.cmdHTML->setFixedWidth(ui_.txtH1->width());
    ui_.lblHTML->setBuddy(ui_.txtHTML);
    ui_.cmdHTML->setAccessibleName(tr("HTML übernehmen"));
    auto* html = new QHBoxLayout;
    html->setSpacing(4);
    html->addWidget(ui_.lblHTML);
    html->addWidget(ui_.txtHTML, 1);
    html->addWidget(ui_.cmdHTML);
    rows->addLayout(html, 3, 4, 1, 3);

    ui_.picSW = Named(new SwatchBox(this), "picSW");
    ui_.picSW->setCursor(Qt::ArrowCursor);
    ui_.picSW->setFixedSize(ui_.picHFF->width() * 3 + 2 * top->spacing(),
                            ui_.txtR->sizeHint().height() * 4 + 3 * rows->verticalSpacing());
    rows->setColumnMinimumWidth(7, 4);
    rows->addWidget(ui_.picSW, 0, 8, 4, 1, Qt::AlignRight | Qt::AlignTop);

    ui_.cmdOK = Button(this, "cmdOK", tr("&Wählen"));
    ui_.cmdAB = Button(this, "cmdAB", tr("&Abbrechen"));
    ui_.cmdBack = Button(this, "cmdBack", tr("Hintergrund"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ui_.cmdBack);
    buttons->addStretch(1);
    buttons->addWidget(ui_.cmdOK);
    buttons->addWidget(ui_.cmdAB);

    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    all->addLayout(top);
    all->addSpacing(6);
    all->addLayout(rows);
    all->addSpacing(6);
    all->addLayout(buttons);
}

}  // namespace tonzug
