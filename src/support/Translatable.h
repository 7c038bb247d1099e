#pragma once

// A text of the core that a window shows in the user's language: the core keeps the German
// text, the translation tools collect it under its context, and the window shows
// QCoreApplication::translate(context, text).
#define TONZUG_TRANSLATABLE(context, text) text
