// The computer screens: the circuit board of the hardware shop, the discs
// and boxes of the software shop, and the wired globe of the network.
#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "paint_kit.h"
#include "scenes.h"

namespace bg {

namespace {

constexpr double kPi = std::numbers::pi;

// ---------------------------------------------------------------------------
// Circuit board parts.

// A bus of parallel traces from `from` going along `dir` (unit, one of eight
// directions) for `len`, then turning by 45 degrees for `len2`.
void bus(QPainter& p, QPointF from, QPointF dir, double len, QPointF dir2, double len2, int lines, double pitch,
         QColor copper) {
  const QPointF normal(-dir.y(), dir.x());
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < lines; ++i) {
    const QPointF off = normal * ((i - (lines - 1) / 2.0) * pitch);
    QPainterPath t;
    const QPointF a = from + off;
    // Keep the lines parallel through the bend: inner lines turn sooner.
    const double bend = len - (i - (lines - 1) / 2.0) * pitch * 0.414;
    const QPointF b = a + dir * bend;
    const QPointF c = b + dir2 * len2;
    t.moveTo(a);
    t.lineTo(b);
    t.lineTo(c);
    p.setPen(QPen(copper.darker(160), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(t);
    p.setPen(QPen(copper, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(t);
    p.setPen(Qt::NoPen);
    p.setBrush(copper.lighter(130));
    p.drawEllipse(c, 1.8, 1.8);
    p.setBrush(QColor(10, 30, 16));
    p.drawEllipse(c, 0.7, 0.7);
    p.setBrush(Qt::NoBrush);
  }
}

// A black chip with gull-wing pins along two or four sides.
void chip(QPainter& p, QRectF r, bool fourSides, double pinPitch = 3.0) {
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addRect(r);
        return s;
      }(),
      2, 3, 3, 170);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(176, 180, 184));
  for (double x = r.left() + pinPitch; x < r.right() - 1; x += pinPitch) {
    p.drawRect(QRectF(x - 0.7, r.top() - 3, 1.4, 3));
    p.drawRect(QRectF(x - 0.7, r.bottom(), 1.4, 3));
  }
  if (fourSides) {
    for (double y = r.top() + pinPitch; y < r.bottom() - 1; y += pinPitch) {
      p.drawRect(QRectF(r.left() - 3, y - 0.7, 3, 1.4));
      p.drawRect(QRectF(r.right(), y - 0.7, 3, 1.4));
    }
  }
  box(p, r, vertical(r.top(), r.bottom(), QColor(44, 44, 48), QColor(18, 18, 20)), Qt::transparent, 1);
  p.setBrush(QColor(70, 70, 76));
  p.drawEllipse(QPointF(r.left() + 4, r.top() + 4), 1.4, 1.4);
  box(p, QRectF(r.left() + r.width() * 0.2, r.center().y() - 1, r.width() * 0.5, 1.4), QColor(120, 120, 124, 120));
  box(p, QRectF(r.left() + r.width() * 0.2, r.center().y() + 2.5, r.width() * 0.3, 1.2), QColor(120, 120, 124, 90));
}

void capacitor(QPainter& p, QPointF c, double r, QColor sleeve) {
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addEllipse(c, r, r);
        return s;
      }(),
      2, 3, 2, 170);
  QRadialGradient g(c + QPointF(-r * 0.4, -r * 0.4), r * 1.6);
  g.setColorAt(0, sleeve.lighter(150));
  g.setColorAt(1, sleeve.darker(180));
  p.setBrush(g);
  p.drawEllipse(c, r, r);
  QRadialGradient top(c + QPointF(-r * 0.3, -r * 0.3), r);
  top.setColorAt(0, QColor(220, 222, 226));
  top.setColorAt(1, QColor(120, 124, 130));
  p.setBrush(top);
  p.drawEllipse(c, r * 0.72, r * 0.72);
  p.setPen(QPen(QColor(80, 82, 86), 0.9));
  p.drawLine(c + QPointF(-r * 0.5, 0), c + QPointF(r * 0.5, 0));
  p.drawLine(c + QPointF(0, -r * 0.5), c + QPointF(0, r * 0.5));
  p.setPen(Qt::NoPen);
}

