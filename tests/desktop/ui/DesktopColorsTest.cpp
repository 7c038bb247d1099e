#include <QPalette>
#include <QTest>

#include "color/SystemColors.h"
#include "desktop/ui/DesktopColors.h"
#include "testing/QtTests.h"

using tonzug::RgbColor;
using tonzug::SystemColor;
using tonzug::TranslateColor;

// The desktop's palette becomes the system-colour table that system colour values read.
class DesktopColorsTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { tonzug::ResetSystemColors(); }

    void paletteRolesFillTheirSystemColours() {
        QPalette palette;
        int shade = 0;
        for (const QPalette::ColorGroup group :
             {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                ++shade;  // a colour of its own for every group and role
                palette.setColor(group, QPalette::ColorRole(role), QColor(shade, 0, group));
            }
        }
        tonzug::FillSystemColorsFromPalette(palette);
        const QColor face = palette.color(QPalette::Active, QPalette::Button);
        QCOMPARE(TranslateColor(SystemColor(15)), RgbColor(face.red(), face.green(), face.blue()));
        const QColor greyText = palette.color(QPalette::Disabled, QPalette::Text);
        QCOMPARE(TranslateColor(SystemColor(17)),
                 RgbColor(greyText.red(), greyText.green(), greyText.blue()));
        for (int index = 0; index < tonzug::kSystemColorCount; ++index) {
            const tonzug::ColorValue color = TranslateColor(SystemColor(index));
            QVERIFY(tonzug::RedOf(color) > 0 && tonzug::GreenOf(color) == 0);  // none is left out
        }
    }
};

TONZUG_QT_TEST(DesktopColorsTest)
#include "DesktopColorsTest.moc"
