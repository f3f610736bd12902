#include "survey.h"

#include "scenes.h"

#include "core/textcodec.h"

#include <array>
#include <chrono>
#include <string>

namespace calivue::gen {

namespace {

struct SurveyItem {
    SceneKind scene;
    std::uint8_t palette, blend, orientation;
    int cursors;
    const char16_t* name;
    const char16_t* location;
    const char16_t* equipment;
    const char16_t* comment;
    std::int32_t priority;  // 0 none, 1-5 low to high
    const char16_t* action;
};

// The walk of the survey, in the order the thermographer met the equipment.
constexpr std::array<SurveyItem, kSurveySnapshots> kItems{{
    {SceneKind::Machine, 1, 0, 0, 3, u"Cooling water pump P-101", u"Plant room B, level -1",
     u"Motor 22 kW / centrifugal pump",
     u"Drive-end bearing runs markedly warmer than the non-drive end. Check lubrication and "
     u"alignment at the next planned stop.",
     3, u"Relubricate the drive-end bearing and check the coupling alignment."},
    {SceneKind::Panel, 2, 0, 0, 4, u"Distribution board DB-2", u"Switch room, ground floor",
     u"400 V distribution board, incomer and outgoing ways",
     u"Phase L2 terminal of way 4 is hot compared with L1 and L3 under similar load. Retorque "
     u"the connection and re-inspect.",
     4, u"Isolate, retorque the L2 terminal of way 4 and re-inspect under load."},
    {SceneKind::Pipework, 4, 0, 0, 2, u"Steam header insulation", u"Boiler house, east wall",
     u"DN80 steam header", u"Missing lagging at the flange; heat loss but no safety concern.", 2,
     u"Fit a removable insulation jacket to the flange."},
    {SceneKind::Facade, 3, 0, 0, 2, u"North facade, first floor", u"Office block, grid C-D",
     u"Cavity wall with replacement windows",
     u"Cold bridge along the window head; no moisture pattern seen.", 1,
     u"Review the lintel insulation at the next refurbishment."},
    {SceneKind::Machine, 0, 50, 1, 3, u"Conveyor drive M-7", u"Packing hall, line 2",
     u"Geared motor 7.5 kW", u"Gearbox and motor within normal range.", 0, u""},
}};

// Days since 30 December 1899, the form a project file stores dates in.
cDateTime projectDate(const RecordTime& t)
{
    using namespace std::chrono;
    const sys_days day{year{t.year} / month{t.month} / std::chrono::day{t.day}};
    const sys_days epoch{year{1899} / December / std::chrono::day{30}};
    cDateTime d;
    d.days = static_cast<double>((day - epoch).count()) + (t.hour * 3600 + t.minute * 60) / 86400.0;
    return d;
}

std::u16string widen(const std::filesystem::path& p)
{
    const std::u8string s = std::filesystem::absolute(p).u8string();
    return utf8ToUtf16(std::string(s.begin(), s.end())).value_or(std::u16string{});
}

}  // namespace

SnapshotPlan surveyPlan(std::uint64_t seed, int index)
{
    const SurveyItem& item = kItems[static_cast<std::size_t>(index) % kItems.size()];
    // Start from the demo snapshot's fixed settings and take the scene of the walk.
    SnapshotPlan s = demoPlan(seed + static_cast<std::uint64_t>(index));
    Rng rng(seed * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(index) + 1);
    Layout l = buildLayout(item.scene, rng);
    l.scene.textureSeed = rng.next();
    s.scene = std::move(l.scene);
    s.palette = item.palette;
    s.blend = item.blend;
    s.orientation = item.orientation;
    s.cursors.assign(l.points.begin(),
                     l.points.begin() + std::min<std::size_t>(l.points.size(), item.cursors));
    s.caption = l.caption;
    s.comment = l.comments[0];
    s.labels = l.labels;
    s.voice = false;
    s.capture.year = 2026, s.capture.month = 11, s.capture.day = 17;
    s.capture.hour = static_cast<std::uint8_t>(9 + index), s.capture.minute = 10;
    return s;
}

ReportProject surveyProject(const std::vector<WrittenFiles>& snapshots,
                            const std::vector<SnapshotPlan>& plans)
{
    ReportProject p;
    p.title.company = u"Northfield Facilities Ltd";
    p.title.author = u"A. Thermographer";
    p.title.dateShown = true;
    p.title.titleDate = plans.empty() ? cDateTime{} : projectDate(plans.front().capture);
    p.title.comments =
        u"Annual infrared survey of the plant room, switch room, boiler house, packing hall and "
        u"the office block's north facade. Equipment was under normal operating load.";
    for (std::size_t i = 0; i < snapshots.size() && i < plans.size(); ++i) {
        const SurveyItem& item = kItems[i % kItems.size()];
        p.entries.push_back(
            {widen(snapshots[i].qvx), widen(snapshots[i].bmp), static_cast<std::int32_t>(i)});
        cInspectionRecord r;
        r.name = item.name;
        r.operatorName = u"AT";
        r.location = item.location;
        r.equipment = item.equipment;
        r.comment = item.comment;
        r.repairPriority = item.priority;
        r.faultAction = item.action;
        r.inspectedDate = projectDate(plans[i].capture);
        r.inspectedDated = true;
        r.inspectedInitials = u"AT";
        p.records.push_back(std::move(r));
    }
    p.captions = defaultReportCaptions();
    return p;
}

}  // namespace calivue::gen
