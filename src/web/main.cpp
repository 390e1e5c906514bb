// The browser game: the engine under the web port, in a page. The game's
// data (jokes, readme, licence, tips) comes with the site at /data; the
// player's files (Save/, games.log) live in the browser's own store,
// mounted at /player and read into memory before the game starts. Tests
// may fix chance through the page's address (?seed=N, ?rnd=a,b,...), as
// the desktop's KALVITOR_TEST_SEED and KALVITOR_TEST_RND do.
#include <cstdint>
#include <cstdio>

#include "bridge.h"
#include "util/tr.h"
#include "web_port.h"
#include "windows/game.h"

int main() {
  using kalvitor::web::WebPort;
  // The page opens its store early under the same name (site/js/store.js).
  constexpr const char* kPlayerFolder = "/player";
  kalvitor::web::LoadPlayerFiles(kPlayerFolder);
  // The game speaks the first of the browser's languages it has, Russian
  // otherwise; a language chosen from the game's menu before comes first.
  kalvitor::SetLanguage(
      kalvitor::ChooseBrowserLanguage(kalvitor::web::BrowserLanguages(), kalvitor::AvailableLanguages()));
  static WebPort port;
  const auto seed = kalvitor::web::SeedFromPage().value_or(static_cast<uint64_t>(kalvitor::web::NowMs() * 1000.0) ^
                                                           static_cast<uint64_t>(port.Now().millisOfDay));
  static kalvitor::Game game(port, kalvitor::GameFolders{"/data", kPlayerFolder}, seed);
  for (const double draw : kalvitor::web::DrawsFromPage()) game.rnd.Force(draw);
  port.Attach(game);
  game.SpeakChosenLanguage();
  game.RunMain();
  port.RunForever();
}
