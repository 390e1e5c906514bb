// gen_icon OUTPUT_DIR: draws the game's icon, a monitor whose screen shows a
// pulse line (the life of a computer user), once as shapes on a 256-unit
// square. The same shapes are written as OUTPUT_DIR/kalvitor.svg and painted
// with QPainter into OUTPUT_DIR/kalvitor-SIZE.png for every size the desktop
// and the installed browser game ask for, so that the scalable and the fixed
// icons cannot drift apart. The browser game's "maskable" icon
// (kalvitor-maskable-512.png) is the same monitor on a full night-blue
// plate, small enough to stay whole in the round or rounded mask a phone
// cuts it with (the middle 80% of the square).
#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <QTextStream>
#include <cstdio>
#include <vector>

namespace {

struct Point {
  double x, y;
};

enum class Kind { RoundRect, Polygon, Line, Circle };

// One shape: a rounded box (x, y, w, h, r), a filled polygon, an open line or
// a circle (centre x, y and radius r). No stroke when strokeWidth is 0.
struct Shape {
  Kind kind;
  std::vector<Point> points;
  double w = 0, h = 0, r = 0;
  const char* fill = nullptr;
  const char* stroke = nullptr;
  double strokeWidth = 0;
};

std::vector<Shape> IconShapes() {
  return {
      // The stand: neck and foot.
      {Kind::Polygon, {{106, 180}, {150, 180}, {162, 218}, {94, 218}}, 0, 0, 0, "#a89f88", "#4a4438", 4},
      {Kind::RoundRect, {{60, 212}}, 136, 24, 8, "#c9c1aa", "#4a4438", 4},
      // The monitor's case and its screen.
      {Kind::RoundRect, {{16, 22}}, 224, 170, 22, "#e2dbc6", "#4a4438", 6},
      {Kind::RoundRect, {{36, 40}}, 184, 126, 10, "#15385a", "#0b1d30", 4},
      // The pulse line over a faint baseline, and a coin above it.
      {Kind::Line, {{48, 132}, {208, 132}}, 0, 0, 0, nullptr, "#2d5f86", 4},
      {Kind::Line,
       {{48, 132}, {88, 132}, {104, 92}, {124, 150}, {144, 66}, {162, 132}, {208, 132}},
       0,
       0,
       0,
       nullptr,
       "#7cf06a",
       12},
      {Kind::Circle, {{186, 74}}, 0, 0, 17, "#f4c430", "#9c6f0a", 4},
      // The power lamp.
      {Kind::Circle, {{214, 180}}, 0, 0, 5, "#3fd13f", nullptr, 0},
  };
}

QString Num(double v) { return QString::number(v, 'g', 6); }

QString Svg(const std::vector<Shape>& shapes) {
  QString out;
  QTextStream s(&out);
  s << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
    << "  <title>Kalvitor</title>\n";
  for (const Shape& sh : shapes) {
    QString paint = QStringLiteral(" fill=\"%1\"").arg(QLatin1String(sh.fill ? sh.fill : "none"));
    if (sh.stroke)
      paint += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\" stroke-linejoin=\"round\" stroke-linecap=\"round\"")
                   .arg(QLatin1String(sh.stroke), Num(sh.strokeWidth));
    switch (sh.kind) {
      case Kind::RoundRect:
        s << "  <rect x=\"" << Num(sh.points[0].x) << "\" y=\"" << Num(sh.points[0].y) << "\" width=\"" << Num(sh.w)
          << "\" height=\"" << Num(sh.h) << "\" rx=\"" << Num(sh.r) << "\"" << paint << "/>\n";
        break;
      case Kind::Circle:
        s << "  <circle cx=\"" << Num(sh.points[0].x) << "\" cy=\"" << Num(sh.points[0].y) << "\" r=\"" << Num(sh.r)
          << "\"" << paint << "/>\n";
        break;
      case Kind::Polygon:
      case Kind::Line: {
        QString pts;
        for (const Point& p : sh.points) pts += (pts.isEmpty() ? "" : " ") + Num(p.x) + "," + Num(p.y);
        s << "  <" << (sh.kind == Kind::Polygon ? "polygon" : "polyline") << " points=\"" << pts << "\"" << paint
          << "/>\n";
        break;
      }
    }
  }
  s << "</svg>\n";
  return out;
}

// `plate` fills the whole square and shrinks the shapes to `fraction` of it,
// centred; without one the shapes fill the square on a transparent ground.
QImage Paint(const std::vector<Shape>& shapes, int size, const char* plate = nullptr, double fraction = 1.0) {
  QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
  img.fill(plate ? QColor(QLatin1String(plate)) : QColor(Qt::transparent));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(size * (1 - fraction) / 2, size * (1 - fraction) / 2);
  p.scale(size * fraction / 256.0, size * fraction / 256.0);
  for (const Shape& sh : shapes) {
    p.setBrush(sh.fill ? QBrush(QColor(QLatin1String(sh.fill))) : QBrush(Qt::NoBrush));
    if (sh.stroke) {
      // Thin lines would vanish at 16 px: never under one device pixel.
      const double width = std::max(sh.strokeWidth, 256.0 / size);
      p.setPen(QPen(QColor(QLatin1String(sh.stroke)), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    } else {
      p.setPen(Qt::NoPen);
    }
    QPolygonF poly;
    for (const Point& pt : sh.points) poly << QPointF(pt.x, pt.y);
    switch (sh.kind) {
      case Kind::RoundRect:
        p.drawRoundedRect(QRectF(sh.points[0].x, sh.points[0].y, sh.w, sh.h), sh.r, sh.r);
        break;
      case Kind::Circle:
        p.drawEllipse(QPointF(sh.points[0].x, sh.points[0].y), sh.r, sh.r);
        break;
      case Kind::Polygon:
        p.drawPolygon(poly);
        break;
      case Kind::Line:
        p.drawPolyline(poly);
        break;
    }
  }
  p.end();
  return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString dir = QString::fromLocal8Bit(argv[1]);
  const std::vector<Shape> shapes = IconShapes();

  QFile svg(dir + QStringLiteral("/kalvitor.svg"));
  if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) || svg.write(Svg(shapes).toUtf8()) < 0) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(svg.fileName()));
    return 1;
  }
  std::printf("kalvitor.svg\n");
  // The monitor's rounded corners lie some 148 units (of 256) from the
  // middle: at 68% they stay inside the mask's circle, 40% of the side.
  constexpr double kMaskableFraction = 0.68;
  const QString maskable = dir + QStringLiteral("/kalvitor-maskable-512.png");
  if (!Paint(shapes, 512, "#1b2230", kMaskableFraction).save(maskable, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(maskable));
    return 1;
  }
  std::printf("kalvitor-maskable-512.png\n");
  for (int size : {16, 22, 24, 32, 48, 64, 128, 192, 256, 512}) {
    const QString path = dir + QStringLiteral("/kalvitor-%1.png").arg(size);
    if (!Paint(shapes, size).save(path, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
    std::printf("kalvitor-%d.png\n", size);
  }
  return 0;
}