void resistor(QPainter& p, QPointF c, bool vertical) {
  p.save();
  p.translate(c);
  if (vertical) p.rotate(90);
  p.setPen(QPen(QColor(170, 170, 176), 1));
  p.drawLine(QPointF(-9, 0), QPointF(9, 0));
  p.setPen(Qt::NoPen);
  box(p, QRectF(-5.5, -2.2, 11, 4.4), QColor(200, 180, 140), Qt::transparent, 2);
  const QColor bands[] = {QColor(140, 60, 30), QColor(30, 30, 30), QColor(200, 40, 30), QColor(210, 170, 60)};
  for (int i = 0; i < 4; ++i) box(p, QRectF(-4 + i * 2.2, -2.2, 1.1, 4.4), bands[i]);
  p.restore();
}

}  // namespace

// ---------------------------------------------------------------------------
// HARD: close-up of a mainboard: processor, memory slots, chips, capacitors,
// expansion slots, all tied together by copper traces.

void paintHard(QImage& img) {
  const int W = img.width();
  const int H = img.height();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);

  // Solder mask over glass-fibre weave.
  p.drawImage(0, 0, shade(W, H, [](double x, double y) {
                const double weave = 0.5 + 0.25 * std::sin((x + y) * 1.9) * std::sin((x - y) * 1.9);
                const double m = fbm(x / 50, y / 50, 4, 151);
                return mix(QColor(14, 58, 34), QColor(24, 84, 48), 0.65 * m + 0.2 * weave);
              }));
  const QColor copper(70, 140, 84);  // traces under the green mask
  const QColor gold(190, 150, 70);

  // Traces first, so the parts sit on top of them.
  bus(p, QPointF(120, 150), QPointF(0, 1), 40, QPointF(0.707, 0.707), 40, 8, 4.2, copper);
  bus(p, QPointF(60, 140), QPointF(0, 1), 70, QPointF(-0.707, 0.707), 30, 6, 4.2, copper);
  bus(p, QPointF(176, 96), QPointF(1, 0), 20, QPointF(0.707, -0.707), 30, 7, 4.2, copper);
  bus(p, QPointF(60, 40), QPointF(-1, 0), 20, QPointF(-0.707, -0.707), 30, 5, 4.2, copper);
  bus(p, QPointF(110, 248), QPointF(0, 1), 30, QPointF(-0.707, 0.707), 24, 9, 4.0, copper);
  bus(p, QPointF(160, 238), QPointF(1, 0), 20, QPointF(0.707, 0.707), 30, 5, 4.2, copper);
  bus(p, QPointF(30, 250), QPointF(0, 1), 22, QPointF(0.707, 0.707), 16, 4, 4.2, copper);
  // Stray single traces with vias across the board.
  Rng rng(161);
  const QPointF dirs[] = {QPointF(1, 0), QPointF(0, 1), QPointF(-1, 0), QPointF(0, -1)};
  for (int i = 0; i < 26; ++i) {
    const QPointF a(rng.range(0, W), rng.range(0, H));
    const QPointF d1 = dirs[rng.below(4)];
    const QPointF d2 = (d1 + dirs[rng.below(4)]) / std::sqrt(2.0);
    bus(p, a, d1, rng.range(10, 40), std::isfinite(d2.x()) && (d2.x() != 0 || d2.y() != 0) ? d2 : d1, rng.range(8, 30),
        1 + rng.below(2), 4.0, copper);
  }

  // Processor socket with its chip and a grid of pins around.
  const QRectF socket(46, 28, 130, 122);
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addRect(socket);
        return s;
      }(),
      3, 4, 4, 170);
  box(p, socket, vertical(socket.top(), socket.bottom(), QColor(210, 200, 170), QColor(150, 140, 116)),
      QColor(100, 94, 80), 2);
  box(p, QRectF(socket.right() - 4, socket.top() + 10, 10, 4), QColor(180, 180, 186));
  box(p, QRectF(socket.right() + 4, socket.top() + 10, 3, 60), QColor(180, 180, 186));
  for (double y = socket.top() + 6; y < socket.bottom() - 4; y += 5) {
    for (double x = socket.left() + 6; x < socket.right() - 4; x += 5) {
      box(p, QRectF(x, y, 1.6, 1.6), QColor(90, 84, 70));
    }
  }
  const QRectF cpu(64, 42, 94, 94);
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addRect(cpu);
        return s;
      }(),
      2, 3, 3, 180);
  QLinearGradient spread(cpu.topLeft(), cpu.bottomRight());
  spread.setColorAt(0, QColor(200, 204, 210));
  spread.setColorAt(0.5, QColor(150, 154, 160));
  spread.setColorAt(1, QColor(110, 112, 118));
  box(p, cpu, QColor(30, 70, 50), Qt::transparent, 2);
  box(p, cpu.adjusted(12, 12, -12, -12), spread, QColor(90, 92, 96), 3);
  // Little gold capacitors on the package around the spreader.
  for (int k = 0; k < 8; ++k) {
    box(p, QRectF(cpu.left() + 4 + k * 11, cpu.top() + 4, 5, 3), gold);
    box(p, QRectF(cpu.left() + 4 + k * 11, cpu.bottom() - 7, 5, 3), gold);
  }

  // Memory slots down the right side.
  for (int s = 0; s < 3; ++s) {
    const QRectF slot(194 + s * 14, 20, 9, 150);
    box(p, slot, horizontal(slot.left(), slot.right(), QColor(30, 30, 34), QColor(60, 60, 66)), Qt::transparent, 2);
    box(p, QRectF(slot.left() + 3, slot.top() + 4, 3, slot.height() - 8), QColor(10, 10, 10));
    box(p, QRectF(slot.left() - 1, slot.top() - 4, slot.width() + 2, 6), QColor(230, 230, 222));
    box(p, QRectF(slot.left() - 1, slot.bottom() - 2, slot.width() + 2, 6), QColor(230, 230, 222));
  }

  // Capacitors along the processor and a row of chips below it.
  for (int k = 0; k < 5; ++k) capacitor(p, QPointF(20, 40 + k * 22), 8, QColor(30, 40, 110));
  for (int k = 0; k < 4; ++k) capacitor(p, QPointF(60 + k * 22, 168), 7, QColor(90, 30, 40));
  chip(p, QRectF(40, 196, 58, 44), true, 3.2);  // the chipset
  chip(p, QRectF(124, 196, 40, 28), true, 3.0);
  chip(p, QRectF(178, 190, 44, 18), false, 3.0);
  chip(p, QRectF(178, 222, 44, 18), false, 3.0);
  // A small heatsink on the chipset.
  const QRectF sink(46, 202, 46, 32);
  box(p, sink, vertical(sink.top(), sink.bottom(), QColor(170, 176, 186), QColor(100, 106, 116)), Qt::transparent, 2);
  for (double x = sink.left() + 4; x < sink.right() - 2; x += 5) {
    box(p, QRectF(x, sink.top() + 3, 2, sink.height() - 6), QColor(70, 74, 80));
  }
  for (int k = 0; k < 6; ++k) resistor(p, QPointF(140 + (k % 3) * 24, 250 + (k / 3) * 12), false);
  for (int k = 0; k < 3; ++k) resistor(p, QPointF(16, 200 + k * 20), true);
  // Crystal.
  box(p, QRectF(130, 168, 22, 10), vertical(168, 178, QColor(210, 214, 220), QColor(130, 134, 140)), Qt::transparent,
      5);

  // Expansion slots along the bottom.
  for (int s = 0; s < 3; ++s) {
    const QRectF slot(18, 290 + s * 28, 170, 10);
    box(p, slot,
        vertical(slot.top(), slot.bottom(), s == 0 ? QColor(130, 100, 60) : QColor(226, 224, 216),
                 s == 0 ? QColor(80, 60, 36) : QColor(160, 158, 150)),
        Qt::transparent, 2);
    box(p, QRectF(slot.left() + 4, slot.center().y() - 1, slot.width() - 8, 2), QColor(30, 30, 30));
    box(p, QRectF(slot.left() + 110, slot.top(), 3, slot.height()), QColor(60, 60, 60));
  }
  // Battery.
  const QPointF bat(212, 330);
  QRadialGradient cell(bat + QPointF(-5, -5), 18);
  cell.setColorAt(0, QColor(230, 232, 236));
  cell.setColorAt(1, QColor(120, 124, 130));
  p.setBrush(cell);
  p.drawEllipse(bat, 13, 13);
  p.setPen(QPen(QColor(90, 92, 96), 1));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(bat, 10, 10);
  p.setPen(Qt::NoPen);
  // Silkscreen outlines and mounting hole.
  p.setPen(QPen(QColor(220, 226, 220, 90), 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(36, 192, 66, 52));
  p.drawRect(QRectF(120, 192, 48, 36));
  p.drawRect(QRectF(12, 282, 182, 92));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 170, 90));
  p.drawEllipse(QPointF(218, 370), 7, 7);
  p.setBrush(QColor(10, 20, 14));
  p.drawEllipse(QPointF(218, 370), 3.5, 3.5);

  // A raking light across the board.
  QLinearGradient light(0, 0, W, H);
  light.setColorAt(0, QColor(255, 255, 230, 40));
  light.setColorAt(0.5, QColor(0, 0, 0, 0));
  light.setColorAt(1, QColor(0, 0, 0, 90));
  p.fillRect(QRectF(0, 0, W, H), light);

  p.end();
  addGrain(img, 0.02, 909);
  calm(img, 0.78, 0.75);
  vignette(img, 0.55);
}

