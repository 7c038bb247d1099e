#include "export/ui/FailureReason.h"

#include <QCoreApplication>
#include <cerrno>
#include <system_error>

namespace tonzug {
namespace {

constexpr const char* kContext = "tonzug::FailureReason";

struct ErrorWording {
    int error;
    const char* text;
};

// The failures a save meets in practice; the system's texts for these come in the C
// locale's English only.
constexpr ErrorWording kErrorWordings[] = {
    {ENOSPC, QT_TRANSLATE_NOOP("tonzug::FailureReason", "kein Platz auf dem Gerät")},
    {EACCES, QT_TRANSLATE_NOOP("tonzug::FailureReason", "Zugriff verweigert")},
    {EPERM, QT_TRANSLATE_NOOP("tonzug::FailureReason", "Vorgang nicht erlaubt")},
    {EROFS, QT_TRANSLATE_NOOP("tonzug::FailureReason", "Dateisystem ist nur lesbar")},
    {ENOENT, QT_TRANSLATE_NOOP("tonzug::FailureReason", "Datei oder Ordner nicht gefunden")},
    {ENOTDIR, QT_TRANSLATE_NOOP("tonzug::FailureReason", "ein Teil des Pfades ist kein Ordner")},
    {EISDIR, QT_TRANSLATE_NOOP("tonzug::FailureReason", "ist ein Ordner")},
    {EDQUOT, QT_TRANSLATE_NOOP("tonzug::FailureReason", "Speicherkontingent überschritten")},
    {EFBIG, QT_TRANSLATE_NOOP("tonzug::FailureReason", "Datei zu groß")},
    {EIO, QT_TRANSLATE_NOOP("tonzug::FailureReason", "Ein-/Ausgabefehler")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("tonzug::FailureReason", "Dateiname zu lang")},
    {ENOMEM, QT_TRANSLATE_NOOP("tonzug::FailureReason", "nicht genug Arbeitsspeicher")},
};

QString Translated(const char* text) {
    return QCoreApplication::translate(kContext, text);
}

QString RefusalWording(TargetRefusal refusal) {
    switch (refusal) {
        case TargetRefusal::kNone:
            break;
        case TargetRefusal::kForeignLinkInSharedFolder:
            return Translated(QT_TRANSLATE_NOOP(
                "tonzug::FailureReason",
                "einer symbolischen Verknüpfung eines anderen Benutzers in einem gemeinsamen "
                "Ordner wird nicht gefolgt"));
        case TargetRefusal::kDanglingLink:
            return Translated(QT_TRANSLATE_NOOP("tonzug::FailureReason",
                                                "die symbolische Verknüpfung zeigt ins Leere"));
        case TargetRefusal::kNotRegularFile:
            return Translated(
                QT_TRANSLATE_NOOP("tonzug::FailureReason", "keine gewöhnliche Datei"));
        case TargetRefusal::kWriteProtected:
            return Translated(
                QT_TRANSLATE_NOOP("tonzug::FailureReason", "die Datei ist schreibgeschützt"));
    }
    return {};
}

// Puts the values in for %1, %2, ... in one pass, so that a value holding a percent sign
// stays as it is.
QString FillIn(const QString& pattern, const std::vector<std::string>& values) {
    QString filled;
    for (qsizetype at = 0; at < pattern.size(); ++at) {
        const QChar next = at + 1 < pattern.size() ? pattern.at(at + 1) : QChar();
        const int number = next.digitValue();
        if (pattern.at(at) == u'%' && number >= 1 &&
            static_cast<std::size_t>(number) <= values.size()) {
            filled += QString::fromStdString(values[static_cast<std::size_t>(number - 1)]);
            ++at;
        } else {
            filled += pattern.at(at);
        }
    }
    return filled;
}

}  // namespace

QString SystemErrorText(int error) {
    for (const ErrorWording& wording : kErrorWordings) {
        if (wording.error == error) {
            return Translated(wording.text);
        }
    }
    return QString::fromStdString(std::generic_category().message(error));
}

QString FailureReason(const SaveResult& status) {
    if (status.systemError != 0) {
        const QString why = status.refusal != TargetRefusal::kNone
                                ? RefusalWording(status.refusal)
                                : SystemErrorText(status.systemError);
        return Translated(QT_TRANSLATE_NOOP("tonzug::FailureReason",
                                            "%1 kann nicht geschrieben werden: %2"))
            .arg(QString::fromStdString(status.path), why);
    }
    if (status.shown.text != nullptr) {
        return FillIn(QCoreApplication::translate(kShownReasonContext, status.shown.text),
                      status.shown.values);
    }
    return QString::fromStdString(status.reason);
}

}  // namespace tonzug
