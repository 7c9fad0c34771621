// Players played by the computer: the view thinks, shows the aim and putts for them, through
// the same path as a person's putt.
#include <QTest>

#include <cmath>

#include "GameShellFixture.h"

namespace trundlex::testing {
namespace {

class ComputerPlayerViewTest : public GameShellTest {
protected:
    void SetUp() override {
        // The cup right of the start, and on the second level left of it, with water on the
        // right so that no putt to the right comes back off the wall.
        addLevel("cup-right", {"##########", "#........#", "#......O.#", "#........#", "##########"},
                 3.5, 2.5);
        addLevel("cup-left", {"##########", "#......~~#", "#.O....~~#", "#......~~#", "##########"},
                 5.5, 2.5);
    }

    Match setupOf(std::initializer_list<std::pair<const char*, ComputerStrength>> players,
                  std::initializer_list<const char*> levels) {
        Match setup;
        for (const auto& [name, strength] : players) {
            setup.AddPlayer(name, 0x00E6E6E6, 0, false, Player::LocalConnection)
                .SetComputer(strength);
        }
        for (const char* id : levels) {
            setup.AddLevel(id);
        }
        return setup;
    }

    void show() {
        view.resize(700, 520);
        view.show();
        view.action(GameCommand::LockSpeed)->trigger();
        view.setSpeedMode(Fastest);
    }

    TestGameView view{context_};
};

TEST_F(ComputerPlayerViewTest, PlaysItsTurnsAmongPeopleAndItsPuttsAreRecorded) {
    QStringList statuses;
    QObject::connect(&view, &GameView::status, [&](const QString& text) { statuses << text; });
    show();
    view.startMatch(setupOf({{"Ann", ComputerStrength::Person}, {"Robo", ComputerStrength::Hard}},
                            {"cup-right", "cup-left"}));
    for (int hole = 0; hole < 2; ++hole) {
        ASSERT_TRUE(spinUntil([&] { return view.viewState() == Aiming || view.match().IsOver(); }));
        ASSERT_EQ(view.currentPlayer(), view.match().GetPlayer(0)) << "Ann putts herself";
        view.putt(hole == 0 ? 0.0 : std::acos(-1.0), 4.2);
        // Robo's turn comes when Ann's ball rests or drops; the mouse cannot putt for it.
        ASSERT_TRUE(spinUntil([&] {
            return view.viewState() == ComputerThinking || view.match().GetHole() != hole ||
                   view.match().IsOver();
        }));
        if (view.viewState() == ComputerThinking) {
            const int before = view.match().GetPlayer(1)->PuttCount();
            QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(200, 200));
            EXPECT_NE(view.viewState(), Charging);
            QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(200, 200));
            EXPECT_EQ(view.match().GetPlayer(1)->PuttCount(), before);
        }
        ASSERT_TRUE(spinUntil([&] { return view.match().GetHole() != hole || view.match().IsOver(); }));
    }
    ASSERT_TRUE(spinUntil([&] { return view.match().IsOver(); }));
    const Player& robo = *view.match().GetPlayer(1);
    EXPECT_EQ(robo.StrokesOn(0), 1) << "a straight putt on open grass";
    EXPECT_EQ(robo.StrokesOn(1), 1);
    ASSERT_EQ(robo.PuttCount(), 2);
    EXPECT_LT(std::abs(robo.GetPutt(0)->heading), 0.2) << "to the right";
    EXPECT_GT(std::abs(robo.GetPutt(1)->heading), 2.9) << "to the left";
    EXPECT_TRUE(view.prepareReplay(1, 1)) << "its putts replay like anyone's";
    // Each "thinking" gives way to the hole's own line when Robo putts.
    EXPECT_EQ(statuses.count(QStringLiteral("Robo is thinking...")), 2);
    for (int i = 0; i < statuses.size(); ++i) {
        if (statuses[i] == QStringLiteral("Robo is thinking...")) {
            ASSERT_LT(i + 1, statuses.size());
            EXPECT_TRUE(statuses[i + 1].startsWith(QStringLiteral("Hole ")))
                << statuses[i + 1].toStdString();
        }
    }
}

TEST_F(ComputerPlayerViewTest, APuttWorkedOutBeforeANewGameIsNeverPlayedInIt) {
    show();
    view.startMatch(setupOf({{"Robo", ComputerStrength::Hard}}, {"cup-right"}));
    ASSERT_EQ(view.viewState(), ComputerThinking);
    // Long enough to work the putt out, too short for the aim to have been shown in full.
    spinUntil([] { return false; }, 150);
    EXPECT_EQ(view.match().GetPlayer(0)->PuttCount(), 0);

    view.startMatch(setupOf({{"Robo", ComputerStrength::Hard}}, {"cup-left"}));
    ASSERT_TRUE(spinUntil([&] { return view.match().IsOver(); }));
    const Player& robo = *view.match().GetPlayer(0);
    ASSERT_GE(robo.PuttCount(), 1);
    EXPECT_GT(std::abs(robo.GetPutt(0)->heading), 2.9)
        << "the first putt of the new game goes left, to its own cup";
}

}  // namespace
}  // namespace trundlex::testing
