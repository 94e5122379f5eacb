#include "render/sprites/sprite_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "render/sprites/sprite_generators.h"
#include "render/sprites/sprite_store.h"

namespace pax {

namespace {

// --- a small painter with straight-alpha output --------------------------------------------------

// A colour with alpha, each channel 0 .. 1, not premultiplied.
struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;
};

constexpr Rgba Rgb(int r, int g, int b, float a = 1) { return {r / 255.0f, g / 255.0f, b / 255.0f, a}; }
Rgba Mix(const Rgba& p, const Rgba& q, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {p.r + (q.r - p.r) * t, p.g + (q.g - p.g) * t, p.b + (q.b - p.b) * t, p.a + (q.a - p.a) * t};
}
Rgba Lit(const Rgba& c, float k, float white = 0) {
    return {c.r * k + white, c.g * k + white, c.b * k + white, c.a};
}
Rgba WithAlpha(Rgba c, float a) {
    c.a = a;
    return c;
}

struct Point {
    float x = 0, y = 0;
};

// Pixels hold premultiplied colour so that overlapping soft edges compose correctly; the
// picture gets straight alpha, as the surfaces blend it. Pixel (x, y) covers [x, x+1) x [y, y+1).
class Canvas {
public:
    Canvas(int width, int height)
        : m_width(width), m_height(height), m_pixels(size_t(width) * height, Rgba{0, 0, 0, 0}) {}
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // c over the pixel with c's alpha times coverage.
    void Over(int x, int y, const Rgba& c, float coverage) {
        const float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
        if (a <= 0) return;
        Rgba& p = m_pixels[size_t(y) * m_width + x];
        const float keep = 1 - a;
        p.r = std::clamp(c.r, 0.0f, 1.0f) * a + p.r * keep;
        p.g = std::clamp(c.g, 0.0f, 1.0f) * a + p.g * keep;
        p.b = std::clamp(c.b, 0.0f, 1.0f) * a + p.b * keep;
        p.a = a + p.a * keep;
    }

    TBitmap32 ToBitmap() const {
        TBitmap32 picture(m_width, m_height);
        for (int y = 0; y < m_height; ++y) {
            TColor32* row = picture.ScanLine(y);
            for (int x = 0; x < m_width; ++x) row[x] = Straight(m_pixels[size_t(y) * m_width + x]);
        }
        picture.DrawMode = TDrawMode::dmBlend;
        return picture;
    }

private:
    static TColor32 Straight(const Rgba& p) {
        const int a = static_cast<int>(std::lround(p.a * 255));
        if (a <= 0) return clTransparent32;
        auto channel = [&](float v) { return static_cast<uint8_t>(std::clamp<long>(std::lround(v / p.a * 255), 0, 255)); };
        return Color32(channel(p.r), channel(p.g), channel(p.b), static_cast<uint8_t>(std::min(a, 255)));
    }

