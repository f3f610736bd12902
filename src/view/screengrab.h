// cScreenGrab: asks which part of the window Copy and Copy To Bitmap take — the whole window,
// the picture alone, or the picture with its colour bar. A click on a region button chooses
// it and closes the dialog; Cancel closes it without a choice.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>

namespace calivue {

class cScreenGrab : public QDialog {
    Q_OBJECT

public:
    enum class Region { FullWindow, Snapshot, SnapshotPlus };

    // title: "Copy" for the clipboard, "Copy To Bitmap..." for a file.
    explicit cScreenGrab(const QString& title, QWidget* parent = nullptr);

    // Shows the dialog modally (or asks the test chooser) and returns the chosen region;
    // nothing when cancelled.
    std::optional<Region> choose();
    std::optional<Region> chosen() const { return m_choice; }

    // When set, choose() hands the prepared dialog to the chooser instead of showing it.
    using Chooser = std::function<std::optional<Region>(const cScreenGrab&)>;
    static void setChooser(Chooser chooser);

private:
    void pick(Region region);

    std::optional<Region> m_choice;
};

}  // namespace calivue
