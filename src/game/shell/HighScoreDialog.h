#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QPushButton;
class QTableWidget;

namespace trundlex {

class CourseLibrary;
class HighScoreStore;

// Shows the ten best results of each course played on this computer, and clears a course's
// list on request. Courses are named from the course library; a course whose file is gone
// shows as "Unknown course" and can still be viewed and cleared.
class HighScoreDialog : public QDialog {
    Q_OBJECT

public:
    // `preselectedCourseId` picks the course shown first (none: the first course).
    HighScoreDialog(HighScoreStore& store, const CourseLibrary& courses,
                    std::string preselectedCourseId, QWidget* parent = nullptr);

    // For tests: the course names offered and the rows shown as text.
    QStringList courseNames() const;
    QStringList shownRows() const;
    // Clears the selected course's list without asking.
    void clearSelectedCourse();

private:
    void fillCourses();
    void showCourse(int index);
    void askAndClear();

    HighScoreStore& store_;
    const CourseLibrary& courses_;
    std::string preselected_;
    QComboBox* courseBox_;
    QTableWidget* table_;
    QPushButton* clearButton_;
};

}  // namespace trundlex
