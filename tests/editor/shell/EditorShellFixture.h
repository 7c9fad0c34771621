#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QPoint>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <functional>
#include <optional>

#include "CEditorDoc.h"
#include "CMainFrame.h"
#include "EditorActions.h"
#include "CEditorView.h"
#include "EditorPrompts.h"
#include "LevelPropertiesDialog.h"
#include "model/RecentFileList.h"
#include "settings/MemorySettingsStore.h"
#include "support/AsciiLevel.h"

namespace trundlex::testing {

// Answers the editor's questions from a script and records what was asked.
// How long a test waits for a par worked out on a thread of its own (sanitizer builds are slow).
inline constexpr int ParWait = 120000;

// A level of `rows` (asciiLevel) with its start at x, y.
inline Level levelWithStart(const std::vector<std::string_view>& rows, double x, double y) {
    Level level = asciiLevel(rows);
    level.setStart(x, y);
    return level;
}

class ScriptedPrompts : public EditorPrompts {
public:
    Answer askToSave(const QString& title) override {
        saveQuestions << title;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected save question about " << title.toStdString();
            return Answer::Cancel;
        }
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString chooseFileToOpen(const QString& folder) override {
        openFolders << folder;
        return openPath;
    }
    QString chooseFileToSave(const QString& folder, const QString& suggestedName) override {
        saveFolders << folder;
        suggestedNames << suggestedName;
        return savePath;
    }
    bool editProperties(LevelProperties& values) override {
        shownProperties.push_back(values);
        return propertiesAnswer && propertiesAnswer(values);
    }
    void showError(const QString& text) override { errors << text; }
    bool saveDespite(const QString& problems) override {
        warnings << problems;
        return saveWithProblems;
    }
    bool replaceDespite(const QString& fileName, const QString& losses) override {
        replaceWarnings << fileName + QStringLiteral(": ") + losses;
        return replaceAnyway;
    }
    bool updateCourses(int count) override {
        courseQuestions.push_back(count);
        return updateTheCourses;
    }
    bool chooseCourse(const QString& levelName, const QStringList& courseNames,
                      AddToCourseDialog::Choice& choice) override {
        offeredCourses << levelName + QStringLiteral(": ") + courseNames.join(QLatin1Char(','));
        if (!courseChoice) {
            return false;
        }
        choice = *courseChoice;
        return true;
    }
    bool chooseMaterials(MaterialReplacement& choice, bool selectionAvailable) override {
        materialQuestions.push_back(selectionAvailable);
        if (!materialChoice) {
            return false;
        }
        choice = *materialChoice;
        return true;
    }

    std::deque<Answer> answers;
    QStringList saveQuestions;
    QString openPath;
    QStringList openFolders;
    QString savePath;
    QStringList saveFolders;
    QStringList suggestedNames;
    // Null: the dialog is cancelled.
    std::function<bool(LevelProperties&)> propertiesAnswer;
    std::vector<LevelProperties> shownProperties;
    QStringList errors;
    QStringList warnings;
    bool saveWithProblems = true;
    // "file name: losses", one entry a warning.
    QStringList replaceWarnings;
    bool replaceAnyway = false;
    // The course counts asked about, one entry a question.
    std::vector<int> courseQuestions;
    bool updateTheCourses = true;
    // "level name: course,course", one entry a dialog; no choice: the dialog is cancelled.
    QStringList offeredCourses;
    std::optional<AddToCourseDialog::Choice> courseChoice;
    // Whether a selection could be chosen, one entry a Replace Material dialog; no choice:
    // the dialog is cancelled.
    std::vector<bool> materialQuestions;
    std::optional<MaterialReplacement> materialChoice;
};

// Records a refusal instead of showing it in a modal box.
class QuietDialog : public LevelPropertiesDialog {
public:
    using LevelPropertiesDialog::LevelPropertiesDialog;
    QStringList refusals;

protected:
    void refuse(const QString& message) override { refusals << message; }
};

// A document and its view in memory, offscreen, with 40-pixel cells for a 10 x 10 level:
// cell (x, y) covers client pixels 5 + 40x ... 44 + 40x and Top + 40y ... Top + 39 + 40y.
class EditorShellTest : public ::testing::Test {
protected:
    static constexpr int Cell = 40;
    static constexpr int Top = EditorLayout::OriginY;

    EditorShellTest() {
        view.resize(770, Top + 400);
        view.show();
    }

    // A client pixel inside cell (x, y), `dx` and `dy` pixels from its top-left corner.
    static QPoint at(int x, int y, int dx = Cell / 2, int dy = Cell / 2) {
        return QPoint(5 + x * Cell + dx, Top + y * Cell + dy);
    }

    // One left-button stroke with the current tool through the given points.
    void stroke(std::initializer_list<QPoint> points, Qt::KeyboardModifiers keys = {}) {
        const QPoint* p = points.begin();
        QTest::mousePress(&view, Qt::LeftButton, keys, *p);
        for (++p; p != points.end(); ++p) {
            QTest::mouseMove(&view, *p);
        }
        QTest::mouseRelease(&view, Qt::LeftButton, keys, *(points.end() - 1));
    }

    // Left click on a material button: the brush's back becomes that kind.
    void pickBack(int kind) {
        QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(350 + 50 * kind, 25));
    }
    // One wall block painted with a click of the Plot tool: one undo step.
    void plotWall(int x, int y) {
        pickBack(Wall);
        view.setTool(ToolPlot);
        stroke({at(x, y)});
    }
    void pickFront(int kind) {
        QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(350 + 50 * kind, 25));
    }

    Level& level() { return document.level(); }
    std::string code(int x, int y) { return level().block(x, y).toText(); }
    // The level's cells as rows of characters (support/AsciiLevel.h).
    std::vector<std::string> rows() { return asciiRows(level()); }

    QString qpath(const char* name) const {
        return QDir(folder.path()).filePath(QLatin1String(name));
    }

    QTemporaryDir folder;
    MemorySettingsStore store;
    RecentFileList recent{store};
    ScriptedPrompts prompts;
    int second = 0;
    CEditorDoc document{prompts, recent, folder.path(), [this] {
                            std::tm t{};
                            t.tm_year = 126;
                            t.tm_sec = second;
                            return t;
                        }};
    CEditorView view{document, prompts, store};
};

// The editor's main window shown and active, on a document of a temporary folder, with
// scripted prompts and settings in memory (its tool bar's place in a test location).
class EditorWindowTest : public ::testing::Test {
protected:
    EditorWindowTest() {
        frame.show();
        frame.activateWindow();
        active = QTest::qWaitForWindowActive(&frame);
    }
    QAction* command(EditorCommand id) const { return frame.actions().action(id); }

    struct TestPaths {
        TestPaths() { QStandardPaths::setTestModeEnabled(true); }
    } testPaths;
    QTemporaryDir folder;
    MemorySettingsStore store;
    RecentFileList recent{store};
    ScriptedPrompts prompts;
    CEditorDoc document{prompts, recent, folder.path()};
    CMainFrame frame{document, prompts, store, recent};
    bool active = false;
};

}  // namespace trundlex::testing
