// The one mapping from an error to the user's words, as the window and the command-line tool
// read it.
#include "core/errorreason.h"
#include "platform/errortext.h"
#include "platform/stringids.h"
#include "platform/stringtable.h"

#include <system_error>

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

// Catches a failed operation worded as the other kind (a write's fallback target read as
// "not found", a read given the system's reason), a lost heading, or a success given a text.
TEST(ErrorText, FileErrorIsHeadingThenTheDetailOfItsAccess)
{
    using A = FileError::Access;
    struct Case {
        Error e;
        int heading;
        A access;
        const char* path;
        const char* failedFile;  // the writer's file of the set, none when empty
        std::errc reason;
        const char* detail;  // nullptr: no message at all
    };
    const Case cases[] = {
        {Error::None, sid::ErrorOpeningFile, A::Read, "/s/a.bmp", "", {}, nullptr},
        {Error::NotFound,
         sid::ErrorOpeningFile,
         A::Read,
         "/s/a.qvx",
         "",
         {},
         "/s/a.qvx: not found"},
        {Error::BadMagic, sid::ErrorOpeningFile, A::Read, "", "", {}, "not a snapshot record"},
        {Error::WriteFailed, sid::ErrorSavingFile, A::Write, "/s/b.bmp", "/s/b.wav",
         std::errc::no_space_on_device, "/s/b.wav: No space left on device"},
        {Error::NotFound, sid::ErrorSavingFile, A::Write, "/s/b.bmp", "", {}, "/s/b.bmp"},
    };
    for (const Case& c : cases) {
        FileError e;
        e.error = c.e;
        e.messageId = c.heading;
        e.access = c.access;
        e.path = QString::fromUtf8(c.path);
        if (*c.failedFile) e.failure = {c.failedFile, std::make_error_code(c.reason)};
        const QString expected =
            c.detail ? uiText(c.heading) + QLatin1Char('\n') + QString::fromUtf8(c.detail)
                     : QString();
        EXPECT_EQ(fileErrorMessage(e), expected) << c.path << " " << static_cast<int>(c.e);
    }
}

}  // namespace
}  // namespace calivue
