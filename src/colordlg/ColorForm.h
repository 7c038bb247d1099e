#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "color/ColorValue.h"
#include "color/CssColor.h"
#include "colordlg/HslField.h"
#include "colordlg/PickPictures.h"
#include "form/ColorSwatch.h"
#include "form/FormControls.h"
#include "render/Raster.h"

namespace tonzug {

enum class PickStrip { kHue, kGrey };

// The colour chooser's controls and their change cascade, without any toolkit. One
// current colour shows at once as red, green, blue, grey, HSL on the 0..240 scale,
// HTML code, preview and three HSL fields. Every input ends in ShowColor or ShowHsl;
// their own writes raise the controls' change handling as any write does, and the
// Syncing flag makes the nested ShowColor/ShowHsl calls return at once, so no input
// starts an endless chain. The view shows the controls through their observers.
class ColorForm {
  public:
    struct PictureSizes {
        int fieldWidth = 17;
        int fieldHeight = 240;
        int stripWidth = 16;
        int stripHeight = 240;
    };

    ColorForm();
    explicit ColorForm(const PictureSizes& sizes);
    ColorForm(const ColorForm&) = delete;
    ColorForm& operator=(const ColorForm&) = delete;

    bool Syncing() const { return syncing_; }

    // Every display from a plain RGB colour; the preview shows previewColor unless it
    // is kNoColor (a listed system colour stays a reference there). A value that is no
    // plain colour (an unreadable screen pixel) shows nothing and changes nothing, so a
    // screen pick keeps the last colour it could read.
    void ShowColor(ColorValue rgb, ColorValue previewColor);
    // Every display from hue, saturation and lightness (0..240); the HSL displays keep
    // exactly these numbers.
    void ShowHsl(std::int32_t hue, std::int32_t saturation, std::int32_t lightness);

    // The opener's steps: the start colour into the preview (refused when it is no
    // colour value, so the preview keeps the button face), then the initialisation
    // that shows it, translated, in every display.
    bool SetStartColor(ColorValue color);
    void Initialize();

    // Buttons: check mark (and Enter in the HTML field or leaving it), "Hintergrund", a
    // list entry by its tag "rgb|value", "&Wählen", "&Abbrechen". The HTML field takes an
    // opaque CSS colour, "#" optional before hex digits; a text that is none is refused,
    // with the reason in htmlRefusal, and the colour stays.
    void ApplyHtml();
    void ShowBackground();
    void ShowListedColor(std::string_view tag);
    void Accept();
    void Cancel();
    // The chosen colour as plain RGB after "&Wählen"; kNoColor otherwise.
    ColorValue Result() const;

    // Mouse on a field or a strip (coordinates in the picture's pixels).
    void FieldMouse(HslComponent component, MouseAction action, MouseButtons buttons, float x,
                    float y);
    void StripMouse(PickStrip strip, MouseAction action, MouseButtons buttons, float x, float y);
    // The system colour dialog's answer; kNoColor (cancel) changes nothing.
    void ApplySystemDialogColor(ColorValue chosen);

    HslField& Field(HslComponent component);
    TextField& FieldText(HslComponent component);
    const Raster& Strip(PickStrip strip) const;

    TextField txtR;
    TextField txtG;
    TextField txtB;
    TextField txtS;
    TextField txtH1;
    TextField txtS1;
    TextField txtL1;
    TextField txtHTML;
    // Why the HTML field's text was refused, in refusalLanguage; empty while it is taken or
    // being edited. The view marks the field as wrong while it is set.
    TextField htmlRefusal;
    MessageLanguage refusalLanguage = MessageLanguage::kGerman;
    Slider scrR{0, 255, 0};
    Slider scrG{0, 255, 0};
    Slider scrB{0, 255, 0};
    Slider scrS{0, 255, 0};
    Slider scrH1{0, 240, 0};
    Slider scrS1{0, 240, 0};
    Slider scrL1{0, 240, 0};
    ColorSwatch pCol;   // the current colour, a system colour reference included
    ColorSwatch picSW;  // grey swatch of the grey value
    HslField picHFF;
    HslField picFSF;
    HslField picFFL;
    std::string tag;  // "" fresh, "1" chosen, "0" cancelled

  private:
    void ConnectHandlers();
    void RgbScrollChanged();
    void HslScrollChanged();
    void GreyScrollChanged();
    void RgbTextChanged();
    void HslTextChanged();
    void GreyTextChanged();
    void ShowGreySwatch();
    void HtmlTextChanged();
    void HslTextChange(HslComponent own, HslComponent firstRedraw, HslComponent secondRedraw);
    void DrawField(HslComponent component);
    void PlaceFieldMarker(HslComponent component);
    // Writes every display of rgb, with the HSL displays given.
    void WriteDisplays(ColorValue rgb, std::int32_t hue, std::int32_t saturation,
                       std::int32_t lightness);

    Raster colPick_;
    Raster colPickSW_;
    bool syncing_ = false;
};

}  // namespace tonzug
