#include <set>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ColourSwatches.h"
#include "GameShellFixture.h"
#include "LevelPreview.h"
#include "LevelsPage.h"
#include "NewGameWizard.h"
#include "PlayersPage.h"
#include "SaveCourseDialog.h"
#include "library/Course.h"
#include "render/MaterialStyle.h"
#include "solver/HoleRates.h"
#include "solver/Par.h"
#include "render/ModernTexture.h"
#include "support/TempFolder.h"

namespace trundlex::testing {
namespace {

class NewGameWizardTest : public GameShellTest {
protected:
    void addLevels(int count) {
        for (int i = 0; i < count; ++i) {
            addLevel("level-" + std::to_string(i), {"...", "..."}, 1.0, 1.0);
        }
    }
    // Saves a course of `levelIds` in a folder of the test and adds it to the library.
    void addCourse(const std::string& name, const std::vector<std::string>& levelIds) {
        Course course;
        course.setName(name);
        for (const std::string& id : levelIds) {
            course.addLevelId(id);
        }
        course.setPath(courseFolder_ / (name + ".cou"));
        ASSERT_TRUE(course.save(random_));
        courses_.add(course);
    }
    Match previous_;

private:
    const TempFolder courseFolder_;
};

TEST_F(NewGameWizardTest, OkNeedsLevelsAndPlayersDependingOnTheMode) {
    addLevels(3);
    NewGameWizard wizard(previous_, context_);
    wizard.setMode(2);
    EXPECT_TRUE(wizard.isOkEnabled()) << "a client needs neither players nor levels";
    wizard.setMode(1);
    EXPECT_FALSE(wizard.isOkEnabled()) << "a server needs a level";
    wizard.levelsPage()->addLibraryRows({0});
    EXPECT_TRUE(wizard.isOkEnabled()) << "but no player of its own";
    wizard.setMode(0);
    EXPECT_FALSE(wizard.isOkEnabled()) << "a local game needs a player too";
    wizard.playersPage()->addPlayer(QStringLiteral("Ann"));
    EXPECT_TRUE(wizard.isOkEnabled());
    EXPECT_EQ(context_.networkMode, 0) << "the mode is remembered";
}

TEST_F(NewGameWizardTest, AddressFieldOffersTheLastServersAndRefusesWhatCannotBeAnAddress) {
    settings_.rememberAddress("old.example.org");
    settings_.rememberAddress("[::1]:49733");
    {
        NewGameWizard wizard(previous_, context_);
        wizard.setMode(2);
        QComboBox* field = wizard.addressField();
        ASSERT_EQ(field->count(), 2);
        EXPECT_EQ(field->itemText(0), "[::1]:49733");
        EXPECT_EQ(field->currentText(), "[::1]:49733") << "the last one is offered first";
        for (const auto& [text, ok] : std::vector<std::pair<QString, bool>>{
                 {"host:99999", false}, {"[::1", false}, {"two words", false},
                 {"golf.example.org:50000", true}, {"2001:db8::5", true}}) {
            field->setEditText(text);
            EXPECT_EQ(wizard.isOkEnabled(), ok) << text.toStdString();
        }
        field->setCurrentIndex(1);
        wizard.accept();
    }
    EXPECT_EQ(settings_.recentAddresses(),
              (std::vector<std::string>{"old.example.org", "[::1]:49733"}));
    // Stored when the wizard is accepted, not only when the game ends.
    GameSettings stored(store_);
    stored.Load();
    EXPECT_EQ(stored.recentAddresses(), settings_.recentAddresses());
    EXPECT_EQ(stored.address(), "old.example.org");
}

TEST_F(NewGameWizardTest, DeletingPlayersRenumbersTheIcons) {
    NewGameWizard wizard(previous_, context_);
    PlayersPage* page = wizard.playersPage();
    for (const char* name : {"P0", "P1", "P2", "P3"}) {
        page->addPlayer(QString::fromLatin1(name));
    }
    page->removeRows({1, 3});
    EXPECT_EQ(page->rowNames(), (QStringList{"P0", "P2"}));
    EXPECT_EQ(page->rowIconNumbers(), (QList<int>{0, 1}));
    ASSERT_EQ(wizard.setup().PlayerCount(), 2);
    EXPECT_EQ(wizard.setup().GetPlayer(1)->GetName(), "P2");
}

TEST_F(NewGameWizardTest, ComputerPlayersKeepTheirStrengthIntoTheNextGame) {
    NewGameWizard wizard(previous_, context_);
    PlayersPage* page = wizard.playersPage();
    page->addPlayer(QStringLiteral("Ann"));
    page->chooseStrength(ComputerStrength::Hard);
    auto* name = page->findChild<QLineEdit*>();
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->placeholderText(), QStringLiteral("Computer 2")) << "a name is offered";
    EXPECT_EQ(page->nameToAdd(), QStringLiteral("Computer 2"));
    page->addPlayer(page->nameToAdd());
    page->chooseStrength(ComputerStrength::Easy);
    page->addPlayer(QStringLiteral("Slowpoke"));
    EXPECT_EQ(page->rowNames(),
              (QStringList{"Ann", "Computer 2 (Computer, hard)", "Slowpoke (Computer, easy)"}));
    const Match& setup = wizard.setup();
    ASSERT_EQ(setup.PlayerCount(), 3);
    EXPECT_EQ(setup.GetPlayer(0)->GetComputer(), ComputerStrength::Person);
    EXPECT_EQ(setup.GetPlayer(1)->GetComputer(), ComputerStrength::Hard);
    EXPECT_EQ(setup.GetPlayer(1)->GetName(), "Computer 2") << "the strength is not in the name";
    EXPECT_EQ(setup.GetPlayer(2)->GetComputer(), ComputerStrength::Easy);

