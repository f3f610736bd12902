// The display control page's lists and buttons: each choice is handed to the document, which
// stores it and tells the displays. Without a loaded image every choice is ignored.
#include "panels/displaycontroldlg.h"

#include "document/vantorodoc.h"

#include <QComboBox>

#include <algorithm>

namespace calivue {

namespace {

// Blend values of the list's fixed entries 0–8: four mixes, then visible only, then the four
// picture-in-picture modes.
constexpr int kFixedBlendValues[] = {0, 25, 50, 75, 100, 101, 102, 103, 104};
constexpr int kThermalAboveBase = 150;
constexpr int kThermalBelowBase = 200;
constexpr int kLastPercentageIndex = cDisplayControlDlg::kPercentageCount - 1;

}  // namespace

int cDisplayControlDlg::blendValueFor(int entry, int percentageIndex)
{
    const int pct = std::clamp(percentageIndex, 0, kLastPercentageIndex);
    if (entry >= 0 && entry < BlendThermalAbove) return kFixedBlendValues[entry];
    if (entry == BlendThermalAbove) return kThermalAboveBase + pct;
    if (entry == BlendThermalBelow) return kThermalBelowBase + pct;
    return -1;
}

int cDisplayControlDlg::blendEntryFor(int value, int* percentageIndex)
{
    if (percentageIndex) *percentageIndex = 0;
    if (value >= kThermalAboveBase && value <= kThermalAboveBase + kLastPercentageIndex) {
        if (percentageIndex) *percentageIndex = value - kThermalAboveBase;
        return BlendThermalAbove;
    }
    if (value >= kThermalBelowBase && value <= kThermalBelowBase + kLastPercentageIndex) {
        if (percentageIndex) *percentageIndex = value - kThermalBelowBase;
        return BlendThermalBelow;
    }
    switch (value) {
        case 0:
            return 0;
        case 25:
            return 1;
        case 50:
            return 2;
        case 75:
            return 3;
        case 101:
            return 5;
        case 102:
            return 6;
        case 103:
            return 7;
        case 104:
            return 8;
        default:
            return 4;  // 100 and anything unknown: visible only
    }
}

void cDisplayControlDlg::OnPalette(int index)
{
    if (!HasImage() || index < 0 || index > 7) return;
    m_doc->setPalette(index);
}

void cDisplayControlDlg::OnBlend(int index)
{
    if (!HasImage() || index < 0 || index >= BlendEntryCount) return;
    m_percentage->setEnabled(index == BlendThermalAbove || index == BlendThermalBelow);
    m_doc->setBlend(blendValueFor(index, m_percentage->currentIndex()));
}

void cDisplayControlDlg::OnPercentage(int index)
{
    if (!HasImage() || index < 0) return;
    const int entry = m_blend->currentIndex();
    if (entry == BlendThermalAbove || entry == BlendThermalBelow)
        m_doc->setBlend(blendValueFor(entry, index));
}

void cDisplayControlDlg::OnInterpolation(int index)
{
    if (!HasImage() || index < 0) return;
    m_doc->setInterpolation(index == 1 ? 2 : 1);  // "x2", else "x1"
}

void cDisplayControlDlg::OnZoom(int index)
{
    if (!HasImage() || index < 0) return;
    m_doc->setZoom(index + 1);
}

void cDisplayControlDlg::OnArea(int index)
{
    if (!HasImage() || index < 0) return;
    m_doc->setAreaMode(index);
}

void cDisplayControlDlg::OnOrientation(int index)
{
    if (!HasImage() || index < 0) return;
    // The announcement refits the pan viewer (the page's own listener) and repaints the pan
    // display (the display set's).
    m_doc->setOrientation(index);
}

void cDisplayControlDlg::OnAuto()
{
    if (!HasImage()) return;
    int low = 0, high = 0;
    if (m_doc->image().spanRange(low, high)) m_doc->setSpan(low, high);
}

void cDisplayControlDlg::OnAlign(bool horizontal, int direction)
{
    if (!HasImage()) return;
    m_doc->nudgeAlignment(horizontal, direction);
}

void cDisplayControlDlg::OnAlignReset()
{
    if (!HasImage()) return;
    m_doc->resetAlignment();
}

}  // namespace calivue
