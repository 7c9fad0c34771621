#include "LobbyDialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "OnlinePage.h"
#include "ScoreBoard.h"
#include "net/InviteLink.h"
#include "net/NetAddress.h"
#include "net/NetGame.h"
#include "platform/PlatformSupport.h"
#include "settings/GameSettings.h"

namespace trundlex {

LobbyDialog::LobbyDialog(NetGame& net, QWidget* parent)
    : QDialog(parent), net_(net), relay_(this) {
    setWindowTitle(tr("Network game"));
    status_ = new QLabel(tr("Waiting for connection..."), this);
    counts_ = new QLabel(this);
    computers_ = new QTreeWidget(this);
    computers_->setRootIsDecorated(false);
    computers_->setHeaderLabels({tr("Computer"), tr("Player"), tr("Status")});
    computers_->setColumnWidth(0, 110);
    computers_->setColumnWidth(1, 120);
    players_ = new QListWidget(this);
    auto* buttons = new QDialogButtonBox(this);
    addComputer_ = buttons->addButton(tr("&Add computer player"), QDialogButtonBox::ActionRole);
    remove_ = buttons->addButton(tr("&Remove"), QDialogButtonBox::ActionRole);
    remove_->setVisible(false);
    start_ = buttons->addButton(tr("&Start game"), QDialogButtonBox::AcceptRole);
    cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(createRoomPanel());
    layout->addWidget(status_);
    layout->addWidget(counts_);
    layout->addWidget(computers_);
    layout->addWidget(new QLabel(tr("Player"), this));
    layout->addWidget(players_);
    layout->addWidget(buttons);
    // Wide enough for the creator's four buttons in either language.
    setMinimumWidth(560);
    connect(start_, &QPushButton::clicked, this, &LobbyDialog::startPressed);
    connect(addComputer_, &QPushButton::clicked, this, &LobbyDialog::addComputerPlayer);
    connect(remove_, &QPushButton::clicked, this, &LobbyDialog::removePlayer);
    connect(players_, &QListWidget::currentRowChanged, this, &LobbyDialog::updateRemove);
    connect(cancel_, &QPushButton::clicked, this, &LobbyDialog::reject);
}

LobbyDialog::~LobbyDialog() {
    net_.detachLobby();
    relay_.close();
}

bool LobbyDialog::runServer(std::uint16_t port) {
    server_ = true;
    start_->setVisible(true);
    addComputer_->setVisible(true);
    start_->setEnabled(false);
    if (!net_.startServer(port, this)) {
        return false;
    }
    // Alone, a server may start as soon as it has a player; clients it waits for.
    start_->setEnabled(net_.lobbySnapshot().playerCount > 0);
    refresh();
    runModal();
    return closedByNetwork_;
}

bool LobbyDialog::runClient(const std::string& address, std::uint16_t port) {
    server_ = false;
    start_->setVisible(false);
    addComputer_->setVisible(false);
    computers_->setVisible(false);
    counts_->setVisible(false);
    status_->setText(tr("Connecting to %1...").arg(toDisplayText(address)));
    // The address may name its own port ("host:port", "[::1]:49732"); an unreadable one is
    // passed on as it is and fails to connect.
    const NetAddress server = NetAddress::parse(address, port);
    target_ = server.valid() ? server : NetAddress{address, port};
    if (!net_.startClient(server.valid() ? server.host : address,
                          server.valid() ? server.port : port, this)) {
        return false;
    }
    runModal();
    return closedByNetwork_;
}

QWidget* LobbyDialog::createRoomPanel() {
    roomPanel_ = new QWidget(this);
    roomCode_ = new QLabel(roomPanel_);
    QFont large = roomCode_->font();
    large.setPointSizeF(large.pointSizeF() * 2.4);
    large.setBold(true);
    large.setLetterSpacing(QFont::PercentageSpacing, 115);
    roomCode_->setFont(large);
    roomCode_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    copy_ = new QPushButton(tr("&Copy code"), roomPanel_);
    roomLink_ = new QLabel(roomPanel_);
    roomLink_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    roomLink_->setTextFormat(Qt::PlainText);
    copyLink_ = new QPushButton(tr("Copy &link"), roomPanel_);
    roomCourse_ = new QLabel(roomPanel_);
    auto* hint = new QLabel(
        tr("Send your friends the link or the code: the link opens the game at this room, or "
           "they choose \"Play with friends\" and paste the link or type the code."),
        roomPanel_);
    hint->setWordWrap(true);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Room code:"), roomPanel_), 0, 0);
    grid->addWidget(roomCode_, 0, 1);
    grid->addWidget(copy_, 0, 2);
    grid->addWidget(new QLabel(tr("Link:"), roomPanel_), 1, 0);
    grid->addWidget(roomLink_, 1, 1);
    grid->addWidget(copyLink_, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(roomPanel_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid);
    layout->addWidget(roomCourse_);
    layout->addWidget(hint);
    roomPanel_->setVisible(false);
    connect(copy_, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(roomCode_->text()); });
    connect(copyLink_, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(roomLink_->text()); });
    return roomPanel_;
}