// ---------------------------------------------------------------------------
// SOFT: the software shop: boxed programs on a shelf, compact discs and a
// stack of floppies in front.

namespace {

// A compact disc lying at an angle: a rainbow sheen on silver, the clear hub.
void disc(QPainter& p, QPointF c, double rx, double ry, double sheenAngle) {
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addEllipse(c, rx, ry);
        return s;
      }(),
      3, 4, 3, 170);
  p.save();
  p.translate(c);
  p.scale(1.0, ry / rx);
  QConicalGradient sheen(QPointF(0, 0), sheenAngle);
  const QColor stops[] = {QColor(200, 200, 210), QColor(240, 200, 230), QColor(170, 220, 240), QColor(230, 240, 190),
                          QColor(200, 200, 210), QColor(160, 160, 176), QColor(230, 210, 250), QColor(180, 240, 220)};
  for (int i = 0; i < 8; ++i) sheen.setColorAt(i / 8.0, stops[i]);
  sheen.setColorAt(1.0, stops[0]);
  p.setPen(QPen(QColor(110, 110, 120), 1));
  p.setBrush(sheen);
  p.drawEllipse(QPointF(0, 0), rx, rx);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 224, 232, 180));
  p.drawEllipse(QPointF(0, 0), rx * 0.34, rx * 0.34);
  p.setBrush(QColor(150, 154, 164));
  p.drawEllipse(QPointF(0, 0), rx * 0.2, rx * 0.2);
  p.setBrush(QColor(20, 18, 30));
  p.drawEllipse(QPointF(0, 0), rx * 0.1, rx * 0.1);
  p.restore();
}

