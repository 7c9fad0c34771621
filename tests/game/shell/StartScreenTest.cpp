// The start screen: its buttons, the quick game against the computer (on the last course or
// today's), the setup the next launch starts with, and a room's link given to the game.
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "FriendsDialog.h"
#include "GameShellFixture.h"
#include "NewGameWizard.h"
#include "OnlinePage.h"
#include "PlayersPage.h"
#include "StartScreen.h"
#include "library/Course.h"
#include "library/DailyCourse.h"
#include "solver/Par.h"
#include "support/TempFolder.h"

namespace trundlex::testing {
namespace {

// A game view whose dialogs and lobbies are answered by the test.
class FrontDoorView : public TestGameView {
public:
    explicit FrontDoorView(GameContext& context) : TestGameView(context), context_(context) {}

    int wizardsRun = 0;
    int wizardMode = -1;
    std::vector<int> lobbies;
    roomproto::Request lobbyRequest;
    // What the "Play with friends" dialog answers; nothing: it is cancelled.
    std::optional<std::pair<QString, roomproto::Request>> friends;
    // Runs the real dialog instead, for the test to work it while it is open.
    bool realFriendsDialog = false;

protected:
    bool runNewGameWizard(Match&) override {
        ++wizardsRun;
        wizardMode = context_.networkMode;
        return false;
    }
    bool runLobby(int mode) override {
        lobbies.push_back(mode);
        lobbyRequest = context_.roomRequest;
        return false;
    }
    bool runFriendsDialog(QString& name, roomproto::Request& request) override {
        if (realFriendsDialog) {
            return GameView::runFriendsDialog(name, request);
        }
        if (!friends) {
            return false;
        }
        name = friends->first;
        request = friends->second;
        return true;
    }

private:
    GameContext& context_;
};

class StartScreenTest : public GameShellTest {
protected:
    void SetUp() override {
        for (const char* id : {"hole-a", "hole-b", "hole-c"}) {
            addLevel(id, kRoom, 3.5, 2.5);
        }
        firstCourse_ = addCourse("Easy Two", {"hole-a", "hole-b"});
        keptCourse_ = addCourse("Three", {"hole-a", "hole-b", "hole-c"});
    }
    // Saves a course of `levelIds` in a folder of the test, adds it to the library and
    // returns its ID.
    std::string addCourse(const std::string& name, const std::vector<std::string>& levelIds) {
        Course course;
        course.setName(name);
        for (const std::string& id : levelIds) {
            course.addLevelId(id);
        }
        course.setPath(courseFolder_ / (name + ".cou"));
        EXPECT_TRUE(course.save(random_));
        courses_.add(course);
        return course.id();
    }
    // A game window as the game opens it at a launch, with what the settings kept then.
    std::unique_ptr<FrontDoorView> launch() {
        auto view = std::make_unique<FrontDoorView>(context_);
        showQuick(*view);
        // The keyboard goes to the active window only.
        view->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(view.get()));
        return view;
    }
    static std::vector<std::string> levelsOf(const Match& match) {
        std::vector<std::string> ids;
        for (int i = 0; i < match.LevelCount(); ++i) {
            ids.push_back(match.GetLevelId(i));
        }
        return ids;
    }

