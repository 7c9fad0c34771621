#pragma once

#include <QMainWindow>
#include <memory>
#include <vector>

class QAction;
class QMenu;

namespace trundlex {

struct AboutContent;
class CEditorDoc;
class CEditorView;
class EditorActions;
class EditorPrompts;
class LevelCheckDialog;
class LevelHandOff;
class RecentFileList;
class SettingsStore;

// The editor's main window: menus, the tool bar and a status bar around the editor view.
// The window's title names the level's file. Closing asks to save a changed level first.
// The window's size and place and the tool bar's are kept in the settings store between runs.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // Everything given must outlive the frame.
    CMainFrame(CEditorDoc& document, EditorPrompts& prompts, SettingsStore& store,
               RecentFileList& recent, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CEditorView* view() const { return view_; }
    EditorActions& actions() const { return *actions_; }
    // The file commands (New, Open, Save, Save As, Play in game, Add to course, Exit) and the
    // recent files.
    QAction* fileAction(int command) const;
    // What Play in game and Add to course do.
    LevelHandOff& handOff() const { return *handOff_; }
    const std::vector<QAction*>& recentActions() const { return recent_; }
    QToolBar* toolBar() const { return toolBar_; }
    // Help > About Editor.
    QAction* aboutAction() const { return about_; }
    // Edit > Check Level and its window.
    QAction* checkLevelAction() const { return checkLevel_; }
    LevelCheckDialog* levelCheckDialog() const { return checkDialog_; }
    // What Help > About Editor shows of the editor.
    static AboutContent aboutContent();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createFileActions();
    void createMenus();
    void createToolBar();
    void updateTitle();
    void updateRecentFiles();
    // Opens the manual of the user's language; a failure is told in a message box.
    void openHelp();

    CEditorDoc& document_;
    SettingsStore& store_;
    RecentFileList& recentList_;
    LevelCheckDialog* checkDialog_ = nullptr;
    std::unique_ptr<LevelHandOff> handOff_;
    QAction* checkLevel_ = nullptr;
    CEditorView* view_;
    EditorActions* actions_;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* noRecentFile_ = nullptr;
    QAction* about_ = nullptr;
    std::vector<QAction*> recent_;
    std::vector<std::pair<int, QAction*>> fileActions_;
};

}  // namespace trundlex
