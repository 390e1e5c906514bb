// What a button of a place does, in a few words the pointer shows over it:
// composed from the same tables the actions use (prices and effects, the
// catalogues' requirements, the job offers), so that a new player learns
// what a purchase gives and what it needs before trying it. The texts are
// ours; they never change a caption of the game.
#pragma once

#include <string>

namespace kalvitor {

struct GameState;
struct JobOffer;
struct Offer;

// A row of the shop, the hospital or entertainment: "Сытость +20%,
// настроение -15%. Цена $45." The vitals in the row's order; unchanged ones
// are left out.
std::string EffectTip(const Offer& row);
// The next model of a hardware slot: its price, what the slot holds now, and
// what needs at least this model (programs, jobs). `model` past the top: the
// slot is full.
std::string HardwareTip(int slot, int model, const GameState& s);
// A program: free; each of its conditions with whether the computer meets
// it now. `model` past the top: the slot is full.
std::string SoftwareTip(int slot, int model, const GameState& s);
// A job: its wage and its entry conditions.
std::string JobTip(const JobOffer& offer);

}  // namespace kalvitor
