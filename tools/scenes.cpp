#include "scenes.h"

#include <optional>

namespace calivue::gen {

namespace {

// Terse constructors keep the layouts readable as a list of objects.
Shape box(double x0, double y0, double x1, double y1, double corner, double topC, double bottomC,
          Rgb colour, int stripes = 0)
{
    Shape s;
    s.kind = Shape::Kind::Box;
    s.x0 = x0, s.y0 = y0, s.x1 = x1, s.y1 = y1, s.size = corner;
    s.tempC = topC, s.tempC2 = bottomC, s.colour = colour, s.stripes = stripes;
    return s;
}

Shape disc(double cx, double cy, double r, double centreC, double rimC, Rgb colour)
{
    Shape s;
    s.kind = Shape::Kind::Disc;
    s.x0 = cx, s.y0 = cy, s.size = r, s.tempC = centreC, s.tempC2 = rimC, s.colour = colour;
    return s;
}

Shape bar(double x0, double y0, double x1, double y1, double half, double startC, double endC,
          Rgb colour)
{
    Shape s;
    s.kind = Shape::Kind::Bar;
    s.x0 = x0, s.y0 = y0, s.x1 = x1, s.y1 = y1, s.size = half;
    s.tempC = startC, s.tempC2 = endC, s.colour = colour;
    return s;
}

// A heat spot; with a colour it also shows as a small fitting in the photograph.
Shape blob(double cx, double cy, double sigma, double kelvin, std::optional<Rgb> colour = {})
{
    Shape s;
    s.kind = Shape::Kind::Blob;
    s.x0 = cx, s.y0 = cy, s.size = sigma, s.tempC = kelvin;
    s.painted = colour.has_value();
    if (colour) s.colour = *colour;
    return s;
}

// Backdrops (sky, floor, snow) meet their neighbours without a heat halo.
Shape backdrop(Shape s)
{
    s.halo = 0;
    return s;
}

CursorPlan at(double x, double y, int emissivity = 0)
{
    return {static_cast<int>(x + 0.5), static_cast<int>(y + 0.5), emissivity};
}

Layout machine(Rng& rng)
{
    const double ox = rng.range(-8, 8), oy = rng.range(-5, 5), dt = rng.range(-1.5, 1.5);
    const double hot = rng.range(22, 34);  // drive-end bearing excess
    Layout l;
    Scene& s = l.scene;
    s.topC = 22.6 + dt, s.bottomC = 20.4 + dt;
    s.topColour = {204, 199, 188}, s.bottomColour = {178, 173, 163};
    const Rgb motorBlue{38, 92, 152}, steel{168, 170, 176}, pumpRed{142, 58, 46};
    s.shapes = {
        backdrop(box(-20, 190 + oy, 340, 260, 0, 19.0 + dt, 17.8 + dt, {118, 118, 112})),  // floor
        box(250 + ox, 18 + oy, 302 + ox, 58 + oy, 3, 11.5, 13.0, {226, 228, 232}),         // vent
        bar(116 + ox, -10, 116 + ox, 74 + oy, 4, 29 + dt, 35 + dt, {28, 28, 30}),          // cable
        box(38 + ox, 168 + oy, 292 + ox, 192 + oy, 2, 25 + dt, 23 + dt, {62, 70, 80}),     // base
        disc(64 + ox, 131 + oy, 34, 38 + dt, 34 + dt, {34, 82, 138}),                  // end bell
        box(64 + ox, 92 + oy, 172 + ox, 170 + oy, 9, 40 + dt, 35 + dt, motorBlue, 8),  // motor
        box(96 + ox, 68 + oy, 136 + ox, 93 + oy, 3, 44 + dt, 41 + dt, motorBlue),      // terminals
        bar(170 + ox, 131 + oy, 226 + ox, 131 + oy, 6, 46 + dt, 36 + dt, steel),       // shaft
        box(194 + ox, 110 + oy, 224 + ox, 152 + oy, 3, 34 + dt, 31 + dt, {236, 188, 34}),  // guard
        box(222 + ox, 98 + oy, 292 + ox, 172 + oy, 6, 33 + dt, 30 + dt, pumpRed),          // pump
        bar(292 + ox, 120 + oy, 340, 120 + oy, 9, 31 + dt, 29 + dt, pumpRed),              // outlet
        bar(-20, 210 + oy, 340, 206 + oy, 7, 6.5, 8.5, {82, 136, 92}),  // cold pipe
        blob(174 + ox, 131 + oy, 7, hot, Rgb{120, 120, 126}),           // DE bearing
        blob(64 + ox, 131 + oy, 10, 8 + dt),                            // NDE bearing
        blob(209 + ox, 131 + oy, 6, 11),                                // coupling
        blob(116 + ox, 80 + oy, 4.5, 16, Rgb{190, 160, 60}),            // lug
    };
    l.points = {
        at(174 + ox, 131 + oy),      // bearing
        at(124 + ox, 155 + oy, 90),  // motor housing, painted
        at(160 + ox, 208 + oy, 98),  // cold water pipe
        at(257 + ox, 135 + oy),      // pump casing
        at(116 + ox, 80 + oy, 93),   // terminal lug
        at(276 + ox, 38 + oy),       // air vent (cold)
        at(30 + ox, 60 + oy),        // wall
    };
    l.caption = "MOTOR M3 BEARING";
    l.comments = {
        "Drive motor M3. Drive-end bearing runs hot; check lubrication and alignment.",
        "Motor M3 drive-end bearing 60\260C, pump side 40\260C. Check again in 4 weeks.",
    };
    l.labels = {"MOTOR", "PUMP P2", "HALL B"};
    return l;
}

Layout panel(Rng& rng)
{
    const double ox = rng.range(-6, 6), dt = rng.range(-1, 1);
    const int faulty = rng.between(0, 5);
    Layout l;
    Scene& s = l.scene;
    s.topC = 29.5 + dt, s.bottomC = 26.5 + dt, s.rippleC = 0.4;
    s.topColour = {212, 212, 206}, s.bottomColour = {192, 192, 186};
    s.shapes.push_back(box(262 + ox, 4, 316 + ox, 30, 2, 14, 15.5, {176, 182, 190}));  // AC vent
    s.shapes.push_back(bar(-10, 118, 330, 118, 4, 31 + dt, 31 + dt, {206, 164, 62}));  // N bar
    const Rgb insulation[3] = {{24, 24, 26}, {120, 78, 40}, {44, 44, 48}};
    for (int i = 0; i < 6; ++i) {
        const double x = 40 + ox + i * 42;
        const bool hot = i == faulty;
        const double cableTop = hot ? 58 + dt : 34 + dt;
        s.shapes.push_back(bar(x, 86, x, 250, 3.5, cableTop, 32 + dt, insulation[i % 3]));
        s.shapes.push_back(box(x - 12, 40, x + 12, 88, 2, 33 + dt, 31 + dt, {236, 236, 230}));
        s.shapes.push_back(box(x - 4, 54, x + 4, 68, 1, 33 + dt, 33 + dt, {40, 40, 44}));
    }
    const double hx = 40 + ox + faulty * 42;
    s.shapes.push_back(blob(hx, 86, 5, rng.range(38, 52), Rgb{190, 190, 196}));  // terminal
    s.shapes.push_back(blob(hx, 100, 9, 8));
    l.points = {
        at(hx, 86, 90),                               // overheated terminal
        at(faulty == 0 ? hx + 42 : hx - 42, 86, 90),  // a healthy phase
        at(289 + ox, 16),                             // cold air outlet
        at(150 + ox, 118, 60),                        // bare neutral bar
        at(20, 200),                                  // back plate
        at(hx, 150),                                  // warm cable
    };
    l.caption = "PANEL DB-4 PHASE L2";
    l.comments = {
        "Loose terminal on outgoing way, 40 K above the neighbouring phases.",
        "Hot connection 58\260C on breaker terminal. Torque check requested.",
    };
    l.labels = {"DB-4", "ROOM 012"};
    return l;
}

Layout facade(Rng& rng)
{
    const double ox = rng.range(-6, 6), oy = rng.range(-4, 4), dt = rng.range(-3, 3);
    Layout l;
    Scene& s = l.scene;
    s.topC = -3 + dt, s.bottomC = -1.5 + dt, s.rippleC = 0.5, s.noiseC = 0.1;
    s.topColour = {196, 176, 150}, s.bottomColour = {178, 160, 138};
    s.shapes.push_back(
        backdrop(box(-20, -20, 74 + ox, 18 + oy, 0, -38, -33, {118, 160, 214})));  // sky
    for (double y : {100.0, 182.0})
        s.shapes.push_back(bar(-10, y + oy, 330, y + oy, 2.5, 0.8 + dt, 0.8 + dt, {184, 164, 140}));
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            const double x = 40 + ox + c * 96, y = 46 + oy + r * 82;
            s.shapes.push_back(
                box(x - 4, y - 4, x + 60, y + 46, 1, 1 + dt, 0 + dt, {238, 238, 236}));
            s.shapes.push_back(box(x, y, x + 56, y + 42, 0, 3.5 + dt, 5 + dt, {58, 74, 96}));
        }
    }
    s.shapes.push_back(backdrop(box(-20, 222 + oy, 340, 260, 0, -6, -7, {234, 237, 242})));
    s.shapes.push_back(blob(136 + ox, 170 + oy, 8, 5));  // leak
    l.points = {
        at(160 + ox, 100 + oy),  // slab edge
        at(260 + ox, 70 + oy),   // glazing
        at(20, 10),              // sky
        at(136 + ox, 170 + oy),  // leak at the frame
        at(300, 150),            // wall
    };
    l.caption = "EAST FACADE LEVEL 3";
    l.comments = {
        "Thermal bridges along the slab edges; air leak at the lower window frame.",
        "Outside -6\260C, inside 21\260C, overcast. Frame leak bottom left.",
    };
    l.labels = {"BLOCK C", "EAST", "LEVEL 3"};
    return l;
}

