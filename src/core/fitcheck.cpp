#include "core/fitcheck.h"

#include <algorithm>

namespace calivue {

namespace {

struct Box {
    int charsPerLine;
    int lines;
};

struct FieldBoxes {
    Box red;     // the text turns red unless it fits this box
    Box orange;  // then orange unless it fits this one (lines 0: no orange step)
};

FieldBoxes boxesOf(FitField field)
{
    switch (field) {
        case FitField::FaultAction:
            return {{24, 5}, {18, 4}};
        case FitField::Comment:
            return {{51, 5}, {0, 0}};
        case FitField::Name:
            return {{36, 1}, {0, 0}};
        case FitField::OperatorName:
            return {{17, 1}, {0, 0}};
        case FitField::Location:
            return {{17, 1}, {0, 0}};
        case FitField::Equipment:
            return {{11, 2}, {0, 0}};
        case FitField::TitleComments:
            return {{51, 35}, {0, 0}};
    }
    return {{0, 0}, {0, 0}};
}

}  // namespace

bool textFits(std::u16string_view text, int charsPerLine, int lines)
{
    const long long maxLength = static_cast<long long>(lines) * (charsPerLine + 1LL) - 1;
    if (static_cast<long long>(text.size()) > maxLength) return false;
    const auto lineFeeds = std::count(text.begin(), text.end(), u'\n');
    const auto returns = std::count(text.begin(), text.end(), u'\r');
    if (std::max(lineFeeds, returns) > lines - 1) return false;
    long long word = 0;
    for (char16_t c : text) {
        if (c == u' ' || c == u'\n' || c == u'\r') {
            word = 0;
        } else if (++word > charsPerLine) {
            return false;
        }
    }
    return true;
}

FitColour fitColour(FitField field, std::u16string_view text)
{
    const FieldBoxes b = boxesOf(field);
    if (!textFits(text, b.red.charsPerLine, b.red.lines)) return FitColour::Red;
    if (b.orange.lines > 0 && !textFits(text, b.orange.charsPerLine, b.orange.lines))
        return FitColour::Orange;
    return FitColour::Black;
}

FitBox fitBox(FitField field)
{
    const Box b = boxesOf(field).red;
    return {b.charsPerLine, b.lines};
}

int linesNeeded(std::u16string_view text, int charsPerLine)
{
    if (charsPerLine <= 0) return 0;
    int lines = 1;
    long long used = 0;  // characters on the current line
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c == u'\n' || c == u'\r') {
            // "\r\n" is one break.
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            ++lines;
            used = 0;
            ++i;
            continue;
        }
        if (c == u' ') {
            if (used > 0 && used < charsPerLine) ++used;
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && text[end] != u' ' && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        long long word = static_cast<long long>(end - i);
        if (used > 0 && used + word > charsPerLine) {
            ++lines;
            used = 0;
        }
        while (word > charsPerLine) {
            ++lines;
            word -= charsPerLine;
        }
        used += word;
        i = end;
    }
    return lines;
}

std::uint32_t colourRef(FitColour colour)
{
    switch (colour) {
        case FitColour::Red:
            return 0x000000FF;  // RGB 255, 0, 0
        case FitColour::Orange:
            return 0x00005AFF;  // RGB 255, 90, 0
        case FitColour::Black:
            return 0x00000000;
    }
    return 0;
}

}  // namespace calivue
