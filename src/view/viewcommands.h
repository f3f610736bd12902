// The view's side of the main frame's commands. The frame owns the menu and tool bar; the
// image view (CVantoroView) implements this interface, and the frame calls it for the commands
// whose state lives in the view and asks it for their check marks. Until a view is installed
// those commands stay disabled.
#pragma once

class QWidget;

namespace calivue {

class ViewCommands {
public:
    virtual ~ViewCommands() = default;

    // The widget the frame shows as its central widget; the frame takes ownership of it.
    virtual QWidget* widget() = 0;

    // "Measurement Cursor &List": enabled unless in report mode; checked when shown.
    virtual bool cursorListShown() const = 0;
    virtual void toggleCursorList() = 0;

    // "&Options": enabled unless in report mode; checked when the options panel is shown.
    virtual bool optionsShown() const = 0;
    virtual void toggleOptions() = 0;
    // "&Dock Options...": enabled when the options are shown and not in report mode; checked
    // while the options panel is docked in the view (it floats as a tool window otherwise).
    virtual bool optionsDocked() const = 0;
    virtual void toggleOptionsDocked() = 0;

    // "&Profiles": enabled with an image and not in report mode; checked when shown. The view
    // keeps the document's profile flags in step (CVantoroDoc::toggleProfiles).
    virtual bool profilesShown() const = 0;
    virtual void toggleProfiles() = 0;

    // "Report &Writer": checked in report mode. The view is the one holder of the mode: the
    // frame's enabling rules, its title and its File commands read it here.
    virtual bool reportMode() const = 0;
    virtual void toggleReportWriter() = 0;

    // "&Copy..." and "Copy To &Bitmap...": the copy-region choice, then the clipboard or a
    // bitmap file.
    virtual void copyToClipboard() = 0;
    virtual void copyToBitmap() = 0;

    // After an Open that left no snapshot: the view empties its panels.
    virtual void clearView() = 0;
};

}  // namespace calivue
