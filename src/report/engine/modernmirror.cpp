#include "report/engine/modernpages.h"

#include "report/engine/reportpagepainter.h"

#include <utility>

namespace calivue {

void mirrorForRightToLeft(PageItems& items)
{
    for (PageItem& i : items) {
        const int x1 = kModernPageWidth - i.rect.x2, x2 = kModernPageWidth - i.rect.x1;
        i.rect.x1 = x1;
        i.rect.x2 = x2;
        // A line keeps its own direction: both ends mirror.
        if (i.kind == PageItem::Kind::Line) std::swap(i.rect.x1, i.rect.x2);
        i.rightToLeft = true;
        // Only a text that reads from the right reorders its numbers.
        if (hasRightToLeftLetters(i.text)) i.text = isolateNumbers(i.text);
    }
}

}  // namespace calivue
