#include "LevelHandOff.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include "CEditorDoc.h"
#include "EditorPrompts.h"
#include "level/LevelFile.h"
#include "model/UserCourses.h"
#include "platform/PlatformSupport.h"
#include "platform/SaveErrorText.h"

namespace trundlex {

LevelHandOff::LevelHandOff(CEditorDoc& document, EditorPrompts& prompts, GameLauncher launcher)
    : document_(document),
      prompts_(prompts),
      launcher_(std::move(launcher)),
      random_(std::make_unique<SeededRandom>(SeededRandom::fromClock())) {}

bool LevelHandOff::playInGame() {
    if (!document_.saveForGame()) {
        return false;
    }
    QString error;
    if (!launcher_.play(document_.pathName(), &error)) {
        prompts_.showError(error);
        return false;
    }
    return true;
}

bool LevelHandOff::addToCourse() {
    if (!document_.saveForGame()) {
        return false;
    }
    if (!document_.isFileReadByGame()) {
        prompts_.showError(
            tr("The game reads levels only from its levels folders, so a course could not find "
               "%1 where it is saved now.\nSave the level in your own levels folder with Save As "
               "(it opens there), then add it to a course.")
                .arg(QDir::toNativeSeparators(document_.pathName())));
        return false;
    }
    // The level as the game will read it: the user may have gone on without saving a change.
    Level saved;
    const QString path = document_.pathName();
    if (loadLevelFile(QFile::encodeName(path).toStdString(), saved) != LevelLoadResult::Loaded) {
        prompts_.showError(tr("%1 could not be read back as a level, so it was not added to a "
                              "course.")
                               .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    UserCourses courses(QFile::encodeName(document_.coursesFolder()).toStdString());
    QStringList names;
    for (const Course& course : courses.courses()) {
        names << toDisplayText(course.name());
    }
    const QString levelName =
        saved.name().empty() ? document_.title() : toDisplayText(saved.name());
    AddToCourseDialog::Choice choice;
    if (!prompts_.chooseCourse(levelName, names, choice)) {
        return false;
    }
    const std::string& levelId = saved.id();
    std::string error;
    const bool created = choice.course < 0;
    const bool added =
        created ? courses.create(choice.newName.toUtf8().toStdString(), levelId, *random_, &error)
                : courses.addTo(choice.course, levelId, *random_, &error);
    const QString courseName = created ? choice.newName : names.value(choice.course);
    if (!added) {
        prompts_.showError(tr("The level could not be added to the course %1.\n\n%2")
                               .arg(courseName, saveErrorText(error)));
        return false;
    }
    lastAddition_ = created ? tr("Made the course %1 with the level %2.").arg(courseName, levelName)
                            : tr("Added the level %1 to the course %2.").arg(levelName, courseName);
    return true;
}

}  // namespace trundlex
