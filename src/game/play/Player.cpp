#include "play/Player.h"

#include <numeric>

namespace trundlex {

namespace {

// A ball placed like `source`. The level, the sound player and the message pump
// cannot be read back from a ball; the owner gives them to the new ball.
std::unique_ptr<Ball> copyOfBall(const Ball& source) {
    auto ball = std::make_unique<Ball>(source.GetId());
    ball->SetSoundOn(source.IsSoundOn());
    ball->SetSpeedMode(source.GetSpeedMode());
    ball->SetX(source.GetX());
    ball->SetY(source.GetY());
    return ball;
}

}  // namespace

Player::Player(std::string_view name, std::uint32_t colour, std::int32_t pattern, bool transparent,
               std::int32_t connection)
    : name_(name),
      strokes_(1, 0),
      createdLocal_(connection == LocalConnection),
      ball_(std::make_unique<Ball>(0)),
      style_{colour, pattern, transparent},
      connection_(connection) {}

Player::Player(const Player& other)
    : name_(other.name_),
      putts_(other.putts_),
      strokes_(other.strokes_),
      onHole_(other.onHole_),
      turnPending_(other.turnPending_),
      createdLocal_(other.createdLocal_),
      ball_(copyOfBall(*other.ball_)),
      style_(other.style_),
      connection_(other.connection_),
      computer_(other.computer_),
      peerComputer_(other.peerComputer_),
      roomCreators_(other.roomCreators_) {}

Player& Player::operator=(const Player& other) {
    if (this != &other) {
        Player copy(other);
        name_ = std::move(copy.name_);
        putts_ = std::move(copy.putts_);
        strokes_ = std::move(copy.strokes_);
        onHole_ = copy.onHole_;
        turnPending_ = copy.turnPending_;
        createdLocal_ = copy.createdLocal_;
        // The old ball goes away here, after waiting for a worker it may still have.
        ball_.swap(copy.ball_);
        style_ = copy.style_;
        connection_ = copy.connection_;
        computer_ = copy.computer_;
        peerComputer_ = copy.peerComputer_;
        roomCreators_ = copy.roomCreators_;
    }
    return *this;
}

Player::~Player() = default;

bool Player::AddStroke(std::int32_t hole) {
    if (hole < 0) {
        return false;
    }
    const auto index = static_cast<std::size_t>(hole);
    if (strokes_.size() <= index) {
        strokes_.resize(index + 1, 0);
    }
    ++strokes_[index];
    return true;
}

std::int32_t Player::StrokesOn(std::int32_t hole) const {
    if (hole < 0 || static_cast<std::size_t>(hole) >= strokes_.size()) {
        return 0;
    }
    return strokes_[static_cast<std::size_t>(hole)];
}

std::int32_t Player::TotalStrokes() const {
    return std::accumulate(strokes_.begin(), strokes_.end(), std::int32_t{0});
}

bool Player::RecordPutt(double speed, double heading, std::int32_t hole) {
    if (!AddStroke(hole)) {
        return false;
    }
    putts_.push_back(
        PuttRecord{speed, heading, hole, StrokesOn(hole), ball_->GetX(), ball_->GetY()});
    return true;
}

std::int32_t Player::PuttCount() const {
    return static_cast<std::int32_t>(putts_.size());
}

const PuttRecord* Player::GetPutt(std::int32_t index) const {
    if (index < 0 || index >= PuttCount()) {
        return nullptr;
    }
    return &putts_[static_cast<std::size_t>(index)];
}

void Player::Reset() {
    putts_.clear();
    strokes_.clear();
    onHole_ = true;
    turnPending_ = true;
}

}  // namespace trundlex
