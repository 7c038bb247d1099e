<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="de_DE">
<context>
    <name>tonzug::ColorDialog</name>
    <message>
        <source>Farbauswahl</source>
        <translation>Select Colour</translation>
    </message>
    <message>
        <source>%1; Doppelklick: Farbdialog des Systems...</source>
        <translation>%1; double-click: system colour dialog...</translation>
    </message>
    <message>
        <source>S</source>
        <comment>Graustufe</comment>
        <translation>K</translation>
    </message>
    <message>
        <source>HTML : </source>
        <translation>HTML: </translation>
    </message>
    <message>
        <source>HTML übernehmen</source>
        <translation>Apply HTML colour</translation>
    </message>
    <message>
        <source>&amp;Wählen</source>
        <translation>&amp;Select</translation>
    </message>
    <message>
        <source>&amp;Abbrechen</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Hintergrund</source>
        <translation>Background</translation>
    </message>
</context>
<context>
    <name>tonzug::ColorList</name>
    <message>
        <source>Bildlaufleisten</source>
        <translation>Scroll bars</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <source>Aktive Titelleiste</source>
        <translation>Active title bar</translation>
    </message>
    <message>
        <source>Inaktive Titelleiste</source>
        <translation>Inactive title bar</translation>
    </message>
    <message>
        <source>Menüleiste</source>
        <translation>Menu bar</translation>
    </message>
    <message>
        <source>Fensterhintergrund</source>
        <translation>Window background</translation>
    </message>
    <message>
        <source>Fensterrahmen</source>
        <translation>Window frame</translation>
    </message>
    <message>
        <source>Menütext</source>
        <translation>Menu text</translation>
    </message>
    <message>
        <source>Fenstertext</source>
        <translation>Window text</translation>
    </message>
    <message>
        <source>Text der aktiven Titelleiste</source>
        <translation>Active title bar text</translation>
    </message>
    <message>
        <source>Aktiver Rahmen</source>
        <translation>Active border</translation>
    </message>
    <message>
        <source>Inaktiver Rahmen</source>
        <translation>Inactive border</translation>
    </message>
    <message>
        <source>Programmarbeitsbereich</source>
        <translation>Application workspace</translation>
    </message>
    <message>
        <source>Markierung</source>
        <translation>Highlight</translation>
    </message>
    <message>
        <source>Markierter Text</source>
        <translation>Highlighted text</translation>
    </message>
    <message>
        <source>Schaltfläche</source>
        <translation>Button face</translation>
    </message>
    <message>
        <source>Schaltflächenschatten</source>
        <translation>Button shadow</translation>
    </message>
    <message>
        <source>Gesperrter Text</source>
        <translation>Disabled text</translation>
    </message>
    <message>
        <source>Schaltflächentext</source>
        <translation>Button text</translation>
    </message>
    <message>
        <source>Text der inaktiven Titelleiste</source>
        <translation>Inactive title bar text</translation>
    </message>
    <message>
        <source>Schaltflächennmarkierung</source>
        <translation>Button highlight</translation>
    </message>
    <message>
        <source>Dunkler Schaltflächenschatten</source>
        <translation>Button dark shadow</translation>
    </message>
    <message>
        <source>Heller Schaltflächenschatten</source>
        <translation>Button light</translation>
    </message>
    <message>
        <source>Quickinfo -Text</source>
        <translation>Tooltip text</translation>
    </message>
    <message>
        <source>Quickinfo</source>
        <translation>Tooltip background</translation>
    </message>
    <message>
        <source>Schwarz</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>Dunkelblau</source>
        <translation>Dark blue</translation>
    </message>
    <message>
        <source>Dunkelgrün</source>
        <translation>Dark green</translation>
    </message>
    <message>
        <source>Türkis</source>
        <translation>Teal</translation>
    </message>
    <message>
        <source>Dunkelrot</source>
        <translation>Dark red</translation>
    </message>
    <message>
        <source>Violet</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>Olivgrün</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>Hellgrau</source>
        <translation>Light grey</translation>
    </message>
    <message>
        <source>Dunkelgrau</source>
        <translation>Dark grey</translation>
    </message>
    <message>
        <source>Blau</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Grün</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Rot</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>Gelb</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>Weiss</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Systemfarben</source>
        <translation>System colours</translation>
    </message>
