#pragma once

#include <QObject>
#include <map>

#include "EditorCommand.h"
#include "ball/BallTypes.h"

class QAction;

namespace trundlex {

class CEditorView;

// The view's commands as actions, with their menu texts, shortcuts, status texts and tool
// bar icons, kept in step with the view: the current tool and the grid and sound switches
// carry check marks, and so do test mode and the ball's speed; Stop is enabled only while
// the test ball rolls, and the commands refused in test mode are greyed while it lasts.
class EditorActions : public QObject {
    Q_OBJECT

public:
    // The actions are added to `view`, so their shortcuts work wherever its window has focus.
    explicit EditorActions(CEditorView& view);

    // The action of a command; null for a command that is not the view's (the file commands).
    QAction* action(EditorCommand command) const;
    // The speed command of a speed mode.
    QAction* speedAction(SpeedMode mode) const;

private:
    QAction* add(EditorCommand command, const QString& text, const QString& statusTip);
    void createBrushActions();
    void createToolActions();
    void createLevelActions();
    void createBallActions();
    // Copy, cut, paste, delete, select all, the region's turns and mirrors and Replace
    // Material, enabled while they have something to work on and test mode is off.
    void createRegionActions();
    void updateRegionActions();

    CEditorView& view_;
    std::map<int, QAction*> actions_;
};

}  // namespace trundlex
