// The calls between the program and the page. The page keeps a queue of
// the player's input; the program takes one event at a time from it, and
// only while it waits (the page never calls into the program, which may be
// suspended). Everything else goes the other way: news for the view.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvitor::web {

// Sends the page a piece of news: its type and its JSON.
void Post(const std::string& type, const std::string& json);
// The page's next event, fields separated by the unit separator (0x1F), or
// "" when none came within the time. Suspends the program meanwhile.
std::string NextEvent(double timeoutMs);
// Writes the player's folder through to the browser's store; waits for it
// unless `wait` is false (the page still says it is storing meanwhile).
void SyncPlayerFiles(bool wait);
// Reads the player's folder from the browser's store into memory, once,
// before the game starts.
void LoadPlayerFiles(const std::string& folder);
// Never returns: the program stays suspended (the page has ended the game).
[[noreturn]] void Halt();
double NowMs();
// The seed of chance the page's address asks for ("?seed=7", for tests).
std::optional<uint64_t> SeedFromPage();
// The first draws of chance the page's address fixes ("?rnd=0,0.10667,0.75",
// for tests): values in [0, 1), in order; others are left out.
std::vector<double> DrawsFromPage();
// How many times as fast as the real time the program's time runs: 1, or
// what the page's address asks for ("?warp=50", for tests and the bench).
double TimeWarpFromPage();
// The computer's local date and time: {year, month, day, milliseconds of the day}.
void LocalTime(int out[4]);
// Plays an effect in the page (by its upper-case name) and returns when it
// has ended, the program suspended meanwhile: the page keeps the player's
// input for later. False, at once, when it could not be heard (the page has
// no sound yet).
bool PlayPageEffect(const std::string& name);
// The page's music player: starts the track of that file name in place of
// the one playing; "" stops it.
void PlayPageTrack(const std::string& fileName);
// The page's player has a track: playing, being loaded, or waiting for the
// page's sound to start. False once it has ended or could not be played.
bool PageTrackPlaying();
// The browser's languages, the one it prefers first (navigator.languages:
// "en-US", "ru").
std::vector<std::string> BrowserLanguages();
// The settings store (the browser's local storage); "\x01" for none.
std::string StoredSetting(const std::string& name);
bool StoreSetting(const std::string& name, const std::string& value);

}  // namespace kalvitor::web
