#include "MainFrame.h"

#include <QScreen>

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include "GameView.h"
#include "ball/BallTypes.h"
#include "control/GameContext.h"
#include "platform/AboutDialog.h"
#include "settings/GameSettings.h"

namespace trundlex {

namespace {

QSettings windowSettings() {
    return QSettings(QStringLiteral("Brackwater Works"), QStringLiteral("Trundlex"));
}

}  // namespace

MainFrame::MainFrame(GameContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context) {
    setWindowTitle(QStringLiteral("Trundlex"));
    view_ = new GameView(context_, this);
    setCentralWidget(view_);
    view_->setLook(static_cast<Look>(context_.settings.look()));
    createMenus();
    // A permanent label rather than a passing message: menu tips showing in the status bar
    // hide it only while they show. The start screen says how to begin a game itself; the
    // bar only adds where help is.
    auto* statusText = new QLabel(tr("F1 shows the manual."), this);
    statusBar()->addWidget(statusText, 1);
    connect(view_, &GameView::status, statusText, &QLabel::setText);
    // The size a game is best played at, but within a small screen, or one whose scale factor
    // leaves it few logical pixels, so that no part of the table starts off the screen.
    const QSize wanted(900, 720);
    resize(screen() != nullptr ? wanted.boundedTo(screen()->availableGeometry().size() * 0.9)
                               : wanted);
    // The tool bar's place and the window's size are kept from the last run.
    QSettings settings = windowSettings();
    restoreGeometry(settings.value(QStringLiteral("Toolbar/geometry")).toByteArray());
    restoreState(settings.value(QStringLiteral("Toolbar/state")).toByteArray());
    // A size kept from a larger screen, or from a smaller scale factor, is kept within this one.
    if (screen() != nullptr && !isMaximized() && !isFullScreen()) {
        resize(size().boundedTo(screen()->availableGeometry().size()));
    }
    view_->startScreen()->focusFirst();
}

void MainFrame::createMenus() {
    auto command = [this](GameCommand id) { return view_->action(id); };

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(command(GameCommand::NewGame));
    file->addAction(command(GameCommand::Restart));
    file->addAction(command(GameCommand::Disconnect));
    file->addAction(command(GameCommand::Rejoin));
    file->addMenu(view_->playForMenu());
    file->addSeparator();
    file->addAction(command(GameCommand::Replay));
    file->addAction(command(GameCommand::Levels));
    file->addAction(command(GameCommand::HighScore));
    file->addSeparator();
    QAction* exit = file->addAction(tr("E&xit"), this, &QWidget::close);
    exit->setShortcut(QKeySequence::Quit);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(command(GameCommand::Copy));

    QMenu* speed = menuBar()->addMenu(tr("&Speed"));
    for (SpeedMode mode : AllSpeedModes) {
        speed->addAction(view_->speedAction(mode));
    }
    speed->addSeparator();
    speed->addAction(command(GameCommand::DecreaseSpeed));
    speed->addAction(command(GameCommand::IncreaseSpeed));
    speed->addAction(command(GameCommand::LockSpeed));
    speed->addSeparator();
    speed->addAction(command(GameCommand::NextPosition));
    speed->addAction(command(GameCommand::FastForward));

    QToolBar* tools = addToolBar(tr("Tool bar"));
    tools->setObjectName(QStringLiteral("Toolbar"));
    tools->addAction(command(GameCommand::NewGame));
    tools->addSeparator();
    tools->addAction(command(GameCommand::Copy));
    tools->addSeparator();
    tools->addAction(command(GameCommand::Replay));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addAction(command(GameCommand::Sound));
    view->addAction(command(GameCommand::Ghost));
    view->addSeparator();
    auto* looks = new QActionGroup(this);
    const std::pair<Look, QString> lookNames[] = {{Look::Modern, tr("&Modern look")},
                                                  {Look::Classic, tr("&Classic look")}};
    for (const auto& [look, name] : lookNames) {
        QAction* choice = view->addAction(name);
        choice->setCheckable(true);
        choice->setChecked(view_->look() == look);
        looks->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, look = look] { setLook(look); });
    }
    view->addSeparator();
    QAction* toolBar = tools->toggleViewAction();
    toolBar->setText(tr("&Tool bar"));
    view->addAction(toolBar);
    QAction* statusLine = view->addAction(tr("&Status bar"));
    statusLine->setCheckable(true);
    statusLine->setChecked(true);
    connect(statusLine, &QAction::toggled, statusBar(), &QWidget::setVisible);
    // F4: the whole screen for the game, and back.
    QAction* fullScreen = view->addAction(tr("&Full screen"), this, &MainFrame::toggleFullScreen);
    fullScreen->setShortcut(QKeySequence(Qt::Key_F4));
    addAction(fullScreen);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(command(GameCommand::Help));
    help->addAction(tr("&About Trundlex..."), this, [this] {
        AboutDialog about(aboutContent(), this);
        about.exec();
    });
}

AboutContent MainFrame::aboutContent() {
    return {.windowTitle = tr("About Trundlex"),
            .name = QStringLiteral("Trundlex"),
            .version = programVersion(),
            .description =
                tr("Minigolf for one or more players, on one computer or over the network. Made "
                   "by the Trundlex team at Brackwater Works."),
            .manual = manualUrl(),
            .icon = QIcon(QStringLiteral(":/icons/trundlex.png"))};
}

void MainFrame::setLook(Look look) {
    view_->setLook(look);
    view_->startScreen()->update();
    context_.settings.setLook(static_cast<std::int32_t>(look));
    context_.settings.Save();
}

void MainFrame::toggleFullScreen() {
    if (isFullScreen()) {
        showNormal();
    } else {
        showFullScreen();
    }
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (!view_->mayAbandonGame()) {
        event->ignore();
        return;
    }
    QSettings settings = windowSettings();
    settings.setValue(QStringLiteral("Toolbar/geometry"), saveGeometry());
    settings.setValue(QStringLiteral("Toolbar/state"), saveState());
    view_->stopBall();
    event->accept();
}

}  // namespace trundlex