    std::string firstCourse_;
    std::string keptCourse_;

private:
    const TempFolder courseFolder_;
};

TEST_F(StartScreenTest, TheWaysIntoAGameAreButtonsWithAccessibleNames) {
    const auto view = launch();
    StartScreen* screen = view->startScreen();
    ASSERT_TRUE(screen->isVisible()) << "no game yet";
    QStringList shown;
    for (const QPushButton* button : screen->findChildren<QPushButton*>()) {
        if (button->isVisible()) {
            shown << button->accessibleName();
            EXPECT_FALSE(button->accessibleDescription().isEmpty())
                << button->accessibleName().toStdString();
            EXPECT_GE(button->height(), 40)
                << "big enough to hit: " << button->accessibleName().toStdString();
        }
    }
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"Local game", "Play", "Play with friends", "Today's course"}));
    EXPECT_EQ(screen->nameField()->accessibleName(), "Your name");
    EXPECT_EQ(screen->strengthField()->accessibleName(), "Computer strength");

    // By keyboard: the name first (none kept yet), Tab on to the strength and to Play.
    EXPECT_TRUE(screen->nameField()->hasFocus());
    QTest::keyClick(screen->nameField(), Qt::Key_Tab);
    EXPECT_TRUE(screen->strengthField()->hasFocus());
    QTest::keyClick(screen->strengthField(), Qt::Key_Tab);
    EXPECT_TRUE(screen->playButton()->hasFocus());
    QTest::keyClick(screen->playButton(), Qt::Key_Tab);
    EXPECT_TRUE(screen->todayButton()->hasFocus());
    QTest::keyClick(screen->todayButton(), Qt::Key_Tab);
    EXPECT_TRUE(screen->friendsButton()->hasFocus());
    QTest::keyClick(screen->friendsButton(), Qt::Key_Tab);
    EXPECT_TRUE(screen->localButton()->hasFocus());
    // Enter on a button presses it.
    QTest::keyClick(screen->localButton(), Qt::Key_Return);
    EXPECT_EQ(view->wizardsRun, 1) << "Local game opens the whole wizard";
    EXPECT_EQ(view->wizardMode, 0) << "on this computer";
    view->action(GameCommand::NewGame)->trigger();
    EXPECT_EQ(view->wizardsRun, 2) << "and so does F2";
}

TEST_F(StartScreenTest, PlayStartsAGameAgainstTheComputerAndTheNextLaunchOffersItAgain) {
    {
        const auto view = launch();
        StartScreen* screen = view->startScreen();
        QTest::mouseClick(screen->playButton(), Qt::LeftButton);
        EXPECT_FALSE(view->controller().hasGame()) << "not without a name";
        EXPECT_TRUE(screen->nameField()->hasFocus());

        QTest::keyClicks(screen->nameField(), QStringLiteral("Åsa"));
        screen->strengthField()->setCurrentIndex(screen->strengthField()->findText("Hard"));
        QTest::keyClick(screen->nameField(), Qt::Key_Return);
        ASSERT_TRUE(view->controller().hasGame()) << "Enter in the name plays";
        EXPECT_FALSE(screen->isVisible());
        const Match& match = view->match();
        ASSERT_EQ(match.PlayerCount(), 2);
        EXPECT_EQ(match.GetPlayer(0)->GetName(), "Åsa");
        EXPECT_EQ(match.GetPlayer(0)->GetComputer(), ComputerStrength::Person);
        EXPECT_EQ(match.GetPlayer(1)->GetComputer(), ComputerStrength::Hard);
        EXPECT_NE(match.GetPlayer(0)->GetStyle().colour, match.GetPlayer(1)->GetStyle().colour);
        EXPECT_EQ(match.GetName(), firstCourse_) << "the first game is on the first course";
        EXPECT_EQ(levelsOf(match), (std::vector<std::string>{"hole-a", "hole-b"}));
    }

    // The next launch reads the settings anew: the same player against the same strength.
    GameSettings reread(store_);
    reread.Load();
    ASSERT_EQ(reread.lastSetup().players.size(), 2u);
    EXPECT_EQ(reread.lastSetup().players[0].name, "Åsa");
    EXPECT_EQ(reread.lastSetup().players[1].strength, static_cast<int>(ComputerStrength::Hard));
    EXPECT_EQ(reread.lastSetup().course, firstCourse_);
    reread.setLastSetup({{{"Bo", 0, 0x2828F0, 5, true}, {"Robo", 1, 0xFFE600, 1, false}},
                         0, keptCourse_});
    reread.Save();
    settings_.Load();

    const auto view = launch();
    StartScreen* screen = view->startScreen();
    EXPECT_EQ(screen->playerName(), "Bo");
    EXPECT_EQ(screen->strength(), ComputerStrength::Easy);
    EXPECT_TRUE(screen->playButton()->hasFocus()) << "a name is there: Enter plays";
    QTest::keyClick(screen->playButton(), Qt::Key_Return);
    ASSERT_TRUE(view->controller().hasGame());
    const Match& match = view->match();
    ASSERT_EQ(match.PlayerCount(), 2);
    EXPECT_EQ(match.GetPlayer(0)->GetName(), "Bo");
    EXPECT_EQ(match.GetPlayer(0)->GetStyle().colour, 0x2828F0u) << "Bo keeps the ball";
    EXPECT_EQ(match.GetPlayer(0)->GetStyle().pattern, 5);
    EXPECT_EQ(match.GetPlayer(1)->GetComputer(), ComputerStrength::Easy);
    EXPECT_EQ(match.GetName(), keptCourse_) << "the last course";
    EXPECT_EQ(match.LevelCount(), 3);
}

