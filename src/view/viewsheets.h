// The two property sheets the image view hosts — the options sheet of the analysis pages and
// the report writer's sheet — are built by layers above the view. The view sees them through
// this interface and builds them through factories the application installs, so the view
// never depends on the pages themselves.
#pragma once

#include <functional>

class QWidget;

namespace calivue {

class CVantoroDoc;
class cDisplaySet;

// Implemented by the sheet widgets next to QWidget. The view calls these when the document
// reports changes; a sheet without pages of that kind ignores the call.
class cViewSheet {
public:
    virtual ~cViewSheet() = default;
    // Every page refreshes its controls from the document (any update hint but 1, 4 and 5).
    virtual void refreshControls() {}
    // The cursor list page rebuilds its list (update hint 1).
    virtual void refreshCursors() {}
    // The display control page refreshes its span fields (the redraw timer's image flag).
    virtual void refreshSpan() {}
    // The report sheet takes over the document's current image before report mode starts.
    virtual void takeCurrentImage() {}
};

// Builds a new sheet widget (which must also derive from cViewSheet). The view gives it its
// parent and window flags; the widget is deleted by Qt with its parent, or when a floating
// sheet is closed.
using ViewSheetFactory = std::function<QWidget*(CVantoroDoc& doc, cDisplaySet& displays)>;

}  // namespace calivue
