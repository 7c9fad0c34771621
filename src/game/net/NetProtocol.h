#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trundlex {

// The wire format of a network game: constants, message letters, and the encoding and
// decoding of message bodies. Every number goes through the locale-independent conversions,
// so a computer running in a locale with a decimal comma still writes and reads ".".
namespace netproto {

// The first message on every connection carries this; any other version ends the connection.
// It changes whenever a putt may roll differently, so that two builds that would fall out of
// step never share a game: 1.01 rolls with the portable math, the same bits on every platform.
inline constexpr std::string_view Version = "Trundlex 1.01";
// Ends every message; a body never contains it.
inline constexpr std::string_view Terminator = "\x07\x07";
// A framed message goes out in pieces of at most this many bytes.
inline constexpr std::size_t PieceSize = 220;
inline constexpr std::uint16_t DefaultPort = 49732;

// Bounds on what a peer can make this computer hold. Every legitimate message fits: a level
// text of 99 x 99 blocks is about 80 KB.
inline constexpr std::size_t MaxPendingBytes = 1u << 20;
// Players a match may have in a network game; further "N" messages are refused.
inline constexpr std::int32_t MaxPlayers = 32;
// Level IDs a server may announce; a larger "C" count is refused.
inline constexpr std::int32_t MaxLevels = 1000;
// Bytes of level texts a client takes from its server in one game, however many it asked
// for: enough for a hundred levels of the editor's largest size. A server that sends more is
// left, so a hostile one cannot fill the client's memory.
inline constexpr std::size_t MaxLevelBytesPerGame = 8u << 20;
// Clients a server serves at once; further connections are closed at once.
inline constexpr std::int32_t MaxClients = 16;
// Longest level ID accepted from a server, in bytes (real ones are about 30).
inline constexpr std::size_t MaxLevelIdBytes = 255;
// Longest player name accepted from a peer, in bytes.
inline constexpr std::size_t MaxNameBytes = 255;
// The strongest putt a player can make; a received putt outside 0 ... MaxPuttForce is refused.
inline constexpr double MaxPuttForce = 80.0;
// Ball surface patterns run from 0 to this.
inline constexpr std::int32_t MaxPattern = 8;

// The message letters.
enum Letter : char {
    Hello = 'H',         // version string; both sides, first message
    NewPlayer = 'N',     // player record; client, once per player of its own
    PlayerList = 'O',    // owned player records; server, whenever the lobby's players change
    LevelCount = 'C',    // number of levels; server
    LevelId = 'I',       // one level ID of the match; server, in playing order
    LevelRequest = 'J',  // a level ID the client lacks
    LevelText = 'L',     // a level text, the server's answer to "J"
    Ready = 'R',         // the client holds every level
    Go = 'G',            // server: the game starts or restarts
    Confirm = 'D',       // client: answer to "G"
    Start = 'S',         // server: every client has confirmed
    Putt = 'P',          // force "|" angle
    Aim = 'A',           // aim
    Stopped = 'Q',       // client: my ball stopped; server: every ball stopped
    Chat = 'M',          // name "|" text
    Disconnected = 'T',  // server: names list of a client that left
};

// Appended to the body of an unrecognised message when it is shown as a chat line.
inline constexpr std::string_view BadDataMark = " BADDATA!!! ";

// Reads a body field by field from the left: a field ends at the first "|", which is taken
// away with it; without a "|" the whole rest is the field.
class BodyReader {
public:
    explicit BodyReader(std::string_view body) : rest_(body) {}
    bool empty() const { return rest_.empty(); }
    std::string_view rest() const { return rest_; }
    std::string_view takeField();
    // The next field read like C's atoi (0 when it is not a number).
    std::int32_t takeInt();

private:
    std::string_view rest_;
};

// A player as a "N" message or an "O" list describes it.
struct PlayerRecord {
    std::string name;
    // 0x00BBGGRR.
    std::uint32_t colour = 0;
    std::int32_t pattern = 0;
    bool transparent = false;

    friend bool operator==(const PlayerRecord&, const PlayerRecord&) = default;
};

// "name|colour|pattern|transparent|" with the colour as a signed decimal. The name is
// cleaned first (cleanName), so the record always reads back as one record.
std::string encodePlayerRecord(const PlayerRecord& record);
// Reads one record. False when the fields do not make a player this game accepts (an empty
// or over-long name, a name with a character the wire reserves); the fields are consumed
// either way. A pattern outside 0 ... MaxPattern reads as 0.
bool readPlayerRecord(BodyReader& reader, PlayerRecord& record);

// What an "O" list says of each player after its record. Exactly PlayerOwn marks a player of
// the receiving computer: earlier clients compare the field with it, so the other marks are
// only ever given to the others' players, where an earlier client reads "not mine".
namespace playermark {
inline constexpr std::int32_t Other = 0;
inline constexpr std::int32_t Own = 1;
// Of the room's creator (a room host's lists only).
inline constexpr std::int32_t Creator = 2;
// Its own computer plays it (announced so in its "N").
inline constexpr std::int32_t Computer = 4;
}  // namespace playermark

// A client's "N" for one of its players: the record, then "1|" when the computer putts for
// that player. Earlier servers read the record and ignore what follows it.
std::string encodeNewPlayer(const PlayerRecord& record, bool computer);
// Reads an "N" body: the record (as readPlayerRecord) and whether it names a computer player.
bool readNewPlayer(std::string_view body, PlayerRecord& record, bool& computer);

// The body of a putt, "force|angle", each with six decimals. `force` and `angle` are set to
// the values a receiver reads back from the text, so the sender's own ball rolls exactly as
// the others' do.
std::string encodePutt(double& force, double& angle);
// Reads a putt body. False for a force outside 0 ... MaxPuttForce.
bool decodePutt(std::string_view body, double& force, double& angle);
// The body of an aim, two decimals.
std::string encodeAim(double aim);
// Whether a received body is exactly what encodePutt / encodeAim write for some value. A
// server relays nothing else, so a peer cannot make it copy arbitrary bytes to every other
// computer under the guise of an aim or a putt.
bool isPuttBody(std::string_view body);
bool isAimBody(std::string_view body);

// Names joined with ", ".
std::string joinNames(const std::vector<std::string>& names);

// Why a name or chat text cannot be sent as it is.
enum class TextProblem : std::int32_t {
    None = 0,
    Empty = 1,       // names only: an empty name
    Separator = 2,   // names only: a "|" would split the record
    Terminator = 3,  // a byte 0x07 would end the message early
    TooLong = 4,     // names only: longer than MaxNameBytes
};
// `name` made fit for a record: "|" becomes "/", a 0x07 byte a blank, and it is cut to
// MaxNameBytes; an empty name becomes "?". For names this computer holds already (players of
// a match set up without network rules); names typed for the network are checked instead.
std::string cleanName(std::string_view name);
// `text` with every 0x07 byte made a blank, so it cannot end a message early.
std::string cleanText(std::string_view text);
// Whether a player or chat name can travel in a record or chat message.
TextProblem checkName(std::string_view name);
// Whether a chat text can travel; a "|" in the text is fine, it is the rest of the body.
TextProblem checkChatText(std::string_view text);

}  // namespace netproto
}  // namespace trundlex
