#include "paint_kit.h"

#include <QBuffer>
#include <QImageWriter>
#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <vector>

namespace bg {

double Rng::unit() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return static_cast<double>((state_ * 0x2545F4914F6CDD1Dull) >> 11) * (1.0 / 9007199254740992.0);
}

double Rng::range(double lo, double hi) { return lo + (hi - lo) * unit(); }

int Rng::below(int n) { return std::min(n - 1, static_cast<int>(unit() * n)); }

namespace {

double lattice(int x, int y, std::uint32_t seed) {
  std::uint32_t h =
      static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / static_cast<double>(0xFFFFFF);
}

double smooth(double t) { return t * t * (3.0 - 2.0 * t); }

int clampByte(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

}  // namespace

double noise(double x, double y, std::uint32_t seed) {
  const double fx = std::floor(x);
  const double fy = std::floor(y);
  const int ix = static_cast<int>(fx);
  const int iy = static_cast<int>(fy);
  const double tx = smooth(x - fx);
  const double ty = smooth(y - fy);
  const double a = lattice(ix, iy, seed);
  const double b = lattice(ix + 1, iy, seed);
  const double c = lattice(ix, iy + 1, seed);
  const double d = lattice(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double fbm(double x, double y, int octaves, std::uint32_t seed) {
  double sum = 0.0;
  double amp = 0.5;
  double norm = 0.0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * noise(x, y, seed + 17u * static_cast<std::uint32_t>(i));
    norm += amp;
    x *= 2.03;
    y *= 2.03;
    amp *= 0.5;
  }
  return sum / norm;
}

QColor mix(const QColor& a, const QColor& b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return QColor(clampByte(a.red() + (b.red() - a.red()) * t), clampByte(a.green() + (b.green() - a.green()) * t),
                clampByte(a.blue() + (b.blue() - a.blue()) * t), clampByte(a.alpha() + (b.alpha() - a.alpha()) * t));
}

QColor withAlpha(QColor c, int alpha) {
  c.setAlpha(std::clamp(alpha, 0, 255));
  return c;
}

QImage shade(int w, int h, const std::function<QColor(double, double)>& colour) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const QColor c = colour(x + 0.5, y + 0.5);
      line[x] = qPremultiply(c.rgba());
    }
  }
  return img;
}

QImage woodTexture(int w, int h, QColor dark, QColor light, double grainScale, std::uint32_t seed) {
  return shade(w, h, [=](double x, double y) {
    // Long rings: noise stretched along x, bent by a slower noise.
    const double warp = 6.0 * fbm(x * 0.01, y * 0.03, 3, seed + 7);
    const double rings = std::sin((y * grainScale + warp * 4.0) * 0.9 + 3.0 * fbm(x * 0.004, y * 0.05, 2, seed));
    const double fibres = fbm(x * 0.02, y * 0.6, 3, seed + 3);
    const double t = 0.45 + 0.3 * rings * rings * (rings > 0 ? 1 : -0.4) + 0.35 * (fibres - 0.5);
    return mix(dark, light, t);
  });
}

QImage mottledTexture(int w, int h, QColor a, QColor b, double scale, std::uint32_t seed) {
  return shade(w, h, [=](double x, double y) { return mix(a, b, fbm(x / scale, y / scale, 5, seed)); });
}

QLinearGradient vertical(double y0, double y1, QColor top, QColor bottom) {
  QLinearGradient g(0, y0, 0, y1);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  return g;
}

QLinearGradient horizontal(double x0, double x1, QColor left, QColor right) {
  QLinearGradient g(x0, 0, x1, 0);
  g.setColorAt(0, left);
  g.setColorAt(1, right);
  return g;
}

void box(QPainter& p, QRectF r, const QBrush& brush, QColor edge, double radius) {
  p.setBrush(brush);
  p.setPen(edge.alpha() ? QPen(edge, 1.0) : Qt::NoPen);
  if (radius > 0) {
    p.drawRoundedRect(r, radius, radius);
  } else {
    p.drawRect(r);
  }
}

QPainterPath heart(QPointF c, double size) {
  const double s = size / 2.0;
  QPainterPath h;
  h.moveTo(c.x(), c.y() + s * 0.9);
  h.cubicTo(c.x() - s * 1.2, c.y() + s * 0.1, c.x() - s * 1.0, c.y() - s * 0.9, c.x(), c.y() - s * 0.35);
  h.cubicTo(c.x() + s * 1.0, c.y() - s * 0.9, c.x() + s * 1.2, c.y() + s * 0.1, c.x(), c.y() + s * 0.9);
  h.closeSubpath();
  return h;
}

void glow(QPainter& p, QPointF centre, double radius, QColor colour) { glow(p, centre, radius, radius, colour); }

