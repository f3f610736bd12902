// The fit check of the report's text boxes: whether a text fits a box of a
// given number of characters per line and lines, and the text colour the
// report pages give their fields from it.
#pragma once

#include <cstdint>
#include <string_view>

namespace calivue {

// True when all hold: at most lines × (charsPerLine + 1) − 1 characters; no
// blank-separated word (line breaks counting as blanks) longer than
// charsPerLine; at most lines − 1 line feeds, and as many carriage returns.
// Characters are UTF-16 code units, as the edit boxes count them.
bool textFits(std::u16string_view text, int charsPerLine, int lines);

// The fields whose text colour shows the fit check.
enum class FitField {
    FaultAction,
    Comment,
    Name,
    OperatorName,
    Location,
    Equipment,
    TitleComments
};

enum class FitColour { Black, Orange, Red };

// Red when the text does not fit the field's box, orange when it fits that
// but not the smaller box of the fault text, black otherwise.
FitColour fitColour(FitField field, std::u16string_view text);

// The box a field's text must fit (the red check's): characters per line and lines.
struct FitBox {
    int charsPerLine = 0;
    int lines = 0;
};
FitBox fitBox(FitField field);

// How many lines of charsPerLine characters text takes, broken at blanks and line breaks as
// the fit check counts them (a word longer than a line takes as many lines as it needs).
int linesNeeded(std::u16string_view text, int charsPerLine);

// The colour as a 0x00BBGGRR value.
std::uint32_t colourRef(FitColour colour);

}  // namespace calivue
