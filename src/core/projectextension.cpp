#include "core/projectextension.h"

#include <algorithm>

namespace calivue {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'C', 'V', 'X', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::uint16_t kBlockVersion = 1;
constexpr std::size_t kHeaderBytes = kSignature.size() + 2 + 4;
constexpr std::size_t kSectionHeaderBytes = 4 + 2 + 4;

std::size_t sectionBytes(const ExtensionSection& s)
{
    return kSectionHeaderBytes + s.data.size();
}

// Reads the sections after the header; every size is checked against its cap
// before the bytes are, so an absurd length reads as TooLarge, not Truncated.
Result<ProjectExtensions> readSections(ByteStream& in)
{
    const std::optional<std::uint32_t> count = in.u32le();
    if (!count) return Error::Truncated;
    if (*count > kMaxExtensionSections) return Error::TooLarge;
    if (*count > in.remaining() / kSectionHeaderBytes) return Error::Truncated;

    ProjectExtensions result;
    std::size_t blockBytes = kHeaderBytes;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const auto tagBytes = in.bytes(4);
        const auto version = in.u16le();
        const auto length = in.u32le();
        if (!tagBytes || !version || !length) return Error::Truncated;
        ExtensionSection s;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = static_cast<char>((*tagBytes)[k]);
            if (!ExtensionTag::allowed(c)) return Error::Corrupted;
            s.tag.chars[k] = c;
        }
        if (result.find(s.tag)) return Error::Corrupted;
        if (*length > kMaxExtensionSectionBytes) return Error::TooLarge;
        blockBytes += kSectionHeaderBytes + *length;
        if (blockBytes > kMaxExtensionBlockBytes) return Error::TooLarge;
        const auto data = in.bytes(*length);
        if (!data) return Error::Truncated;
        s.version = *version;
        s.data.assign(data->begin(), data->end());
        // Within every cap by the checks above, so put cannot refuse it.
        if (result.put(std::move(s)) != Error::None) return Error::Corrupted;
    }
    return result;
}

}  // namespace

std::optional<ExtensionTag> ExtensionTag::parse(std::string_view text)
{
    if (text.size() != 4 || !std::all_of(text.begin(), text.end(), allowed)) return std::nullopt;
    ExtensionTag t;
    std::copy(text.begin(), text.end(), t.chars.begin());
    return t;
}

const ExtensionSection* ProjectExtensions::find(const ExtensionTag& tag) const
{
    for (const ExtensionSection& s : m_sections)
        if (s.tag == tag) return &s;
    return nullptr;
}

Error ProjectExtensions::put(ExtensionSection section)
{
    if (!section.tag.valid()) return Error::BadArgument;
    if (section.data.size() > kMaxExtensionSectionBytes) return Error::TooLarge;
    auto same = std::find_if(m_sections.begin(), m_sections.end(),
                             [&](const ExtensionSection& s) { return s.tag == section.tag; });
    if (same == m_sections.end() && m_sections.size() >= kMaxExtensionSections)
        return Error::TooLarge;
    // Both sizes are below the caps, so the sum cannot overflow.
    const std::size_t before = encodedSize();
    const std::size_t after = (before == 0 ? kHeaderBytes : before) + sectionBytes(section) -
                              (same == m_sections.end() ? 0 : sectionBytes(*same));
    if (after > kMaxExtensionBlockBytes) return Error::TooLarge;
    if (same == m_sections.end())
        m_sections.push_back(std::move(section));
    else
        *same = std::move(section);
    return Error::None;
}

bool ProjectExtensions::erase(const ExtensionTag& tag)
{
    return std::erase_if(m_sections, [&](const ExtensionSection& s) { return s.tag == tag; }) > 0;
}

std::size_t ProjectExtensions::encodedSize() const
{
    if (m_sections.empty()) return 0;
    std::size_t n = kHeaderBytes;
    for (const ExtensionSection& s : m_sections) n += sectionBytes(s);
    return n;
}

Result<ProjectExtensions> readProjectExtensions(ByteStream& in)
{
    // A look at the signature through a copy, so that other bytes stay unread.
    ByteStream peek = in;
    const auto signature = peek.bytes(kSignature.size());
    if (!signature || !std::equal(signature->begin(), signature->end(), kSignature.begin()))
        return ProjectExtensions{};
    in = peek;
    const std::optional<std::uint16_t> version = in.u16le();
    if (!version) return Error::Truncated;
    if (*version != kBlockVersion) return Error::Unsupported;
    return readSections(in);
}

void writeProjectExtensions(ByteSink& out, const ProjectExtensions& extensions)
{
    if (extensions.empty()) return;
    for (std::uint8_t b : kSignature) out.u8(b);
    out.u16le(kBlockVersion);
    out.u32le(static_cast<std::uint32_t>(extensions.sections().size()));
    for (const ExtensionSection& s : extensions.sections()) {
        for (char c : s.tag.chars) out.u8(static_cast<std::uint8_t>(c));
        out.u16le(s.version);
        out.u32le(static_cast<std::uint32_t>(s.data.size()));
        out.bytes(s.data);
    }
}

}  // namespace calivue
