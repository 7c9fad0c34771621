// The look chosen in the View menu is drawn at once and comes back at the next start.
#include <QAction>
#include <memory>

#include "GameShellFixture.h"
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

}  // namespace
}  // namespace trundlex::testing