// A 3.5-inch floppy: the shell, the metal shutter and the label.
void floppy(QPainter& p, QPointF c, double size, double angle, QColor shell, QColor label) {
  p.save();
  p.translate(c);
  p.rotate(angle);
  const QRectF r(-size / 2, -size / 2, size, size);
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addRect(r);
        return s;
      }(),
      2, 3, 3, 170);
  QPainterPath body;
  body.moveTo(r.topLeft());
  body.lineTo(r.right() - size * 0.06, r.top());
  body.lineTo(r.right(), r.top() + size * 0.06);
  body.lineTo(r.bottomRight());
  body.lineTo(r.bottomLeft());
  body.closeSubpath();
  p.setBrush(vertical(r.top(), r.bottom(), shell.lighter(125), shell.darker(130)));
  p.drawPath(body);
  box(p, QRectF(r.left() + size * 0.24, r.top(), size * 0.5, size * 0.34),
      horizontal(r.left() + size * 0.24, r.left() + size * 0.74, QColor(200, 204, 210), QColor(130, 134, 140)));
  box(p, QRectF(r.left() + size * 0.56, r.top() + size * 0.05, size * 0.1, size * 0.22), shell.darker(160));
  box(p, QRectF(r.left() + size * 0.12, r.top() + size * 0.44, size * 0.76, size * 0.5), label, Qt::transparent, 1.5);
  for (int i = 0; i < 3; ++i) {
    box(p, QRectF(r.left() + size * 0.18, r.top() + size * (0.56 + 0.1 * i), size * 0.56, 1), QColor(60, 60, 80, 120));
  }
  p.restore();
}

