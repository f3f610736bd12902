#include "view/viewlayout.h"

#include <algorithm>

namespace calivue {

ViewLayout computeViewLayout(const ViewLayoutInput& in)
{
    ViewLayout out;
    const EdgeRect& c = in.client;
    const int optionsWidth = in.options.right - in.options.left;
    const int profileSpace = in.profilesShown ? 108 : 0;

    // The span strip runs across the whole width, unless a short window would
    // make it collide with the options panel (and the cursor list beside it).
    out.span = {c.left, c.bottom - 100, c.right, c.bottom};
    if (in.optionsShown && c.bottom < 674)
        out.span.left = optionsWidth + (in.cursorListShown ? 200 : 0);

    if (in.optionsDocked && in.optionsShown)
        out.optionsPanel = {0, in.options.top, optionsWidth, in.options.bottom};
    const int panelWidth = out.optionsPanel.right - out.optionsPanel.left;

    const int x0 = panelWidth + (in.cursorListShown ? 208 : 0) + profileSpace;
    const int y0 = c.top;
    // Room is kept on the right for the whole colour bar (4-pixel gap, 65-pixel viewer) and
    // a 4-pixel margin; 57 pixels, as once used, cut the bar's last 12 columns and its labels.
    int x1 = std::max(c.right - 73, x0);
    int y1 = c.bottom - 100 - profileSpace;
    // Single precision and truncation, as the layout has always been computed.
    const float aspect = in.portrait ? 0.75f : 1.3333334f;
    const int w = x1 - x0, h = y1 - y0;
    // A zero height would divide by zero: the image then takes no width either.
    if (h != 0 && static_cast<float>(w) / static_cast<float>(h) <= aspect)
        y1 = y0 + static_cast<int>(static_cast<float>(w) / aspect);
    else
        x1 = x0 + static_cast<int>(static_cast<float>(std::max(h, 0)) * aspect);
    out.image = {x0, y0, x1, y1};

    out.colourBar = {x1 + 4, y0, x1 + 69, y1};

    const int listBottom =
        std::max(out.optionsPanel.bottom,
                 std::min({std::max(y1, 300), c.bottom - 100, c.bottom - 100 - profileSpace}));
    out.cursorList = {panelWidth + 4, y0, panelWidth + 204, listBottom};

    out.sideProfile = {x0 - 108, y0, x0 - 8, y1};
    out.lowerProfile = {x0, y1 + 4, x1, y1 + 104};
    return out;
}

}  // namespace calivue
