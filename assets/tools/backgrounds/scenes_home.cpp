// The player's room, the family screen and the school.
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

// Night sky with stars and a town's skyline, for windows of the home.
void nightView(QPainter& p, QRectF r, std::uint32_t seed, QColor skyTop, QColor skyLow) {
  p.save();
  p.setClipRect(r);
  box(p, r, vertical(r.top(), r.bottom(), skyTop, skyLow));
  Rng rng(seed);
  for (int i = 0; i < static_cast<int>(r.width() * r.height() / 260); ++i) {
    const QPointF s(rng.range(r.left(), r.right()), rng.range(r.top(), r.bottom() - r.height() * 0.3));
    const int a = 60 + rng.below(140);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 225, 255, a));
    const double size = rng.unit() < 0.1 ? 1.4 : 0.8;
    p.drawEllipse(s, size, size);
  }
  // Skyline: blocks of houses with a few lit windows.
  double x = r.left() - 5;
  while (x < r.right()) {
    const double bw = rng.range(12, 34);
    const double bh = rng.range(r.height() * 0.12, r.height() * 0.42);
    const QRectF b(x, r.bottom() - bh, bw, bh);
    box(p, b, mix(QColor(14, 16, 30), QColor(24, 24, 40), rng.unit()));
    for (double wy = b.top() + 4; wy < b.bottom() - 4; wy += 6) {
      for (double wx = b.left() + 3; wx < b.right() - 3; wx += 5) {
        if (rng.unit() < 0.22) {
          box(p, QRectF(wx, wy, 2, 3), QColor(230, 190, 110, 90 + rng.below(100)));
        }
      }
    }
    x += bw + rng.range(-2, 3);
  }
  p.restore();
}

void curtain(QPainter& p, QRectF r, QColor base, int folds, bool left) {
  p.save();
  QPainterPath shape;
  // The curtain is gathered towards the wall side, flaring at the bottom.
  const double inner = left ? r.right() : r.left();
  const double outer = left ? r.left() : r.right();
  shape.moveTo(outer, r.top());
  shape.lineTo(inner, r.top());
  shape.cubicTo(inner + (left ? -8 : 8), r.top() + r.height() * 0.45, inner + (left ? -18 : 18),
                r.top() + r.height() * 0.7, inner + (left ? -6 : 6), r.bottom());
  shape.lineTo(outer, r.bottom());
  shape.closeSubpath();
  QLinearGradient g(r.left(), 0, r.right(), 0);
  for (int i = 0; i <= folds * 2; ++i) {
    const double t = static_cast<double>(i) / (folds * 2);
    g.setColorAt(t, i % 2 ? base.darker(170) : base.lighter(115));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(shape);
  p.restore();
}

void book(QPainter& p, QRectF r, QColor c, double tilt = 0) {
  p.save();
  p.translate(r.center().x(), r.bottom());
  p.rotate(tilt);
  const QRectF b(-r.width() / 2, -r.height(), r.width(), r.height());
  box(p, b, horizontal(b.left(), b.right(), c.lighter(120), c.darker(150)));
  p.setPen(QPen(withAlpha(QColor(230, 200, 120), 110), 1));
  p.drawLine(QPointF(b.left() + 1, b.top() + 4), QPointF(b.right() - 1, b.top() + 4));
  p.drawLine(QPointF(b.left() + 1, b.bottom() - 5), QPointF(b.right() - 1, b.bottom() - 5));
  p.restore();
}

}  // namespace

// ---------------------------------------------------------------------------
// MAIN: the player's room at night; a home computer on a wooden desk, a lamp,
// a window on the sleeping town.

