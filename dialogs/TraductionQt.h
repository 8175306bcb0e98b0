// Qt's own windows and buttons (file, print and page set-up dialogs, the
// buttons of the message boxes) in the program's language: Qt's French or
// Spanish translations, none for English.
#pragma once

#include <cstdint>

namespace orvane {

// Makes Qt's texts follow the language code `langue` (as ChoixLangue reads
// it: 3 Spanish, 2 English, any other French). Nothing happens when that
// language is already the one in use; otherwise the translation in use is
// replaced, and every window then receives a language change event. A
// translation that cannot be found leaves Qt's English.
void TraduireQt(int32_t langue);

}  // namespace orvane
