// The calls between the program and the page. The page keeps a queue of
// the player's input; the program takes one event at a time from it, and
// only while it waits (the page never calls into the program, which may be
// suspended). Everything else goes the other way: news for the view.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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
// How many times as fast as the real time the program's time runs: 1, or
// what the page's address asks for ("?warp=50", for tests and the bench).
double TimeWarpFromPage();
// The computer's local date and time: {year, month, day, milliseconds of the day}.
void LocalTime(int out[4]);
// The settings store (the browser's local storage); "\x01" for none.
std::string StoredSetting(const std::string& name);
bool StoreSetting(const std::string& name, const std::string& value);

}  // namespace kalvitor::web
