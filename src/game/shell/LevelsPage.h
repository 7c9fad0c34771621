#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace trundlex {

class Course;
struct GameContext;
class LevelPreview;
class Match;

// The wizard's second page: the levels to play, picked one by one from the library, loaded
// as a saved course or drawn as a random course, in playing order; with a preview.
class LevelsPage : public QWidget {
    Q_OBJECT

public:
    LevelsPage(Match& setup, GameContext& context, QWidget* parent = nullptr);

    // The hole counts offered for a random course (3, 6, ... 18, at most the library's).
    QList<int> randomCourseSizes() const;
    // Replaces the levels to play with `holes` different library levels drawn at random.
    void drawRandomCourse(int holes);
    // Adds the library levels of these rows, in ascending order.
    void addLibraryRows(QList<int> rows);
    void removeRows(QList<int> rows);
    void moveRows(QList<int> rows, bool up);
    // Loads the course of this row of the course list; tells the user when levels are
    // missing.
    void loadCourse(int index);
    // The level IDs to play, as shown.
    QStringList shownLevelIds() const;

signals:
    void levelsChanged();
    // A message for the user (missing levels).
    void warning(const QString& text);

private:
    void rebuildPlayList();
    void fillCourses();
    // "Easy", "Medium" or "Hard" from the pars known so far; empty when a par is not known.
    QString difficultyLabel(const Course& course) const;
    // The thumbnail row of the holes of the course in this row of the course list.
    void showCourseHoles(int index);
    void saveCourse();
    void showPreview(int libraryIndex);

    Match& setup_;
    GameContext& context_;
    QTreeWidget* library_;
    QTreeWidget* playList_;
    QPushButton* add_;
    QPushButton* up_;
    QPushButton* down_;
    QPushButton* delete_;
    QPushButton* save_;
    QComboBox* courses_;
    QWidget* courseHoles_ = nullptr;
    QPushButton* load_;
    QComboBox* random_;
    QPushButton* go_;
    LevelPreview* preview_;
};

}  // namespace trundlex
