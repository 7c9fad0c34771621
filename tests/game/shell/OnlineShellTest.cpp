// The online game as the windows see it: the wizard's online page and a room's lobby, at a
// room host made by hand.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "GameShellFixture.h"
#include "LobbyDialog.h"
#include "NewGameWizard.h"
#include "OnlinePage.h"
#include "game/net/NetTestSupport.h"

namespace trundlex::testing {
namespace {

const std::string Greeting = "H" + std::string(netproto::Version);

QString hostText(std::uint16_t port) {
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

// A room host made by hand: it greets, answers the room request with room K7QX2M of
// Beginners' Nine, sends `news`, then reads until the client goes.
std::future<void> answerRoom(RawServer& host, std::vector<std::string> news = {}) {
    return std::async(std::launch::async, [&host, news = std::move(news)] {
        RawPeer peer = host.accept();
        peer.send(Greeting);
        peer.receive();
        peer.send("WK7QX2M|Beginners' Nine|");
        for (const std::string& message : news) {
            peer.send(message);
        }
        while (peer.receive()) {
        }
    });
}

QStringList rows(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->item(i)->text();
    }
    return texts;
}

TEST_F(GameShellTest, OnlinePageListsTheHostsCoursesAndNeedsACourseOrACode) {
    RawServer host;
    auto asked = std::async(std::launch::async, [&] {
        RawPeer peer = host.accept();
        peer.send(Greeting);
        const auto request = peer.receive();
        peer.send("W?Beginners' Nine|Long Eighteen|");
        peer.closedByPeer();
        return request ? request->letter + request->body : std::string();
    });
    settings_.setOnlineHost(hostText(host.port()).toStdString());
    NewGameWizard wizard(Match(), context_);
    wizard.setMode(3);
    OnlinePage& page = *wizard.onlinePage();
    ASSERT_TRUE(spinUntil([&] { return !page.busy(); }, 10000));
    EXPECT_EQ(asked.get(), "W?");
    EXPECT_EQ(rows(page.courseList()), (QStringList{"Beginners' Nine", "Long Eighteen"}));
    EXPECT_FALSE(page.showsProblem());
    EXPECT_TRUE(wizard.isOkEnabled()) << "a room for the first course";
    for (const auto& [typed, ok] : std::vector<std::pair<QString, bool>>{
             {"K7QX2M7", false}, {" k7qx 2m ", true}, {"K7QXI0", false}, {"K7Q-X2M", true},
             {"k7qx2m", true}}) {
        page.codeField()->setText(typed);
        EXPECT_EQ(wizard.isOkEnabled(), ok) << typed.toStdString();
        EXPECT_EQ(page.codeProblem().isEmpty(), ok) << typed.toStdString();
    }
    page.codeField()->setText(QStringLiteral("K7Q-X"));
    EXPECT_FALSE(wizard.isOkEnabled());
    EXPECT_TRUE(page.codeProblem().isEmpty()) << "a code still being typed is not wrong yet";
    page.codeField()->setText(QStringLiteral("K7O"));
    EXPECT_FALSE(page.codeProblem().isEmpty()) << "a character no code has is said at once";
    page.codeField()->setText(QStringLiteral("K7QXI0"));
    EXPECT_TRUE(page.codeProblem().contains(QStringLiteral("0, 1, I, L or O")))
        << "the characters a code never has are named";
    page.codeField()->setText(QStringLiteral("k7qx2m"));
    EXPECT_TRUE(page.joinChoice()->isChecked()) << "typing a code means joining";
    wizard.accept();
    EXPECT_EQ(context_.networkMode, 3);
    EXPECT_EQ(context_.roomRequest.kind, roomproto::Request::Kind::Join);
    EXPECT_EQ(context_.roomRequest.code, "K7QX2M");
    {
        // The next wizard (after a refused join, say) offers the same join again.
        NewGameWizard again(Match(), context_);
        again.setMode(3);
        EXPECT_TRUE(again.onlinePage()->joinChoice()->isChecked());
        EXPECT_EQ(again.onlinePage()->codeField()->text(), QStringLiteral("K7QX2M"));
    }

    // A host that nobody answers at: the reason in red, nothing to create a room for.
    std::uint16_t closedPort = 0;
    {
        TcpListener gone;
        ASSERT_TRUE(gone.open(Loopback, 0));
        closedPort = gone.port();
    }
    page.hostField()->setText(hostText(closedPort));
    EXPECT_EQ(settings_.onlineHost(), hostText(closedPort).toStdString()) << "remembered";
    page.createChoice()->setChecked(true);
    page.refreshButton()->click();
    ASSERT_TRUE(spinUntil([&] { return !page.busy(); }, 10000));
    EXPECT_TRUE(page.showsProblem());
    EXPECT_TRUE(page.statusText().contains(hostText(closedPort)));
    EXPECT_EQ(page.courseList()->count(), 0);
    EXPECT_FALSE(wizard.isOkEnabled());

    // Another host: the old reason goes at once, and its list comes when the typing pauses.
    RawServer next;
    auto listed = std::async(std::launch::async, [&] {
        RawPeer peer = next.accept();
        peer.send(Greeting);
        peer.receive();
        peer.send("W?Tricky Nine|");
        peer.closedByPeer();
    });
    page.hostField()->setText(hostText(next.port()));
    EXPECT_FALSE(page.showsProblem());
    ASSERT_TRUE(spinUntil([&] { return page.courseList()->count() == 1; }, 10000));
    listed.get();
    EXPECT_TRUE(wizard.isOkEnabled());
}

// A friend pastes the link that was sent: the host comes from it, never typed.
TEST_F(GameShellTest, ALinkPastedIntoTheCodeFieldFillsTheHostAndTheCode) {
    settings_.setOnlineHost("127.0.0.1:1");
    NewGameWizard wizard(Match(), context_);
    wizard.setMode(3);
    wizard.show();
    OnlinePage& page = *wizard.onlinePage();
    const auto paste = [&](const QString& text) {
        page.codeField()->clear();
        QGuiApplication::clipboard()->setText(text);
        page.codeField()->setFocus();
        QTest::keySequence(page.codeField(), QKeySequence::Paste);
    };

    paste(QStringLiteral("trundlex://golf.example.org:50001/k7q-x2m"));
    EXPECT_EQ(page.hostField()->text(), "golf.example.org:50001");
    EXPECT_EQ(page.codeField()->text(), "K7QX2M");
    EXPECT_TRUE(page.joinChoice()->isChecked());
    EXPECT_TRUE(page.codeProblem().isEmpty());
    EXPECT_EQ(page.request().kind, roomproto::Request::Kind::Join);
    EXPECT_EQ(page.request().code, "K7QX2M");
    EXPECT_EQ(page.host().host, "golf.example.org");
    EXPECT_EQ(page.host().port, 50001);
    EXPECT_EQ(settings_.onlineHost(), "golf.example.org:50001") << "kept for the next game";
    EXPECT_TRUE(wizard.isOkEnabled());

    // The room host's web page link: the game goes to the game port, not the page's.
    paste(QStringLiteral("https://[2001:db8::7]:8443/#Q7HX2M"));
    EXPECT_EQ(page.hostField()->text(), "[2001:db8::7]");
    EXPECT_EQ(page.codeField()->text(), "Q7HX2M");
    EXPECT_EQ(page.host().host, "2001:db8::7");
    EXPECT_EQ(page.host().port, GameSettings::DefaultPort);

    // The friend's whole message, pasted after the code already in the field.
    page.codeField()->setText(QStringLiteral("Q7HX2M"));
    page.codeField()->end(false);
    QGuiApplication::clipboard()->setText(
        QStringLiteral("Come and play: trundlex://golf.example.org:50002/M7QX2K see you"));
    QTest::keySequence(page.codeField(), QKeySequence::Paste);
    EXPECT_EQ(page.hostField()->text(), "golf.example.org:50002");
    EXPECT_EQ(page.codeField()->text(), "M7QX2K");
    paste(QStringLiteral("https://[2001:db8::7]:8443/#Q7HX2M"));

    // A link that is not one leaves the host alone and says what is wrong.
    for (const QString& bad :
         {QStringLiteral("ftp://elsewhere.example.org/K7QX2M"),
          QStringLiteral("trundlex://elsewhere.example.org:0/K7QX2M"),
          QStringLiteral("trundlex://elsewhere.example.org/"),
          QStringLiteral("Come and play: trundlex://elsewhere.example.org:99999/M7QX2K")}) {
        paste(bad);
        EXPECT_EQ(page.codeField()->text(), bad) << "the whole link fits";
        EXPECT_EQ(page.hostField()->text(), "[2001:db8::7]") << bad.toStdString();
        EXPECT_FALSE(page.codeProblem().isEmpty()) << bad.toStdString();
        EXPECT_EQ(page.request().kind, roomproto::Request::Kind::Invalid) << bad.toStdString();
        EXPECT_FALSE(wizard.isOkEnabled()) << bad.toStdString();
    }
    EXPECT_NE(page.codeProblem(), OnlinePage::linkProblem(InviteProblem::OtherScheme))
        << "each fault has its own words";
}

TEST_F(GameShellTest, ARoomLobbyThatCannotConnectNamesTheHostAndPort) {
    std::uint16_t closedPort = 0;
    {
        TcpListener gone;
        ASSERT_TRUE(gone.open(Loopback, 0));
        closedPort = gone.port();
    }
    Match match;
    match.AddPlayer("Ann", 0x00FF00, 0, false, Player::LocalConnection);
    NetGame net(levels_);
    net.setMatch(&match);
    LobbyDialog lobby(net);
    QString shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &lobby, [&] {
        if (lobby.statusText().startsWith(QStringLiteral("Couldn't"))) {
            shown = lobby.statusText();
            lobby.reject();
        }
    });
    poll.start(10);
    QTimer::singleShot(20000, &lobby, [&] { lobby.reject(); });
    EXPECT_FALSE(lobby.runRoom(hostText(closedPort).toStdString(),
                               {roomproto::Request::Kind::Join, "", "K7QX2M", ""}));
    EXPECT_EQ(shown, QStringLiteral("Couldn't connect to 127.0.0.1 (port %1).").arg(closedPort));
    net.endGame();
}

TEST_F(GameShellTest, RoomLobbyShowsTheCodeAndOnlyTheCreatorStarts) {
    for (const bool creator : {true, false}) {
        RawServer host;
        // The host answers the request, and starts the game when the creator asks.
        auto heard = std::async(std::launch::async, [&] {
            RawPeer peer = host.accept();
            peer.send(Greeting);
            std::string letters = peer.receive().value_or(NetMessage{}).letter + std::string();
            peer.send("WK7QX2M|Beginners' Nine|");
            while (const auto message = peer.receive()) {
                letters += message->letter;
                if (message->letter == roomproto::StartRequest) {
                    peer.send("G");
                }
            }
            return letters;
        });
        Match match;
        match.AddPlayer("Ann", 0x00FF00, 0, false, Player::LocalConnection);
        NetGame net(levels_);
        net.setMatch(&match);
        LobbyDialog lobby(net);
        bool startShown = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &lobby, [&] {
            if (lobby.roomCodeText() != "K7QX2M") {
                return;
            }
            poll.stop();
            lobby.copyButton()->click();
            startShown = lobby.startButton()->isVisible();
            EXPECT_EQ(lobby.addComputerButton()->isVisible(), startShown);
            if (startShown && lobby.startButton()->isEnabled()) {
                lobby.addComputerButton()->click();
                lobby.startButton()->click();
            } else {
                lobby.reject();
            }
        });
        poll.start(10);
        QTimer::singleShot(20000, &lobby, [&] { lobby.reject(); });
        const roomproto::Request request =
            creator ? roomproto::Request{roomproto::Request::Kind::Create, "Beginners' Nine", "", ""}
                    : roomproto::Request{roomproto::Request::Kind::Join, "", "K7QX2M", ""};
        EXPECT_EQ(lobby.runRoom(hostText(host.port()).toStdString(), request), creator)
            << "the creator's start request starts the game";
        EXPECT_EQ(startShown, creator);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "K7QX2M");
        net.endGame();
        EXPECT_EQ(heard.get(), creator ? "WNHNYD" : "WNH")
            << "only the creator adds a computer player and asks to start";
        if (creator) {
            ASSERT_EQ(match.PlayerCount(), 2);
            EXPECT_EQ(match.GetPlayer(1)->GetName(), "Computer 2");
            EXPECT_EQ(match.GetPlayer(1)->GetComputer(), ComputerStrength::Medium);
        }
    }
}

