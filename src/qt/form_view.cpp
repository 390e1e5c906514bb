#include "form_view.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "accessibility.h"
#include "control_widgets.h"
#include "media.h"
#include "util/text_format.h"
#include "util/tr.h"

namespace kalvitor::qt {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QColor Rgb(uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// A text box taller than two lines is a multi-line box.
bool IsMultiLine(const Control& c) { return c.design.h >= 44 || c.design.text.find('\n') != std::string::npos; }

// Shown only when the control and every panel it sits on are.
bool VisibleInModel(const Control& c) {
  for (const Control* p = &c; p != nullptr; p = p->parent)
    if (!p->props.visible) return false;
  return true;
}

bool EnabledInModel(const Control& c) {
  for (const Control* p = &c; p != nullptr; p = p->parent)
    if (!p->props.enabled) return false;
  return true;
}

// A label laid over an Image control that shows a picture, as the logo's words.
bool LiesOnPicture(const Form& form, const Control& label) {
  const ControlProps& l = label.props;
  for (const Control& c : form.Controls()) {
    const ControlProps& p = c.props;
    if (c.kind != ControlKind::Image || p.picture.empty() || !VisibleInModel(c)) continue;
    if (l.x >= p.x && l.y >= p.y && l.x + l.w <= p.x + p.w && l.y + l.h <= p.y + p.h) return true;
  }
  return false;
}

bool SitsOn(const Control& c, const Control& panel) {
  for (const Control* p = c.parent; p != nullptr; p = p->parent)
    if (p == &panel) return true;
  return false;
}

QFont FontOf(const ControlProps& p) {
  QFont f = QApplication::font();
  f.setPointSize(p.fontPt > 0 ? p.fontPt : 9);
  f.setBold(p.bold);
  return f;
}

Qt::Alignment HorizontalAlign(ControlProps::Align a) {
  switch (a) {
    case ControlProps::Center:
      return Qt::AlignHCenter;
    case ControlProps::Right:
      return Qt::AlignRight;
    case ControlProps::Left:
      break;
  }
  return Qt::AlignLeft;
}

// The font a label's text is drawn in: the model's, or a point or two
// smaller when the text would not fit its box otherwise. Long texts wrap
// when the box holds more than one line; short ones sit in its middle.
QFont FitText(QFont font, const QString& text, int w, int h, bool* wrap) {
  constexpr int kSmallestPt = 7;
  constexpr int kNarrowest = 66;  // per cent of the letters' natural width
  *wrap = false;
  if (w <= 0 || h <= 0 || text.isEmpty()) return font;
  const bool roomForLines = TextFitsBox(font, QStringLiteral("A\nA"), w, h, false);
  for (;;) {
    if (!text.contains(QLatin1Char('\n')) && TextFitsBox(font, text, w, h, false)) {
      *wrap = false;
      return font;
    }
    if (roomForLines && TextFitsBox(font, text, w, h, true)) {
      *wrap = true;
      return font;
    }
    // Smaller letters first, then narrower ones: a long name on a one-line
    // row still shows whole.
    if (font.pointSizeF() > kSmallestPt) {
      font.setPointSizeF(font.pointSizeF() - 0.5);
    } else if (const int stretch = font.stretch() > 0 ? font.stretch() : 100; !roomForLines && stretch > kNarrowest) {
      font.setStretch(std::max(kNarrowest, stretch - 4));
    } else {
      *wrap = roomForLines;
      return font;
    }
  }
}

// The message line: its text types letter by letter, so it is fitted once,
// for the whole message, in a plate as tall as the message needs within the
// line's own box, which covers no other label.
constexpr int kPlateMargin = 5;
// A label with a back colour of its own is a plate: its text keeps off the
// edges.
constexpr int kPlateInset = 8;

// A one-line text (a button's caption): a smaller font, down to 7 pt, when
// it would be wider than the room it has.
int WidestLine(const QFont& font, const QString& text) {
  const QFontMetrics fm(font);
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) widest = std::max(widest, fm.horizontalAdvance(line));
  return widest;
}

QFont FitOneLine(QFont font, const QString& text, int room) {
  while (font.pointSizeF() > 7 && WidestLine(font, text) > room) font.setPointSizeF(font.pointSizeF() - 0.5);
  return font;
}

// A caption wider than the room, broken at the space that makes its longer
// line shortest; unchanged when it fits or has no space.
QString TwoLines(const QFont& font, const QString& text, int room) {
  const QFontMetrics fm(font);
  if (text.contains(QLatin1Char('\n')) || fm.horizontalAdvance(text) <= room) return text;
  int best = -1, bestWidth = 1 << 30;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] != QLatin1Char(' ')) continue;
    const int w = std::max(fm.horizontalAdvance(text.left(i)), fm.horizontalAdvance(text.mid(i + 1)));
    if (w < bestWidth) {
      bestWidth = w;
      best = i;
    }
  }
  if (best < 0) return text;
  return text.left(best) + QLatin1Char('\n') + text.mid(best + 1);
}

