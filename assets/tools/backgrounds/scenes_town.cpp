// The places in town: the employment office, the fast-food counter, the
// hospital, the casino with its sauna, and the bank.
#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "paint_kit.h"
#include "scenes.h"

namespace bg {

namespace {

QPainterPath rectPath(QRectF r, double radius = 0) {
  QPainterPath path;
  if (radius > 0) {
    path.addRoundedRect(r, radius, radius);
  } else {
    path.addRect(r);
  }
  return path;
}

// A person standing in profile, facing right (or left), feet at `feet`.
void person(QPainter& p, QPointF feet, double h, QColor coat, QColor legs, QColor skin, int look,
            bool facingLeft = false) {
  const double x = feet.x();
  const double y = feet.y();
  p.save();
  if (facingLeft) {
    p.translate(x, 0);
    p.scale(-1, 1);
    p.translate(-x, 0);
  }
  const double headR = h * 0.068;
  const double shoulder = y - h * 0.82;
  const double hip = y - h * 0.44;
  p.save();
  p.setPen(Qt::NoPen);
  // Shadow on the floor.
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawEllipse(QPointF(x, y), h * 0.16, h * 0.03);
  // Legs.
  p.setBrush(vertical(hip, y, legs, legs.darker(150)));
  p.drawRoundedRect(QRectF(x - h * 0.085, hip - 2, h * 0.075, y - hip), 2, 2);
  p.drawRoundedRect(QRectF(x + h * 0.005, hip - 2, h * 0.075, y - hip), 2, 2);
  p.setBrush(QColor(20, 18, 18));
  p.drawRoundedRect(QRectF(x - h * 0.09, y - h * 0.035, h * 0.11, h * 0.035), 2, 2);
  p.drawRoundedRect(QRectF(x + h * 0.0, y - h * 0.035, h * 0.11, h * 0.035), 2, 2);
  // Coat: long for some, short jacket for others.
  const double hem = look % 2 == 0 ? y - h * 0.26 : hip + h * 0.04;
  QPainterPath body;
  body.moveTo(x - h * 0.11, shoulder + h * 0.03);
  body.quadTo(x - h * 0.02, shoulder - h * 0.03, x + h * 0.1, shoulder + h * 0.03);
  body.lineTo(x + h * 0.13, hem);
  body.lineTo(x - h * 0.14, hem);
  body.closeSubpath();
  p.setBrush(horizontal(x - h * 0.14, x + h * 0.13, coat.darker(160), coat.lighter(115)));
  p.drawPath(body);
  // The arm in front.
  QPainterPath arm;
  arm.moveTo(x - h * 0.02, shoulder + h * 0.04);
  arm.quadTo(x + h * 0.05, shoulder + h * 0.2, x + h * 0.03, shoulder + h * 0.36);
  p.setPen(QPen(coat.darker(130), h * 0.06, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(arm);
  p.setPen(Qt::NoPen);
  if (look == 1) {
    // A briefcase.
    p.setBrush(QColor(60, 36, 24));
    p.drawRoundedRect(QRectF(x - h * 0.03, shoulder + h * 0.36, h * 0.16, h * 0.12), 2, 2);
    p.setPen(QPen(QColor(40, 24, 16), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(x + h * 0.015, shoulder + h * 0.33, h * 0.07, h * 0.06), 0, 180 * 16);
    p.setPen(Qt::NoPen);
  } else {
    p.setBrush(skin.darker(110));
    p.drawEllipse(QPointF(x + h * 0.03, shoulder + h * 0.38), h * 0.028, h * 0.03);
  }
  // Neck and head.
  p.setBrush(skin.darker(115));
  p.drawRect(QRectF(x - h * 0.018, shoulder - h * 0.05, h * 0.04, h * 0.06));
  const QPointF head(x + h * 0.005, shoulder - h * 0.05 - headR * 0.8);
  QRadialGradient face(head + QPointF(headR * 0.4, -headR * 0.3), headR * 1.6);
  face.setColorAt(0, skin);
  face.setColorAt(1, skin.darker(160));
  p.setBrush(face);
  p.drawEllipse(head, headR * 0.95, headR);
  p.drawEllipse(head + QPointF(headR * 0.85, headR * 0.1), headR * 0.2, headR * 0.22);  // nose
  // Hair or a hat.
  if (look == 2) {
    p.setBrush(QColor(40, 36, 40));
    p.drawRect(QRectF(head.x() - headR * 1.5, head.y() - headR * 0.55, headR * 3.0, headR * 0.25));
    p.drawRoundedRect(QRectF(head.x() - headR * 0.95, head.y() - headR * 1.45, headR * 1.9, headR * 1.0), 3, 3);
  } else {
    p.setBrush(look == 3 ? QColor(120, 80, 40) : QColor(36, 28, 24));
    QPainterPath hair;
    hair.moveTo(head.x() - headR * 1.0, head.y() + (look == 3 ? headR * 1.6 : headR * 0.3));
    hair.quadTo(head.x() - headR * 1.2, head.y() - headR * 1.3, head.x() + headR * 0.6, head.y() - headR * 0.95);
    hair.quadTo(head.x() + headR * 0.2, head.y() - headR * 0.3, head.x() - headR * 0.2, head.y() - headR * 0.2);
    hair.closeSubpath();
    p.drawPath(hair);
  }
  p.restore();
  p.restore();
}

// A sheet of paper pinned to a board, with faint lines standing for print.
void notice(QPainter& p, QRectF r, double angle, QColor paper, QColor pin, std::uint32_t seed) {
  p.save();
  p.translate(r.center());
  p.rotate(angle);
  const QRectF s(-r.width() / 2, -r.height() / 2, r.width(), r.height());
  softShadow(p, rectPath(s), 1.5, 2, 2, 120);
  box(p, s, vertical(s.top(), s.bottom(), paper, paper.darker(115)));
  Rng rng(seed);
  box(p, QRectF(s.left() + 3, s.top() + 4, s.width() * 0.6, 2.4), QColor(60, 60, 70, 170));
  for (double y = s.top() + 10; y < s.bottom() - 3; y += 3.5) {
    box(p, QRectF(s.left() + 3, y, rng.range(s.width() * 0.4, s.width() - 6), 1.1), QColor(90, 90, 100, 120));
  }
  p.setBrush(pin);
  p.drawEllipse(QPointF(0, s.top() + 2), 2.2, 2.2);
  p.setBrush(QColor(255, 255, 255, 120));
  p.drawEllipse(QPointF(-0.6, s.top() + 1.4), 0.7, 0.7);
  p.restore();
}

// Floor tiles in perspective towards a vanishing point.
void tiledFloor(QPainter& p, QRectF area, QPointF vanish, QColor a, QColor b, int columns, int rows) {
  p.save();
  p.setClipRect(area);
  const double depth = area.bottom() - vanish.y();
  for (int r = 0; r < rows; ++r) {
    // Rows get taller towards the viewer.
    auto rowY = [&](int i) {
      const double t = static_cast<double>(i) / rows;
      return vanish.y() + depth * (area.top() - vanish.y() + (depth - (area.top() - vanish.y())) * t * t) / depth;
    };
    const double y0 = rowY(r);
    const double y1 = rowY(r + 1);
    for (int c = -columns; c < 2 * columns; ++c) {
      auto xAt = [&](double y, int col) {
        const double bottomX = area.left() + (area.width() / columns) * col;
        const double k = (y - vanish.y()) / depth;
        return vanish.x() + (bottomX - vanish.x()) * k * 1.6;
      };
      QPolygonF tile;
      tile << QPointF(xAt(y0, c), y0) << QPointF(xAt(y0, c + 1), y0) << QPointF(xAt(y1, c + 1), y1)
           << QPointF(xAt(y1, c), y1);
      p.setPen(Qt::NoPen);
      p.setBrush((r + c) % 2 ? a : b);
      p.drawPolygon(tile);
    }
  }
  p.restore();
}

void clockFace(QPainter& p, QPointF c, double r, double hour, double minute) {
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addEllipse(c, r + 2, r + 2);
        return s;
      }(),
      1.5, 2.5, 3, 150);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 44));
  p.drawEllipse(c, r + 2, r + 2);
  p.setBrush(QColor(220, 216, 200));
  p.drawEllipse(c, r, r);
  p.setPen(QPen(QColor(40, 40, 40), 1));
  for (int i = 0; i < 12; ++i) {
    const double a = i * std::numbers::pi / 6;
    p.drawLine(c + QPointF(std::sin(a), -std::cos(a)) * r * 0.78, c + QPointF(std::sin(a), -std::cos(a)) * r * 0.92);
  }
  const double ha = (hour + minute / 60.0) * std::numbers::pi / 6;
  const double ma = minute * std::numbers::pi / 30;
  p.setPen(QPen(QColor(20, 20, 20), 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, c + QPointF(std::sin(ha), -std::cos(ha)) * r * 0.5);
  p.setPen(QPen(QColor(20, 20, 20), 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, c + QPointF(std::sin(ma), -std::cos(ma)) * r * 0.78);
  p.setPen(Qt::NoPen);
}

}  // namespace

// ---------------------------------------------------------------------------
// WORK: the employment office. A notice board full of vacancies, a queue of
// job seekers and the clerk behind the counter.

void paintWork(QImage& img) {
  const int W = img.width();
  const int H = img.height();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double floorY = 206;

  // Institutional paint: lighter above, a darker dado below.
  p.drawImage(0, 0, mottledTexture(W, static_cast<int>(floorY), QColor(58, 64, 58), QColor(74, 80, 70), 40, 71));
  box(p, QRectF(0, 128, W, floorY - 128), vertical(128, floorY, QColor(44, 58, 62), QColor(34, 46, 50)));
  box(p, QRectF(0, 126, W, 3), QColor(90, 96, 86));
  tiledFloor(p, QRectF(0, floorY, W, H - floorY), QPointF(W / 2.0, 120), QColor(70, 66, 60), QColor(52, 50, 48), 9, 6);
  box(p, QRectF(0, floorY, W, H - floorY), vertical(floorY, H, QColor(0, 0, 0, 90), QColor(0, 0, 0, 20)));
  box(p, QRectF(0, floorY - 4, W, 4), QColor(30, 30, 30));

  // Fluorescent light.
  glow(p, QPointF(W / 2.0, 6), 200, 70, QColor(220, 240, 230, 60));
  box(p, QRectF(W / 2.0 - 70, 0, 140, 7), vertical(0, 7, QColor(150, 150, 140), QColor(100, 100, 96)));
  box(p, QRectF(W / 2.0 - 64, 6, 128, 3), QColor(240, 250, 240));

  // Notice board of vacancies.
  const QRectF board(18, 30, 138, 86);
  softShadow(p, rectPath(board.adjusted(-5, -5, 5, 5)), 2, 4, 4, 150);
  box(p, board.adjusted(-5, -5, 5, 5), vertical(board.top(), board.bottom(), QColor(104, 76, 50), QColor(66, 46, 30)));
  p.drawImage(board.topLeft(),
              shade(static_cast<int>(board.width()), static_cast<int>(board.height()), [](double x, double y) {
                const double speck = noise(x * 1.7, y * 1.7, 72);
                return mix(QColor(150, 104, 62), QColor(110, 72, 40), 0.5 * fbm(x / 9, y / 9, 3, 73) + 0.5 * speck);
              }));
  const QColor pins[] = {QColor(200, 40, 40), QColor(40, 90, 200), QColor(40, 160, 70), QColor(220, 190, 40)};
  const struct {
    double x, y, w, h, a;
    QColor paper;
  } notes[] = {
      {22, 34, 28, 36, -4, QColor(230, 226, 210)}, {54, 36, 30, 26, 3, QColor(236, 232, 200)},
      {88, 33, 26, 34, -2, QColor(220, 232, 236)}, {118, 38, 32, 28, 5, QColor(236, 226, 216)},
      {26, 76, 34, 34, 2, QColor(240, 220, 180)},  {64, 68, 26, 40, -5, QColor(232, 232, 226)},
      {94, 74, 28, 30, 4, QColor(210, 230, 210)},  {126, 72, 26, 38, -3, QColor(232, 228, 214)},
  };
  int i = 0;
  for (const auto& n : notes) {
    notice(p, QRectF(n.x, n.y, n.w, n.h), n.a, n.paper, pins[i % 4], 80 + static_cast<std::uint32_t>(i));
    ++i;
  }

  clockFace(p, QPointF(198, 44), 15, 9, 10);

  // Door with frosted glass behind the queue.
  const QRectF door(170, 82, 52, floorY - 82);
  box(p, door.adjusted(-4, -4, 4, 0), QColor(50, 44, 38));
  box(p, door, vertical(door.top(), door.bottom(), QColor(96, 80, 62), QColor(70, 56, 42)));
  box(p, QRectF(door.left() + 8, door.top() + 8, door.width() - 16, 46),
      vertical(door.top() + 8, door.top() + 54, QColor(150, 170, 170), QColor(110, 130, 132)));
  p.setBrush(QColor(190, 170, 110));
  p.drawEllipse(QPointF(door.right() - 8, door.top() + 70), 2.5, 2.5);

  // The clerk's counter, right.
  const QRectF counterTop(246, 150, 141, 8);
  const QRectF counterFront(250, 158, 137, floorY - 158);
  // The clerk behind it, with a computer.
  person(p, QPointF(340, 186), 118, QColor(200, 200, 196), QColor(40, 40, 50), QColor(214, 170, 140), 0, true);
  p.setPen(Qt::NoPen);
  const QRectF mon(262, 112, 44, 36);
  box(p, mon, QColor(150, 146, 132), QColor(90, 88, 80), 3);
  box(p, mon.adjusted(4, 4, -4, -8), vertical(mon.top(), mon.bottom(), QColor(50, 110, 150), QColor(20, 50, 80)));
  box(p, QRectF(276, 148, 16, 4), QColor(110, 106, 96));
  box(p, counterTop, vertical(counterTop.top(), counterTop.bottom(), QColor(160, 150, 130), QColor(100, 92, 78)));
  box(p, counterFront, vertical(counterFront.top(), counterFront.bottom(), QColor(90, 70, 52), QColor(56, 42, 30)));
  for (double x = counterFront.left() + 14; x < counterFront.right(); x += 30) {
    box(p, QRectF(x, counterFront.top() + 8, 22, counterFront.height() - 16), QColor(0, 0, 0, 40),
        QColor(120, 96, 70, 90));
  }
  // A stack of forms and a little name plate on the counter.
  for (int k = 0; k < 4; ++k) box(p, QRectF(320 + k * 0.8, 144 - k * 1.6, 30, 2), QColor(230, 228, 216));
  QPolygonF plate;
  plate << QPointF(358, 150) << QPointF(382, 150) << QPointF(378, 140) << QPointF(362, 140);
  p.setBrush(QColor(60, 50, 36));
  p.drawPolygon(plate);
  box(p, QRectF(364, 143, 12, 2), QColor(200, 180, 110));

  // The queue, the last in line nearest to us.
  person(p, QPointF(226, 214), 120, QColor(80, 70, 90), QColor(40, 40, 50), QColor(220, 180, 150), 3);
  person(p, QPointF(176, 226), 126, QColor(70, 80, 64), QColor(46, 42, 40), QColor(200, 156, 126), 1);
  person(p, QPointF(124, 240), 132, QColor(100, 70, 56), QColor(36, 36, 44), QColor(226, 186, 160), 2);
  person(p, QPointF(70, 256), 140, QColor(56, 66, 90), QColor(50, 44, 40), QColor(210, 170, 140), 0);

  p.end();
  addGrain(img, 0.02, 404);
  calm(img, 0.8, 0.78);
  vignette(img, 0.5);
}

// ---------------------------------------------------------------------------
// SHOP: a fast-food counter: the lit menu board, a burger, fries and a drink
// on a tray, the till.

namespace {

void burger(QPainter& p, QPointF c, double w) {
  const double h = w * 0.7;
  const double x = c.x() - w / 2;
  const double top = c.y() - h / 2;
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addEllipse(QRectF(x, top + h * 0.7, w, h * 0.32));
        return s;
      }(),
      0, 3, 3, 160);
  // Bottom bun.
  box(p, QRectF(x + w * 0.04, top + h * 0.74, w * 0.92, h * 0.22),
      vertical(top + h * 0.74, top + h * 0.96, QColor(214, 150, 80), QColor(150, 90, 40)), Qt::transparent, 5);
  // Patty.
  box(p, QRectF(x, top + h * 0.58, w, h * 0.18),
      vertical(top + h * 0.58, top + h * 0.76, QColor(110, 60, 36), QColor(60, 30, 18)), Qt::transparent, 5);
  // Cheese, hanging down in corners.
  QPolygonF cheese;
  cheese << QPointF(x - 2, top + h * 0.54) << QPointF(x + w + 2, top + h * 0.54) << QPointF(x + w * 0.86, top + h * 0.7)
         << QPointF(x + w * 0.62, top + h * 0.6) << QPointF(x + w * 0.3, top + h * 0.72)
         << QPointF(x + w * 0.12, top + h * 0.6);
  p.setBrush(QColor(240, 190, 50));
  p.drawPolygon(cheese);
  // Lettuce: a wavy green band.
  QPainterPath lettuce;
  lettuce.moveTo(x - 3, top + h * 0.5);
  for (int i = 0; i <= 10; ++i) {
    const double xx = x - 3 + (w + 6) * i / 10.0;
    lettuce.quadTo(xx - w * 0.05, top + h * (i % 2 ? 0.62 : 0.56), xx, top + h * 0.55);
  }
  lettuce.lineTo(x + w + 3, top + h * 0.46);
  lettuce.lineTo(x - 3, top + h * 0.46);
  lettuce.closeSubpath();
  p.setBrush(QColor(110, 170, 60));
  p.drawPath(lettuce);
  box(p, QRectF(x + w * 0.1, top + h * 0.44, w * 0.8, h * 0.07), QColor(200, 50, 40), Qt::transparent, 3);  // tomato
  // Top bun, a dome with sesame seeds.
  QPainterPath dome;
  dome.moveTo(x, top + h * 0.48);
  dome.cubicTo(x, top - h * 0.05, x + w, top - h * 0.05, x + w, top + h * 0.48);
  dome.closeSubpath();
  QRadialGradient bun(QPointF(c.x() - w * 0.15, top + h * 0.12), w * 0.7);
  bun.setColorAt(0, QColor(236, 170, 90));
  bun.setColorAt(1, QColor(160, 90, 36));
  p.setBrush(bun);
  p.drawPath(dome);
  Rng rng(9);
  p.setBrush(QColor(250, 236, 200));
  for (int i = 0; i < 14; ++i) {
    const double sx = x + w * rng.range(0.15, 0.85);
    const double sy = top + h * rng.range(0.08, 0.36) + std::abs(sx - c.x()) / w * h * 0.3;
    p.save();
    p.translate(sx, sy);
    p.rotate(rng.range(-40, 40));
    p.drawEllipse(QPointF(0, 0), 1.6, 0.9);
    p.restore();
  }
}

void fries(QPainter& p, QPointF base, double w) {
  Rng rng(14);
  for (int i = 0; i < 12; ++i) {
    p.save();
    p.translate(base.x() - w * 0.35 + w * 0.7 * i / 11.0, base.y() - w * 0.7);
    p.rotate(rng.range(-14, 14));
    box(p, QRectF(-2, -rng.range(w * 0.35, w * 0.6), 4, w * 0.7),
        horizontal(-2, 2, QColor(250, 210, 100), QColor(210, 160, 50)), Qt::transparent, 1);
    p.restore();
  }
  QPainterPath carton;
  carton.moveTo(base.x() - w / 2, base.y() - w * 0.8);
  carton.quadTo(base.x(), base.y() - w * 0.62, base.x() + w / 2, base.y() - w * 0.8);
  carton.lineTo(base.x() + w * 0.36, base.y());
  carton.lineTo(base.x() - w * 0.36, base.y());
  carton.closeSubpath();
  p.setBrush(horizontal(base.x() - w / 2, base.x() + w / 2, QColor(210, 40, 36), QColor(130, 20, 20)));
  p.drawPath(carton);
  p.setBrush(QColor(250, 200, 60));
  p.drawPath(heart(QPointF(base.x(), base.y() - w * 0.4), w * 0.28));
}

void drink(QPainter& p, QPointF base, double w, double h) {
  QPolygonF cup;
  cup << QPointF(base.x() - w / 2, base.y() - h) << QPointF(base.x() + w / 2, base.y() - h)
      << QPointF(base.x() + w * 0.38, base.y()) << QPointF(base.x() - w * 0.38, base.y());
  p.setBrush(horizontal(base.x() - w / 2, base.x() + w / 2, QColor(236, 232, 224), QColor(170, 166, 160)));
  p.drawPolygon(cup);
  // Wave band in the shop's red.
  QPainterPath band;
  band.moveTo(base.x() - w * 0.46, base.y() - h * 0.62);
  band.cubicTo(base.x() - w * 0.1, base.y() - h * 0.78, base.x() + w * 0.1, base.y() - h * 0.42, base.x() + w * 0.46,
               base.y() - h * 0.6);
  band.lineTo(base.x() + w * 0.42, base.y() - h * 0.36);
  band.cubicTo(base.x() + w * 0.1, base.y() - h * 0.2, base.x() - w * 0.1, base.y() - h * 0.54, base.x() - w * 0.42,
               base.y() - h * 0.36);
  band.closeSubpath();
  p.setBrush(QColor(200, 40, 40));
  p.drawPath(band);
  box(p, QRectF(base.x() - w / 2 - 2, base.y() - h - 5, w + 4, 6),
      vertical(0, 0, QColor(230, 230, 230), QColor(230, 230, 230)), Qt::transparent, 2);
  p.setPen(QPen(QColor(220, 60, 60), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(base.x() + 2, base.y() - h - 4), QPointF(base.x() + w * 0.3, base.y() - h - 26));
  p.setPen(Qt::NoPen);
}

}  // namespace

void paintShop(QImage& img) {
  const int W = img.width();
  const int H = img.height();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double counterY = 150;

  // Tiled wall.
  p.drawImage(0, 0, shade(W, static_cast<int>(counterY), [](double x, double y) {
                const bool grout = std::fmod(x, 14.0) < 1.0 || std::fmod(y, 14.0) < 1.0;
                const QColor tile = mix(QColor(120, 56, 44), QColor(140, 74, 56), fbm(x / 30, y / 30, 3, 91));
                return grout ? QColor(70, 40, 34) : tile;
              }));

  // The lit menu board: three pictures over rows of prices.
  const QRectF board(14, 12, W - 28, 84);
  softShadow(p, rectPath(board, 4), 2, 5, 5, 170);
  box(p, board, vertical(board.top(), board.bottom(), QColor(30, 28, 30), QColor(16, 14, 16)), QColor(90, 80, 60), 4);
  const double pw = (board.width() - 24) / 3.0;
  for (int k = 0; k < 3; ++k) {
    const QRectF panel(board.left() + 6 + k * (pw + 6), board.top() + 6, pw, 46);
    box(p, panel, vertical(panel.top(), panel.bottom(), QColor(250, 210, 110), QColor(220, 140, 50)), Qt::transparent,
        3);
    const QPointF c = panel.center();
    if (k == 0) burger(p, c + QPointF(0, 2), 40);
    if (k == 1) fries(p, c + QPointF(0, 20), 28);
    if (k == 2) drink(p, c + QPointF(0, 20), 20, 28);
    for (int r = 0; r < 3; ++r) {
      const double y = panel.bottom() + 7 + r * 8;
      box(p, QRectF(panel.left() + 2, y, pw * 0.55, 3), QColor(230, 220, 200, 170));
      box(p, QRectF(panel.right() - pw * 0.22, y, pw * 0.2, 3), QColor(250, 200, 80, 200));
    }
  }
  glow(p, board.center(), board.width() * 0.7, 60, QColor(255, 200, 120, 50));

  // The kitchen's heat lamps.
  for (double x : {60.0, 160.0, 260.0}) {
    glow(p, QPointF(x, 116), 40, 24, QColor(255, 150, 60, 90));
    QPolygonF lamp;
    lamp << QPointF(x - 12, 110) << QPointF(x + 12, 110) << QPointF(x + 6, 102) << QPointF(x - 6, 102);
    p.setBrush(QColor(60, 60, 64));
    p.drawPolygon(lamp);
    box(p, QRectF(x - 1, 96, 2, 6), QColor(60, 60, 64));
  }

  // Counter: steel top, red front with a light stripe.
  box(p, QRectF(0, counterY, W, 12), vertical(counterY, counterY + 12, QColor(190, 192, 196), QColor(110, 112, 118)));
  box(p, QRectF(0, counterY + 12, W, H - counterY - 12),
      vertical(counterY + 12, H, QColor(112, 30, 28), QColor(48, 12, 12)));
  box(p, QRectF(0, counterY + 40, W, 8), QColor(230, 200, 150, 80));
  box(p, QRectF(0, counterY + 12, W, 4), QColor(0, 0, 0, 90));

  // The till, right.
  const QRectF till(232, counterY - 46, 66, 46);
  softShadow(p, rectPath(till, 3), 2, 4, 4, 160);
  box(p, till, vertical(till.top(), till.bottom(), QColor(90, 92, 96), QColor(50, 52, 56)), Qt::transparent, 3);
  box(p, QRectF(till.left() + 6, till.top() + 6, 34, 10), QColor(40, 80, 50));
  box(p, QRectF(till.left() + 8, till.top() + 9, 20, 4), QColor(120, 230, 140));
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) {
      box(p, QRectF(till.left() + 6 + c * 9, till.top() + 20 + r * 8, 7, 6), QColor(170, 170, 170), Qt::transparent, 1);
    }
  }

  // Tray with the meal.
  QPolygonF tray;
  tray << QPointF(44, counterY - 4) << QPointF(206, counterY - 4) << QPointF(216, counterY + 10)
       << QPointF(34, counterY + 10);
  p.setBrush(vertical(counterY - 4, counterY + 10, QColor(150, 60, 40), QColor(100, 36, 24)));
  p.drawPolygon(tray);
  drink(p, QPointF(184, counterY + 2), 30, 56);
  fries(p, QPointF(142, counterY + 3), 40);
  burger(p, QPointF(88, counterY - 16), 78);

  p.end();
  addGrain(img, 0.02, 505);
  calm(img, 0.78, 0.72);
  vignette(img, 0.5);
}