TEST_F(StartScreenTest, TodaysCourseStartsTheDaysDrawAndPlayKeepsItsCourse) {
    // Two of the three holes ship with a par; the third is one of the player's own.
    ShippedPars shipped;
    for (const char* id : {"hole-c", "hole-a"}) {
        ASSERT_TRUE(shipped.add(levels_.at(levels_.findById(id)), id[5] == 'c' ? 2 : 4));
    }
    ParCache pars("", shipped);
    context_.pars = &pars;
    settings_.setLastSetup(
        {{{"Bo", 0, 0x2828F0, 5, true},
          {"Robo", static_cast<std::int32_t>(ComputerStrength::Hard), 0xFFE600, 1, false}},
         0,
         keptCourse_});
    const auto view = launch();
    StartScreen* screen = view->startScreen();
    QTest::mouseClick(screen->todayButton(), Qt::LeftButton);
    ASSERT_TRUE(view->controller().hasGame()) << view->messages.join('\n').toStdString();
    const std::int64_t day = DailyCourse::dayOf(QDateTime::currentSecsSinceEpoch());
    const Match& match = view->match();
    EXPECT_EQ(levelsOf(match), (std::vector<std::string>{"hole-c", "hole-a"}))
        << "the holes with a shipped par, the easier first";
    EXPECT_EQ(match.GetName(), DailyCourse::courseId(day)) << "the day's high-score list";
    ASSERT_EQ(match.PlayerCount(), 2);
    EXPECT_EQ(match.GetPlayer(0)->GetName(), "Bo");
    EXPECT_EQ(match.GetPlayer(1)->GetComputer(), ComputerStrength::Hard);
    EXPECT_EQ(settings_.lastSetup().course, keptCourse_) << "Play still plays the last course";
}

TEST_F(StartScreenTest, TodaysCourseWithoutShippedParsIsToldAndStartsNothing) {
    const auto view = launch();
    StartScreen* screen = view->startScreen();
    QTest::mouseClick(screen->todayButton(), Qt::LeftButton);
    EXPECT_FALSE(view->controller().hasGame()) << "not without a name";
    EXPECT_TRUE(screen->nameField()->hasFocus());
    QTest::keyClicks(screen->nameField(), QStringLiteral("Åsa"));
    QTest::mouseClick(screen->todayButton(), Qt::LeftButton);
    EXPECT_FALSE(view->controller().hasGame());
    ASSERT_EQ(view->messages.size(), 1);
    EXPECT_TRUE(view->messages.front().startsWith("Today's course cannot be drawn"));
}

TEST_F(StartScreenTest, TheWizardStartsWithTheLastPlayersModeAndCourse) {
    settings_.setLastSetup({{{"Ann", 0, 0x00E1FF, 2, false},
                             {"Bea", 0, 0x2828F0, 3, true},
                             {"Computer 3", 3, 0xFFE600, 1, false}},
                            0,
                            keptCourse_});
    const auto view = launch();
    NewGameWizard wizard(view->wizardStart(), context_);
    EXPECT_EQ(wizard.playersPage()->rowNames(),
              (QStringList{"Ann", "Bea", "Computer 3 (Computer, hard)"}));
    EXPECT_EQ(levelsOf(wizard.setup()), (std::vector<std::string>{"hole-a", "hole-b", "hole-c"}));
    EXPECT_EQ(wizard.setup().GetName(), keptCourse_) << "counts for the course's high scores";

    // A course no longer there leaves the players without levels rather than a wrong course.
    settings_.setLastSetup({{{"Ann", 0, 0x00E1FF, 2, false}}, 0, "gone"});
    const Match start = launch()->wizardStart();
    EXPECT_EQ(start.PlayerCount(), 1);
    EXPECT_EQ(start.LevelCount(), 0);
}