// Buttons read '&' as a shortcut mark; the game's texts mean the sign.
QString ButtonText(const std::string& s) { return Q(s).replace(QLatin1Char('&'), QLatin1String("&&")); }

}  // namespace

QColor FormView::BeyondPicture() { return QColor(0x1B, 0x22, 0x30); }

FormView::FormView(Form& form, FrontendPort& port, QWidget* parent) : QWidget(parent), form_(&form), port_(port) {
  setObjectName(Q(form.Name()));
  setAttribute(Qt::WA_OpaquePaintEvent);
  Build();
  SyncAll();
}

void FormView::Build() {
  // Stacking: panels at the bottom, then the controls in the window's order,
  // then the ones that only appear later (the pause and cheat overlay), so
  // that what pops up covers what stands.
  std::vector<const Control*> order;
  for (const Control& c : form_->Controls())
    if (c.kind == ControlKind::Panel) order.push_back(&c);
  for (const Control& c : form_->Controls())
    if (c.kind != ControlKind::Panel && c.design.visible) order.push_back(&c);
  for (const Control& c : form_->Controls())
    if (c.kind != ControlKind::Panel && !c.design.visible) order.push_back(&c);
  for (const Control* c : order)
    if (QWidget* w = Create(*c)) widgets_[c] = w;
  SetTabOrder();
}

