#include "workspace/ParameterFiles.h"

#include <optional>

#include "support/IniFile.h"
#include "support/Numbers.h"

namespace tonzug {

void LoadDefaults(ParameterForm& form) {
    form.colStart.SetColor(kWhite);
    form.colEnd.SetColor(kBlack);
    form.txtX.SetText("25");
    form.txtY.SetText("256");
    form.txtMid.SetText("50");
    form.txtMBR.SetText("1");
    form.txtSBR.SetText("1");
    form.txtEBR.SetText("1");
    form.MidTextToSlider();
    form.colMid.SetColor(kWhite);
    form.chkMid.SetValue(0);
    form.optV.Select(kVertical);
    form.optF.Select(kModeRgb);
}

void LoadParameters(ParameterForm& form, const std::string& file) {
    IniDocument document;
    document.Load(file);  // a file that cannot be read reads as empty: every key is missing
    const auto readInt = [&document](const char* key) {
        return document.GetInt(kParameterSection, key, 0);
    };
    const auto readField = [&readInt](TextField& field, const char* key) {
        field.SetText(IntegerText(readInt(key)));
    };
    form.colStart.SetColor(readInt("STCOL"));
    form.colEnd.SetColor(readInt("EDCOL"));
    readField(form.txtX, "X");
    readField(form.txtY, "Y");
    readField(form.txtMid, "MID");
    readField(form.txtMBR, "MBR");
    readField(form.txtSBR, "SBR");
    readField(form.txtEBR, "EBR");
    form.MidTextToSlider();
    if (const std::optional<std::int32_t> middle =
            TextToInt32(document.GetString(kParameterSection, "MDCOL", ""))) {
        form.colMid.SetColor(*middle);
    }
    // Values that a control refuses (a switch of 5, an orientation of 7) skip that step.
    if (const std::optional<std::int16_t> check = NarrowToInt16(readInt("MDCHK"))) {
        form.chkMid.SetValue(*check);
    }
    if (const std::optional<std::int16_t> orientation = NarrowToInt16(readInt("OPT"))) {
        form.optV.Select(*orientation);
    }
    if (const std::optional<std::int16_t> mode = NarrowToInt16(readInt("FRB"))) {
        form.optF.Select(*mode);
    }
}

bool SaveParameters(const ParameterForm& form, const std::string& file) {
    IniDocument document;
    document.Load(file);
    const auto write = [&document](const char* key, const std::string& value) {
        document.Set(kParameterSection, key, value);
    };
    write("STCOL", IntegerText(form.colStart.Color()));
    write("EDCOL", IntegerText(form.colEnd.Color()));
    write("X", form.txtX.Text());
    write("Y", form.txtY.Text());
    write("MID", form.txtMid.Text());
    write("M", form.txtM.Text());
    write("MBR", form.txtMBR.Text());
    write("SBR", form.txtSBR.Text());
    write("EBR", form.txtEBR.Text());
    write("MDCOL", IntegerText(form.colMid.Color()));
    write("MDCHK", IntegerText(form.chkMid.Value()));
    write("OPT", IntegerText(form.OrientationIndex()));
    write("FRB", IntegerText(form.ColorModeIndex()));
    return document.Save(file);
}

}  // namespace tonzug
