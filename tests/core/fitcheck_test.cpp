// The fit check of the report text boxes and the field colours built on it.
#include "core/fitcheck.h"

#include <gtest/gtest.h>

#include <string>

using namespace calivue;

namespace {

// n characters of words of wordLength letters separated by single blanks.
std::u16string words(std::size_t n, std::size_t wordLength = 9)
{
    std::u16string t;
    while (t.size() < n) t.push_back(t.size() % (wordLength + 1) == wordLength ? u' ' : u'a');
    return t;
}

std::u16string lines(int breaks, std::u16string_view sep = u"\n")
{
    std::u16string t = u"x";
    for (int i = 0; i < breaks; ++i) (t += sep) += u"x";
    return t;
}

// Each case catches one off-by-one of the three conditions.
TEST(FitCheck, Boundaries)
{
    struct Case {
        const char* what;
        std::u16string text;
        int perLine, lineCount;
        bool fits;
    };
    const std::vector<Case> cases = {
        {"124 characters fit 24 x 5", words(124), 24, 5, true},
        {"125 characters do not", words(125), 24, 5, false},
        {"a 24-letter word fits 24 wide", std::u16string(24, u'w'), 24, 5, true},
        {"a 25-letter word does not", std::u16string(25, u'w'), 24, 5, false},
        {"line feeds end words", std::u16string(20, u'w') + u"\n" + std::u16string(20, u'w'), 24, 5,
         true},
        {"4 line feeds fit 5 lines", lines(4), 24, 5, true},
        {"5 line feeds do not", lines(5), 24, 5, false},
        {"5 carriage returns do not", lines(5, u"\r"), 24, 5, false},
        {"4 CR LF pairs fit", lines(4, u"\r\n"), 24, 5, true},
        {"empty text fits", u"", 1, 1, true},
        {"nothing fits no lines", u"", 10, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(textFits(c.text, c.perLine, c.lineCount), c.fits) << c.what;
}

// Catches a box or a colour step assigned to the wrong field, and wrong RGB order.
TEST(FitCheck, FieldColours)
{
    struct Case {
        FitField field;
        std::u16string text;
        FitColour colour;
    };
    const std::vector<Case> cases = {
        {FitField::FaultAction, words(75, 18), FitColour::Black},
        {FitField::FaultAction, words(76, 18), FitColour::Orange},
        {FitField::FaultAction, words(124, 18), FitColour::Orange},
        {FitField::FaultAction, words(125, 18), FitColour::Red},
        {FitField::Comment, lines(5), FitColour::Red},
        {FitField::Comment, words(254), FitColour::Black},
        {FitField::Name, words(36), FitColour::Black},
        {FitField::Name, words(37), FitColour::Red},
        {FitField::OperatorName, words(18), FitColour::Red},
        {FitField::Location, words(17), FitColour::Black},
        {FitField::Equipment, u"abcdefghijk abcdefghijk", FitColour::Black},
        {FitField::Equipment, u"abcdefghijkl", FitColour::Red},
        {FitField::TitleComments, lines(34), FitColour::Black},
        {FitField::TitleComments, lines(35), FitColour::Red},
    };
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(fitColour(cases[i].field, cases[i].text), cases[i].colour) << "case " << i;
    EXPECT_EQ(colourRef(FitColour::Red), 0x0000FFu);
    EXPECT_EQ(colourRef(FitColour::Orange), 0x005AFFu);
    EXPECT_EQ(colourRef(FitColour::Black), 0u);
}

}  // namespace

// Catches a line count the fit tool tip would misstate: words carried to the next line, line
// breaks ("\r\n" once), a word longer than a line, and the boxes the red check uses.
TEST(FitCheck, LinesNeededCountsAsTheBoxWraps)
{
    const struct {
        std::u16string_view text;
        int chars, lines;
    } cases[] = {
        {u"", 10, 1},
        {u"abc def", 10, 1},
        {u"abcde fghij", 10, 2},   // 11 characters: the second word moves down
        {u"abcd efghi", 10, 1},    // exactly 10
        {u"a\nb\r\nc\rd", 10, 4},  // each break once
        {u"abcdefghijklmnopqrstuvwxy", 10, 3},
        {u"ab abcdefghijklmnopqrstuvwxy", 10, 4},
        {u"one two three four five six seven eight nine ten", 24, 2},
        {u"one two three four five six seven eight nine ten eleven", 24, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(linesNeeded(c.text, c.chars), c.lines)
            << std::string(c.text.begin(), c.text.end());
    // A text fits its box exactly when it needs no more lines than the box holds (no long words).
    for (const FitField f : {FitField::FaultAction, FitField::Comment, FitField::Equipment}) {
        const FitBox b = fitBox(f);
        std::u16string text = u"word";
        while (linesNeeded(text + u" word", b.charsPerLine) <= b.lines) text += u" word";
        EXPECT_NE(fitColour(f, text), FitColour::Red) << static_cast<int>(f);
        EXPECT_EQ(fitColour(f, text + u" word word word word word word"), FitColour::Red);
    }
}