// Tab goes through the controls in the window's order (the order they were
// placed in, which follows the layout), also the ones that show only later.
void FormView::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const Control& c : form_->Controls()) {
    QWidget* w = WidgetOf(c);
    if (w == nullptr || !(w->focusPolicy() & Qt::TabFocus)) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

QWidget* FormView::Create(const Control& c) {
  QWidget* w = nullptr;
  const Control* cp = &c;
  switch (c.kind) {
    case ControlKind::Timer:
      return nullptr;
    case ControlKind::Label:
      w = new GameLabel(this);
      break;
    case ControlKind::ClickLabel: {
      auto* l = new ClickLabel(this);
      connect(l, &ClickLabel::clicked, this, [this, cp] { Clicked(*cp); });
      w = l;
      break;
    }
    case ControlKind::Button: {
      auto* b = new QPushButton(this);
      b->setAutoDefault(false);
      connect(b, &QPushButton::clicked, this, [this, cp] { Clicked(*cp); });
      w = b;
      break;
    }
    case ControlKind::TextBox:
      if (IsMultiLine(c)) {
        auto* e = new QPlainTextEdit(this);
        connect(e, &QPlainTextEdit::textChanged, this, [this, cp, e] { Edited(*cp, e->toPlainText()); });
        w = e;
      } else {
        auto* e = new QLineEdit(this);
        if (c.props.maxLength > 0) e->setMaxLength(c.props.maxLength);
        connect(e, &QLineEdit::textEdited, this, [this, cp](const QString& t) { Edited(*cp, t); });
        w = e;
      }
      break;
    case ControlKind::ListBox: {
      auto* l = new GameList(this);
      // Only the player's own click or key chooses: Qt makes the first entry
      // current when the list takes the focus, which is no choice at all.
      connect(l, &QListWidget::itemClicked, this,
              [this, cp, l](QListWidgetItem* item) { ListChosen(*cp, l->row(item)); });
      connect(l, &GameList::chosen, this, [this, cp](int row) { ListChosen(*cp, row); });
      w = l;
      break;
    }
    case ControlKind::ComboBox: {
      auto* b = new QComboBox(this);
      connect(b, &QComboBox::activated, this, [this, cp](int row) { ListChosen(*cp, row); });
      w = b;
      break;
    }
    case ControlKind::Panel:
      w = new PanelWidget(this);
      break;
    case ControlKind::Shape:
      w = new ShapeWidget(this);
      break;
    case ControlKind::Image:
      w = new PictureWidget(this);
      break;
  }
  w->setObjectName(Q(c.FullName()));
  return w;
}

void FormView::Clicked(const Control& c) {
  if (form_ == nullptr) return;
  // The handler may unload the window and so detach this view; nothing here
  // touches the view after the call.
  form_->Click(c.name, c.index);
}

void FormView::Edited(const Control& c, const QString& text) {
  if (form_ == nullptr) return;
  if (Control* m = form_->Find(c.name, c.index)) m->SetText(text.toStdString());
}

void FormView::ListChosen(const Control& c, int row) {
  if (form_ == nullptr || row < 0) return;
  Control* m = form_->Find(c.name, c.index);
  if (m == nullptr || m->props.listIndex == row) return;
  m->SetListIndex(row);
  if (form_->HasHandler(c.name)) form_->Click(c.name, c.index);
}

void FormView::Detach() {
  form_ = nullptr;
  setEnabled(false);
}

void FormView::SyncAll() {
  if (form_ == nullptr) return;
  SyncForm();
  for (auto& [c, w] : widgets_) Apply(*c, w);
}

void FormView::SyncForm() {
  if (form_ == nullptr) return;
  SyncPicture();
  const QSize size(form_->Width(), form_->Height());
  if (minimumSize() != size || maximumSize() != size) setFixedSize(size);
}

void FormView::SyncPicture() {
  const std::string& name = form_->Background();
  if (pictureChecked_ && name == pictureName_) return;
  pictureChecked_ = true;
  pictureName_ = name;
  picture_ = QPixmap();
  if (!name.empty()) {
    QImage image = media::Background(Q(name));
    if (!image.isNull()) {
      picture_ = QPixmap::fromImage(image);
    } else if (!media::HasBackground(Q(name))) {
      // The picture is missing from the program: say so, and open without it.
      port_.MessageBox(FormatText(Tr("Ошибка при записи файла '%s': resource not found"), {name}), "", MsgIcon::None,
                       MsgButtons::Ok);
      if (form_ == nullptr) return;
    }
  }
  for (auto& [c, w] : widgets_) Apply(*c, w);
  update();
}

void FormView::SyncControl(const Control& control) {
  if (form_ == nullptr) return;
  auto it = widgets_.find(&control);
  if (it != widgets_.end()) Apply(control, it->second);
  if (control.kind == ControlKind::Panel)
    for (auto& [c, w] : widgets_)
      if (SitsOn(*c, control)) Apply(*c, w);
}

namespace {

// A button's caption fitted to its width: broken in two when the button is
// tall enough, made smaller, and as a last resort cut with an ellipsis.
// Returns the whole caption when it shows cut (for the tooltip), else "".
QString ApplyButton(const ControlProps& p, QPushButton* b, const QFont& font) {
  QFont fitted = font;
  QString text = Q(p.text);
  QString cutCaption;
  if (p.w > 0) {
    const int room = p.w - 10;
    // A button tall enough for two lines breaks a long caption in two
    // before it makes the letters smaller.
    if (p.h >= 2 * QFontMetrics(font).lineSpacing() + 6) text = TwoLines(font, text, room);
    fitted = FitOneLine(font, text, room);
    // Still too long even small: cut with an ellipsis, the whole text
    // in the tooltip.
    if (WidestLine(fitted, text) > room) {
      cutCaption = Q(p.text);
      QStringList lines = text.split(QLatin1Char('\n'));
      for (QString& line : lines) line = QFontMetrics(fitted).elidedText(line, Qt::ElideRight, room);
      text = lines.join(QLatin1Char('\n'));
    }
  }
  if (b->font() != fitted) b->setFont(fitted);
  text = ButtonText(text.toStdString());
  if (b->text() != text) b->setText(text);
  return cutCaption;
}

void ApplyTextBox(const ControlProps& p, QWidget* w) {
  // White is the models' default colour, not a choice: a white text in a
  // white box would not be seen, so it keeps the box's own ink.
  if (p.color != kWhite && w->palette().color(QPalette::Text) != Rgb(p.color)) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Text, Rgb(p.color));
    w->setPalette(pal);
  }
  const QString text = Q(p.text);
  if (auto* e = qobject_cast<QLineEdit*>(w)) {
    if (e->text() != text) e->setText(text);
    if (e->isReadOnly() != p.locked) e->setReadOnly(p.locked);
  } else if (auto* e = qobject_cast<QPlainTextEdit*>(w)) {
    if (e->isReadOnly() != p.locked) e->setReadOnly(p.locked);
    if (e->toPlainText() != text) {
      QSignalBlocker block(e);
      e->setPlainText(text);
    }
  }
}