    int m_width, m_height;
    std::vector<Rgba> m_pixels;   // premultiplied
};

// The pixels of the canvas that the rectangle [left, right) x [top, bottom) touches.
struct PixelBox {
    int x0, y0, x1, y1;
};
PixelBox Touched(const Canvas& canvas, float left, float top, float right, float bottom) {
    return {std::max(0, static_cast<int>(std::floor(left))), std::max(0, static_cast<int>(std::floor(top))),
            std::min(canvas.Width(), static_cast<int>(std::ceil(right))),
            std::min(canvas.Height(), static_cast<int>(std::ceil(bottom)))};
}

// A hard-edged shape: coverage from 4 x 4 samples per pixel, colour from the pixel's centre.
// Adaptive sampling first asks the four corner samples and the centre and takes their common
// answer for the whole pixel; shapes thinner than a pixel need Full.
enum class Sampling { Adaptive, Full };
constexpr int Samples = 4;
template <class Inside>
int Coverage(int x, int y, Inside& inside, Sampling sampling) {
    auto at = [&](int sx, int sy) { return inside(x + (sx + 0.5f) / Samples, y + (sy + 0.5f) / Samples); };
    if (sampling == Sampling::Adaptive) {
        const bool centre = inside(x + 0.5f, y + 0.5f);
        if (at(0, 0) == centre && at(Samples - 1, 0) == centre && at(0, Samples - 1) == centre &&
            at(Samples - 1, Samples - 1) == centre)
            return centre ? Samples * Samples : 0;
    }
    int covered = 0;
    for (int sy = 0; sy < Samples; ++sy)
        for (int sx = 0; sx < Samples; ++sx) covered += at(sx, sy) ? 1 : 0;
    return covered;
}

template <class Inside, class Shade>
void Fill(Canvas& canvas, PixelBox box, Inside inside, Shade shade, Sampling sampling = Sampling::Adaptive) {
    for (int y = box.y0; y < box.y1; ++y) {
        for (int x = box.x0; x < box.x1; ++x) {
            const int covered = Coverage(x, y, inside, sampling);
            if (covered > 0) canvas.Over(x, y, shade(x + 0.5f, y + 0.5f), float(covered) / (Samples * Samples));
        }
    }
}

// A soft shape whose colour function gives the alpha itself.
template <class Shade>
void Glow(Canvas& canvas, PixelBox box, Shade shade) {
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x) canvas.Over(x, y, shade(x + 0.5f, y + 0.5f), 1);
}

// Even-odd rule.
bool InsidePolygon(const std::vector<Point>& polygon, float x, float y) {
    bool inside = false;
    for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point& p = polygon[i];
        const Point& q = polygon[j];
        if ((p.y > y) != (q.y > y) && x < (q.x - p.x) * (y - p.y) / (q.y - p.y) + p.x) inside = !inside;
    }
    return inside;
}

PixelBox PolygonBox(const Canvas& canvas, const std::vector<Point>& polygon) {
    float left = 1e9f, top = 1e9f, right = -1e9f, bottom = -1e9f;
    for (const Point& p : polygon) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    return Touched(canvas, left, top, right, bottom);
}

// A deterministic generator of our own, so that the pictures never depend on the seeded
// process-wide one or on a library's distributions.
class Dice {
public:
    explicit Dice(uint32_t seed) : m_state(seed ? seed : 1) {}
    uint32_t Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    float Uniform(float lo, float hi) { return lo + (hi - lo) * float(Next() >> 8) / float(1 << 24); }

private:
    uint32_t m_state;
};

// Value noise in [0, 1) per pixel, for the grain of leaves and bark.
float Grain(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return float((h ^ (h >> 16)) & 0xFFFF) / 65536.0f;
}

// --- shading --------------------------------------------------------------------------------------

// The light of all pictures comes from the upper left and in front (picture x right, y down,
// z towards the viewer).
constexpr float LightX = -0.45f, LightY = -0.55f, LightZ = 0.70f;

struct Shine {
    float ambient = 0.2f;
    float specular = 0.8f;
    float exponent = 28;
};

Rgba ShadeNormal(const Rgba& base, float nx, float ny, float nz, const Shine& shine) {
    const float length = std::sqrt(LightX * LightX + LightY * LightY + LightZ * LightZ);
    const float ndl = (nx * LightX + ny * LightY + nz * LightZ) / length;
    const float diffuse = std::max(0.0f, ndl);
    // The reflected light's component towards the viewer.
    const float reflected = 2 * ndl * nz - LightZ / length;
    const float highlight = shine.specular * std::pow(std::max(0.0f, reflected), shine.exponent);
    // A little light bounced back from the lower right keeps the shadow side round.
    const float bounce = 0.12f * std::max(0.0f, 0.6f * nx + 0.7f * ny);
    return Lit(base, shine.ambient + (1 - shine.ambient) * diffuse + bounce, highlight);
}

