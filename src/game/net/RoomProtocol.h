#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trundlex {

// The "W" messages of a room host: one host process serves many games at once, each in a room
// that players join by a short code. A client's first message after the greeting picks what
// it wants ("W?" lists the courses, "W|course" creates a room, "W" code "|" joins one); the
// host answers with the list, with the room ("W" code "|" course "|") or with a refusal
// ("W|" reason, then it closes the connection). A client whose first message is not "W" is
// an earlier version and is served in the host's default room, if it has one.
namespace roomproto {

inline constexpr char Letter = 'W';
// A room's creator asks the host to start the game once every client is ready (empty body).
inline constexpr char StartRequest = 'Y';
// What a host tells a client of its room after the room's answer, as "W" and one of these
// first characters (an earlier client shows them as unreadable lines, nothing worse):
// the client speaks for the room from now on (its creator left the lobby);
inline constexpr char BecameCreator = '!';
// the host's computer plays this player from now on (its computer left the game; one
// message per player, before the "T" that names them all);
inline constexpr char ComputerPlays = '*';
// the host is stopping: the game ends here.
inline constexpr char HostStopping = '.';
// A room's creator asks the host to take a player out of the lobby: "W-" and the name.
inline constexpr char RemovePlayer = '-';
// Right after the room's answer: "W+" and the client's seat token, which gets the client its
// place back should its connection break ("W" code "|" token), also in a started game.
inline constexpr char SeatToken = '+';
// To a client back in its seat, between the start ("G") and its confirmation ("S"): every
// putt of the game so far, in order ("W=" and putt bodies each followed by ";"). Every
// computer rolls them to the same bits, so the client reaches the room's state by replaying.
inline constexpr char CatchUp = '=';
// A player whom the host's computer played is played by its own computer again: "W~" and
// the name.
inline constexpr char PlayerReturned = '~';
// Codes are made of these: no 0/O, 1/I/L that a friend reading a code aloud could confuse.
inline constexpr std::string_view CodeAlphabet = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";
inline constexpr std::size_t CodeLength = 6;
// Seat tokens are this many characters of CodeAlphabet (about 99 bits).
inline constexpr std::size_t TokenLength = 20;
// The most putts a catch-up carries: more than any course of the longest kind takes, well
// within what one message may hold.
inline constexpr std::size_t MaxCatchUpPutts = 20000;
// Rooms a host keeps at once unless told otherwise.
inline constexpr std::size_t DefaultMaxRooms = 1000;
// Longest chat line (name and text) a room relays, in bytes; the game's chat box sends at
// most a few hundred. Longer ones are dropped, so a peer cannot make a public host copy
// megabytes to every client of a room.
inline constexpr std::size_t MaxChatBytes = 1024;
// Longest course name a request may carry, in bytes.
inline constexpr std::size_t MaxCourseNameBytes = 255;

// A code as the host hands it out: CodeLength characters of CodeAlphabet.
bool isCode(std::string_view text);
// A seat token as the host hands it out: TokenLength characters of CodeAlphabet.
bool isToken(std::string_view text);
// A code as a person typed it: spaces and dashes dropped (a code read out or written down in
// groups, "K7Q-X2M"), lower case raised. Empty when it cannot be a code.
std::string normaliseCode(std::string_view typed);

// What a client asks for (the body of its "W" message).
struct Request {
    enum class Kind : std::int32_t { List, Create, Join, Invalid, Rejoin };
    Kind kind = Kind::Invalid;
    // Create: the course wanted (empty: the host's default).
    std::string course;
    // Join and Rejoin: the room's code.
    std::string code;
    // Rejoin: the seat token the host gave ("W+").
    std::string token;

    static Request parse(std::string_view body);
};

// Why a host turns a request down.
enum class Refusal : std::int32_t {
    NoSuchRoom,
    Started,
    Full,
    NoSuchCourse,
    NoFreeRoom,
    // A client of an earlier version, and the host has no default room.
    CodeNeeded,
    // The address has failed to join too often lately (guessing codes, it seems).
    TooManyAttempts,
    // The address has as many rooms open as it may, or has created rooms too fast.
    TooManyRooms,
    // The address has as many connections open as it may.
    TooManyConnections,
    // The room's creator took this client's player out of the lobby.
    Removed,
    // A rejoin whose token names no place kept in the room.
    NoSeat,
};

// The text a refusal carries on the wire (English, as every peer reads it): `subject` is
// the code, or the course's name for NoSuchCourse. Control characters and "|" in the subject
// are left out, so the text stays one field.
std::string refusalText(Refusal refusal, std::string_view subject);

// The bodies of the host's answers (the sender puts Letter before them).
// The courses offered; a name the wire cannot carry (empty, with "|", a control character
// or too long) is left out.
std::string encodeList(const std::vector<std::string>& courses);
std::string encodeRoom(std::string_view code, std::string_view course);
std::string encodeRefusal(Refusal refusal, std::string_view subject);
// The body of a rejoin request.
std::string encodeRejoin(std::string_view code, std::string_view token);
// A catch-up's body ("=" and the putts) from putt bodies as netproto::encodePutt wrote them.
std::string encodeCatchUp(const std::vector<std::string>& putts);
// The putts (force, angle) of a catch-up's body. False for anything but exactly what
// encodeCatchUp writes from at most MaxCatchUpPutts putt bodies.
bool parseCatchUp(std::string_view body, std::vector<std::pair<double, double>>& putts);

// What a client reads from the host's answer.
struct Answer {
    enum class Kind : std::int32_t { List, Room, Refused, Invalid };
    Kind kind = Kind::Invalid;
    std::vector<std::string> courses;
    std::string code;
    std::string course;
    std::string reason;

    static Answer parse(std::string_view body);
};

// A course a host offers: its name and the file it was read from.
struct OfferedCourse {
    std::string name;
    std::string fileName;
};

// The course a "W|" request names: by name, or by file name with or without ".cou" (names
// first, both exactly); `defaultCourse` when the request names none. nullopt when nothing
// matches (or no default is given for an empty name).
std::optional<std::size_t> findCourse(const std::vector<OfferedCourse>& offered,
                                      std::string_view wanted,
                                      std::optional<std::size_t> defaultCourse);

}  // namespace roomproto
}  // namespace trundlex