QStringList Items(const ControlProps& p) {
  QStringList items;
  for (const std::string& s : p.items) items << Q(s);
  return items;
}

// A list or a combo box: its items filled again only when they changed, so
// that the player's scroll position and choice stay.
void ApplyList(const ControlProps& p, QListWidget* l) {
  QSignalBlocker block(l);
  const QStringList items = Items(p);
  QStringList shown;
  for (int i = 0; i < l->count(); ++i) shown << l->item(i)->text();
  if (shown != items) {
    l->clear();
    l->addItems(items);
  }
  if (l->currentRow() != p.listIndex) l->setCurrentRow(p.listIndex);
}

void ApplyCombo(const ControlProps& p, QComboBox* b) {
  QSignalBlocker block(b);
  const QStringList items = Items(p);
  QStringList shown;
  for (int i = 0; i < b->count(); ++i) shown << b->itemText(i);
  if (shown != items) {
    b->clear();
    b->addItems(items);
  }
  if (b->currentIndex() != p.listIndex) b->setCurrentIndex(p.listIndex);
}

void ApplyPicture(const ControlProps& p, PictureWidget* picture) {
  picture->SetTone(Rgb(p.backColor));
  // A picture missing from the program leaves the plain box: it is decoration.
  if (picture->PictureName() != p.picture)
    picture->SetPicture(p.picture, p.picture.empty() ? QImage() : media::Picture(Q(p.picture)));
}

}  // namespace

void FormView::ApplyLabel(const Control& c, GameLabel* l, const QFont& font) {
  const ControlProps& p = c.props;
  const QString text = Q(p.text);
  const int inset = p.transparent ? 0 : kPlateInset;
  if (l->contentsMargins().left() != inset) l->setContentsMargins(inset, 0, inset, 0);
  bool wrap = false;
  const QFont fitted = FitText(font, text, p.w - 2 * inset, p.h, &wrap);
  if (l->font() != fitted) l->setFont(fitted);
  if (l->wordWrap() != wrap) l->setWordWrap(wrap);
  const Qt::Alignment align = HorizontalAlign(p.align) | (wrap ? Qt::AlignTop : Qt::AlignVCenter);
  if (l->alignment() != align) l->setAlignment(align);
  if (l->text() != text) l->setText(text);
  l->SetTextColor(Rgb(p.color));
  l->SetBackColor(Rgb(p.backColor), p.transparent);
  l->SetShadow((HasPicture() || LiesOnPicture(*form_, c)) && p.transparent);
}