</context>
<context>
    <name>tonzug::ExportCommands</name>
    <message>
        <source>SVG-Grafik</source>
        <translation>SVG graphic</translation>
    </message>
    <message>
        <source>Bitmap Truecolor</source>
        <translation>Bitmap true colour</translation>
    </message>
    <message>
        <source>PNG-Bildatei</source>
        <translation>PNG image</translation>
    </message>
    <message>
        <source>JPG-Bildatei</source>
        <translation>JPEG image</translation>
    </message>
    <message>
        <source>Tonzug speichern</source>
        <translation>Save Gradient Picture</translation>
    </message>
    <message>
        <source>Tonzug wird gespeichert...</source>
        <translation>Saving the gradient picture...</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>tonzug::FailureReason</name>
    <message>
        <source>kein Platz auf dem Gerät</source>
        <translation>no space left on device</translation>
    </message>
    <message>
        <source>Zugriff verweigert</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>Vorgang nicht erlaubt</source>
        <translation>operation not permitted</translation>
    </message>
    <message>
        <source>Dateisystem ist nur lesbar</source>
        <translation>the file system is read-only</translation>
    </message>
    <message>
        <source>Datei oder Ordner nicht gefunden</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>ein Teil des Pfades ist kein Ordner</source>
        <translation>part of the path is not a folder</translation>
    </message>
    <message>
        <source>ist ein Ordner</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>Speicherkontingent überschritten</source>
        <translation>disk quota exceeded</translation>
    </message>
    <message>
        <source>Datei zu groß</source>
        <translation>file too large</translation>
    </message>
    <message>
        <source>Ein-/Ausgabefehler</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>Dateiname zu lang</source>
        <translation>file name too long</translation>
    </message>
    <message>
        <source>nicht genug Arbeitsspeicher</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>einer symbolischen Verknüpfung eines anderen Benutzers in einem gemeinsamen Ordner wird nicht gefolgt</source>
        <translation>a symbolic link of another user in a shared folder is not followed</translation>
    </message>
    <message>
        <source>die symbolische Verknüpfung zeigt ins Leere</source>
        <translation>the symbolic link points to nothing</translation>
    </message>
    <message>
        <source>keine gewöhnliche Datei</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>die Datei ist schreibgeschützt</source>
        <translation>the file is write-protected</translation>
    </message>
    <message>
        <source>%1 kann nicht geschrieben werden: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
</context>
<context>
    <name>tonzug::FileDialogRequest</name>
    <message>
        <source>Alle Dateien</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>Datei speichern :</source>
        <translation>Save File</translation>
    </message>
    <message>
        <source>Datei öffnen :</source>
        <translation>Open File</translation>
    </message>
</context>
<context>
    <name>tonzug::HelpWindow</name>
    <message>
        <source>
