#include "bridge.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "util/tr.h"

// The page's side lives in site/js/bridge.js (Module.kv). The bodies below
// are JavaScript, which clang-format would take apart.
// clang-format off

EM_JS(void, kv_post, (const char* type, const char* json), {
  Module.kv.receive(UTF8ToString(type), UTF8ToString(json));
});

EM_ASYNC_JS(char*, kv_next_event, (double timeoutMs), {
  const event = await Module.kv.nextEvent(timeoutMs);
  return event === null ? 0 : allocateUTF8(event);
});

// IDBFS writes every changed file of the folder in one IndexedDB
// transaction: a saved game and its journal are there both, or both old.
// One sync at a time, in the order asked; a store that cannot be used
// leaves the files in memory. While it stores, the page says so (and asks
// before it is left).
EM_JS(void, kv_sync_start, (), {
  const sync = () => new Promise((done) => FS.syncfs(false, (error) => {
    if (error) console.warn("kalvitor: the player's files were not stored", error);
    done();
  }));
  Module.kvStoring = (Module.kvStoring || 0) + 1;
  document.documentElement.dataset.storing = "true";
  Module.kvSyncing = (Module.kvSyncing || Promise.resolve()).then(sync).then(() => {
    if (--Module.kvStoring === 0) delete document.documentElement.dataset.storing;
  });
});

EM_ASYNC_JS(void, kv_sync_wait, (), {
  await Module.kvSyncing;
});

// The page opened the player's store while the program was on its way
// (site/js/store.js); its connection is taken when it is the store IDBFS
// would open itself, else IDBFS opens its own.
EM_ASYNC_JS(void, kv_load_files, (const char* folderName), {
  const folder = UTF8ToString(folderName);
  const opened = await Module.kvPlayerStore;
  if (opened && opened.name === folder && opened.version === IDBFS.DB_VERSION &&
      opened.objectStoreNames.contains(IDBFS.DB_STORE_NAME)) {
    IDBFS.dbs[folder] = opened;
  } else if (opened) {
    opened.close();
  }
  FS.mkdir(folder);
  FS.mount(IDBFS, {}, folder);
  await new Promise((done) => FS.syncfs(true, (error) => {
    if (error) console.warn("kalvitor: the player's files could not be read", error);
    done();
  }));
});

EM_ASYNC_JS(void, kv_halt, (), {
  await new Promise(() => {});
});

// Resolves when the effect has ended; 0 when it could not be heard.
EM_ASYNC_JS(int, kv_play_effect, (const char* name), {
  return (await Module.kv.playEffect(UTF8ToString(name))) ? 1 : 0;
});

EM_JS(void, kv_play_track, (const char* fileName), {
  Module.kv.playTrack(UTF8ToString(fileName));
});

EM_JS(int, kv_track_playing, (), {
  return Module.kv.trackPlaying() ? 1 : 0;
});

// The page's address may stop the computer's clock at a time of its own
// (tests: "?now=2026-12-07T21:47:00"), as the driver's --now does.
EM_JS(void, kv_local_time, (int* out), {
  // Asked at every tick: the address is read once.
  if (Module.kvFixedNow === undefined) {
    const fixed = new URLSearchParams(location.search).get("now");
    Module.kvFixedNow = fixed !== null && !isNaN(new Date(fixed)) ? new Date(fixed).getTime() : null;
  }
  const d = Module.kvFixedNow !== null ? new Date(Module.kvFixedNow) : new Date();
  HEAP32[out >> 2] = d.getFullYear();
  HEAP32[(out >> 2) + 1] = d.getMonth() + 1;
  HEAP32[(out >> 2) + 2] = d.getDate();
  HEAP32[(out >> 2) + 3] = ((d.getHours() * 60 + d.getMinutes()) * 60 + d.getSeconds()) * 1000 + d.getMilliseconds();
});

EM_JS(char*, kv_setting_get, (const char* name), {
  const v = Module.kv.settingGet(UTF8ToString(name));
  return v === null ? 0 : allocateUTF8(v);
});

EM_JS(int, kv_setting_set, (const char* name, const char* value), {
  return Module.kv.settingSet(UTF8ToString(name), UTF8ToString(value)) ? 1 : 0;
});

