// The editor's keyboard as a user meets it in the main window: every shortcut means one thing,
// zoom keys, and the keys that move the whole level.
#include <QAction>
#include <QMenuBar>
#include <QStandardPaths>
#include <map>

#include "CMainFrame.h"
#include "EditorActions.h"
#include "EditorShellFixture.h"

namespace trundlex::testing {
namespace {

class EditorKeysTest : public EditorWindowTest {
protected:
    EditorKeysTest() {
        // A level of one wall block in an open field, so that a shift shows.
        document.level().block(4, 4).fromText("S0T8");
    }
    CEditorView* view() const { return frame.view(); }
};

// Guards against Zoom In and Zoom Out doing nothing: each listed its key twice (the platform's
// standard zoom key and the same key spelt out), and Qt treats a key bound twice as ambiguous.
TEST_F(EditorKeysTest, NoKeyIsBoundTwiceAmongTheWindowsActions) {
    std::map<QString, QStringList> owners;
    for (QAction* action : frame.findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            owners[key.toString(QKeySequence::PortableText)]
                << QString(action->text()).remove(QLatin1Char('&'));
        }
    }
    ASSERT_GT(owners.size(), 30u) << "the window's actions were found";
    for (const auto& [key, actions] : owners) {
        EXPECT_EQ(actions.size(), 1)
            << key.toStdString() << ": " << actions.join(QStringLiteral(", ")).toStdString();
    }
}

TEST_F(EditorKeysTest, ControlPlusEqualsAndMinusZoomAndZoomReachesFourTimesTheFittingSize) {
    ASSERT_TRUE(active);
    ASSERT_EQ(view()->zoomPercent(), 100);
    QTest::keyClick(view(), Qt::Key_Plus, Qt::ControlModifier);
    const int once = view()->zoomPercent();
    EXPECT_GT(once, 100);
    QTest::keyClick(view(), Qt::Key_Equal, Qt::ControlModifier);
    const int twice = view()->zoomPercent();
    EXPECT_GT(twice, once) << "Ctrl+= is Ctrl++ without Shift";
    QTest::keyClick(view(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_LT(view()->zoomPercent(), twice);

    int last = 0;
    for (int press = 0; press < 40 && view()->zoomPercent() != last; ++press) {
        last = view()->zoomPercent();
        QTest::keyClick(view(), Qt::Key_Plus, Qt::ControlModifier);
    }
    EXPECT_GE(view()->zoomPercent(), 400);
    QTest::keyClick(view(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(view()->zoomPercent(), 100);
}

// Guards against a bare arrow key moving every block and dropping those pushed off the edge.
TEST_F(EditorKeysTest, ABareArrowKeyLeavesTheLevelAndControlShiftArrowMovesIt) {
    ASSERT_TRUE(active);
    const std::string before = document.level().toText();
    for (auto key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
        QTest::keyClick(view(), key);
        QTest::keyClick(view(), key, Qt::ShiftModifier);
        QTest::keyClick(view(), key, Qt::ControlModifier);
    }
    EXPECT_EQ(document.level().toText(), before);
    EXPECT_FALSE(document.IsModified());

    QTest::keyClick(view(), Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(view(), Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(document.level().block(5, 5).toText(), "S0T8");
    EXPECT_EQ(document.level().block(4, 4).toText(), "$");
    QTest::keyClick(view(), Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(view(), Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(document.level().toText(), before);
    // The menu says so.
    for (EditorCommand id : {EditorCommand::ShiftLeft, EditorCommand::ShiftRight,
                             EditorCommand::ShiftUp, EditorCommand::ShiftDown}) {
        ASSERT_NE(command(id), nullptr);
        EXPECT_TRUE(command(id)->shortcut()[0].keyboardModifiers() ==
                    (Qt::ControlModifier | Qt::ShiftModifier));
    }
}

}  // namespace
}  // namespace trundlex::testing