&lt;h2&gt;Tonzug&lt;/h2&gt;
&lt;p&gt;Farbtonzüge erstellen und als Bild, CSS oder GIMP-Farbverlauf speichern.&lt;/p&gt;
&lt;h3&gt;Farbverlauf&lt;/h3&gt;
&lt;ul&gt;
&lt;li&gt;&lt;b&gt;Klassisch&lt;/b&gt;: Start-, Mittel- und Endfarbe mit ihren Breiten, drei Ausrichtungen.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Frei&lt;/b&gt;: beliebig viele Farbstopps, Winkel, Ellipsen, Kegelverläufe, Wiederholung,
jeder Farbraum von CSS. Ein klassischer Verlauf wird frei, sobald er mehr braucht;
„Verlaufsart“ zeigt es und macht einen passenden freien Verlauf wieder klassisch.&lt;/li&gt;
&lt;/ul&gt;
&lt;h3&gt;Farbstopps&lt;/h3&gt;
&lt;ul&gt;
&lt;li&gt;Klick auf die Leiste: neuer Stopp mit der Farbe an dieser Stelle.&lt;/li&gt;
&lt;li&gt;Stopp ziehen: verschieben (Umschalt: in Schritten von 1 %); von der Leiste weg
ziehen oder Entf: entfernen.&lt;/li&gt;
&lt;li&gt;Doppelklick oder Eingabe: Farbauswahl. Pfeiltasten: um ein Pixel verschieben
(Umschalt: um zehn).&lt;/li&gt;
&lt;li&gt;Einfg: neuer Stopp zwischen diesem und dem nächsten.&lt;/li&gt;
&lt;li&gt;Raute zwischen zwei Stopps ziehen oder Alt+Pfeiltaste: Mittelpunkt verschieben.
Kontextmenü (auch mit der Menütaste): Übergang und harte Kante.&lt;/li&gt;
&lt;/ul&gt;
&lt;h3&gt;Voransicht&lt;/h3&gt;
&lt;ul&gt;
&lt;li&gt;Ziehen: Winkel eines linearen oder Kegelverlaufs, Mitte eines radialen oder
Kegelverlaufs.&lt;/li&gt;
&lt;li&gt;Doppelklick oder F11: große Voransicht. Dort Strg+0: einpassen, Strg+1: Originalgröße,
Strg+Plus, Strg+Minus oder Strg+Mausrad: zoomen; ziehen: verschieben.&lt;/li&gt;
&lt;/ul&gt;
&lt;h3&gt;Farbfelder&lt;/h3&gt;
&lt;ul&gt;
&lt;li&gt;Klicken: Farbauswahl. Mit gedrückter Maustaste ziehen: Farbe vom Bildschirm
aufnehmen.&lt;/li&gt;
&lt;li&gt;Strg+V in einem Farbfeld: Farbe einfügen (#abc, rgb(…), ein Farbname).&lt;/li&gt;
&lt;/ul&gt;
&lt;h3&gt;Tasten&lt;/h3&gt;
&lt;table cellspacing=&quot;4&quot;&gt;
&lt;tr&gt;&lt;td&gt;Strg+Z&lt;/td&gt;&lt;td&gt;Rückgängig&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Strg+Umschalt+Z, Strg+Y&lt;/td&gt;&lt;td&gt;Wiederholen&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Strg+O&lt;/td&gt;&lt;td&gt;Einstellungsdatei laden&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Strg+S&lt;/td&gt;&lt;td&gt;Einstellungsdatei speichern&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Strg+Umschalt+S&lt;/td&gt;&lt;td&gt;Einstellungsdatei speichern unter&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Strg+N&lt;/td&gt;&lt;td&gt;Vorgabe Daten laden&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Strg+E, Strg+B, Strg+J&lt;/td&gt;&lt;td&gt;Als PNG-, BMP-, JPG-Bild speichern&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Strg+C&lt;/td&gt;&lt;td&gt;Bild in die Zwischenablage kopieren&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Strg+Umschalt+C&lt;/td&gt;&lt;td&gt;CSS in die Zwischenablage kopieren&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Strg+V&lt;/td&gt;&lt;td&gt;CSS-Farbverlauf einfügen&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Strg+1, Strg+2, Strg+3&lt;/td&gt;&lt;td&gt;Start-, Mittel-, Endfarbe wählen&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Strg+T&lt;/td&gt;&lt;td&gt;Start- und Endfarbe tauschen&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Strg+Umschalt+T&lt;/td&gt;&lt;td&gt;Breite und Höhe tauschen&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Strg+Minus, Strg+Plus&lt;/td&gt;&lt;td&gt;Dunkler, Heller&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;F11&lt;/td&gt;&lt;td&gt;Große Voransicht&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;F1&lt;/td&gt;&lt;td&gt;Diese Hilfe&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;
&lt;p&gt;Eine Datei (.tzg, .ggr, .css) oder CSS-Text lässt sich auf das Fenster ziehen.
Mehr in &lt;tt&gt;man tonzug&lt;/tt&gt; und &lt;tt&gt;tonzug --help&lt;/tt&gt;.&lt;/p&gt;
</source>
        <translation>
&lt;h2&gt;Tonzug&lt;/h2&gt;
&lt;p&gt;Design colour gradients and save them as pictures, CSS or GIMP gradients.&lt;/p&gt;
&lt;h3&gt;Gradient&lt;/h3&gt;
&lt;ul&gt;
&lt;li&gt;&lt;b&gt;Classic&lt;/b&gt;: start, middle and end colour with their widths, three orientations.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Free&lt;/b&gt;: any number of colour stops, angles, ellipses, conic gradients, repetition,
every colour space of CSS. A classic gradient becomes free as soon as it needs more;
“Gradient type” shows which it is and turns a free gradient that fits back into a classic one.&lt;/li&gt;
&lt;/ul&gt;
&lt;h3&gt;Colour stops&lt;/h3&gt;
&lt;ul&gt;
&lt;li&gt;Click on the bar: a new stop with the colour at that place.&lt;/li&gt;
&lt;li&gt;Drag a stop: move it (Shift: in steps of 1 %); drag it off the bar or press Delete:
remove it.&lt;/li&gt;
&lt;li&gt;Double-click or Return: choose its colour. Arrow keys: move it by a pixel
(Shift: by ten).&lt;/li&gt;
&lt;li&gt;Insert: a new stop between this one and the next.&lt;/li&gt;
&lt;li&gt;Drag the diamond between two stops, or Alt+arrow key: move the midpoint.
Context menu (also with the menu key): easing and hard edge.&lt;/li&gt;
&lt;/ul&gt;
&lt;h3&gt;Preview&lt;/h3&gt;
&lt;ul&gt;
&lt;li&gt;Drag: the angle of a linear or conic gradient, the centre of a radial or
conic gradient.&lt;/li&gt;
&lt;li&gt;Double-click or F11: large preview. There Ctrl+0: fit, Ctrl+1: actual size,
Ctrl+Plus, Ctrl+Minus or Ctrl+mouse wheel: zoom; drag: scroll.&lt;/li&gt;
&lt;/ul&gt;
&lt;h3&gt;Colour swatches&lt;/h3&gt;
&lt;ul&gt;
&lt;li&gt;Click: choose a colour. Drag with the mouse button held: pick a colour from the
screen.&lt;/li&gt;
&lt;li&gt;Ctrl+V on a colour swatch: paste a colour (#abc, rgb(…), a colour name).&lt;/li&gt;
&lt;/ul&gt;
&lt;h3&gt;Keys&lt;/h3&gt;
&lt;table cellspacing=&quot;4&quot;&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+Z&lt;/td&gt;&lt;td&gt;Undo&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+Shift+Z, Ctrl+Y&lt;/td&gt;&lt;td&gt;Redo&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+O&lt;/td&gt;&lt;td&gt;Open settings file&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+S&lt;/td&gt;&lt;td&gt;Save settings file&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+Shift+S&lt;/td&gt;&lt;td&gt;Save settings file as&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+N&lt;/td&gt;&lt;td&gt;Load default settings&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+E, Ctrl+B, Ctrl+J&lt;/td&gt;&lt;td&gt;Save as PNG, BMP, JPG picture&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+C&lt;/td&gt;&lt;td&gt;Copy the picture to the clipboard&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+Shift+C&lt;/td&gt;&lt;td&gt;Copy the CSS to the clipboard&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+V&lt;/td&gt;&lt;td&gt;Paste a CSS gradient&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+1, Ctrl+2, Ctrl+3&lt;/td&gt;&lt;td&gt;Choose the start, middle, end colour&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+T&lt;/td&gt;&lt;td&gt;Swap start and end colour&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+Shift+T&lt;/td&gt;&lt;td&gt;Swap width and height&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;Ctrl+Minus, Ctrl+Plus&lt;/td&gt;&lt;td&gt;Darker, lighter&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;F11&lt;/td&gt;&lt;td&gt;Large preview&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td&gt;F1&lt;/td&gt;&lt;td&gt;This help&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;
&lt;p&gt;A file (.tzg, .ggr, .css) or CSS text can be dropped on the window.
More in &lt;tt&gt;man tonzug&lt;/tt&gt; and &lt;tt&gt;tonzug --help&lt;/tt&gt;.&lt;/p&gt;
</translation>
    </message>
    <message>
        <source>Tonzug – Hilfe</source>
        <translation>Tonzug – Help</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>tonzug::MainWindow</name>
    <message>
        <source>Farbtonzüge erstellen</source>
        <translation>Design colour gradients</translation>
    </message>
    <message>
        <source>Voransicht : </source>
        <translation>Preview: </translation>
    </message>
    <message>
        <source>Doppelklick: große Voransicht...</source>
        <translation>Double-click: large preview...</translation>
    </message>
    <message>
        <source>Tonzug als BMP-Bild speichern...</source>
        <translation>Save the gradient as a BMP picture...</translation>
    </message>
    <message>
        <source>Tonzug als PNG-Bild speichern...</source>
        <translation>Save the gradient as a PNG picture...</translation>
    </message>
    <message>
        <source>Tonzug als JPG-Bild speichern...</source>
        <translation>Save the gradient as a JPG picture...</translation>
    </message>
    <message>
        <source>Tonzug in die Zwischenablage kopieren...</source>
        <translation>Copy the gradient to the clipboard...</translation>
    </message>
    <message>
        <source>CSS kopieren</source>
        <translation>Copy CSS</translation>
    </message>
    <message>
        <source>Tonzug als CSS in die Zwischenablage kopieren...</source>
        <translation>Copy the gradient to the clipboard as CSS...</translation>
    </message>
    <message>
        <source>Vorgabe Daten laden...</source>
        <translation>Load default settings...</translation>
    </message>
    <message>
        <source>Einstellungsdatei speichern...</source>
        <translation>Save settings file...</translation>
    </message>
    <message>
        <source>Einstellungsdatei laden...</source>
        <translation>Open settings file...</translation>
    </message>
    <message>
        <source>Rückgängig</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Strg+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>Wiederholen</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Strg+Umschalt+Z</source>
        <translation>Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>Dunkler...</source>
        <translation>Darker...</translation>
    </message>
    <message>
        <source>Heller...</source>
        <translation>Lighter...</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Dialog Schließen...</source>
        <translation>Close the window...</translation>
    </message>
    <message>
        <source>Zuletzt verwendet</source>
        <translation>Recently used</translation>
    </message>
    <message>
        <source>(keine Dateien)</source>
        <translation>(no files)</translation>
    </message>
    <message>
        <source>Die Einstellungsdatei „%1“ wurde geändert. Sollen die Änderungen gespeichert werden?</source>
        <translation>The settings file “%1” has been changed. Do you want to save the changes?</translation>
    </message>
    <message>
        <source>Einfügen</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Der Text enthält keinen CSS-Farbverlauf.</source>
        <translation>The text holds no CSS gradient.</translation>
    </message>
    <message>
        <source>Die Datei enthält keinen CSS-Farbverlauf: %1</source>
        <translation>The file holds no CSS gradient: %1</translation>
    </message>
</context>
<context>
    <name>tonzug::ParameterFileCommands</name>
    <message>
        <source>Tonzugs-Parameter</source>
        <translation>Tonzug settings</translation>
    </message>
    <message>
        <source>GIMP-Farbverlauf</source>
        <translation>GIMP gradient</translation>
    </message>
    <message>
        <source>Einstellungsdatei laden</source>
        <translation>Open settings file</translation>
    </message>
    <message>
        <source>Einstellungsdatei speichern</source>
        <translation>Save settings file</translation>
    </message>
    <message>
        <source>Die Einstellungsdatei konnte nicht gespeichert werden.</source>
        <translation>The settings file could not be saved.</translation>
    </message>
    <message>
        <source>Der GIMP-Farbverlauf konnte nicht gelesen werden: %1</source>
        <translation>The GIMP gradient could not be read: %1</translation>
    </message>
    <message>
        <source>Die Einstellungsdatei konnte nicht gelesen werden.</source>
        <translation>The settings file could not be read.</translation>
    </message>
    <message>
        <source> und </source>
        <translation> and </translation>
    </message>
    <message>
        <source>Die Einstellungsdatei enthält ungültige Werte für %1; sie wurden begrenzt oder durch ihre Vorgaben ersetzt.</source>
        <translation>The settings file holds invalid values for %1; they were limited or replaced by their defaults.</translation>
    </message>
</context>
<context>
    <name>tonzug::ParameterPanel</name>
    <message>
        <source>Farbwahl (Start / Ende)  : </source>
        <translation>Colours (start / end): </translation>
    </message>
    <message>
        <source>Startfarbe</source>
        <translation>Start colour</translation>
    </message>
    <message>
        <source>Startfarbe wählen...</source>
        <translation>Choose the start colour...</translation>
    </message>
    <message>
        <source>Start- und Endfarbe tauschen...</source>
        <translation>Swap start and end colour...</translation>
    </message>
    <message>
        <source>Endfarbe</source>
        <translation>End colour</translation>
    </message>
    <message>
        <source>Endfarbe wählen...</source>
        <translation>Choose the end colour...</translation>
    </message>
    <message>
        <source>Start - Breite : </source>
        <translation>Start width: </translation>
    </message>
    <message>
        <source>End - Breite : </source>
        <translation>End width: </translation>
    </message>
    <message>
        <source>Abmessungen : </source>
        <translation>Size: </translation>
    </message>
    <message>
        <source>Tonzug - Breite : </source>
        <translation>Gradient width: </translation>
    </message>
    <message>
        <source>Tonzug - Höhe : </source>
        <translation>Gradient height: </translation>
    </message>
    <message>
        <source>Breite und Höhe tauschen...</source>
        <translation>Swap width and height...</translation>
    </message>
    <message>
        <source>Mittelpunkt - Farbe : </source>
        <translation>Middle: </translation>
    </message>
    <message>
        <source>Mittelfarbe : </source>
        <translation>Middle colour: </translation>
    </message>
    <message>
        <source>Mittelfarbe</source>
        <translation>Middle colour</translation>
    </message>
    <message>
        <source>Mittelfarbe wählen...</source>
        <translation>Choose the middle colour...</translation>
    </message>
    <message>
        <source>Mittel - Breite : </source>
        <translation>Middle width: </translation>
    </message>
    <message>
        <source>Mittelpunkt [%] : </source>
        <translation>Midpoint [%]: </translation>
    </message>
    <message>
        <source>Mittelpunkt [Pixel]</source>
        <translation>Midpoint [pixels]</translation>
    </message>
    <message>
        <source>Mittelpunkt [%]</source>
        <translation>Midpoint [%]</translation>
    </message>
    <message>
        <source>Ausrichtung : </source>
        <translation>Orientation: </translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Vertikal</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Kreis</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>Farbmodus : </source>
        <translation>Colour mode: </translation>
    </message>
    <message>
        <source>Weitere : </source>
        <translation>More: </translation>
    </message>
    <message>
        <source>Farbton : </source>
        <translation>Hue: </translation>
    </message>
    <message>
        <source>direkt</source>
        <translation>direct</translation>
    </message>
    <message>
        <source>kürzer</source>
        <translation>shorter</translation>
    </message>
    <message>
        <source>länger</source>
        <translation>longer</translation>
    </message>
    <message>
        <source>Der Weg um den Farbkreis in HSL und OkLCh: direkt wie die Zahlen, der kürzere oder längere Bogen, steigend oder fallend...</source>
        <translation>The way round the colour wheel in HSL and OkLCh: directly as the numbers go, the shorter or longer arc, increasing or decreasing...</translation>
    </message>
    <message>
        <source>Export : </source>
        <translation>Export: </translation>
    </message>
    <message>
        <source>16 Bit je Kanal gelten für PNG; Dithering gegen Streifen gilt für alle 8-Bit-Bilder, die Zwischenablage und die Voransicht...</source>
        <translation>16 bits per channel apply to PNG; dithering against banding applies to every 8-bit picture, the clipboard and the preview...</translation>
    </message>
    <message>
        <source>Farbtiefe : </source>
        <translation>Colour depth: </translation>
    </message>
    <message>
        <source>8 Bit</source>
        <translation>8-bit</translation>
    </message>
    <message>
        <source>16 Bit</source>
        <translation>16-bit</translation>
    </message>
    <message>
        <source>Dithering</source>
        <translation>Dithering</translation>
    </message>
    <message>
        <source>Doppelklick: Mittelpunkt auf 50 % setzen...</source>
        <translation>Double-click: set the midpoint to 50 %...</translation>
    </message>
    <message>
        <source>Klicken: Farbauswahl. </source>
        <translation>Click: choose a colour. </translation>
    </message>
    <message>
        <source>. Strg+V: Farbe einfügen...</source>
        <translation>. Ctrl+V: paste a colour...</translation>
    </message>
    <message>
        <source>Im Farbmodus HSL werden nur Start- und Endfarbe gemischt...</source>
        <translation>In the HSL colour mode only the start and end colour are blended...</translation>
    </message>
    <message>
        <source>Die Mittelfarbe ist ausgeschaltet: &quot;Mittelfarbe&quot; einschalten, um Farbe und Breite zu setzen...</source>
        <translation>The middle colour is off: turn on &quot;Middle colour&quot; to set its colour and width...</translation>
    </message>
    <message>
        <source>steigend</source>
        <translation>increasing</translation>
    </message>
    <message>
        <source>fallend</source>
        <translation>decreasing</translation>
    </message>
</context>
<context>
    <name>tonzug::PreviewCanvas</name>
    <message>
        <source>Voransicht</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Mausrad: rollen, Strg+Mausrad: zoomen, Ziehen: verschieben, Doppelklick: einpassen oder Originalgröße, Esc: schließen</source>
        <translation>Mouse wheel: scroll, Ctrl+mouse wheel: zoom, drag: move, double-click: fit or actual size, Esc: close</translation>
    </message>
</context>
<context>
    <name>tonzug::PreviewHandles</name>
    <message>
        <source>Winkel und Mitte</source>
        <translation>Angle and centre</translation>
    </message>
</context>
<context>
    <name>tonzug::PreviewWindow</name>
    <message>
        <source>Tonzug Voransicht</source>
        <translation>Tonzug Preview</translation>
    </message>
    <message>
        <source>Einpassen</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Ganzes Bild im Fenster zeigen</source>
        <translation>Show the whole picture in the window</translation>
    </message>
    <message>
        <source>Originalgröße</source>
        <translation>Actual size</translation>
    </message>
    <message>
        <source>Ein Bildpunkt je Bildschirmpunkt</source>
        <translation>One picture pixel per screen pixel</translation>
    </message>
    <message>
        <source>Vergrößern</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Verkleinern</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>%1 × %2 Pixel</source>
        <translation>%1 × %2 pixels</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1%</translation>
    </message>
</context>
<context>
    <name>tonzug::SaveResult</name>
    <message>
        <source>BMP-Dateien sind auf 4 GiB (%1 Byte) begrenzt; %2 × %3 Pixel brauchen %4 Byte</source>
        <translation>BMP files are limited to 4 GiB (%1 bytes); %2 × %3 pixels need %4 bytes</translation>
    </message>
    <message>
        <source>Bilder dürfen höchstens %1 Pixel breit sein, so viel wie der Exportspeicher für eine Zeile fasst (%2 × %3 verlangt)</source>
        <translation>Pictures can be at most %1 pixels wide, the export memory limit for one row (%2 × %3 requested)</translation>
    </message>
    <message>
        <source>Die Bildgröße %1 × %2 ist zu groß: höchstens %3 Pixel in jede Richtung</source>
        <translation>The picture size %1 × %2 is too large: at most %3 pixels each way</translation>
    </message>
    <message>
        <source>Die Bildgröße liegt außerhalb des Bereichs: höchstens %1 Pixel in jede Richtung</source>
        <translation>The picture size is out of range: at most %1 pixels each way</translation>
    </message>
    <message>
        <source>Leeres Bild: Breite und Höhe müssen mindestens 1 Pixel sein (%1 × %2 verlangt)</source>
        <translation>Empty picture: width and height must be at least 1 pixel (%1 × %2 requested)</translation>
    </message>
    <message>
        <source>Ein Bild im Arbeitsspeicher darf höchstens %1 MiB belegen; %2 × %3 Pixel brauchen %4 MiB</source>
        <translation>A picture held in memory may take at most %1 MiB; %2 × %3 pixels need %4 MiB</translation>
    </message>
    <message>
        <source>JPEG-Bilder dürfen höchstens %1 Pixel breit und hoch sein (%2 × %3 verlangt)</source>
        <translation>JPEG pictures can be at most %1 pixels wide and high (%2 × %3 requested)</translation>
    </message>
    <message>
        <source>Nicht genug Arbeitsspeicher für das Bild</source>
        <translation>Not enough memory for the picture</translation>
    </message>
    <message>
        <source>Die Zwischenablage hat das Bild nicht angenommen</source>
        <translation>The clipboard did not take the picture</translation>
    </message>
    <message>
        <source>Die Zwischenablage hat das CSS nicht angenommen</source>
        <translation>The clipboard did not take the CSS</translation>
    </message>
</context>
<context>
    <name>tonzug::ScreenPicker</name>
    <message>
        <source>Farbwahl vom Bildschirm ist hier nicht verfügbar.</source>
        <translation>Picking a colour from the screen is not available here.</translation>
    </message>
    <message>
        <source>Klicken oder ziehen: Farbe vom Bildschirm aufnehmen (mit der Lupe des Desktops, ohne Live-Vorschau)</source>
        <translation>Click or drag: pick a colour from the screen (with the desktop&apos;s magnifier, without live preview)</translation>
    </message>
    <message>
        <source>Mit gedrückter Maustaste ziehen: Farbe vom Bildschirm aufnehmen (Esc bricht ab)</source>
        <translation>Drag with the mouse button held down: pick a colour from the screen (Esc cancels)</translation>
    </message>
</context>
<context>
    <name>tonzug::ShapePanel</name>
    <message>
        <source>Form : </source>
        <translation>Shape: </translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>Kreis</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>Kegel</source>
        <translation>Conic</translation>
    </message>
    <message>
        <source>Wiederholen</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>Auch durch Ziehen in der Voransicht...</source>
        <translation>Also by dragging in the preview...</translation>
    </message>
    <message>
        <source>Winkel [°] : </source>
        <translation>Angle [°]: </translation>
    </message>
    <message>
        <source>Mitte [%] : </source>
        <translation>Centre [%]: </translation>
    </message>
    <message>
        <source>Mitte X [%]</source>
        <translation>Centre X [%]</translation>
    </message>
    <message>
        <source>Mitte Y [%]</source>
        <translation>Centre Y [%]</translation>
    </message>
    <message>
        <source>Nächste Seite</source>
        <translation>Closest side</translation>
    </message>
    <message>
        <source>Fernste Seite</source>
        <translation>Farthest side</translation>
    </message>
    <message>
        <source>Nächste Ecke</source>
        <translation>Closest corner</translation>
    </message>
    <message>
        <source>Fernste Ecke</source>
        <translation>Farthest corner</translation>
    </message>
    <message>
        <source>Ausdehnung : </source>
        <translation>Extent: </translation>
    </message>
    <message>
        <source>Weitere Farbräume von CSS: der Farbverlauf wird frei...</source>
        <translation>More colour spaces of CSS: the gradient becomes free...</translation>
    </message>
    <message>
        <source>Gilt für den klassischen Verlauf: „Verlaufsart“ auf „Klassisch“ stellen...</source>
        <translation>Applies to the classic gradient: set “Gradient type” to “Classic”...</translation>
    </message>
</context>
<context>
    <name>tonzug::StopsBarWidget</name>
    <message>
        <source>Linear</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>Gekrümmt</source>
        <translation>Curved</translation>
    </message>
    <message>
        <source>Sinus</source>
        <translation>Sine</translation>
    </message>
    <message>
        <source>Kugel zunehmend</source>
        <translation>Sphere increasing</translation>
    </message>
    <message>
        <source>Kugel abnehmend</source>
        <translation>Sphere decreasing</translation>
    </message>
    <message>
        <source>Stufe</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>Farbverlauf</source>
        <translation>Gradient</translation>
    </message>
    <message>
        <source>Klick: neuer Farbstopp; Stopp ziehen: verschieben (Umschalt: ganze Prozent), nach oben oder unten wegziehen: entfernen; Doppelklick: Farbauswahl...</source>
        <translation>Click: new colour stop; drag a stop: move it (Shift: whole percent), drag it up or down off the bar: remove it; double-click: choose its colour...</translation>
    </message>
    <message>
        <source>Stopp %1 von %2, %3, %4</source>
        <translation>Stop %1 of %2, %3, %4</translation>
    </message>
    <message>
        <source> bis %1</source>
        <translation> to %1</translation>
    </message>
    <message>
        <source>, Deckkraft %1</source>
        <translation>, opacity %1</translation>
    </message>
    <message>
        <source>Als harte Kante</source>
        <translation>As a hard edge</translation>
    </message>
    <message>
        <source>Farbe wählen...</source>
        <translation>Choose colour...</translation>
    </message>
    <message>
        <source>Entfernen</source>
        <translation>Remove</translation>
    </message>
</context>
<context>
    <name>tonzug::StopsPanel</name>
    <message>
        <source>&amp;Verlaufsart :</source>
        <translation>&amp;Gradient type:</translation>
    </message>
    <message>
        <source>Klassisch</source>
        <translation>Classic</translation>
    </message>
    <message>
        <source>Frei</source>
        <translation>Free</translation>
    </message>
    <message>
        <source>Verlaufsart</source>
        <translation>Gradient type</translation>
    </message>
    <message>
        <source>Klassisch: Start-, Mittel- und Endfarbe in den Feldern; Frei: beliebig viele Farbstopps...</source>
        <translation>Classic: start, middle and end colour in the fields; free: any number of colour stops...</translation>
    </message>
    <message>
        <source>Die klassischen Felder können diesen Verlauf nicht genau halten: sie kennen zwei oder drei deckende Farben ohne Zwischenpunkte, nach rechts, nach unten oder als Kreis um die Mitte, gemischt in RGB, HSL, Oklab oder OkLCh...</source>
        <translation>The classic fields cannot hold this gradient exactly: they know two or three opaque colours without midpoints, to the right, downwards or as a circle round the centre, blended in RGB, HSL, Oklab or OkLCh...</translation>
    </message>
</context>
</TS>
