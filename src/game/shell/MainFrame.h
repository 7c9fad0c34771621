#pragma once

#include <QMainWindow>

#include "render/Look.h"

namespace trundlex {

struct AboutContent;
struct GameContext;
class GameView;

// The game's main window: menus, tool bar and status bar around the game view, which
// handles nearly every command itself.
class MainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit MainFrame(GameContext& context, QWidget* parent = nullptr);

    GameView* view() const { return view_; }
    // Draws the playfield in `look` and remembers the choice in the settings.
    void setLook(Look look);
    // What Help > About shows of the game.
    static AboutContent aboutContent();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void toggleFullScreen();

    GameContext& context_;
    GameView* view_;
};

}  // namespace trundlex
