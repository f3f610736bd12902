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

// Implemented by the sheet widgets next to QWidget. The pages of a sheet follow the
// document's announcement (CVantoroDoc::changed) themselves, each through its own one
// connection; the view tells a sheet nothing about document changes.
class cViewSheet {
public:
    virtual ~cViewSheet() = default;
    // The report sheet takes over the document's current image before report mode starts.
    virtual void takeCurrentImage() {}
};

// Builds a new sheet widget (which must also derive from cViewSheet). The view gives it its
// parent and window flags; the widget is deleted by Qt with its parent, or when a floating
// sheet is closed.
using ViewSheetFactory = std::function<QWidget*(CVantoroDoc& doc, cDisplaySet& displays)>;

}  // namespace calivue
