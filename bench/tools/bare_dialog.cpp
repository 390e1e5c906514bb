// The yardstick for the start-up figure: a plain Qt dialog about the size of
// the game's name dialog.
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#ifdef WITH_SDL_MIXER
#include <SDL_mixer.h>
#endif

int main(int argc, char** argv) {
  QApplication app(argc, argv);
#ifdef WITH_SDL_MIXER
  // Referenced so that the library is really linked and loaded at start.
  if (argc > 99) Mix_Init(0);
#endif
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Dialog"));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QStringLiteral("Name:")));
  layout->addWidget(new QLineEdit);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.show();
  return app.exec();
}
