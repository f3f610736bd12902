// A synthetic scene: a smooth background plus a few simple objects, each with a
// surface temperature and a paint colour, so that one description yields both
// the thermal field of a snapshot and a matching visual photograph.
#pragma once

#include <cstdint>
#include <vector>

namespace calivue::gen {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// Geometry in picture coordinates: x 0–319 to the right, y 0–239 from the top.
struct Shape {
    enum class Kind {
        Box,   // rounded rectangle (x0, y0)–(x1, y1), corner radius `size`
        Disc,  // centre (x0, y0), radius `size`
        Bar,   // pipe or cable from (x0, y0) to (x1, y1), half thickness `size`
        Blob,  // Gaussian hot or cold spot at (x0, y0), sigma `size`
    };
    Kind kind = Kind::Box;
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    double size = 0;
    // Box: temperature at the top and bottom edge; Disc: centre and rim; Bar:
    // start and end; Blob: kelvin added at the centre (tempC2 unused).
    double tempC = 20, tempC2 = 20;
    Rgb colour;
    bool painted = true;  // false: invisible in the photograph (heat only)
    int stripes = 0;      // Box: cooling fins across the body
    // Share of the temperature difference that leaks into the surroundings just
    // outside the edge (warm air, conduction); 0 for backdrops such as sky or floor.
    double halo = 0.18;
};

struct Scene {
    double topC = 21, bottomC = 20;  // background gradient
    double rippleC = 0.3;            // slow background undulation, kelvin
    double noiseC = 0.06;            // sensor noise, kelvin
    Rgb topColour{200, 200, 200}, bottomColour{170, 170, 170};
    std::uint64_t textureSeed = 1;
    std::vector<Shape> shapes;  // painted in order, later ones in front
};

// Temperature in °C at a picture position.
double temperatureAt(const Scene& s, double x, double y);

// The visual photograph, 320 × 240, blue-green-red, bottom row first. The pixel
// at picture (x, y) shows the scene at (x + dx, y + dy), which lets a caller
// store the photograph displaced as a camera does.
std::vector<std::uint8_t> photograph(const Scene& s, int dx, int dy);

}  // namespace calivue::gen
