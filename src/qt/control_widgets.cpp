#include "control_widgets.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextLine>
#include <algorithm>

namespace kalvitor::qt {
namespace {

const QColor kFocusPlate(0xFF, 0xD0, 0x40);
const QColor kFocusInk(0x14, 0x10, 0x08);

}  // namespace

GameLabel::GameLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAttribute(Qt::WA_TranslucentBackground);
}

void GameLabel::SetTextColor(const QColor& color) {
  if (color_ == color) return;
  color_ = color;
  update();
}

void GameLabel::SetShadow(bool on) {
  if (shadow_ == on) return;
  shadow_ = on;
  update();
}

void GameLabel::SetBackColor(const QColor& color, bool transparent) {
  QColor c = transparent ? QColor() : color;
  if (back_ == c) return;
  back_ = c;
  update();
}

bool TextFitsBox(const QFont& font, const QString& text, int w, int h, bool wrap) {
  if (text.isEmpty()) return true;
  const QFontMetrics fm(font);
  const int flags = Qt::AlignLeft | Qt::AlignTop | (wrap ? Qt::TextWordWrap : 0);
  const QRect need = fm.boundingRect(QRect(0, 0, w, 1 << 20), flags, text);
  const int lines = std::max(1, (need.height() - fm.height() + fm.lineSpacing() / 2) / fm.lineSpacing() + 1);
  const int inkHeight = (lines - 1) * fm.lineSpacing() + fm.ascent() + (fm.descent() + 1) / 2;
  return need.width() <= w && inkHeight <= h;
}

bool GameLabel::TextFits() const {
  const QRect r = contentsRect();
  return TextFitsBox(font(), typing_ ? typing_->message : text(), r.width(), r.height(), wordWrap());
}

QString GameLabel::ShownText() const { return typing_ ? typing_->message.left(typing_->typed) : text(); }

void GameLabel::SetTyping(const QString& message, const QString& typed, int width) {
  if (message.isEmpty() || !message.startsWith(typed)) {
    if (typing_) {
      typing_.reset();
      update();
    }
    if (text() != typed) setText(typed);
    return;
  }
  if (!typing_ || typing_->message != message || typing_->width != width || typing_->wrap != wordWrap() ||
      typing_->font != font()) {
    // A new message (or a new box): laid out once, whole, as it will stand
    // when it is typed to the end, with the place of every letter.
    if (!text().isEmpty()) setText(QString());
    typing_ = std::make_unique<TypedMessage>();
    TypedMessage& t = *typing_;
    t.message = message;
    t.font = font();
    t.width = width;
    t.wrap = wordWrap();
    t.layout.setCacheEnabled(true);  // shaped once, not at every paint
    t.layout.setText(message);
    t.layout.setFont(t.font);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(t.wrap ? QTextOption::WordWrap : QTextOption::NoWrap);
    t.layout.setTextOption(option);
    t.layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = t.layout.createLine(); line.isValid(); line = t.layout.createLine()) {
      line.setLineWidth(width);
      line.setPosition(QPointF(0, y));
      y += line.height();
    }
    t.layout.endLayout();
    for (int i = 0; i < t.layout.lineCount(); ++i) {
      const QTextLine line = t.layout.lineAt(i);
      TypedMessage::Line placed{line.textStart(), line.rect(), {}};
      for (int k = 0; k <= line.textLength(); ++k) placed.x.push_back(line.cursorToX(line.textStart() + k));
      t.lines.push_back(std::move(placed));
    }
    t.typed = typed.size();
    update();
    return;
  }
  const int before = typing_->typed;
  typing_->typed = typed.size();
  if (typing_->typed < before)
    update();
  else if (typing_->typed > before)
    update(TypedRegion(before, typing_->typed, 2));
}

QRegion GameLabel::TypedRegion(int from, int to, int slack) const {
  QRegion region;
  const QPoint origin = contentsRect().topLeft();
  for (const TypedMessage::Line& line : typing_->lines) {
    const int last = line.start + static_cast<int>(line.x.size()) - 1;
    const int a = std::max(from, line.start), b = std::min(to, last);
    if (a >= b) continue;
    const qreal x1 = line.x[static_cast<size_t>(a - line.start)], x2 = line.x[static_cast<size_t>(b - line.start)];
    const QRectF spot(std::min(x1, x2) - slack, line.box.top(), std::abs(x2 - x1) + 2 * slack, line.box.height());
    region += spot.toAlignedRect().translated(origin);
  }
  return region;
}

void GameLabel::SetPlate(bool on) {
  if (plate_ == on) return;
  plate_ = on;
  update();
}

void GameLabel::SetFocusMark(bool on) {
  if (focusMark_ == on) return;
  focusMark_ = on;
  update();
}

