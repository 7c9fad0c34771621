#include "PuttSimulator.h"

namespace trundlex {

PuttSimulator::PuttSimulator(const Level& level, Probing probing)
    : level_(level), probing_(probing), open_(level) {}

}  // namespace trundlex
