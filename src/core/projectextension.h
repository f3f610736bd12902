// Data a report project carries beyond the designed layout: tagged, versioned
// sections in one block appended after the captions. Readers of the designed
// layout stop after the captions, so they open such a file and never see it.
//
// Block layout (integers little-endian, no padding):
//   8 bytes  signature 89 43 56 58 0D 0A 1A 0A ("\x89CVX\r\n\x1A\n": a high
//            byte, a line end and a ^Z, so text-mode copies are caught)
//   u16      block version, 1; a reader refuses any other
//   u32      section count
//   then per section:
//   4 bytes  tag, four characters from 0-9 A-Z a-z, each tag at most once
//   u16      section version, owned by the section's feature
//   u32      length of the data
//   length   the data
// A project with no sections writes no block, so its file is what the designed
// writer puts. The block is the last thing the writer puts; bytes after it, or
// bytes after the captions that do not start with the signature, are ignored by
// the reader and not written back, as the designed reader ignores them. A block
// that starts with the signature and is then damaged fails the whole read with
// a named error instead: opening the rest and saving would lose its sections
// without a word (a reader without the block still opens such a file).
//
// For the authors of sections: a version of this program that does not know a
// section writes it back unchanged while the user edits the rest, so a section
// must not refer to inspections by their position in the list (use the
// snapshot path) and must check what it refers to when it is read.
#pragma once

#include "core/bytestream.h"
#include "core/error.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace calivue {

// Caps, checked on reading and on put, so the writer never produces a block
// the reader would refuse.
inline constexpr std::size_t kMaxExtensionSectionBytes = std::size_t{8} << 20;
inline constexpr std::size_t kMaxExtensionBlockBytes = std::size_t{16} << 20;
inline constexpr std::size_t kMaxExtensionSections = 256;

// Four characters from 0-9, A-Z, a-z. Tags that this program writes are
// declared below, one line each, so two features cannot take the same one.
struct ExtensionTag {
    std::array<char, 4> chars{};

    // Empty unless text is exactly four characters of the allowed set.
    static std::optional<ExtensionTag> parse(std::string_view text);
    // A tag written in the code; a text outside the set does not compile.
    static consteval ExtensionTag of(const char (&text)[5])
    {
        ExtensionTag t;
        for (int i = 0; i < 4; ++i) {
            if (!allowed(text[i])) throw "an extension tag is four characters of 0-9 A-Z a-z";
            t.chars[i] = text[i];
        }
        return t;
    }
    static constexpr bool allowed(char c)
    {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    }
    std::string_view view() const { return {chars.data(), chars.size()}; }
    bool valid() const
    {
        return allowed(chars[0]) && allowed(chars[1]) && allowed(chars[2]) && allowed(chars[3]);
    }
    bool operator==(const ExtensionTag&) const = default;
};

// Tags in use. A feature that stores a section adds its constant here, one
// line each, so two features cannot take the same tag.
inline constexpr ExtensionTag kFindingsTag = ExtensionTag::of("FIND");      // findingscodec.h
inline constexpr ExtensionTag kReportLayoutTag = ExtensionTag::of("RLAY");  // reportstyle.h
inline constexpr ExtensionTag kReportLanguageTag = ExtensionTag::of("RLNG");  // reportstyle.h
inline constexpr ExtensionTag kEquipmentTag = ExtensionTag::of("EQPT");     // equipmentcodec.h

// One section: its tag, the version of its own contents (the section's owner
// decides what a version means) and its bytes, kept exactly as read.
struct ExtensionSection {
    ExtensionTag tag;
    std::uint16_t version = 1;
    std::vector<std::uint8_t> data;

    bool operator==(const ExtensionSection&) const = default;
};

// The sections of one project, in file order, one per tag. A section this
// program does not know stays as read and is written back unchanged; a section
// a feature puts replaces the one with its tag in place or is appended.
class ProjectExtensions {
public:
    bool empty() const { return m_sections.empty(); }
    const std::vector<ExtensionSection>& sections() const { return m_sections; }

    // The section with the tag, or nullptr; the pointer lives until the next change.
    const ExtensionSection* find(const ExtensionTag& tag) const;
    // BadArgument for a tag outside the set; TooLarge when the section or the
    // whole block would pass its cap, or a new tag would pass the section count.
    // The sections stay as they were after a refusal.
    Error put(ExtensionSection section);
    // Returns false when no section had the tag.
    bool erase(const ExtensionTag& tag);

    // The bytes the block takes in a file; 0 for no sections.
    std::size_t encodedSize() const;

    bool operator==(const ProjectExtensions&) const = default;

private:
    std::vector<ExtensionSection> m_sections;
};

// Reads the block at the stream's position, which is just after the captions.
// Bytes that do not start with the full signature are no block: an empty set is
// returned and the stream stays where it was. Once the signature matched:
// Unsupported for a block version other than 1, Truncated when the data ends
// inside the block, TooLarge past a cap, Corrupted for a tag outside the set or
// a tag given twice. Bytes after the block stay unread.
Result<ProjectExtensions> readProjectExtensions(ByteStream& in);

// Writes the block; nothing at all when there are no sections.
void writeProjectExtensions(ByteSink& out, const ProjectExtensions& extensions);

}  // namespace calivue