void glow(QPainter& p, QPointF centre, double rx, double ry, QColor colour) {
  if (rx <= 0 || ry <= 0) return;
  p.save();
  p.translate(centre);
  p.scale(1.0, ry / rx);
  QRadialGradient g(QPointF(0, 0), rx);
  g.setColorAt(0.0, colour);
  g.setColorAt(0.4, withAlpha(colour, colour.alpha() * 45 / 100));
  g.setColorAt(1.0, withAlpha(colour, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(QPointF(0, 0), rx, rx);
  p.restore();
}

void softShadow(QPainter& p, const QPainterPath& path, double dx, double dy, double blurRadius, int alpha) {
  const QRectF r = path.boundingRect().adjusted(-3 * blurRadius, -3 * blurRadius, 3 * blurRadius, 3 * blurRadius);
  QImage layer(static_cast<int>(std::ceil(r.width())), static_cast<int>(std::ceil(r.height())),
               QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  {
    QPainter lp(&layer);
    lp.setRenderHint(QPainter::Antialiasing);
    lp.translate(-r.topLeft());
    lp.setPen(Qt::NoPen);
    lp.setBrush(QColor(0, 0, 0, alpha));
    lp.drawPath(path);
  }
  blur(layer, static_cast<int>(std::max(1.0, blurRadius)));
  p.drawImage(r.topLeft() + QPointF(dx, dy), layer);
}

void blur(QImage& img, int radius) {
  if (radius < 1) return;
  img = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const int w = img.width();
  const int h = img.height();
  std::vector<int> buf(static_cast<std::size_t>(w * h * 4));
  auto load = [&] {
    for (int y = 0; y < h; ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
      for (int x = 0; x < w; ++x) {
        const QRgb c = line[x];
        int* o = &buf[static_cast<std::size_t>((y * w + x) * 4)];
        o[0] = qRed(c);
        o[1] = qGreen(c);
        o[2] = qBlue(c);
        o[3] = qAlpha(c);
      }
    }
  };
  auto store = [&] {
    for (int y = 0; y < h; ++y) {
      auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < w; ++x) {
        const int* o = &buf[static_cast<std::size_t>((y * w + x) * 4)];
        line[x] = qRgba(o[0], o[1], o[2], o[3]);
      }
    }
  };
  load();
  std::vector<int> tmp(buf.size());
  auto pass = [&](bool horizontal) {
    const int n = horizontal ? w : h;
    const int lines = horizontal ? h : w;
    for (int l = 0; l < lines; ++l) {
      for (int ch = 0; ch < 4; ++ch) {
        auto at = [&](int i) -> std::size_t {
          i = std::clamp(i, 0, n - 1);
          const int x = horizontal ? i : l;
          const int y = horizontal ? l : i;
          return static_cast<std::size_t>((y * w + x) * 4 + ch);
        };
        int sum = 0;
        for (int i = -radius; i <= radius; ++i) sum += buf[at(i)];
        for (int i = 0; i < n; ++i) {
          tmp[at(i)] = sum / (2 * radius + 1);
          sum += buf[at(i + radius + 1)] - buf[at(i - radius)];
        }
      }
    }
    buf.swap(tmp);
  };
  for (int k = 0; k < 3; ++k) {
    pass(true);
    pass(false);
  }
  store();
}

void addGrain(QImage& img, double amount, std::uint32_t seed) {
  Rng rng(seed);
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const double n = (rng.unit() - 0.5) * 2.0 * amount * 255.0;
      const QRgb c = line[x];
      line[x] = qRgba(clampByte(qRed(c) + n), clampByte(qGreen(c) + n), clampByte(qBlue(c) + n), qAlpha(c));
    }
  }
}

void vignette(QImage& img, double strength) {
  const double cx = img.width() / 2.0;
  const double cy = img.height() / 2.0;
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const double dx = (x - cx) / cx;
      const double dy = (y - cy) / cy;
      const double d = std::min(1.0, std::sqrt(dx * dx + dy * dy) / 1.414);
      const double k = 1.0 - strength * d * d;
      const QRgb c = line[x];
      line[x] = qRgba(clampByte(qRed(c) * k), clampByte(qGreen(c) * k), clampByte(qBlue(c) * k), qAlpha(c));
    }
  }
}

void calm(QImage& img, double keep, double saturation, double knee) {
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = line[x];
      const double grey = 0.3 * qRed(c) + 0.59 * qGreen(c) + 0.11 * qBlue(c);
      const double lum = grey * keep / 255.0;
      const double squeeze = lum > knee ? (knee + (lum - knee) * 0.5) / lum : 1.0;
      auto f = [&](int v) { return clampByte((grey + (v - grey) * saturation) * keep * squeeze); };
      line[x] = qRgba(f(qRed(c)), f(qGreen(c)), f(qBlue(c)), qAlpha(c));
    }
  }
}

QByteArray baselineJpeg(const QImage& img) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "JPG");
  writer.setQuality(85);
  writer.setProgressiveScanWrite(false);
  writer.setOptimizedWrite(false);
  if (!writer.write(img.convertToFormat(QImage::Format_RGB32))) return {};
  return bytes;
}

}  // namespace bg
