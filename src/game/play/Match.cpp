#include "play/Match.h"

#include <algorithm>
#include <utility>

#include "level/Level.h"
#include "library/LevelLibrary.h"

namespace trundlex {

namespace {

// The valid indices of a selection, each once, in ascending order.
std::vector<std::int32_t> selection(std::span<const std::int32_t> indices, std::int32_t count) {
    std::vector<std::int32_t> sorted;
    for (std::int32_t i : indices) {
        if (i >= 0 && i < count) {
            sorted.push_back(i);
        }
    }
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    return sorted;
}

}  // namespace

Match::Match() = default;

Match::Match(const Match& other) : soundPlayer_(other.soundPlayer_), pump_(other.pump_) {
    copyFrom(other);
}

Match& Match::operator=(const Match& other) {
    if (this != &other) {
        copyFrom(other);
    }
    return *this;
}

Match::Match(Match&& other)
    : name_(std::move(other.name_)),
      players_(std::move(other.players_)),
      levelIds_(std::move(other.levelIds_)),
      hole_(other.hole_),
      current_(other.current_),
      soundPlayer_(other.soundPlayer_),
      pump_(std::move(other.pump_)) {
    other.Clear();
}

Match& Match::operator=(Match&& other) {
    if (this != &other) {
        name_ = std::move(other.name_);
        players_ = std::move(other.players_);
        levelIds_ = std::move(other.levelIds_);
        hole_ = other.hole_;
        current_ = other.current_;
        other.Clear();
        for (const auto& player : players_) {
            equipBall(player->GetBall());
        }
    }
    return *this;
}

Match::~Match() = default;

void Match::copyFrom(const Match& other) {
    std::vector<std::unique_ptr<Player>> players;
    players.reserve(other.players_.size());
    for (const auto& player : other.players_) {
        players.push_back(std::make_unique<Player>(*player));
        equipBall(players.back()->GetBall());
    }
    players_ = std::move(players);
    name_ = other.name_;
    levelIds_ = other.levelIds_;
    hole_ = other.hole_;
    current_ = other.current_;
}

void Match::equipBall(Ball& ball) const {
    ball.SetSoundPlayer(soundPlayer_);
    ball.SetMessagePump(pump_);
}

// --- Players ---

Player& Match::AddPlayer(std::string_view name, std::uint32_t colour, std::int32_t pattern,
                         bool transparent, std::int32_t connection) {
    players_.push_back(std::make_unique<Player>(name, colour, pattern, transparent, connection));
    equipBall(players_.back()->GetBall());
    return *players_.back();
}

bool Match::RemovePlayer(std::int32_t index) {
    if (index < 0 || index >= PlayerCount()) {
        return false;
    }
    players_.erase(players_.begin() + index);
    if (index < current_) {
        --current_;
    }
    if (current_ >= PlayerCount()) {
        current_ = 0;
    }
    return true;
}

std::int32_t Match::RemovePlayersOf(std::int32_t connection) {
    std::int32_t removed = 0;
    for (std::int32_t i = PlayerCount() - 1; i >= 0; --i) {
        if (players_[static_cast<std::size_t>(i)]->GetConnection() == connection) {
            RemovePlayer(i);
            ++removed;
        }
    }
    return removed;
}

std::int32_t Match::ReleasePlayersOf(std::int32_t connection, ComputerStrength hand) {
    std::int32_t released = 0;
    for (const auto& player : players_) {
        if (player->GetConnection() == connection) {
            player->SetLocal();
            player->SetComputer(hand);
            ++released;
        }
    }
    return released;
}

void Match::MakeAllLocal(ComputerStrength hand) {
    for (const auto& player : players_) {
        if (!player->IsLocalPlayer() && hand != ComputerStrength::Person) {
            player->SetComputer(hand);
        }
        player->SetLocal();
    }
}

std::int32_t Match::PlayerCount() const {
    return static_cast<std::int32_t>(players_.size());
}

Player* Match::GetPlayer(std::int32_t index) {
    if (index < 0 || index >= PlayerCount()) {
        return nullptr;
    }
    return players_[static_cast<std::size_t>(index)].get();
}

const Player* Match::GetPlayer(std::int32_t index) const {
    if (index < 0 || index >= PlayerCount()) {
        return nullptr;
    }
    return players_[static_cast<std::size_t>(index)].get();
}

// --- Course ID and levels ---

void Match::AddLevel(std::string_view levelId) {
    levelIds_.emplace_back(levelId);
    name_.clear();
}

bool Match::RemoveLevel(std::int32_t index) {
    if (index < 0 || index >= LevelCount()) {
        return false;
    }
    levelIds_.erase(levelIds_.begin() + index);
    name_.clear();
    return true;
}

void Match::ClearLevels() {
    levelIds_.clear();
    name_.clear();
}

std::int32_t Match::LevelCount() const {
    return static_cast<std::int32_t>(levelIds_.size());
}

std::string Match::GetLevelId(std::int32_t index) const {
    if (index < 0 || index >= LevelCount()) {
        return {};
    }
    return levelIds_[static_cast<std::size_t>(index)];
}

void Match::MoveLevelsUp(std::span<const std::int32_t> indices) {
    name_.clear();
    // Swapping each selected hole with the one above, from the top down, would let a
    // selected hole below a stuck one jump over it and reshuffle the selection.
    std::int32_t stuck = -1;
    for (std::int32_t i : selection(indices, LevelCount())) {
        if (i == 0 || i - 1 == stuck) {
            stuck = i;
            continue;
        }
        std::swap(levelIds_[static_cast<std::size_t>(i)],
                  levelIds_[static_cast<std::size_t>(i - 1)]);
    }
}

void Match::MoveLevelsDown(std::span<const std::int32_t> indices) {
    name_.clear();
    const std::int32_t count = LevelCount();
    std::int32_t stuck = -1;
    const std::vector<std::int32_t> selected = selection(indices, count);
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        const std::int32_t i = *it;
        if (i == count - 1 || i + 1 == stuck) {
            stuck = i;
            continue;
        }
        std::swap(levelIds_[static_cast<std::size_t>(i)],
                  levelIds_[static_cast<std::size_t>(i + 1)]);
    }
}