void FormView::Apply(const Control& c, QWidget* w) {
  const ControlProps& p = c.props;
  QRect geometry(p.x, p.y, p.w, p.h);
  if (p.w <= 0 || p.h <= 0) geometry.setSize(w->sizeHint());
  const QFont font = FontOf(p);
  const bool fitsItsText =
      c.kind == ControlKind::Label || c.kind == ControlKind::ClickLabel || c.kind == ControlKind::Button;
  if (!fitsItsText && w->font() != font) w->setFont(font);
  QString cutCaption;  // a button's whole caption when it shows cut

  switch (c.kind) {
    case ControlKind::Label:
    case ControlKind::ClickLabel:
      if (p.typed)
        geometry = ApplyMessageLine(c, static_cast<GameLabel*>(w));
      else
        ApplyLabel(c, static_cast<GameLabel*>(w), font);
      break;
    case ControlKind::Button:
      cutCaption = ApplyButton(p, static_cast<QPushButton*>(w), font);
      break;
    case ControlKind::TextBox:
      ApplyTextBox(p, w);
      break;
    case ControlKind::ListBox:
      ApplyList(p, static_cast<QListWidget*>(w));
      break;
    case ControlKind::ComboBox:
      ApplyCombo(p, static_cast<QComboBox*>(w));
      break;
    case ControlKind::Panel: {
      auto* panel = static_cast<PanelWidget*>(w);
      panel->SetCaption(Q(p.text));
      panel->SetCaptionColor(Rgb(p.color));
      panel->SetOverPicture(HasPicture());
      break;
    }
    case ControlKind::Shape:
      static_cast<ShapeWidget*>(w)->SetFill(Rgb(p.backColor), !p.transparent);
      break;
    case ControlKind::Image:
      ApplyPicture(p, static_cast<PictureWidget*>(w));
      break;
    case ControlKind::Timer:
      break;
  }

  // What a screen reader calls the standard controls; labels and panels
  // answer for themselves (accessibility.cpp).
  if (c.kind == ControlKind::Button || c.kind == ControlKind::TextBox || c.kind == ControlKind::ListBox ||
      c.kind == ControlKind::ComboBox) {
    const QString name = ReaderName(*form_, c);
    if (w->accessibleName() != name) w->setAccessibleName(name);
  }
  // The model's tip, after the whole caption of a button that shows it cut.
  const QString tip = cutCaption.isEmpty() ? Q(p.tip) : p.tip.empty() ? cutCaption : cutCaption + "\n" + Q(p.tip);
  if (w->toolTip() != tip) w->setToolTip(tip);
  if (w->geometry() != geometry) w->setGeometry(geometry);
  const bool enabled = EnabledInModel(c);
  if (w->isEnabled() != enabled) w->setEnabled(enabled);
  bool visible = VisibleInModel(c);
  // An empty message line shows nothing; it is out of sight until a message
  // comes, so that a screen reader hears it appear with the whole message.
  if (c.props.typed)
    if (auto* l = static_cast<GameLabel*>(w); p.text.empty() && l->ReaderText().isEmpty()) visible = false;
  if (w->isVisibleTo(this) != visible) w->setVisible(visible);
}

void FormView::SetFinalText(const Control& control, const QString& text) {
  if (form_ == nullptr) return;
  finalText_[&control] = text;
  typedWhole_[&control] = false;
  // The reader's text first: the line comes into sight with the whole message.
  if (auto* l = qobject_cast<GameLabel*>(WidgetOf(control)); l != nullptr && !text.isEmpty()) AnnounceMessage(l, text);
  SyncControl(control);
}

