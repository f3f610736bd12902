// Internal to the view layer.
// Where the image view puts its six viewers and the docked options panel, from
// the client size and what is shown. Pure arithmetic, so the view and its tests
// share one rule.
#pragma once

#include "paint/bitmap.h"

namespace calivue {

struct ViewLayoutInput {
    EdgeRect client;   // the view's client rectangle
    EdgeRect options;  // the options sheet's own size, (0, 0, width, height)
    bool optionsShown = true;
    bool optionsDocked = true;
    bool cursorListShown = true;
    bool profilesShown = true;
    bool portrait = false;  // image orientation 1 or 3
};

struct ViewLayout {
    EdgeRect span;
    EdgeRect optionsPanel;  // all zero when the options float or are hidden
    EdgeRect image;
    EdgeRect colourBar;
    EdgeRect cursorList;   // meaningful when the cursor list is shown
    EdgeRect sideProfile;  // meaningful when profiles are shown
    EdgeRect lowerProfile;
};

// The image keeps 4:3 (3:4 in portrait), limited by whichever of width and
// height is scarcer; the colour bar stands right of it, the profiles left of and
// under it, the span strip along the bottom.
ViewLayout computeViewLayout(const ViewLayoutInput& in);

}  // namespace calivue
