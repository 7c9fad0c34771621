#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace trundlex {

class CourseLibrary;
class HighScoreStore;

// Shows the ten best results of each course played on this computer, and clears a course's
// list on request. It says which games enter the lists (whole courses played to their last
// hole), and says so in place of the list while there is none. Courses are named from the course library; a course whose file is gone
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
    // The note shown in place of the list while no course has one; empty while hidden.
    QString emptyNote() const;
    // What the dialog says about which games enter the lists.
    QString rule() const;
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
    QLabel* empty_;
    QLabel* rule_;
};

}  // namespace trundlex