namespace {

// A rounded plate over the whole of a label, with a thin edge.
void DrawPlate(QPainter& p, const QRect& rect, qreal radius, const QColor& fill, const QColor& edge) {
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath path;
  path.addRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  p.fillPath(path, fill);
  p.setPen(QPen(edge, 1));
  p.drawPath(path);
  p.setRenderHint(QPainter::Antialiasing, false);
}

}  // namespace

void GameLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // A label of its own colour: a rounded plate, as the shapes are drawn.
  if (back_.isValid()) DrawPlate(p, rect(), 6, back_, QColor(255, 255, 255, 110));
  // The focus mark: dark letters on a bright amber plate, which reads over
  // light and dark parts of a picture alike.
  if (focusMark_) DrawPlate(p, rect(), 4, kFocusPlate, QColor(0, 0, 0, 190));
  if (plate_) DrawPlate(p, rect(), 6, QColor(8, 14, 28, 215), QColor(255, 255, 255, 80));
  if (typing_) {
    // Only the letters typed so far show; the rest of the laid-out message
    // waits outside the clip.
    QColor ink = color_;
    if (!isEnabled()) ink.setAlpha(140);
    p.setPen(ink);
    p.setClipRegion(TypedRegion(0, typing_->typed, 0), Qt::IntersectClip);
    typing_->layout.draw(&p, contentsRect().topLeft());
    return;
  }
  const QRect r = contentsRect();
  const Qt::Alignment align = alignment();
  const QString key = text() + QChar(0) + font().key() + QChar(0) + QString::number(r.width()) + QChar(0) +
                      QString::number(static_cast<int>(align)) + QChar(0) + (wordWrap() ? u'w' : u'-');
  if (key != laidOutKey_) {
    laidOutKey_ = key;
    QTextOption option(align & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    // Static text does not break plain text at '\n': line breaks go in as markup.
    if (text().contains(QLatin1Char('\n'))) {
      laidOut_ = QStaticText(text().toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>")));
      laidOut_.setTextFormat(Qt::RichText);
    } else {
      laidOut_ = QStaticText(text());
      laidOut_.setTextFormat(Qt::PlainText);
    }
    laidOut_.setTextOption(option);
    laidOut_.setTextWidth(r.width());
    laidOut_.prepare(QTransform(), font());
  }
  QPointF at = r.topLeft();
  if (align & Qt::AlignVCenter) at.ry() += (r.height() - laidOut_.size().height()) / 2;
  p.setFont(font());
  if (focusMark_) {
    p.setPen(kFocusInk);
    p.drawStaticText(at, laidOut_);
    return;
  }
  if (shadow_) {
    // A one-pixel halo, darker below and to the right: readable over light
    // and busy parts of a picture without looking like an outline font.
    p.setPen(QColor(0, 0, 0, 150));
    for (QPointF d : {QPointF(1, 1), QPointF(-1, 0), QPointF(1, 0), QPointF(0, 1), QPointF(0, -1)})
      p.drawStaticText(at + d, laidOut_);
  }
  QColor ink = color_;
  if (!isEnabled() && !shadow_) ink.setAlpha(140);
  p.setPen(ink);
  p.drawStaticText(at, laidOut_);
}

ClickLabel::ClickLabel(QWidget* parent) : GameLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  // Tab reaches it; a click does not move the keyboard to it, as before.
  setFocusPolicy(Qt::TabFocus);
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
  const bool press = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (press && plain) {
    event->accept();
    if (!event->isAutoRepeat()) emit clicked();
    return;
  }
  GameLabel::keyPressEvent(event);
}

void ClickLabel::focusInEvent(QFocusEvent* event) {
  GameLabel::focusInEvent(event);
  SetFocusMark(true);
}

void ClickLabel::focusOutEvent(QFocusEvent* event) {
  GameLabel::focusOutEvent(event);
  SetFocusMark(false);
}

void ClickLabel::SetHover(bool on) {
  if (hover_ != on) {
    hover_ = on;
    update();
  }
  QFont f = font();
  if (f.underline() == on) return;
  f.setUnderline(on);
  setFont(f);
}

void ClickLabel::paintEvent(QPaintEvent* event) {
  if (hover_) {
    // The plate under the pointer: light enough to see on the dark panels
    // and on the light dialogs alike.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    QColor plate = TextColor();
    plate.setAlpha(48);
    p.fillPath(path, plate);
  }
  GameLabel::paintEvent(event);
}

void ClickLabel::enterEvent(QEnterEvent* event) {
  SetHover(isEnabled());
  GameLabel::enterEvent(event);
}

void ClickLabel::leaveEvent(QEvent* event) {
  SetHover(false);
  pressed_ = false;
  GameLabel::leaveEvent(event);
}

void ClickLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled()) {
    SetHover(false);
    pressed_ = false;
  }
  GameLabel::changeEvent(event);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressed_ = true;
    event->accept();
    return;
  }
  GameLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && pressed_) {
    pressed_ = false;
    event->accept();
    // A click counts when the button is let go over the label.
    if (rect().contains(event->position().toPoint())) emit clicked();
    return;
  }
  GameLabel::mouseReleaseEvent(event);
}

