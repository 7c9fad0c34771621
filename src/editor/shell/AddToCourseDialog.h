#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace trundlex {

// File > Add to course: whether the saved level goes to the end of one of the user's courses
// or starts a new course, and that course's name. OK is enabled only when a course is chosen
// or a new one has a name. Without courses to choose from, a new course is the only choice.
class AddToCourseDialog : public QDialog {
    Q_OBJECT

public:
    // `levelName` as shown; `courseNames` in the order the course index of choice() counts.
    AddToCourseDialog(const QString& levelName, const QStringList& courseNames,
                      QWidget* parent = nullptr);

    struct Choice {
        // The chosen course's index, or -1 for a new course.
        int course = -1;
        // The new course's name, trimmed; empty when an existing course is chosen.
        QString newName;
    };
    Choice choice() const;

    QRadioButton* existingButton() const { return existing_; }
    QRadioButton* newButton() const { return create_; }
    QComboBox* courseList() const { return courses_; }
    QLineEdit* nameEdit() const { return name_; }
    QPushButton* okButton() const { return ok_; }

private:
    void updateEnabling();

    QRadioButton* existing_;
    QComboBox* courses_;
    QRadioButton* create_;
    QLineEdit* name_;
    QPushButton* ok_;
};

}  // namespace trundlex