// A boxed program standing upright, seen a little from the right.
void softwareBox(QPainter& p, QRectF front, double depth, QColor cover, QColor accent, int motif) {
  QPolygonF side;
  side << front.topRight() << front.topRight() + QPointF(depth, -depth * 0.5)
       << front.bottomRight() + QPointF(depth, -depth * 0.5) << front.bottomRight();
  QPolygonF top;
  top << front.topLeft() << front.topLeft() + QPointF(depth, -depth * 0.5)
      << front.topRight() + QPointF(depth, -depth * 0.5) << front.topRight();
  QPainterPath all;
  all.addRect(front);
  all.addPolygon(side);
  softShadow(p, all, 4, 4, 4, 170);
  p.setBrush(cover.darker(200));
  p.drawPolygon(side);
  p.setBrush(cover.lighter(130));
  p.drawPolygon(top);
  box(p, front, vertical(front.top(), front.bottom(), cover, cover.darker(150)));
  // The cover art: a motif over a bright band.
  const QPointF c(front.center().x(), front.top() + front.height() * 0.42);
  const double s = front.width() * 0.32;
  p.save();
  p.setClipRect(front);
  if (motif == 0) {
    for (int i = 0; i < 4; ++i) {
      p.setBrush(withAlpha(accent.lighter(100 + i * 20), 200 - i * 30));
      p.drawEllipse(c, s * (1.0 - i * 0.22), s * (1.0 - i * 0.22));
    }
  } else if (motif == 1) {
    QPolygonF tri;
    tri << c + QPointF(0, -s) << c + QPointF(s, s * 0.8) << c + QPointF(-s, s * 0.8);
    p.setBrush(accent);
    p.drawPolygon(tri);
    p.setBrush(accent.lighter(150));
    p.drawEllipse(c + QPointF(0, s * 0.2), s * 0.35, s * 0.35);
  } else {
    // Three waves, one above the other.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
      QPainterPath wave;
      const double y = c.y() - s * 0.6 + i * s * 0.6;
      wave.moveTo(front.left() + 4, y);
      wave.cubicTo(c.x() - s * 0.6, y - s * 0.5, c.x() + s * 0.2, y + s * 0.5, front.right() - 4, y - s * 0.1);
      p.setPen(QPen(withAlpha(i == 1 ? accent.lighter(140) : accent, 230), 4, Qt::SolidLine, Qt::RoundCap));
      p.drawPath(wave);
    }
    p.setPen(Qt::NoPen);
  }
  box(p, QRectF(front.left(), front.bottom() - front.height() * 0.24, front.width(), front.height() * 0.1),
      withAlpha(accent, 200));
  box(p, QRectF(front.left() + 6, front.top() + 6, front.width() * 0.5, 3), QColor(255, 255, 255, 140));
  // Shrink-wrap: a soft diagonal sheen and a mottle of creases.
  QLinearGradient sheen(front.topLeft(), front.bottomRight());
  sheen.setColorAt(0.0, QColor(255, 255, 255, 60));
  sheen.setColorAt(0.35, QColor(255, 255, 255, 0));
  sheen.setColorAt(0.7, QColor(255, 255, 255, 0));
  sheen.setColorAt(0.8, QColor(255, 255, 255, 30));
  sheen.setColorAt(1.0, QColor(0, 0, 0, 40));
  p.fillRect(front, sheen);
  p.drawImage(front.topLeft(),
              shade(static_cast<int>(front.width()), static_cast<int>(front.height()), [&](double x, double y) {
                const double n = fbm(x / 14.0 + motif * 7, y / 14.0, 3, 181);
                return QColor(255, 255, 255, static_cast<int>(std::clamp((n - 0.55) * 120.0, 0.0, 30.0)));
              }));
  p.restore();
}

}  // namespace

