#include "core/reportproject.h"

#include "core/archivetext.h"
#include "core/bytestream.h"
#include "core/fileio.h"

#include <new>

namespace calivue {

namespace {

// The fewest bytes an entry and a record can take (every text one length byte),
// so that a count the remaining bytes cannot hold is refused before reserving.
constexpr std::size_t kMinEntryBytes = 2;
constexpr std::size_t kMinEntryBytes11 = kMinEntryBytes + 4;
constexpr std::size_t kMinRecordBytes = 8 + 4 + 1 + 3 * 12 + 3 + 3 + 2 * 4;
constexpr std::size_t kMinRecordBytes12 = kMinRecordBytes + 5 + 4;

// Reads values in order and remembers the first failure; after one, every
// read returns a default without touching the data.
class ProjectReader {
public:
    explicit ProjectReader(std::span<const std::uint8_t> bytes) : m_in(bytes) {}

    Error error() const { return m_error; }
    bool ok() const { return m_error == Error::None; }
    std::size_t remaining() const { return m_in.remaining(); }

    float f32() { return value(m_in.f32le(), 0.0f); }
    std::int32_t i32() { return value(m_in.i32le(), 0); }
    bool bool8() { return value(m_in.u8(), std::uint8_t{0}) != 0; }
    cDateTime dateTime()
    {
        cDateTime d;
        d.status = i32();
        d.days = value(m_in.f64le(), 0.0);
        return d;
    }
    void text(std::u16string& into)
    {
        if (!ok()) return;
        Result<std::u16string> t = readArchiveText(m_in);
        if (t)
            into = std::move(*t);
        else
            m_error = t.error();
    }
    ProjectExtensions extensions()
    {
        if (!ok()) return {};
        Result<ProjectExtensions> x = readProjectExtensions(m_in);
        if (!x) {
            m_error = x.error();
            return {};
        }
        return std::move(*x);
    }
    // A count of items of at least minBytes each; 0 after any failure.
    std::size_t count(std::size_t minBytes)
    {
        const std::int32_t n = i32();
        if (!ok()) return 0;
        if (n < 0) return fail(Error::Corrupted);
        if (static_cast<std::size_t>(n) > kMaxProjectInspections) return fail(Error::TooLarge);
        if (static_cast<std::size_t>(n) > m_in.remaining() / minBytes)
            return fail(Error::Truncated);
        return static_cast<std::size_t>(n);
    }

private:
    template <typename T>
    T value(std::optional<T> v, T fallback)
    {
        if (!ok()) return fallback;
        if (!v) m_error = Error::Truncated;
        return v.value_or(fallback);
    }
    std::size_t fail(Error e)
    {
        m_error = e;
        return 0;
    }

    ByteStream m_in;
    Error m_error = Error::None;
};

cInspectionRecord readRecord(ProjectReader& r, const ProjectLayout& layout)
{
    cInspectionRecord rec;
    r.text(rec.name);
    r.text(rec.operatorName);
    r.text(rec.location);
    r.text(rec.equipment);
    r.text(rec.comment);
    r.text(rec.measured);
    r.text(rec.rated);
    r.text(rec.condition);
    rec.repairPriority = r.i32();
    r.text(rec.faultAction);
    rec.inspectedDate = r.dateTime();
    rec.repairedDate = r.dateTime();
    rec.reinspectedDate = r.dateTime();
    rec.inspectedDated = r.bool8();
    rec.repairedDated = r.bool8();
    rec.reinspectedDated = r.bool8();
    r.text(rec.inspectedInitials);
    r.text(rec.repairedInitials);
    r.text(rec.reinspectedInitials);
    rec.firstMeasurement = r.i32();
    rec.secondMeasurement = r.i32();
    if (!layout.recordExtras) return rec;
    r.text(rec.indoor);
    r.text(rec.outdoor);
    r.text(rec.humidity);
    r.text(rec.wind);
    r.text(rec.pressure);
    rec.conditionChoice = r.i32();
    return rec;
}

void writeDateTime(ByteSink& out, const cDateTime& d)
{
    out.i32le(d.status);
    out.f64le(d.days);
}

void writeRecord(ByteSink& out, const cInspectionRecord& rec)
{
    for (const std::u16string* t : {&rec.name, &rec.operatorName, &rec.location, &rec.equipment,
                                    &rec.comment, &rec.measured, &rec.rated, &rec.condition})
        writeArchiveText(out, *t);
    out.i32le(rec.repairPriority);
    writeArchiveText(out, rec.faultAction);
    writeDateTime(out, rec.inspectedDate);
    writeDateTime(out, rec.repairedDate);
    writeDateTime(out, rec.reinspectedDate);
    out.u8(rec.inspectedDated ? 1 : 0);
    out.u8(rec.repairedDated ? 1 : 0);
    out.u8(rec.reinspectedDated ? 1 : 0);
    writeArchiveText(out, rec.inspectedInitials);
    writeArchiveText(out, rec.repairedInitials);
    writeArchiveText(out, rec.reinspectedInitials);
    out.i32le(rec.firstMeasurement);
    out.i32le(rec.secondMeasurement);
    for (const std::u16string* t :
         {&rec.indoor, &rec.outdoor, &rec.humidity, &rec.wind, &rec.pressure})
        writeArchiveText(out, *t);
    out.i32le(rec.conditionChoice);
}

}  // namespace

ProjectLayout projectLayout(float version)
{
    // Plain >= comparisons: NaN fails all three and reads as the oldest layout.
    return {version >= kProjectVersion11, version >= kProjectVersion12,
            version >= kProjectVersion13};
}

namespace {

Result<ReportProject> decodeReportProject(std::span<const std::uint8_t> bytes)
{
    ProjectReader r(bytes);
    ReportProject p;
    p.version = r.f32();
    const ProjectLayout layout = projectLayout(p.version);

    r.text(p.title.logoPath);
    r.text(p.title.company);
    r.text(p.title.author);
    p.title.dateShown = r.bool8();
    p.title.titleDate = r.dateTime();
    r.text(p.title.comments);

    const std::size_t n = r.count(layout.thumbnailIndex ? kMinEntryBytes11 : kMinEntryBytes);
    p.entries.reserve(n);
    for (std::size_t i = 0; i < n && r.ok(); ++i) {
        cInspectionImage& e = p.entries.emplace_back();
        r.text(e.snapshotPath);
        r.text(e.bitmapPath);
        // Before 1.1 the list numbered its pictures in row order.
        e.thumbnailIndex = layout.thumbnailIndex ? r.i32() : static_cast<std::int32_t>(i);
    }

    const std::size_t m = r.count(layout.recordExtras ? kMinRecordBytes12 : kMinRecordBytes);
    p.records.reserve(m);
    for (std::size_t i = 0; i < m && r.ok(); ++i) p.records.push_back(readRecord(r, layout));

    if (layout.captions && r.ok()) {
        ReportCaptions& c = p.captions.emplace();
        for (std::u16string& t : c.title) r.text(t);
        for (std::u16string& t : c.details) r.text(t);
    }
    p.extensions = r.extensions();
    if (!r.ok()) return r.error();
    p.ignoredTrailingBytes = r.remaining();
    return p;
}

}  // namespace

Result<ReportProject> readReportProject(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty()) return Error::Empty;
    // Every count and length is capped, but a project near the caps on a small
    // machine can still exhaust memory: that is a file too large, not an abort.
    try {
        return decodeReportProject(bytes);
    } catch (const std::bad_alloc&) {
        return Error::TooLarge;
    }
}