// ---------------------------------------------------------------------------
// HOSP: a hospital ward. Two beds, a drip stand, the heart monitor and the red
// cross over all.

namespace {

void bed(QPainter& p, QRectF r, bool headLeft) {
  const double legH = r.height() * 0.4;
  const double mattressY = r.bottom() - legH - 14;
  p.setPen(QPen(QColor(150, 156, 160), 2.5, Qt::SolidLine, Qt::RoundCap));
  // Frame and legs.
  p.drawLine(QPointF(r.left() + 4, r.bottom()), QPointF(r.left() + 4, mattressY + 4));
  p.drawLine(QPointF(r.right() - 4, r.bottom()), QPointF(r.right() - 4, mattressY + 4));
  p.drawLine(QPointF(r.left(), mattressY + 12), QPointF(r.right(), mattressY + 12));
  const double headX = headLeft ? r.left() + 4 : r.right() - 4;
  const double footX = headLeft ? r.right() - 4 : r.left() + 4;
  p.drawLine(QPointF(headX, mattressY + 4), QPointF(headX, r.top()));
  p.drawLine(QPointF(footX, mattressY + 4), QPointF(footX, mattressY - 14));
  p.setPen(QPen(QColor(130, 136, 140), 1.6));
  for (int i = 1; i < 4; ++i) {
    const double x = headX + (headLeft ? 4 : -4) * i;
    p.drawLine(QPointF(x, mattressY), QPointF(x, r.top() + 6));
  }
  p.drawLine(QPointF(headX, r.top() + 6), QPointF(headX + (headLeft ? 16 : -16), r.top() + 6));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 40, 44));
  p.drawEllipse(QPointF(r.left() + 4, r.bottom()), 3, 3);
  p.drawEllipse(QPointF(r.right() - 4, r.bottom()), 3, 3);
  // Mattress and sheet.
  const QRectF m(r.left() + 2, mattressY, r.width() - 4, 13);
  box(p, m, vertical(m.top(), m.bottom(), QColor(220, 226, 230), QColor(150, 160, 170)), Qt::transparent, 4);
  // Pillow.
  const double px = headLeft ? m.left() + 16 : m.right() - 16;
  QRadialGradient pg(QPointF(px - 3, mattressY - 6), 16);
  pg.setColorAt(0, QColor(250, 250, 250));
  pg.setColorAt(1, QColor(170, 176, 186));
  p.setBrush(pg);
  p.drawEllipse(QPointF(px, mattressY - 3), 13, 6);
  // Folded blanket.
  const QRectF blanket(headLeft ? m.left() + 34 : m.left() + 4, mattressY - 4, m.width() - 38, 16);
  box(p, blanket, vertical(blanket.top(), blanket.bottom(), QColor(100, 140, 180), QColor(54, 80, 110)),
      Qt::transparent, 4);
  box(p, QRectF(blanket.left(), blanket.top() + 3, blanket.width(), 2), QColor(170, 200, 220, 140));
}

}  // namespace