void FormView::MessageTyped(const Control& control) {
  if (form_ != nullptr) typedWhole_[&control] = true;
}

QRect FormView::ApplyMessageLine(const Control& c, GameLabel* l) {
  const ControlProps& p = c.props;
  const QString text = Q(p.text);
  const QString& target = finalText_[&c];
  // While it types, the line is laid out for the whole message.
  const QString basis = !target.isEmpty() && target.startsWith(text) ? target : text;
  if (basis != messageFit_.text || messageFit_.text.isNull()) {
    messageFit_.text = basis;
    const int room = p.w - 2 * kPlateMargin;
    messageFit_.font = FitText(FontOf(p), basis, room, p.h - 2 * kPlateMargin, &messageFit_.wrap);
    const QFontMetrics fm(messageFit_.font);
    const int flags = Qt::AlignLeft | Qt::AlignTop | (messageFit_.wrap ? Qt::TextWordWrap : 0);
    const int needed =
        basis.isEmpty() ? fm.height() : fm.boundingRect(QRect(0, 0, room, 1 << 20), flags, basis).height();
    const int lines = std::max(1, (needed - fm.height() + fm.lineSpacing() / 2) / fm.lineSpacing() + 1);
    const int plate = (lines - 1) * fm.lineSpacing() + fm.height() + 2 * kPlateMargin;
    messageFit_.height = std::min(p.h, plate);
  }
  if (l->font() != messageFit_.font) l->setFont(messageFit_.font);
  if (l->wordWrap() != messageFit_.wrap) l->setWordWrap(messageFit_.wrap);
  const Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
  if (l->alignment() != align) l->setAlignment(align);
  l->setContentsMargins(kPlateMargin, kPlateMargin, kPlateMargin, kPlateMargin);
  // Typed letter by letter: each new letter repaints only its own spot.
  l->SetTyping(target, text, p.w - 2 * kPlateMargin);
  l->SetTextColor(Rgb(p.color));
  l->SetBackColor(Rgb(p.backColor), true);
  l->SetShadow(false);
  l->SetPlate(!text.isEmpty());
  // Cleared after it was typed whole: the message has left the line.
  if (text.isEmpty() && typedWhole_[&c]) {
    typedWhole_[&c] = false;
    EndMessage(l);
  }
  if (!l->isVisibleTo(this) || !text.isEmpty()) l->raise();
  // The plate hangs from the top of the line's box.
  return QRect(p.x, p.y, p.w, messageFit_.height);
}

QWidget* FormView::WidgetOf(const std::string& name, int index) const {
  for (auto& [c, w] : widgets_)
    if (c->name == name && c->index == index) return w;
  return nullptr;
}

QPushButton* FormView::ButtonOf(const std::string& name) const { return qobject_cast<QPushButton*>(WidgetOf(name)); }

const Control* FormView::ControlOf(const QWidget* widget) const {
  for (auto& [c, w] : widgets_)
    if (w == widget) return c;
  return nullptr;
}

std::vector<QWidget*> FormView::ReaderOrder() const {
  std::vector<QWidget*> order;
  if (form_ == nullptr) return order;
  for (const Control& c : form_->Controls())
    if (QWidget* w = WidgetOf(c); w != nullptr && !HiddenFromReader(*form_, c)) order.push_back(w);
  return order;
}

QWidget* FormView::WidgetOf(const Control& control) const {
  auto it = widgets_.find(&control);
  return it == widgets_.end() ? nullptr : it->second;
}

QPushButton* FormView::ButtonOf(const Control& control) const { return qobject_cast<QPushButton*>(WidgetOf(control)); }

void FormView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), picture_.isNull() ? palette().color(QPalette::Window) : BeyondPicture());
  if (!picture_.isNull()) p.drawPixmap(0, 0, picture_);
}

}  // namespace kalvitor::qt
