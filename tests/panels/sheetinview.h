// For the panels tests: the real options sheet inside the real view of a document, shown at
// the size the pages are laid out for.
#pragma once

#include "panels/optionssheet.h"
#include "view/vantoroview.h"

namespace calivue::test {

struct SheetInView {
    explicit SheetInView(CVantoroDoc& doc) : view(doc, cOptionsSheet::factory())
    {
        view.resize(1000, 700);
        view.show();
        sheet = qobject_cast<cOptionsSheet*>(view.optionsSheet());
    }
    CVantoroView view;
    cOptionsSheet* sheet = nullptr;  // null when the view made no options sheet
};

}  // namespace calivue::test
