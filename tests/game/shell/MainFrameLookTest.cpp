// The look chosen in the View menu is drawn at once and comes back at the next start.
#include <QAction>

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

TEST_F(MainFrameLookTest, LookChosenInTheViewMenuIsKeptInTheSettings) {
    {
        MainFrame frame(context_);
        EXPECT_EQ(frame.view()->look(), Look::Modern) << "the modern look is the default";
        QAction* classic = actionNamed(frame, QStringLiteral("&Classic look"));
        ASSERT_NE(classic, nullptr);
        classic->trigger();
        EXPECT_EQ(frame.view()->look(), Look::Classic);
    }
    settings_.Save();
    GameSettings restarted(store_);
    restarted.Load();
    EXPECT_EQ(restarted.look(), GameSettings::ClassicLook);

    MainFrame again(context_);
    EXPECT_EQ(again.view()->look(), Look::Classic);
    EXPECT_TRUE(actionNamed(again, QStringLiteral("&Classic look"))->isChecked());
}

}  // namespace
}  // namespace trundlex::testing