// The page's address may fix the seed of chance (tests: "?seed=7"); -1 for none.
EM_JS(double, kv_seed, (), {
  const seed = new URLSearchParams(location.search).get("seed");
  return seed !== null && /^[0-9]+$/.test(seed) ? Number(seed) : -1;
});

// The first draws of chance (tests: "?rnd=0,0.10667,0.75"); null for none.
EM_JS(char*, kv_draws, (), {
  const draws = new URLSearchParams(location.search).get("rnd");
  return draws === null ? 0 : allocateUTF8(draws);
});

// A test or the bench may make the program's time run faster ("?warp=50":
// the clock ticks every 5 ms, a message types in a fiftieth of its time),
// to live through years in minutes; 1 for the real time.
EM_JS(double, kv_warp, (), {
  const warp = new URLSearchParams(location.search).get("warp");
  return warp !== null && /^[0-9]+$/.test(warp) && Number(warp) >= 1 && Number(warp) <= 1000 ? Number(warp) : 1;
});

// One tag after another, separated by commas (a tag has none).
EM_JS(char*, kv_browser_languages, (), {
  const tags = navigator.languages && navigator.languages.length ? navigator.languages : [navigator.language || ""];
  return allocateUTF8(tags.join(","));
});

// clang-format on

// The page's own texts in the game's language (site/js/lang.js): the
// catalogue's text for a Russian one (in a context, unless it is ""), or
// the same. Called by the page also while the program waits for an event;
// it only reads the catalogue.
extern "C" EMSCRIPTEN_KEEPALIVE const char* kv_tr(const char* context, const char* russian) {
  static std::string shown;
  shown = *context ? kalvitor::TrC(context, russian) : kalvitor::Tr(russian);
  return shown.c_str();
}

namespace kalvitor::web {
namespace {

std::string Taken(char* s) {
  if (s == nullptr) return {};
  std::string out(s);
  std::free(s);
  return out;
}

std::vector<std::string> SplitCommas(const std::string& list) {
  std::vector<std::string> items;
  for (size_t at = 0; at <= list.size();) {
    const size_t end = std::min(list.find(',', at), list.size());
    items.push_back(list.substr(at, end - at));
    at = end + 1;
  }
  return items;
}

}  // namespace

void Post(const std::string& type, const std::string& json) { kv_post(type.c_str(), json.c_str()); }

std::string NextEvent(double timeoutMs) { return Taken(kv_next_event(timeoutMs)); }

void SyncPlayerFiles(bool wait) {
  kv_sync_start();
  if (wait) kv_sync_wait();
}

void LoadPlayerFiles(const std::string& folder) { kv_load_files(folder.c_str()); }

void Halt() {
  kv_halt();
  std::abort();
}

double NowMs() { return emscripten_get_now(); }

std::optional<uint64_t> SeedFromPage() {
  const double seed = kv_seed();
  if (seed < 0) return std::nullopt;
  return static_cast<uint64_t>(seed);
}

std::vector<double> DrawsFromPage() {
  std::vector<double> draws;
  for (const std::string& item : SplitCommas(Taken(kv_draws()))) {
    char* stop = nullptr;
    const double d = std::strtod(item.c_str(), &stop);
    if (!item.empty() && *stop == '\0' && d >= 0 && d < 1) draws.push_back(d);
  }
  return draws;
}

double TimeWarpFromPage() { return kv_warp(); }

void LocalTime(int out[4]) { kv_local_time(out); }

std::vector<std::string> BrowserLanguages() { return SplitCommas(Taken(kv_browser_languages())); }

std::string StoredSetting(const std::string& name) {
  char* v = kv_setting_get(name.c_str());
  return v == nullptr ? std::string("\x01") : Taken(v);
}

bool PlayPageEffect(const std::string& name) { return kv_play_effect(name.c_str()) != 0; }

void PlayPageTrack(const std::string& fileName) { kv_play_track(fileName.c_str()); }

bool PageTrackPlaying() { return kv_track_playing() != 0; }

bool StoreSetting(const std::string& name, const std::string& value) {
  return kv_setting_set(name.c_str(), value.c_str()) != 0;
}

}  // namespace kalvitor::web
