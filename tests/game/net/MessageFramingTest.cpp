// Framing of the byte stream, the encoding of message bodies, and sending on sockets whose
// peer is slow or gone.
#include <csignal>

#include "game/net/NetTestSupport.h"
#include "support/SwedishLocale.h"

namespace trundlex::testing {
namespace {

using netproto::Terminator;

std::string framed(std::string_view message) {
    return std::string(message) + "\x07\x07";
}

std::vector<std::string> takeAll(MessageFramer& framer) {
    std::vector<std::string> messages;
    NetMessage message;
    while (framer.next(message)) {
        messages.push_back(message.letter == '\0' ? "" : message.letter + message.body);
    }
    return messages;
}

TEST(MessageFramerTest, SplitsTheStreamAtTerminatorsWhateverTheReads) {
    MessageFramer framer(1024);
    ASSERT_TRUE(framer.append(framed("Mann|hi") + framed("A1.50")));
    EXPECT_EQ(takeAll(framer), (std::vector<std::string>{"Mann|hi", "A1.50"}))
        << "two messages in one read, in order";

    // A message split over reads, the terminator itself split between two of them.
    ASSERT_TRUE(framer.append("P1.0|"));
    EXPECT_TRUE(takeAll(framer).empty());
    ASSERT_TRUE(framer.append("2.0\x07"));
    EXPECT_TRUE(takeAll(framer).empty());
    ASSERT_TRUE(framer.append("\x07Q"));
    EXPECT_EQ(takeAll(framer), std::vector<std::string>{"P1.0|2.0"});
    EXPECT_EQ(framer.pendingBytes(), 1u) << "the bytes after the last terminator wait";
    ASSERT_TRUE(framer.append(Terminator));
    EXPECT_EQ(takeAll(framer), std::vector<std::string>{"Q"});

    NetMessage empty;
    ASSERT_TRUE(framer.append(Terminator));
    ASSERT_TRUE(framer.next(empty));
    EXPECT_EQ(empty.letter, '\0') << "a bare terminator has no letter";
    EXPECT_TRUE(empty.body.empty());
}

TEST(MessageFramerTest, FloodWithoutTerminatorIsRefusedAboveTheBound) {
    MessageFramer framer(1000);
    ASSERT_TRUE(framer.append(framed("Mok")));
    ASSERT_TRUE(framer.append(std::string(600, 'x')));
    EXPECT_EQ(takeAll(framer), std::vector<std::string>{"Mok"});
    EXPECT_FALSE(framer.append(std::string(600, 'x')));
    EXPECT_EQ(framer.pendingBytes(), 0u) << "nothing of the flood is kept";

    // Complete messages never count against the bound, however many arrive at once.
    MessageFramer busy(100);
    std::string many;
    for (int i = 0; i < 50; ++i) {
        many += framed("A0.25");
    }
    ASSERT_TRUE(busy.append(many));
    EXPECT_EQ(takeAll(busy).size(), 50u);
}

TEST(MessageFramerTest, FramedMessagesGoOutInPiecesOf220Bytes) {
    const std::string message = "M" + std::string(499, 'a');
    const std::vector<std::string> pieces = MessageFramer::frame(message, netproto::PieceSize);
    const std::string wire = framed(message);
    EXPECT_EQ(pieces, (std::vector{wire.substr(0, 220), wire.substr(220, 220), wire.substr(440)}));
    EXPECT_EQ(MessageFramer::frame("", netproto::PieceSize),
              std::vector<std::string>{std::string(Terminator)});
}

TEST(NetProtocolTest, NumbersTravelWithTheirDecimalsWhateverTheLocale) {
    SwedishLocale swedish;
    double force = 1.2345678;
    double angle = 0.5;
    EXPECT_EQ(netproto::encodePutt(force, angle), "1.234568|0.500000");
    EXPECT_EQ(force, 1.234568) << "the sender's ball uses what the others read";
    EXPECT_EQ(angle, 0.5);
    EXPECT_EQ(netproto::encodeAim(2.356), "2.36");
    EXPECT_EQ(netproto::encodeAim(-0.004), "-0.00");

    double readForce = 0.0;
    double readAngle = 0.0;
    ASSERT_TRUE(netproto::decodePutt("12.5|-3.25", readForce, readAngle));
    EXPECT_EQ(readForce, 12.5);
    EXPECT_EQ(readAngle, -3.25);
    EXPECT_FALSE(netproto::decodePutt("1e300|0", readForce, readAngle)) << "no such putt";
    EXPECT_FALSE(netproto::decodePutt("-1|0", readForce, readAngle));
    EXPECT_EQ(readForce, 12.5) << "a refused putt leaves the values";
    if (!swedish.available()) {
        GTEST_SKIP() << "no Swedish locale on this machine";
    }
}

TEST(NetProtocolTest, PlayerRecordsRoundTripAndGarbageIsRefused) {
    const netproto::PlayerRecord red{"Ann", 0xFF0000FF, 3, true};
    const std::string text = netproto::encodePlayerRecord(red);
    EXPECT_EQ(text, "Ann|-16776961|3|1|") << "the colour as a signed decimal";
    const std::string two = text + "Bob|255|99|0|";
    netproto::BodyReader reader(two);
    netproto::PlayerRecord read;
    ASSERT_TRUE(netproto::readPlayerRecord(reader, read));
    EXPECT_EQ(read, red);
    ASSERT_TRUE(netproto::readPlayerRecord(reader, read));
    EXPECT_EQ(read.name, "Bob");
    EXPECT_EQ(read.pattern, 0) << "an unknown pattern reads as the first";
    EXPECT_TRUE(reader.empty());

    netproto::BodyReader garbage("|x|y|z|");
    EXPECT_FALSE(netproto::readPlayerRecord(garbage, read)) << "a record without a name";
    EXPECT_TRUE(garbage.empty()) << "its fields are used up all the same";

    // A name set up without network rules still makes exactly one record.
    EXPECT_EQ(netproto::encodePlayerRecord({"A|n\x07n", 1, 0, false}), "A/n n|1|0|0|");
    EXPECT_EQ(netproto::encodePlayerRecord({"", 1, 0, false}), "?|1|0|0|");

    netproto::BodyReader chat("nobar");
    EXPECT_EQ(chat.takeField(), "nobar");
    EXPECT_EQ(chat.rest(), "");
}

TEST(NetProtocolTest, NamesAndTextsTheWireCannotCarryAreRefused) {
    using netproto::TextProblem;
    EXPECT_EQ(netproto::checkName("Ann"), TextProblem::None);
    EXPECT_EQ(netproto::checkName(""), TextProblem::Empty);
    EXPECT_EQ(netproto::checkName("A|nn"), TextProblem::Separator);
    EXPECT_EQ(netproto::checkName("Ann\x07"), TextProblem::Terminator);
    EXPECT_EQ(netproto::checkName(std::string(netproto::MaxNameBytes + 1, 'a')),
              TextProblem::TooLong);
    EXPECT_EQ(netproto::checkChatText("a | b"), TextProblem::None);
    EXPECT_EQ(netproto::checkChatText("bell\x07\x07"), TextProblem::Terminator);
}

// A connected pair of loopback sockets.
struct SocketPair {
    SocketPair() {
        EXPECT_TRUE(listener.open(Loopback, 0));
        WakePipe never;
        EXPECT_EQ(near.connectTo(Loopback, listener.port(), never, Patience),
                  ConnectResult::Connected);
        std::string address;
        EXPECT_TRUE(listener.accept(far, address));
        EXPECT_EQ(address, Loopback);
    }
    TcpListener listener;
    Socket near;
    Socket far;
};

TEST(SocketTest, LargeSendsCompleteWhileThePeerReadsSlowly) {
    SocketPair pair;
    const std::string data(4u << 20, 'z');
    std::size_t received = 0;
    std::thread reader([&] {
        char buffer[65536];
        while (received < data.size()) {
            const long got = pair.far.receive(buffer, sizeof buffer);
            if (got <= 0) {
                return;
            }
            received += static_cast<std::size_t>(got);
            std::this_thread::sleep_for(1ms);
        }
    });
    EXPECT_TRUE(pair.near.sendAll(data, Patience));
    reader.join();
    EXPECT_EQ(received, data.size());
}

TEST(SocketTest, SendingToAGonePeerFailsWithoutKillingTheProgram) {
    // Regression: a send to a peer that had gone raised SIGPIPE and ended the program.
    SocketPair pair;
    pair.far = Socket();
    bool failed = false;
    for (int i = 0; i < 100 && !failed; ++i) {
        failed = !pair.near.sendAll(std::string(4096, 'x'), Patience);
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_TRUE(failed);
}

TEST(SocketTest, PeerThatStopsReadingMakesTheSendGiveUpInTime) {
    SocketPair pair;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(pair.near.sendAll(std::string(64u << 20, 'x'), 300ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, Patience);
}

#ifndef _WIN32  // watching a thread block takes Linux's /proc
TEST(SocketTest, StoppedListenerRefusesConnectionsAndWakesItsAcceptor) {
    TcpListener listener;
    ASSERT_TRUE(listener.open(Loopback, 0));
    bool accepted = true;
    std::promise<pid_t> acceptorId;
    std::thread acceptor([&] {
        acceptorId.set_value(::gettid());
        Socket socket;
        std::string address;
        accepted = listener.accept(socket, address);
    });
    EXPECT_TRUE(waitUntilBlocked(acceptorId.get_future().get())) << "the acceptor waits";
    listener.stop();
    acceptor.join();
    EXPECT_FALSE(accepted);
    Socket late;
    WakePipe never;
    EXPECT_EQ(late.connectTo(Loopback, listener.port(), never, Patience), ConnectResult::Failed);
}

TEST(SocketTest, WakingThePipeAbortsAConnectThatHangs) {
    // A listener whose queue is full drops further connection attempts, so they hang.
    TcpListener full;
    ASSERT_TRUE(full.open(Loopback, 0));
    std::vector<Socket> fillers(12);
    WakePipe never;
    for (Socket& filler : fillers) {
        filler.connectTo(Loopback, full.port(), never, 100ms);
    }
    WakePipe abort;
    const pid_t connecting = ::gettid();
    std::thread waker([&] {
        EXPECT_TRUE(waitUntilBlocked(connecting)) << "the connect waits";
        abort.wake();
    });
    Socket socket;
    const auto start = std::chrono::steady_clock::now();
    const ConnectResult result = socket.connectTo(Loopback, full.port(), abort, 10s);
    waker.join();
    EXPECT_EQ(result, ConnectResult::Aborted);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}
#endif

}  // namespace
}  // namespace trundlex::testing
