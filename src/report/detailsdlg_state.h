// Internal to the report layer.
// The inspection data page's state, shared by the files that implement the page.
#pragma once

#include "report/detailsdlg.h"
#include "report/detailsdlg_controls.h"
#include "report/previoussurveycache.h"
#include "document/reportdoc.h"
#include "report/engine/snapshotstrip.h"

#include <QString>

#include <array>
#include <optional>
#include <memory>
#include <vector>

namespace calivue {

struct DetailsDlg::State {
    explicit State(ReportContext& context) : ctx(context), doc(*context.report) {}

    ReportContext& ctx;
    CReportDoc& doc;
    DetailsControls c;

    int current = 0;  // 1-based inspection on show; 0 none
    TempUnit unit = TempUnit::Celsius;
    bool initialised = false;
    bool updating = false;          // the page is filling its own controls
    bool detailsCopied = true;      // operator, location, equipment already copied forward
    bool fillingCaptions = false;   // the page is putting captions into their boxes
    bool applyingCaptions = false;  // the page is taking the document's captions
    bool storing = false;           // the page is writing its records into the document
    bool linking = false;           // the page is setting the inspection's equipment item

    std::array<QString, 13> captions;
    std::array<bool, 13> captionChanged{};

    // The snapshot of the inspection on show, kept for the preview and the readings.
    std::unique_ptr<ReportSnapshot> snapshot;
    // Its readings for the measurement choices on show, as the Difference row shows them;
    // the finding is taken from the same readings.
    std::optional<InspectionReadings> readings;
    // The inspection whose record the controls were last filled from (0 none), and whether
    // the user changed them since: such changes are stored before the controls are refilled.
    int shown = 0;
    bool edited = false;
    // The previous survey's findings, for the comparison beside the finding.
    PreviousSurveyCache previous;
};

}  // namespace calivue
