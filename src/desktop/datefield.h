// Date and time fields that read in the same order in every language. Qt lays the sections of
// a right-to-left field out in reverse ("H:mm" becomes "mm:H"), but their text is digits,
// points and colons, which keep their own order: 9 December 2026, 01:18 reads
// "18:1 2026.12.9" in a Hebrew window.
#pragma once

class QDateTimeEdit;

namespace calivue {

// Lays `edit` out left to right with its sections in the order of its display format; its
// calendar pop-up keeps the window's direction. Call after setting the display format.
void keepDateReadingOrder(QDateTimeEdit* edit);

}  // namespace calivue
