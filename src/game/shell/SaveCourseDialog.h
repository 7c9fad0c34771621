#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace trundlex {

struct GameContext;
class Course;
class Match;

// Saves the levels to play as a new course file, or as the new level list of an existing
// course (which keeps its ID and so its high scores).
class SaveCourseDialog : public QDialog {
    Q_OBJECT

public:
    SaveCourseDialog(const Match& setup, GameContext& context, QWidget* parent = nullptr);

    // The ID of the course saved; empty until the dialog was accepted.
    const std::string& savedCourseId() const { return savedId_; }

    // For tests and the dialog's own OK: true when saved.
    bool createCourse(const QString& name, const QString& fileName);
    bool updateCourse(int index);

    void accept() override;

private:
    void updateEnabling();
    void browse();
    QString defaultFileName(const QString& name) const;
    void takeInCoursesBeside(const Course& saved);

    const Match& setup_;
    GameContext& context_;
    QRadioButton* create_;
    QRadioButton* update_;
    QLineEdit* name_;
    QLineEdit* fileName_;
    QPushButton* browse_;
    QComboBox* courses_;
    QPushButton* ok_;
    std::string savedId_;
    // Why the last save failed.
    std::string error_;
};

}  // namespace trundlex
