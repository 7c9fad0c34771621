#include "EditorActions.h"

#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <functional>

#include "CEditorDoc.h"
#include "CEditorView.h"
#include "ToolbarIcons.h"
#include "platform/SpeedModeTexts.h"

namespace trundlex {

EditorActions::EditorActions(CEditorView& view) : QObject(&view), view_(view) {
    QAction* undo = add(EditorCommand::Undo, tr("&Undo"), tr("Undo the last change"));
    undo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    connect(undo, &QAction::triggered, &view_, &CEditorView::undo);
    QAction* redo = add(EditorCommand::Redo, tr("&Redo"), tr("Redo the last change undone"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redo, &QAction::triggered, &view_, &CEditorView::redo);
    QUndoStack& history = view_.document().history();
    undo->setEnabled(history.canUndo());
    redo->setEnabled(history.canRedo());
    connect(&history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);

    QAction* properties = add(EditorCommand::Properties, tr("&Properties..."),
                              tr("Change the level's name, creator and size"));
    properties->setShortcuts(
        {QKeySequence(Qt::ALT | Qt::Key_Return), QKeySequence(Qt::ALT | Qt::Key_Enter)});
    connect(properties, &QAction::triggered, &view_, &CEditorView::editProperties);

    QAction* grid = add(EditorCommand::ShowGrid, tr("Show &grid"), tr("Show or hide the grid"));
    grid->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    grid->setCheckable(true);
    grid->setChecked(view_.settings().showGrid());
    connect(grid, &QAction::triggered, &view_, &CEditorView::toggleGrid);
    connect(&view_, &CEditorView::gridChanged, grid, &QAction::setChecked);

    QAction* look = add(EditorCommand::ModernLook, tr("&Modern look"),
                        tr("Draw the level as the game's modern look does, or in the classic look"));
    look->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    look->setCheckable(true);
    look->setChecked(view_.isModernLook());
    connect(look, &QAction::triggered, &view_, &CEditorView::toggleModernLook);
    connect(&view_, &CEditorView::lookChanged, look, &QAction::setChecked);

    QAction* sound = add(EditorCommand::PlaySound, tr("Pl&ay sound"),
                         tr("Switch the test ball's sounds on or off"));
    sound->setShortcut(QKeySequence(Qt::Key_F3));
    sound->setCheckable(true);
    sound->setChecked(view_.isSoundOn());
    connect(sound, &QAction::triggered, &view_, &CEditorView::toggleSound);
    connect(&view_, &CEditorView::soundChanged, sound, &QAction::setChecked);

    // Spelt out rather than the platform's standard zoom keys, which are these same keys on
    // Linux and Windows: a key listed twice is ambiguous to Qt and then does nothing. Ctrl+=
    // is Ctrl++ without Shift on keyboards where + shares the = key.
    QAction* zoomIn = add(EditorCommand::ZoomIn, tr("Zoom &In"), tr("Show the level larger"));
    zoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(zoomIn, &QAction::triggered, &view_, &CEditorView::zoomIn);
    QAction* zoomOut = add(EditorCommand::ZoomOut, tr("Zoom &Out"), tr("Show the level smaller"));
    zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    connect(zoomOut, &QAction::triggered, &view_, &CEditorView::zoomOut);
    QAction* fit = add(EditorCommand::ZoomFit, tr("&Fit Level"), tr("Show the whole level"));
    fit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(fit, &QAction::triggered, &view_, &CEditorView::zoomToFit);

    createBrushActions();
    createToolActions();
    createLevelActions();
    createBallActions();
    createRegionActions();
}

QAction* EditorActions::add(EditorCommand command, const QString& text, const QString& statusTip) {
    auto* action = new QAction(text, this);
    action->setStatusTip(statusTip);
    action->setToolTip(QString(text).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
    const QIcon icon = editorIcon(command);
    if (!icon.isNull()) {
        action->setIcon(icon);
    }
    view_.addAction(action);
    actions_[static_cast<int>(command)] = action;
    return action;
}

QAction* EditorActions::action(EditorCommand command) const {
    const auto found = actions_.find(static_cast<int>(command));
    return found == actions_.end() ? nullptr : found->second;
}

QAction* EditorActions::speedAction(SpeedMode mode) const {
    return action(
        static_cast<EditorCommand>(static_cast<int>(EditorCommand::SpeedFirst) + mode - Pause));
}

void EditorActions::createBrushActions() {
    auto brush = [this](EditorCommand command, const QString& text, const QString& tip,
                        QList<QKeySequence> keys, void (CEditorView::*handler)()) {
        QAction* action = add(command, text, tip);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, &view_, handler);
    };
    brush(EditorCommand::RotateBackMaterial, tr("Rotate &back material"),
          tr("Turn the slope of the brush's back material an eighth clockwise"),
          {QKeySequence(Qt::Key_W)}, &CEditorView::rotateBackMaterial);
    brush(EditorCommand::ResetBackRotation, tr("Reset b&ack rotation"),
          tr("Make the brush's back material flat"), {QKeySequence(Qt::CTRL | Qt::Key_W)},
          &CEditorView::resetBackRotation);
    brush(EditorCommand::RotateFrontMaterial, tr("Rotate &front material"),
          tr("Turn the slope of the brush's front material an eighth clockwise"),
          {QKeySequence(Qt::Key_E)}, &CEditorView::rotateFrontMaterial);
    brush(EditorCommand::ResetFrontRotation, tr("Reset f&ront rotation"),
          tr("Make the brush's front material flat"),
          {QKeySequence(Qt::CTRL | Qt::Key_E), QKeySequence(Qt::Key_Z)},
          &CEditorView::resetFrontRotation);
    brush(EditorCommand::ResetBothRotations, tr("Rese&t front and back rotation"),
          tr("Make both materials of the brush flat"), {QKeySequence(Qt::Key_A)},
          &CEditorView::resetBothRotations);
    brush(EditorCommand::SwapMaterials, tr("&Swap materials"),
          tr("Exchange the brush's back and front material"), {QKeySequence(Qt::Key_S)},
          &CEditorView::swapMaterials);

    // Shift turns the materials with the block, whether it is held with the key or while
    // choosing the menu item.
    QAction* rotate = add(EditorCommand::RotateBlock, tr("R&otate block"),
                          tr("Turn the brush a quarter clockwise (Shift: with its slopes)"));
    rotate->setShortcuts({QKeySequence(Qt::Key_R), QKeySequence(Qt::SHIFT | Qt::Key_R)});
    connect(rotate, &QAction::triggered, &view_, [this] {
        view_.rotateBrush(QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
    });
}

void EditorActions::createToolActions() {
    struct ToolEntry {
        EditorCommand command;
        EditorTool tool;
        const char* text;
        const char* tip;
        Qt::Key key;
    };
    static const ToolEntry kTools[] = {
        {EditorCommand::ToolPlot, ToolPlot, QT_TR_NOOP("&Plot"),
         QT_TR_NOOP("Paint every block the pointer passes"), Qt::Key_P},
        {EditorCommand::ToolLine, ToolLine, QT_TR_NOOP("&Line"),
         QT_TR_NOOP("Draw a straight line of blocks"), Qt::Key_L},
        {EditorCommand::ToolRectangle, ToolRectangle, QT_TR_NOOP("&Rectangle"),
         QT_TR_NOOP("Fill a rectangle with blocks"), Qt::Key_C},
        {EditorCommand::ToolFrame, ToolFrame, QT_TR_NOOP("&Frame"),
         QT_TR_NOOP("Draw the outline of a rectangle"), Qt::Key_F},
        {EditorCommand::ToolFill, ToolFill, QT_TR_NOOP("F&ill"),
         QT_TR_NOOP("Fill an area of equal blocks"), Qt::Key_I},
        {EditorCommand::ToolSetBall, ToolSetBall, QT_TR_NOOP("&Set Ball"),
         QT_TR_NOOP("Place the ball's start (Shift: on half blocks)"), Qt::Key_B},
        {EditorCommand::ToolSelect, ToolSelect, QT_TR_NOOP("Selec&t"),
         QT_TR_NOOP("Select a rectangle of blocks; drag inside it to move them"), Qt::Key_M},
    };
    auto* group = new QActionGroup(this);
    for (const ToolEntry& entry : kTools) {
        QAction* action = add(entry.command, tr(entry.text), tr(entry.tip));
        action->setShortcut(QKeySequence(entry.key));
        action->setCheckable(true);
        action->setChecked(view_.tool() == entry.tool);
        group->addAction(action);
        const EditorTool tool = entry.tool;
        connect(action, &QAction::triggered, &view_, [this, tool] { view_.setTool(tool); });
        connect(&view_, &CEditorView::toolChanged, action,
                [action, tool](EditorTool current) { action->setChecked(current == tool); });
    }
}

void EditorActions::createLevelActions() {
    LevelCommands* commands = &view_.levelCommands();
    auto level = [this](EditorCommand command, const QString& text, const QString& tip,
                        const QKeySequence& key, auto handler) {
        QAction* action = add(command, text, tip);
        action->setShortcut(key);
        connect(action, &QAction::triggered, &view_, handler);
        return action;
    };
    // Refused in test mode: shown greyed while it lasts.
    QAction* refused[] = {
        level(EditorCommand::RotateLevel, tr("R&otate level"), tr("Rotate the level 90 degrees"),
              QKeySequence(Qt::Key_Q), [commands] { commands->rotateLevel(); }),
        level(EditorCommand::FlipHorizontal, tr("Flip &Horizontal"),
              tr("Flips the level horizontally"), {}, [commands] { commands->flipHorizontal(); }),
        level(EditorCommand::FlipVertical, tr("Flip &Vertical"), tr("Flips the level vertically"),
              {}, [commands] { commands->flipVertical(); }),
        level(EditorCommand::RandomLevel, tr("Create &Random Level"),
              tr("Make a new level from random pieces"), QKeySequence(Qt::CTRL | Qt::Key_R),
              [commands] { commands->createRandomLevel(); }),
    };
    for (QAction* action : refused) {
        connect(&view_, &CEditorView::testModeChanged, action,
                [action](bool on) { action->setEnabled(!on); });
    }
    level(EditorCommand::MakeFit, tr("&Make fit"), tr("Remove unused area"),
          QKeySequence(Qt::CTRL | Qt::Key_F), [commands] { commands->makeFit(); });

    // Moving every block drops those pushed over the edge, so no bare key does it: a plain
    // arrow is too easily pressed while the pointer is elsewhere. Once per press, also in test
    // mode.
    struct ShiftEntry {
        EditorCommand command;
        const char* text;
        const char* tip;
        Qt::Key key;
        int dx;
        int dy;
    };
    static const ShiftEntry kShifts[] = {
        {EditorCommand::ShiftLeft, QT_TR_NOOP("&Left"),
         QT_TR_NOOP("Move every block one square left; blocks pushed over the edge are lost"),
         Qt::Key_Left, -1, 0},
        {EditorCommand::ShiftRight, QT_TR_NOOP("&Right"),
         QT_TR_NOOP("Move every block one square right; blocks pushed over the edge are lost"),
         Qt::Key_Right, 1, 0},
        {EditorCommand::ShiftUp, QT_TR_NOOP("&Up"),
         QT_TR_NOOP("Move every block one square up; blocks pushed over the edge are lost"),
         Qt::Key_Up, 0, -1},
        {EditorCommand::ShiftDown, QT_TR_NOOP("&Down"),
         QT_TR_NOOP("Move every block one square down; blocks pushed over the edge are lost"),
         Qt::Key_Down, 0, 1},
    };
    for (const ShiftEntry& entry : kShifts) {
        const int dx = entry.dx;
        const int dy = entry.dy;
        QAction* shift = level(entry.command, tr(entry.text), tr(entry.tip),
                               QKeySequence(Qt::CTRL | Qt::SHIFT | entry.key),
                               [commands, dx, dy] { commands->shift(dx, dy); });
        shift->setAutoRepeat(false);
    }
}

void EditorActions::createRegionActions() {
    struct RegionEntry {
        EditorCommand command;
        const char* text;
        const char* tip;
        QKeySequence key;
        std::function<void()> handler;
    };
    CEditorView* view = &view_;
    const RegionEntry entries[] = {
        {EditorCommand::Cut, QT_TR_NOOP("Cu&t"),
         QT_TR_NOOP("Copy the selected blocks and make them grass"), QKeySequence::Cut,
         [view] { view->cutRegion(); }},
        {EditorCommand::Copy, QT_TR_NOOP("&Copy"), QT_TR_NOOP("Copy the selected blocks"),
         QKeySequence::Copy, [view] { view->copyRegion(); }},
        {EditorCommand::Paste, QT_TR_NOOP("&Paste"),
         QT_TR_NOOP("Show the copied blocks under the pointer; click to put them down, Esc to "
                    "drop them"),
         QKeySequence::Paste, [view] { view->pasteRegion(); }},
        {EditorCommand::DeleteRegion, QT_TR_NOOP("&Delete"),
         QT_TR_NOOP("Make the selected blocks grass"), QKeySequence(Qt::Key_Delete),
         [view] { view->deleteRegion(); }},
        {EditorCommand::SelectAll, QT_TR_NOOP("Select &All"), QT_TR_NOOP("Select the whole level"),
         QKeySequence(Qt::CTRL | Qt::Key_A), [view] { view->selectAll(); }},
        {EditorCommand::TurnRegionClockwise, QT_TR_NOOP("Rotate Selection &Clockwise"),
         QT_TR_NOOP("Turn the selected or pasted blocks a quarter clockwise, slopes and all"),
         QKeySequence(Qt::Key_T), [view] { view->turnRegion(RegionTurn::Clockwise); }},
        {EditorCommand::TurnRegionCounterClockwise, QT_TR_NOOP("Rotate Selection C&ounter-clockwise"),
         QT_TR_NOOP("Turn the selected or pasted blocks a quarter counter-clockwise, slopes and "
                    "all"),
         QKeySequence(Qt::SHIFT | Qt::Key_T),
         [view] { view->turnRegion(RegionTurn::CounterClockwise); }},
        {EditorCommand::MirrorRegionLeftRight, QT_TR_NOOP("Flip Selection &Horizontally"),
         QT_TR_NOOP("Mirror the selected or pasted blocks left to right"), QKeySequence(Qt::Key_H),
         [view] { view->turnRegion(RegionTurn::MirrorLeftRight); }},
        {EditorCommand::MirrorRegionTopBottom, QT_TR_NOOP("Flip Selection &Vertically"),
         QT_TR_NOOP("Mirror the selected or pasted blocks top to bottom"), QKeySequence(Qt::Key_V),
         [view] { view->turnRegion(RegionTurn::MirrorTopBottom); }},
        {EditorCommand::ReplaceMaterial, QT_TR_NOOP("Replace Mat&erial..."),
         QT_TR_NOOP("Replace one material by another in the selection or the whole level"),
         QKeySequence(Qt::CTRL | Qt::Key_H), [view] { view->replaceMaterial(); }},
    };
    for (const RegionEntry& entry : entries) {
        QAction* action = add(entry.command, tr(entry.text), tr(entry.tip));
        action->setShortcut(entry.key);
        connect(action, &QAction::triggered, &view_, entry.handler);
    }
    connect(&view_.regions(), &RegionEditor::stateChanged, this,
            &EditorActions::updateRegionActions);
    connect(&view_, &CEditorView::testModeChanged, this, &EditorActions::updateRegionActions);
    updateRegionActions();
}

void EditorActions::updateRegionActions() {
    const RegionEditor& regions = view_.regions();
    const bool editing = !view_.isTestMode();
    const bool selected = editing && regions.hasSelection();
    for (EditorCommand id : {EditorCommand::Cut, EditorCommand::Copy, EditorCommand::DeleteRegion}) {
        action(id)->setEnabled(selected);
    }
    action(EditorCommand::Paste)->setEnabled(editing && regions.canPaste());
    for (EditorCommand id :
         {EditorCommand::TurnRegionClockwise, EditorCommand::TurnRegionCounterClockwise,
          EditorCommand::MirrorRegionLeftRight, EditorCommand::MirrorRegionTopBottom}) {
        action(id)->setEnabled(selected || (editing && regions.isStamping()));
    }
    action(EditorCommand::SelectAll)->setEnabled(editing);
    action(EditorCommand::ReplaceMaterial)->setEnabled(editing);
}

void EditorActions::createBallActions() {
    QAction* test =
        add(EditorCommand::TestMode, tr("Test &mode"), tr("Putt the ball on the level"));
    test->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    test->setCheckable(true);
    connect(test, &QAction::triggered, &view_, &CEditorView::toggleTestMode);
    connect(&view_, &CEditorView::testModeChanged, test, &QAction::setChecked);

    QAction* stop = add(EditorCommand::Stop, tr("&Stop"), tr("Stop the rolling ball"));
    stop->setShortcut(QKeySequence(Qt::Key_Space));
    stop->setEnabled(false);
    connect(stop, &QAction::triggered, &view_, &CEditorView::stopBall);
    connect(&view_, &CEditorView::ballRunningChanged, stop, &QAction::setEnabled);

    static const char* const kSpeeds[] = {
        QT_TR_NOOP("Stop &ball"), QT_TR_NOOP("&Half"), QT_TR_NOOP("&Normal"), QT_TR_NOOP("X&2"),
        QT_TR_NOOP("X&3"),   QT_TR_NOOP("X&4"),   QT_TR_NOOP("Super"),   QT_TR_NOOP("Ultra"),
    };
    auto* speeds = new QActionGroup(this);
    for (SpeedMode mode : AllSpeedModes) {
        const int index = mode - Pause;
        const auto command =
            static_cast<EditorCommand>(static_cast<int>(EditorCommand::SpeedFirst) + index);
        QAction* speed = add(command, tr(kSpeeds[index]), speedModeDescription(mode));
        // Ctrl+0 fits the level, as in other programs that zoom; stopping the ball moves to
        // the free Ctrl+9.
        speed->setShortcut(mode == Pause ? QKeySequence(Qt::CTRL | Qt::Key_9)
                                         : speedModeShortcut(mode));
        speed->setCheckable(true);
        speed->setChecked(mode == view_.speedMode());
        speeds->addAction(speed);
        connect(speed, &QAction::triggered, &view_, [this, mode] { view_.setSpeedMode(mode); });
        connect(&view_, &CEditorView::speedModeChanged, speed,
                [speed, mode](SpeedMode current) { speed->setChecked(current == mode); });
    }
}

}  // namespace trundlex
