#include "SaveCourseDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "control/GameContext.h"
#include "library/CourseLibrary.h"
#include "play/Match.h"
#include "platform/PlatformSupport.h"
#include "platform/SaveErrorText.h"

namespace trundlex {

SaveCourseDialog::SaveCourseDialog(const Match& setup, GameContext& context, QWidget* parent)
    : QDialog(parent), setup_(setup), context_(context) {
    setWindowTitle(tr("Save course"));
    create_ = new QRadioButton(tr("&Create new course"), this);
    update_ = new QRadioButton(tr("&Update an existing course"), this);
    name_ = new QLineEdit(this);
    fileName_ = new QLineEdit(this);
    browse_ = new QPushButton(tr("&..."), this);
    courses_ = new QComboBox(this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileName_, 1);
    fileRow->addWidget(browse_);
    auto* form = new QFormLayout;
    form->addRow(create_);
    form->addRow(tr("&Name:"), name_);
    // A row holding a layout gets a label without a buddy, which would show the "&" as text.
    auto* fileLabel = new QLabel(tr("&Filename:"), this);
    fileLabel->setBuddy(fileName_);
    form->addRow(fileLabel, fileRow);
    form->addRow(update_);
    form->addRow(tr("C&ourse"), courses_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(420);

    fileName_->setText(defaultFileName({}));
    for (int i = 0; i < context_.courses.count(); ++i) {
        courses_->addItem(toDisplayText(context_.courses.at(i).name()));
    }
    const int current = context_.courses.findById(setup_.GetName());
    if (context_.courses.count() == 0) {
        update_->setEnabled(false);
        create_->setChecked(true);
    } else if (current >= 0) {
        update_->setChecked(true);
        courses_->setCurrentIndex(current);
    } else {
        create_->setChecked(true);
    }

    connect(create_, &QRadioButton::toggled, this, &SaveCourseDialog::updateEnabling);
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        fileName_->setText(defaultFileName(text));
        updateEnabling();
    });
    connect(fileName_, &QLineEdit::textChanged, this, &SaveCourseDialog::updateEnabling);
    connect(browse_, &QPushButton::clicked, this, &SaveCourseDialog::browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &SaveCourseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateEnabling();
}

QString SaveCourseDialog::defaultFileName(const QString& name) const {
    return QDir(QString::fromStdString(context_.programFolder))
        .filePath(QStringLiteral("courses/") + name + QStringLiteral(".cou"));
}

void SaveCourseDialog::updateEnabling() {
    const bool creating = create_->isChecked();
    name_->setEnabled(creating);
    fileName_->setEnabled(creating);
    browse_->setEnabled(creating);
    courses_->setEnabled(!creating);
    ok_->setEnabled(!creating ||
                    (!name_->text().trimmed().isEmpty() && !fileName_->text().isEmpty()));
}

void SaveCourseDialog::browse() {
    const QString file = QFileDialog::getSaveFileName(
        this, windowTitle(), fileName_->text(), tr("Course file (*.cou);;All files (*)"));
    if (!file.isEmpty()) {
        fileName_->setText(file.endsWith(QStringLiteral(".cou")) ? file
                                                                 : file + QStringLiteral(".cou"));
    }
}

bool SaveCourseDialog::createCourse(const QString& name, const QString& fileName) {
    Course course;
    course.setName(name.toStdString());
    course.setPath(fileName.toStdString());
    for (int i = 0; i < setup_.LevelCount(); ++i) {
        course.addLevelId(setup_.GetLevelId(i));
    }
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    if (!course.save(context_.random, Course::OtherCourse::Keep, &error_)) {
        return false;
    }
    context_.courses.add(course);
    takeInCoursesBeside(course);
    savedId_ = course.id();
    return true;
}

bool SaveCourseDialog::updateCourse(int index) {
    if (index < 0 || index >= context_.courses.count()) {
        return false;
    }
    Course course = context_.courses.at(index);
    course.clearLevelIds();
    for (int i = 0; i < setup_.LevelCount(); ++i) {
        course.addLevelId(setup_.GetLevelId(i));
    }
    if (!course.save(context_.random, Course::OtherCourse::Keep, &error_)) {
        return false;
    }
    context_.courses.at(index) = course;
    takeInCoursesBeside(course);
    savedId_ = course.id();
    return true;
}

void SaveCourseDialog::takeInCoursesBeside(const Course& saved) {
    // Another game may have saved courses into the same folder since this one read it; the
    // list learns them (by ID, so nothing it holds is read twice).
    context_.courses.scanFolder(
        QFileInfo(QString::fromStdString(saved.path())).path().toStdString(), false);
    context_.courses.sort();
}

void SaveCourseDialog::accept() {
    const bool creating = create_->isChecked();
    const bool saved = creating ? createCourse(name_->text().trimmed(), fileName_->text())
                                : updateCourse(courses_->currentIndex());
    if (!saved) {
        const QString file = creating ? fileName_->text()
                                      : QString::fromStdString(
                                            context_.courses.at(courses_->currentIndex()).path());
        QMessageBox::critical(this, windowTitle(),
                              tr("Couldn't save file: %1").arg(file) + QStringLiteral("\n\n") +
                                  saveErrorText(error_));
        return;
    }
    QDialog::accept();
}

}  // namespace trundlex
