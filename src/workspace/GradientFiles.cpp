#include "workspace/GradientFiles.h"

#include "support/BoundedFile.h"
#include "support/IniFile.h"
#include "web/CssGradientText.h"
#include "web/EasingText.h"
#include "web/GimpGradient.h"

namespace tonzug {

std::optional<std::string> LoadGimpGradientFile(const std::string& path, ParameterForm& form,
                                                MessageLanguage language) {
    std::string content;
    bool missing = false;
    if (std::optional<std::string> problem =
            ReadBoundedFile(path, kMaxIniFileBytes, content, missing)) {
        return problem;
    }
    const GimpGradientReading reading = ReadGimpGradient(content);
    if (!reading.gradient) {
        return DescribeGimpFileError(reading.error, language);
    }
    form.ChangeTogether([&form, &reading] {
        form.txtGradient.SetText(CssGradientTextBesideEasing(*reading.gradient));
        form.txtEasing.SetText(EasingText(*reading.gradient));
    });
    return std::nullopt;
}

}  // namespace tonzug
