// Painting helpers shared by the game's background pictures: fixed-seed
// noise, textures, glows, soft shadows and the finishing passes that keep
// every picture dark and quiet enough for the game's light labels.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <cstdint>
#include <functional>

namespace bg {

// Fixed-seed generator; pictures must come out the same on every run.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
  double unit();                       // [0, 1)
  double range(double lo, double hi);  // [lo, hi)
  int below(int n);                    // 0 .. n-1

 private:
  std::uint64_t state_;
};

// Smooth value noise in [0, 1] and its fractal sum (also in [0, 1]).
double noise(double x, double y, std::uint32_t seed);
double fbm(double x, double y, int octaves, std::uint32_t seed);

QColor mix(const QColor& a, const QColor& b, double t);
QColor withAlpha(QColor c, int alpha);

// An image of the given size filled by a function of the pixel position.
QImage shade(int w, int h, const std::function<QColor(double x, double y)>& colour);

// Ready-made textures, as images to use with a QBrush or to draw clipped.
QImage woodTexture(int w, int h, QColor dark, QColor light, double grainScale, std::uint32_t seed);
QImage mottledTexture(int w, int h, QColor a, QColor b, double scale, std::uint32_t seed);

// Two-colour gradients along y and along x.
QLinearGradient vertical(double y0, double y1, QColor top, QColor bottom);
QLinearGradient horizontal(double x0, double x1, QColor left, QColor right);

// Fills a rectangle (rounded when radius > 0), outlined when edge is opaque.
void box(QPainter& p, QRectF r, const QBrush& brush, QColor edge = Qt::transparent, double radius = 0);

// A heart centred on `centre`, `size` pixels wide.
QPainterPath heart(QPointF centre, double size);

// A radial glow: colour at the centre fading to nothing at the radius.
void glow(QPainter& p, QPointF centre, double radius, QColor colour);
void glow(QPainter& p, QPointF centre, double rx, double ry, QColor colour);

// Fills a path with a soft, blurred shadow offset by (dx, dy).
void softShadow(QPainter& p, const QPainterPath& path, double dx, double dy, double blur, int alpha);

// Box blur of the whole image, repeated three times (close to a Gaussian).
void blur(QImage& img, int radius);

// Finishing passes.
void addGrain(QImage& img, double amount, std::uint32_t seed);
void vignette(QImage& img, double strength);
// Pulls the picture towards a dark, slightly desaturated look: `keep` is how
// much of the original brightness is kept, `saturation` how much colour;
// brightness above `knee` (0..1) is squeezed to half its rise, so no part of
// the picture outshines the labels drawn over it.
void calm(QImage& img, double keep, double saturation, double knee = 0.5);

// The picture as the game ships it: a baseline JPEG of quality 85, the same
// bytes on every run; empty when it cannot be encoded.
QByteArray baselineJpeg(const QImage& img);

}  // namespace bg