void paintSoft(QImage& img) {
  const int W = img.width();
  const int H = img.height();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);

  p.drawImage(0, 0, mottledTexture(W, H, QColor(22, 20, 40), QColor(38, 34, 62), 40, 171));
  glow(p, QPointF(W * 0.45, 40), 200, 140, QColor(150, 140, 255, 50));
  // The shelf.
  const double shelfY = 150;
  box(p, QRectF(0, shelfY, W, 8), vertical(shelfY, shelfY + 8, QColor(120, 110, 150), QColor(60, 54, 80)));
  box(p, QRectF(0, shelfY + 8, W, 6), QColor(0, 0, 0, 90));

  softwareBox(p, QRectF(20, 40, 70, 110), 18, QColor(40, 70, 140), QColor(240, 180, 60), 0);
  softwareBox(p, QRectF(108, 60, 60, 90), 14, QColor(130, 40, 50), QColor(240, 220, 120), 1);
  softwareBox(p, QRectF(184, 30, 64, 120), 16, QColor(40, 110, 70), QColor(140, 220, 240), 2);

  // The counter below.
  box(p, QRectF(0, shelfY + 14, W, H - shelfY - 14), vertical(shelfY + 14, H, QColor(30, 26, 40), QColor(14, 12, 20)));
  // A jewel case, open, with its disc beside.
  QPolygonF jewel;
  jewel << QPointF(150, 190) << QPointF(236, 180) << QPointF(250, 244) << QPointF(160, 256);
  p.setBrush(QColor(200, 210, 230, 60));
  p.setPen(QPen(QColor(200, 210, 230, 120), 1));
  p.drawPolygon(jewel);
  p.setPen(Qt::NoPen);
  disc(p, QPointF(198, 220), 36, 26, 30);
  disc(p, QPointF(112, 236), 42, 28, 200);
  // Floppies fanned out on the left.
  floppy(p, QPointF(40, 232), 46, -18, QColor(30, 30, 36), QColor(230, 226, 210));
  floppy(p, QPointF(56, 222), 46, -4, QColor(40, 60, 120), QColor(236, 220, 170));
  floppy(p, QPointF(72, 214), 46, 12, QColor(150, 40, 40), QColor(226, 230, 236));
  // One more disc leaning against the boxes.
  disc(p, QPointF(262, 128), 18, 22, 120);

  p.end();
  addGrain(img, 0.02, 1010);
  calm(img, 0.8, 0.76);
  vignette(img, 0.5);
}

// ---------------------------------------------------------------------------
// NET: the world wrapped in wires: a wire-frame globe with cities lit up and
// links arching between them.

namespace {

struct Vec3 {
  double x, y, z;
};

Vec3 onSphere(double lat, double lon) {
  return {std::cos(lat) * std::sin(lon), std::sin(lat), std::cos(lat) * std::cos(lon)};
}

// Tilts the globe towards the viewer and turns it; z > 0 faces us.
Vec3 view(Vec3 v, double turn, double tilt) {
  const double x1 = v.x * std::cos(turn) + v.z * std::sin(turn);
  const double z1 = -v.x * std::sin(turn) + v.z * std::cos(turn);
  const double y2 = v.y * std::cos(tilt) - z1 * std::sin(tilt);
  const double z2 = v.y * std::sin(tilt) + z1 * std::cos(tilt);
  return {x1, y2, z2};
}

}  // namespace