Rgba BallShade(float x, float y, Point centre, float radius, const Rgba& base, const Shine& shine) {
    const float nx = (x - centre.x) / radius, ny = (y - centre.y) / radius;
    const float nz = std::sqrt(std::max(0.0f, 1 - nx * nx - ny * ny));
    return ShadeNormal(base, nx, ny, nz, shine);
}

// --- the small pictures ------------------------------------------------------------------------------

void PaintBall(Canvas& canvas, Point centre, float radius, const Rgba& base, const Shine& shine = {}) {
    Fill(canvas, Touched(canvas, centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius),
         [&](float x, float y) { return std::hypot(x - centre.x, y - centre.y) <= radius; },
         [&](float x, float y) { return BallShade(x, y, centre, radius, base, shine); });
}

void PaintHalo(Canvas& canvas, Point centre, float radius, const Rgba& colour, float strength) {
    Glow(canvas, Touched(canvas, centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius),
         [&](float x, float y) {
             const float d = std::hypot(x - centre.x, y - centre.y) / radius;
             return WithAlpha(colour, strength * std::exp(-4 * d * d) * (d < 1 ? 1.0f : 0.0f));
         });
}

// A bevelled star of n points: the facets between the centre (raised) and each edge catch the
// light differently.
void PaintStar(Canvas& canvas, Point centre, int n, float outer, float inner, const Rgba& base, const Rgba& glow) {
    PaintHalo(canvas, centre, outer * 1.05f, glow, 0.55f);
    std::vector<Point> polygon;
    for (int i = 0; i < 2 * n; ++i) {
        const float angle = -float(Pi) / 2 + i * float(Pi) / n;
        const float r = i % 2 == 0 ? outer : inner;
        polygon.push_back({centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)});
    }
    const float height = inner * 0.9f;
    auto shade = [&](float x, float y) {
        // The facet (centre, corner i, corner i + 1) that holds the point.
        float angle = std::atan2(y - centre.y, x - centre.x) + float(Pi) / 2;
        angle = std::fmod(angle + 4 * float(Pi), 2 * float(Pi));
        const int i = std::min(2 * n - 1, static_cast<int>(angle / (float(Pi) / n)));
        const Point& p = polygon[i];
        const Point& q = polygon[(i + 1) % polygon.size()];
        const float ax = p.x - centre.x, ay = p.y - centre.y, bx = q.x - centre.x, by = q.y - centre.y;
        // Normal of the facet with the centre raised by height, towards the viewer.
        float nx = ay * (-height) - (-height) * by, ny = (-height) * bx - ax * (-height), nz = ax * by - ay * bx;
        if (nz < 0) nx = -nx, ny = -ny, nz = -nz;
        const float length = std::sqrt(nx * nx + ny * ny + nz * nz);
        const float t = std::hypot(x - centre.x, y - centre.y) / outer;
        return ShadeNormal(Mix(Lit(base, 1, 0.35f), base, t), nx / length, ny / length, nz / length,
                           {0.35f, 0.5f, 12});
    };
    Fill(canvas, PolygonBox(canvas, polygon), [&](float x, float y) { return InsidePolygon(polygon, x, y); }, shade);
}

// A sparkle: a bright core with long thin rays up, down and sideways and shorter diagonal ones.
void PaintSparkle(Canvas& canvas, Point centre, float length, const Rgba& tint) {
    Glow(canvas, Touched(canvas, 0, 0, float(canvas.Width()), float(canvas.Height())), [&](float x, float y) {
        const float dx = x - centre.x, dy = y - centre.y;
        const float d = std::hypot(dx, dy);
        auto ray = [](float along, float across, float reach, float width) {
            const float fade = std::max(0.0f, 1 - along / reach);
            return std::exp(-across / width) * fade * fade;
        };
        const float u = (dx + dy) * 0.7071f, v = (dx - dy) * 0.7071f;
        const float rays = ray(std::fabs(dx), std::fabs(dy), length, 0.8f) +
                           ray(std::fabs(dy), std::fabs(dx), length, 0.8f) +
                           0.7f * (ray(std::fabs(u), std::fabs(v), length * 0.55f, 0.45f) +
                                   ray(std::fabs(v), std::fabs(u), length * 0.55f, 0.45f));
        const float core = std::exp(-(d * d) / 12.0f);
        const float halo = 0.45f * std::exp(-(d * d) / 50.0f);
        const float alpha = std::min(1.0f, core + rays + halo);
        return WithAlpha(Mix(tint, Rgb(255, 255, 255), std::min(1.0f, core + 0.6f * rays)), alpha);
    });
}