void paintHosp(QImage& img) {
  const int W = img.width();
  const int H = img.height();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double floorY = 196;

  p.drawImage(0, 0, mottledTexture(W, static_cast<int>(floorY), QColor(60, 88, 84), QColor(76, 104, 98), 40, 111));
  box(p, QRectF(0, 140, W, floorY - 140), vertical(140, floorY, QColor(46, 72, 72), QColor(36, 58, 60)));
  box(p, QRectF(0, 138, W, 3), QColor(120, 150, 146));
  tiledFloor(p, QRectF(0, floorY, W, H - floorY), QPointF(W / 2.0, 110), QColor(96, 100, 100), QColor(80, 86, 88), 7,
             5);
  box(p, QRectF(0, floorY, W, H - floorY), vertical(floorY, H, QColor(0, 0, 0, 90), QColor(0, 0, 0, 30)));

  // The red cross on a pale mint light box (a plain white ground would make
  // it the protected emblem, which a game has no business borrowing).
  const QPointF rc(116, 44);
  glow(p, rc, 60, QColor(230, 255, 240, 70));
  box(p, QRectF(rc.x() - 28, rc.y() - 28, 56, 56),
      vertical(rc.y() - 28, rc.y() + 28, QColor(200, 236, 222), QColor(150, 196, 180)), QColor(110, 140, 130), 6);
  p.setBrush(vertical(rc.y() - 20, rc.y() + 20, QColor(230, 40, 40), QColor(170, 20, 20)));
  p.drawRect(QRectF(rc.x() - 7, rc.y() - 20, 14, 40));
  p.drawRect(QRectF(rc.x() - 20, rc.y() - 7, 40, 14));

  // The heart monitor on the wall, left.
  const QRectF mon(12, 70, 52, 38);
  softShadow(p, rectPath(mon, 3), 2, 3, 3, 150);
  box(p, mon, QColor(70, 74, 78), Qt::transparent, 3);
  const QRectF scr = mon.adjusted(4, 4, -4, -8);
  box(p, scr, QColor(10, 26, 20));
  QPainterPath ecg;
  const double base = scr.center().y() + 2;
  ecg.moveTo(scr.left(), base);
  const double beat[] = {0, 0, -1, 2, -12, 8, 0, 0, -2, 0};
  for (int rep = 0; rep < 2; ++rep) {
    for (int k = 0; k < 10; ++k) ecg.lineTo(scr.left() + rep * 22 + k * 2.2, base + beat[k]);
  }
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(90, 240, 130), 1.1));
  p.drawPath(ecg);
  p.setPen(Qt::NoPen);
  glow(p, scr.center(), 22, 12, QColor(90, 240, 130, 40));
  p.setBrush(QColor(240, 80, 70));
  p.drawEllipse(QPointF(mon.right() - 8, mon.bottom() - 4), 1.6, 1.6);

  // A window with blinds, right.
  const QRectF win(170, 70, 50, 56);
  box(p, win.adjusted(-3, -3, 3, 3), QColor(190, 196, 196));
  box(p, win, vertical(win.top(), win.bottom(), QColor(70, 100, 140), QColor(120, 140, 160)));
  for (double y = win.top() + 2; y < win.bottom(); y += 4.5)
    box(p, QRectF(win.left(), y, win.width(), 2.4), QColor(200, 204, 200, 220));

  // Privacy curtain on its rail, far right.
  box(p, QRectF(150, 2, W - 150, 3), QColor(160, 166, 170));
  QLinearGradient folds(200, 0, W, 0);
  for (int k = 0; k <= 8; ++k) folds.setColorAt(k / 8.0, k % 2 ? QColor(110, 150, 130) : QColor(150, 190, 170));
  p.setBrush(folds);
  QPainterPath cur;
  cur.moveTo(204, 5);
  cur.lineTo(W, 5);
  cur.lineTo(W, 170);
  cur.quadTo(218, 176, 210, 168);
  cur.closeSubpath();
  p.drawPath(cur);

  // Drip stand between the beds.
  p.setPen(QPen(QColor(160, 166, 170), 2));
  p.drawLine(QPointF(116, 206), QPointF(116, 96));
  p.drawLine(QPointF(106, 98), QPointF(126, 98));
  p.drawLine(QPointF(106, 208), QPointF(126, 208));
  p.setPen(Qt::NoPen);
  box(p, QRectF(118, 100, 14, 22), vertical(100, 122, QColor(220, 236, 240, 200), QColor(170, 200, 210, 200)),
      Qt::transparent, 4);
  p.setPen(QPen(QColor(200, 220, 230, 160), 1));
  p.setBrush(Qt::NoBrush);
  QPainterPath tube;
  tube.moveTo(125, 122);
  tube.cubicTo(126, 150, 96, 150, 92, 170);
  p.drawPath(tube);
  p.setPen(Qt::NoPen);

  bed(p, QRectF(6, 140, 100, 72), true);
  bed(p, QRectF(136, 146, 92, 70), false);

  p.end();
  addGrain(img, 0.02, 606);
  calm(img, 0.74, 0.74);
  vignette(img, 0.55);
}

