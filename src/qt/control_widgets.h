// The painted pieces of a game window that Qt has no ready widget for: text
// laid straight over the background picture, clickable menu labels, the
// framed panels, filled shapes and the pictures of the small dialogs.
#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QStaticText>
#include <QTextLayout>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

class QPainter;

namespace kalvitor::qt {

// Whether a text shows whole in a box of w x h pixels in this font: every
// line as wide as the box at most, and the lines' letters inside its height
// (the font's spare room below the last line's letters may stick out).
bool TextFitsBox(const QFont& font, const QString& text, int w, int h, bool wrap);

// A label. Over a picture it draws its text with a soft dark shadow so that
// light text stays readable on any part of the picture.
class GameLabel : public QLabel {
  Q_OBJECT
 public:
  explicit GameLabel(QWidget* parent);
  void SetTextColor(const QColor& color);
  void SetShadow(bool on);
  void SetBackColor(const QColor& color, bool transparent);
  // A dark rounded plate under the text, for a line that must read well
  // over any part of the picture.
  void SetPlate(bool on);
  QColor TextColor() const { return color_; }
  // Whether the whole text shows inside the label's box, as it is drawn now
  // (a message being typed: the whole message).
  bool TextFits() const;

  // The message line types its text letter by letter: the whole message is
  // laid out once, where every letter will stand, and each new letter
  // repaints only the spot it lands on. `typed` is the part shown so far;
  // a text that is not the start of `message` leaves typing (setText).
  // `width`: the room for the lines.
  void SetTyping(const QString& message, const QString& typed, int width);
  bool Typing() const { return typing_ != nullptr; }
  // What the label shows: its text, or the part of a message typed so far.
  QString ShownText() const;
  // What a screen reader hears of a typed line: the whole message while it
  // is on the line, not the letters typed so far.
  const QString& ReaderText() const { return readerText_; }
  void SetReaderText(const QString& text) { readerText_ = text; }
  // The mark of a label that has the keyboard.
  void SetFocusMark(bool on);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_ = Qt::white;
  QColor back_;
  bool shadow_ = false;
  bool plate_ = false;
  // The text laid out once per change of text, font, box or alignment: the
  // clock label changes four times a second and is drawn several times over
  // for its shadow.
  QStaticText laidOut_;
  QString laidOutKey_;

  struct TypedMessage {
    QString message;
    QFont font;  // the font, room and wrapping it was laid out for
    int width = 0;
    bool wrap = false;
    QTextLayout layout;
    struct Line {
      int start = 0;         // the line's first letter
      QRectF box;            // the line's place
      std::vector<qreal> x;  // where each of its letters begins, and where the last ends
    };
    std::vector<Line> lines;
    int typed = 0;  // UTF-16 units of the message shown
  };
  std::unique_ptr<TypedMessage> typing_;
  QString readerText_;
  bool focusMark_ = false;
  // Where the letters [from, to) of the message stand, in the label.
  QRegion TypedRegion(int from, int to, int slack) const;
};

// A label that acts on a click: a hand cursor, and underlined on a light
// plate while the mouse is over it. Tab reaches it, Enter and Space press
// it, and while it has the keyboard a bright frame marks it over any picture.
class ClickLabel : public GameLabel {
  Q_OBJECT
 public:
  explicit ClickLabel(QWidget* parent);
  // Pressed by the keyboard or a screen reader, as a click presses it.
  void Activate() { emit clicked(); }
  bool Highlighted() const { return hover_; }

 signals:
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void SetHover(bool on);
  bool pressed_ = false;
  bool hover_ = false;
};

// A list whose entry the player chooses with the mouse or the keyboard: a
// click, or the keys that walk the list (the entry Qt makes current when the
// list takes the focus is no choice until one of those).
class GameList : public QListWidget {
  Q_OBJECT
 public:
  explicit GameList(QWidget* parent);

 signals:
  void chosen(int row);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// A framed group with its caption as the title. Over a picture it is filled
// with a translucent dark tone so that the text on it reads well.
class PanelWidget : public QWidget {
  Q_OBJECT
 public:
  explicit PanelWidget(QWidget* parent);
  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }
  void SetCaptionColor(const QColor& color);
  void SetOverPicture(bool on);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Draw(QPainter& p);
  QString caption_;
  QColor captionColor_ = Qt::white;
  bool overPicture_ = true;
  // The panel drawn once; the labels on it change often, and each change
  // repaints the piece of the panel below the label.
  QPixmap drawn_;
  bool drawnEnabled_ = true;
};

// A filled rectangle (or only its outline when it has no fill).
class ShapeWidget : public QWidget {
  Q_OBJECT
 public:
  explicit ShapeWidget(QWidget* parent);
  void SetFill(const QColor& color, bool filled);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor fill_ = Qt::black;
  bool filled_ = true;
};

// An Image control: its picture fitted to the box with rounded corners, or
// a plain painted box of its tone when it has none.
class PictureWidget : public QWidget {
  Q_OBJECT
 public:
  explicit PictureWidget(QWidget* parent);
  void SetTone(const QColor& color);
  // The picture by its name; a null image draws the plain box.
  void SetPicture(const std::string& name, const QImage& image);
  const std::string& PictureName() const { return pictureName_; }
  bool ShowsPicture() const { return !picture_.isNull(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor tone_ = QColor(0x1C, 0x2C, 0x4C);
  std::string pictureName_;
  QImage picture_;
  // The picture scaled once to the box in the screen's own pixels.
  QPixmap scaled_;
};

}  // namespace kalvitor::qt