    // The next new game offers the same players, played the same way.
    NewGameWizard again(setup, context_);
    const Match& offered = again.setup();
    ASSERT_EQ(offered.PlayerCount(), 3);
    EXPECT_EQ(offered.GetPlayer(1)->GetComputer(), ComputerStrength::Hard);
    EXPECT_EQ(offered.GetPlayer(2)->GetComputer(), ComputerStrength::Easy);
    EXPECT_EQ(offered.GetPlayer(0)->GetComputer(), ComputerStrength::Person);
}

TEST_F(NewGameWizardTest, NewPlayersGetDistinctColoursAndCustomOnesComeBack) {
    NewGameWizard wizard(previous_, context_);
    std::set<std::uint32_t> colours;
    for (int i = 0; i < ColourSwatches::colours().size(); ++i) {
        wizard.playersPage()->addPlayer(QString::number(i));
        colours.insert(wizard.setup().GetPlayer(i)->GetStyle().colour);
    }
    EXPECT_EQ(colours.size(), static_cast<std::size_t>(ColourSwatches::colours().size()));
    wizard.playersPage()->findChild<ColourSwatches*>()->setColour(QColor(12, 34, 56));
    wizard.playersPage()->addPlayer(QStringLiteral("Own"));
    NewGameWizard again(wizard.setup(), context_);
    EXPECT_EQ(again.setup().GetPlayer(colours.size())->GetStyle().colour, 0x0038220Cu);
}

// A ball must stand out on every ground it lies on or crosses, in both looks, by the "red
// mean" colour distance, a cheap stand-in for the eye's.
TEST(ColourSwatches, EveryColourStandsOutOnEveryGround) {
    for (const QColor& ball : ColourSwatches::colours()) {
        for (const int kind : {Grass, Sand, Ice, Water}) {
            std::vector<QColor> grounds{kindColour(kind)};
            for (int p = 0; p < 400; p += 7) {
                const Rgbf c = materialColour(kind, 0, {p, (p * 13) % 400, 40.0f, (p % 10) / 9.0f});
                grounds.emplace_back(int(c.r), int(c.g), int(c.b));
            }
            for (const QColor& g : grounds) {
                const double mean = (ball.red() + g.red()) / 2.0, dr = ball.red() - g.red(),
                             dg = ball.green() - g.green(), db = ball.blue() - g.blue();
                ASSERT_GT((2 + mean / 256) * dr * dr + 4 * dg * dg + (2 + (255 - mean) / 256) * db * db,
                          150.0 * 150.0) << ball.name().toStdString() << " on " << kind;
            }
        }
    }
}

TEST_F(NewGameWizardTest, RandomCoursesFitTheLibraryAndNeverRepeatALevel) {
    addLevels(7);
    {
        NewGameWizard wizard(previous_, context_);
        EXPECT_EQ(wizard.levelsPage()->randomCourseSizes(), (QList<int>{3, 6}));
        for (int round = 0; round < 50; ++round) {
            wizard.levelsPage()->drawRandomCourse(6);
            const QStringList ids = wizard.levelsPage()->shownLevelIds();
            ASSERT_EQ(ids.size(), 6);
            EXPECT_EQ(std::set<QString>(ids.begin(), ids.end()).size(), 6u);
            EXPECT_TRUE(wizard.setup().GetName().empty()) << "a random course has no course ID";
        }
    }
    LevelLibrary two("");
    for (int i = 0; i < 2; ++i) {
        Level level(2, 2);
        level.setId("x" + std::to_string(i));
        two.add(level);
    }
    GameContext small{two, courses_, highScores_, {}, settings_, random_, nullptr, "", 0};
    NewGameWizard wizard(previous_, small);
    EXPECT_TRUE(wizard.levelsPage()->randomCourseSizes().isEmpty());
}

TEST_F(NewGameWizardTest, CourseWithMissingLevelsLoadsWithoutItsId) {
    addLevels(3);
    addCourse("Partial", {"level-0", "gone", "level-2"});

    NewGameWizard wizard(previous_, context_);
    QStringList warnings;
    QObject::connect(wizard.levelsPage(), &LevelsPage::warning,
                     [&](const QString& text) { warnings << text; });
    // The wizard's own warning box is not wanted here: disconnect it.
    QObject::disconnect(wizard.levelsPage(), &LevelsPage::warning, &wizard, nullptr);
    wizard.levelsPage()->loadCourse(0);
    EXPECT_EQ(wizard.levelsPage()->shownLevelIds(), (QStringList{"level-0", "level-2"}));
    EXPECT_TRUE(wizard.setup().GetName().empty());
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("only 2 of its 3")));
}

