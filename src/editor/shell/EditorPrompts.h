#pragma once

#include <QString>

#include "AddToCourseDialog.h"
#include "LevelPropertiesDialog.h"
#include "ReplaceMaterialDialog.h"

namespace trundlex {

// What the editor asks of its user: questions, file choices, the properties dialog and
// error reports. The program shows dialogs; tests answer from a script.
class EditorPrompts {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~EditorPrompts() = default;

    // "Save changes to <title>?" with Yes, No and Cancel.
    virtual Answer askToSave(const QString& title) = 0;
    // A level file to open, starting in `folder`; empty when the user cancels.
    virtual QString chooseFileToOpen(const QString& folder) = 0;
    // Where to save a level file, starting in `folder` with `suggestedName`; the ".lev"
    // extension is added when the user types none. Empty when the user cancels.
    virtual QString chooseFileToSave(const QString& folder, const QString& suggestedName) = 0;
    // The Level Properties dialog on `values`; true and the edited values on OK, false with
    // `values` unchanged on Cancel.
    virtual bool editProperties(LevelProperties& values) = 0;
    // Reports a failure the user must know of.
    virtual void showError(const QString& text) = 0;
    // Warns of what is wrong with a level about to be saved, one problem a line; true when
    // the user saves it all the same.
    virtual bool saveDespite(const QString& problems) = 0;
    // Warns that saving would replace the level in the file `fileName` by one that lacks what
    // `losses` says, one line each; true when the user saves all the same. Cancel is the
    // default answer, since such a save is more often a slip than meant.
    virtual bool replaceDespite(const QString& fileName, const QString& losses) = 0;
    // Asks whether `count` (at least 1) of the user's courses, which list the level just saved
    // by the ID it had before the change, are to list it by its new ID; true: update them.
    virtual bool updateCourses(int count) = 0;
    // The Add to Course dialog for the level `levelName` over the user's courses
    // `courseNames`; true and the choice on OK, false on Cancel.
    virtual bool chooseCourse(const QString& levelName, const QStringList& courseNames,
                              AddToCourseDialog::Choice& choice) = 0;
    // The Replace Material dialog starting from `choice`; `selectionAvailable` says whether
    // "only in the selection" can be chosen. True and the choice on OK, false on Cancel.
    virtual bool chooseMaterials(MaterialReplacement& choice, bool selectionAvailable) = 0;
};

}  // namespace trundlex