bool LobbyDialog::runRoom(const std::string& address, const roomproto::Request& request) {
    server_ = false;
    room_ = true;
    setWindowTitle(tr("Online game"));
    start_->setVisible(false);
    addComputer_->setVisible(false);
    computers_->setVisible(false);
    counts_->setVisible(false);
    status_->setText(tr("Connecting to %1...").arg(toDisplayText(address)));
    const NetAddress host = NetAddress::parse(address, GameSettings::DefaultPort);
    target_ = host.valid() ? host : NetAddress{address, GameSettings::DefaultPort};
    if (!net_.startRoomClient(host.valid() ? host.host : address,
                              host.valid() ? host.port : GameSettings::DefaultPort, request,
                              this)) {
        return false;
    }
    runModal();
    return closedByNetwork_;
}

void LobbyDialog::startPressed() {
    if (server_) {
        net_.startHandshake();
    } else if (net_.askRoomStart()) {
        startAsked_ = true;
        start_->setEnabled(false);
        addComputer_->setEnabled(false);
        mayRemove_ = false;
        updateRemove();
        status_->setText(tr("The game starts as soon as everybody in the room is ready."));
    }
}

void LobbyDialog::addComputerPlayer() {
    const LobbySnapshot snapshot = net_.lobbySnapshot();
    // Named like the players page names them, with a number nobody has yet.
    for (int number = snapshot.playerCount + 1;
         number <= snapshot.playerCount + netproto::MaxPlayers; ++number) {
        const QByteArray name = tr("Computer %1").arg(number).toUtf8();
        const std::string candidate(name.constData(), static_cast<std::size_t>(name.size()));
        if (std::none_of(snapshot.players.begin(), snapshot.players.end(),
                         [&](const LobbyPlayer& p) { return p.name == candidate; })) {
            // Grey balls, a shade darker for each, so they are told apart from people's.
            const auto shade = static_cast<std::uint32_t>(0xB0 - 0x10 * (number % 6));
            net_.addComputerPlayer(candidate, shade * 0x010101u, ComputerStrength::Medium);
            return;
        }
    }
}

void LobbyDialog::removePlayer() {
    const QListWidgetItem* item = players_->currentItem();
    if (item == nullptr) {
        return;
    }
    const QByteArray name = item->data(Qt::UserRole).toByteArray();
    net_.askRoomRemove(std::string(name.constData(), static_cast<std::size_t>(name.size())));
}

void LobbyDialog::updateRemove() {
    // Anybody but this computer's own person: friends who joined, computer players.
    const QListWidgetItem* item = players_->currentItem();
    remove_->setVisible(mayRemove_);
    remove_->setEnabled(mayRemove_ && item != nullptr && item->data(Qt::UserRole + 1).toBool());
}

QString LobbyDialog::roomCodeText() const {
    return roomPanel_->isVisibleTo(this) ? roomCode_->text() : QString();
}

QString LobbyDialog::roomLinkText() const {
    return roomPanel_->isVisibleTo(this) ? roomLink_->text() : QString();
}

QString LobbyDialog::statusLine(const LobbyStatus& status) {
    switch (status.text) {
        case LobbyText::CantStartServer:
            return tr("Can't start the server.");
        case LobbyText::CouldntConnect:
            return tr("Couldn't connect.");
        case LobbyText::ConnectionOpen:
            return tr("Connection open!");
        case LobbyText::TransferLevels:
            return tr("Transferring levels... (%1)").arg(status.count);
        case LobbyText::WaitingForStart:
            return tr("Waiting for the start message.");
        case LobbyText::ClientDisconnected:
            return tr("%1 disconnected.").arg(toDisplayText(status.first));
        case LobbyText::ConnectionInterrupted:
            return tr("The connection to the server was interrupted.");
        case LobbyText::IllegalVersion:
            return tr("Incompatible server version (server: %1, this version: %2).")
                .arg(toDisplayText(status.first), toDisplayText(status.second));
        case LobbyText::RoomRefused:
            return OnlinePage::refusalText(status.first);
        case LobbyText::NotARoomHost:
            return tr("This host does not offer rooms.");
    }
    return QString::fromStdString(status.english());
}

void LobbyDialog::onLobbyStatus(const LobbyStatus& status) {
    // Which host could not be reached, so that a mistyped name or port is seen at once.
    const QString text = status.text == LobbyText::CouldntConnect && !target_.host.empty()
                             ? tr("Couldn't connect to %1 (port %2).")
                                   .arg(toDisplayText(target_.host))
                                   .arg(target_.port)
                             : statusLine(status);
    const bool waiting = status.text == LobbyText::WaitingForStart;
    relay_.post([this, text, waiting] {
        // A room's creator is the one who starts it; the others wait for that person.
        if (room_ && waiting) {
            status_->setText(net_.lobbySnapshot().roomCreator
                                 ? tr("Press Start game when your friends have joined.")
                                 : tr("Waiting for the room's creator to start the game."));
        } else {
            status_->setText(text);
        }
    });
}