LevelLoadResult Match::LoadLevel(std::int32_t index, const LevelLibrary& library,
                                 Level& level) const {
    if (index < 0 || index >= LevelCount()) {
        return LevelLoadResult::NoSuchHole;
    }
    const int found = library.findById(levelIds_[static_cast<std::size_t>(index)]);
    if (found < 0) {
        return LevelLoadResult::MissingLevel;
    }
    level = library.at(found);
    return LevelLoadResult::Loaded;
}

LevelLoadResult Match::LoadCurrentLevel(const LevelLibrary& library, Level& level) const {
    return LoadLevel(hole_, library, level);
}

bool Match::AllLevelsAvailable(const LevelLibrary& library) const {
    return std::all_of(levelIds_.begin(), levelIds_.end(),
                       [&](const std::string& id) { return library.findById(id) >= 0; });
}

// --- Every player's ball ---

void Match::SetLevelForAllBalls(const Level& level) {
    for (const auto& player : players_) {
        player->GetBall().SetLevel(level);
    }
}

void Match::SetSoundForAllBalls(bool on) {
    for (const auto& player : players_) {
        player->GetBall().SetSoundOn(on);
    }
}

void Match::SetSoundPlayerForAllBalls(SoundPlayer* player) {
    soundPlayer_ = player;
    for (const auto& p : players_) {
        p->GetBall().SetSoundPlayer(player);
    }
}

void Match::SetMessagePumpForAllBalls(std::function<bool()> pump) {
    pump_ = std::move(pump);
    for (const auto& player : players_) {
        player->GetBall().SetMessagePump(pump_);
    }
}

// --- Holes and turns ---

bool Match::IsOver() const {
    return hole_ >= LevelCount();
}

bool Match::IsPlayingHole() const {
    return hole_ >= 0 && hole_ < LevelCount();
}

bool Match::NextHole() {
    if (IsOver()) {
        return false;
    }
    ++hole_;
    if (IsOver()) {
        return false;
    }
    for (const auto& player : players_) {
        player->SetTurnPending(true);
        player->SetOnHole(true);
    }
    return true;
}

Player* Match::NextPlayer() {
    if (!IsPlayingHole()) {
        return nullptr;
    }
    // Only players still on the hole count for the turn cycle: one who left the hole at the
    // stroke limit keeps its pending flag, and would otherwise hold off every later cycle.
    const bool cycleOpen = std::any_of(players_.begin(), players_.end(), [](const auto& p) {
        return p->IsOnHole() && p->IsTurnPending();
    });
    if (!cycleOpen) {
        for (const auto& player : players_) {
            if (player->IsOnHole()) {
                player->SetTurnPending(true);
            }
        }
    }
    for (std::size_t i = 0; i < players_.size(); ++i) {
        Player& player = *players_[i];
        if (!player.IsOnHole()) {
            continue;
        }
        if (player.StrokesOn(hole_) >= Player::StrokeLimit) {
            if (player.StrokesOn(hole_) == Player::StrokeLimit) {
                player.AddStroke(hole_);
            }
            player.SetOnHole(false);
            continue;
        }
        if (player.IsTurnPending()) {
            player.SetTurnPending(false);
            current_ = static_cast<std::int32_t>(i);
            return &player;
        }
    }
    return nullptr;
}

bool Match::RecordCurrentPutt(double speed, double heading) {
    Player* player = GetCurrentPlayer();
    if (player == nullptr || !IsPlayingHole()) {
        return false;
    }
    return player->RecordPutt(speed, heading, hole_);
}

void Match::CurrentBallStopped(bool inCup) {
    Player* player = GetCurrentPlayer();
    if (inCup && player != nullptr) {
        player->SetOnHole(false);
    }
}

std::int32_t Match::Leader() const {
    std::int32_t leader = 0;
    for (std::int32_t i = 1; i < PlayerCount(); ++i) {
        if (GetPlayer(i)->TotalStrokes() < GetPlayer(leader)->TotalStrokes()) {
            leader = i;
        }
    }
    return leader;
}

std::vector<std::int32_t> Match::Winners() const {
    std::vector<std::int32_t> winners;
    if (players_.empty()) {
        return winners;
    }
    const std::int32_t best = GetPlayer(Leader())->TotalStrokes();
    for (std::int32_t i = 0; i < PlayerCount(); ++i) {
        if (GetPlayer(i)->TotalStrokes() == best) {
            winners.push_back(i);
        }
    }
    return winners;
}

std::string Match::WinnersText() const {
    std::string text;
    bool first = true;
    for (std::int32_t i : Winners()) {
        if (!first) {
            text += WinnerSeparator;
        }
        text += GetPlayer(i)->GetName();
        first = false;
    }
    return text;
}

void Match::Restart() {
    hole_ = -1;
    current_ = 0;
    for (const auto& player : players_) {
        player->Reset();
    }
}

void Match::Clear() {
    levelIds_.clear();
    name_.clear();
    players_.clear();
    hole_ = -1;
    current_ = 0;
}

}  // namespace trundlex