Layout pipework(Rng& rng)
{
    const double ox = rng.range(-8, 8), oy = rng.range(-5, 5), dt = rng.range(-4, 4);
    Layout l;
    Scene& s = l.scene;
    s.topC = 26 + dt / 2, s.bottomC = 23 + dt / 2, s.rippleC = 0.6;
    s.topColour = {156, 154, 148}, s.bottomColour = {136, 134, 130};
    const Rgb darkSteel{84, 84, 90};
    s.shapes = {
        bar(-20, 72 + oy, 340, 76 + oy, 12, 94 + dt, 84 + dt, darkSteel),         // steam
        bar(-20, 140 + oy, 340, 136 + oy, 10, 79 + dt, 73 + dt, darkSteel),       // condensate
        box(118 + ox, 124 + oy, 222 + ox, 152 + oy, 2, 37, 35, {208, 210, 214}),  // cladding
        bar(200 + ox, 40 + oy, 200 + ox, 72 + oy, 3, 80 + dt, 100 + dt, {120, 120, 124}),  // stem
        disc(200 + ox, 74 + oy, 22, 112 + dt, 100 + dt, {172, 44, 36}),                    // valve
        disc(200 + ox, 36 + oy, 15, 64 + dt, 58 + dt, {186, 30, 30}),                      // wheel
        bar(-20, 204 + oy, 340, 204 + oy, 8, 9, 11, {58, 108, 168}),                       // return
        blob(96 + ox, 73 + oy, 6, 20, Rgb{70, 70, 74}),                                    // flange
        blob(262 + ox, 75 + oy, 6, 15, Rgb{70, 70, 74}),                                   // flange
        blob(150 + ox, 104 + oy, 12, 14),  // leak plume
    };
    l.points = {
        at(200 + ox, 74 + oy),       // valve body
        at(96 + ox, 73 + oy, 85),    // flange
        at(170 + ox, 138 + oy, 30),  // aluminium cladding
        at(160 + ox, 204 + oy, 94),  // cold return
        at(40, 110),                 // wall
        at(150 + ox, 104 + oy),      // plume
    };
    l.caption = "STEAM VALVE V-12";
    l.comments = {
        "Steam line valve V-12 and flanges uninsulated. Cladding reads low: shiny metal.",
        "Valve body 110\260C. Fit removable insulation jacket to valve and flanges.",
    };
    l.labels = {"V-12", "PLANT RM", "LINE 4"};
    return l;
}

}  // namespace

Layout buildLayout(SceneKind kind, Rng& rng)
{
    switch (kind) {
        case SceneKind::Machine:
            return machine(rng);
        case SceneKind::Panel:
            return panel(rng);
        case SceneKind::Facade:
            return facade(rng);
        case SceneKind::Pipework:
            return pipework(rng);
    }
    return machine(rng);
}

}  // namespace calivue::gen
