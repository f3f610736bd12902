// The one mapping from an error to the user's words, as the window and the command-line tool
// read it.
#include "core/errorreason.h"
#include "errortext.h"
#include "stringtable.h"

#include <gtest/gtest.h>

#include <QString>

namespace calivue {
namespace {

constexpr Error kAllErrors[] = {
    Error::NotFound,    Error::NotRegular, Error::ReadFailed,  Error::WriteFailed, Error::Empty,
    Error::BadMagic,    Error::BadVersion, Error::Truncated,   Error::TooLarge,    Error::Corrupted,
    Error::Unsupported, Error::NotLoaded,  Error::BadArgument, Error::Cancelled};

// Catches the command-line tool's English drifting from the window's string table, or a
// reason number that names some other text.
TEST(ErrorText, EnglishReasonsAreTheStringTables)
{
    const StringTable english = StringTable::english();
    for (FileKind kind : {FileKind::SnapshotRecord, FileKind::Picture}) {
        for (Error e : kAllErrors) {
            const ErrorReason r = errorReason(e, kind);
            EXPECT_EQ(english.text(r.textId).toStdString(), r.english)
                << static_cast<int>(e) << " kind " << static_cast<int>(kind);
        }
    }
}

// Catches a reason that depends on the wrong thing: the file kind only words a file that is
// there but unusable; the path-less line is the reason alone.
TEST(ErrorText, DetailLineNamesThePathAndTheReason)
{
    struct Case {
        Error e;
        FileKind kind;
        const char* path;
        const char* expected;
    };
    const Case cases[] = {
        {Error::NotFound, FileKind::Picture, "/a/logo.jpg", "/a/logo.jpg: not found"},
        {Error::NotRegular, FileKind::SnapshotRecord, "/d.qvx", "/d.qvx: not a regular file"},
        {Error::ReadFailed, FileKind::Picture, "x", "x: not readable"},
        {Error::Unsupported, FileKind::Picture, "x.bmp",
         "x.bmp: not a picture this program can read"},
        {Error::BadMagic, FileKind::SnapshotRecord, "s.qvx", "s.qvx: not a snapshot record"},
        {Error::Truncated, FileKind::SnapshotRecord, "", "not a snapshot record"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fileErrorText(c.e, QString::fromUtf8(c.path), c.kind).toStdString(), c.expected)
            << c.path;
}

}  // namespace
}  // namespace calivue
