#include "workspace/ui/HelpWindow.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tonzug {
namespace {

constexpr int kHelpWidth = 560;
constexpr int kHelpHeight = 620;

// What a user looks for first: the mouse on the preview and the stops, then the keys.
const char* const kHelpText = QT_TRANSLATE_NOOP("tonzug::HelpWindow", R"(
<h2>Tonzug</h2>
<p>Farbtonzüge erstellen und als Bild, CSS oder GIMP-Farbverlauf speichern.</p>
<h3>Farbverlauf</h3>
<ul>
<li><b>Klassisch</b>: Start-, Mittel- und Endfarbe mit ihren Breiten, drei Ausrichtungen.</li>
<li><b>Frei</b>: beliebig viele Farbstopps, Winkel, Ellipsen, Kegelverläufe, Wiederholung,
jeder Farbraum von CSS. Ein klassischer Verlauf wird frei, sobald er mehr braucht;
„Verlaufsart“ zeigt es und macht einen passenden freien Verlauf wieder klassisch.</li>
</ul>
<h3>Farbstopps</h3>
<ul>
<li>Klick auf die Leiste: neuer Stopp mit der Farbe an dieser Stelle.</li>
<li>Stopp ziehen: verschieben (Umschalt: in Schritten von 1 %); von der Leiste weg
ziehen oder Entf: entfernen.</li>
<li>Doppelklick oder Eingabe: Farbauswahl. Pfeiltasten: um ein Pixel verschieben
(Umschalt: um zehn).</li>
<li>Einfg: neuer Stopp zwischen diesem und dem nächsten.</li>
<li>Raute zwischen zwei Stopps ziehen oder Alt+Pfeiltaste: Mittelpunkt verschieben.
Kontextmenü (auch mit der Menütaste): Übergang und harte Kante.</li>
</ul>
<h3>Voransicht</h3>
<ul>
<li>Ziehen: Winkel eines linearen oder Kegelverlaufs, Mitte eines radialen oder
Kegelverlaufs.</li>
<li>Doppelklick oder F11: große Voransicht. Dort Strg+0: einpassen, Strg+1: Originalgröße,
Strg+Plus, Strg+Minus oder Strg+Mausrad: zoomen; ziehen: verschieben.</li>
</ul>
<h3>Farbfelder</h3>
<ul>
<li>Klicken: Farbauswahl. Mit gedrückter Maustaste ziehen: Farbe vom Bildschirm
aufnehmen.</li>
<li>Strg+V in einem Farbfeld: Farbe einfügen (#abc, rgb(…), ein Farbname).</li>
</ul>
<h3>Tasten</h3>
<table cellspacing="4">
<tr><td>Strg+Z</td><td>Rückgängig</td></tr>
<tr><td>Strg+Umschalt+Z, Strg+Y</td><td>Wiederholen</td></tr>
<tr><td>Strg+O</td><td>Einstellungsdatei laden</td></tr>
<tr><td>Strg+S</td><td>Einstellungsdatei speichern</td></tr>
<tr><td>Strg+Umschalt+S</td><td>Einstellungsdatei speichern unter</td></tr>
<tr><td>Strg+N</td><td>Vorgabe Daten laden</td></tr>
<tr><td>Strg+E, Strg+B, Strg+J</td><td>Als PNG-, BMP-, JPG-Bild speichern</td></tr>
<tr><td>Strg+C</td><td>Bild in die Zwischenablage kopieren</td></tr>
<tr><td>Strg+Umschalt+C</td><td>CSS in die Zwischenablage kopieren</td></tr>
<tr><td>Strg+V</td><td>CSS-Farbverlauf einfügen</td></tr>
<tr><td>Strg+1, Strg+2, Strg+3</td><td>Start-, Mittel-, Endfarbe wählen</td></tr>
<tr><td>Strg+T</td><td>Start- und Endfarbe tauschen</td></tr>
<tr><td>Strg+Umschalt+T</td><td>Breite und Höhe tauschen</td></tr>
<tr><td>Strg+Minus, Strg+Plus</td><td>Dunkler, Heller</td></tr>
<tr><td>F11</td><td>Große Voransicht</td></tr>
<tr><td>F1</td><td>Diese Hilfe</td></tr>
</table>
<p>Eine Datei (.tzg, .ggr, .css) oder CSS-Text lässt sich auf das Fenster ziehen.
Mehr in <tt>man tonzug</tt> und <tt>tonzug --help</tt>.</p>
)");

}  // namespace

void ShowHelpWindow(QWidget& owner) {
    if (auto* open = owner.findChild<QDialog*>(QStringLiteral("frmHelp"))) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* help = new QDialog(&owner);
    help->setObjectName(QStringLiteral("frmHelp"));
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->setWindowTitle(QCoreApplication::translate("tonzug::HelpWindow", "Tonzug – Hilfe"));
    auto* column = new QVBoxLayout(help);
    auto* text = new QTextBrowser;
    text->setObjectName(QStringLiteral("txtHelp"));
    text->setAccessibleName(QCoreApplication::translate("tonzug::HelpWindow", "Hilfe"));
    text->setHtml(QCoreApplication::translate("tonzug::HelpWindow", kHelpText));
    column->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)
        ->setText(QCoreApplication::translate("tonzug::HelpWindow", "&Schließen"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, help, &QDialog::close);
    column->addWidget(buttons);
    help->resize(kHelpWidth, kHelpHeight);
    help->show();
}

}  // namespace tonzug