struct Petals {
    int count;
    float offset;     // distance of a petal's centre from the flower's centre
    float length;     // semi-axis along the petal
    float width;      // semi-axis across
    Rgba inner, tip;
};

void PaintPetal(Canvas& canvas, Point centre, float angle, const Petals& petals) {
    const float c = std::cos(angle), s = std::sin(angle);
    const Point middle{centre.x + petals.offset * c, centre.y + petals.offset * s};
    auto local = [&](float x, float y) {
        const float dx = x - middle.x, dy = y - middle.y;
        return Point{(dx * c + dy * s) / petals.length, (-dx * s + dy * c) / petals.width};
    };
    const float reach = petals.length + 1;
    Fill(canvas, Touched(canvas, middle.x - reach, middle.y - reach, middle.x + reach, middle.y + reach),
         [&](float x, float y) {
             const Point p = local(x, y);
             return p.x * p.x + p.y * p.y <= 1;
         },
         [&](float x, float y) {
             const Point p = local(x, y);
             // Curved like a shallow bowl across, with a faint crease along the middle.
             const float nz = std::sqrt(std::max(0.05f, 1 - p.y * p.y));
             const Rgba colour = Mix(petals.inner, petals.tip, (p.x + 1) / 2);
             const float crease = 1 - 0.18f * std::exp(-p.y * p.y * 30);
             return Lit(ShadeNormal(colour, -p.y * s * 0.8f, p.y * c * 0.8f, nz, {0.45f, 0.25f, 16}), crease);
         });
}

void PaintFlower(Canvas& canvas, Point centre, const Petals& petals, float heart, const Rgba& heartColour) {
    // Every other petal first, so that the rest overlap them.
    for (int pass = 0; pass < 2; ++pass)
        for (int i = pass; i < petals.count; i += 2)
            PaintPetal(canvas, centre, -float(Pi) / 2 + i * 2 * float(Pi) / petals.count, petals);
    PaintBall(canvas, centre, heart, heartColour, {0.35f, 0.35f, 10});
    Fill(canvas, Touched(canvas, centre.x - heart, centre.y - heart, centre.x + heart, centre.y + heart),
         [&](float x, float y) {
             return std::hypot(x - centre.x, y - centre.y) <= heart &&
                    Grain(int(x * 2), int(y * 2), 7) > 0.8f;
         },
         [&](float, float) { return Rgb(120, 60, 10, 0.6f); });
}

constexpr Point BallCentre26{13, 13};
constexpr Point Centre32{16, 16};

TBitmap32 Ball26(const Rgba& base) {
    Canvas canvas(26, 26);
    PaintBall(canvas, BallCentre26, 12.3f, base);
    return canvas.ToBitmap();
}

TBitmap32 Ball32(const Rgba& base, const Shine& shine = {}) {
    Canvas canvas(32, 32);
    PaintBall(canvas, Centre32, 14.6f, base, shine);
    return canvas.ToBitmap();
}

TBitmap32 Star32(int n, float inner, const Rgba& base, const Rgba& glow) {
    Canvas canvas(32, 32);
    PaintStar(canvas, {16, 16.5f}, n, 15, inner, base, glow);
    return canvas.ToBitmap();
}

