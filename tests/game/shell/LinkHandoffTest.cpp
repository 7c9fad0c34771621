// A room link clicked while the game runs goes to the running game instead of starting a
// second one; a link with no game running, or a socket left by a crashed game, starts anew.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <thread>

#include "FriendsDialog.h"
#include "GameShellFixture.h"
#include "LinkHandoff.h"
#include "MainFrame.h"
#include "OnlinePage.h"

namespace trundlex::testing {
namespace {

class LinkHandoffTest : public GameShellTest {
protected:
    // Hands `link` over from another thread, as a second start of the program would, while
    // this thread runs the listening game's events. -1 while it has not finished.
    struct SecondStart {
        std::atomic<int> handed{-1};
        std::thread thread;
        SecondStart(const QString& name, const QString& link) {
            thread = std::thread(
                [this, name, link] { handed = LinkHandoff::handOver(name, link, 5000); });
        }
        ~SecondStart() { thread.join(); }
    };

    QString name() const { return dir_.filePath(QStringLiteral("links")); }

    QTemporaryDir dir_;
};

TEST_F(LinkHandoffTest, ALinkClickedWhileTheGameRunsBringsItForwardToTheRoom) {
    MainFrame frame(context_);
    frame.show();
    frame.setWindowState(Qt::WindowMinimized);
    LinkHandoff running(name());
    ASSERT_TRUE(running.listen());
    QObject::connect(&running, &LinkHandoff::linkArrived, &frame,
                     [&frame](const QString& link) { LinkHandoff::follow(frame, link); });
    struct Seen {
        bool opened = false;
        std::string code;
        QString host;
    } seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&seen] {
        if (auto* dialog = qobject_cast<FriendsDialog*>(QApplication::activeModalWidget())) {
            seen.opened = true;
            seen.code = dialog->request().code;
            seen.host = dialog->onlinePage()->hostField()->text();
            dialog->reject();
        }
    });
    poll.start(10);

    SecondStart second(name(), QStringLiteral("trundlex://localhost:50001/k7qx-2m"));
    ASSERT_TRUE(spinUntil([&] { return second.handed >= 0 && seen.opened; }, 10000));
    EXPECT_EQ(second.handed, 1) << "the second start is told the running game took the link";
    EXPECT_FALSE(frame.windowState() & Qt::WindowMinimized) << "the window came forward";
    EXPECT_EQ(seen.code, "K7QX2M") << "\"Your name\" opened for the link's room";
    EXPECT_EQ(seen.host, QStringLiteral("localhost:50001"));
}

// A link that arrives while a dialog of the game is open waits for it to close; of two such
// links the later one is followed.
TEST_F(LinkHandoffTest, ALinkWaitsForAnOpenDialogOfTheGame) {
    MainFrame frame(context_);
    frame.show();
    QDialog busy(&frame);
    busy.open();
    ASSERT_EQ(QApplication::activeModalWidget(), &busy);
    LinkHandoff::follow(frame, QStringLiteral("trundlex://localhost:50001/K7QX2M"));
    LinkHandoff::follow(frame, QStringLiteral("trundlex://localhost:50002/M2XQ7K"));
    const auto* waiting = frame.findChild<QTimer*>(QStringLiteral("waitingLink"));
    ASSERT_NE(waiting, nullptr);
    QCoreApplication::processEvents();
    EXPECT_TRUE(waiting->isActive()) << "still waiting behind the dialog";
    EXPECT_EQ(frame.findChildren<QTimer*>(QStringLiteral("waitingLink")).size(), 1);

    std::string code;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&code] {
        if (auto* dialog = qobject_cast<FriendsDialog*>(QApplication::activeModalWidget())) {
            code = dialog->request().code;
            dialog->reject();
        }
    });
    poll.start(10);
    busy.accept();
    ASSERT_TRUE(spinUntil([&] { return !code.empty(); }, 10000));
    EXPECT_EQ(code, "M2XQ7K");
}

TEST_F(LinkHandoffTest, WithNoGameRunningTheLinkStartsANewOne) {
    EXPECT_FALSE(
        LinkHandoff::handOver(name(), QStringLiteral("trundlex://localhost/K7QX2M"), 2000));

    // A game that crashed left its socket behind: the next game takes the place over.
    QFile stale(name());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    EXPECT_FALSE(
        LinkHandoff::handOver(name(), QStringLiteral("trundlex://localhost/K7QX2M"), 2000));
    LinkHandoff next(name());
    EXPECT_TRUE(next.listen());
}

TEST_F(LinkHandoffTest, ASecondGameLeavesTheRunningOneItsPlace) {
    LinkHandoff first(name());
    ASSERT_TRUE(first.listen());
    LinkHandoff second(name());
    EXPECT_FALSE(second.listen());
    QStringList arrived;
    QObject::connect(&first, &LinkHandoff::linkArrived,
                     [&arrived](const QString& link) { arrived << link; });
    SecondStart click(name(), QStringLiteral("  trundlex://golf.example.org/K7QX2M\n"));
    ASSERT_TRUE(spinUntil([&] { return click.handed >= 0; }, 10000));
    EXPECT_EQ(click.handed, 1);
    EXPECT_EQ(arrived, QStringList{QStringLiteral("trundlex://golf.example.org/K7QX2M")});
}

TEST_F(LinkHandoffTest, WhatIsNoLinkIsRefusedAndTheGameKeepsListening) {
    LinkHandoff running(name());
    ASSERT_TRUE(running.listen());
    QStringList arrived;
    QObject::connect(&running, &LinkHandoff::linkArrived,
                     [&arrived](const QString& link) { arrived << link; });
    {
        SecondStart words(name(), QStringLiteral("rm -rf ~"));
        ASSERT_TRUE(spinUntil([&] { return words.handed >= 0; }, 10000));
        EXPECT_EQ(words.handed, 0);
    }
    EXPECT_FALSE(
        LinkHandoff::handOver(name(), QStringLiteral("trundlex://a/B\ntrundlex://c/D"), 2000))
        << "two lines are never sent";
    // A peer that pours out bytes without an end of line is cut off.
    std::atomic<bool> cut{false};
    std::thread flood([&] {
        QLocalSocket socket;
        socket.connectToServer(name());
        if (socket.waitForConnected(2000)) {
            socket.write(QByteArray(4 * LinkHandoff::MaxLinkBytes, 'x'));
            socket.waitForBytesWritten(2000);
            cut = socket.waitForDisconnected(5000);
        }
    });
    ASSERT_TRUE(spinUntil([&] { return cut.load(); }, 10000));
    flood.join();
    SecondStart link(name(), QStringLiteral("trundlex://localhost:50001/K7QX2M"));
    ASSERT_TRUE(spinUntil([&] { return link.handed >= 0; }, 10000));
    EXPECT_EQ(link.handed, 1);
    EXPECT_EQ(arrived, QStringList{QStringLiteral("trundlex://localhost:50001/K7QX2M")});
}

}  // namespace
}  // namespace trundlex::testing