std::vector<std::uint8_t> encodeReportProject(const ReportProject& project)
{
    ByteSink out;
    out.reserve(256 + project.entries.size() * 512 + project.records.size() * 1024 +
                project.extensions.encodedSize());
    out.f32le(kProjectVersion13);
    const ReportTitle& t = project.title;
    writeArchiveText(out, t.logoPath);
    writeArchiveText(out, t.company);
    writeArchiveText(out, t.author);
    out.u8(t.dateShown ? 1 : 0);
    writeDateTime(out, t.titleDate);
    writeArchiveText(out, t.comments);

    out.i32le(static_cast<std::int32_t>(project.entries.size()));
    for (const cInspectionImage& e : project.entries) {
        writeArchiveText(out, e.snapshotPath);
        writeArchiveText(out, e.bitmapPath);
        out.i32le(e.thumbnailIndex);
    }
    out.i32le(static_cast<std::int32_t>(project.records.size()));
    for (const cInspectionRecord& rec : project.records) writeRecord(out, rec);

    const ReportCaptions captions = project.captions.value_or(defaultReportCaptions());
    for (const std::u16string& c : captions.title) writeArchiveText(out, c);
    for (const std::u16string& c : captions.details) writeArchiveText(out, c);
    writeProjectExtensions(out, project.extensions);
    return out.take();
}

Result<ReportProject> readReportProjectFile(const std::filesystem::path& path)
{
    if (path.empty()) return Error::BadArgument;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxProjectFileBytes) return Error::TooLarge;
    // One byte over the cap tells a file at the cap from a longer one.
    try {
        Result<std::vector<std::uint8_t>> bytes = readFilePrefix(path, kMaxProjectFileBytes + 1);
        if (!bytes) return bytes.error();
        if (bytes->size() > kMaxProjectFileBytes) return Error::TooLarge;
        return readReportProject(*bytes);
    } catch (const std::bad_alloc&) {
        return Error::TooLarge;
    }
}

Error writeReportProjectFile(const std::filesystem::path& path, const ReportProject& project,
                             FileFailure* failure)
{
    if (path.empty()) return Error::BadArgument;
    // A project the reader would refuse is not written: the earlier file stays, and the
    // failure says the file would be too large.
    const auto tooLarge = [&] {
        if (failure) *failure = {path, std::make_error_code(std::errc::file_too_large)};
        return Error::TooLarge;
    };
    if (project.entries.size() > kMaxProjectInspections ||
        project.records.size() > kMaxProjectInspections)
        return tooLarge();
    const std::vector<std::uint8_t> bytes = encodeReportProject(project);
    if (bytes.size() > kMaxProjectFileBytes) return tooLarge();
    return writeFileAtomically(path, bytes, failure);
}

}  // namespace calivue