// ---------------------------------------------------------------------------
// HAPPY: a night of fun: the casino's roulette, cards and chips above, the
// steam of the sauna rising from below.

namespace {

void roulette(QPainter& p, QPointF c, double rx, double ry) {
  // Wooden bowl.
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addEllipse(c, rx, ry);
        return s;
      }(),
      0, 4, 4, 170);
  p.setBrush(horizontal(c.x() - rx, c.x() + rx, QColor(120, 70, 36), QColor(60, 32, 16)));
  p.drawEllipse(c, rx, ry);
  p.setBrush(QColor(30, 20, 14));
  p.drawEllipse(c, rx * 0.86, ry * 0.86);
  // Pockets: red and black around, one green.
  const int pockets = 37;
  for (int i = 0; i < pockets; ++i) {
    const double a0 = 2 * std::numbers::pi * i / pockets;
    const double a1 = 2 * std::numbers::pi * (i + 1) / pockets;
    QPainterPath seg;
    const double ro = 0.82;
    const double ri = 0.62;
    seg.moveTo(c + QPointF(std::cos(a0) * rx * ro, std::sin(a0) * ry * ro));
    seg.lineTo(c + QPointF(std::cos(a1) * rx * ro, std::sin(a1) * ry * ro));
    seg.lineTo(c + QPointF(std::cos(a1) * rx * ri, std::sin(a1) * ry * ri));
    seg.lineTo(c + QPointF(std::cos(a0) * rx * ri, std::sin(a0) * ry * ri));
    seg.closeSubpath();
    p.setBrush(i == 0 ? QColor(30, 130, 60) : (i % 2 ? QColor(170, 24, 24) : QColor(24, 20, 20)));
    p.drawPath(seg);
  }
  // The cone and the turret.
  QRadialGradient cone(c + QPointF(-rx * 0.1, -ry * 0.2), rx * 0.6);
  cone.setColorAt(0, QColor(150, 96, 50));
  cone.setColorAt(1, QColor(70, 40, 20));
  p.setBrush(cone);
  p.drawEllipse(c, rx * 0.58, ry * 0.58);
  p.setPen(QPen(QColor(210, 170, 80), 2, Qt::SolidLine, Qt::RoundCap));
  for (int k = 0; k < 4; ++k) {
    const double a = k * std::numbers::pi / 2 + 0.4;
    p.drawLine(c, c + QPointF(std::cos(a) * rx * 0.4, std::sin(a) * ry * 0.4));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 190, 100));
  p.drawEllipse(c + QPointF(0, -3), 4, 6);
  // The ball.
  p.setBrush(QColor(245, 245, 240));
  p.drawEllipse(c + QPointF(rx * 0.7, -ry * 0.35), 2.8, 2.4);
}

