#include "life/life.h"

namespace kalvitor {

Life::Life(FrontendPort& p, GameFolders folders, uint64_t seed) : port(p), rnd(seed), folders_(std::move(folders)) {}

}  // namespace kalvitor
