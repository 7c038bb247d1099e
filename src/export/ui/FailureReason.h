#pragma once

#include <QString>

#include "export/SaveResult.h"

namespace tonzug {

// The reason below a failed export's message, in the language of the windows: a failed
// system call names the file and what the system said, a refused file why it was
// refused, a limit the limit. Reasons without a wording of their own stay as the core
// gave them.
QString FailureReason(const SaveResult& status);

// The text for errno `error` in the language of the windows; the system's own text for
// numbers without a wording here.
QString SystemErrorText(int error);

}  // namespace tonzug