TEST_F(StartScreenTest, ContinueIsOfferedOnlyWhileARoomGameCanBeRejoined) {
    const std::int64_t now = QDateTime::currentSecsSinceEpoch();
    EXPECT_FALSE(launch()->startScreen()->continueButton()->isVisible()) << "no seat kept";

    settings_.setRoomSeat({"golf.example.org", "K7QX2M", "ABCDEFGHJKMNPQRSTUVW", now - 3 * 3600,
                           {"Ann"}});
    EXPECT_FALSE(launch()->startScreen()->continueButton()->isVisible()) << "left too long ago";

    settings_.setRoomSeat({"golf.example.org", "K7QX2M", "ABCDEFGHJKMNPQRSTUVW", now - 600,
                           {"Ann"}});
    const auto view = launch();
    QPushButton* continueButton = view->startScreen()->continueButton();
    ASSERT_TRUE(continueButton->isVisible());
    EXPECT_EQ(continueButton->accessibleName(), "Continue");
    EXPECT_TRUE(continueButton->hasFocus()) << "the first thing to do";
    EXPECT_TRUE(continueButton->text().contains("K7QX2M"));
    QTest::mouseClick(continueButton, Qt::LeftButton);
    ASSERT_EQ(view->lobbies, std::vector<int>{3}) << "back to the room's lobby";
    EXPECT_EQ(view->lobbyRequest.kind, roomproto::Request::Kind::Rejoin);
    EXPECT_EQ(view->lobbyRequest.code, "K7QX2M");
    EXPECT_EQ(view->lobbyRequest.token, "ABCDEFGHJKMNPQRSTUVW");
    EXPECT_TRUE(view->startScreen()->isVisible()) << "the lobby was left: the way in again";

    // Once a game is played here, the start screen and its Continue are gone.
    view->startScreen()->offer(QStringLiteral("Ann"), ComputerStrength::Medium);
    QTest::mouseClick(view->startScreen()->playButton(), Qt::LeftButton);
    EXPECT_FALSE(view->startScreen()->isVisible());
    EXPECT_FALSE(continueButton->isVisible());
}

TEST_F(StartScreenTest, PlayWithFriendsGoesStraightToTheRoomsLobby) {
    const auto view = launch();
    QTest::mouseClick(view->startScreen()->friendsButton(), Qt::LeftButton);
    EXPECT_TRUE(view->lobbies.empty()) << "cancelled: no lobby";
    view->friends.emplace(QStringLiteral("Cai"),
                          roomproto::Request{roomproto::Request::Kind::Join, "", "K7QX2M", ""});
    QTest::mouseClick(view->startScreen()->friendsButton(), Qt::LeftButton);
    ASSERT_EQ(view->lobbies, std::vector<int>{3});
    EXPECT_EQ(view->lobbyRequest.kind, roomproto::Request::Kind::Join);
    EXPECT_EQ(view->lobbyRequest.code, "K7QX2M");
    EXPECT_EQ(view->wizardsRun, 0) << "not through the wizard";
    GameSettings reread(store_);
    reread.Load();
    EXPECT_EQ(reread.lastSetup().mode, 3);
    ASSERT_EQ(reread.lastSetup().players.size(), 1u);
    EXPECT_EQ(reread.lastSetup().players[0].name, "Cai");
}

TEST_F(StartScreenTest, TheFriendsDialogGoesOnlyWithANameAndARoom) {
    // A host nobody listens at: the course list fails, which a join does not need.
    settings_.setOnlineHost("127.0.0.1:1");
    FriendsDialog dialog(settings_, QString(), {});
    EXPECT_FALSE(dialog.goButton()->isEnabled()) << "no name";
    QTest::keyClicks(dialog.nameField(), QStringLiteral("Cai"));
    dialog.onlinePage()->joinChoice()->click();
    EXPECT_FALSE(dialog.goButton()->isEnabled()) << "no code";
    QTest::keyClicks(dialog.onlinePage()->codeField(), QStringLiteral("k7qx-2m"));
    EXPECT_TRUE(dialog.goButton()->isEnabled());
    EXPECT_EQ(dialog.playerName(), "Cai");
    EXPECT_EQ(dialog.request().kind, roomproto::Request::Kind::Join);
    EXPECT_EQ(dialog.request().code, "K7QX2M");
    dialog.nameField()->clear();
    EXPECT_FALSE(dialog.goButton()->isEnabled()) << "the name cleared again";

    // A refused join comes back with its code.
    FriendsDialog again(settings_, QStringLiteral("Cai"),
                        {roomproto::Request::Kind::Join, "", "K7QX2M", ""});
    EXPECT_EQ(again.request().code, "K7QX2M");
    EXPECT_TRUE(again.goButton()->isEnabled());
}