TBitmap32 Sparkle32(const Rgba& tint) {
    Canvas canvas(32, 32);
    PaintSparkle(canvas, Centre32, 15.5f, tint);
    return canvas.ToBitmap();
}

TBitmap32 Flower32(const Petals& petals, float heart, const Rgba& heartColour) {
    Canvas canvas(32, 32);
    PaintFlower(canvas, Centre32, petals, heart, heartColour);
    return canvas.ToBitmap();
}

// --- the trees ----------------------------------------------------------------------------------------

const Rgba BarkLight = Rgb(128, 96, 66);
const Rgba BarkDark = Rgb(70, 50, 34);

// A branch from a to b, its radius tapering from ra to rb, shaded round from the left.
void PaintLimb(Canvas& canvas, Point a, Point b, float ra, float rb, uint32_t grainSeed) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length2 = std::max(1e-6f, dx * dx + dy * dy);
    const float length = std::sqrt(length2);
    auto nearest = [&](float x, float y, float& t, float& across) {
        t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length2, 0.0f, 1.0f);
        across = ((x - a.x) * dy - (y - a.y) * dx) / length;   // signed, positive to the right of a->b
    };
    const float reach = std::max(ra, rb) + 1;
    Fill(canvas,
         Touched(canvas, std::min(a.x, b.x) - reach, std::min(a.y, b.y) - reach, std::max(a.x, b.x) + reach,
                 std::max(a.y, b.y) + reach),
         [&](float x, float y) {
             float t, across;
             nearest(x, y, t, across);
             const float px = a.x + t * dx - x, py = a.y + t * dy - y;
             const float r = ra + (rb - ra) * t;
             return px * px + py * py <= r * r;
         },
         [&](float x, float y) {
             float t, across;
             nearest(x, y, t, across);
             const float radius = std::max(0.5f, ra + (rb - ra) * t);
             // Upwards branches (dy < 0) have their left side to the light.
             const float side = std::clamp(-across / radius * (dy < 0 ? 1.0f : -1.0f), -1.0f, 1.0f);
             const float grain = 0.85f + 0.3f * Grain(int(x), int(y * 0.5f), grainSeed);
             return Lit(Mix(BarkDark, BarkLight, 0.5f + 0.5f * side), grain);
         });
}

struct Blob {
    Point centre;
    float radius;
    Rgba colour;
    float depth;   // drawn in ascending order
    uint32_t seed;
};

// A clump of leaves: a lobed disc, shaded as a flattened ball with a leafy grain.
void PaintBlob(Canvas& canvas, const Blob& blob) {
    const float phase = float(blob.seed % 628) / 100;
    // The lobed outline's radius, taken once per pixel (at its centre) for all its samples.
    int edgeX = -1, edgeY = -1;
    float edgeRadius = 0;
    auto edge = [&](float x, float y) {
        const int px = static_cast<int>(x), py = static_cast<int>(y);
        if (px == edgeX && py == edgeY) return edgeRadius;
        edgeX = px;
        edgeY = py;
        const float angle = std::atan2(py + 0.5f - blob.centre.y, px + 0.5f - blob.centre.x);
        edgeRadius = blob.radius * (1 + 0.13f * std::sin(6 * angle + phase) + 0.07f * std::sin(11 * angle + 2 * phase));
        return edgeRadius;
    };
    const float reach = blob.radius * 1.25f;
    Fill(canvas,
         Touched(canvas, blob.centre.x - reach, blob.centre.y - reach, blob.centre.x + reach, blob.centre.y + reach),
         [&](float x, float y) {
             const float dx = x - blob.centre.x, dy = y - blob.centre.y, r = edge(x, y);
             return dx * dx + dy * dy <= r * r;
         },
         [&](float x, float y) {
             const float grain = Grain(int(x), int(y), blob.seed);
             const Rgba shaded = BallShade(x, y, blob.centre, reach, blob.colour, {0.3f, 0.12f, 6});
             return Lit(shaded, 0.8f + 0.4f * grain);
         });
}