// Add leaves the name field empty, so that accepting the wizard adds nobody more; Enter in the
// field adds the player it names and leaves the wizard open.
TEST_F(NewGameWizardTest, AddAndEnterAddJustThePlayerAskedFor) {
    addLevels(1);
    NewGameWizard wizard(previous_, context_);
    wizard.setMode(0);
    wizard.levelsPage()->addLibraryRows({0});
    wizard.show();
    PlayersPage* page = wizard.playersPage();
    QLineEdit* name = page->nameField();
    auto* add = page->findChild<QPushButton*>(QStringLiteral("addPlayer"));
    ASSERT_NE(add, nullptr);
    EXPECT_FALSE(add->isEnabled()) << "no name, a person: nothing to add";

    page->chooseStrength(ComputerStrength::Medium);
    ASSERT_TRUE(add->isEnabled()) << "a computer player has a name offered";
    add->click();
    EXPECT_TRUE(name->text().isEmpty());
    EXPECT_EQ(page->rowNames(), (QStringList{"Computer 1 (Computer, medium)"}));
    EXPECT_EQ(name->placeholderText(), QStringLiteral("Computer 2"));

    page->chooseStrength(ComputerStrength::Person);
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("Ann"));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(wizard.isVisible()) << "Enter accepted the whole wizard";
    EXPECT_TRUE(name->text().isEmpty());
    EXPECT_EQ(page->rowNames(), (QStringList{"Computer 1 (Computer, medium)", "Ann"}));

    // With the field empty, Enter is the wizard's: OK, with just the two players.
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(wizard.setup().PlayerCount(), 2);
}

// The first game starts from the first course (when it is whole), and a name typed but not
// added is a player: a new player types a name and presses OK.
TEST_F(NewGameWizardTest, AFirstGameNeedsOnlyANameTyped) {
    addLevels(2);
    addCourse("First", {"level-1", "level-0"});
    {
        NewGameWizard wizard(previous_, context_);
        wizard.setMode(0);
        EXPECT_EQ(wizard.levelsPage()->shownLevelIds(), (QStringList{"level-1", "level-0"}));
        EXPECT_FALSE(wizard.isOkEnabled()) << "nobody to play";
        wizard.playersPage()->nameField()->setText(QStringLiteral("  Ann "));
        ASSERT_TRUE(wizard.isOkEnabled());
        wizard.accept();
        ASSERT_EQ(wizard.setup().PlayerCount(), 1);
        EXPECT_EQ(wizard.setup().GetPlayer(0)->GetName(), "Ann");
    }
    // A game already chosen is not replaced by the course.
    previous_.AddLevel("level-0");
    NewGameWizard again(previous_, context_);
    EXPECT_EQ(again.levelsPage()->shownLevelIds(), (QStringList{"level-0"}));
}

