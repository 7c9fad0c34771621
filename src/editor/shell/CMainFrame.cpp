#include "CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "CEditorDoc.h"
#include "CEditorView.h"
#include "EditorActions.h"
#include "EditorStatusBar.h"
#include "LevelCheckDialog.h"
#include "LevelHandOff.h"
#include "ToolbarIcons.h"
#include "ball/BallTypes.h"
#include "model/RecentFileList.h"
#include "platform/AboutDialog.h"
#include "platform/PlatformSupport.h"
#include "settings/SettingsStore.h"

namespace trundlex {

namespace {

// Window size and place and the tool bar's place, beside the editor's other settings.
const std::string WindowKey = "Software\\Brackwater Works\\Trundlex\\Trundlex Editor\\window";

QByteArray readBytes(SettingsStore& store, const char* name) {
    const auto value = store.read(WindowKey, name);
    return value ? QByteArray::fromStdString(value->bytes) : QByteArray();
}

void writeBytes(SettingsStore& store, const char* name, const QByteArray& bytes) {
    store.write(WindowKey, name, {SettingsValueType::Binary, bytes.toStdString()}, false);
}

}  // namespace

CMainFrame::CMainFrame(CEditorDoc& document, EditorPrompts& prompts, SettingsStore& store,
                       RecentFileList& recent, QWidget* parent)
    : QMainWindow(parent),
      document_(document),
      store_(store),
      recentList_(recent),
      handOff_(std::make_unique<LevelHandOff>(document, prompts)) {
    view_ = new CEditorView(document_, prompts, store, this);
    setCentralWidget(view_);
    actions_ = new EditorActions(*view_);
    setStatusBar(new EditorStatusBar(*view_, *actions_, this));
    checkDialog_ = new LevelCheckDialog(document_, this);
    connect(checkDialog_, &LevelCheckDialog::cellsHighlighted, view_,
            &CEditorView::setHighlightedCells);
    connect(checkDialog_, &LevelCheckDialog::puttsShown, view_, &CEditorView::setShownPutts);
    createFileActions();
    createMenus();
    createToolBar();

    connect(&document_, &CEditorDoc::titleChanged, this, &CMainFrame::updateTitle);
    connect(&document_.history(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    connect(&document_, &CEditorDoc::recentFilesChanged, this, &CMainFrame::updateRecentFiles);
    updateTitle();
    updateRecentFiles();

    resize(900, 720);
    restoreGeometry(readBytes(store_, "geometry"));
    restoreState(readBytes(store_, "state"));
    view_->setFocus();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::fileAction(int command) const {
    for (const auto& [id, action] : fileActions_) {
        if (id == command) {
            return action;
        }
    }
    return nullptr;
}

void CMainFrame::createFileActions() {
    auto add = [this](EditorCommand command, const QString& text, const QString& tip,
                      const QKeySequence& key, auto handler) {
        auto* action = new QAction(text, this);
        action->setStatusTip(tip);
        action->setToolTip(QString(text).remove(QLatin1Char('&')).remove(QStringLiteral("...")));
        action->setShortcut(key);
        const QIcon icon = editorIcon(command);
        if (!icon.isNull()) {
            action->setIcon(icon);
        }
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
        fileActions_.emplace_back(static_cast<int>(command), action);
    };
    add(EditorCommand::New, tr("&New"), tr("Create a new level"), QKeySequence::New,
        [this] { document_.fileNew(); });
    add(EditorCommand::Open, tr("&Open..."), tr("Open a level file"), QKeySequence::Open,
        [this] { document_.fileOpen(); });
    add(EditorCommand::Save, tr("&Save"), tr("Save the level"), QKeySequence::Save,
        [this] { document_.fileSave(); });
    add(EditorCommand::SaveAs, tr("Save &As..."), tr("Save the level under a new name"),
        QKeySequence(), [this] { document_.fileSaveAs(); });
    add(EditorCommand::PlayInGame, tr("&Play in Game"),
        tr("Start the game on this level, saved first if you wish"), QKeySequence(Qt::Key_F9),
        [this] { handOff_->playInGame(); });
    add(EditorCommand::AddToCourse, tr("Add to &Course..."),
        tr("Put this level at the end of one of your courses, or start a new course with it"),
        QKeySequence(), [this] {
            if (handOff_->addToCourse()) {
                statusBar()->showMessage(handOff_->lastAddition(), 8000);
            }
        });
    add(EditorCommand::Exit, tr("E&xit"), tr("Quit the editor; a changed level can be saved first"),
        QKeySequence::Quit, [this] { close(); });

    for (int i = 0; i < RecentFileList::Capacity; ++i) {
        auto* action = new QAction(this);
        action->setStatusTip(tr("Open this level file"));
        connect(action, &QAction::triggered, this, [this, i] {
            const auto entries = recentList_.entries();
            if (static_cast<std::size_t>(i) < entries.size()) {
                document_.openFile(QFile::decodeName(QByteArray::fromStdString(entries[i])));
            }
        });
        recent_.push_back(action);
    }
    noRecentFile_ = new QAction(tr("Recent File"), this);
    noRecentFile_->setEnabled(false);

    checkLevel_ = new QAction(tr("&Check Level..."), this);
    checkLevel_->setStatusTip(tr("Look for what keeps the level from being played, and work out "
                                 "its par"));
    checkLevel_->setShortcut(QKeySequence(Qt::Key_F7));
    connect(checkLevel_, &QAction::triggered, checkDialog_, &LevelCheckDialog::check);
    addAction(checkLevel_);
}

void CMainFrame::createMenus() {
    auto command = [this](EditorCommand id) { return actions_->action(id); };
    auto file = [this](EditorCommand id) { return fileAction(static_cast<int>(id)); };

    fileMenu_ = menuBar()->addMenu(tr("&File"));
    fileMenu_->addAction(file(EditorCommand::New));
    fileMenu_->addAction(file(EditorCommand::Open));
    fileMenu_->addAction(file(EditorCommand::Save));
    fileMenu_->addAction(file(EditorCommand::SaveAs));
    fileMenu_->addSeparator();
    fileMenu_->addAction(file(EditorCommand::PlayInGame));
    fileMenu_->addAction(file(EditorCommand::AddToCourse));
    fileMenu_->addSeparator();
    fileMenu_->addAction(noRecentFile_);
    for (QAction* action : recent_) {
        fileMenu_->addAction(action);
    }
    fileMenu_->addSeparator();
    fileMenu_->addAction(file(EditorCommand::Exit));

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(command(EditorCommand::Undo));
    edit->addAction(command(EditorCommand::Redo));
    edit->addSeparator();
    for (EditorCommand id : {EditorCommand::Cut, EditorCommand::Copy, EditorCommand::Paste,
                             EditorCommand::DeleteRegion, EditorCommand::SelectAll}) {
        edit->addAction(command(id));
    }
    QMenu* selection = edit->addMenu(tr("Selectio&n"));
    for (EditorCommand id :
         {EditorCommand::TurnRegionClockwise, EditorCommand::TurnRegionCounterClockwise,
          EditorCommand::MirrorRegionLeftRight, EditorCommand::MirrorRegionTopBottom}) {
        selection->addAction(command(id));
    }
    edit->addAction(command(EditorCommand::ReplaceMaterial));
    edit->addSeparator();
    edit->addAction(command(EditorCommand::Properties));
    QMenu* block = edit->addMenu(tr("&Block"));
    for (EditorCommand id : {EditorCommand::RotateBackMaterial, EditorCommand::ResetBackRotation,
                             EditorCommand::RotateFrontMaterial, EditorCommand::ResetFrontRotation,
                             EditorCommand::ResetBothRotations, EditorCommand::RotateBlock,
                             EditorCommand::SwapMaterials}) {
        block->addAction(command(id));
    }
    edit->addSeparator();
    for (EditorCommand id : {EditorCommand::RotateLevel, EditorCommand::FlipHorizontal,
                             EditorCommand::FlipVertical, EditorCommand::MakeFit}) {
        edit->addAction(command(id));
    }
    QMenu* shift = edit->addMenu(tr("&Shift Level"));
    for (EditorCommand id : {EditorCommand::ShiftLeft, EditorCommand::ShiftRight,
                             EditorCommand::ShiftUp, EditorCommand::ShiftDown}) {
        shift->addAction(command(id));
    }
    edit->addSeparator();
    edit->addAction(checkLevel_);
    edit->addAction(command(EditorCommand::RandomLevel));

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    for (EditorCommand id :
         {EditorCommand::ToolPlot, EditorCommand::ToolLine, EditorCommand::ToolRectangle,
          EditorCommand::ToolFrame, EditorCommand::ToolFill, EditorCommand::ToolSetBall,
          EditorCommand::ToolSelect}) {
        tools->addAction(command(id));
    }

    QMenu* ball = menuBar()->addMenu(tr("&Ball"));
    ball->addAction(command(EditorCommand::TestMode));
    ball->addAction(command(EditorCommand::Stop));
    ball->addSeparator();
    for (SpeedMode mode : AllSpeedModes) {
        ball->addAction(actions_->speedAction(mode));
    }
    ball->addSeparator();
    ball->addAction(command(EditorCommand::PlaySound));

    // The view menu is filled once the tool bar exists.
    menuBar()->addMenu(tr("&View"))->setObjectName(QStringLiteral("viewMenu"));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    QAction* index = help->addAction(tr("&Index"), this, &CMainFrame::openHelp);
    index->setShortcut(QKeySequence(Qt::Key_F1));
    index->setStatusTip(tr("Open the editor's manual"));
    addAction(index);
    about_ = help->addAction(tr("&About Trundlex Editor..."), this, [this] {
        AboutDialog dialog(aboutContent(), this);
        dialog.exec();
    });
    about_->setStatusTip(tr("Program information, version number and copyright"));
}

void CMainFrame::createToolBar() {
    toolBar_ = addToolBar(tr("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("Toolbar"));
    toolBar_->setIconSize(QSize(16, 15));
    auto command = [this](EditorCommand id) { return actions_->action(id); };
    toolBar_->addAction(fileAction(static_cast<int>(EditorCommand::New)));
    toolBar_->addAction(fileAction(static_cast<int>(EditorCommand::Open)));
    toolBar_->addAction(fileAction(static_cast<int>(EditorCommand::Save)));
    toolBar_->addSeparator();
    toolBar_->addAction(command(EditorCommand::Undo));
    toolBar_->addAction(command(EditorCommand::Redo));
    toolBar_->addSeparator();
    toolBar_->addAction(command(EditorCommand::Properties));
    toolBar_->addSeparator();
    for (EditorCommand id :
         {EditorCommand::ToolPlot, EditorCommand::ToolLine, EditorCommand::ToolRectangle,
          EditorCommand::ToolFrame, EditorCommand::ToolFill, EditorCommand::ToolSetBall,
          EditorCommand::ToolSelect}) {
        toolBar_->addAction(command(id));
    }
    toolBar_->addSeparator();
    for (EditorCommand id : {EditorCommand::RotateBlock, EditorCommand::RotateBackMaterial,
                             EditorCommand::RotateFrontMaterial}) {
        toolBar_->addAction(command(id));
    }
    toolBar_->addSeparator();
    toolBar_->addAction(command(EditorCommand::TestMode));

    QMenu* view = menuBar()->findChild<QMenu*>(QStringLiteral("viewMenu"));
    QAction* bar = toolBar_->toggleViewAction();
    bar->setText(tr("&Toolbar"));
    bar->setStatusTip(tr("Show or hide the tool bar"));
    view->addAction(bar);
    QAction* status = view->addAction(tr("&Status Bar"));
    status->setStatusTip(tr("Show or hide the status bar"));
    status->setCheckable(true);
    status->setChecked(true);
    connect(status, &QAction::toggled, statusBar(), &QWidget::setVisible);
    view->addSeparator();
    view->addAction(command(EditorCommand::ShowGrid));
    view->addAction(command(EditorCommand::ModernLook));
    view->addSeparator();
    for (EditorCommand id : {EditorCommand::ZoomIn, EditorCommand::ZoomOut, EditorCommand::ZoomFit}) {
        view->addAction(command(id));
    }
}

void CMainFrame::updateTitle() {
    setWindowTitle(tr("%1[*] - Trundlex Editor").arg(document_.title()));
    setWindowModified(document_.IsModified());
}

void CMainFrame::updateRecentFiles() {
    const auto entries = recentList_.entries();
    for (std::size_t i = 0; i < recent_.size(); ++i) {
        QAction* action = recent_[i];
        action->setVisible(i < entries.size());
        if (i < entries.size()) {
            const QString path =
                QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(entries[i])));
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        }
    }
    noRecentFile_->setVisible(entries.empty());
}

AboutContent CMainFrame::aboutContent() {
    return {.windowTitle = tr("About Trundlex Editor"),
            .name = QStringLiteral("Trundlex Editor"),
            .version = programVersion(),
            .description = tr(
                "The course editor of Trundlex: draw levels block by block, turn and mirror them, "
                "make random ones and test them with the game's own ball. Made by the Trundlex "
                "team at Brackwater Works."),
            .manual = manualUrl(),
            .icon = QIcon(QStringLiteral(":/icons/trundlex.png"))};
}

void CMainFrame::openHelp() {
    openManual(QStringLiteral("Trundlex Editor"), this);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!document_.saveModified()) {
        event->ignore();
        return;
    }
    writeBytes(store_, "geometry", saveGeometry());
    writeBytes(store_, "state", saveState());
    // A par still being worked out is given up with the window.
    checkDialog_->close();
    event->accept();
}

}  // namespace trundlex