GameList::GameList(QWidget* parent) : QListWidget(parent) {}

void GameList::keyPressEvent(QKeyEvent* event) {
  // The keys that walk the list choose; letters only look for an entry (and
  // the pause key pauses), as before.
  static const int kChoosing[] = {Qt::Key_Up,   Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
                                  Qt::Key_Home, Qt::Key_End,  Qt::Key_Space};
  const bool choosing = std::find(std::begin(kChoosing), std::end(kChoosing), event->key()) != std::end(kChoosing);
  const int before = currentRow();
  const bool wasChosen = before >= 0 && item(before)->isSelected();
  QListWidget::keyPressEvent(event);
  const int row = currentRow();
  if (choosing && row >= 0 && (row != before || !wasChosen || event->key() == Qt::Key_Space)) emit chosen(row);
}

PanelWidget::PanelWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TranslucentBackground); }

void PanelWidget::SetCaption(const QString& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  drawn_ = QPixmap();
  update();
}

void PanelWidget::SetCaptionColor(const QColor& color) {
  if (captionColor_ == color) return;
  captionColor_ = color;
  drawn_ = QPixmap();
  update();
}

void PanelWidget::SetOverPicture(bool on) {
  if (overPicture_ == on) return;
  overPicture_ = on;
  drawn_ = QPixmap();
  update();
}

void PanelWidget::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  if (drawn_.isNull() || drawn_.size() != size() * ratio || drawnEnabled_ != isEnabled()) {
    drawn_ = QPixmap(size() * ratio);
    drawn_.setDevicePixelRatio(ratio);
    drawn_.fill(Qt::transparent);
    drawnEnabled_ = isEnabled();
    QPainter p(&drawn_);
    Draw(p);
  }
  QPainter p(this);
  p.drawPixmap(0, 0, drawn_);
}

void PanelWidget::Draw(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  QFontMetrics fm(font());
  const int titleH = caption_.isEmpty() ? 0 : fm.height() + 4;
  QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath path;
  path.addRoundedRect(box, 6, 6);
  if (overPicture_) {
    p.fillPath(path, QColor(8, 14, 28, isEnabled() ? 168 : 190));
    if (titleH > 0) {
      // The title strip: a little darker, so the caption stands apart.
      p.save();
      p.setClipPath(path);
      p.fillRect(QRectF(box.left(), box.top(), box.width(), titleH), QColor(0, 0, 0, 90));
      p.restore();
    }
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
  } else {
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
  }
  p.drawPath(path);
  if (titleH > 0) {
    p.setFont(font());
    p.setPen(overPicture_ ? captionColor_ : palette().color(QPalette::WindowText));
    p.drawText(QRect(8, 2, width() - 16, titleH - 2), Qt::AlignLeft | Qt::AlignVCenter, caption_);
  }
}

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TranslucentBackground); }

void ShapeWidget::SetFill(const QColor& color, bool filled) {
  fill_ = color;
  filled_ = filled;
  update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath path;
  path.addRoundedRect(box, 8, 8);
  if (filled_) {
    QColor c = fill_;
    c.setAlpha(250);
    p.fillPath(path, c);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.5));
  } else {
    p.setPen(QPen(fill_, 1));
  }
  p.drawPath(path);
}

PictureWidget::PictureWidget(QWidget* parent) : QWidget(parent) {}

void PictureWidget::SetTone(const QColor& color) {
  if (tone_ == color) return;
  tone_ = color;
  update();
}

void PictureWidget::SetPicture(const std::string& name, const QImage& image) {
  pictureName_ = name;
  picture_ = image;
  scaled_ = QPixmap();
  update();
}

void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath path;
  path.addRoundedRect(box, 8, 8);
  if (!picture_.isNull()) {
    const qreal ratio = devicePixelRatioF();
    const QSize device = (QSizeF(size()) * ratio).toSize();
    if (scaled_.isNull() || scaled_.size() != device) {
      scaled_ = QPixmap::fromImage(picture_.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
      scaled_.setDevicePixelRatio(ratio);
    }
    p.setClipPath(path);
    p.drawPixmap(0, 0, scaled_);
    p.setClipping(false);
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.drawPath(path);
    return;
  }
  QLinearGradient g(box.topLeft(), box.bottomRight());
  g.setColorAt(0, tone_.lighter(170));
  g.setColorAt(1, tone_.darker(130));
  p.fillPath(path, g);
  p.setPen(QPen(QColor(255, 255, 255, 90), 1));
  p.drawPath(path);
  // A soft gloss over the upper half.
  QLinearGradient gloss(box.topLeft(), QPointF(box.left(), box.center().y()));
  gloss.setColorAt(0, QColor(255, 255, 255, 60));
  gloss.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillPath(path, gloss);
}

}  // namespace kalvitor::qt
