#include "scene.h"

#include "rng.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace calivue::gen {

namespace {

constexpr int kW = 320;
constexpr int kH = 240;

// Edge softness in pixels: the thermal optics blur edges more than the camera's
// visual lens does.
constexpr double kThermalEdge = 3.0;
// How far, in pixels, the heat of an object visibly spreads around it.
constexpr double kHaloReach = 5.0;
constexpr double kPhotoEdge = 0.9;

struct Hit {
    double distance;  // signed: negative inside
    double along;     // 0–1 position used for the temperature ramp and shading
    double across;    // Bar: −1…1 across the thickness; Disc: radius fraction
};

Hit locate(const Shape& sh, double x, double y)
{
    switch (sh.kind) {
        case Shape::Kind::Box: {
            const double cx = (sh.x0 + sh.x1) / 2, cy = (sh.y0 + sh.y1) / 2;
            const double hx = std::abs(sh.x1 - sh.x0) / 2, hy = std::abs(sh.y1 - sh.y0) / 2;
            const double r = std::min({sh.size, hx, hy});
            const double qx = std::abs(x - cx) - hx + r, qy = std::abs(y - cy) - hy + r;
            const double d = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) +
                             std::min(std::max(qx, qy), 0.0) - r;
            const double v = hy > 0 ? std::clamp((y - (cy - hy)) / (2 * hy), 0.0, 1.0) : 0.0;
            return {d, v, 0};
        }
        case Shape::Kind::Disc:
        case Shape::Kind::Blob: {
            const double rr = std::hypot(x - sh.x0, y - sh.y0);
            const double frac = sh.size > 0 ? std::min(rr / sh.size, 1.0) : 1.0;
            return {rr - sh.size, frac, frac};
        }
        case Shape::Kind::Bar: {
            const double ex = sh.x1 - sh.x0, ey = sh.y1 - sh.y0;
            const double len2 = ex * ex + ey * ey;
            double t = len2 > 0 ? ((x - sh.x0) * ex + (y - sh.y0) * ey) / len2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const double px = sh.x0 + t * ex, py = sh.y0 + t * ey;
            const double d = std::hypot(x - px, y - py);
            // Signed offset across the bar, positive below the axis for a level bar.
            const double len = std::sqrt(len2);
            const double side = len > 0 ? ((x - sh.x0) * -ey + (y - sh.y0) * ex) / len : 0.0;
            const double across = sh.size > 0 ? std::clamp(side / sh.size, -1.0, 1.0) : 0.0;
            return {d - sh.size, t, across};
        }
    }
    return {1e9, 0, 0};
}

// Whether (x, y) lies within margin of the shape's bounding box: a cheap test
// that lets most pixels skip the distance maths of objects far away.
bool near(const Shape& sh, double x, double y, double margin)
{
    double r = margin;
    double lx = sh.x0, hx = sh.x0, ly = sh.y0, hy = sh.y0;
    if (sh.kind == Shape::Kind::Box || sh.kind == Shape::Kind::Bar) {
        lx = std::min(sh.x0, sh.x1), hx = std::max(sh.x0, sh.x1);
        ly = std::min(sh.y0, sh.y1), hy = std::max(sh.y0, sh.y1);
    }
    if (sh.kind != Shape::Kind::Box) r += sh.size;
    return x >= lx - r && x <= hx + r && y >= ly - r && y <= hy + r;
}

// Beyond these distances an object no longer changes a pixel: the halo weight
// has fallen below the 1e-4 at which it is ignored, a spot below a millikelvin.
constexpr double kThermalReach = 40.0;
constexpr double kSpotReach = 6.0;  // sigmas

double coverage(double distance, double edge)
{
    return std::clamp(0.5 - distance / edge, 0.0, 1.0);
}

double surfaceTemperature(const Shape& sh, const Hit& h)
{
    double t = sh.tempC + (sh.tempC2 - sh.tempC) * h.along;
    if (sh.kind == Shape::Kind::Box && sh.stripes > 0)
        t += 0.6 * std::cos(2 * std::numbers::pi * sh.stripes * h.along);
    return t;
}

// Brightness of a painted surface: lit from above, darker rims, so the shapes
// read as solid objects rather than flat cut-outs.
double shading(const Shape& sh, const Hit& h)
{
    double k = 1.0;
    switch (sh.kind) {
        case Shape::Kind::Box:
            k = 1.10 - 0.22 * h.along;
            if (sh.stripes > 0)
                k *= 0.86 +
                     0.14 * (0.5 + 0.5 * std::cos(2 * std::numbers::pi * sh.stripes * h.along));
            break;
        case Shape::Kind::Disc:
        case Shape::Kind::Blob:
            k = 1.12 - 0.35 * h.across * h.across;
            break;
        case Shape::Kind::Bar: {
            const double s = h.across + 0.35;  // highlight a little above the axis
            k = 0.62 + 0.5 * std::sqrt(std::max(0.0, 1.0 - std::min(s * s, 1.0)));
            break;
        }
    }
    if (h.distance > -1.6) k *= 0.78;  // outline
    return k;
}