void card(QPainter& p, QPointF c, double angle, bool red, int pips) {
  p.save();
  p.translate(c);
  p.rotate(angle);
  const QRectF r(-15, -21, 30, 42);
  softShadow(p, rectPath(r, 3), 1, 2, 2, 140);
  box(p, r, vertical(r.top(), r.bottom(), QColor(246, 244, 236), QColor(210, 206, 196)), QColor(120, 120, 120), 3);
  const QColor ink = red ? QColor(200, 30, 30) : QColor(20, 20, 24);
  p.setBrush(ink);
  auto pip = [&](QPointF at, double s) {
    if (red) {
      p.drawPath(heart(at, s));
    } else {
      // A spade: an upside-down heart with a small stem.
      p.save();
      p.translate(at);
      p.rotate(180);
      p.drawPath(heart(QPointF(0, s * 0.1), s));
      p.restore();
      QPolygonF stem;
      stem << at + QPointF(0, s * 0.1) << at + QPointF(s * 0.25, s * 0.6) << at + QPointF(-s * 0.25, s * 0.6);
      p.drawPolygon(stem);
    }
  };
  if (pips == 1) {
    pip(QPointF(0, 0), 16);
  } else {
    for (int k = 0; k < pips; ++k) pip(QPointF(k % 2 ? 6 : -6, -12 + 12 * (k / 2)), 8);
  }
  pip(QPointF(-10, -15), 5);
  p.restore();
}

