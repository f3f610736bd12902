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

// Implemented by the sheet widgets next to QWidget. The view calls the three refresh calls for
// a sheet whose pages do not follow the document's announcement themselves; a sheet whose
// pages do (the options sheet) leaves them empty, so no page hears a change twice.
class cViewSheet {
public:
    virtual ~cViewSheet() = default;
    // Every page refreshes its controls from the document (DocChange::Controls).
    virtual void refreshControls() {}
    // The cursor list page rebuilds its list (DocChange::Readings).
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
