// A game on the Qt frontend in a folder of its own, silent (music and effects
// switched off, no sound device), with the end of the program turned into an
// exception the test can catch.
#pragma once

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

#include "main_window.h"
#include "qt_port.h"
#include "windows/game.h"

namespace kalvitor::qt::testing {

struct ProgramEnded {};

struct Desk {
  QTemporaryDir folder, config;
  std::unique_ptr<QtPort> port;
  std::unique_ptr<Game> game;

  // moduleFolders: where the statistics window's module is looked for.
  explicit Desk(uint64_t seed, QStringList moduleFolders = {}) {
    const QString ini = config.filePath(QStringLiteral("settings.ini"));
    {
      QSettings settings(ini, QSettings::IniFormat);
      settings.setValue(QStringLiteral("Music"), QStringLiteral("0"));
      settings.setValue(QStringLiteral("Effects"), QStringLiteral("0"));
    }
    QtPortOptions options;
    options.openAudio = false;
    options.settingsFile = ini;
    options.endProgram = [] { throw ProgramEnded{}; };
    options.moduleFolders = std::move(moduleFolders);
    port = std::make_unique<QtPort>(options);
    game = std::make_unique<Game>(*port, folder.path().toStdString(), seed);
    port->Attach(*game);
  }
  ~Desk() {
    port.reset();  // the windows go first: they look at the game's forms
    game.reset();
  }
  Desk(const Desk&) = delete;
  Desk& operator=(const Desk&) = delete;

  MainWindow* main() const { return port->mainWindow(); }
};

}  // namespace kalvitor::qt::testing