void paintMain(QImage& img) {
  const int W = img.width();
  const int H = img.height();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);

  const double deskTop = 318;    // back edge of the desk top
  const double deskFront = 352;  // front edge
  // Wall: striped wallpaper with a soft mottle.
  p.drawImage(0, 0, shade(W, static_cast<int>(deskTop) + 2, [&](double x, double y) {
                const double stripe = std::fmod(x, 22.0) < 11.0 ? 1.0 : 0.0;
                const double m = fbm(x / 40.0, y / 40.0, 4, 11);
                const QColor base = mix(QColor(34, 42, 58), QColor(44, 52, 66), m);
                return base.lighter(100 + static_cast<int>(stripe * 5) + static_cast<int>(10 * (y / deskTop)));
              }));
  // Skirting shadow under the desk.
  box(p, QRectF(0, deskTop, W, H - deskTop), QColor(14, 14, 18));

  // Window with curtains, upper left.
  const QRectF win(34, 46, 150, 176);
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addRect(win.adjusted(-8, -8, 8, 8));
        return s;
      }(),
      3, 4, 5, 120);
  box(p, win.adjusted(-8, -8, 8, 8), vertical(win.top(), win.bottom(), QColor(70, 58, 48), QColor(48, 38, 32)));
  nightView(p, win, 5, QColor(10, 14, 38), QColor(46, 40, 72));
  glow(p, QPointF(150, 80), 26, QColor(210, 215, 240, 120));
  p.setBrush(QColor(226, 228, 236));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(150, 80), 9, 9);
  p.setBrush(QColor(195, 198, 210));
  p.drawEllipse(QPointF(147, 78), 2.2, 2.2);
  p.drawEllipse(QPointF(153, 84), 1.5, 1.5);
  // Window bars and sill.
  p.setBrush(QColor(64, 52, 42));
  p.drawRect(QRectF(win.center().x() - 3, win.top(), 6, win.height()));
  p.drawRect(QRectF(win.left(), win.top() + 70, win.width(), 6));
  box(p, QRectF(win.left() - 14, win.bottom() + 6, win.width() + 28, 8),
      vertical(win.bottom() + 6, win.bottom() + 14, QColor(92, 78, 64), QColor(52, 42, 34)));
  // Curtain rod and curtains.
  box(p, QRectF(16, 30, 186, 5), vertical(30, 35, QColor(120, 100, 70), QColor(60, 48, 34)), Qt::transparent, 2);
  curtain(p, QRectF(14, 34, 44, 208), QColor(96, 40, 44), 4, true);
  curtain(p, QRectF(160, 34, 44, 208), QColor(96, 40, 44), 4, false);

  // Shelf with books, upper right.
  const double shelfY = 120;
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addRect(QRectF(290, shelfY, 130, 8));
        return s;
      }(),
      2, 5, 4, 140);
  Rng rng(21);
  double bx = 296;
  const QColor spines[] = {QColor(110, 40, 40), QColor(40, 70, 100), QColor(50, 90, 60),   QColor(120, 100, 50),
                           QColor(80, 60, 100), QColor(30, 30, 36),  QColor(140, 120, 100)};
  for (int i = 0; i < 11 && bx < 404; ++i) {
    const double bw = rng.range(6, 11);
    const double bh = rng.range(30, 44);
    const bool lean = i == 8;
    book(p, QRectF(bx, shelfY - bh, bw, bh), spines[rng.below(7)], lean ? 18 : 0);
    bx += bw + (lean ? 8 : 0.6);
  }
  box(p, QRectF(290, shelfY, 130, 8), vertical(shelfY, shelfY + 8, QColor(104, 80, 58), QColor(60, 44, 32)));
  // A small framed picture: mountains at dusk.
  const QRectF frame(366, 158, 54, 46);
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addRect(frame);
        return s;
      }(),
      2, 4, 4, 140);
  box(p, frame, QColor(70, 56, 40));
  const QRectF art = frame.adjusted(5, 5, -5, -5);
  box(p, art, vertical(art.top(), art.bottom(), QColor(60, 70, 110), QColor(150, 110, 100)));
  QPolygonF hills;
  hills << QPointF(art.left(), art.bottom()) << QPointF(art.left() + 14, art.top() + 18)
        << QPointF(art.left() + 26, art.top() + 28) << QPointF(art.left() + 40, art.top() + 10)
        << QPointF(art.right(), art.top() + 30) << QPointF(art.right(), art.bottom());
  p.setBrush(QColor(40, 46, 64));
  p.drawPolygon(hills);

  // Monitor glow on the wall behind.
  glow(p, QPointF(240, 240), 170, QColor(70, 120, 190, 70));

  // Desk lamp, right: its warm pool of light first, then the lamp.
  glow(p, QPointF(360, 336), 120, 34, QColor(255, 196, 110, 120));
  glow(p, QPointF(372, 250), 90, QColor(255, 190, 110, 40));

  // Desk top with wood grain, in slight perspective.
  const QImage wood = woodTexture(W, 60, QColor(62, 40, 26), QColor(112, 76, 48), 0.35, 31);
  QPainterPath top;
  top.moveTo(0, deskTop);
  top.lineTo(W, deskTop);
  top.lineTo(W, deskFront);
  top.lineTo(0, deskFront);
  top.closeSubpath();
  p.save();
  p.setClipPath(top);
  p.drawImage(0, static_cast<int>(deskTop) - 4, wood);
  box(p, QRectF(0, deskTop, W, deskFront - deskTop),
      vertical(deskTop, deskFront, QColor(0, 0, 0, 90), QColor(0, 0, 0, 0)));
  p.restore();
  box(p, QRectF(0, deskFront, W, 14), vertical(deskFront, deskFront + 14, QColor(84, 56, 36), QColor(44, 28, 18)));
  // Under the desk: a drawer unit on the left, deep shadow elsewhere.
  box(p, QRectF(0, deskFront + 14, W, H), vertical(deskFront + 14, H, QColor(20, 16, 16), QColor(10, 9, 10)));
  const QRectF drawers(16, deskFront + 14, 124, H - deskFront - 14);
  box(p, drawers, vertical(drawers.top(), drawers.bottom(), QColor(58, 38, 26), QColor(34, 22, 16)));
  for (int i = 0; i < 3; ++i) {
    const QRectF d(drawers.left() + 8, drawers.top() + 10 + i * 52, drawers.width() - 16, 44);
    box(p, d, vertical(d.top(), d.bottom(), QColor(74, 50, 34), QColor(46, 30, 20)), QColor(30, 20, 14));
    box(p, QRectF(d.center().x() - 14, d.top() + 8, 28, 5), QColor(150, 130, 96), Qt::transparent, 2);
  }
  // Floor planks, seen between the desk's legs.
  p.drawImage(140, H - 44, woodTexture(W - 140, 44, QColor(26, 20, 18), QColor(42, 32, 26), 0.9, 77));
  box(p, QRectF(140, H - 44, W - 140, 44), vertical(H - 44, H, QColor(0, 0, 0, 160), QColor(0, 0, 0, 40)));

  // System unit standing under the desk, right.
  const QRectF tower(318, 388, 86, 132);
  box(p, tower, horizontal(tower.left(), tower.right(), QColor(116, 112, 100), QColor(80, 77, 69)), QColor(60, 58, 52),
      3);
  box(p, QRectF(tower.right(), tower.top() + 6, 10, tower.height()),
      horizontal(tower.right(), tower.right() + 10, QColor(84, 80, 72), QColor(50, 48, 44)));
  for (int i = 0; i < 2; ++i) {
    const QRectF bay(tower.left() + 8, tower.top() + 10 + i * 18, tower.width() - 16, 14);
    box(p, bay, QColor(118, 114, 102), QColor(84, 80, 72), 1);
    box(p, QRectF(bay.left() + 8, bay.center().y() - 1, bay.width() - 30, 2), QColor(40, 40, 40));
  }
  box(p, QRectF(tower.left() + 22, tower.top() + 52, 40, 10), QColor(122, 118, 106), QColor(84, 80, 72), 1);
  box(p, QRectF(tower.left() + 26, tower.top() + 56, 32, 2), QColor(30, 30, 30));
  p.setBrush(QColor(80, 230, 110));
  p.drawEllipse(QPointF(tower.left() + 14, tower.top() + 78), 2, 2);
  glow(p, QPointF(tower.left() + 14, tower.top() + 78), 8, QColor(80, 230, 110, 120));
  p.setBrush(QColor(230, 170, 60));
  p.drawEllipse(QPointF(tower.left() + 24, tower.top() + 78), 2, 2);
  for (int i = 0; i < 7; ++i) {
    box(p, QRectF(tower.left() + 12, tower.top() + 92 + i * 5, tower.width() - 24, 2), QColor(90, 86, 78));
  }

  // Speaker left of the monitor.
  const QRectF spk(110, 248, 34, 72);
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addRect(spk);
        return s;
      }(),
      3, 3, 4, 130);
  box(p, spk, horizontal(spk.left(), spk.right(), QColor(64, 62, 60), QColor(36, 34, 34)), Qt::transparent, 3);
  for (double cy : {266.0, 298.0}) {
    QRadialGradient cone(QPointF(spk.center().x(), cy), 11);
    cone.setColorAt(0, QColor(60, 60, 60));
    cone.setColorAt(0.7, QColor(22, 22, 24));
    cone.setColorAt(1, QColor(80, 78, 74));
    p.setBrush(cone);
    p.drawEllipse(QPointF(spk.center().x(), cy), 11, 11);
  }

  // The monitor: a beige CRT seen a little from the left.
  const QRectF bezel(162, 164, 168, 138);
  QPainterPath sideShape;
  sideShape.moveTo(bezel.right(), bezel.top() + 4);
  sideShape.lineTo(bezel.right() + 26, bezel.top() + 20);
  sideShape.lineTo(bezel.right() + 26, bezel.bottom() - 14);
  sideShape.lineTo(bezel.right(), bezel.bottom() - 2);
  sideShape.closeSubpath();
  QPainterPath all;
  all.addRoundedRect(bezel, 8, 8);
  all.addPath(sideShape);
  softShadow(p, all, 6, 8, 6, 150);
  p.setPen(Qt::NoPen);
  p.setBrush(horizontal(bezel.right(), bezel.right() + 26, QColor(118, 112, 98), QColor(70, 66, 58)));
  p.drawPath(sideShape);
  // Stand.
  box(p, QRectF(212, 300, 70, 12), vertical(300, 312, QColor(120, 114, 100), QColor(80, 76, 66)), Qt::transparent, 3);
  box(p, QRectF(196, 310, 102, 12), vertical(310, 322, QColor(136, 130, 114), QColor(84, 80, 70)), Qt::transparent, 4);
  box(p, bezel, vertical(bezel.top(), bezel.bottom(), QColor(142, 136, 120), QColor(104, 99, 86)), QColor(96, 92, 80),
      8);
  const QRectF screen(178, 178, 136, 102);
  box(p, screen.adjusted(-4, -4, 4, 4), QColor(52, 50, 46), Qt::transparent, 6);
  {
    p.save();
    QPainterPath glass;
    glass.addRoundedRect(screen, 7, 7);
    p.setClipPath(glass);
    QRadialGradient g(screen.center(), 100);
    g.setColorAt(0, QColor(40, 96, 150));
    g.setColorAt(1, QColor(10, 34, 66));
    p.fillRect(screen, g);
    // A desktop on the screen: a window with a title bar, some icons.
    box(p, QRectF(screen.left() + 30, screen.top() + 18, 86, 58), QColor(150, 150, 146));
    box(p, QRectF(screen.left() + 30, screen.top() + 18, 86, 8),
        horizontal(0, 0, QColor(20, 30, 110), QColor(20, 30, 110)));
    box(p, QRectF(screen.left() + 34, screen.top() + 30, 78, 42), QColor(226, 226, 220));
    Rng lines(8);
    for (int i = 0; i < 6; ++i) {
      box(p, QRectF(screen.left() + 38, screen.top() + 34 + i * 6, lines.range(24, 66), 2), QColor(90, 90, 96));
    }
    for (int i = 0; i < 4; ++i) {
      box(p, QRectF(screen.left() + 8, screen.top() + 10 + i * 20, 12, 10), QColor(200, 190, 110));
    }
    box(p, QRectF(screen.left(), screen.bottom() - 10, screen.width(), 10), QColor(160, 160, 156));
    box(p, QRectF(screen.left() + 2, screen.bottom() - 8, 22, 6), QColor(120, 120, 118));
    // Scan lines and the glass's curve.
    for (double y = screen.top(); y < screen.bottom(); y += 2) {
      box(p, QRectF(screen.left(), y, screen.width(), 1), QColor(0, 0, 0, 34));
    }
    QRadialGradient curve(screen.topLeft() + QPointF(30, 20), 120);
    curve.setColorAt(0, QColor(255, 255, 255, 40));
    curve.setColorAt(0.5, QColor(255, 255, 255, 0));
    curve.setColorAt(1, QColor(0, 0, 0, 90));
    p.fillRect(screen, curve);
    p.restore();
  }
  // Power light and buttons on the bezel.
  p.setBrush(QColor(110, 240, 130));
  p.drawEllipse(QPointF(bezel.right() - 16, bezel.bottom() - 10), 1.8, 1.8);
  box(p, QRectF(bezel.right() - 44, bezel.bottom() - 12, 16, 4), QColor(110, 104, 92), Qt::transparent, 1);
  // Screen light spilling onto the desk.
  glow(p, QPointF(246, 330), 120, 22, QColor(90, 150, 220, 70));

  // Keyboard.
  QPolygonF kb;
  kb << QPointF(170, 328) << QPointF(318, 328) << QPointF(330, 350) << QPointF(160, 350);
  QPainterPath kbPath;
  kbPath.addPolygon(kb);
  kbPath.closeSubpath();
  softShadow(p, kbPath, 2, 4, 3, 150);
  p.setBrush(vertical(328, 350, QColor(132, 127, 112), QColor(94, 90, 80)));
  p.setPen(QPen(QColor(80, 76, 66), 1));
  p.drawPolygon(kb);
  p.setPen(Qt::NoPen);
  for (int row = 0; row < 4; ++row) {
    const double y = 331 + row * 4.6;
    const double t = (y - 328) / 22.0;
    const double left = 174 - 10 * t;
    const double right = 314 + 10 * t;
    const int keys = 16;
    const double kw = (right - left) / keys;
    for (int k = 0; k < keys; ++k) {
      box(p, QRectF(left + k * kw + 0.6, y, kw - 1.2, 3.4), QColor(158, 152, 138));
    }
  }
  // Mouse on its mat.
  box(p, QRectF(348, 330, 46, 22), QColor(30, 40, 70), Qt::transparent, 3);
  p.setBrush(vertical(332, 350, QColor(180, 174, 156), QColor(120, 114, 100)));
  p.drawEllipse(QRectF(362, 332, 16, 18));
  p.setPen(QPen(QColor(50, 50, 50), 1));
  p.drawLine(QPointF(370, 332), QPointF(370, 338));
  p.setPen(QPen(QColor(40, 40, 40), 1.2));
  QPainterPath cable;
  cable.moveTo(370, 332);
  cable.cubicTo(372, 320, 330, 322, 320, 318);
  p.setBrush(Qt::NoBrush);
  p.drawPath(cable);
  p.setPen(Qt::NoPen);

  // Mug with a little steam, and a stack of floppy disks, left.
  const QRectF mug(70, 300, 24, 28);
  softShadow(
      p,
      [&] {
        QPainterPath s;
        s.addRect(mug);
        return s;
      }(),
      3, 3, 3, 140);
  box(p, mug, horizontal(mug.left(), mug.right(), QColor(150, 60, 50), QColor(80, 30, 28)), Qt::transparent, 3);
  p.setPen(QPen(QColor(110, 44, 38), 3));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(mug.right() - 5, mug.top() + 6, 12, 13), -90 * 16, 180 * 16);
  p.setPen(QPen(QColor(200, 200, 210, 40), 2));
  QPainterPath steam;
  steam.moveTo(80, 298);
  steam.cubicTo(74, 288, 88, 282, 80, 270);
  p.drawPath(steam);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 4; ++i) {
    const QRectF d(16 + i * 1.5, 324 - i * 4.0, 40, 4);
    box(p, d, i % 2 ? QColor(40, 40, 44) : QColor(30, 50, 90));
  }

  // Desk lamp.
  p.setBrush(vertical(324, 334, QColor(60, 62, 60), QColor(24, 24, 24)));
  p.drawEllipse(QRectF(378, 322, 40, 12));
  p.setPen(QPen(QColor(70, 72, 70), 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(398, 326), QPointF(414, 262));
  p.drawLine(QPointF(414, 262), QPointF(380, 232));
  p.setPen(Qt::NoPen);
  QPolygonF shadeShape;
  shadeShape << QPointF(362, 222) << QPointF(392, 230) << QPointF(376, 268) << QPointF(338, 256);
  p.setBrush(horizontal(338, 392, QColor(44, 70, 54), QColor(24, 40, 30)));
  p.drawPolygon(shadeShape);
  glow(p, QPointF(357, 262), 16, QColor(255, 220, 150, 200));

  // Potted plant on the desk's left corner.
  p.setBrush(horizontal(18, 46, QColor(140, 70, 44), QColor(84, 40, 26)));
  QPolygonF pot;
  pot << QPointF(20, 300) << QPointF(50, 300) << QPointF(46, 326) << QPointF(24, 326);
  p.drawPolygon(pot);
  Rng leaves(3);
  for (int i = 0; i < 9; ++i) {
    const double a = -std::numbers::pi / 2 + leaves.range(-1.1, 1.1);
    const double len = leaves.range(18, 34);
    const QPointF base(35, 300);
    const QPointF tip = base + QPointF(std::cos(a) * len, std::sin(a) * len);
    QPainterPath leaf;
    leaf.moveTo(base);
    leaf.quadTo(base + (tip - base) * 0.5 + QPointF(-std::sin(a) * 6, std::cos(a) * 6), tip);
    leaf.quadTo(base + (tip - base) * 0.5 + QPointF(std::sin(a) * 6, -std::cos(a) * 6), base);
    p.setBrush(mix(QColor(30, 70, 40), QColor(60, 110, 60), leaves.unit()));
    p.drawPath(leaf);
  }

  p.end();
  addGrain(img, 0.025, 101);
  calm(img, 0.8, 0.8);
  vignette(img, 0.55);
}

