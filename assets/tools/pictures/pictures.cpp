#include "pictures/pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "backgrounds/paint_kit.h"

namespace pictures {

using bg::glow;
using bg::mix;
using bg::Rng;
using bg::withAlpha;

namespace {

constexpr double kPi = std::numbers::pi;

// A shifted, tinted band of rows: the flicker of a screen that misbehaves.
void glitch(QImage& img, int top, int rows, int shift, QColor tint) {
  for (int y = top; y < top + rows && y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    const std::vector<QRgb> was(line, line + img.width());
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = was[static_cast<std::size_t>(std::clamp(x - shift, 0, img.width() - 1))];
      line[x] = mix(QColor::fromRgba(c), tint, 0.25).rgba();
    }
  }
}

// Every second row of cells darker, as on a tube screen.
void scanlines(QImage& img, int cell, int darken) {
  for (int y = 0; y < img.height(); ++y) {
    if ((y / cell) % 2 == 0) continue;
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = line[x];
      line[x] = qRgba(qRed(c) * (255 - darken) / 255, qGreen(c) * (255 - darken) / 255, qBlue(c) * (255 - darken) / 255,
                      qAlpha(c));
    }
  }
}

}  // namespace

const std::vector<Picture>& allPictures() {
  static const std::vector<Picture> all = {
      {"VIRUS", 64, 64, paintVirus},
      {"LOGO", 120, 96, paintLogo},
  };
  return all;
}

QImage paint(const Picture& picture) {
  QImage img(picture.width * kScale, picture.height * kScale, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::black);
  picture.paint(img);
  return img.convertToFormat(QImage::Format_RGB32);
}

// ---------------------------------------------------------------------------
// VIRUS: a red, spiked virus with an angry face grins from a dark monitor
// screen, over green columns of running code; the screen flickers.

