#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trundlex {

// Which client's putt a server relays: only the putt of the client whose player has the
// turn. Whatever follows the match on the server tells it the owner of each turn; from the
// first time it does, putts from anybody else are refused. Between a stop (or the start) and
// the next turn being handed out, putts are held, one per client: the next player's computer
// may answer the stop faster than this one hands out the turn. Not synchronised (NetGame's
// lock guards it).
class TurnGate {
public:
    static constexpr std::int32_t NoTurn = -1;

    enum class Verdict : std::int32_t { Accept, Held, Refused };
    // What to do with a putt `body` from `sender` now (a held one is kept here).
    Verdict check(std::int32_t sender, std::string_view body);

    // Whether `sender` may aim and putt right now (nothing is held).
    bool allows(std::int32_t sender) const { return !enforced_ || (known_ && sender == owner_); }
    // The turn is about to change hands; held putts are forgotten.
    void inDoubt();
    // The owner of the turn from now on; starts enforcing. The held putt of the owner, if
    // any, and how many held putts of others were refused.
    struct Released {
        std::optional<std::pair<std::int32_t, std::string>> accepted;
        std::vector<std::int32_t> refused;
    };
    Released setOwner(std::int32_t owner);
    // A new game: nobody has the turn; whether it is enforced stays.
    void newGame();

private:
    bool enforced_ = false;
    bool known_ = false;
    std::int32_t owner_ = NoTurn;
    std::vector<std::pair<std::int32_t, std::string>> held_;
};

}  // namespace trundlex