// ---------------------------------------------------------------------------
// FAMILY: a warm little house at dusk with hearts rising over it, and two
// wedding rings on a velvet cushion in front.

namespace {

// A gold ring seen at an angle: an elliptic band with a bright rim.
void ring(QPainter& p, QPointF c, double rx, double ry, double angle, double width) {
  p.save();
  p.translate(c);
  p.rotate(angle);
  QPainterPath band;
  band.addEllipse(QPointF(0, 0), rx + width / 2, ry + width / 2);
  band.addEllipse(QPointF(0, 0), rx - width / 2, std::max(1.0, ry - width / 2));
  QLinearGradient gold(-rx, -ry, rx, ry);
  gold.setColorAt(0.0, QColor(250, 226, 150));
  gold.setColorAt(0.3, QColor(196, 150, 60));
  gold.setColorAt(0.55, QColor(120, 84, 30));
  gold.setColorAt(0.8, QColor(220, 180, 90));
  gold.setColorAt(1.0, QColor(110, 76, 26));
  p.setPen(QPen(QColor(70, 48, 18), 0.8));
  p.setBrush(gold);
  p.drawPath(band);
  p.restore();
}

}  // namespace

void paintFamily(QImage& img) {
  const int W = img.width();
  const int H = img.height();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const double horizon = 176;

  // Dusk sky, a few first stars.
  QLinearGradient sky(0, 0, 0, horizon);
  sky.setColorAt(0.0, QColor(20, 18, 44));
  sky.setColorAt(0.55, QColor(58, 38, 74));
  sky.setColorAt(1.0, QColor(140, 80, 84));
  box(p, QRectF(0, 0, W, horizon + 2), sky);
  Rng rng(41);
  for (int i = 0; i < 40; ++i) {
    p.setBrush(QColor(230, 220, 255, 60 + rng.below(120)));
    p.drawEllipse(QPointF(rng.range(0, W), rng.range(0, horizon * 0.55)), 0.7, 0.7);
  }
  // Soft clouds lit from below.
  p.drawImage(0, 60, shade(W, 80, [&](double x, double y) {
                const double n = fbm(x / 50.0, y / 18.0, 5, 42);
                const double a = std::clamp((n - 0.52) * 3.0, 0.0, 1.0) * (1.0 - std::abs(y - 40) / 40.0);
                return QColor(170, 110, 120, static_cast<int>(90 * a));
              }));

  // Rolling hills.
  QPainterPath far;
  far.moveTo(0, horizon - 10);
  far.cubicTo(60, horizon - 34, 140, horizon - 6, W, horizon - 26);
  far.lineTo(W, H);
  far.lineTo(0, H);
  far.closeSubpath();
  p.setBrush(vertical(horizon - 30, H, QColor(40, 40, 56), QColor(20, 22, 30)));
  p.drawPath(far);
  QPainterPath near;
  near.moveTo(0, horizon + 8);
  near.cubicTo(80, horizon - 6, 160, horizon + 14, W, horizon + 2);
  near.lineTo(W, H);
  near.lineTo(0, H);
  near.closeSubpath();
  p.setBrush(vertical(horizon, H, QColor(34, 52, 40), QColor(14, 20, 18)));
  p.drawPath(near);

  // A tree beside the house.
  p.setBrush(QColor(30, 22, 20));
  p.drawRect(QRectF(196, 130, 5, 46));
  for (int i = 0; i < 7; ++i) {
    const QPointF c(198 + rng.range(-16, 16), 118 + rng.range(-18, 14));
    p.setBrush(mix(QColor(24, 40, 30), QColor(40, 60, 40), rng.unit()));
    p.drawEllipse(c, rng.range(10, 16), rng.range(9, 13));
  }

  // The house.
  const QRectF walls(58, 108, 108, 72);
  glow(p, walls.center(), 110, QColor(255, 180, 100, 40));
  p.drawImage(walls.topLeft(),
              shade(static_cast<int>(walls.width()), static_cast<int>(walls.height()), [](double x, double y) {
                const double row = std::floor(y / 5.0);
                const double off = std::fmod(row, 2.0) * 6.0;
                const bool mortar = std::fmod(y, 5.0) < 0.9 || std::fmod(x + off, 12.0) < 0.9;
                const QColor brick = mix(QColor(104, 58, 44), QColor(130, 76, 56), fbm(x / 6.0, y / 6.0, 2, 5));
                return mortar ? QColor(70, 56, 50) : brick;
              }));
  box(p, walls, horizontal(walls.left(), walls.right(), QColor(0, 0, 0, 0), QColor(0, 0, 0, 90)));
  // Chimney and its smoke.
  box(p, QRectF(136, 66, 12, 30), QColor(90, 50, 40));
  for (int i = 0; i < 5; ++i) {
    glow(p, QPointF(142 + i * 5 + std::sin(i) * 3, 58 - i * 9), 6 + i * 2.0, QColor(170, 150, 160, 40 - i * 5));
  }
  QPolygonF roof;
  roof << QPointF(48, 112) << QPointF(112, 62) << QPointF(176, 112);
  p.setBrush(vertical(62, 112, QColor(96, 36, 34), QColor(60, 22, 24)));
  p.drawPolygon(roof);
  p.setPen(QPen(QColor(40, 14, 16, 160), 1));
  for (double y = 72; y < 112; y += 7) {
    const double half = (y - 62) / 50.0 * 64.0;
    p.drawLine(QPointF(112 - half, y), QPointF(112 + half, y));
  }
  p.setPen(Qt::NoPen);
  // Lit windows and the door.
  for (double x : {70.0, 134.0}) {
    const QRectF w(x, 124, 20, 20);
    glow(p, w.center(), 24, QColor(255, 200, 110, 90));
    box(p, w, vertical(w.top(), w.bottom(), QColor(255, 214, 130), QColor(220, 150, 70)), QColor(50, 30, 24));
    p.setBrush(QColor(60, 36, 28));
    p.drawRect(QRectF(w.center().x() - 1, w.top(), 2, w.height()));
    p.drawRect(QRectF(w.left(), w.center().y() - 1, w.width(), 2));
  }
  box(p, QRectF(102, 140, 20, 40), vertical(140, 180, QColor(80, 48, 32), QColor(50, 30, 20)), QColor(30, 18, 12));
  p.setBrush(QColor(220, 180, 90));
  p.drawEllipse(QPointF(118, 162), 1.4, 1.4);
  // Round window in the gable.
  glow(p, QPointF(112, 92), 12, QColor(255, 200, 110, 90));
  p.setBrush(QColor(230, 176, 96));
  p.drawEllipse(QPointF(112, 92), 6, 6);
  // Path to the door.
  QPainterPath path;
  path.moveTo(102, 180);
  path.lineTo(122, 180);
  path.cubicTo(130, 200, 150, 215, 170, 240);
  path.lineTo(110, 240);
  path.cubicTo(116, 215, 100, 200, 102, 180);
  p.setBrush(vertical(180, 240, QColor(90, 76, 62, 160), QColor(50, 42, 36, 90)));
  p.drawPath(path);

  // Hearts rising into the sky.
  const struct {
    double x, y, size;
    int alpha;
  } hearts[] = {{40, 40, 16, 150}, {82, 22, 10, 120}, {176, 36, 20, 160}, {206, 74, 11, 120},
                {24, 92, 9, 100},  {150, 18, 8, 100}, {112, 40, 13, 130}};
  for (const auto& h : hearts) {
    glow(p, QPointF(h.x, h.y), h.size * 1.3, QColor(255, 90, 110, h.alpha / 3));
    QLinearGradient g(h.x, h.y - h.size / 2, h.x, h.y + h.size / 2);
    g.setColorAt(0, QColor(240, 110, 130, h.alpha));
    g.setColorAt(1, QColor(150, 30, 50, h.alpha));
    p.setBrush(g);
    p.drawPath(heart(QPointF(h.x, h.y), h.size));
  }

  // The cushion with the two rings.
  QPainterPath cushion;
  cushion.addRoundedRect(QRectF(44, 222, 146, 50), 22, 18);
  softShadow(p, cushion, 0, 6, 6, 170);
  QRadialGradient velvet(QPointF(100, 232), 110);
  velvet.setColorAt(0, QColor(130, 30, 50));
  velvet.setColorAt(1, QColor(46, 8, 20));
  p.setBrush(velvet);
  p.drawPath(cushion);
  p.setPen(QPen(QColor(200, 160, 80, 120), 1.2, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(50, 227, 134, 40), 18, 14);
  p.setPen(Qt::NoPen);
  // Tassels.
  for (double x : {46.0, 188.0}) {
    p.setBrush(QColor(190, 150, 70));
    p.drawEllipse(QPointF(x, 226), 3, 3);
    p.drawEllipse(QPointF(x, 268), 3, 3);
  }
  ring(p, QPointF(102, 236), 20, 9, -8, 5);
  ring(p, QPointF(132, 240), 20, 9, 10, 5);
  // The first ring passes in front of the second at the left crossing.
  p.save();
  p.setClipRect(QRectF(108, 226, 10, 22));
  ring(p, QPointF(102, 236), 20, 9, -8, 5);
  p.restore();
  p.setBrush(QColor(255, 255, 230, 230));
  p.drawEllipse(QPointF(88, 229), 1.6, 1.6);
  glow(p, QPointF(88, 229), 7, QColor(255, 250, 210, 140));
  glow(p, QPointF(146, 233), 5, QColor(255, 250, 210, 110));

  p.end();
  addGrain(img, 0.02, 202);
  calm(img, 0.82, 0.8);
  vignette(img, 0.5);
}

// ---------------------------------------------------------------------------
// EDUC: a classroom: a chalked blackboard, a teacher's desk with books, a
// globe and an apple.

void paintEduc(QImage& img) {
  const int W = img.width();
  const int H = img.height();
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);

  // Wall above wooden panelling.
  p.drawImage(0, 0, mottledTexture(W, H, QColor(40, 54, 54), QColor(58, 72, 68), 30, 51));
  p.drawImage(0, 196, woodTexture(W, H - 196, QColor(48, 32, 22), QColor(80, 56, 38), 0.5, 52));
  for (double x = 0; x < W; x += 40) box(p, QRectF(x, 196, 2, H - 196), QColor(30, 20, 14, 160));
  box(p, QRectF(0, 194, W, 5), vertical(194, 199, QColor(100, 74, 52), QColor(50, 34, 24)));

  // The blackboard in its frame.
  const QRectF board(22, 22, 274, 138);
  QPainterPath framePath;
  framePath.addRect(board.adjusted(-7, -7, 7, 7));
  softShadow(p, framePath, 3, 5, 6, 160);
  box(p, board.adjusted(-7, -7, 7, 7),
      vertical(board.top() - 7, board.bottom() + 7, QColor(110, 80, 52), QColor(64, 44, 28)));
  p.drawImage(board.topLeft(),
              shade(static_cast<int>(board.width()), static_cast<int>(board.height()), [](double x, double y) {
                // Slate with the ghost of wiped chalk.
                const double smear = fbm(x / 26.0, y / 9.0, 5, 61);
                const QColor slate = mix(QColor(22, 46, 36), QColor(30, 58, 46), fbm(x / 60.0, y / 60.0, 3, 60));
                return mix(slate, QColor(90, 110, 100), std::clamp((smear - 0.55) * 1.2, 0.0, 0.25));
              }));
  const QColor chalk(226, 230, 220, 200);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(chalk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  // A right triangle with its right-angle mark.
  QPolygonF tri;
  tri << QPointF(40, 138) << QPointF(110, 138) << QPointF(40, 66);
  p.drawPolygon(tri);
  p.drawPolyline(QPolygonF({QPointF(40, 128), QPointF(50, 128), QPointF(50, 138)}));
  // A circle with its radius.
  p.drawEllipse(QPointF(160, 84), 30, 30);
  p.drawLine(QPointF(160, 84), QPointF(186, 70));
  p.setBrush(chalk);
  p.drawEllipse(QPointF(160, 84), 1.5, 1.5);
  p.setBrush(Qt::NoBrush);
  // Axes and a curve.
  p.drawLine(QPointF(208, 140), QPointF(284, 140));
  p.drawLine(QPointF(214, 146), QPointF(214, 40));
  p.drawLine(QPointF(284, 140), QPointF(279, 137));
  p.drawLine(QPointF(284, 140), QPointF(279, 143));
  p.drawLine(QPointF(214, 40), QPointF(211, 45));
  p.drawLine(QPointF(214, 40), QPointF(217, 45));
  QPainterPath curve;
  for (int i = 0; i <= 40; ++i) {
    const double x = 220 + i * 1.6;
    const double y = 130 - 70 * std::pow(i / 40.0, 2.0);
    if (i == 0)
      curve.moveTo(x, y);
    else
      curve.lineTo(x, y);
  }
  p.drawPath(curve);
  // Scribbled working under the circle: chalk squiggles, not words.
  Rng rng(62);
  p.setPen(QPen(withAlpha(chalk, 170), 1.1, Qt::SolidLine, Qt::RoundCap));
  for (int line = 0; line < 2; ++line) {
    double x = 128;
    const double y = 128 + line * 12;
    while (x < 194) {
      QPainterPath word;
      word.moveTo(x, y);
      const int strokes = 2 + rng.below(4);
      for (int s = 0; s < strokes; ++s) {
        word.cubicTo(x + 1.5, y - 5, x + 3, y + 1, x + 4, y - 2);
        x += 4;
      }
      p.drawPath(word);
      x += 6;
    }
  }
  // A chalk pi beside the triangle.
  p.setPen(QPen(chalk, 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(114, 44), QPointF(128, 43));
  p.drawLine(QPointF(118, 44), QPointF(117, 54));
  QPainterPath piLeg;
  piLeg.moveTo(124, 44);
  piLeg.quadTo(123, 52, 127, 54);
  p.drawPath(piLeg);
  // Chalk tray with chalk and a sponge.
  box(p, QRectF(board.left() - 10, board.bottom() + 7, board.width() + 20, 6),
      vertical(board.bottom() + 7, board.bottom() + 13, QColor(120, 90, 60), QColor(60, 42, 28)));
  box(p, QRectF(60, board.bottom() + 3, 16, 4), QColor(230, 230, 220), Qt::transparent, 1.5);
  box(p, QRectF(84, board.bottom() + 4, 10, 3), QColor(220, 200, 120), Qt::transparent, 1.5);
  box(p, QRectF(228, board.bottom() + 1, 28, 7), vertical(0, 0, QColor(90, 70, 60), QColor(90, 70, 60)),
      Qt::transparent, 2);

  // Daylight from a window out of the picture, falling across the wall.
  QLinearGradient beam(W, 0, 0, H);
  beam.setColorAt(0.0, QColor(255, 240, 200, 40));
  beam.setColorAt(0.6, QColor(255, 240, 200, 0));
  box(p, QRectF(0, 0, W, H), beam);

  // The teacher's desk.
  const double deskY = 240;
  box(p, QRectF(0, deskY, W, 10), vertical(deskY, deskY + 10, QColor(120, 84, 54), QColor(70, 46, 30)));
  p.drawImage(0, static_cast<int>(deskY) + 10,
              woodTexture(W, H - static_cast<int>(deskY) - 10, QColor(40, 26, 18), QColor(72, 48, 32), 0.6, 63));
  box(p, QRectF(0, deskY + 10, W, H - deskY - 10), vertical(deskY + 10, H, QColor(0, 0, 0, 60), QColor(0, 0, 0, 160)));

  // A stack of books, left.
  const struct {
    double w, h;
    QColor c;
  } books[] = {{86, 12, QColor(110, 36, 36)},
               {78, 10, QColor(36, 70, 110)},
               {82, 11, QColor(60, 94, 56)},
               {70, 9, QColor(140, 110, 50)}};
  double y = deskY;
  for (int i = 0; i < 4; ++i) {
    const QRectF b(26 + i * 3.0, y - books[i].h, books[i].w, books[i].h);
    QPainterPath bp;
    bp.addRect(b);
    if (i == 0) softShadow(p, bp, 2, 2, 3, 150);
    box(p, b, vertical(b.top(), b.bottom(), books[i].c.lighter(125), books[i].c.darker(140)), Qt::transparent, 1.5);
    box(p, QRectF(b.right() - 5, b.top() + 2, 4, b.height() - 4), QColor(220, 210, 180));
    box(p, QRectF(b.left() + 10, b.top() + 3, 2, b.height() - 6), QColor(230, 200, 120, 140));
    y -= books[i].h;
  }
  // An apple on the books.
  const QPointF apple(58, y - 11);
  QRadialGradient ag(apple + QPointF(-4, -4), 16);
  ag.setColorAt(0, QColor(230, 80, 60));
  ag.setColorAt(1, QColor(110, 20, 20));
  p.setBrush(ag);
  p.drawEllipse(apple, 12, 11);
  p.setPen(QPen(QColor(70, 40, 20), 1.6));
  p.drawLine(apple + QPointF(0, -10), apple + QPointF(2, -16));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 110, 50));
  p.drawEllipse(QRectF(apple.x() + 2, apple.y() - 18, 9, 4));
  p.setBrush(QColor(255, 255, 255, 90));
  p.drawEllipse(apple + QPointF(-5, -4), 2.5, 2);

  // A globe on its stand, right.
  const QPointF gc(250, 206);
  const double gr = 30;
  p.setBrush(QColor(90, 70, 40));
  p.drawEllipse(QRectF(gc.x() - 18, deskY - 6, 36, 8));
  box(p, QRectF(gc.x() - 2, gc.y() + gr - 2, 4, deskY - gc.y() - gr), QColor(110, 86, 50));
  p.save();
  QPainterPath sphere;
  sphere.addEllipse(gc, gr, gr);
  p.setClipPath(sphere);
  p.drawImage(QPointF(gc.x() - gr, gc.y() - gr),
              shade(static_cast<int>(2 * gr), static_cast<int>(2 * gr), [&](double x, double yy) {
                const double n = fbm(x / 12.0, yy / 12.0, 4, 64);
                return n > 0.55 ? mix(QColor(70, 110, 60), QColor(150, 130, 80), (n - 0.55) * 3) : QColor(40, 80, 140);
              }));
  QRadialGradient shading(gc + QPointF(-10, -12), gr * 1.6);
  shading.setColorAt(0, QColor(255, 255, 255, 50));
  shading.setColorAt(0.5, QColor(0, 0, 0, 0));
  shading.setColorAt(1, QColor(0, 0, 0, 200));
  p.fillRect(QRectF(gc.x() - gr, gc.y() - gr, 2 * gr, 2 * gr), shading);
  p.restore();
  p.setPen(QPen(QColor(170, 140, 80), 2.4));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(gc.x() - gr - 5, gc.y() - gr - 5, 2 * gr + 10, 2 * gr + 10), 200 * 16, 250 * 16);
  p.setPen(Qt::NoPen);

  // Pencils in a cup.
  const QRectF cup(170, deskY - 26, 18, 26);
  for (int i = 0; i < 3; ++i) {
    p.save();
    p.translate(cup.center().x() - 4 + i * 4, cup.top() + 4);
    p.rotate(-14 + i * 14);
    box(p, QRectF(-1.5, -22, 3, 24), i == 1 ? QColor(60, 90, 150) : QColor(200, 160, 50));
    p.restore();
  }
  box(p, cup, horizontal(cup.left(), cup.right(), QColor(90, 90, 96), QColor(50, 50, 56)), Qt::transparent, 2);

  p.end();
  addGrain(img, 0.02, 303);
  calm(img, 0.85, 0.8);
  vignette(img, 0.5);
}

}  // namespace bg
