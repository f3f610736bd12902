// The report writer's data: one cInspectionImage and one cInspectionRecord per
// inspection, the title page values and the field captions. Plain values with
// no behaviour, so the report pages, the PDF report and the command-line tool
// share them. Texts are UTF-16, as the project file and the widgets hold them.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>

namespace calivue {

// A stored date-time: a status (0 valid, 1 invalid, 2 null; any other value is
// kept as read) and the days since 30 December 1899 00:00, the fraction being
// the time of day. Compared bit for bit, so a NaN day count equals itself.
struct cDateTime {
    enum Status : std::int32_t { Valid = 0, Invalid = 1, Null = 2 };

    std::int32_t status = Valid;
    double days = 0.0;

    bool operator==(const cDateTime& o) const
    {
        return status == o.status &&
               std::bit_cast<std::uint64_t>(days) == std::bit_cast<std::uint64_t>(o.days);
    }
};

// One row of the inspections list: where the snapshot lives and its picture
// in the list's image list.
struct cInspectionImage {
    std::u16string snapshotPath;  // the .qvx file
    std::u16string bitmapPath;    // the .bmp of the same snapshot
    std::int32_t thumbnailIndex = 0;

    bool operator==(const cInspectionImage&) const = default;
};

// The details of one inspection; the defaults are those of a new record.
struct cInspectionRecord {
    std::u16string name;
    std::u16string operatorName;
    std::u16string location;
    std::u16string equipment;
    std::u16string comment;
    std::u16string measured;
    std::u16string rated;
    std::u16string condition;
    std::int32_t repairPriority = 0;  // 0 none, 1-5 low to high
    std::u16string faultAction;
    cDateTime inspectedDate;
    cDateTime repairedDate;
    cDateTime reinspectedDate;
    bool inspectedDated = false;
    bool repairedDated = false;
    bool reinspectedDated = false;
    std::u16string inspectedInitials;
    std::u16string repairedInitials;
    std::u16string reinspectedInitials;
    std::int32_t firstMeasurement = -1;  // -1: never chosen
    std::int32_t secondMeasurement = -1;
    std::u16string indoor;
    std::u16string outdoor;
    std::u16string humidity;
    std::u16string wind;
    std::u16string pressure;
    std::int32_t conditionChoice = 0;  // 0 no comment, 1 good, 2 poor

    bool operator==(const cInspectionRecord&) const = default;
};

// The title page values.
struct ReportTitle {
    std::u16string logoPath;  // empty: no logo
    std::u16string company;
    std::u16string author;
    bool dateShown = true;
    cDateTime titleDate;
    std::u16string comments;

    bool operator==(const ReportTitle&) const = default;
};

// The labels of the input fields: four on the title page, thirteen on the
// details page, in the order the project file stores them.
struct ReportCaptions {
    std::array<std::u16string, 4> title;
    std::array<std::u16string, 13> details;

    bool operator==(const ReportCaptions&) const = default;
};

// The settings value names under which the captions are kept, in the same order.
inline constexpr std::array<const char*, 4> kTitleCaptionKeys = {
    "TitleCompanyEdit", "TitleAuthorEdit", "TitleDateEdit", "TitleCommentsEdit"};
inline constexpr std::array<const char*, 13> kDetailsCaptionKeys = {
    "DetailsNameEdit",    "DetailsOperatorEdit", "DetailsLocationEdit", "DetailsEquipmentEdit",
    "DetailsCommentEdit", "DetailsMeasuredEdit", "DetailsRatedEdit",    "DetailsCondEdit",
    "DetailsIndoorEdit",  "DetailsOutdoorEdit",  "DetailsHumidityEdit", "DetailsWindEdit",
    "DetailsPressureEdit"};

// The default captions (the title page's and the Buildings / Custom template's).
inline ReportCaptions defaultReportCaptions()
{
    return {{u"Company", u"Author", u"Date", u"General Comments"},
            {u"Inspection Name", u"Inspector", u"Location", u"Equipment", u"Comment", u"Material",
             u"Material \u00B5 Value", u"Material Condition", u"Indoor Temperature",
             u"Outdoor Temperature", u"Relative Humidity", u"Wind Speed", u"Pressure Difference"}};
}

}  // namespace calivue