// Branches grow from the trunk's top; every tip carries a few clumps of leaves.
struct Crown {
    std::vector<Blob> blobs;
    Dice dice;
    float width, height;
};

void Grow(Canvas& canvas, Crown& crown, Point from, float angle, float length, float radius, int depth) {
    const Point to{from.x + length * std::sin(angle), from.y - length * std::cos(angle)};
    PaintLimb(canvas, from, to, radius, radius * 0.7f, 11);
    if (depth == 0 || length < 6) {
        for (int i = 0; i < 5; ++i) {
            const float r = crown.dice.Uniform(6.5f, 10.5f);
            Point c{to.x + crown.dice.Uniform(-9, 9), to.y + crown.dice.Uniform(-9, 7)};
            c.x = std::clamp(c.x, r + 1, crown.width - r - 1);
            c.y = std::clamp(c.y, r + 1, crown.height);
            crown.blobs.push_back({c, r, {}, crown.dice.Uniform(0, 1), crown.dice.Next()});
        }
        return;
    }
    const int children = crown.dice.Uniform(0, 1) < 0.35f ? 3 : 2;
    for (int i = 0; i < children; ++i) {
        const float spread = children == 3 ? (i - 1) * 0.55f : (i == 0 ? -0.45f : 0.45f);
        const float turn = spread + crown.dice.Uniform(-0.15f, 0.15f);
        Grow(canvas, crown, to, angle * 0.6f + turn, length * crown.dice.Uniform(0.7f, 0.82f), radius * 0.68f,
             depth - 1);
    }
}

// The colour of a clump: lighter towards the crown's upper left and for clumps in front.
void ColourClumps(std::vector<Blob>& blobs, Point centre, float rx, float ry) {
    const Rgba leafDark = Rgb(28, 70, 26), leafLight = Rgb(120, 176, 62);
    for (Blob& b : blobs) {
        const float u = (b.centre.x - centre.x) / rx, v = (b.centre.y - centre.y) / ry;
        const float lightSide = std::clamp(0.5f - 0.35f * u - 0.35f * v, 0.0f, 1.0f);
        b.colour = Mix(leafDark, leafLight, 0.08f + 0.62f * lightSide * (0.4f + 0.6f * b.depth) + 0.25f * b.depth);
    }
}

TBitmap32 BroadLeafTree() {
    constexpr int Width = 146, Height = 257;
    Canvas canvas(Width, Height);
    Crown crown{{}, Dice(0x7ae14u), float(Width), float(Height) - 60};
    const Point root{Width / 2.0f, Height - 1.0f};
    const Point fork{Width / 2.0f + 1, Height - 80.0f};
    PaintLimb(canvas, root, fork, 7, 5, 11);
    // Flared roots.
    PaintLimb(canvas, {root.x - 10, root.y}, {root.x - 2, root.y - 14}, 2.5f, 3.5f, 11);
    PaintLimb(canvas, {root.x + 11, root.y}, {root.x + 3, root.y - 12}, 2.5f, 3.5f, 11);
    Grow(canvas, crown, fork, 0, 34, 5, 4);
    // Clumps through the crown's outline, so that it reads as one mass of leaves.
    const Point centre{Width / 2.0f, 96};
    const float rx = 54, ry = 72;
    for (int i = 0; i < 80; ++i) {
        float u, v;
        do {
            u = crown.dice.Uniform(-1, 1);
            v = crown.dice.Uniform(-1, 1);
        } while (u * u + v * v > 1);
        const float r = crown.dice.Uniform(8.5f, 13);
        const Point c{std::clamp(centre.x + u * rx, r + 1, Width - r - 1), std::max(centre.y + v * ry, r + 1)};
        crown.blobs.push_back({c, r, {}, crown.dice.Uniform(0, 1), crown.dice.Next()});
    }
    ColourClumps(crown.blobs, centre, rx, ry);
    std::sort(crown.blobs.begin(), crown.blobs.end(), [](const Blob& p, const Blob& q) { return p.depth < q.depth; });
    for (const Blob& b : crown.blobs) PaintBlob(canvas, b);
    return canvas.ToBitmap();
}