double mix(double a, double b, double t)
{
    return a + (b - a) * t;
}

}  // namespace

double temperatureAt(const Scene& s, double x, double y)
{
    const double phase = static_cast<double>(s.textureSeed % 997) * 0.0063;
    double t = mix(s.topC, s.bottomC, std::clamp(y / (kH - 1), 0.0, 1.0));
    t += s.rippleC * std::sin(x * 0.021 + phase) * std::cos(y * 0.017 + 2 * phase);
    for (const Shape& sh : s.shapes) {
        if (sh.kind == Shape::Kind::Blob) {
            if (!near(sh, x, y, kSpotReach * sh.size - sh.size)) continue;
            const double r2 = (x - sh.x0) * (x - sh.x0) + (y - sh.y0) * (y - sh.y0);
            const double sigma = std::max(sh.size, 0.5);
            t += sh.tempC * std::exp(-r2 / (2 * sigma * sigma));
            continue;
        }
        if (!near(sh, x, y, sh.halo > 0 ? kThermalReach : kThermalEdge)) continue;
        const Hit h = locate(sh, x, y);
        double w = coverage(h.distance, kThermalEdge);
        if (sh.halo > 0 && h.distance > 0)
            w = std::max(w, sh.halo * std::exp(-h.distance / kHaloReach));
        if (w > 1e-4) t += w * (surfaceTemperature(sh, h) - t);
    }
    const int ix = static_cast<int>(std::lround(x)), iy = static_cast<int>(std::lround(y));
    return t + s.noiseC * hashNoise(s.textureSeed, ix, iy);
}

std::vector<std::uint8_t> photograph(const Scene& s, int dx, int dy)
{
    std::vector<std::uint8_t> out(static_cast<std::size_t>(kW) * kH * 3);
    for (int row = 0; row < kH; ++row) {
        const int py = kH - 1 - row;  // stored bottom row first
        for (int px = 0; px < kW; ++px) {
            const double x = px + dx, y = py + dy;
            const double v = std::clamp(y / (kH - 1), 0.0, 1.0);
            double c[3] = {mix(s.topColour.r, s.bottomColour.r, v),
                           mix(s.topColour.g, s.bottomColour.g, v),
                           mix(s.topColour.b, s.bottomColour.b, v)};
            // Surface texture: fine grain plus a gentle mottling.
            const int ix = static_cast<int>(x), iy = static_cast<int>(y);
            const double grain = 4.0 * hashNoise(s.textureSeed + 7, ix, iy) +
                                 5.0 * std::sin(x * 0.09 + 1.3) * std::sin(y * 0.07 + 0.4);
            for (double& ch : c) ch += grain;

            for (const Shape& sh : s.shapes) {
                if (!sh.painted || !near(sh, x, y, 1.0)) continue;
                Hit h = locate(sh, x, y);
                if (sh.kind == Shape::Kind::Blob) {
                    // A heat spot shows as a small fitting (bolt, lamp, lug).
                    const double r = sh.size * 0.6;
                    h.distance += sh.size - r;
                    h.across = r > 0 ? std::min(std::hypot(x - sh.x0, y - sh.y0) / r, 1.0) : 1.0;
                }
                const double m = coverage(h.distance, kPhotoEdge);
                if (m <= 0) continue;
                const double k = shading(sh, h);
                c[0] = mix(c[0], sh.colour.r * k, m);
                c[1] = mix(c[1], sh.colour.g * k, m);
                c[2] = mix(c[2], sh.colour.b * k, m);
            }
            // Lens vignetting.
            const double nx = (px - kW / 2.0) / (kW / 2.0), ny = (py - kH / 2.0) / (kH / 2.0);
            const double vignette = 1.0 - 0.16 * (nx * nx + ny * ny);
            std::uint8_t* dst = &out[(static_cast<std::size_t>(row) * kW + px) * 3];
            dst[0] = static_cast<std::uint8_t>(std::clamp(std::lround(c[2] * vignette), 0L, 255L));
            dst[1] = static_cast<std::uint8_t>(std::clamp(std::lround(c[1] * vignette), 0L, 255L));
            dst[2] = static_cast<std::uint8_t>(std::clamp(std::lround(c[0] * vignette), 0L, 255L));
        }
    }
    return out;
}

}  // namespace calivue::gen