TEST_F(NewGameWizardTest, SavingACourseCreatesOrUpdatesIt) {
    addLevels(3);
    const TempFolder folder;
    context_.programFolder = folder.path().string();
    Match setup;
    setup.AddLevel("level-0");
    setup.AddLevel("level-2");

    SaveCourseDialog create(setup, context_);
    const QString file = QString::fromStdString(folder / "courses/Mine.cou");
    ASSERT_TRUE(create.createCourse(QStringLiteral("Mine"), file));
    ASSERT_EQ(courses_.count(), 1);
    const std::string id = create.savedCourseId();
    EXPECT_FALSE(id.empty());
    Course reread;
    ASSERT_TRUE(reread.load(file.toStdString()));
    EXPECT_EQ(reread.levelCount(), 2);
    EXPECT_EQ(reread.id(), id);

    setup.AddLevel("level-1");
    SaveCourseDialog update(setup, context_);
    ASSERT_TRUE(update.updateCourse(0));
    EXPECT_EQ(update.savedCourseId(), id) << "an updated course keeps its ID and its high scores";
    ASSERT_TRUE(reread.load(file.toStdString()));
    EXPECT_EQ(reread.levelCount(), 3);
    EXPECT_EQ(courses_.at(0).levelCount(), 3);

    SaveCourseDialog failing(setup, context_);
    EXPECT_FALSE(failing.createCourse(QStringLiteral("Bad"), QStringLiteral("/proc/no/such.cou")));
    EXPECT_EQ(courses_.count(), 1) << "a failed save adds nothing";
}

}  // namespace
}  // namespace trundlex::testing

namespace trundlex::testing {
namespace {

QStringList comboTexts(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) {
        texts << combo->itemText(i);
    }
    return texts;
}

// The course picker labels a course once the par of each of its holes is known, and shows a
// thumbnail of each hole of the course picked.
TEST_F(NewGameWizardTest, CoursePickerShowsTheLabelOfKnownParsAndTheHolesOfTheCourse) {
    addLevel("tap-in", {"######", "#.o..#", "######"}, 1.5, 1.5);
    addLevel("tap-in-again", {"######", "#..o.#", "#....#", "######"}, 1.5, 1.5);
    addLevel("unsolved", {"######", "#..o.#", "######"}, 1.5, 1.5);
    addCourse("Short", {"tap-in", "tap-in-again"});
    addCourse("Unknown", {"tap-in", "unsolved", "tap-in-again"});
    ParCache pars("");
    for (const char* id : {"tap-in", "tap-in-again"}) {
        ASSERT_EQ(pars.parOf(levels_.at(levels_.findById(id))), 1) << id;
    }
    context_.pars = &pars;

    NewGameWizard wizard(previous_, context_);
    QComboBox* picker = nullptr;
    for (QComboBox* combo : wizard.levelsPage()->findChildren<QComboBox*>()) {
        if (comboTexts(combo).join('|').contains(QStringLiteral("Short"))) {
            picker = combo;
        }
    }
    ASSERT_NE(picker, nullptr);
    // A par 1 a hole is easy; a course with a hole of unknown par goes without a label.
    EXPECT_EQ(comboTexts(picker), (QStringList{"Short (Easy)", "Unknown"}));

    // Pars that a careful person makes only half of the time make the course a step harder.
    HoleRates tight;
    for (const char* id : {"tap-in", "tap-in-again"}) {
        ASSERT_TRUE(tight.add(levels_.at(levels_.findById(id)), 0.5));
    }
    context_.holeRates = &tight;
    {
        NewGameWizard rated(previous_, context_);
        bool shown = false;
        for (QComboBox* combo : rated.levelsPage()->findChildren<QComboBox*>()) {
            shown = shown || comboTexts(combo).contains(QStringLiteral("Short (Medium)"));
        }
        EXPECT_TRUE(shown);
    }
    context_.holeRates = nullptr;

    const auto thumbnails = [&wizard] {
        // One preview of the page is the big one of the level chosen in a list.
        int previews = 0;
        for (QWidget* child : wizard.levelsPage()->findChildren<QWidget*>()) {
            previews += dynamic_cast<LevelPreview*>(child) != nullptr ? 1 : 0;
        }
        return previews - 1;
    };
    picker->setCurrentIndex(0);
    EXPECT_EQ(thumbnails(), 2);
    picker->setCurrentIndex(1);
    EXPECT_EQ(thumbnails(), 3) << "the row follows the course picked";
    context_.pars = nullptr;
}

}  // namespace
}  // namespace trundlex::testing
