#include "workspace/GradientFiles.h"

#include "support/BoundedFile.h"
#include "support/IniFile.h"
#include "web/CssGradientReader.h"
#include "web/CssGradientText.h"
#include "web/EasingText.h"
#include "web/GimpGradient.h"

namespace tonzug {
namespace {

// A gradient file is read whole, as large as a settings file may be.
std::optional<std::string> ReadGradientFile(const std::string& path, std::string& content) {
    bool missing = false;
    return ReadBoundedFile(path, kMaxIniFileBytes, content, missing);
}

}  // namespace

std::optional<std::string> LoadGimpGradientFile(const std::string& path, ParameterForm& form,
                                                MessageLanguage language) {
    std::string content;
    if (std::optional<std::string> problem = ReadGradientFile(path, content)) {
        return problem;
    }
    const GimpGradientReading reading = ReadGimpGradient(content);
    if (!reading.gradient) {
        return DescribeGimpFileError(reading.error, language);
    }
    SetFreeGradient(form, *reading.gradient);
    return std::nullopt;
}

void SetFreeGradient(ParameterForm& form, const FreeGradient& gradient) {
    form.ChangeTogether([&form, &gradient] {
        form.txtGradient.SetText(CssGradientTextBesideEasing(gradient));
        form.txtEasing.SetText(EasingText(gradient));
    });
}

bool PasteGradientText(ParameterForm& form, std::string_view text) {
    CssGradientReading reading = ReadCssGradient(text);
    // More than a declaration: a rule or a style sheet holding a gradient somewhere.
    if (!reading.gradient) {
        if (const std::optional<std::string_view> found = FindCssGradient(text)) {
            reading = ReadCssGradient(*found);
        }
    }
    if (!reading.gradient) {
        return false;
    }
    SetFreeGradient(form, *reading.gradient);
    return true;
}

std::optional<std::string> LoadGradientTextFile(const std::string& path, ParameterForm& form,
                                                MessageLanguage language) {
    std::string content;
    if (std::optional<std::string> problem = ReadGradientFile(path, content)) {
        return problem;
    }
    if (!PasteGradientText(form, content)) {
        return DescribeCssGradientError(ReadCssGradient(content).error, language);
    }
    return std::nullopt;
}

}  // namespace tonzug
