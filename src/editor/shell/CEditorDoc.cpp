#include "CEditorDoc.h"

#include <QDir>
#include <QFileInfo>

#include "LevelChecker.h"
#include "LevelEditCommand.h"
#include "platform/SaveErrorText.h"
#include "level/LevelFile.h"
#include "model/LevelCourses.h"
#include "model/LevelEditing.h"
#include "model/LevelCheck.h"
#include "model/LevelSaving.h"
#include "model/ReplaceCheck.h"
#include "model/RecentFileList.h"
#include "platform/PlatformSupport.h"

namespace trundlex {

namespace {

std::string toBytes(const QString& text) {
    return text.toUtf8().toStdString();
}

std::string toFileName(const QString& path) {
    return QFile::encodeName(QDir::toNativeSeparators(path)).toStdString();
}

// Whether `path` lies in `folder` or below it.
bool isInside(const QString& path, const QString& folder) {
    if (path.isEmpty() || folder.isEmpty()) {
        return false;
    }
    const QString inner = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString outer = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return inner.startsWith(outer + QLatin1Char('/'));
}

}  // namespace

CEditorDoc::CEditorDoc(EditorPrompts& prompts, RecentFileList& recent, QString levelsFolder,
                       LocalClock clock, QObject* parent)
    : QObject(parent),
      prompts_(prompts),
      recent_(recent),
      levelsFolder_(std::move(levelsFolder)),
      clock_(std::move(clock)) {
    history_.setUndoLimit(HistoryLimit);
}

void CEditorDoc::SetModifiedFlag(bool modified) {
    if (modified) {
        history_.resetClean();
    } else {
        history_.setClean();
    }
}

void CEditorDoc::recordEdit(const Level& before) {
    auto step = std::make_unique<LevelEditCommand>(level_, before);
    if (!step->isEmpty()) {
        history_.push(step.release());
    }
}

QString CEditorDoc::title() const {
    return pathName_.isEmpty() ? tr("Untitled") : QFileInfo(pathName_).fileName();
}

QString CEditorDoc::suggestedFileName() const {
    if (!pathName_.isEmpty()) {
        return QFileInfo(pathName_).fileName();
    }
    // An untitled level is offered under its own name, without what file names may not hold.
    QString name = toDisplayText(level_.name()).simplified();
    static const QString kNotInNames = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : name) {
        if (kNotInNames.contains(c) || c.category() == QChar::Other_Control) {
            c = QLatin1Char('-');
        }
    }
    while (name.startsWith(QLatin1Char('.'))) {
        name.remove(0, 1);
    }
    return name.isEmpty() ? title() : name + QStringLiteral(".lev");
}

QString CEditorDoc::dialogFolder() const {
    const std::string folder = recent_.startFolder(toFileName(levelsFolder_));
    return QFile::decodeName(QByteArray::fromStdString(folder));
}

QString CEditorDoc::saveFolder() const {
    if (isInside(pathName_, levelsFolder_)) {
        return QFileInfo(pathName_).absolutePath();
    }
    return levelsFolder_;
}

bool CEditorDoc::isFileReadByGame() const {
    return isInside(pathName_, levelsFolder_) || isInside(pathName_, shippedFolder_);
}

bool CEditorDoc::fileNew() {
    LevelProperties values;
    if (!saveModified() || !prompts_.editProperties(values)) {
        return false;
    }
    emit aboutToReplaceLevel();
    level_.init(values.width, values.height, toBytes(values.name), toBytes(values.creator));
    clearLevel(level_);
    history_.clear();
    opened_.reset();
    setPathName({});
    emit documentReplaced();
    return true;
}

bool CEditorDoc::replaceWithUntitled(const Level& level) {
    if (!saveModified()) {
        return false;
    }
    emit aboutToReplaceLevel();
    const Level before = level_;
    level_ = level;
    recordEdit(before);
    // No state of the history belongs to a file any more.
    history_.resetClean();
    opened_.reset();
    setPathName({});
    emit documentReplaced();
    return true;
}

void CEditorDoc::restoreUnsaved(const Level& level, const QString& path) {
    emit aboutToReplaceLevel();
    level_ = level;
    // A fresh history, as after Open: the level shown before was never this file's, so no
    // Undo may bring it back under the file's name.
    history_.clear();
    history_.resetClean();
    // Not through setPathName: a brought-back level is no file the user opened.
    pathName_ = path;
    // What the file holds is the state the level's ID belongs to; the copy brought back
    // carries only the ID its safety copy was given.
    opened_.reset();
    Level inFile;
    if (!path.isEmpty() && loadLevelFile(toFileName(path), inFile) == LevelLoadResult::Loaded) {
        opened_ = std::move(inFile);
    }
    emit titleChanged();
    emit documentReplaced();
}

bool CEditorDoc::fileOpen() {
    const QString path = prompts_.chooseFileToOpen(dialogFolder());
    if (path.isEmpty()) {
        return false;
    }
    return openFile(path);
}