void paintNet(QImage& img) {
  const int W = img.width();
  const int H = img.height();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);

  box(p, QRectF(0, 0, W, H), vertical(0, H, QColor(6, 10, 26), QColor(12, 16, 36)));
  Rng rng(191);
  for (int i = 0; i < 160; ++i) {
    p.setBrush(QColor(200, 210, 255, 30 + rng.below(120)));
    const double s = rng.unit() < 0.08 ? 1.2 : 0.6;
    p.drawEllipse(QPointF(rng.range(0, W), rng.range(0, H)), s, s);
  }
  const QPointF centre(W / 2.0, H / 2.0 - 6);
  const double R = 118;
  const double turn = 0.5;
  const double tilt = 0.35;
  auto project = [&](Vec3 v, double lift = 1.0) {
    const Vec3 w = view(v, turn, tilt);
    return std::pair<QPointF, double>(centre + QPointF(w.x * R * lift, -w.y * R * lift), w.z);
  };

  glow(p, centre, R * 1.5, QColor(40, 110, 200, 70));
  QRadialGradient body(centre + QPointF(-R * 0.3, -R * 0.35), R * 1.2);
  body.setColorAt(0, QColor(30, 70, 120, 200));
  body.setColorAt(1, QColor(6, 14, 34, 230));
  p.setBrush(body);
  p.drawEllipse(centre, R, R);

  // Land as a scatter of dots where a noise field runs high.
  for (double lat = -1.4; lat <= 1.4; lat += 0.045) {
    const double step = 0.045 / std::max(0.2, std::cos(lat));
    for (double lon = -kPi; lon < kPi; lon += step) {
      const double n = fbm(lon * 1.3 + 10, lat * 1.6 + 10, 4, 193);
      if (n < 0.56) continue;
      const auto [pt, z] = project(onSphere(lat, lon));
      if (z < 0) continue;
      p.setBrush(QColor(90, 200, 160, static_cast<int>(60 + 140 * z)));
      p.drawEllipse(pt, 0.9, 0.9);
    }
  }

  // The wire frame: meridians and parallels, the far side faint.
  auto wire = [&](auto point, int steps, QColor near) {
    for (int i = 0; i < steps; ++i) {
      const auto [a, za] = project(point(static_cast<double>(i) / steps));
      const auto [b, zb] = project(point(static_cast<double>(i + 1) / steps));
      const double z = (za + zb) / 2;
      p.setPen(QPen(withAlpha(near, z > 0 ? static_cast<int>(60 + 120 * z) : 26), z > 0 ? 1.0 : 0.7));
      p.drawLine(a, b);
    }
  };
  const QColor cyan(110, 200, 255);
  for (int m = 0; m < 12; ++m) {
    const double lon = m * kPi / 6;
    wire([&](double t) { return onSphere(-kPi / 2 + t * kPi, lon); }, 48, cyan);
  }
  for (int l = -5; l <= 5; ++l) {
    const double lat = l * kPi / 12;
    wire([&](double t) { return onSphere(lat, -kPi + t * 2 * kPi); }, 96, cyan);
  }
  p.setPen(Qt::NoPen);

  // Cities and the links between them, arching off the surface.
  std::vector<Vec3> nodes;
  for (int i = 0; i < 22; ++i) {
    const double lat = rng.range(-1.0, 1.1);
    const double lon = rng.range(-kPi, kPi);
    const Vec3 v = onSphere(lat, lon);
    if (view(v, turn, tilt).z > 0.15) nodes.push_back(v);
  }
  auto slerp = [](Vec3 a, Vec3 b, double t) {
    const double d = std::clamp(a.x * b.x + a.y * b.y + a.z * b.z, -1.0, 1.0);
    const double om = std::acos(d);
    if (om < 1e-6) return a;
    const double ka = std::sin((1 - t) * om) / std::sin(om);
    const double kb = std::sin(t * om) / std::sin(om);
    return Vec3{a.x * ka + b.x * kb, a.y * ka + b.y * kb, a.z * ka + b.z * kb};
  };
  p.setBrush(Qt::NoBrush);
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    for (int k = 1; k <= 2; ++k) {
      const Vec3 a = nodes[i];
      const Vec3 b = nodes[(i + static_cast<std::size_t>(k) * 3) % nodes.size()];
      QPainterPath arc;
      for (int s = 0; s <= 32; ++s) {
        const double t = s / 32.0;
        const auto [pt, z] = project(slerp(a, b, t), 1.0 + 0.16 * std::sin(kPi * t));
        if (s == 0)
          arc.moveTo(pt);
        else
          arc.lineTo(pt);
      }
      const QColor c = (i + static_cast<std::size_t>(k)) % 3 == 0 ? QColor(255, 180, 90) : QColor(120, 230, 255);
      p.setPen(QPen(withAlpha(c, 50), 3.0));
      p.drawPath(arc);
      p.setPen(QPen(withAlpha(c, 170), 1.1));
      p.drawPath(arc);
    }
  }
  p.setPen(Qt::NoPen);
  for (const Vec3& v : nodes) {
    const auto [pt, z] = project(v);
    glow(p, pt, 8, QColor(160, 240, 255, static_cast<int>(120 * z + 60)));
    p.setBrush(QColor(230, 250, 255));
    p.drawEllipse(pt, 1.8, 1.8);
  }

  // Cables rising from below into the globe's south.
  for (int c = 0; c < 5; ++c) {
    const double x0 = W * (0.2 + 0.15 * c);
    const auto [end, z] = project(onSphere(-1.1 + 0.05 * c, -0.9 + 0.45 * c));
    (void)z;
    QPainterPath cable;
    cable.moveTo(x0, H + 4);
    cable.cubicTo(x0, H - 30, end.x() + (c - 2) * 10, end.y() + 40, end.x(), end.y());
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(10, 16, 30), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cable);
    p.setPen(QPen(c % 2 ? QColor(60, 90, 140) : QColor(50, 120, 120), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cable);
  }
  p.setPen(Qt::NoPen);
  // Rim light.
  QRadialGradient rim(centre, R);
  rim.setColorAt(0.85, QColor(0, 0, 0, 0));
  rim.setColorAt(0.98, QColor(120, 200, 255, 70));
  rim.setColorAt(1.0, QColor(0, 0, 0, 0));
  p.setBrush(rim);
  p.drawEllipse(centre, R, R);

  p.end();
  addGrain(img, 0.015, 1111);
  calm(img, 0.8, 0.78);
  vignette(img, 0.5);
}

}  // namespace bg