// One tier of a conifer: a drooping skirt of needles from the stem out to both tips.
void PaintTier(Canvas& canvas, Dice& dice, float stemX, float top, float halfWidth, float depth) {
    std::vector<Point> skirt{{stemX, top}, {stemX + halfWidth, top + 0.45f * depth}};
    constexpr int Points = 14;
    for (int i = 0; i <= Points; ++i) {
        const float u = -1 + 2.0f * i / Points;   // -1 left tip .. 1 right tip
        // The tips sit at 0.45 of the depth, the hem below the stem at the full depth.
        const float droop = depth * (1 - 0.55f * std::pow(std::fabs(u), 1.5f));
        const float jag = (i % 2 == 0 ? 0 : -depth * 0.18f) + dice.Uniform(-1.2f, 1.2f);
        skirt.push_back({stemX - u * halfWidth, top + droop + (std::fabs(u) < 1 ? jag : 0)});
    }
    const Rgba needleLight = Rgb(72, 130, 72), needleDark = Rgb(16, 52, 30);
    Fill(canvas, PolygonBox(canvas, skirt), [&](float x, float y) { return InsidePolygon(skirt, x, y); },
         [&](float x, float y) {
             const float across = (x - stemX) / std::max(1.0f, halfWidth);   // -1 .. 1
             const float down = (y - top) / std::max(1.0f, depth);
             const float light = 0.55f - 0.35f * across - 0.4f * down;
             const float grain = Grain(int(x), int(y), 15);
             return Lit(Mix(needleDark, needleLight, light), 0.8f + 0.4f * grain);
         });
    // Needle strokes along the branches, pale on the lit side.
    const int strokes = static_cast<int>(halfWidth * 2.5f);
    for (int i = 0; i < strokes; ++i) {
        const float u = dice.Uniform(-0.95f, 0.95f);
        const float upper = 0.45f * std::fabs(u), lower = 1 - 0.55f * std::pow(std::fabs(u), 1.5f);
        const Point from{stemX + u * halfWidth, top + depth * (upper + (lower - upper) * dice.Uniform(0.15f, 0.8f))};
        const float dx = (u < 0 ? -1.0f : 1.0f) * dice.Uniform(2, 4), dy = dice.Uniform(1.5f, 3.5f);
        const Rgba colour = WithAlpha(u < 0 ? Rgb(150, 200, 120) : Rgb(10, 40, 22), 0.55f);
        const Point to{from.x + dx, from.y + dy};
        Fill(canvas,
             Touched(canvas, std::min(from.x, to.x) - 1, std::min(from.y, to.y) - 1, std::max(from.x, to.x) + 1,
                     std::max(from.y, to.y) + 1),
             [&](float x, float y) {
                 const float t = std::clamp(((x - from.x) * dx + (y - from.y) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
                 return std::hypot(from.x + t * dx - x, from.y + t * dy - y) <= 0.45f;
             },
             [&](float, float) { return colour; }, Sampling::Full);
    }
}

TBitmap32 Conifer() {
    constexpr int Width = 120, Height = 297;
    Canvas canvas(Width, Height);
    Dice dice(0xc0f1e215u);
    const float stemX = Width / 2.0f;
    PaintLimb(canvas, {stemX, Height - 1.0f}, {stemX, 6}, 5, 1, 13);
    constexpr float Top = 4, Lowest = 226;
    constexpr int Tiers = 20;
    // Dark foliage behind the tiers, seen through the gaps between them.
    const std::vector<Point> core{{stemX, Top + 8}, {stemX + 40, Lowest + 20}, {stemX - 40, Lowest + 20}};
    Fill(canvas, PolygonBox(canvas, core), [&](float x, float y) { return InsidePolygon(core, x, y); },
         [&](float x, float y) { return Lit(Rgb(14, 40, 24), 0.8f + 0.4f * Grain(int(x), int(y), 21)); });
    // The lowest tier first: each tier hangs over the top of the one below.
    for (int k = Tiers - 1; k >= 0; --k) {
        const float t = float(k) / (Tiers - 1);
        const float top = Top + t * (Lowest - Top) + dice.Uniform(-1.5f, 1.5f);
        const float halfWidth = 5 + t * 52 + dice.Uniform(-2, 2);
        const float depth = 16 + t * 26;
        PaintTier(canvas, dice, stemX, top, std::min(halfWidth, Width / 2.0f - 1.5f), depth);
    }
    return canvas.ToBitmap();
}

TBitmap32 PaintSpritePicture(uint16_t id) {
    switch (id) {
        case 0:
        case 1: return Ball26(Rgb(214, 28, 24));
        case 2: return Ball26(Rgb(36, 170, 52));
        case 3: return Ball26(Rgb(40, 80, 224));
        case 4: return Star32(5, 6.2f, Rgb(250, 204, 30), Rgb(255, 230, 120));
        case 5: return Sparkle32(Rgb(150, 190, 255));
        case 6: return Flower32({5, 7.5f, 7.5f, 5.2f, Rgb(150, 10, 20), Rgb(240, 60, 60)}, 4, Rgb(250, 200, 30));
        case 7: return Ball32(Rgb(236, 176, 30), {0.22f, 0.9f, 30});
        case 8: return Star32(6, 8, Rgb(60, 200, 230), Rgb(150, 240, 255));
        case 9: return Sparkle32(Rgb(255, 190, 70));
        case 10: return Flower32({8, 8, 7, 3.6f, Rgb(90, 30, 150), Rgb(190, 120, 240)}, 4.2f, Rgb(250, 140, 20));
        case 11: return Ball32(Rgb(40, 110, 240), {0.15f, 1.0f, 60});
        case 12: return Flower32({14, 8.5f, 7, 1.9f, Rgb(200, 200, 210), Rgb(255, 255, 255)}, 4.5f, Rgb(245, 190, 20));
        case 13: return Ball32(Rgb(200, 40, 160));
        case 14: return BroadLeafTree();
        case 15: return Conifer();
        default: return {};
    }
}

}  // namespace

TBitmap32 MakeSpritePicture(uint16_t id) {
    if (id > LastOwnSpriteId) return {};
    // Painted once per process (the trees take some milliseconds); every store gets copies.
    static const std::array<TBitmap32, LastOwnSpriteId + 1> pictures = [] {
        std::array<TBitmap32, LastOwnSpriteId + 1> all;
        for (uint16_t i = 1; i <= LastOwnSpriteId; ++i) all[i] = PaintSpritePicture(i);
        all[0] = all[1];
        return all;
    }();
    TBitmap32 copy;
    copy.Assign(pictures[id]);
    return copy;
}

void InstallSpritePictures(SpriteStore& store, const Eye3d& eye, Light3d& light) {
    for (uint16_t id = 1; id <= LastOwnSpriteId; ++id) {
        TBitmap32& picture = store.GetSprite(id);
        picture.Assign(MakeSpritePicture(id));
        picture.DrawMode = TDrawMode::dmBlend;
    }
    CreateSphereSprite(store, eye, light, SphereSpriteId, SphereSpriteSide, SphereSpriteColor, SphereSpriteSide);
    CreateRenderSprite(store, CheckerSpriteId, CheckerSpriteSide, CheckerSpriteSide);
    for (uint16_t id = CheckerSpriteId + 1; id <= SpriteStore::MaxSpriteId; ++id) {
        store.GetSprite(id);
        CopySprite(store, CheckerSpriteId, id);
    }
}

}  // namespace pax
