// What the room host tells its operator: how it started and how it ended (log lines), and
// how it does now (metrics).
#include "RoomHost.h"
#include "RoomHostRoom.h"

namespace trundlex::tool {

std::string RoomHost::startLine(std::uint16_t port) const {
    const AddressLimits::Settings& a = settings_.perAddress;
    std::string courses;
    for (const auto& course : offered_) {
        courses += (courses.empty() ? "" : ", ") + lineSafe(course.name);
    }
    return "start rooms port " + std::to_string(port) + " courses " + courses +
           (settings_.defaultRoom
                ? " default " + lineSafe(settings_.courses[settings_.defaultCourse].name())
                : std::string()) +
           " limits max-rooms " + std::to_string(settings_.maxRooms) + " connections-per-address " +
           std::to_string(a.connections) + " rooms-per-address " + std::to_string(a.roomsAlive) +
           " rooms-per-minute " + std::to_string(a.creationsPerMinute) + " failed-joins " +
           std::to_string(a.failedJoins) + " game-idle " +
           std::to_string(settings_.gameIdle.count()) + " s lobby " +
           std::to_string(settings_.lobbyLimit.count()) + " s rejoin-wait " +
           std::to_string(settings_.rejoinWait.count()) + " s queued " +
           std::to_string(settings_.maxQueuedBytes >> 20) + " MiB" +
           (settings_.logChat ? " log-chat" : "");
}

std::string RoomHost::closingLine() {
    const Counts c = counts();
    return "stop rooms-created " + std::to_string(c.roomsCreated) + " games-started " +
           std::to_string(c.gamesStarted) + " joins " + std::to_string(c.joins) +
           " refused-joins " + std::to_string(c.refusedJoins) + " limit-hits " +
           std::to_string(c.limitHits) + " lobbies-expired " + std::to_string(c.lobbiesExpired) +
           " empty-games-closed " + std::to_string(c.emptyGamesClosed) +
           " clients-shed " + std::to_string(budget_->shed());
}

namespace {

// Prometheus' text format: one metric's help, type and samples.
class Metrics {
public:
    void add(std::string_view name, std::string_view type, std::string_view help,
             const std::vector<std::pair<std::string, std::uint64_t>>& samples) {
        text_ += "# HELP trundlex_" + std::string(name) + " " + std::string(help) + "\n";
        text_ += "# TYPE trundlex_" + std::string(name) + " " + std::string(type) + "\n";
        for (const auto& [labels, value] : samples) {
            text_ += "trundlex_" + std::string(name) + (labels.empty() ? "" : "{" + labels + "}") +
                     " " + std::to_string(value) + "\n";
        }
    }
    void add(std::string_view name, std::string_view type, std::string_view help,
             std::uint64_t value) {
        add(name, type, help, {{std::string(), value}});
    }
    // A histogram of durations in seconds: its cumulative buckets by upper bound ("le"),
    // then the sum and the count.
    void add(std::string_view name, std::string_view help,
             const LatencyHistogram::Snapshot& snapshot) {
        const std::string full = "trundlex_" + std::string(name);
        text_ += "# HELP " + full + " " + std::string(help) + "\n";
        text_ += "# TYPE " + full + " histogram\n";
        for (std::size_t i = 0; i < LatencyHistogram::BucketCount; ++i) {
            const std::string bound = i < LatencyHistogram::BoundsNs.size()
                                          ? secondsText(LatencyHistogram::BoundsNs[i])
                                          : std::string("+Inf");
            text_ += full + "_bucket{le=\"" + bound + "\"} " +
                     std::to_string(snapshot.cumulative[i]) + "\n";
        }
        text_ += full + "_sum " + secondsText(snapshot.sumNs) + "\n";
        text_ += full + "_count " + std::to_string(snapshot.count) + "\n";
    }
    const std::string& text() const { return text_; }

private:
    // Nanoseconds as seconds in decimal ("0.00025"), exactly and whatever the locale.
    static std::string secondsText(std::uint64_t ns) {
        std::string fraction = std::to_string(ns % 1'000'000'000);
        fraction.insert(0, 9 - fraction.size(), '0');
        fraction.erase(fraction.find_last_not_of('0') + 1);
        return std::to_string(ns / 1'000'000'000) + (fraction.empty() ? "" : "." + fraction);
    }

    std::string text_;
};

}  // namespace

std::string RoomHost::metricsText() {
    std::uint64_t lobbies = 0;
    std::uint64_t playing = 0;
    std::uint64_t waiting = 0;
    std::uint64_t tcpClients = 0;
    std::uint64_t webSocketClients = 0;
    NetSession::Refusals refusals;
    std::map<std::string, std::uint64_t> hits;
    Counts counts;
    {
        std::lock_guard lock(mutex_);
        for (const auto& [code, room] : rooms_) {
            if (room->ended) {
                continue;
            }
            ++(!room->started ? lobbies : room->emptySince ? waiting : playing);
            const NetGame::Transports transports = room->net->connectionsByTransport();
            tcpClients += static_cast<std::uint64_t>(transports.tcp);
            webSocketClients += static_cast<std::uint64_t>(transports.webSocket);
            const NetSession::Refusals r = room->net->refusals();
            refusals.badForm += r.badForm;
            refusals.outOfTurn += r.outOfTurn;
            refusals.chat += r.chat;
            refusals.forgedName += r.forgedName;
            refusals.unknownLetter += r.unknownLetter;
            refusals.levelRequest += r.levelRequest;
        }
        hits = limitHitsByKind_;
        counts = counts_;
    }
    Metrics m;
    m.add("rooms", "gauge", "Rooms by phase.",
          {{"phase=\"lobby\"", lobbies}, {"phase=\"playing\"", playing},
           {"phase=\"waiting\"", waiting}});
    m.add("clients", "gauge", "Clients in rooms by transport.",
          {{"transport=\"tcp\"", tcpClients}, {"transport=\"websocket\"", webSocketClients}});
    m.add("door_visitors", "gauge", "Connections at the door, not yet in a room.",
          static_cast<std::uint64_t>(gate_->waiting()));
    m.add("http_connections", "gauge", "HTTP connections being served.",
          http_ ? static_cast<std::uint64_t>(http_->connections()) : 0);
    m.add("queued_bytes", "gauge", "Bytes waiting to be sent to all clients.",
          static_cast<std::uint64_t>(budget_->queued()));
    m.add("resident_memory_bytes", "gauge", "Resident memory of the host.",
          static_cast<std::uint64_t>(residentKib()) * 1024);
    m.add("relay_latency_seconds",
          "Time from reading a client's putt, aim or chat line to queueing it for the others "
          "in its room.",
          relayLatency_->snapshot());
    m.add("relay_refusals_total", "counter", "Client messages the rooms refused, by reason.",
          {{"reason=\"bad_form\"", refusals.badForm},
           {"reason=\"out_of_turn\"", refusals.outOfTurn},
           {"reason=\"chat\"", refusals.chat},
           {"reason=\"forged_name\"", refusals.forgedName},
           {"reason=\"unknown_letter\"", refusals.unknownLetter},
           {"reason=\"level_request\"", refusals.levelRequest}});
    std::vector<std::pair<std::string, std::uint64_t>> byKind;
    for (const auto& [kind, count] : hits) {
        byKind.emplace_back("kind=\"" + kind + "\"", count);
    }
    m.add("limit_hits_total", "counter", "Per-address and door limits hit, by kind.", byKind);
    m.add("rooms_created_total", "counter", "Rooms created.", counts.roomsCreated);
    m.add("games_started_total", "counter", "Games started.", counts.gamesStarted);
    m.add("joins_total", "counter", "Clients that joined or rejoined a room.", counts.joins);
    m.add("refused_joins_total", "counter", "Joins refused.", counts.refusedJoins);
    m.add("lobbies_expired_total", "counter", "Lobbies closed unstarted.", counts.lobbiesExpired);
    m.add("empty_games_closed_total", "counter", "Games nobody came back to.",
          counts.emptyGamesClosed);
    m.add("clients_shed_total", "counter", "Clients dropped over the send budget.",
          static_cast<std::uint64_t>(budget_->shed()));
    return m.text();
}

}  // namespace trundlex::tool
