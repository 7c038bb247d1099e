#pragma once

// The temporary folder helper is shared by all tests; one definition only.
#include "testing/TempFolder.h"
