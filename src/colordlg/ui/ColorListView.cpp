#include "colordlg/ui/ColorListView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHeaderView>
#include <QImage>
#include <QPixmap>

#include "colordlg/ColorList.h"
#include "desktop/ui/DesktopColors.h"
#include "desktop/ui/QtColor.h"
#include "desktop/ui/RasterImage.h"

namespace tonzug {
namespace {

QIcon SwatchIconImage(ColorValue fill, ColorValue background) {
    const Raster icon = SwatchIcon(fill, background);
    const QImage image = ImageOfRaster(icon);
    // The raster goes out of scope: the pixmap takes its own copy.
    return QIcon(QPixmap::fromImage(image.copy()));
}

}  // namespace

ColorListView::ColorListView(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setIconSize(QSize(kSwatchIconSize, kSwatchIconSize));
    header()->setSectionsClickable(false);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (item != nullptr && onClick_) {
            onClick_(item->data(0, kTagRole).toString().toStdString());
        }
    });
}

void ColorListView::FillColorList() {
    FillSystemColorsFromPalette(QApplication::palette());
    clear();
    setHeaderLabels({QCoreApplication::translate(kColorListContext, kColorListTitle.data())});
    const ColorValue background = FromQColor(palette().color(QPalette::Base));
    for (const ColorListItem& entry : BuildColorList()) {
        auto* item = new QTreeWidgetItem(this);  // owned by the list
        item->setText(0, QCoreApplication::translate(kColorListContext, entry.name.c_str()));
        item->setIcon(0, SwatchIconImage(entry.value, background));
        item->setData(0, kTagRole, QString::fromStdString(entry.tag));
        item->setData(0, kKeyRole, QString::fromStdString(entry.key));
    }
    // Wide enough for the header and every name; wider lists stretch the column.
    resizeColumnToContents(0);
}

}  // namespace tonzug