// What the friends dialog showed when it opened, and Enter pressed in its name field.
struct FriendsSeen {
    bool opened = false;
    QString name;
    QString host;
    QString code;
    bool join = false;
    bool goEnabled = false;
    bool nameFocused = false;
};

TEST_F(StartScreenTest, AGameStartedWithARoomsLinkAsksOnlyTheNameAndGoesToTheLobby) {
    settings_.setOnlineHost("127.0.0.1:1");
    settings_.setLastSetup(
        {{{"Bea", 0, 0x2828F0, 0, false}, {"Robo", 1, 0xFFE600, 1, false}}, 0, keptCourse_});
    const auto view = launch();
    view->realFriendsDialog = true;
    FriendsSeen seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<FriendsDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        poll.stop();
        seen = {true,
                dialog->nameField()->text(),
                dialog->onlinePage()->hostField()->text(),
                dialog->onlinePage()->codeField()->text(),
                dialog->onlinePage()->joinChoice()->isChecked(),
                dialog->goButton()->isEnabled(),
                dialog->nameField()->hasFocus()};
        QTest::keyClick(dialog->nameField(), Qt::Key_Return);
        if (dialog->isVisible()) {
            dialog->reject();  // Enter did not go: the test fails below, without hanging
        }
    });
    poll.start(10);
    // The lobby is answered by the test view: it is left at once.
    EXPECT_FALSE(view->joinByLink(QStringLiteral("trundlex://localhost:50001/k7qx-2m")));
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(seen.name, "Bea") << "the remembered name";
    EXPECT_EQ(seen.host, "localhost:50001");
    EXPECT_EQ(seen.code, "K7QX2M");
    EXPECT_TRUE(seen.join);
    EXPECT_TRUE(seen.goEnabled);
    EXPECT_TRUE(seen.nameFocused);
    ASSERT_EQ(view->lobbies, std::vector<int>{3}) << "Enter went to the room's lobby";
    EXPECT_EQ(view->lobbyRequest.kind, roomproto::Request::Kind::Join);
    EXPECT_EQ(view->lobbyRequest.code, "K7QX2M");
    EXPECT_EQ(settings_.onlineHost(), "localhost:50001") << "the lobby goes to the link's host";
    EXPECT_TRUE(view->messages.isEmpty());
}

TEST_F(StartScreenTest, ALinkThatIsNoRoomsLinkIsToldAndOpensNothing) {
    settings_.setOnlineHost("golf.example.org");
    const auto view = launch();
    view->realFriendsDialog = true;
    bool dialogOpened = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<FriendsDialog*>(QApplication::activeModalWidget())) {
            dialogOpened = true;
            dialog->reject();
        }
    });
    poll.start(10);
    for (const QString& link : {QStringLiteral("trundlex://localhost:50001/"),
                                QStringLiteral("trundlex://localhost:0/K7QX2M"),
                                QStringLiteral("ftp://localhost/K7QX2M")}) {
        view->messages.clear();
        EXPECT_FALSE(view->joinByLink(link));
        ASSERT_EQ(view->messages.size(), 1) << link.toStdString();
        EXPECT_TRUE(view->messages.front().contains(link)) << "the link is named";
    }
    EXPECT_FALSE(dialogOpened);
    EXPECT_TRUE(view->lobbies.empty());
    EXPECT_EQ(settings_.onlineHost(), "golf.example.org") << "the host kept as it was";
}

}  // namespace
}  // namespace trundlex::testing