void paintVirus(QImage& img) {
  const double W = img.width() / double(kScale);
  const double H = img.height() / double(kScale);
  // The glass: nearly black green, a little lighter where the tube is bent to us.
  const QImage glass = bg::shade(img.width(), img.height(), [&](double x, double y) {
    const double dx = x / img.width() - 0.5, dy = y / img.height() - 0.5;
    const double m = bg::fbm(x / 18, y / 18, 3, 71);
    return mix(QColor(4, 14, 10), QColor(16, 40, 30), 0.9 - 1.6 * (dx * dx + dy * dy) + 0.2 * (m - 0.5));
  });
  QPainter p(&img);
  p.drawImage(0, 0, glass);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(kScale, kScale);
  p.setPen(Qt::NoPen);

  // Code running down the screen: columns of small cells, brightest at the head.
  Rng rng(4147);
  for (double x = 1.5; x < W - 1; x += 4.0) {
    if (rng.unit() < 0.25) continue;
    const double head = rng.range(6, H + 10);
    const int cells = 3 + rng.below(8);
    for (int k = 0; k < cells; ++k) {
      const double y = head - k * 3.0;
      if (y < -2 || y > H) continue;
      const int alpha = k == 0 ? 170 : 120 - k * 12;
      if (alpha <= 0) break;
      const double w = rng.unit() < 0.5 ? 2.0 : 1.0;
      p.setBrush(k == 0 ? QColor(170, 255, 170, alpha) : QColor(40, 190, 80, alpha));
      p.drawRect(QRectF(x, y, w, 2.0));
    }
  }

  const QPointF c(W / 2, H / 2 + 1);
  const double R = 14.0;
  glow(p, c, 30, QColor(200, 20, 30, 150));

  // The spikes: a stalk and a knob each, all round the body.
  for (int i = 0; i < 12; ++i) {
    const double a = (i * 30.0 + (i % 2 ? 9.0 : -4.0)) * kPi / 180.0;
    const double len = R + 6.0 + (i % 3) * 1.4;
    const QPointF dir(std::cos(a), std::sin(a));
    p.setPen(QPen(QColor(90, 10, 20), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + dir * (R - 2), c + dir * len);
    p.setPen(QPen(QColor(200, 50, 50), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + dir * (R - 2), c + dir * len);
    p.setPen(Qt::NoPen);
    QRadialGradient knob(c + dir * len + QPointF(-0.8, -0.8), 3.2);
    knob.setColorAt(0, QColor(255, 170, 120));
    knob.setColorAt(1, QColor(150, 20, 30));
    p.setBrush(knob);
    p.drawEllipse(c + dir * len, 2.4, 2.4);
  }

  // The body: a lit sphere with a few darker pits.
  QRadialGradient body(c + QPointF(-5, -6), R * 1.5);
  body.setColorAt(0.0, QColor(255, 120, 100));
  body.setColorAt(0.35, QColor(200, 30, 40));
  body.setColorAt(1.0, QColor(60, 4, 14));
  p.setBrush(body);
  p.setPen(QPen(QColor(40, 0, 8), 0.8));
  p.drawEllipse(c, R, R);
  p.setPen(Qt::NoPen);
  const QPointF pits[] = {{-9, -3}, {8, -7}, {10, 5}, {-7, 8}, {2, -10}};
  for (const QPointF& d : pits) {
    p.setBrush(QColor(80, 6, 16, 150));
    p.drawEllipse(c + d, 1.6, 1.3);
  }

  // The angry face: eyes slanting down towards the nose, and a toothy grin.
  for (int side : {-1, 1}) {
    QPolygonF eye;
    eye << c + QPointF(side * 2.0, -3.0) << c + QPointF(side * 9.0, -6.5) << c + QPointF(side * 8.5, -2.5)
        << c + QPointF(side * 3.5, -1.0);
    glow(p, c + QPointF(side * 6.0, -3.5), 5, QColor(255, 230, 80, 110));
    p.setBrush(QColor(255, 236, 120));
    p.drawPolygon(eye);
    p.setBrush(QColor(30, 0, 0));
    p.drawEllipse(c + QPointF(side * 5.2, -2.9), 1.1, 1.1);
  }
  QPainterPath mouth;
  mouth.moveTo(c + QPointF(-8, 3));
  mouth.quadTo(c + QPointF(0, 6), c + QPointF(8, 3));
  mouth.quadTo(c + QPointF(0, 13), c + QPointF(-8, 3));
  p.setBrush(QColor(35, 0, 6));
  p.drawPath(mouth);
  p.setBrush(QColor(250, 240, 220));
  for (int t = 0; t < 5; ++t) {
    const double x = -6.0 + t * 3.0;
    const double top = 3.9 + 0.05 * x * x;  // along the upper lip
    QPolygonF tooth;
    tooth << c + QPointF(x - 1.2, top) << c + QPointF(x + 1.2, top) << c + QPointF(x, top + 2.4);
    p.drawPolygon(tooth);
  }
  // A sheen on the upper left of the body.
  p.setBrush(QColor(255, 220, 210, 70));
  p.drawEllipse(c + QPointF(-6, -8), 4.0, 2.2);

  // The glass reflects the room a little.
  QLinearGradient sheen(0, 0, W, H);
  sheen.setColorAt(0.0, QColor(255, 255, 255, 28));
  sheen.setColorAt(0.45, QColor(255, 255, 255, 0));
  p.fillRect(QRectF(0, 0, W, H), sheen);
  p.end();

  glitch(img, static_cast<int>(0.22 * img.height()), 2 * kScale, 3 * kScale, QColor(80, 255, 220));
  glitch(img, static_cast<int>(0.70 * img.height()), 1 * kScale, -2 * kScale, QColor(255, 60, 80));
  scanlines(img, kScale, 70);
  bg::addGrain(img, 0.02, 4151);
  bg::calm(img, 0.92, 0.92, 0.6);
  bg::vignette(img, 0.6);
}

// ---------------------------------------------------------------------------
// LOGO: the maker's plate. Night blue, copper-teal traces running in from the
// edges, a cool glow behind the game's name and two rules that frame it; the
// middle stays dark and plain for the three labels laid over it.

void paintLogo(QImage& img) {
  const double W = img.width() / double(kScale);
  const double H = img.height() / double(kScale);
  const QImage night = bg::shade(img.width(), img.height(), [&](double x, double y) {
    const double m = bg::fbm(x / 40, y / 40, 4, 505);
    return mix(QColor(30, 46, 84), QColor(8, 12, 28), y / img.height() * 0.85 + 0.3 * (m - 0.5));
  });
  QPainter p(&img);
  p.drawImage(0, 0, night);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(kScale, kScale);

  // Traces: in from the left and right edges, a bend of 45 degrees, a via.
  Rng rng(5051);
  const QColor trace(70, 160, 170);
  for (int i = 0; i < 16; ++i) {
    const bool left = i % 2 == 0;
    const double y = 6 + rng.range(0, H - 12);
    const double run = rng.range(6, 20);
    const double bend = rng.range(3, 8) * (rng.unit() < 0.5 ? -1 : 1);
    const double x0 = left ? -1 : W + 1;
    const double x1 = left ? run : W - run;
    const double x2 = left ? x1 + std::abs(bend) : x1 - std::abs(bend);
    QPainterPath t;
    t.moveTo(x0, y);
    t.lineTo(x1, y);
    t.lineTo(x2, y + bend);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(trace.darker(200), 160), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(t);
    p.setPen(QPen(withAlpha(trace, 150), 0.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(t);
    p.setPen(QPen(withAlpha(trace.lighter(130), 190), 0.7));
    p.setBrush(QColor(8, 14, 30));
    p.drawEllipse(QPointF(x2, y + bend), 1.3, 1.3);
  }
  p.setPen(Qt::NoPen);

  // A few stars of one pixel in the upper corners.
  for (int i = 0; i < 14; ++i) {
    const double x = rng.unit() < 0.5 ? rng.range(2, 26) : rng.range(W - 26, W - 2);
    const double y = rng.range(2, 30);
    p.setBrush(QColor(220, 230, 255, 60 + rng.below(120)));
    p.drawRect(QRectF(std::floor(x), std::floor(y), 1, 1));
  }

  // The glow behind the name, then the two rules: gold under the maker's
  // name, cyan under the game's, both fading at their ends.
  glow(p, QPointF(W / 2, H * 0.51), W * 0.48, H * 0.22, QColor(60, 100, 210, 120));
  auto rule = [&](double y, QColor colour) {
    QLinearGradient g(W * 0.12, 0, W * 0.88, 0);
    g.setColorAt(0.0, withAlpha(colour, 0));
    g.setColorAt(0.5, colour);
    g.setColorAt(1.0, withAlpha(colour, 0));
    p.fillRect(QRectF(W * 0.12, y, W * 0.76, 1.0), g);
  };
  rule(H * 0.315, QColor(230, 180, 70, 220));
  rule(H * 0.69, QColor(90, 200, 230, 200));

  // Light from above along the top edge, shade along the bottom.
  QLinearGradient edge(0, 0, 0, H);
  edge.setColorAt(0.0, QColor(255, 255, 255, 40));
  edge.setColorAt(0.06, QColor(255, 255, 255, 0));
  edge.setColorAt(0.9, QColor(0, 0, 0, 0));
  edge.setColorAt(1.0, QColor(0, 0, 0, 90));
  p.fillRect(QRectF(0, 0, W, H), edge);
  p.end();

  bg::addGrain(img, 0.015, 5059);
  bg::calm(img, 0.9, 0.85);
  bg::vignette(img, 0.45);
}

}  // namespace pictures