void LobbyDialog::onLobbyStartEnabled(bool enabled) {
    relay_.post([this, enabled] { start_->setEnabled(enabled); });
}

void LobbyDialog::onLobbyChanged() {
    relay_.post([this] { refresh(); });
}

void LobbyDialog::onLobbyClosedByNetwork() {
    relay_.post([this] {
        closedByNetwork_ = true;
        accept();
    });
}

void LobbyDialog::runModal() {
    finished_ = false;
    setWindowModality(Qt::ApplicationModal);
    show();
    if (!finished_) {
        QEventLoop loop;
        loop_ = &loop;
        loop.exec();
        loop_ = nullptr;
    }
}

void LobbyDialog::done(int result) {
    QDialog::done(result);
    finished_ = true;
    if (loop_ != nullptr) {
        loop_->quit();
    }
}

void LobbyDialog::reject() {
    // Leaving the lobby ends the network game, unless the game is already starting.
    if (!closedByNetwork_) {
        net_.endGame();
    }
    QDialog::reject();
}

void LobbyDialog::refresh() {
    const LobbySnapshot snapshot = net_.lobbySnapshot();
    if (room_ && !snapshot.roomCode.empty()) {
        roomCode_->setText(QString::fromStdString(snapshot.roomCode));
        // The host as this computer reached it, so that a friend's game goes the same way.
        // Always the game's own link: a room host does not tell its clients whether it also
        // serves the web game, nor at which address, so a web link (https://HOST/#CODE) would
        // be a guess that may lead nowhere.
        roomLink_->setText(toDisplayText(InviteLink::format(
            target_.host, target_.port, snapshot.roomCode, GameSettings::DefaultPort)));
        roomCourse_->setText(tr("Course: %1").arg(toDisplayText(snapshot.roomCourse)));
        roomPanel_->setVisible(true);
        start_->setVisible(snapshot.roomCreator);
        start_->setEnabled(snapshot.roomCreator && !startAsked_);
        addComputer_->setVisible(snapshot.roomCreator);
        addComputer_->setEnabled(!startAsked_ && snapshot.playerCount < netproto::MaxPlayers);
        mayRemove_ = snapshot.roomCreator && !startAsked_;
    }
    counts_->setText(tr("%n computer(s) connected", nullptr, snapshot.connectionCount) +
                     QStringLiteral(", ") + tr("%n player(s).", nullptr, snapshot.playerCount));
    const int chosen = players_->currentRow();
    players_->clear();
    for (const LobbyPlayer& player : snapshot.players) {
        // Each with its ball: the server may have given a player another colour than the one
        // chosen, when that was on the green already.
        // Who made the room (the people at its screen, not the computer players it added), and
        // which players a computer plays, wherever it runs.
        QStringList notes;
        if (player.creator && !player.computer) {
            notes << tr("created the room");
        }
        if (player.computer) {
            notes << tr("computer");
        }
        auto* item = new QListWidgetItem(
            ballIcon(player.style.colour, player.style.pattern, player.style.transparent),
            toDisplayText(player.name) + (player.local ? QStringLiteral(" *") : QString()) +
                (notes.isEmpty() ? QString()
                                 : QStringLiteral("  (%1)").arg(notes.join(QStringLiteral(", ")))));
        item->setData(Qt::UserRole, QByteArray::fromStdString(player.name));
        item->setData(Qt::UserRole + 1, !player.local || player.computer);
        players_->addItem(item);
    }
    players_->setCurrentRow(std::min(chosen, players_->count() - 1));
    updateRemove();
    computers_->clear();
    computers_->addTopLevelItem(new QTreeWidgetItem(
        {tr("This computer"), toDisplayText(snapshot.localNames), tr("Ready")}));
    for (const LobbyComputer& computer : snapshot.computers) {
        QString status;
        switch (computer.status) {
            case ComputerStatus::Initializing:
                status = tr("Preparing the game...");
                break;
            case ComputerStatus::TransferLevel:
                status = tr("Transferring level \"%1\"...").arg(toDisplayText(computer.levelName));
                break;
            case ComputerStatus::Ready:
                status = tr("Ready");
                break;
            case ComputerStatus::None:
                break;
        }
        computers_->addTopLevelItem(new QTreeWidgetItem(
            {toDisplayText(computer.address), toDisplayText(computer.playerNames), status}));
    }
}

QString LobbyDialog::statusText() const { return status_->text(); }

QStringList LobbyDialog::playerRows() const {
    QStringList rows;
    for (int i = 0; i < players_->count(); ++i) {
        rows << players_->item(i)->text();
    }
    return rows;
}

QStringList LobbyDialog::computerRows() const {
    QStringList rows;
    for (int i = 0; i < computers_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = computers_->topLevelItem(i);
        rows << item->text(0) + QLatin1Char('\t') + item->text(1) + QLatin1Char('\t') +
                    item->text(2);
    }
    return rows;
}

}  // namespace trundlex
