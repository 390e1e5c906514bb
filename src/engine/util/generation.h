// Something that begins anew from time to time (a game of the run, a screen
// opened again) and the one question every routine that waits must ask when
// it gets control back: "is this still the one I began with?".
//
// A routine takes a Guard when it begins. After any call that lets other
// events run (a message box, a wait, a typed message, a modal window) or
// that can end the game (a vital setter's death, a victory, a load), it asks
// the guard before it touches anything again:
//
//   const Guard game = ThisGame();
//   ShowMessage(text);
//   if (game.Over()) return;  // a death or a load meanwhile: not ours any more
#pragma once

#include <cstdint>

namespace kalvitor {

class Generation {
 public:
  // A new one begins: every guard taken before is over.
  void Begin() { ++count_; }

  class Guard {
   public:
    explicit Guard(const Generation& generation) : generation_(&generation), at_(generation.count_) {}
    // True once another one has begun since the guard was taken.
    bool Over() const { return generation_->count_ != at_; }

   private:
    const Generation* generation_;
    uint64_t at_;
  };

  Guard Watch() const { return Guard(*this); }

 private:
  uint64_t count_ = 0;
};

using Guard = Generation::Guard;

}  // namespace kalvitor