bool CEditorDoc::openFile(const QString& path) {
    if (!saveModified()) {
        return false;
    }
    const std::string fileName = toFileName(path);
    emit aboutToReplaceLevel();
    const LevelLoadResult loaded = loadLevelFile(fileName, level_);
    if (loaded != LevelLoadResult::Loaded) {
        recent_.remove(fileName);
        recent_.Save();
        emit recentFilesChanged();
        const QString shown = QDir::toNativeSeparators(path);
        QString text;
        if (loaded == LevelLoadResult::TooLarge) {
            text = tr("%1 is too large to be a Trundlex level file.").arg(shown);
        } else if (loaded != LevelLoadResult::Unreadable) {
            text = tr("%1 is not a Trundlex level file, or it is damaged.").arg(shown);
        } else if (!QFileInfo::exists(path)) {
            text = tr("%1 could not be opened: the file does not exist.").arg(shown);
        } else {
            text = tr("%1 could not be opened: you may not read it, or it is a folder.").arg(shown);
        }
        // Only worth saying when there is work on screen (not at start-up).
        if (!pathName_.isEmpty() || history_.count() > 0 || IsModified()) {
            text += QLatin1Char('\n') + tr("The level you are editing has not been changed.");
        }
        prompts_.showError(text);
        return false;
    }
    history_.clear();
    opened_ = level_;
    setPathName(path);
    emit documentReplaced();
    return true;
}

bool CEditorDoc::fileSave() {
    emit aboutToSave();
    // A level that came with the game is the game's: a changed one becomes the user's own.
    if (pathName_.isEmpty() || isInside(pathName_, shippedFolder_)) {
        return fileSaveAs();
    }
    return saveTo(pathName_);
}

bool CEditorDoc::fileSaveAs() {
    emit aboutToSave();
    // The folder the game reads the user's levels from may not exist yet, and a file dialog
    // cannot always make one.
    QDir().mkpath(levelsFolder_);
    const QString path = prompts_.chooseFileToSave(saveFolder(), suggestedFileName());
    if (path.isEmpty()) {
        return false;
    }
    return saveTo(path);
}

bool CEditorDoc::saveForGame() {
    emit aboutToSave();
    if (pathName_.isEmpty()) {
        return fileSaveAs();
    }
    return saveModified();
}

bool CEditorDoc::saveModified() {
    emit aboutToSave();
    if (!IsModified()) {
        return true;
    }
    switch (prompts_.askToSave(title())) {
        case EditorPrompts::Answer::Yes:
            return fileSave();
        case EditorPrompts::Answer::No:
            return true;
        case EditorPrompts::Answer::Cancel:
            break;
    }
    return false;
}

bool CEditorDoc::saveTo(const QString& path) {
    Level stored;
    const bool inFile = QFileInfo::exists(path) &&
                        loadLevelFile(toFileName(path), stored) == LevelLoadResult::Loaded;
    const SavePlan plan = planSave(level_, opened_ ? &*opened_ : nullptr,
                                   inFile ? &stored : nullptr, clock_());
    if (plan.write) {
        if (!confirmSave(path, inFile ? &stored : nullptr)) {
            return false;
        }
        Level saved = level_;
        saved.setId(plan.id);
        std::string error;
        if (!writeLevelFile(saved, toFileName(path), &error)) {
            prompts_.showError(tr("The level could not be saved to %1.\n"
                                  "Any file already there has been left as it was.\n\n%2")
                                   .arg(QDir::toNativeSeparators(path), saveErrorText(error)));
            return false;
        }
    }
    // Else the file holds this very level, ID and all: writing it again would change nothing
    // but the file's time.
    level_.setId(plan.id);
    level_.setModified(false);
    opened_ = level_;
    history_.setClean();
    setPathName(path);
    if (!plan.replacedId.empty()) {
        followCourses(plan.replacedId, plan.id);
    }
    return true;
}

bool CEditorDoc::confirmSave(const QString& path, const Level* stored) {
    std::vector<LevelFinding> problems = checkLevel(level_);
    // What the level now in the file would lose: a save over it that drops its cup or most of
    // its cells is more often a slip than meant, and gets a warning that defaults to Cancel.
    ReplacementLoss loss;
    if (stored != nullptr) {
        loss = checkReplacement(*stored, level_);
    }
    QStringList lines;
    if (loss.cup) {
        lines << tr("The level in the file has a cup; the level you are saving has none.");
        std::erase_if(problems, [](const LevelFinding& finding) {
            return finding.problem == LevelProblem::NoCup;  // said just now
        });
    }
    if (loss.size) {
        lines << tr("The level in the file is %1 x %2 squares; the level you are saving is "
                    "only %3 x %4.")
                     .arg(stored->width())
                     .arg(stored->height())
                     .arg(level_.width())
                     .arg(level_.height());
    }
    for (const LevelFinding& problem : problems) {
        lines << LevelChecker::problemText(problem);
    }
    const QString warning = lines.join(QLatin1Char('\n'));
    if (loss.any()) {
        return prompts_.replaceDespite(QFileInfo(path).fileName(), warning);
    }
    // A level that cannot be played may still be work in progress: warn, but let it be saved.
    return problems.empty() || prompts_.saveDespite(warning);
}

void CEditorDoc::followCourses(const std::string& oldId, const std::string& newId) {
    if (coursesFolder_.isEmpty()) {
        return;
    }
    LevelCourses courses(toFileName(coursesFolder_), oldId);
    if (courses.count() == 0 || !prompts_.updateCourses(courses.count())) {
        return;
    }
    QStringList failures;
    for (const LevelCourses::Failure& failure : courses.follow(newId)) {
        failures << saveErrorText(failure.error);
    }
    if (!failures.isEmpty()) {
        prompts_.showError(tr("The level was saved, but these courses could not be updated and "
                              "still list it as it was before:\n\n%1")
                               .arg(failures.join(QLatin1Char('\n'))));
    }
}

void CEditorDoc::setPathName(const QString& path) {
    pathName_ = path;
    if (!path.isEmpty()) {
        recent_.add(toFileName(QFileInfo(path).absoluteFilePath()));
        recent_.Save();
        emit recentFilesChanged();
    }
    emit titleChanged();
}

}  // namespace trundlex
