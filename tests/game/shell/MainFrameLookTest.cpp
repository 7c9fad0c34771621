// The look chosen in the View menu is drawn at once and comes back at the next start.
#include <QAction>
#include <QScreen>
#include <algorithm>
#include <memory>

#include "BallPreview.h"
#include "GameShellFixture.h"
#include "LevelPreview.h"
#include "MainFrame.h"

namespace trundlex::testing {
namespace {

class MainFrameLookTest : public GameShellTest {
protected:
    static QAction* actionNamed(const MainFrame& frame, const QString& text) {
        for (QAction* action : frame.findChildren<QAction*>()) {
            if (action->text() == text) {
                return action;
            }
        }
        return nullptr;
    }
};

// A start on a small screen (or with a large scale factor) opens a window within it, also
// when the last run, on a larger screen, kept a larger one.
TEST_F(MainFrameLookTest, TheFirstWindowFitsTheScreen) {
    {
        MainFrame larger(context_);
        larger.show();
        larger.resize(2400, 1600);
        larger.close();
    }
    MainFrame frame(context_);
    ASSERT_NE(frame.screen(), nullptr);
    const QSize room = frame.screen()->availableGeometry().size();
    EXPECT_LE(frame.width(), room.width());
    EXPECT_LE(frame.height(), room.height());
    EXPECT_GE(frame.width(), std::min(900, room.width() / 2)) << "yet not a small window";
}

// The look and the sound are stored the moment they are chosen, not only when the game ends
// normally: a game closed by a logout or a kill keeps them as well.
TEST_F(MainFrameLookTest, LookAndSoundChosenInTheMenusAreStoredAtOnce) {
    const auto stored = [this] {
        auto again = std::make_unique<GameSettings>(store_);
        again->Load();
        return again;
    };
    MainFrame frame(context_);
    EXPECT_EQ(frame.view()->look(), Look::Modern) << "the modern look is the default";
    QAction* classic = actionNamed(frame, QStringLiteral("&Classic look"));
    QAction* sound = actionNamed(frame, QStringLiteral("&Sound"));
    ASSERT_NE(classic, nullptr);
    ASSERT_NE(sound, nullptr);
    const bool soundBefore = settings_.sound();
    classic->trigger();
    sound->trigger();
    EXPECT_EQ(frame.view()->look(), Look::Classic);
    EXPECT_EQ(stored()->look(), GameSettings::ClassicLook);
    EXPECT_EQ(stored()->sound(), !soundBefore);

    MainFrame again(context_);
    EXPECT_EQ(again.view()->look(), Look::Classic);
    EXPECT_TRUE(actionNamed(again, QStringLiteral("&Classic look"))->isChecked());
}

// The small pictures of the new-game wizard and the levels viewer follow the playfield's look.
TEST_F(MainFrameLookTest, PreviewsAreDrawnInTheChosenLook) {
    LevelPreview level;
    level.resize(160, 120);
    level.setLevel(asciiLevel({"#####", "#.~O#", "#####"}));
    BallPreview ball(random_);
    ball.setBallLook(0x00E1FF, 1, false);
    const QImage classic[] = {level.grab().toImage(), ball.grab().toImage()};
    level.setLook(Look::Modern);
    ball.setLook(Look::Modern);
    EXPECT_NE(level.grab().toImage(), classic[0]);
    EXPECT_NE(ball.grab().toImage(), classic[1]);
    level.setLook(Look::Classic);
    EXPECT_EQ(level.grab().toImage(), classic[0]);
}

}  // namespace
}  // namespace trundlex::testing