void chips(QPainter& p, QPointF base, int count, QColor colour) {
  for (int i = 0; i < count; ++i) {
    const QPointF c = base + QPointF(0, -i * 3.2);
    p.setBrush(colour.darker(160));
    p.drawEllipse(c + QPointF(0, 1.6), 9, 3.6);
    p.setBrush(colour);
    p.drawEllipse(c, 9, 3.6);
  }
  const QPointF top = base + QPointF(0, -(count - 1) * 3.2);
  p.setPen(QPen(QColor(240, 240, 230, 200), 1.2, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(top, 6.5, 2.4);
  p.setPen(Qt::NoPen);
}

}  // namespace

void paintHappy(QImage& img) {
  const int W = img.width();
  const int H = img.height();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double split = 128;

  // Upper half: green baize under a hanging lamp.
  p.drawImage(0, 0, mottledTexture(W, static_cast<int>(split) + 20, QColor(16, 60, 36), QColor(24, 78, 46), 6, 121));
  glow(p, QPointF(W * 0.45, 50), 140, 90, QColor(255, 230, 160, 60));
  p.setPen(QPen(QColor(220, 200, 120, 120), 1.4));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(W * 0.5, 170), 200, 110);
  p.setPen(Qt::NoPen);
  roulette(p, QPointF(66, 60), 56, 34);
  card(p, QPointF(150, 48), -14, false, 1);
  card(p, QPointF(170, 44), 0, true, 1);
  card(p, QPointF(190, 50), 14, true, 4);
  chips(p, QPointF(140, 110), 5, QColor(170, 30, 30));
  chips(p, QPointF(164, 114), 3, QColor(30, 60, 150));
  chips(p, QPointF(188, 108), 6, QColor(210, 206, 196));
  chips(p, QPointF(118, 120), 2, QColor(30, 120, 60));

  // Lower half: the sauna's wooden walls.
  const QImage planks = shade(W, H, [](double x, double y) {
    const double row = std::floor(y / 13.0);
    const bool gap = std::fmod(y, 13.0) < 1.0;
    const double grain = fbm(x / 40.0 + row * 3.1, y / 3.0, 4, 131);
    const QColor wood = mix(QColor(120, 74, 40), QColor(170, 116, 66), grain);
    return gap ? QColor(50, 30, 18) : wood;
  });
  p.save();
  QPainterPath lower;
  lower.moveTo(0, split + 18);
  lower.cubicTo(W * 0.3, split - 6, W * 0.7, split + 24, W, split);
  lower.lineTo(W, H);
  lower.lineTo(0, H);
  lower.closeSubpath();
  p.setClipPath(lower);
  p.drawImage(0, 0, planks);
  // A two-tier bench of slats.
  for (int tier = 0; tier < 2; ++tier) {
    const double top = tier == 0 ? 176 : 208;
    const double left = tier == 0 ? 96 : 70;
    box(p, QRectF(left, top, W - left, 7), vertical(top, top + 7, QColor(214, 160, 100), QColor(140, 92, 50)));
    box(p, QRectF(left, top + 7, W - left, 3), QColor(40, 24, 12, 170));
    for (double x = left + 8; x < W; x += 22) box(p, QRectF(x, top + 10, 5, 22), QColor(110, 70, 36));
  }
  box(p, QRectF(0, 232, W, H - 232), vertical(232, H, QColor(60, 36, 20), QColor(30, 18, 10)));
  // The heater: a steel box, its fire seen through the slot, a cage of hot stones on top.
  const QRectF stove(10, 170, 58, 58);
  box(p, stove, horizontal(stove.left(), stove.right(), QColor(96, 96, 100), QColor(40, 40, 44)), Qt::transparent, 3);
  box(p, QRectF(stove.left() + 10, stove.bottom() - 20, stove.width() - 20, 9),
      vertical(0, 0, QColor(255, 140, 40), QColor(255, 140, 40)), Qt::transparent, 2);
  glow(p, QPointF(stove.center().x(), stove.bottom() - 15), 30, 14, QColor(255, 130, 40, 130));
  p.setPen(QPen(QColor(70, 70, 74), 1.6));
  for (double x = stove.left(); x <= stove.right(); x += 8)
    p.drawLine(QPointF(x, stove.top()), QPointF(x, stove.top() - 22));
  p.drawLine(QPointF(stove.left(), stove.top() - 22), QPointF(stove.right(), stove.top() - 22));
  p.setPen(Qt::NoPen);
  glow(p, QPointF(stove.center().x(), stove.top() - 10), 40, 22, QColor(255, 110, 40, 120));
  Rng rng(7);
  for (int row = 0; row < 3; ++row) {
    for (int i = 0; i < 5 - row; ++i) {
      const QPointF sc(stove.left() + 8 + row * 5 + i * 11 + rng.range(-2, 2), stove.top() - 4 - row * 8);
      QRadialGradient stone(sc + QPointF(-2, -3), 9);
      stone.setColorAt(0, QColor(176, 160, 146));
      stone.setColorAt(0.7, QColor(96, 86, 80));
      stone.setColorAt(1, QColor(150, 70, 40));
      p.setBrush(stone);
      p.drawEllipse(sc, rng.range(5.5, 7), rng.range(4.5, 5.5));
    }
  }
  // Wooden bucket with a ladle, on the upper bench.
  QPolygonF bucket;
  bucket << QPointF(150, 150) << QPointF(186, 150) << QPointF(182, 176) << QPointF(154, 176);
  p.setBrush(horizontal(150, 186, QColor(200, 140, 80), QColor(110, 66, 30)));
  p.drawPolygon(bucket);
  box(p, QRectF(150, 155, 36, 3), QColor(110, 110, 116));
  box(p, QRectF(152, 169, 32, 3), QColor(110, 110, 116));
  p.setPen(QPen(QColor(160, 110, 60), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(172, 152), QPointF(206, 124));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 100, 56));
  p.drawEllipse(QPointF(166, 150), 6, 3);
  // The thermometer's round dial on the wall.
  const QPointF dial(112, 152);
  p.setBrush(QColor(120, 76, 40));
  p.drawEllipse(dial, 11, 11);
  p.setBrush(QColor(226, 216, 190));
  p.drawEllipse(dial, 8, 8);
  p.setPen(QPen(QColor(180, 30, 30), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(dial, dial + QPointF(5, -4));
  p.setPen(Qt::NoPen);
  p.restore();

  // Steam rising over everything from the stove.
  QImage steam(W, H, QImage::Format_ARGB32_Premultiplied);
  steam.fill(Qt::transparent);
  {
    QPainter sp(&steam);
    sp.setRenderHint(QPainter::Antialiasing);
    Rng srng(17);
    // Puffs billow up from the stones and drift to the right as they cool.
    for (int i = 0; i < 60; ++i) {
      const double t = srng.unit();
      const QPointF c(40 + std::sin(t * 6.0) * 18 + t * 110 + srng.range(-16, 16), 140 - t * 110 + srng.range(-8, 8));
      glow(sp, c, 10 + 24 * t + srng.range(0, 8), QColor(236, 236, 240, static_cast<int>(120 * (1.0 - t * 0.7))));
    }
  }
  blur(steam, 4);
  p.drawImage(0, 0, steam);

  p.end();
  addGrain(img, 0.02, 707);
  calm(img, 0.74, 0.76);
  vignette(img, 0.55);
}

// ---------------------------------------------------------------------------
// BANK: the bank's classical front at night, columns and pediment, with
// stacks of coins before the steps.

namespace {

void coinStack(QPainter& p, QPointF base, int count, double r) {
  for (int i = 0; i < count; ++i) {
    const QPointF c = base + QPointF((i % 3 == 1) ? 1.0 : 0.0, -i * r * 0.28);
    p.setBrush(vertical(c.y(), c.y() + r * 0.5, QColor(170, 120, 40), QColor(100, 66, 20)));
    p.drawEllipse(QRectF(c.x() - r, c.y() - r * 0.3 + r * 0.16, 2 * r, r * 0.6));
    QLinearGradient face(c.x() - r, c.y(), c.x() + r, c.y());
    face.setColorAt(0, QColor(240, 200, 110));
    face.setColorAt(0.5, QColor(200, 150, 60));
    face.setColorAt(1, QColor(150, 104, 36));
    p.setBrush(face);
    p.drawEllipse(QRectF(c.x() - r, c.y() - r * 0.3, 2 * r, r * 0.6));
  }
  const QPointF top = base + QPointF(0, -(count - 1) * r * 0.28);
  p.setPen(QPen(QColor(130, 90, 30), 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(top.x() - r * 0.75, top.y() - r * 0.22, 1.5 * r, r * 0.44));
  p.setPen(Qt::NoPen);
}

}  // namespace

void paintBank(QImage& img) {
  const int W = img.width();
  const int H = img.height();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);

  box(p, QRectF(0, 0, W, H), vertical(0, H, QColor(12, 16, 34), QColor(30, 30, 50)));
  Rng rng(23);
  for (int i = 0; i < 30; ++i) {
    p.setBrush(QColor(220, 220, 255, 50 + rng.below(120)));
    p.drawEllipse(QPointF(rng.range(0, W), rng.range(0, 40)), 0.7, 0.7);
  }

  const QImage stone = mottledTexture(W, H, QColor(110, 104, 92), QColor(146, 138, 122), 10, 141);
  auto stoneFill = [&](const QPainterPath& path, double shadeTop, double shadeBottom) {
    p.save();
    p.setClipPath(path);
    p.drawImage(0, 0, stone);
    const QRectF b = path.boundingRect();
    box(p, b,
        vertical(b.top(), b.bottom(), QColor(0, 0, 0, static_cast<int>(shadeTop)),
                 QColor(0, 0, 0, static_cast<int>(shadeBottom))));
    p.restore();
  };

  const double left = 14;
  const double right = W - 14;
  // Pediment with a coin emblem.
  QPainterPath ped;
  ped.moveTo(left - 4, 66);
  ped.lineTo(W / 2.0, 26);
  ped.lineTo(right + 4, 66);
  ped.closeSubpath();
  stoneFill(ped, 20, 80);
  QPainterPath inner;
  inner.moveTo(left + 12, 62);
  inner.lineTo(W / 2.0, 34);
  inner.lineTo(right - 12, 62);
  inner.closeSubpath();
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawPath(inner);
  p.setBrush(QColor(200, 160, 80, 200));
  p.drawEllipse(QPointF(W / 2.0, 52), 8, 8);
  p.setBrush(QColor(120, 90, 40, 220));
  p.drawEllipse(QPointF(W / 2.0, 52), 5, 5);
  // Entablature with dentils.
  QPainterPath ent;
  ent.addRect(QRectF(left - 4, 66, right - left + 8, 18));
  stoneFill(ent, 0, 40);
  for (double x = left; x < right; x += 6) box(p, QRectF(x, 80, 3, 4), QColor(0, 0, 0, 80));
  box(p, QRectF(left - 4, 66, right - left + 8, 2), QColor(255, 255, 255, 30));

  // Dark hall behind the columns, the doorway lit.
  box(p, QRectF(left + 4, 84, right - left - 8, 92), vertical(84, 176, QColor(20, 18, 20), QColor(36, 30, 26)));
  glow(p, QPointF(W / 2.0, 150), 40, 40, QColor(255, 200, 120, 90));
  box(p, QRectF(W / 2.0 - 14, 122, 28, 54), vertical(122, 176, QColor(200, 150, 80), QColor(120, 80, 40)),
      Qt::transparent, 2);
  box(p, QRectF(W / 2.0 - 1, 122, 2, 54), QColor(70, 40, 20));

  // Columns with fluting, capitals and bases.
  const int columns = 4;
  const double colW = 18;
  for (int c = 0; c < columns; ++c) {
    const double cx = left + 14 + c * ((right - left - 28) / (columns - 1));
    if (c == 1 || c == 2) {
      // Leave the doorway open between the middle columns.
    }
    QPainterPath shaft;
    shaft.addRect(QRectF(cx - colW / 2, 90, colW, 80));
    p.save();
    p.setClipPath(shaft);
    p.drawImage(0, 0, stone);
    QLinearGradient round(cx - colW / 2, 0, cx + colW / 2, 0);
    round.setColorAt(0, QColor(0, 0, 0, 130));
    round.setColorAt(0.35, QColor(255, 255, 255, 20));
    round.setColorAt(1, QColor(0, 0, 0, 160));
    p.fillRect(shaft.boundingRect(), round);
    for (int f = 1; f < 5; ++f) box(p, QRectF(cx - colW / 2 + f * colW / 5 - 0.6, 90, 1.2, 80), QColor(0, 0, 0, 60));
    p.restore();
    // Capital with two volutes.
    QPainterPath cap;
    cap.addRect(QRectF(cx - colW / 2 - 4, 84, colW + 8, 6));
    stoneFill(cap, 0, 60);
    p.setBrush(QColor(150, 142, 126));
    p.drawEllipse(QPointF(cx - colW / 2 - 2, 89), 3, 3);
    p.drawEllipse(QPointF(cx + colW / 2 + 2, 89), 3, 3);
    QPainterPath foot;
    foot.addRect(QRectF(cx - colW / 2 - 3, 170, colW + 6, 6));
    stoneFill(foot, 0, 60);
  }
  // Steps.
  for (int s = 0; s < 3; ++s) {
    QPainterPath step;
    step.addRect(QRectF(left - 6 - s * 5, 176 + s * 6, right - left + 12 + s * 10, 6));
    stoneFill(step, 10, 70);
    box(p, QRectF(left - 6 - s * 5, 176 + s * 6, right - left + 12 + s * 10, 1), QColor(255, 255, 255, 30));
  }
  // Street lamps at both sides.
  for (double x : {6.0, W - 6.0}) glow(p, QPointF(x, 100), 30, QColor(255, 210, 130, 70));

  // The coins in front.
  box(p, QRectF(0, 194, W, H - 194), vertical(194, H, QColor(30, 26, 26), QColor(14, 12, 12)));
  glow(p, QPointF(W / 2.0, 220), 90, 20, QColor(255, 200, 100, 50));
  coinStack(p, QPointF(34, 226), 7, 14);
  coinStack(p, QPointF(62, 230), 4, 14);
  coinStack(p, QPointF(150, 228), 9, 14);
  coinStack(p, QPointF(176, 232), 3, 14);
  // A large coin standing on its edge, with a column in relief.
  const QPointF big(104, 212);
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addEllipse(big, 20, 20);
        return s;
      }(),
      3, 3, 3, 170);
  QRadialGradient gold(big + QPointF(-6, -8), 28);
  gold.setColorAt(0, QColor(250, 214, 120));
  gold.setColorAt(1, QColor(140, 96, 30));
  p.setBrush(gold);
  p.drawEllipse(big, 20, 20);
  p.setPen(QPen(QColor(120, 84, 26), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(big, 16, 16);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 104, 36));
  QPolygonF mini;
  mini << QPointF(big.x() - 9, big.y() - 5) << QPointF(big.x(), big.y() - 11) << QPointF(big.x() + 9, big.y() - 5);
  p.drawPolygon(mini);
  for (int k = -1; k <= 1; ++k) p.drawRect(QRectF(big.x() + k * 6 - 1.5, big.y() - 4, 3, 11));
  p.drawRect(QRectF(big.x() - 10, big.y() + 7, 20, 2.5));

  p.end();
  addGrain(img, 0.02, 808);
  calm(img, 0.8, 0.75);
  vignette(img, 0.5);
}

}  // namespace bg
