#include "DialogPrompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace trundlex {

QString DialogPrompts::fileFilter() const {
    return tr("Trundlex level file (*.lev)") + QStringLiteral(";;") + tr("All files (*)");
}

EditorPrompts::Answer DialogPrompts::askToSave(const QString& title) {
    const auto button = QMessageBox::question(
        parent_, tr("Trundlex Editor"), tr("Save changes to %1?").arg(title),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (button == QMessageBox::Yes) {
        return Answer::Yes;
    }
    return button == QMessageBox::No ? Answer::No : Answer::Cancel;
}

QString DialogPrompts::chooseFileToOpen(const QString& folder) {
    return QFileDialog::getOpenFileName(parent_, tr("Open"), folder, fileFilter());
}

QString DialogPrompts::chooseFileToSave(const QString& folder, const QString& suggestedName) {
    QFileDialog dialog(parent_, tr("Save As"), QDir(folder).filePath(suggestedName), fileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("lev"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

bool DialogPrompts::editProperties(LevelProperties& values) {
    LevelPropertiesDialog dialog(values, parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    values = dialog.values();
    return true;
}

void DialogPrompts::showError(const QString& text) {
    QMessageBox::warning(parent_, tr("Trundlex Editor"), text);
}

bool DialogPrompts::saveDespite(const QString& problems) {
    return QMessageBox::warning(parent_, tr("Trundlex Editor"),
                                tr("%1\n\nSave the level anyway?").arg(problems),
                                QMessageBox::Save | QMessageBox::Cancel,
                                QMessageBox::Save) == QMessageBox::Save;
}

bool DialogPrompts::replaceDespite(const QString& fileName, const QString& losses) {
    // Cancel is the default, so that Enter keeps the file's level.
    return QMessageBox::warning(parent_, tr("Trundlex Editor"),
                                tr("Saving would replace the level in %1.\n\n%2\n\n"
                                   "Replace it anyway?")
                                    .arg(fileName, losses),
                                QMessageBox::Save | QMessageBox::Cancel,
                                QMessageBox::Cancel) == QMessageBox::Save;
}

bool DialogPrompts::updateCourses(int count) {
    const QString used = count == 1 ? tr("One of your courses uses this level.")
                                    : tr("%1 of your courses use this level.").arg(count);
    return QMessageBox::question(
               parent_, tr("Trundlex Editor"),
               used + QStringLiteral("\n\n") +
                   tr("The changed level has been saved with a new ID, so a course that still "
                      "lists the old one will miss it. Update the courses to the changed level? "
                      "Their high scores are kept."),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool DialogPrompts::chooseCourse(const QString& levelName, const QStringList& courseNames,
                                 AddToCourseDialog::Choice& choice) {
    AddToCourseDialog dialog(levelName, courseNames, parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    choice = dialog.choice();
    return true;
}

bool DialogPrompts::chooseMaterials(MaterialReplacement& choice, bool selectionAvailable) {
    ReplaceMaterialDialog dialog(choice, selectionAvailable, parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    choice = dialog.choice();
    return true;
}

}  // namespace trundlex