TEST_F(GameShellTest, ARoomLobbyNamesTheRoomsCreatorAndTheComputerPlayers) {
    RawServer host;
    // The host's list: the creator, the creator's computer player, and this computer's Kim.
    auto served = answerRoom(host, {"OAnn|255|8|0|2|Robo|65280|8|0|6|Kim|16711680|8|0|1|"});
    Match match;
    match.AddPlayer("Kim", 0xFF0000, 8, false, Player::LocalConnection);
    NetGame net(levels_);
    net.setMatch(&match);
    LobbyDialog lobby(net);
    QStringList seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &lobby, [&] {
        seen = rows(lobby.playerList());
        if (seen.size() == 3) {
            lobby.reject();
        }
    });
    poll.start(10);
    QTimer::singleShot(20000, &lobby, [&] { lobby.reject(); });
    lobby.runRoom(hostText(host.port()).toStdString(),
                  {roomproto::Request::Kind::Join, "", "K7QX2M", ""});
    net.endGame();
    served.get();
    EXPECT_EQ(seen, (QStringList{"Ann  (created the room)", "Robo  (computer)", "Kim *"}));
}

// A friend's game goes where this computer went: the link names the host and port it reached.
TEST_F(GameShellTest, ARoomLobbyShowsTheRoomsLinkWithThePortItReached) {
    RawServer host;
    auto served = answerRoom(host);
    Match match;
    match.AddPlayer("Ann", 0x00FF00, 0, false, Player::LocalConnection);
    NetGame net(levels_);
    net.setMatch(&match);
    LobbyDialog lobby(net);
    QString shown;
    QString codeCopied;
    QString linkCopied;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &lobby, [&] {
        if (lobby.roomCodeText().isEmpty()) {
            return;
        }
        poll.stop();
        shown = lobby.roomLinkText();
        lobby.copyButton()->click();
        codeCopied = QGuiApplication::clipboard()->text();
        lobby.copyLinkButton()->click();
        linkCopied = QGuiApplication::clipboard()->text();
        lobby.reject();
    });
    poll.start(10);
    QTimer::singleShot(20000, &lobby, [&] { lobby.reject(); });
    EXPECT_FALSE(lobby.runRoom(hostText(host.port()).toStdString(),
                               {roomproto::Request::Kind::Join, "", "K7QX2M", ""}));
    net.endGame();
    served.get();
    ASSERT_NE(host.port(), GameSettings::DefaultPort);
    EXPECT_EQ(shown, QStringLiteral("trundlex://127.0.0.1:%1/K7QX2M").arg(host.port()));
    EXPECT_EQ(codeCopied, "K7QX2M") << "Copy code stays";
    EXPECT_EQ(linkCopied, shown);
    // What a friend's game reads from it: the same host, port and room.
    const InviteLink link = InviteLink::parse(linkCopied.toStdString(), GameSettings::DefaultPort);
    EXPECT_EQ(link.host, "127.0.0.1");
    EXPECT_EQ(link.port, host.port());
    EXPECT_EQ(link.code, "K7QX2M");
}

}  // namespace
}  // namespace trundlex::testing
