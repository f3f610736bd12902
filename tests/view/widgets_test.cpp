// cAutoFont, cColourEdit and cColourButton: attribute changes and their return values, and
// the colours the controls actually paint with.
#include "paint/autofont.h"
#include "view/colourbutton.h"
#include "view/colouredit.h"

#include "viewtestutil.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>

using namespace calivue;
using namespace calivue::viewtest;

// Catches SetBold answering with the new state instead of the previous one, and setters
// that do not rebuild the font.
TEST(AutoFont, SetBoldAnswersThePreviousBoldnessAndRebuilds)
{
    cAutoFont font;
    EXPECT_EQ(font.description().weight, 400);
    EXPECT_EQ(font.description().height, -12);
    EXPECT_EQ(font.pixelSize(), 12);
    EXPECT_FALSE(font.SetBold(true));
    EXPECT_EQ(font.description().weight, 700);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.SetBold(true));
    EXPECT_TRUE(font.SetBold(false));
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_EQ(font.SetWeight(500), 400);
    EXPECT_TRUE(font.SetBold(false));  // 500 counts as bold

    EXPECT_EQ(font.SetHeight(-20), -12);
    EXPECT_EQ(font.pixelSize(), 20);
    EXPECT_EQ(font.SetHeight(15), -20);
    // A positive height is the cell height: ascent plus descent.
    const QFontMetricsF m(font);
    EXPECT_NEAR(m.ascent() + m.descent(), 15.0, 1.5);
}

// Catches face names kept beyond the description's 32 characters.
TEST(AutoFont, FaceNameIsCutTo32Characters)
{
    cAutoFont font;
    font.SetFaceName(QStringLiteral("Arial"));
    EXPECT_EQ(font.description().face, QStringLiteral("Arial"));
    EXPECT_EQ(font.family(), QStringLiteral("Arial"));
    font.SetFaceName(QString(40, QLatin1Char('x')));
    EXPECT_EQ(font.description().face.size(), 32);
}

// Catches colours that are stored but never reach the painted control.
TEST(ColourEdit, PaintsWithItsOwnColours)
{
    cColourEdit edit;
    EXPECT_EQ(edit.backgroundColour(), systemColour(QPalette::Base));
    edit.resize(80, 24);
    edit.SetBackgroundColour(rgb(10, 200, 30));
    edit.SetTextColour(rgb(250, 0, 0));
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(10, 200, 30));
    EXPECT_EQ(edit.palette().color(QPalette::Inactive, QPalette::Text), QColor(250, 0, 0));
    const QImage shot = edit.grab().toImage();
    EXPECT_EQ(imagePixel(shot, 40, 12), rgb(10, 200, 30));
}

// Catches the state precedence (pressed, checked, disabled, focused, greyed) or the fixed
// colour being applied wrongly.
TEST(ColourButton, ChoosesColoursByStateUnlessFixed)
{
    cColourButton button;
    using S = cColourButton::State;
    using C = cColourButton::Colours;
    EXPECT_EQ(button.ColoursFor(S{}), (C{rgb(0, 0, 0), rgb(192, 192, 192)}));
    EXPECT_EQ(button.ColoursFor(S{.disabled = true}), (C{rgb(64, 64, 64), rgb(128, 128, 128)}));
    EXPECT_EQ(button.ColoursFor(S{.focused = true}), (C{rgb(0, 0, 255), rgb(192, 192, 192)}));
    EXPECT_EQ(button.ColoursFor(S{.greyed = true}), (C{rgb(255, 255, 255), rgb(192, 192, 192)}));
    // Held down beats everything after it.
    button.SetPressedColours({rgb(1, 1, 1), rgb(2, 2, 2)});
    EXPECT_EQ(button.ColoursFor(S{.selected = true, .disabled = true, .focused = true}),
              (C{rgb(1, 1, 1), rgb(2, 2, 2)}));
    EXPECT_EQ(button.ColoursFor(S{.checked = true, .disabled = true}),
              (C{rgb(1, 1, 1), rgb(2, 2, 2)}));
    EXPECT_EQ(button.ColoursFor(S{.disabled = true, .focused = true}),
              (C{rgb(64, 64, 64), rgb(128, 128, 128)}));

    button.SetFixedColour(rgb(0, 128, 255));
    EXPECT_EQ(button.ColoursFor(S{.disabled = true}), (C{rgb(0, 0, 0), rgb(0, 128, 255)}));
}

// Catches a button that ignores its colours when painting, or an edge that does not sink
// when the button is held.
TEST(ColourButton, PaintsItsStateColoursAndSinksWhenHeld)
{
    cColourButton button;
    button.resize(60, 24);
    button.setEnabled(false);
    QImage shot = button.grab().toImage();
    EXPECT_EQ(imagePixel(shot, 4, 12), rgb(128, 128, 128));
    EXPECT_EQ(imagePixel(shot, 0, 12), rgb(255, 255, 255));  // raised: light left edge
    EXPECT_EQ(imagePixel(shot, 59, 12), rgb(0, 0, 0));

    button.setEnabled(true);
    button.setDown(true);
    shot = button.grab().toImage();
    EXPECT_EQ(imagePixel(shot, 0, 12), rgb(0, 0, 0));  // sunken
    EXPECT_EQ(imagePixel(shot, 59, 12), rgb(255, 255, 255));
    button.setDown(false);

    button.setEnabled(false);
    button.SetFixedColour(rgb(0, 128, 255));
    shot = button.grab().toImage();
    EXPECT_EQ(imagePixel(shot, 4, 12), rgb(0, 128, 255));

    // The caption is drawn in the text colour.
    cColourButton captioned;
    captioned.resize(80, 32);
    captioned.SetNormalColours({rgb(255, 0, 0), rgb(192, 192, 192)});
    captioned.SetText(QStringLiteral("WWW"));
    shot = captioned.grab().toImage();
    int red = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) red += imagePixel(shot, x, y) == rgb(255, 0, 0);
    EXPECT_GT(red, 10);
}

// Catches a caption clipped at the button's edges: at its size hint the bold caption of any
// language leaves the outer columns free.
TEST(ColourButton, SizeHintFitsTheCaption)
{
    for (const char* caption : {"Generate PDF Report", "レポート プロジェクトを保存",
                                "Сохранить проект отчёта", "I-save ang Proyekto ng Ulat"}) {
        SCOPED_TRACE(caption);
        cColourButton button;
        button.SetNormalColours({rgb(255, 0, 0), rgb(192, 192, 192)});
        button.SetText(QString::fromUtf8(caption));
        button.resize(button.sizeHint());
        const QImage shot = button.grab().toImage();
        int inside = 0, atEdges = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const bool text = imagePixel(shot, x, y) == rgb(255, 0, 0);
                const bool edge = x < 4 || x >= shot.width() - 4;
                (edge ? atEdges : inside) += text;
            }
        EXPECT_GT(inside, 10);
        EXPECT_EQ(atEdges, 0);
    }
}
